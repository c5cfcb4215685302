#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#include <atomic>
#include <random>

namespace {
Platform *g_installed = nullptr;

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

QString QtPlatform::applicationFolder()
{
    return QCoreApplication::applicationDirPath();
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
