#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#include <atomic>
#include <cerrno>
#include <random>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {
Platform *g_installed = nullptr;

// The application's folder as start-up found it.
int g_folder = -1;
int g_folderError = ENOENT;

class MtEngine : public RandomEngine
{
public:
    explicit MtEngine(std::uint64_t seed) : m_engine(seed) {}
    int inRange(int low, int high) override
    {
        if (high < low)
            std::swap(low, high);
        return std::uniform_int_distribution<int>(low, high)(m_engine);
    }

private:
    std::mt19937_64 m_engine;
};
}

Platform &Platform::instance()
{
    static QtPlatform desktop;
    return g_installed ? *g_installed : desktop;
}

void Platform::setInstance(Platform *platform)
{
    g_installed = platform;
}

void QtPlatform::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtPlatform::openUrl(const QString &url)
{
    // QDesktopServices hands the link to xdg-open and returns; a failure is
    // the desktop's to report.
    QDesktopServices::openUrl(QUrl(url));
}

bool QtPlatform::shiftKeyDown()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

QDateTime QtPlatform::now()
{
    return QDateTime::currentDateTime();
}

int QtPlatform::applicationFolder()
{
    if (g_folder < 0)
        errno = g_folderError;
    return g_folder;
}

void HoldApplicationFolder()
{
    if (g_folder >= 0)
        return;
    // The kernel names the running binary; its folder is opened by that
    // path once, now, and from then on reached only through the descriptor.
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0 || size_t(length) >= path.size()) {
        g_folderError = length < 0 ? errno : ENAMETOOLONG;
        return;
    }
    path.resize(size_t(length));
    const size_t slash = path.rfind('/');
    path = slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
    g_folder = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (g_folder < 0)
        g_folderError = errno;
}

std::unique_ptr<RandomEngine> QtPlatform::newRandomEngine()
{
    static std::random_device entropy;
    static std::atomic<std::uint64_t> counter{0};
    const std::uint64_t seed = (std::uint64_t(entropy()) << 32 | entropy()) ^
                               (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
    return makeSeededEngine(seed);
}

std::unique_ptr<RandomEngine> makeSeededEngine(std::uint64_t seed)
{
    return std::make_unique<MtEngine>(seed);
}

void MsgBox(const QString &text)
{
    Platform::instance().showMessage(text);
}

void ShowURL(const QString &url)
{
    Platform::instance().openUrl(url);
}

bool Keyboard::AsyncShiftKey()
{
    return Platform::instance().shiftKeyDown();
}
