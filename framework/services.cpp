#include "services.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocale>

#include <cerrno>

#include <fcntl.h>
#include <locale.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Random::Random() : m_engine(Platform::instance().newRandomEngine())
{
}

int Random::InRange(int low, int high)
{
    return m_engine->inRange(low, high);
}

Date::Date() : m_when(Platform::instance().now())
{
}

QString Date::ShortDate() const
{
    return QLocale::system().toString(m_when.date(), QLocale::ShortFormat);
}

namespace {

// The system's reason for an error number, in the program's own language.
QString systemReason(int error)
{
    static const locale_t english = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return QString::fromLocal8Bit(english ? strerror_l(error, english) : strerror(error));
}

// How long a save waits, in all, for another copy of the application to
// finish writing the same file.
constexpr int kLockWaitMs = 5000;
constexpr int kLockPollMs = 10;

IOException fileInUse()
{
    return IOException(QStringLiteral("The file is in use by another program"));
}

// Takes the exclusive lock on `fd`, waiting for another holder to let go
// until `deadline`. A file system that has no locks is written without one.
void lockFile(int fd, const QDeadlineTimer &deadline)
{
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return;
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            throw fileInUse();
        ::usleep(useconds_t(qMin<qint64>(left, kLockPollMs)) * 1000);
    }
}

// True when the file that `opened` describes is still the one at `name`: not
// removed or replaced while the lock was awaited.
bool isStillAtName(int folderFd, const QByteArray &name, const struct stat &opened)
{
    struct stat atName;
    return opened.st_nlink > 0 && ::fstatat(folderFd, name.constData(), &atName, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_dev == atName.st_dev && opened.st_ino == atName.st_ino;
}

const char *const kNotAPlainFile = "Its name is taken by something that is not a plain file";

// The reason for a failed open: what is at the name when it is not a plain
// file, else the system's reason.
IOException openFailure(int folderFd, const QByteArray &name, int error)
{
    struct stat info;
    if (::fstatat(folderFd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(info.st_mode))
            return IOException(QStringLiteral("Its name is taken by a symbolic link"));
        if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
            return IOException(QString::fromLatin1(kNotAPlainFile));
    }
    return IOException(systemReason(error));
}

// Opens the plain file `name` directly in the folder `folderFd` to write at
// its end, creating it when it is missing. The open itself refuses a symbolic
// link and does not wait for a pipe's reader; what it opened is then checked,
// so nothing that is not a plain file is ever written.
std::unique_ptr<TextOutputStream> openForAppend(int folderFd, const QString &name)
{
    FileDescriptor dir(::fcntl(folderFd, F_DUPFD_CLOEXEC, 0));
    if (dir.get() < 0)
        throw IOException(systemReason(errno));
    const QByteArray bareName = QFile::encodeName(name);
    const int flags = O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    const QDeadlineTimer deadline(kLockWaitMs);

    // A file removed or replaced between the steps below is opened anew.
    for (int attempt = 0;; ++attempt) {
        bool created = true;
        FileDescriptor file(::openat(dir.get(), bareName.constData(), flags | O_CREAT | O_EXCL, 0666));
        if (file.get() < 0 && errno == EEXIST) {
            created = false;
            file.reset(::openat(dir.get(), bareName.constData(), flags));
        }
        if (file.get() < 0) {
            if (errno == ENOENT && attempt < 10)
                continue;
            throw openFailure(dir.get(), bareName, errno);
        }
        struct stat info;
        if (::fstat(file.get(), &info) != 0)
            throw IOException(systemReason(errno));
        if (!S_ISREG(info.st_mode))
            throw IOException(QString::fromLatin1(kNotAPlainFile));
        const int statusFlags = ::fcntl(file.get(), F_GETFL);
        if (statusFlags != -1)
            ::fcntl(file.get(), F_SETFL, statusFlags & ~O_NONBLOCK);

        lockFile(file.get(), deadline);
        if (::fstat(file.get(), &info) != 0)
            throw IOException(systemReason(errno));
        if (!isStillAtName(dir.get(), bareName, info)) {
            // Removed or replaced while the lock was awaited: open it anew,
            // unless it keeps being replaced until the wait is over.
            if (attempt < 10 && !deadline.hasExpired())
                continue;
            throw fileInUse();
        }
        // Only an empty file of this save's own making is removed on failure.
        created = created && info.st_size == 0;
        return std::make_unique<TextOutputStream>(std::move(file), std::move(dir), name, qint64(info.st_size),
                                                  created);
    }
}

} // namespace

void FileDescriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

TextOutputStream::TextOutputStream(FileDescriptor &&file, FileDescriptor &&folder, QString name, qint64 sizeAtOpen,
                                   bool created)
    : m_file(file.release()), m_folder(folder.release()), m_name(std::move(name)), m_sizeAtOpen(sizeAtOpen),
      m_created(created)
{
}

void TextOutputStream::failAndRestore(int error)
{
    // Cut back what part of the text did reach the file, while the lock still
    // keeps other writers out. The descriptor writes straight to the file, so
    // there is no buffer left to flush first. Closing the file lets go of
    // the lock.
    const QByteArray name = QFile::encodeName(m_name);
    struct stat opened;
    if (m_created && ::fstat(m_file.get(), &opened) == 0 && isStillAtName(m_folder.get(), name, opened))
        ::unlinkat(m_folder.get(), name.constData(), 0);
    else if (::ftruncate(m_file.get(), off_t(m_sizeAtOpen)) != 0)
        qWarning("Could not cut %s back to its earlier size", name.constData());
    m_file.reset();
    m_folder.reset();
    throw IOException(systemReason(error));
}

void TextOutputStream::Write(const QString &text)
{
    if (m_file.get() < 0)
        throw IOException(QStringLiteral("The file is not open for writing"));
    const QByteArray bytes = text.toUtf8();
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_file.get(), bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            failAndRestore(n < 0 ? errno : EIO);
        done += n;
    }
}

void TextOutputStream::Close()
{
    if (m_file.get() < 0)
        return;
    // A file system may report a full disk only when the data goes out.
    if (::fsync(m_file.get()) != 0 && errno != EINVAL)
        failAndRestore(errno);
    // What was written is on the disk now; closing cannot lose it.
    m_file.reset();
    m_folder.reset();
}

bool FolderItem::Exists() const
{
    struct stat info;
    return ::fstatat(m_folder, QFile::encodeName(m_name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const
{
    // A file that appeared since the caller looked keeps its bytes.
    return openForAppend(m_folder, m_name);
}

std::unique_ptr<TextOutputStream> FolderItem::AppendToTextFile() const
{
    return openForAppend(m_folder, m_name);
}

FolderItem GetFolderItem(const QString &name)
{
    const int folder = Platform::instance().applicationFolder();
    if (folder < 0)
        throw IOException(systemReason(errno));
    return FolderItem(folder, name);
}
