// Save_List: the tally file named after the cleaned user ID and the date,
// its byte-exact blocks, and the saves that are refused or fail; the contact
// label and the tally list's Open handler.
#include "services.h"
#include "string_functions.h"
#include "window_fixture.h"
#include "window_state.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <functional>
#include <utility>

#include <fcntl.h>
#include <sys/syscall.h>

// Run once, then cleared, at the next flock() of this process: lets a test
// act as another copy of the application in the instant between a save's
// opening of its file and its locking of it.
static std::function<void()> g_beforeFlock;

extern "C" int flock(int fd, int operation)
{
    if (g_beforeFlock)
        std::exchange(g_beforeFlock, nullptr)();
    return int(::syscall(SYS_flock, fd, operation));
}

namespace {

const QString kNoId = QStringLiteral("Please enter your UserID first");

// The tally rows in bowl order, as the first eight teams are placed.
const char *const kEntries[8] = {"Auburn (.9866)_10",   "Oregon (.9720)_10",   "TCU (.9102)_9",
                                 "Stanford (.8365)_8",  "Wisconsin (.8041)_8", "Ohio State (.7660)_8",
                                 "Oklahoma (.7297)_7",  "Arkansas (.7274)_7"};

// One saved block with `auburn` titles for Auburn and none for the others.
QByteArray block(int auburn)
{
    QByteArray text = "TEAM (BCS#)_Strength\t|| Number of Wins\n";
    for (int row = 0; row < 8; ++row)
        text += QByteArray(kEntries[row]) + "\t|| " + QByteArray::number(row == 0 ? auburn : 0) + "\n";
    return text + "==========\n";
}

// The date part of a tally file's name for `date`.
QString dateText(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat).replace(QLatin1Char('/'), QLatin1Char('-'));
}

// The window after a first tournament that Auburn (row 0) has won.
class TallyFileTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        confirmTeamsAndStrengths();
        placeAllSlots();
        playAuburnWins();
    }
    // Plays all seven games with side A winning each, so Auburn is champion.
    void playAuburnWins()
    {
        const int strengthLabels[3][2] = {{12, 13}, {17, 18}, {22, 23}};
        for (int n = 1; n <= 7; ++n) {
            int strength[2];
            for (int side = 0; side < 2; ++side) {
                strength[side] = n <= 4 ? Split(menu(15 + 2 * n + side)->Text(), QStringLiteral("_")).last().toInt()
                                        : label(strengthLabels[n - 5][side])->Text().toInt();
            }
            platform.script.push_back(40);
            for (int side = 0; side < 2; ++side) {
                for (int i = 0; i < strength[side]; ++i)
                    platform.script.push_back(i == 0 ? (side == 0 ? 30 : 20) : 2);
            }
            ASSERT_TRUE(button(n)->Enabled());
            button(n)->Push();
        }
        ASSERT_TRUE(platform.scriptUsedUp());
        ASSERT_TRUE(button(11)->Enabled());
    }
    void save(const QString &id)
    {
        field(15)->setText(id);
        button(11)->Push();
    }
    QString fileName(const QString &cleanedId, const QDate &date)
    {
        return cleanedId + QLatin1Char('-') + dateText(date) + QStringLiteral(".txt");
    }
    QString path(const QString &name) { return QDir(platform.folder).filePath(name); }
    QByteArray contents(const QString &name)
    {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return "(cannot open " + name.toUtf8() + ")";
        return file.readAll();
    }
    // Every entry under the application's folder, folders included.
    QStringList folderEntries()
    {
        QStringList entries;
        QDirIterator it(platform.folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            entries << QDir(platform.folder).relativeFilePath(it.next());
        entries.sort();
        return entries;
    }
    QDate today() const { return platform.today.date(); }
};

TEST_F(TallyFileTest, EmptyIdAsksForTheIdAndWritesNothing)
{
    button(11)->Push();
    EXPECT_EQ(joined(platform.messages), joined({kNoId}));
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_TRUE(folderEntries().isEmpty());
    button(11)->Push();
    EXPECT_EQ(joined(platform.messages), joined({kNoId, kNoId}));
    EXPECT_TRUE(folderEntries().isEmpty());
    EXPECT_EQ(field(15)->Text(), "");
}

TEST_F(TallyFileTest, IdIsCleanedShownAndNamesTheFileWithTheShortDate)
{
    save(QStringLiteral("a.b c:d_e"));
    EXPECT_EQ(field(15)->Text(), "abc-d-e");
    const QString name = fileName(QStringLiteral("abc-d-e"), today());
    EXPECT_EQ(joined(folderEntries()), joined({name}));
    EXPECT_EQ(contents(name), block(1));
    EXPECT_FALSE(button(11)->Enabled());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(TallyFileTest, IdWithoutCleanedCharactersIsUsedUnchanged)
{
    save(QStringLiteral("Coach-7"));
    EXPECT_EQ(field(15)->Text(), "Coach-7");
    EXPECT_EQ(joined(folderEntries()), joined({fileName(QStringLiteral("Coach-7"), today())}));

    // Right-to-left letters and an emoji joined by the zero-width joiner are
    // letters of a name, not controls.
    const QString id = QString::fromUtf8("\u05D3\u05E0\u05D4-\U0001F469\u200D\U0001F4BB");
    button(9)->Push();
    playAuburnWins();
    save(id);
    EXPECT_TRUE(platform.messages.isEmpty()) << joined(platform.messages);
    EXPECT_EQ(contents(fileName(id, today())), block(2));
}

TEST_F(TallyFileTest, TwoSavesOnOneDayAppendTheSecondBlockToTheFirst)
{
    save(QStringLiteral("coach"));
    const QString name = fileName(QStringLiteral("coach"), today());
    EXPECT_EQ(contents(name), block(1));
    // The button waits for the next final.
    EXPECT_FALSE(button(11)->Enabled());
    button(9)->Push();
    playAuburnWins();
    button(11)->Push();
    EXPECT_EQ(contents(name), block(1) + block(2));
    EXPECT_EQ(joined(folderEntries()), joined({name}));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(TallyFileTest, AnotherDayOrAnotherIdStartsAnotherFile)
{
    save(QStringLiteral("coach"));
    const QString first = fileName(QStringLiteral("coach"), today());

    button(9)->Push();
    playAuburnWins();
    platform.today = platform.today.addDays(1);
    button(11)->Push();
    const QString nextDay = fileName(QStringLiteral("coach"), today());
    ASSERT_NE(nextDay, first);

    button(9)->Push();
    playAuburnWins();
    save(QStringLiteral("scout"));
    const QString otherId = fileName(QStringLiteral("scout"), today());

    QStringList expected = {first, nextDay, otherId};
    expected.sort();
    EXPECT_EQ(joined(folderEntries()), joined(expected));
    EXPECT_EQ(contents(first), block(1));
    EXPECT_EQ(contents(nextDay), block(2));
    EXPECT_EQ(contents(otherId), block(3));
}

TEST_F(TallyFileTest, IdOfPointsAndBlanksAloneGivesANameBeginningWithAHyphen)
{
    save(QStringLiteral(". . ."));
    EXPECT_EQ(field(15)->Text(), "");
    const QString name = QLatin1Char('-') + dateText(today()) + QStringLiteral(".txt");
    EXPECT_EQ(joined(folderEntries()), joined({name}));
    EXPECT_EQ(contents(name), block(1));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(TallyFileTest, NameOfExactly255BytesIsSaved)
{
    const int idBytes = 255 - int(fileName(QString(), today()).toUtf8().size());
    const QString id(idBytes, QLatin1Char('x'));
    save(id);
    EXPECT_TRUE(platform.messages.isEmpty()) << joined(platform.messages);
    EXPECT_EQ(contents(fileName(id, today())), block(1));
    EXPECT_FALSE(button(11)->Enabled());
}

struct RefusedId
{
    const char *name;
    QString id;
    const char *folder = nullptr; // a subfolder that exists beforehand
    friend void PrintTo(const RefusedId &c, std::ostream *os) { *os << c.name; }
};

class TallyFileRefusedIdTest : public TallyFileTest, public ::testing::WithParamInterface<RefusedId>
{
};

// Regression: an ID holding "/" wrote outside the application's folder or
// into a subfolder, one too long for a file name failed silently, and one
// holding an invisible control (C1, a line separator, a bidirectional
// override) named a file that reads as another.
TEST_P(TallyFileRefusedIdTest, IsRefusedWithOneSentenceAndNothingWritten)
{
    const QString id = GetParam().id;
    const QString outside = QStringLiteral("/tmp/x-") + dateText(today()) + QStringLiteral(".txt");
    const bool outsideExisted = QFileInfo::exists(outside);
    const QStringList before = GetParam().folder ? QStringList{QString::fromLatin1(GetParam().folder)} : QStringList();
    if (GetParam().folder) {
        ASSERT_TRUE(QDir(platform.folder).mkdir(QString::fromLatin1(GetParam().folder)));
    }

    save(id);

    ASSERT_EQ(platform.messages.size(), 1);
    const QString message = platform.messages.first();
    EXPECT_NE(message, kNoId);
    EXPECT_TRUE(message.endsWith(QLatin1Char('.'))) << message.toStdString();
    EXPECT_FALSE(message.contains(QLatin1Char('\n')));
    EXPECT_FALSE(message.chopped(1).contains(QLatin1String(". "))) << "one sentence: " << message.toStdString();
    EXPECT_EQ(joined(folderEntries()), joined(before));
    if (!outsideExisted) {
        EXPECT_FALSE(QFileInfo::exists(outside));
    }
    EXPECT_TRUE(button(11)->Enabled());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ids, TallyFileRefusedIdTest, ::testing::Values(
    RefusedId{"AbsolutePath",     QStringLiteral("/tmp/x")},
    RefusedId{"Subfolder",        QStringLiteral("a/b"), "a"},
    RefusedId{"Tab",              QStringLiteral("a\tb")},
    RefusedId{"ControlCharacter", QStringLiteral("a\x01" "b")},
    RefusedId{"Nul",              QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
    RefusedId{"C1Control",        QStringLiteral("a") + QChar(0x0085) + QStringLiteral("b")},
    RefusedId{"LineSeparator",    QStringLiteral("a") + QChar(0x2028) + QStringLiteral("b")},
    RefusedId{"RightToLeftOverride", QStringLiteral("abc") + QChar(0x202E) + QStringLiteral("txt")},
    RefusedId{"Embedding",        QStringLiteral("a") + QChar(0x202A) + QStringLiteral("b")},
    RefusedId{"PopIsolate",       QStringLiteral("a") + QChar(0x2069) + QStringLiteral("b")},
    RefusedId{"Over255Bytes",     QString(300, QLatin1Char('x'))},
    RefusedId{"Over255BytesUtf8", QString(126, QChar(0x00E9))}),
    [](const ::testing::TestParamInfo<RefusedId> &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(TallyFileTest, NameThatIsAFolderIsReportedAndLeavesEarlierBlocksAlone)
{
    save(QStringLiteral("coach"));
    const QString earlier = fileName(QStringLiteral("coach"), today());
    button(9)->Push();
    playAuburnWins();
    platform.today = platform.today.addDays(1);
    const QString name = fileName(QStringLiteral("coach"), today());
    ASSERT_TRUE(QDir(platform.folder).mkdir(name));

    button(11)->Push();

    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().toStdString(), "The tally could not be saved: Is a directory.");
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_TRUE(QFileInfo(path(name)).isDir());
    EXPECT_TRUE(QDir(path(name)).isEmpty());
    EXPECT_EQ(contents(earlier), block(1));

    // Once the folder is gone the save can be tried again.
    ASSERT_TRUE(QDir(platform.folder).rmdir(name));
    button(11)->Push();
    EXPECT_EQ(contents(name), block(2));
    EXPECT_FALSE(button(11)->Enabled());
}

// A small file system of its own at `folder`, mounted while the object
// lives; mounting needs root.
class SmallDisk
{
public:
    SmallDisk(const QString &folder, int kib) : m_folder(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, options(kib).constData()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    bool isMounted() const { return m_mounted; }
    bool grow(int kib) { return ::mount("tmpfs", m_folder.constData(), "tmpfs", MS_REMOUNT, options(kib).constData()) == 0; }

private:
    static QByteArray options(int kib) { return "size=" + QByteArray::number(kib) + "k,mode=0755"; }
    QByteArray m_folder;
    bool m_mounted = false;
};

// A disk that fills up in the middle of the block.
TEST_F(TallyFileTest, FullDiskIsReportedAndTheSaveCanBeTriedAgain)
{
    SmallDisk disk(path(QStringLiteral("disk")), 4);
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a small file system needs root";
    platform.folder = path(QStringLiteral("disk"));
    const QString name = fileName(QStringLiteral("coach"), today());
    QByteArray earlier;
    while (earlier.size() + block(1).size() <= 4096)
        earlier += block(1);
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(earlier), earlier.size());
    }

    save(QStringLiteral("coach"));

    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().toStdString(), "The tally could not be saved: No space left on device.");
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_EQ(contents(name), earlier);

    ASSERT_TRUE(disk.grow(64));
    button(11)->Push();
    EXPECT_EQ(contents(name), earlier + block(1));
    EXPECT_FALSE(button(11)->Enabled());
    EXPECT_EQ(platform.messages.size(), 1);
}

// What may stand at the tally's name instead of a plain file, made by `make`
// from the tally's path and a folder outside the application's.
struct Squatter
{
    const char *name;
    std::function<bool(const QString &path, const QString &outside)> make;
    const char *reason;
    friend void PrintTo(const Squatter &c, std::ostream *os) { *os << c.name; }
};

class TallyFileSquatterTest : public TallyFileTest, public ::testing::WithParamInterface<Squatter>
{
};

// Regression: a pipe with no reader froze the window in the open, a symbolic
// link had the block written to its target wherever it lay, and a link to
// nothing was reported as "No such file or directory".
TEST_P(TallyFileSquatterTest, IsRefusedAtOnceAndLeftAsItWas)
{
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    {
        QFile other(outside.filePath(QStringLiteral("other.conf")));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("original\n");
    }
    const QString name = fileName(QStringLiteral("coach"), today());
    ASSERT_TRUE(GetParam().make(path(name), outside.path()));
    struct stat before;
    ASSERT_EQ(::lstat(QFile::encodeName(path(name)).constData(), &before), 0);
    const QString linkTarget = QFileInfo(path(name)).symLinkTarget();

    save(QStringLiteral("coach"));

    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().toStdString(),
              std::string("The tally could not be saved: ") + GetParam().reason + ".");
    EXPECT_TRUE(button(11)->Enabled());
    struct stat after;
    ASSERT_EQ(::lstat(QFile::encodeName(path(name)).constData(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(QFileInfo(path(name)).symLinkTarget(), linkTarget);
    EXPECT_EQ(joined(folderEntries()), joined({name}));
    EXPECT_EQ(joined(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)),
              joined({QStringLiteral("other.conf")}));
    QFile other(outside.filePath(QStringLiteral("other.conf")));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), QByteArray("original\n"));
}

bool makeSocket(const QString &path, const QString &)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || size_t(name.size()) >= sizeof address.sun_path)
        return false;
    qstrcpy(address.sun_path, name.constData());
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

const char *const kNotPlain = "Its name is taken by something that is not a plain file";
const char *const kLink = "Its name is taken by a symbolic link";

// clang-format off
INSTANTIATE_TEST_SUITE_P(AtTheName, TallyFileSquatterTest, ::testing::Values(
    Squatter{"PipeWithNoReader", [](const QString &p, const QString &) {
                 return ::mkfifo(QFile::encodeName(p).constData(), 0644) == 0; }, kNotPlain},
    Squatter{"Socket",           makeSocket, kNotPlain},
    Squatter{"LinkToAFileOutside", [](const QString &p, const QString &o) {
                 return QFile::link(QDir(o).filePath(QStringLiteral("other.conf")), p); }, kLink},
    Squatter{"LinkToNothing",    [](const QString &p, const QString &o) {
                 return QFile::link(QDir(o).filePath(QStringLiteral("missing.txt")), p); }, kLink},
    Squatter{"LinkToAFolder",    [](const QString &p, const QString &o) { return QFile::link(o, p); }, kLink}),
    [](const ::testing::TestParamInfo<Squatter> &info) { return std::string(info.param.name); });
// clang-format on

// Files of this process may grow to `bytes` and no further while it lives:
// a longer write stops short there and the next one fails with EFBIG. The
// signal that crossing the limit raises keeps the disposition the runtime
// gave it, so a process that would die of it dies here too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = rlim_t(bytes);
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    bool m_set = false;
};

// Regression: a disk that filled during the write left a torn half block in
// the file (the buffered stream could not be cut back), a retry appended a
// whole block after it, and the message read "Unknown error".
TEST_F(TallyFileTest, WriteCutShortLeavesTheFileExactlyAsItWas)
{
    // A new file that cannot take the block is not left behind.
    {
        FileSizeLimit limit(50);
        ASSERT_TRUE(limit.isSet());
        save(QStringLiteral("scout"));
    }
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().toStdString(), "The tally could not be saved: File too large.");
    EXPECT_TRUE(folderEntries().isEmpty());
    EXPECT_TRUE(button(11)->Enabled());

    // A file that already holds two blocks.
    save(QStringLiteral("coach"));
    button(9)->Push();
    playAuburnWins();
    button(11)->Push();
    const QString name = fileName(QStringLiteral("coach"), today());
    const QByteArray before = contents(name);
    ASSERT_EQ(before, block(1) + block(2));
    button(9)->Push();
    playAuburnWins();
    {
        FileSizeLimit limit(before.size() + 50);
        ASSERT_TRUE(limit.isSet());
        button(11)->Push();
    }
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(platform.messages.last().toStdString(), "The tally could not be saved: File too large.");
    EXPECT_EQ(contents(name), before);
    EXPECT_TRUE(button(11)->Enabled());

    // Once there is room, the retry appends one whole block.
    button(11)->Push();
    EXPECT_EQ(contents(name), before + block(3));
    EXPECT_FALSE(button(11)->Enabled());
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(joined(folderEntries()), joined({name}));
}

// The tally file in a folder of its own, reached through a descriptor as the
// application reaches its folder, with another copy of the application (or
// another program) at work on the same file.
class TallyFileStreamTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder.reset(::open(QFile::encodeName(m_dir.path()).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        ASSERT_GE(m_folder.get(), 0);
    }
    FolderItem file() const { return FolderItem(m_folder.get(), QStringLiteral("coach.txt")); }
    QString path(const char *name = "coach.txt") const { return m_dir.filePath(QLatin1String(name)); }
    QByteArray contents(const char *name = "coach.txt") const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    }
    void write(const QByteArray &bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir m_dir;
    FileDescriptor m_folder;
};

// The tests with another process that holds the file's lock with flock(1);
// they skip where it is missing.
class TallyFileLockTest : public TallyFileStreamTest
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("flock")).isEmpty())
            GTEST_SKIP() << "no flock (package util-linux)";
        TallyFileStreamTest::SetUp();
    }
    // Starts `script` in a shell of another process, the file's path in $0,
    // and returns once the script has made the mark whose path is in $1.
    void startOther(QProcess &other, const QString &script)
    {
        const QString mark = m_dir.filePath(QStringLiteral("ready"));
        other.start(QStringLiteral("sh"), {QStringLiteral("-c"), script, path(), mark});
        ASSERT_TRUE(other.waitForStarted(5000));
        for (int i = 0; i < 500 && !QFileInfo::exists(mark); ++i)
            QThread::msleep(10);
        ASSERT_TRUE(QFileInfo::exists(mark)) << "the other process did not get ready";
    }
};

// Regression: a file that appeared between the look for it and its creation
// (another copy of the application saving the same ID) was emptied.
TEST_F(TallyFileStreamTest, CreatingAFileThatIsThereByThenKeepsItsBytes)
{
    ASSERT_FALSE(file().Exists());
    write("another copy's block\n");
    std::unique_ptr<TextOutputStream> stream = file().CreateTextFile();
    stream->Write(QStringLiteral("this block\n"));
    stream->Close();
    EXPECT_EQ(contents(), QByteArray("another copy's block\nthis block\n"));
}

// A failed save takes back only its own bytes: another copy of the
// application that saves to the same file meanwhile waits for it, and then
// appends after the bytes that were there.
TEST_F(TallyFileLockTest, FailedWriteKeepsTheBytesOfAWriterThatWaitedForIt)
{
    write("earlier\n");
    std::unique_ptr<TextOutputStream> stream = file().AppendToTextFile();

    QProcess other;
    other.start(QStringLiteral("flock"), {path(), QStringLiteral("sh"), QStringLiteral("-c"),
                                          QStringLiteral("printf 'other copy\\n' >> \"$0\""), path()});
    ASSERT_TRUE(other.waitForStarted(5000));
    EXPECT_FALSE(other.waitForFinished(300)) << "the other writer did not wait for the file";
    {
        FileSizeLimit limit(QFileInfo(path()).size() + 4);
        ASSERT_TRUE(limit.isSet());
        EXPECT_THROW(stream->Write(QStringLiteral("a block longer than the room left\n")), IOException);
    }
    ASSERT_TRUE(other.waitForFinished(10000));
    EXPECT_EQ(other.exitCode(), 0);
    EXPECT_EQ(contents(), QByteArray("earlier\nother copy\n"));
}

// Regression guard: a save that waited for the lock on a file that was
// removed meanwhile wrote its block into the removed file and reported
// success; the block was gone.
TEST_F(TallyFileLockTest, FileRemovedWhileTheSaveWaitedIsMadeAnew)
{
    write("earlier\n");
    QProcess holder;
    ASSERT_NO_FATAL_FAILURE(
        startOther(holder, QStringLiteral("exec 9>>\"$0\"; flock 9; touch \"$1\"; sleep 0.3; rm \"$0\"")));

    std::unique_ptr<TextOutputStream> stream = file().AppendToTextFile();
    stream->Write(QStringLiteral("this block\n"));
    stream->Close();

    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(contents(), QByteArray("this block\n"));
}

// Regression guard: when another program replaced the file (as an editor
// saves) while a save waited for the lock, the block went into the old file,
// away from the name, and the new file never got it.
TEST_F(TallyFileLockTest, FileReplacedWhileTheSaveWaitedGetsTheBlock)
{
    write("earlier\n");
    QProcess holder;
    ASSERT_NO_FATAL_FAILURE(startOther(holder, QStringLiteral("exec 9>>\"$0\"; flock 9; touch \"$1\"; sleep 0.3; "
                                                             "printf 'edited\\n' > \"$0.new\"; mv \"$0\" \"$0.old\"; "
                                                             "mv \"$0.new\" \"$0\"")));

    std::unique_ptr<TextOutputStream> stream = file().AppendToTextFile();
    stream->Write(QStringLiteral("this block\n"));
    stream->Close();

    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(contents(), QByteArray("edited\nthis block\n"));
    EXPECT_EQ(contents("coach.txt.old"), QByteArray("earlier\n"));
}

// Regression: with another program putting a new locked file at the name
// every second, a save waited 5 s for each of them in turn, over ten tries,
// and then reported "No such file or directory".
TEST_F(TallyFileLockTest, WaitForTheLockEndsAfterFiveSecondsInAll)
{
    write("earlier\n");
    QProcess holder;
    // Every second it locks a new file, puts it at the name and lets the old
    // one go.
    const QString round = QStringLiteral("exec 9>\"$0.new\"; flock 9; echo other >&9; mv \"$0.new\" \"$0\"; "
                                         "exec 8>&9 9>&-; ");
    ASSERT_NO_FATAL_FAILURE(
        startOther(holder, round + QStringLiteral("touch \"$1\"; while sleep 1; do ") + round + QStringLiteral("done")));

    QElapsedTimer clock;
    clock.start();
    try {
        file().AppendToTextFile();
        ADD_FAILURE() << "the save did not fail";
    } catch (const IOException &e) {
        EXPECT_EQ(e.message().toStdString(), "The file is in use by another program");
    }
    EXPECT_GE(clock.elapsed(), 4900) << "the save gave up before the 5 s were over";
    EXPECT_LT(clock.elapsed(), 8000);
    holder.kill();
    holder.waitForFinished(5000);
    EXPECT_EQ(contents(), QByteArray("other\n"));
}

// Regression guard: a save that created the file, lost the race for its lock
// to another copy that wrote a block into it, and then failed, removed the
// file with the other copy's block.
TEST_F(TallyFileLockTest, FailedSaveKeepsTheBlockOfACopyThatLockedTheNewFileFirst)
{
    ASSERT_FALSE(file().Exists());
    const QString name = path();
    g_beforeFlock = [name] {
        QProcess::execute(QStringLiteral("flock"), {name, QStringLiteral("sh"), QStringLiteral("-c"),
                                                    QStringLiteral("printf 'other copy\\n' >> \"$0\""), name});
    };
    std::unique_ptr<TextOutputStream> stream = file().CreateTextFile();
    ASSERT_FALSE(g_beforeFlock) << "the save took no lock";
    {
        FileSizeLimit limit(QFileInfo(path()).size() + 4);
        ASSERT_TRUE(limit.isSet());
        EXPECT_THROW(stream->Write(QStringLiteral("a block longer than the room left\n")), IOException);
    }
    EXPECT_EQ(contents(), QByteArray("other copy\n"));
}

TEST_F(TallyFileTest, FolderOrFileThatCannotBeWrittenIsReported)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    save(QStringLiteral("coach"));
    const QString existing = fileName(QStringLiteral("coach"), today());
    ASSERT_TRUE(QFile::setPermissions(path(existing), QFile::ReadOwner));
    button(9)->Push();
    playAuburnWins();
    button(11)->Push();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_EQ(contents(existing), block(1));

    // A new file in a folder that is not writable.
    const QFile::Permissions folderPermissions = QFile::permissions(platform.folder);
    ASSERT_TRUE(QFile::setPermissions(platform.folder, QFile::ReadOwner | QFile::ExeOwner));
    save(QStringLiteral("scout"));
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(button(11)->Enabled());
    QFile::setPermissions(platform.folder, folderPermissions);
    EXPECT_FALSE(QFileInfo::exists(path(fileName(QStringLiteral("scout"), today()))));
}

// The slashes of a month/day/year short date turn into hyphens; the test
// runs itself again under a locale whose short date has them.
TEST_F(TallyFileTest, SlashesOfTheShortDateBecomeHyphens)
{
    const char *marker = "ZENTORA_TALLY_DATE_CHILD";
    if (!qEnvironmentVariableIsSet(marker)) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(marker), QStringLiteral("1"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=TallyFileTest.SlashesOfTheShortDateBecomeHyphens")});
        ASSERT_TRUE(child.waitForFinished(30000));
        const QByteArray output = child.readAll();
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
        return;
    }
    const QString shortDate = QLocale::system().toString(today(), QLocale::ShortFormat);
    ASSERT_TRUE(shortDate.contains(QLatin1Char('/'))) << shortDate.toStdString();
    save(QStringLiteral("coach"));
    const QString name = QStringLiteral("coach-") + QString(shortDate).replace(QLatin1Char('/'), QLatin1Char('-')) +
                         QStringLiteral(".txt");
    EXPECT_EQ(joined(folderEntries()), joined({name}));
    EXPECT_EQ(contents(name), block(1));
}

// ---- the contact label and the list's Open handler ---------------------------------------

TEST_F(TallyFileTest, ContactLabelMailsItsAddressAndChangesNothing)
{
    Label *contact = label(26);
    const QString address = contact->Text();
    EXPECT_TRUE(address.contains(QLatin1Char('@'))) << address.toStdString();
    const QStringList before = windowState(w);

    EXPECT_FALSE(contact->userMouseDown(12, 7));

    EXPECT_EQ(joined(platform.urls), joined({QStringLiteral("mailto:") + address}));
    EXPECT_EQ(joined(windowState(w)), joined(before));
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_TRUE(folderEntries().isEmpty());
}

TEST_F(TallyFileTest, ListOpenHandlerDoesNothing)
{
    const QStringList before = windowState(w);
    w->Listbox1_Open(w->Listbox1());
    EXPECT_EQ(joined(windowState(w)), joined(before));
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
