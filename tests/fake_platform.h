#pragma once

#include "platform.h"
#include "services.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Stands in for the desktop: records messages and links, answers with the
// shift state, date and folder a test sets, and makes random generators that
// are either seeded in sequence or read a script of draws.
class FakePlatform : public Platform
{
public:
    // One draw of a generator: its bounds and what it gave.
    struct Draw
    {
        int low;
        int high;
        int value;
        long sequence; // place among all draws logged, from 0
    };
    // A generator made while logging was on, with every draw it gave.
    struct Generator
    {
        qint64 madeAtNs; // on a monotonic clock
        std::vector<Draw> draws;
    };

    FakePlatform();
    ~FakePlatform() override;

    void showMessage(const QString &text) override;
    void openUrl(const QString &url) override;
    bool shiftKeyDown() override { return shift; }
    QDateTime now() override { return today; }
    // `folder`, opened when first asked for and again whenever a test has
    // pointed `folder` elsewhere.
    int applicationFolder() override;
    std::unique_ptr<RandomEngine> newRandomEngine() override;

    // Draws handed out in call order to every generator while not empty;
    // afterwards generators are seeded from `seed`, one after another.
    void scriptDraws(std::initializer_list<int> draws);
    bool scriptUsedUp() const { return script.empty(); }

private:
    QTemporaryDir m_dir; // the application's folder; made before `folder`
    FileDescriptor m_folderFd;
    QString m_openedFolder;

public:
    QStringList messages;
    QStringList urls;
    bool shift = false;
    QDateTime today;
    QString folder;
    std::uint64_t seed = 20101208;
    std::deque<int> script;
    // Consulted before a generator draws: a value it returns is the draw.
    std::function<std::optional<int>(int low, int high)> answer;
    long generatorsMade = 0;
    // While true, each new generator and its draws are appended to `log`.
    bool logging = false;
    std::vector<Generator> log;
    long drawsLogged = 0;
    // Runs while a message is "up", before it is dismissed.
    std::function<void(const QString &)> onMessage;
};
