// The real application on an X display of its own, played with synthesized
// input at the layout's coordinates as a user plays it, and checked from
// outside the process: the window, a screenshot and the tally file it writes.
#include "window1_layout.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <set>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kTitle = QStringLiteral("So You Want A Zentora?");
constexpr int kContentWidth = 850;
constexpr int kContentHeight = 650;
constexpr int kTimerPeriodMs = 500;

// Polls `condition` every `stepMs` until it holds or `timeoutMs` have passed.
bool waitFor(const std::function<bool()> &condition, int timeoutMs, int stepMs = 20)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(stepMs);
    }
    return true;
}

const ControlRow &layoutRow(const char *name)
{
    for (const ControlRow &row : window1Layout()) {
        if (qstrcmp(row.name, name) == 0)
            return row;
    }
    ADD_FAILURE() << "no control " << name << " in the layout";
    return window1Layout().front();
}

// The lines a saved block must hold for these eight bracket entries and counts.
struct TallyBlock
{
    QStringList entries;
    std::vector<int> counts;
    int total() const
    {
        int sum = 0;
        for (int c : counts)
            sum += c;
        return sum;
    }
};

// Splits a tally file into its blocks; a line out of format fails the test.
std::vector<TallyBlock> parseTally(const QByteArray &bytes)
{
    std::vector<TallyBlock> blocks;
    EXPECT_TRUE(bytes.endsWith('\n')) << "the file does not end with a line ending";
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size() % 10, 1) << "not whole ten-line blocks:\n" << bytes.constData();
    static const QRegularExpression row(QStringLiteral("^([^\t]+)\t\\|\\| (\\d+)$"));
    for (int start = 0; start + 10 <= lines.size(); start += 10) {
        TallyBlock block;
        EXPECT_EQ(lines[start], QStringLiteral("TEAM (BCS#)_Strength\t|| Number of Wins"));
        for (int i = 1; i <= 8; ++i) {
            const QRegularExpressionMatch m = row.match(lines[start + i]);
            EXPECT_TRUE(m.hasMatch()) << "line " << start + i + 1 << ": " << lines[start + i].toStdString();
            block.entries << m.captured(1);
            block.counts.push_back(m.captured(2).toInt());
        }
        EXPECT_EQ(lines[start + 9], QStringLiteral("=========="));
        blocks.push_back(block);
    }
    return blocks;
}

// The number of finals an automatic replay plays when ReplayAll is pressed
// with the shift key down and the key is released `holdMs` later: a final
// falls at 1000 ms after its tournament's start and a new tournament starts
// every 1500 ms while the final before found the key down. Near a boundary
// both counts are accepted.
std::set<int> finalsForHold(qint64 holdMs, qint64 toleranceMs)
{
    std::set<int> counts;
    for (qint64 hold : {holdMs - toleranceMs, holdMs + toleranceMs}) {
        int finals = 1;
        while (2 * kTimerPeriodMs + 3 * kTimerPeriodMs * (finals - 1) < hold)
            ++finals;
        counts.insert(finals);
    }
    return counts;
}

// The tally rows of the tournament that playTournament() places.
const QStringList kBowlOrder = {
    QStringLiteral("Auburn (.9866)_4"),   QStringLiteral("Oregon (.9720)_10"),   QStringLiteral("TCU (.9102)_9"),
    QStringLiteral("Stanford (.8365)_8"), QStringLiteral("Wisconsin (.8041)_8"), QStringLiteral("Ohio State (.7660)_8"),
    QStringLiteral("Oklahoma (.7297)_7"), QStringLiteral("Arkansas (.7274)_7")};

// Starts an X server of its own with `args` added and sets `display` to the
// display it serves.
void startXvfb(QProcess &xvfb, const QStringList &args, QString &display)
{
    xvfb.setStandardErrorFile(QProcess::nullDevice());
    xvfb.start(QStringLiteral("Xvfb"), QStringList{QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                   QStringLiteral("-nolisten"), QStringLiteral("tcp")} + args);
    ASSERT_TRUE(xvfb.waitForStarted(5000)) << "Xvfb did not start";
    QByteArray number;
    ASSERT_TRUE(waitFor(
        [&] {
            xvfb.waitForReadyRead(50);
            number += xvfb.readAllStandardOutput();
            return number.contains('\n') || xvfb.state() == QProcess::NotRunning;
        },
        10000))
        << "Xvfb named no display";
    ASSERT_TRUE(number.contains('\n')) << "Xvfb ended before naming a display";
    display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
}

// Runs the application in `folder` with `env` until it ends by itself and
// returns all it printed; a run that does not end, or ends by a signal,
// fails the test.
QByteArray runUntilItEnds(QProcess &app, const QProcessEnvironment &env, const QString &folder)
{
    app.setProcessEnvironment(env);
    app.setWorkingDirectory(folder);
    app.setProcessChannelMode(QProcess::MergedChannels);
    app.start(QStringLiteral(ZENTORA_APP_BINARY), {});
    if (!app.waitForFinished(20000)) {
        ADD_FAILURE() << "the application did not end by itself";
        app.kill();
        app.waitForFinished(5000);
    }
    const QByteArray output = app.readAll();
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit) << "ended by a signal; it printed:\n" << output.constData();
    return output;
}

class EndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb); the end-to-end test needs it";
        for (const char *tool : {"xdotool", "xwininfo", "import"}) {
            ASSERT_FALSE(QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                << tool << " is not installed (packages xdotool, x11-utils, imagemagick)";
        }
        ASSERT_TRUE(m_runtimeDir.isValid());
        ASSERT_NO_FATAL_FAILURE(startDisplay());
    }

    void TearDown() override
    {
        if (m_app.state() != QProcess::NotRunning) {
            m_app.kill();
            m_app.waitForFinished(5000);
        }
        if (m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.terminate();
            if (!m_xvfb.waitForFinished(5000)) {
                m_xvfb.kill();
                m_xvfb.waitForFinished(5000);
            }
        }
        for (const QString &name : tallyFiles())
            QFile::remove(appDir().filePath(name));
    }

    // ---- the display and the application ----------------------------------

    void startDisplay()
    {
        ASSERT_NO_FATAL_FAILURE(startXvfb(m_xvfb, {QStringLiteral("-screen"), QStringLiteral("0"),
                                                   QStringLiteral("1280x1024x24")},
                                          m_display));
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("DISPLAY"), m_display);
        m_env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir.path());
        // Nothing of the machine's own desktop reaches the application: no
        // theme, style or scaling of its own, and a session bus that refuses
        // at once. A bus that does not answer holds the menu bar's set-up,
        // and with it the window, for 25 s.
        for (const char *name : {"QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR",
                                 "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                                 "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "XDG_CURRENT_DESKTOP",
                                 "DESKTOP_SESSION"})
            m_env.remove(QLatin1String(name));
        m_env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                     QStringLiteral("unix:path=") + m_runtimeDir.filePath(QStringLiteral("no-bus")));
    }

    // Starts the application; with a limit, files it writes may grow to
    // `fileSizeLimit` bytes (a limit it may lift), and crossing it raises the
    // signal at its default action, as under `ulimit -f` in a shell.
    void startApplication(qint64 fileSizeLimit = -1, const QString &binary = QStringLiteral(ZENTORA_APP_BINARY))
    {
        m_app.setChildProcessModifier([fileSizeLimit] {
            ::signal(SIGXFSZ, SIG_DFL);
            if (fileSizeLimit >= 0) {
                rlimit limit{};
                ::getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = rlim_t(fileSizeLimit);
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
        });
        m_app.setProcessEnvironment(m_env);
        m_app.setWorkingDirectory(m_runtimeDir.path());
        m_app.setProcessChannelMode(QProcess::MergedChannels);
        m_app.start(binary, {});
        ASSERT_TRUE(m_app.waitForStarted(5000)) << "the application did not start";
        ASSERT_TRUE(waitFor(
            [&] {
                const QStringList ids = tool(QStringLiteral("xdotool"),
                                             {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                              QStringLiteral("--name"), QStringLiteral("^So You Want A Zentora\\?$")})
                                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
                if (!ids.isEmpty())
                    m_window = ids.first();
                return !ids.isEmpty() || m_app.state() == QProcess::NotRunning;
            },
            20000, 50))
            << "no main window appeared; output: " << m_app.readAll().constData();
        ASSERT_FALSE(m_window.isEmpty()) << "the application ended: " << m_app.readAll().constData();
        m_menuBarHeight = infoField(windowInfo(m_window), "Height") - kContentHeight;
    }

    // Runs an X tool on the test's display and returns its standard output.
    QString tool(const QString &program, const QStringList &args, int timeoutMs = 10000)
    {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.start(program, args);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished(1000);
            ADD_FAILURE() << program.toStdString() << " " << args.join(QLatin1Char(' ')).toStdString()
                          << " did not finish";
            return QString();
        }
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }

    void xdotool(const QStringList &args) { tool(QStringLiteral("xdotool"), args); }

    QString windowInfo(const QString &id) { return tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}); }

    static int infoField(const QString &info, const char *field)
    {
        const QRegularExpression re(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(field)));
        const QRegularExpressionMatch m = re.match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    // The application's visible windows besides the main window, as (id, is a
    // popup) pairs: combo lists and menus are override-redirect popups, a
    // message box is a window of its own.
    std::vector<std::pair<QString, bool>> otherWindows()
    {
        std::vector<std::pair<QString, bool>> found;
        const QStringList ids = tool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                                 QStringLiteral("--class"), QStringLiteral("zentora")})
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &id : ids) {
            if (id == m_window)
                continue;
            found.emplace_back(id, windowInfo(id).contains(QLatin1String("Override Redirect State: yes")));
        }
        return found;
    }

    // Fails the test if a message box is up: it is captured, dismissed, and
    // the step that raised it is named.
    void failOnMessageBox(const std::vector<std::pair<QString, bool>> &windows, const char *step)
    {
        for (const auto &[id, popup] : windows) {
            if (popup)
                continue;
            const QString shot = artifact(QStringLiteral("e2e_message_box.png"));
            tool(QStringLiteral("import"), {QStringLiteral("-window"), id, shot});
            xdotool({QStringLiteral("windowfocus"), id, QStringLiteral("key"), QStringLiteral("Return")});
            FAIL() << "a message box appeared after " << step << " (captured in " << shot.toStdString() << ")";
        }
    }

    // Waits until the application has handled every input sent so far: a
    // right click on the user ID field opens its context menu only once the
    // clicks before it have been handled; Escape closes it again. A message
    // box raised by an earlier step fails the test.
    void settle(const char *step)
    {
        click("TextField15", 3);
        std::vector<std::pair<QString, bool>> windows;
        const bool opened = waitFor(
            [&] {
                windows = otherWindows();
                return !windows.empty();
            },
            10000);
        failOnMessageBox(windows, step);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(opened) << "the application stopped answering after " << step;
        xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        ASSERT_TRUE(waitFor([&] { return otherWindows().empty(); }, 10000)) << "a popup stayed open after " << step;
    }

    // Waits for a message box, captures it in `shotName`, and dismisses it.
    void dismissMessageBox(const QString &shotName)
    {
        QString box;
        ASSERT_TRUE(waitFor(
            [&] {
                for (const auto &[id, popup] : otherWindows()) {
                    if (!popup)
                        box = id;
                }
                return !box.isEmpty() || m_app.waitForFinished(0);
            },
            10000))
            << "no message box appeared";
        ASSERT_FALSE(box.isEmpty()) << "the application ended "
                                    << (m_app.exitStatus() == QProcess::CrashExit ? "by signal " : "with status ")
                                    << m_app.exitCode();
        tool(QStringLiteral("import"), {QStringLiteral("-window"), box, artifact(shotName)});
        xdotool({QStringLiteral("windowfocus"), box, QStringLiteral("key"), QStringLiteral("Return")});
        ASSERT_TRUE(waitFor([&] { return otherWindows().empty(); }, 10000)) << "the message box stayed open";
    }

    // ---- a whole tournament ------------------------------------------------

    // Teams 1 to 8 of the list, Auburn's strength lowered to 4, each slot
    // taking the pool's first entry, and the seven games.
    void playTournament()
    {
        const char *teamMenus[] = {"PopupMenu1", "PopupMenu2", "PopupMenu3", "PopupMenu4",
                                   "PopupMenu5", "PopupMenu6", "PopupMenu7", "PopupMenu8"};
        for (int n = 1; n <= 8; ++n)
            pick(teamMenus[n - 1], n);
        click("CheckBox1");
        ASSERT_NO_FATAL_FAILURE(settle("the team choice and the first DONE"));

        // Auburn's suggested strength 10 (row 9) down to 4 (row 3).
        pick("PopupMenu9", -6);
        click("CheckBox2");
        ASSERT_NO_FATAL_FAILURE(settle("the strength change and the second DONE"));

        for (const char *slot : {"PopupMenu17", "PopupMenu18", "PopupMenu19", "PopupMenu20", "PopupMenu21",
                                 "PopupMenu22", "PopupMenu23", "PopupMenu24"})
            pick(slot, 1);
        ASSERT_NO_FATAL_FAILURE(settle("placing the eight slots"));

        for (const char *play : {"PushButton1", "PushButton2", "PushButton3", "PushButton4", "PushButton5",
                                 "PushButton6", "PushButton7"})
            click(play);
        ASSERT_NO_FATAL_FAILURE(settle("the seven games"));
    }

    void typeUserId()
    {
        click("TextField15");
        xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), m_userId});
    }

    // ---- input at the layout's coordinates ---------------------------------

    QStringList at(const ControlRow &row) const
    {
        return {QStringLiteral("mousemove"), QStringLiteral("--window"), m_window,
                QString::number(row.left + row.width / 2), QString::number(m_menuBarHeight + row.top + row.height / 2)};
    }

    void click(const char *control, int button = 1)
    {
        xdotool(at(layoutRow(control)) + QStringList{QStringLiteral("click"), QString::number(button)});
    }

    // Opens a menu's list and moves `rows` rows down (up when negative) from
    // the shown row, then picks that row with Return.
    void pick(const char *menu, int rows)
    {
        QStringList args = at(layoutRow(menu)) + QStringList{QStringLiteral("click"), QStringLiteral("1"),
                                                             QStringLiteral("key"), QStringLiteral("--delay"),
                                                             QStringLiteral("20")};
        for (int i = 0; i < qAbs(rows); ++i)
            args << (rows > 0 ? QStringLiteral("Down") : QStringLiteral("Up"));
        args << QStringLiteral("Return");
        xdotool(args);
    }

    // ---- what the user sees and gets ---------------------------------------

    QImage screenshot(const QString &path)
    {
        tool(QStringLiteral("import"), {QStringLiteral("-window"), m_window, path});
        QImage image(path);
        EXPECT_FALSE(image.isNull()) << "no screenshot in " << path.toStdString();
        return image;
    }

    // The colour at a point of the window's content.
    QRgb contentPixel(const QImage &shot, int x, int y) const { return shot.pixel(x, m_menuBarHeight + y); }

    // The area of the fourteen Score fields, which every game repaints.
    QImage scoreArea(const QImage &shot) const
    {
        return shot.copy(20, m_menuBarHeight + 150, 730, 320);
    }

    static QString artifact(const QString &name)
    {
        QDir().mkpath(QStringLiteral(ZENTORA_ARTIFACT_DIR));
        return QDir(QStringLiteral(ZENTORA_ARTIFACT_DIR)).filePath(name);
    }

    static QDir appDir() { return QFileInfo(QStringLiteral(ZENTORA_APP_BINARY)).absoluteDir(); }

    QStringList tallyFiles() const
    {
        if (m_userId.isEmpty())
            return {};
        return appDir().entryList({m_userId + QStringLiteral("-*.txt")}, QDir::Files);
    }

    // Waits until the tally file holds `lines` lines and returns its bytes.
    QByteArray waitForTally(int lines)
    {
        QByteArray bytes;
        const bool complete = waitFor(
            [&] {
                const QStringList files = tallyFiles();
                if (files.size() != 1)
                    return false;
                QFile file(appDir().filePath(files.first()));
                if (!file.open(QIODevice::ReadOnly))
                    return false;
                bytes = file.readAll();
                return bytes.count('\n') >= lines;
            },
            10000);
        EXPECT_TRUE(complete) << "the tally file did not reach " << lines << " lines; it holds:\n" << bytes.constData();
        return bytes;
    }

    static QString shortDate(const QDate &date)
    {
        return QLocale::system().toString(date, QLocale::ShortFormat).replace(QLatin1Char('/'), QLatin1Char('-'));
    }

    static bool isColor(QRgb pixel, int r, int g, int b)
    {
        return qAbs(qRed(pixel) - r) < 40 && qAbs(qGreen(pixel) - g) < 40 && qAbs(qBlue(pixel) - b) < 40;
    }

    QTemporaryDir m_runtimeDir;
    QProcess m_xvfb;
    QProcess m_app;
    QProcessEnvironment m_env;
    QString m_display;
    QString m_window;
    QString m_userId;
    int m_menuBarHeight = 0;
};

TEST_F(EndToEndTest, WholeTournamentThenShiftReplayAllIsSavedBesideTheBinary)
{
    ASSERT_NO_FATAL_FAILURE(startApplication());
    // The window: its title, 850 pixels wide, and 650 pixels of content below
    // the menu bar.
    EXPECT_EQ(tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), m_window}).trimmed(), kTitle);
    const QString info = windowInfo(m_window);
    EXPECT_TRUE(info.contains(QStringLiteral("\"%1\"").arg(kTitle))) << info.toStdString();
    ASSERT_EQ(infoField(info, "Width"), kContentWidth) << info.toStdString();
    ASSERT_GT(m_menuBarHeight, 0) << "no menu bar above the content: " << info.toStdString();
    ASSERT_LT(m_menuBarHeight, 60) << "the content is not 650 high: " << info.toStdString();

    ASSERT_NO_FATAL_FAILURE(playTournament());

    // After the first final: the content where the layout puts it, and the
    // final's winner marked in orange in exactly one of its two Score fields.
    const QImage first = screenshot(artifact(QStringLiteral("e2e_first_final.png")));
    ASSERT_FALSE(first.isNull());
    const ControlRow &pasta = layoutRow("RoundRectangle1");
    const ControlRow &silver = layoutRow("RoundRectangle5");
    EXPECT_TRUE(isColor(contentPixel(first, pasta.left, pasta.top + 60), 255, 0, 0)) << "Pasta Bowl's red frame";
    EXPECT_TRUE(isColor(contentPixel(first, pasta.left + 60, pasta.top), 255, 0, 0)) << "Pasta Bowl's red frame";
    EXPECT_TRUE(isColor(contentPixel(first, silver.left + 60, silver.top + silver.height - 1), 0, 0, 0))
        << "Silver Bowl's black frame";
    int orange = 0;
    for (const char *field : {"TextField13", "TextField14"}) {
        const ControlRow &row = layoutRow(field);
        orange += isColor(contentPixel(first, row.left + row.width - 7, row.top + row.height / 2), 255, 152, 51);
    }
    EXPECT_EQ(orange, 1) << "the final's winner is not marked in exactly one Score field";

    m_userId = QStringLiteral("e2e-%1-%2").arg(m_app.processId()).arg(QDateTime::currentMSecsSinceEpoch());
    const QDate savedOn = QDate::currentDate();
    typeUserId();
    click("PushButton11");
    ASSERT_NO_FATAL_FAILURE(settle("Save_List"));

    const QByteArray once = waitForTally(10);
    const QStringList files = tallyFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files.first() == m_userId + QLatin1Char('-') + shortDate(savedOn) + QStringLiteral(".txt") ||
                files.first() == m_userId + QLatin1Char('-') + shortDate(QDate::currentDate()) + QStringLiteral(".txt"))
        << files.first().toStdString();
    std::vector<TallyBlock> blocks = parseTally(once);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].entries, kBowlOrder);
    EXPECT_EQ(blocks[0].total(), 1);
    EXPECT_EQ(std::count(blocks[0].counts.begin(), blocks[0].counts.end(), 1), 1);

    // ReplayAll with the shift key held: the tournament repeats by itself
    // until a final finds the key up.
    QElapsedTimer hold;
    xdotool({QStringLiteral("keydown"), QStringLiteral("shift")});
    hold.start();
    click("PushButton10");
    QThread::msleep(3250);
    xdotool({QStringLiteral("keyup"), QStringLiteral("shift")});
    const qint64 heldMs = hold.elapsed();

    // The repetition has ended once the Score fields stay unchanged for
    // longer than the gap between two of its steps.
    QImage last = scoreArea(screenshot(artifact(QStringLiteral("e2e_replay.png"))));
    QElapsedTimer unchanged;
    unchanged.start();
    ASSERT_TRUE(waitFor(
        [&] {
            const QImage now = scoreArea(screenshot(artifact(QStringLiteral("e2e_replay.png"))));
            if (now != last) {
                last = now;
                unchanged.restart();
            }
            return unchanged.elapsed() > 3 * kTimerPeriodMs;
        },
        20000, 100))
        << "the automatic replay did not stop after the shift key was released";

    ASSERT_NO_FATAL_FAILURE(settle("the automatic replay"));
    click("PushButton11");
    ASSERT_NO_FATAL_FAILURE(settle("the second Save_List"));
    blocks = parseTally(waitForTally(20));
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1].entries, kBowlOrder);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_GE(blocks[1].counts[i], blocks[0].counts[i]) << "a running total went down in row " << i;
    const std::set<int> automatic = finalsForHold(heldMs, 300);
    EXPECT_GT(blocks[1].total(), 1);
    EXPECT_TRUE(automatic.count(blocks[1].total() - 1))
        << "the second block counts " << blocks[1].total() << " titles after the shift key was held for " << heldMs
        << " ms, expected 1 + " << *automatic.begin() << " (or " << *automatic.rbegin() << ")";

    // Quit from the keyboard ends the process cleanly.
    xdotool(at(layoutRow("Label5")) + QStringList{QStringLiteral("key"), QStringLiteral("ctrl+q")});
    ASSERT_TRUE(m_app.waitForFinished(20000)) << "Quit did not end the application";
    EXPECT_EQ(m_app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_app.exitCode(), 0) << m_app.readAll().constData();
}

// Regression: under a file-size limit a save that crossed it ended the
// application by SIGXFSZ, and the file kept the part of the block that fitted.
TEST_F(EndToEndTest, SaveOverAFileSizeLimitFailsAndTheApplicationLives)
{
    m_userId = QStringLiteral("e2e-limit-%1").arg(QDateTime::currentMSecsSinceEpoch());
    const QString name = m_userId + QLatin1Char('-') + shortDate(QDate::currentDate()) + QStringLiteral(".txt");
    QByteArray earlier = "TEAM (BCS#)_Strength\t|| Number of Wins\n";
    for (const QString &entry : kBowlOrder)
        earlier += entry.toUtf8() + "\t|| 0\n";
    earlier += "==========\n";
    {
        QFile file(appDir().filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(earlier), earlier.size());
    }
    const auto tally = [&] {
        QFile file(appDir().filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    };

    // Room for 100 bytes of the next block.
    ASSERT_NO_FATAL_FAILURE(startApplication(earlier.size() + 100));
    ASSERT_NO_FATAL_FAILURE(playTournament());
    typeUserId();
    click("PushButton11");
    ASSERT_NO_FATAL_FAILURE(dismissMessageBox(QStringLiteral("e2e_file_too_large.png")));
    ASSERT_EQ(m_app.state(), QProcess::Running) << "the application ended: " << m_app.readAll().constData();
    EXPECT_EQ(tally(), earlier);
    ASSERT_NO_FATAL_FAILURE(settle("the refused save"));

    // Once the limit is lifted, Save_List, still enabled, appends one block.
    rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
    ASSERT_EQ(::prlimit(m_app.processId(), RLIMIT_FSIZE, &unlimited, nullptr), 0);
    click("PushButton11");
    ASSERT_NO_FATAL_FAILURE(settle("the second Save_List"));
    const QByteArray saved = waitForTally(20);
    EXPECT_TRUE(saved.startsWith(earlier));
    const std::vector<TallyBlock> blocks = parseTally(saved);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[1].entries, kBowlOrder);
    EXPECT_EQ(blocks[1].total(), 1);
}

// Regression: a save looked the application's folder up by its path: once
// the folder was renamed every save failed, with a link put at the old path
// the tally went into the folder the link named, and a folder whose name is
// not UTF-8 could never be saved to.
TEST_F(EndToEndTest, SavesGoToTheFolderTheBinaryStartedInWhateverBecomesOfItsName)
{
    QTemporaryDir place;
    ASSERT_TRUE(place.isValid());
    const QByteArray base = QFile::encodeName(place.path());
    const QByteArray started = base + "/caf\xe9"; // Latin-1
    const QByteArray moved = base + "/moved";
    const QByteArray elsewhere = base + "/elsewhere";
    ASSERT_EQ(::mkdir(started.constData(), 0755), 0);
    ASSERT_EQ(::mkdir(elsewhere.constData(), 0755), 0);
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTORA_APP_BINARY), place.filePath(QStringLiteral("zentora"))));
    ASSERT_EQ(::rename((base + "/zentora").constData(), (started + "/zentora").constData()), 0);
    // Started through a link of its own, as the folder's name has no text.
    ASSERT_EQ(::symlink((started + "/zentora").constData(), (base + "/launch").constData()), 0);
    ASSERT_NO_FATAL_FAILURE(startApplication(-1, place.filePath(QStringLiteral("launch"))));

    ASSERT_EQ(::rename(started.constData(), moved.constData()), 0);
    ASSERT_EQ(::symlink(elsewhere.constData(), started.constData()), 0);
    ASSERT_NO_FATAL_FAILURE(playTournament());
    m_userId = QStringLiteral("e2e-moved");
    typeUserId();
    click("PushButton11");
    ASSERT_NO_FATAL_FAILURE(settle("Save_List"));

    const QString name = m_userId + QLatin1Char('-') + shortDate(QDate::currentDate()) + QStringLiteral(".txt");
    QFile tally(QDir(QFile::decodeName(moved)).filePath(name));
    ASSERT_TRUE(waitFor([&] { return tally.size() > 0; }, 10000)) << "no tally in the folder the binary started in";
    ASSERT_TRUE(tally.open(QIODevice::ReadOnly));
    const std::vector<TallyBlock> blocks = parseTally(tally.readAll());
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].entries, kBowlOrder);
    EXPECT_TRUE(QDir(QFile::decodeName(elsewhere)).isEmpty());
}

// Guards against losing what Qt says while it starts: its messages are held
// back until the display is reached and must be handed on after a good start.
TEST_F(EndToEndTest, TheToolkitsWarningsFromItsStartAreHandedOn)
{
    // Qt warns of a style it does not know while it makes the QApplication.
    m_env.insert(QStringLiteral("QT_STYLE_OVERRIDE"), QStringLiteral("zentora-nosuch"));
    ASSERT_NO_FATAL_FAILURE(startApplication());
    QByteArray output;
    EXPECT_TRUE(waitFor(
        [&] {
            m_app.waitForReadyRead(50);
            output += m_app.readAll();
            return output.contains("'zentora-nosuch'");
        },
        3000))
        << "the warning was not handed on; the application printed:\n" << output.constData();
}

// Regression: a platform that does not exist was reported as a display that
// could not be reached, and Qt's reason, the missing plugin, was thrown away.
TEST_F(EndToEndTest, APlatformThatDoesNotExistEndsWithTheToolkitsReason)
{
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("zentora-nosuch"));
    const QByteArray output = runUntilItEnds(m_app, m_env, m_runtimeDir.path());
    EXPECT_NE(m_app.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("\"zentora-nosuch\"")) << "the missing plugin is not named:\n" << output.constData();
    EXPECT_TRUE(output.contains("xcb")) << "the available plugins are not named:\n" << output.constData();
    EXPECT_FALSE(output.contains("could not reach the graphical display")) << output.constData();
    EXPECT_FALSE(QFileInfo::exists(m_runtimeDir.filePath(QStringLiteral("core"))));
}

// The machine's environment without any display, its runtime folder `runtime`.
QProcessEnvironment withoutDisplay(const QString &runtime)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "QT_LOGGING_RULES"})
        env.remove(QLatin1String(variable));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    return env;
}

// The number of an X display that no server holds.
int unusedDisplayNumber()
{
    int free = 77;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(free)) ||
           QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(free)))
        ++free;
    return free;
}

// Expects the application to have ended with status 1 and the one line that
// says how to run it on a virtual display.
void expectTheDisplayLine(const QProcess &app, const QByteArray &output)
{
    EXPECT_EQ(app.exitCode(), 1) << output.constData();
    EXPECT_EQ(output.count('\n'), 1) << output.constData();
    EXPECT_TRUE(output.endsWith('\n')) << output.constData();
    EXPECT_TRUE(output.startsWith("zentora could not reach the graphical display")) << output.constData();
    EXPECT_TRUE(output.contains("xvfb-run -a ")) << output.constData();
}

// Regression: a display that could not be reached had Qt print five lines of
// its own and abort the process (a core file, exit status 134).
TEST(UnreachableDisplayTest, EndsTheApplicationWithOneLine)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const QProcessEnvironment base = withoutDisplay(runtime.path());
    const int free = unusedDisplayNumber();
    std::vector<std::pair<QString, QProcessEnvironment>> cases;
    QProcessEnvironment env = base;
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(free));
    cases.emplace_back(QStringLiteral("an X display with no server"), env);
    env = base;
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-%1").arg(free));
    cases.emplace_back(QStringLiteral("a Wayland display alone"), env);

    // An X server that admits only holders of a cookie the application lacks.
    QProcess xvfb;
    if (!QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        QFile cookies(runtime.filePath(QStringLiteral("cookies")));
        ASSERT_TRUE(cookies.open(QIODevice::WriteOnly));
        const auto field = [&](const QByteArray &bytes) {
            cookies.write(QByteArray(1, char(bytes.size() >> 8)) + QByteArray(1, char(bytes.size() & 0xff)) + bytes);
        };
        cookies.write(QByteArray::fromHex("0100")); // FamilyLocal
        field(QSysInfo::machineHostName().toLatin1());
        field(QByteArray());
        field("MIT-MAGIC-COOKIE-1");
        field(QByteArray::fromHex("00112233445566778899aabbccddeeff"));
        cookies.close();
        QString guarded;
        ASSERT_NO_FATAL_FAILURE(startXvfb(xvfb, {QStringLiteral("-auth"), cookies.fileName()}, guarded));
        env = base;
        env.insert(QStringLiteral("DISPLAY"), guarded);
        env.insert(QStringLiteral("XAUTHORITY"), runtime.filePath(QStringLiteral("no-cookies")));
        cases.emplace_back(QStringLiteral("an X display that refuses the connection"), env);
    }

    for (const auto &[what, environment] : cases) {
        SCOPED_TRACE(what.toStdString());
        QProcess app;
        expectTheDisplayLine(app, runUntilItEnds(app, environment, runtime.path()));
    }
    EXPECT_FALSE(QFileInfo::exists(runtime.filePath(QStringLiteral("core"))));
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }
}

// Regression: a logging rule that silenced the X plugin hid the failed
// connection, and Qt's advice to reinstall the application was printed.
TEST(UnreachableDisplayTest, EndsWithOneLineWhenLoggingRulesSilenceTheXPlugin)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QProcessEnvironment env = withoutDisplay(runtime.path());
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(unusedDisplayNumber()));
    for (const char *rules : {"qt.qpa.*=false", "*.warning=false", "qt.qpa.xcb.warning=false"}) {
        SCOPED_TRACE(rules);
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QLatin1String(rules));
        QProcess app;
        expectTheDisplayLine(app, runUntilItEnds(app, env, runtime.path()));
    }
    EXPECT_FALSE(QFileInfo::exists(runtime.filePath(QStringLiteral("core"))));
}

} // namespace
