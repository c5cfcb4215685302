// The framework's event rules on small test windows: when Change, Action and
// timer firings run, nesting, weak delegates, class tests and exceptions that
// leave a handler.
#include "fake_platform.h"
#include "property_block.h"
#include "window1.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Runs Qt's event loop for `ms` milliseconds, as a long handler might.
void spin(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void on(Control *control, int eventNumber, std::function<void()> handler)
{
    RuntimeAddEventHandler(control, eventNumber, RuntimeCreateDelegate(std::move(handler), QStringLiteral("( )")));
}

// A window whose hooks log when the framework calls them.
class HookWindow : public Window
{
public:
    explicit HookWindow(Log *log) : m_log(log) {}
    QString className() const override { return QStringLiteral("FrameworkTest.HookWindow"); }

protected:
    void Layout() override
    {
        m_log->push_back("Layout");
        SetProperties(this, encodeBlock({{"Width", 200}, {"Height", 120}, {"Title", "Hooks"}, {"Visible", true}}));
    }
    void CreateControls() override
    {
        m_log->push_back("CreateControls");
        for (const char *name : {"PopupMenu1", "PopupMenu2"}) {
            AddControl(QString::fromLatin1(name), New(RuntimeLookupClass(QStringLiteral("PopupMenu"))));
            Control *menu = ControlByName(QString::fromLatin1(name));
            on(menu, EventNumber::Open, [this, name] {
                // The other menu exists already when the first Open runs.
                const bool both = ControlByName(QStringLiteral("PopupMenu1")) && ControlByName(QStringLiteral("PopupMenu2"));
                m_log->push_back(std::string("Open ") + name + (both ? " (both exist)" : " (alone)"));
            });
        }
    }
    void AddMenuHandlers() override { m_log->push_back("AddMenuHandlers"); }

private:
    Log *m_log;
};

class FrameworkEventsTest : public ::testing::Test
{
protected:
    void TearDown() override { releaseWindowsAfterTest(); }

    template <class T> T *add(const char *cls, const char *name)
    {
        window->AddControl(QString::fromLatin1(name), window->New(RuntimeLookupClass(QString::fromLatin1(cls))));
        return RuntimeCheckCast<T>(window->ControlByName(QString::fromLatin1(name)));
    }

    PopupMenu *filledMenu(const char *name, int rows = 3)
    {
        auto *menu = add<PopupMenu>("PopupMenu", name);
        for (int i = 0; i < rows; ++i)
            menu->AddRow(QStringLiteral("row %1").arg(i));
        return menu;
    }

    // Closes the test window; the framework releases it afterwards.
    void closeWindow() { window.release()->Close(); }

    FakePlatform platform;
    std::unique_ptr<Window> window = std::make_unique<Window>();
    Log log;
};

// ---- PopupMenu ---------------------------------------------------------------------

TEST_F(FrameworkEventsTest, AddRowNeverSelects)
{
    auto *menu = add<PopupMenu>("PopupMenu", "PopupMenu1");
    int changes = 0;
    on(menu, EventNumber::Change, [&] { ++changes; });
    menu->AddRow(QStringLiteral("Choose"));
    menu->AddRow(QStringLiteral("Auburn (.9866)"));
    EXPECT_EQ(menu->ListCount(), 2);
    EXPECT_EQ(menu->ListIndex(), -1);
    EXPECT_EQ(menu->Text(), QString());
    EXPECT_EQ(static_cast<QComboBox *>(menu->widget())->currentIndex(), -1);
    EXPECT_EQ(changes, 0);

    menu->setListIndex(1);
    menu->AddRow(QStringLiteral("Oregon (.9720)"));
    EXPECT_EQ(menu->ListIndex(), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(FrameworkEventsTest, ChangeRunsOnlyWhenTheRowChanges)
{
    PopupMenu *menu = filledMenu("PopupMenu1");
    Log seen;
    on(menu, EventNumber::Change, [&] { seen.push_back(menu->Text().toStdString()); });

    menu->setListIndex(0);
    EXPECT_EQ(seen, Log{"row 0"});
    EXPECT_EQ(static_cast<QComboBox *>(menu->widget())->currentIndex(), 0);

    menu->setListIndex(0);
    menu->userSelect(0);
    EXPECT_EQ(seen, Log{"row 0"});

    menu->userSelect(2);
    EXPECT_EQ(seen, (Log{"row 0", "row 2"}));
    EXPECT_EQ(static_cast<QComboBox *>(menu->widget())->currentIndex(), 2);

    // The user picks the row the menu shows through the widget itself.
    Q_EMIT static_cast<QComboBox *>(menu->widget())->activated(2);
    EXPECT_EQ(seen.size(), 2u);
    Q_EMIT static_cast<QComboBox *>(menu->widget())->activated(1);
    EXPECT_EQ(seen, (Log{"row 0", "row 2", "row 1"}));
}

TEST_F(FrameworkEventsTest, DisabledMenuIgnoresTheUser)
{
    PopupMenu *menu = filledMenu("PopupMenu9");
    int changes = 0;
    on(menu, EventNumber::Change, [&] { ++changes; });
    menu->setEnabled(false);
    menu->userSelect(1);
    EXPECT_EQ(menu->ListIndex(), -1);
    EXPECT_EQ(changes, 0);
    // Code may still select.
    menu->setListIndex(1);
    EXPECT_EQ(changes, 1);
}

TEST_F(FrameworkEventsTest, SettingListIndexInsideChangeNests)
{
    PopupMenu *first = filledMenu("PopupMenu1");
    PopupMenu *second = filledMenu("PopupMenu9");
    on(first, EventNumber::Change, [&] {
        log.push_back("first begins");
        second->setListIndex(first->ListIndex());
        log.push_back("first ends");
    });
    on(second, EventNumber::Change, [&] {
        log.push_back("second at depth " + std::to_string(Dispatcher::depth()));
    });
    first->userSelect(1);
    EXPECT_EQ(log, (Log{"first begins", "second at depth 2", "first ends"}));
    EXPECT_EQ(second->ListIndex(), 1);
}

TEST_F(FrameworkEventsTest, ChangeHandlerResettingItsOwnMenuRunsOnceMore)
{
    // As the team menus do after refusing a duplicate: back to row 0.
    PopupMenu *menu = filledMenu("PopupMenu1");
    menu->setListIndex(0);
    on(menu, EventNumber::Change, [&] {
        log.push_back("sees " + std::to_string(menu->ListIndex()));
        if (menu->ListIndex() != 0)
            menu->setListIndex(0);
    });
    menu->userSelect(2);
    EXPECT_EQ(log, (Log{"sees 2", "sees 0"}));
    EXPECT_EQ(menu->ListIndex(), 0);
}

TEST_F(FrameworkEventsTest, ListIndexOutOfRangeRaises)
{
    PopupMenu *menu = filledMenu("PopupMenu1", 3);
    int changes = 0;
    on(menu, EventNumber::Change, [&] { ++changes; });
    EXPECT_THROW(menu->setListIndex(3), OutOfBoundsException);
    EXPECT_THROW(menu->setListIndex(-2), OutOfBoundsException);
    EXPECT_THROW(menu->List(3), OutOfBoundsException);
    EXPECT_EQ(menu->ListIndex(), -1);
    EXPECT_EQ(changes, 0);
    auto *empty = add<PopupMenu>("PopupMenu", "PopupMenu17");
    EXPECT_THROW(empty->setListIndex(0), OutOfBoundsException);
}

// ---- CheckBox and PushButton --------------------------------------------------------

TEST_F(FrameworkEventsTest, CheckBoxValueFromCodeRaisesNoAction)
{
    auto *box = add<CheckBox>("CheckBox", "CheckBox1");
    std::vector<bool> seen;
    on(box, EventNumber::Action, [&] { seen.push_back(box->Value()); });
    box->setValue(true);
    box->setValue(true);
    box->setValue(false);
    EXPECT_TRUE(seen.empty());

    box->userClick();
    EXPECT_EQ(seen, std::vector<bool>{true});
    // A click on the widget itself.
    static_cast<QCheckBox *>(box->widget())->click();
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(box->Value());

    box->setEnabled(false);
    box->userClick();
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_FALSE(box->Value());
}

TEST_F(FrameworkEventsTest, PushRunsTheHandlerAtOnceAndNested)
{
    auto *outer = add<PushButton>("PushButton", "PushButton1");
    auto *inner = add<PushButton>("PushButton", "PushButton2");
    on(outer, EventNumber::Action, [&] {
        log.push_back("outer begins");
        inner->Push();
        log.push_back("outer ends");
    });
    on(inner, EventNumber::Action, [&] { log.push_back("inner at depth " + std::to_string(Dispatcher::depth())); });
    log.push_back("before");
    outer->Push();
    log.push_back("after");
    EXPECT_EQ(log, (Log{"before", "outer begins", "inner at depth 2", "outer ends", "after"}));
}

TEST_F(FrameworkEventsTest, DisabledButtonDoesNothingAndEnabledRaisesNoEvent)
{
    auto *button = add<PushButton>("PushButton", "PushButton1");
    int actions = 0;
    on(button, EventNumber::Action, [&] { ++actions; });
    button->setEnabled(false);
    EXPECT_FALSE(button->widget()->isEnabled());
    button->Push();
    static_cast<QPushButton *>(button->widget())->click();
    EXPECT_EQ(actions, 0);
    button->setEnabled(true);
    EXPECT_EQ(actions, 0);
    static_cast<QPushButton *>(button->widget())->click();
    EXPECT_EQ(actions, 1);
}

TEST_F(FrameworkEventsTest, MouseDownPassesPositionAndReturnsTheHandlersAnswer)
{
    auto *label = add<Label>("Label", "Label26");
    int gotX = -1, gotY = -1;
    auto delegate = std::make_shared<const Delegate>(
        window.get(),
        [&](Object *, const EventArgs &args) {
            gotX = args.x;
            gotY = args.y;
            return true;
        },
        QStringLiteral("( Label, Int32, Int32 ) as Boolean"), true);
    RuntimeAddEventHandler(label, EventNumber::MouseDown, delegate);
    EXPECT_TRUE(label->userMouseDown(7, 3));
    EXPECT_EQ(gotX, 7);
    EXPECT_EQ(gotY, 3);
}

// ---- timers -------------------------------------------------------------------------

TEST_F(FrameworkEventsTest, TimerModeOneFiresOnceAPeriodLater)
{
    auto *timer = add<Timer>("Timer", "Timer1");
    int firings = 0;
    on(timer, EventNumber::TimerAction, [&] { ++firings; });
    timer->setPeriod(5);
    timer->setMode(1);
    EXPECT_EQ(firings, 0);
    spin(80);
    EXPECT_EQ(firings, 1);
    EXPECT_EQ(timer->Mode(), 0);
    timer->setMode(1);
    timer->setMode(0);
    spin(40);
    EXPECT_EQ(firings, 1);
}

TEST_F(FrameworkEventsTest, TimerFiringWaitsForTheRunningHandler)
{
    auto *timer = add<Timer>("Timer", "Timer1");
    timer->setPeriod(5);
    on(timer, EventNumber::TimerAction, [&] { log.push_back("timer"); });
    {
        HandlerScope running;
        log.push_back("handler begins");
        timer->setMode(1);
        spin(60);
        log.push_back("handler ends");
    }
    EXPECT_EQ(log, (Log{"handler begins", "handler ends", "timer"}));
}

TEST_F(FrameworkEventsTest, TimerFiringWaitsForARaisedEvent)
{
    auto *timer = add<Timer>("Timer", "Timer2");
    auto *button = add<PushButton>("PushButton", "PushButton10");
    timer->setPeriod(5);
    bool actionRunning = false;
    on(timer, EventNumber::TimerAction, [&] { log.push_back(actionRunning ? "timer inside action" : "timer"); });
    on(button, EventNumber::Action, [&] {
        actionRunning = true;
        log.push_back("action begins");
        timer->setMode(1);
        spin(60);
        log.push_back("action ends");
        actionRunning = false;
    });
    // Through the widget, as a click arrives from Qt's loop.
    static_cast<QPushButton *>(button->widget())->click();
    EXPECT_EQ(log, (Log{"action begins", "action ends", "timer"}));
}

TEST_F(FrameworkEventsTest, ClosedWindowsTimerNeverFires)
{
    auto *timer = add<Timer>("Timer", "Timer3");
    int firings = 0;
    on(timer, EventNumber::TimerAction, [&] { ++firings; });
    timer->setPeriod(5);
    timer->setMode(1);
    closeWindow();
    spin(60);
    EXPECT_EQ(firings, 0);
}

TEST_F(FrameworkEventsTest, WaitingFiringIsDroppedWhenTheWindowCloses)
{
    auto *timer = add<Timer>("Timer", "Timer1");
    int firings = 0;
    on(timer, EventNumber::TimerAction, [&] { ++firings; });
    timer->setPeriod(5);
    {
        HandlerScope running;
        timer->setMode(1);
        spin(40); // the firing falls due and waits
        closeWindow();
    }
    spin(20);
    EXPECT_EQ(firings, 0);
}

TEST_F(FrameworkEventsTest, MainWindowsTimerStopsWithTheWindow)
{
    Window1 *w = Window1::Window1_();
    Timer *timer = w->Timer1();
    timer->setPeriod(5);
    timer->setMode(1);
    w->Close();
    spin(60);
    // A firing would have reached the closed window's handler and raised.
    EXPECT_FALSE(Dispatcher::hasPendingException());
}

// ---- window building and delegates --------------------------------------------------

TEST_F(FrameworkEventsTest, ConstructorCallsHooksThenOpenEvents)
{
    auto built = std::make_unique<HookWindow>(&log);
    HookWindow *hooks = built.release(); // open windows are the framework's
    hooks->Constructor();
    EXPECT_EQ(log, (Log{"Layout", "CreateControls", "AddMenuHandlers", "Open PopupMenu1 (both exist)",
                        "Open PopupMenu2 (both exist)"}));
    EXPECT_EQ(GetImplicitWindow(QStringLiteral("FrameworkTest.HookWindow")), hooks);
    EXPECT_TRUE(hooks->frame()->isVisible());
    hooks->Constructor();
    EXPECT_EQ(log.size(), 5u);

    QPointer<Control> menu = hooks->ControlByName(QStringLiteral("PopupMenu1"));
    hooks->Close();
    EXPECT_EQ(GetImplicitWindow(QStringLiteral("FrameworkTest.HookWindow")), nullptr);
    EXPECT_FALSE(hooks->frame()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(menu.isNull());
}

TEST_F(FrameworkEventsTest, WeakDelegateOfAGoneWindowRaises)
{
    auto *button = add<PushButton>("PushButton", "PushButton1");
    bool ran = false;
    const Invoker invoker = [&](Object *, const EventArgs &) {
        ran = true;
        return false;
    };
    auto weak = std::make_shared<const Delegate>(window.get(), invoker, QStringLiteral("( PushButton )"), true);
    RuntimeAddEventHandler(button, EventNumber::Action, weak);
    button->Push();
    EXPECT_TRUE(ran);

    ran = false;
    Window *closing = window.get();
    closeWindow();
    ASSERT_TRUE(closing->isClosed());
    EXPECT_THROW(button->Push(), NilObjectException);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_THROW(weak->invoke(EventArgs{}), NilObjectException);
    EXPECT_FALSE(ran);
}

TEST_F(FrameworkEventsTest, MainWindowHandlerAfterCloseRaisesAndRunsNothing)
{
    Window1 *w = Window1::Window1_();
    CheckBox *done = w->CheckBox1();
    w->Close();
    EXPECT_THROW(done->userClick(), NilObjectException);
    EXPECT_TRUE(w->team.isEmpty());
}

TEST_F(FrameworkEventsTest, CheckCastPassesClassSubclassesAndNil)
{
    auto *menu = add<PopupMenu>("PopupMenu", "PopupMenu1");
    EXPECT_EQ(RuntimeCheckCast<PopupMenu>(menu), menu);
    EXPECT_EQ(RuntimeCheckCast<RectControl>(menu), menu);
    EXPECT_EQ(RuntimeCheckCast<Control>(menu), menu);
    EXPECT_EQ(RuntimeCheckCast<PopupMenu>(nullptr), nullptr);
    EXPECT_THROW(RuntimeCheckCast<CheckBox>(menu), IllegalCastException);
    EXPECT_THROW(RuntimeCheckCast<Window>(menu), IllegalCastException);

    std::unique_ptr<Object> timer(RuntimeNewObject(RuntimeLookupClass(QStringLiteral("Window1.Timer2"))));
    EXPECT_NE(RuntimeCheckCast<Timer>(timer.get()), nullptr);
    EXPECT_NE(RuntimeCheckCast<Window1Timer<2>>(timer.get()), nullptr);
    EXPECT_THROW(RuntimeCheckCast<Window1Timer<1>>(timer.get()), IllegalCastException);

    EXPECT_NE(RuntimeCheckCast<Window>(window.get()), nullptr);
    EXPECT_THROW(RuntimeCheckCast<Window1>(window.get()), IllegalCastException);
}

// ---- exceptions leaving a handler ---------------------------------------------------

TEST_F(FrameworkEventsTest, ExceptionFromDeliveredEventIsKept)
{
    EXPECT_NO_THROW(RuntimeDeliverEvent([] { throw OutOfBoundsException(QStringLiteral("no row 11")); }));
    EXPECT_TRUE(Dispatcher::hasPendingException());
    EXPECT_EQ(Dispatcher::depth(), 0);
    // Nothing more runs while the loop is on its way out.
    bool later = false;
    RuntimeDeliverEvent([&] { later = true; });
    EXPECT_FALSE(later);

    std::exception_ptr kept = Dispatcher::takePendingException();
    ASSERT_TRUE(kept);
    EXPECT_FALSE(Dispatcher::hasPendingException());
    try {
        std::rethrow_exception(kept);
    } catch (const OutOfBoundsException &e) {
        EXPECT_EQ(e.message(), QStringLiteral("no row 11"));
    } catch (...) {
        ADD_FAILURE() << "another exception was kept";
    }
}

TEST_F(FrameworkEventsTest, ExceptionFromAClickDoesNotEscapeQt)
{
    auto *button = add<PushButton>("PushButton", "PushButton1");
    on(button, EventNumber::Action, [] { throw NilObjectException(QStringLiteral("nil")); });
    EXPECT_NO_THROW(static_cast<QPushButton *>(button->widget())->click());
    EXPECT_TRUE(Dispatcher::hasPendingException());
    EXPECT_THROW(std::rethrow_exception(Dispatcher::takePendingException()), NilObjectException);
}

} // namespace
