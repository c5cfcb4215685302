#pragma once

#include "platform.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <deque>
#include <functional>

// Stands in for the desktop: records messages and links, answers with the
// shift state, date and folder a test sets, and makes random generators that
// are either seeded in sequence or read a script of draws.
class FakePlatform : public Platform
{
public:
    FakePlatform();
    ~FakePlatform() override;

    void showMessage(const QString &text) override;
    void openUrl(const QString &url) override;
    bool shiftKeyDown() override { return shift; }
    QDateTime now() override { return today; }
    QString applicationFolder() override { return folder; }
    std::unique_ptr<RandomEngine> newRandomEngine() override;

    // Draws handed out in call order to every generator while not empty;
    // afterwards generators are seeded from `seed`, one after another.
    void scriptDraws(std::initializer_list<int> draws);
    bool scriptUsedUp() const { return script.empty(); }

private:
    QTemporaryDir m_dir; // the application's folder; made before `folder`

public:
    QStringList messages;
    QStringList urls;
    bool shift = false;
    QDateTime today;
    QString folder;
    std::uint64_t seed = 20101208;
    std::deque<int> script;
    // Runs while a message is "up", before it is dismissed.
    std::function<void(const QString &)> onMessage;
};
