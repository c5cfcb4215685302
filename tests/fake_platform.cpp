#include "fake_platform.h"

#include <QElapsedTimer>
#include <QFile>

#include <fcntl.h>

namespace {
class ScriptedEngine : public RandomEngine
{
public:
    ScriptedEngine(FakePlatform *platform, std::unique_ptr<RandomEngine> fallback, long logIndex)
        : m_platform(platform), m_fallback(std::move(fallback)), m_logIndex(logIndex)
    {
    }
    int inRange(int low, int high) override
    {
        const int value = draw(low, high);
        if (m_logIndex >= 0 && size_t(m_logIndex) < m_platform->log.size())
            m_platform->log[size_t(m_logIndex)].draws.push_back({low, high, value, m_platform->drawsLogged++});
        return value;
    }

private:
    int draw(int low, int high)
    {
        if (!m_platform->script.empty()) {
            const int value = m_platform->script.front();
            m_platform->script.pop_front();
            return value;
        }
        if (m_platform->answer) {
            if (const std::optional<int> value = m_platform->answer(low, high))
                return *value;
        }
        return m_fallback->inRange(low, high);
    }

    FakePlatform *m_platform;
    std::unique_ptr<RandomEngine> m_fallback;
    long m_logIndex; // -1 when not logged
};

qint64 monotonicNs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.nsecsElapsed();
}
}

FakePlatform::FakePlatform()
    : today(QDateTime(QDate(2026, 12, 8), QTime(12, 0))), folder(m_dir.path())
{
    Platform::setInstance(this);
}

FakePlatform::~FakePlatform()
{
    Platform::setInstance(nullptr);
}

void FakePlatform::showMessage(const QString &text)
{
    messages.append(text);
    if (onMessage)
        onMessage(text);
}

void FakePlatform::openUrl(const QString &url)
{
    urls.append(url);
}

int FakePlatform::applicationFolder()
{
    if (m_folderFd.get() < 0 || m_openedFolder != folder) {
        m_folderFd.reset(::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        m_openedFolder = folder;
    }
    return m_folderFd.get();
}

std::unique_ptr<RandomEngine> FakePlatform::newRandomEngine()
{
    ++generatorsMade;
    long logIndex = -1;
    if (logging) {
        logIndex = long(log.size());
        log.push_back({monotonicNs(), {}});
    }
    return std::make_unique<ScriptedEngine>(this, makeSeededEngine(seed++), logIndex);
}

void FakePlatform::scriptDraws(std::initializer_list<int> draws)
{
    script.assign(draws.begin(), draws.end());
}
