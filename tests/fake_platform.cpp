#include "fake_platform.h"

namespace {
class ScriptedEngine : public RandomEngine
{
public:
    ScriptedEngine(FakePlatform *platform, std::unique_ptr<RandomEngine> fallback)
        : m_platform(platform), m_fallback(std::move(fallback))
    {
    }
    int inRange(int low, int high) override
    {
        if (!m_platform->script.empty()) {
            const int value = m_platform->script.front();
            m_platform->script.pop_front();
            return value;
        }
        return m_fallback->inRange(low, high);
    }

private:
    FakePlatform *m_platform;
    std::unique_ptr<RandomEngine> m_fallback;
};
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

std::unique_ptr<RandomEngine> FakePlatform::newRandomEngine()
{
    return std::make_unique<ScriptedEngine>(this, makeSeededEngine(seed++));
}

void FakePlatform::scriptDraws(std::initializer_list<int> draws)
{
    script.assign(draws.begin(), draws.end());
}
