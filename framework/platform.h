#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>

// A source of uniform integers for one Random object.
class RandomEngine
{
public:
    virtual ~RandomEngine() = default;
    // Uniform integer in [low, high], both bounds included.
    virtual int inRange(int low, int high) = 0;
};

// Everything the program meets outside itself goes through this one seam:
// what a user sees or answers, what the desktop does with a link, the shift
// key, today's date, the application's folder and the random generators.
// Tests install a stand-in with setInstance().
class Platform
{
public:
    virtual ~Platform() = default;

    // Shows a modal message; returns once the user has dismissed it.
    virtual void showMessage(const QString &text) = 0;
    // Hands a web or mailto link to the desktop; never blocks, never fails.
    virtual void openUrl(const QString &url) = 0;
    // Live state of the shift key.
    virtual bool shiftKeyDown() = 0;
    virtual QDateTime now() = 0;
    // The folder that held the application's binary at start-up, as a
    // descriptor that stays open on it whatever becomes of its name; the
    // platform keeps it. -1, with errno set, when it could not be opened.
    virtual int applicationFolder() = 0;
    // A new, independent generator.
    virtual std::unique_ptr<RandomEngine> newRandomEngine() = 0;

    static Platform &instance();
    // Installs `platform` (not owned); nullptr restores the desktop's.
    static void setInstance(Platform *platform);
};

// The real desktop, on Qt.
class QtPlatform : public Platform
{
public:
    void showMessage(const QString &text) override;
    void openUrl(const QString &url) override;
    bool shiftKeyDown() override;
    QDateTime now() override;
    int applicationFolder() override;
    std::unique_ptr<RandomEngine> newRandomEngine() override;
};

// A Mersenne-Twister engine; the desktop seeds each one from the system's
// entropy and a counter, so two made in the same instant still differ.
std::unique_ptr<RandomEngine> makeSeededEngine(std::uint64_t seed);

// Opens the folder that holds the running binary, found from the binary
// itself with its name kept as the system's bytes, for the desktop's
// applicationFolder(). Called once, at start-up.
void HoldApplicationFolder();

// ---- framework functions that go through the seam -----------------------------

void MsgBox(const QString &text);
void ShowURL(const QString &url);

namespace Keyboard {
bool AsyncShiftKey();
}
