#include "display.h"

#include <QApplication>
#include <QLoggingCategory>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

const char *displayName()
{
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char *name = std::getenv(variable);
        if (name && *name)
            return name;
    }
    return nullptr;
}

bool haveDisplay()
{
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    return (platform && *platform) || displayName();
}

// While Qt connects to the display, its messages and whatever the display's
// client library writes to standard error are held back. When the platform
// cannot start, Qt prints several lines of its own and aborts the process;
// the application ends it with status 1 instead: with one line that says how
// to run it on a virtual display when the display cannot be reached, and with
// everything Qt said when the platform itself failed to start.
//
// The display counts as unreachable when the X platform plugin spoke under
// its own logging category before the end: it was found and loaded then, and
// the one way it fails to start is a connection that failed (no server, a
// server that refuses us, a name that is not a display). A plugin that is
// missing or does not load is reported under "qt.qpa.plugin", and the end
// itself under "default", whatever the cause.
//
// The user's logging rules may turn that category's warnings off. While Qt
// connects, its warnings are kept on so that a failed connection is still
// seen; those that the rules turn off are held but never handed on.
struct HeldMessage
{
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
    bool allowed; // whether the user's logging rules let it through
};

constexpr char kDisplayConnectionCategory[] = "qt.qpa.xcb";

QLoggingCategory::CategoryFilter g_rulesFilter = nullptr; // applies the user's logging rules
std::atomic<bool> g_rulesAllowDisplayWarnings{true};

// Applies the user's rules, then keeps the display connection's warnings on.
// While it is being installed, the categories it is called for already
// carry the rules.
void keepDisplayWarningsOn(QLoggingCategory *category)
{
    if (g_rulesFilter)
        g_rulesFilter(category);
    if (qstrcmp(category->categoryName(), kDisplayConnectionCategory) != 0)
        return;
    g_rulesAllowDisplayWarnings = category->isWarningEnabled();
    category->setEnabled(QtWarningMsg, true);
}

// Whether Qt ends the process at a warning, as QT_FATAL_WARNINGS asks.
bool warningsAreFatal()
{
    const QByteArray value = qgetenv("QT_FATAL_WARNINGS");
    bool number = false;
    const int count = value.toInt(&number, 0);
    return !value.isEmpty() && (!number || count != 0);
}

// Puts the user's rules back in charge of every category.
void restoreLoggingRules()
{
    if (g_rulesFilter)
        QLoggingCategory::installFilter(g_rulesFilter);
    g_rulesFilter = nullptr;
}

std::mutex g_heldLock;
std::vector<HeldMessage> g_held;
bool g_displayUnreachable = false;
QtMessageHandler g_qtHandler = nullptr; // Qt's handler, which the held messages go to
const char *g_program = "zentora";
int g_stderr = STDERR_FILENO;   // standard error while the capture stands in for it
int g_captured = -1;            // what was written to standard error meanwhile

// Sends standard error to a file of its own until releaseStderr().
void captureStderr()
{
    const int capture = ::memfd_create("zentora-connect", MFD_CLOEXEC);
    const int saved = capture >= 0 ? ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0) : -1;
    if (saved < 0 || ::dup2(capture, STDERR_FILENO) < 0) {
        if (capture >= 0)
            ::close(capture);
        if (saved >= 0)
            ::close(saved);
        return;
    }
    g_stderr = saved;
    g_captured = capture;
}

// Puts standard error back and writes what it was sent in the meantime.
void releaseStderr()
{
    if (g_captured < 0)
        return;
    std::fflush(stderr);
    ::dup2(g_stderr, STDERR_FILENO);
    ::close(g_stderr);
    g_stderr = STDERR_FILENO;
    char buffer[4096];
    ssize_t n;
    ::lseek(g_captured, 0, SEEK_SET);
    while ((n = ::read(g_captured, buffer, sizeof buffer)) > 0) {
        if (::write(STDERR_FILENO, buffer, size_t(n)) != n)
            break;
    }
    ::close(g_captured);
    g_captured = -1;
}

// Hands the held-back messages to Qt's handler. A fatal one is printed only:
// the abort that follows it comes from Qt's message output, not the handler.
void replayHeldMessages()
{
    std::vector<HeldMessage> held;
    {
        const std::lock_guard<std::mutex> hold(g_heldLock);
        held.swap(g_held);
    }
    const auto orNull = [](const QByteArray &text) { return text.isNull() ? nullptr : text.constData(); };
    for (const HeldMessage &m : held) {
        if (!m.allowed)
            continue;
        const QMessageLogContext context(orNull(m.file), m.line, orNull(m.function), orNull(m.category));
        g_qtHandler(m.type, context, m.text);
    }
}

void holdBackWhileConnecting(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const bool fromDisplay = context.category && qstrcmp(context.category, kDisplayConnectionCategory) == 0;
    const bool allowed = !fromDisplay || type != QtWarningMsg || g_rulesAllowDisplayWarnings;
    bool unreachable = false;
    {
        const std::lock_guard<std::mutex> hold(g_heldLock);
        g_held.push_back({type, context.file, context.function, context.category, context.line, text, allowed});
        if (fromDisplay)
            g_displayUnreachable = true;
        unreachable = g_displayUnreachable;
    }
    if (type != QtFatalMsg)
        return;
    if (unreachable) {
        const char *name = displayName();
        ::dprintf(g_stderr, "zentora could not reach the graphical display%s%s%s; to run it on a virtual one: xvfb-run -a %s\n",
                  name ? " \"" : "", name ? name : "", name ? "\"" : "", g_program);
    } else {
        qInstallMessageHandler(g_qtHandler);
        releaseStderr();
        replayHeldMessages();
    }
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> ConnectToDisplay(int &argc, char **argv)
{
    g_program = argv[0];
    if (!haveDisplay()) {
        std::fprintf(stderr, "zentora needs a graphical display; without one, run it as: xvfb-run -a %s\n", argv[0]);
        std::exit(1);
    }
    captureStderr();
    // Under fatal warnings a warning that the rules turn off must stay off.
    if (!warningsAreFatal())
        g_rulesFilter = QLoggingCategory::installFilter(keepDisplayWarningsOn);
    g_qtHandler = qInstallMessageHandler(holdBackWhileConnecting);
    auto app = std::make_unique<QApplication>(argc, argv);
    restoreLoggingRules();
    qInstallMessageHandler(g_qtHandler);
    releaseStderr();
    replayHeldMessages();
    return app;
}
