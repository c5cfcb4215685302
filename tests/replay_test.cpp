// Replay, the automatic replay on the three timers (fired by the test), the
// shift-key repetition, Restart at any moment, and a long automatic soak.
#include "window_fixture.h"
#include "window_state.h"

#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <QThread>

#include <unistd.h>

#include <fstream>

namespace {

const QString kOrange = QStringLiteral("RGB(255,152,51)");
const QString kWhite = QStringLiteral("RGB(255,255,255)");

// Runs the real event loop for `ms` milliseconds.
void runEventLoopFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

// The process's resident memory in bytes.
long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

class ReplayTest : public MainWindowTest
{
protected:
    // The window after its first tournament, played by hand, shift key up.
    void SetUp() override
    {
        MainWindowTest::SetUp();
        confirmTeamsAndStrengths();
        placeAllSlots();
        playAllGames();
        ASSERT_EQ(titles(), 1);
    }
    QStringList tally()
    {
        QStringList rows;
        for (int row = 0; row < w->Listbox1()->ListCount(); ++row)
            rows << w->Listbox1()->Cell(row, 0) + QLatin1Char('=') + w->Listbox1()->Cell(row, 1);
        return rows;
    }
    QStringList slotMenus()
    {
        QStringList state;
        for (int n = 17; n <= 24; ++n)
            state << QStringLiteral("%1:%2:%3").arg(menu(n)->Text()).arg(menu(n)->ListIndex()).arg(menu(n)->Enabled());
        return state;
    }
    QString timers()
    {
        return QStringLiteral("%1%2%3").arg(w->Timer1()->Mode()).arg(w->Timer2()->Mode()).arg(w->Timer3()->Mode());
    }
    // The control that has the keyboard focus; empty for none.
    std::string focusedControl()
    {
        QWidget *focus = QApplication::focusWidget();
        for (Control *c : w->controls()) {
            auto *rect = dynamic_cast<RectControl *>(c);
            if (focus && rect && rect->widget() && (rect->widget() == focus || rect->widget()->isAncestorOf(focus)))
                return c->name().toStdString();
        }
        return std::string();
    }
    // The tally's current and selected rows as the list marks them; empty
    // when it marks none.
    std::string tallyRowsShown()
    {
        auto *table = static_cast<QTableWidget *>(w->Listbox1()->widget());
        QStringList shown;
        if (table->currentIndex().isValid())
            shown << QStringLiteral("current %1").arg(table->currentIndex().row());
        for (const QModelIndex &row : table->selectionModel()->selectedRows())
            shown << QStringLiteral("selected %1").arg(row.row());
        return shown.join(QLatin1String(", ")).toStdString();
    }
    // Whether a Score field shows a score of a played game.
    bool scored(int n)
    {
        bool ok = false;
        const int score = field(n)->Text().toInt(&ok);
        return ok && score >= 2 && score <= 55;
    }
};

class ReplayEndStateTest : public ReplayTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(ReplayEndStateTest, ReopensTheLaterSlotsAndEmptiesTheScores)
{
    const bool saved = GetParam();
    if (saved) {
        field(15)->setText(QStringLiteral("coach"));
        button(11)->Push();
        ASSERT_FALSE(button(11)->Enabled());
    }
    bool boldBefore[15];
    for (int n = 1; n <= 14; ++n)
        boldBefore[n] = field(n)->Bold();
    const QStringList slotsBefore = slotMenus();
    const QStringList tallyBefore = tally();
    const QStringList poolBefore = w->team;

    ASSERT_TRUE(button(9)->Enabled());
    button(9)->Push();

    for (int n : {10, 11, 15, 16, 20, 21})
        EXPECT_EQ(label(n)->Text(), "TEAM: TBA") << "Label" << n;
    for (int n : {12, 13, 17, 18, 22, 23})
        EXPECT_EQ(label(n)->Text(), "") << "Label" << n;
    for (int n = 1; n <= 14; ++n) {
        EXPECT_EQ(field(n)->Text(), "") << "TextField" << n;
        EXPECT_EQ(colorText(field(n)->BackColor()), kWhite) << "TextField" << n;
        EXPECT_EQ(field(n)->Bold(), boldBefore[n]) << "TextField" << n;
    }
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(button(n)->Enabled()) << "PushButton" << n;
    for (int n = 5; n <= 7; ++n)
        EXPECT_FALSE(button(n)->Enabled()) << "PushButton" << n;
    EXPECT_FALSE(button(9)->Enabled());
    EXPECT_TRUE(button(10)->Enabled());
    EXPECT_EQ(button(11)->Enabled(), !saved);
    EXPECT_TRUE(button(8)->Enabled());
    EXPECT_EQ(joined(slotMenus()), joined(slotsBefore));
    EXPECT_EQ(joined(tally()), joined(tallyBefore));
    EXPECT_EQ(joined(w->team), joined(poolBefore));
    EXPECT_EQ(timers(), "000");
}

INSTANTIATE_TEST_SUITE_P(SaveList, ReplayEndStateTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? std::string("AfterASave") : std::string("Unsaved");
                         });

TEST_F(ReplayTest, ReplayedGamesKeepTheMatchUpsAndOnlyTheWinnerIsOrange)
{
    bool bothBoldSeen = false;
    for (int round = 0; round < 30; ++round) {
        button(9)->Push();
        playAllGames();
        // The first round replays the same entries.
        const QString pasta = label(10)->Text();
        ASSERT_TRUE(menu(17)->Text().startsWith(pasta + QLatin1Char('_')) ||
                    menu(18)->Text().startsWith(pasta + QLatin1Char('_')));
        for (int f = 1; f <= 14; f += 2) {
            const bool leftWon = field(f)->Text().toInt() > field(f + 1)->Text().toInt();
            ASSERT_EQ(colorText(field(leftWon ? f : f + 1)->BackColor()), kOrange);
            ASSERT_EQ(colorText(field(leftWon ? f + 1 : f)->BackColor()), kWhite);
            bothBoldSeen = bothBoldSeen || (field(f)->Bold() && field(f + 1)->Bold());
        }
    }
    EXPECT_TRUE(bothBoldSeen);
    EXPECT_EQ(titles(), 31);
}

TEST_F(ReplayTest, ReplayAllPlaysTheRoundsOnTheTimers)
{
    ASSERT_TRUE(button(10)->Enabled());
    button(10)->Push();
    // t = 0: the first round at once.
    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(scored(n)) << "TextField" << n;
    for (int n = 9; n <= 14; ++n)
        EXPECT_EQ(field(n)->Text(), "") << "TextField" << n;
    for (int n : {10, 11, 15, 16})
        EXPECT_NE(label(n)->Text(), "TEAM: TBA") << "Label" << n;
    EXPECT_EQ(label(20)->Text(), "TEAM: TBA");
    EXPECT_TRUE(button(5)->Enabled());
    EXPECT_TRUE(button(6)->Enabled());
    EXPECT_FALSE(button(7)->Enabled());
    EXPECT_FALSE(button(9)->Enabled());
    EXPECT_FALSE(button(10)->Enabled());
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_EQ(timers(), "100");
    EXPECT_EQ(titles(), 1);

    // t = 500 ms: the semi-finals.
    w->Timer1()->fire();
    for (int n = 9; n <= 12; ++n)
        EXPECT_TRUE(scored(n)) << "TextField" << n;
    EXPECT_EQ(field(13)->Text(), "");
    EXPECT_NE(label(20)->Text(), "TEAM: TBA");
    EXPECT_NE(label(21)->Text(), "TEAM: TBA");
    EXPECT_TRUE(button(7)->Enabled());
    EXPECT_EQ(timers(), "010");
    EXPECT_EQ(titles(), 1);

    // t = 1000 ms: the final, counted once.
    w->Timer2()->fire();
    EXPECT_TRUE(scored(13));
    EXPECT_TRUE(scored(14));
    EXPECT_EQ(titles(), 2);
    EXPECT_TRUE(button(9)->Enabled());
    EXPECT_TRUE(button(10)->Enabled());
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_EQ(timers(), "000");

    // A timer that is off does not fire.
    w->Timer1()->fire();
    w->Timer2()->fire();
    w->Timer3()->fire();
    EXPECT_EQ(titles(), 2);
    EXPECT_EQ(w->Listbox1()->ListCount(), 8);
}

TEST_F(ReplayTest, ShiftKeyRepeatsTheTournamentUntilItIsUpAtAFinal)
{
    platform.shift = true;
    button(10)->Push();
    for (int cycle = 1; cycle <= 3; ++cycle) {
        SCOPED_TRACE(cycle);
        EXPECT_EQ(timers(), "100");
        w->Timer1()->fire();
        w->Timer2()->fire();
        EXPECT_EQ(titles(), 1 + cycle);
        EXPECT_EQ(timers(), "001");
        EXPECT_TRUE(button(10)->Enabled());
        // t = 1500 ms: Timer3 presses ReplayAll and leaves it disabled.
        w->Timer3()->fire();
        EXPECT_FALSE(button(10)->Enabled());
        EXPECT_FALSE(button(9)->Enabled());
        for (int n = 1; n <= 8; ++n)
            EXPECT_TRUE(scored(n)) << "TextField" << n;
        EXPECT_EQ(field(9)->Text(), "");
    }
    platform.shift = false;
    w->Timer1()->fire();
    w->Timer2()->fire();
    EXPECT_EQ(titles(), 5);
    EXPECT_EQ(timers(), "000");
    EXPECT_TRUE(button(9)->Enabled());
    EXPECT_TRUE(button(10)->Enabled());
    EXPECT_TRUE(button(11)->Enabled());
}

TEST_F(ReplayTest, HandFinalAfterAHandReplayArmsNothing)
{
    platform.shift = true;
    button(9)->Push();
    playAllGames();
    EXPECT_EQ(titles(), 2);
    EXPECT_EQ(timers(), "000");
    EXPECT_TRUE(button(10)->Enabled());
}

// Regression: coarse timers fired up to 5 % early, so the steps of an
// automatic replay came as little as 475 ms apart.
TEST_F(ReplayTest, AutomaticStepsInARealEventLoopAreAtLeastAPeriodApart)
{
    platform.shift = true;
    platform.logging = true;
    button(10)->Push();
    QElapsedTimer clock;
    clock.start();
    // Two tournaments: the shift key is let go once the first final has
    // armed the next one.
    while (titles() < 3 && clock.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (titles() == 2)
            platform.shift = false;
    }
    ASSERT_EQ(titles(), 3);
    EXPECT_EQ(timers(), "000");

    // Each step makes its games' generators within a moment; steps are
    // told apart by the pauses between them.
    std::vector<qint64> stepStarts;
    for (const FakePlatform::Generator &g : platform.log) {
        if (stepStarts.empty() || g.madeAtNs - stepStarts.back() > 250'000'000)
            stepStarts.push_back(g.madeAtNs);
    }
    ASSERT_EQ(stepStarts.size(), 6u) << "first round, semi-finals and final, twice";
    for (size_t i = 1; i < stepStarts.size(); ++i)
        EXPECT_GE(stepStarts[i] - stepStarts[i - 1], 500'000'000) << "step " << i;
}

// Regression guard: a clicked button that disables itself handed the focus
// to the next control in the tab order, so the tally's first cell lit up
// after Replay and a caret blinked in TextField9 after the final.
TEST_F(ReplayTest, ClickedReplayAndFinalLeaveNoControlFocusedAndNoRowShown)
{
    ASSERT_TRUE(bringToFront(w));
    QTest::mouseClick(button(9)->widget(), Qt::LeftButton);
    ASSERT_FALSE(button(9)->Enabled());
    EXPECT_EQ(focusedControl(), "");
    EXPECT_EQ(tallyRowsShown(), "");

    for (int n = 1; n <= 6; ++n)
        button(n)->Push();
    QTest::mouseClick(button(7)->widget(), Qt::LeftButton);
    ASSERT_EQ(titles(), 2);
    EXPECT_EQ(focusedControl(), "");
    EXPECT_EQ(tallyRowsShown(), "");
}

TEST_F(ReplayTest, TallyShowsARowOnlyOnceTheUserClicksIt)
{
    ASSERT_TRUE(bringToFront(w));
    auto *table = static_cast<QTableWidget *>(w->Listbox1()->widget());
    table->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(focusedControl(), "Listbox1");
    EXPECT_EQ(tallyRowsShown(), "");

    const QRect third = table->visualRect(table->model()->index(2, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
    EXPECT_EQ(tallyRowsShown(), "current 2, selected 2");
}

// Regression: Tab and Shift+Tab stepped through the tally's cells and never
// left it, so a keyboard user could not reach ReplayAll, the user ID or Save.
TEST_F(ReplayTest, TabAndShiftTabLeaveTheTally)
{
    ASSERT_TRUE(bringToFront(w));
    auto *table = static_cast<QTableWidget *>(w->Listbox1()->widget());
    const QPoint third = table->visualRect(table->model()->index(2, 0)).center();
    for (const auto &[key, next] :
         {std::pair(Qt::Key_Tab, "PushButton10"), std::pair(Qt::Key_Backtab, "PushButton9")}) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, third);
        ASSERT_EQ(focusedControl(), "Listbox1");
        QTest::keyClick(table, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(focusedControl(), next);
    }
}

using ReplayFirstFinalTest = MainWindowTest;

TEST_F(ReplayFirstFinalTest, ShiftHeldAtTheFirstHandFinalStartsTheRepetition)
{
    confirmTeamsAndStrengths();
    placeAllSlots();
    for (int n = 1; n <= 6; ++n)
        button(n)->Push();
    platform.shift = true;
    button(7)->Push();
    EXPECT_EQ(w->Timer3()->Mode(), 1);
    EXPECT_TRUE(button(10)->Enabled());
    w->Timer3()->fire();
    EXPECT_EQ(w->Timer1()->Mode(), 1);
    EXPECT_EQ(w->Timer3()->Mode(), 0);
    EXPECT_FALSE(button(10)->Enabled());
    w->Timer1()->fire();
    w->Timer2()->fire();
    EXPECT_EQ(w->Timer3()->Mode(), 1) << "the key is still down";
}

// ---- Restart ------------------------------------------------------------------------

enum class Moment {
    Fresh,
    TeamsChosen,
    StrengthsConfirmed,
    SlotsHalfPlaced,
    FirstRoundPlayed,
    AfterFinal,
    Timer1Armed,
    Timer2Armed,
    Timer3Armed,
};

struct RestartCase
{
    const char *name;
    Moment moment;
    friend void PrintTo(const RestartCase &c, std::ostream *os) { *os << c.name; }
};

class RestartTest : public MainWindowTest, public ::testing::WithParamInterface<RestartCase>
{
protected:
    void reach(Moment moment)
    {
        if (moment == Moment::Fresh)
            return;
        chooseTeams();
        if (moment == Moment::TeamsChosen)
            return;
        w->CheckBox1()->userClick();
        w->CheckBox2()->userClick();
        if (moment == Moment::StrengthsConfirmed)
            return;
        for (int n = 17; n <= 20; ++n)
            menu(n)->userSelect(1);
        if (moment == Moment::SlotsHalfPlaced)
            return;
        for (int n = 21; n <= 24; ++n)
            menu(n)->userSelect(1);
        for (int n = 1; n <= 4; ++n)
            button(n)->Push();
        if (moment == Moment::FirstRoundPlayed)
            return;
        platform.shift = moment == Moment::Timer3Armed;
        for (int n = 5; n <= 7; ++n)
            button(n)->Push();
        platform.shift = false;
        if (moment == Moment::AfterFinal || moment == Moment::Timer3Armed)
            return;
        button(10)->Push();
        if (moment == Moment::Timer1Armed)
            return;
        w->Timer1()->fire();
    }
};

TEST_P(RestartTest, GivesANewWindowAtTeamChoiceAndTheOldTimersNeverFire)
{
    const Moment moment = GetParam().moment;
    reach(moment);
    const bool armed = moment == Moment::Timer1Armed || moment == Moment::Timer2Armed || moment == Moment::Timer3Armed;
    ASSERT_EQ(w->Timer1()->isArmed() || w->Timer2()->isArmed() || w->Timer3()->isArmed(), armed);
    QPointer<Window1> old = w;

    ASSERT_TRUE(button(8)->Enabled());
    button(8)->Push();
    const QStringList oldState = windowState(old);

    ASSERT_TRUE(old);
    EXPECT_TRUE(old->isClosed());
    EXPECT_FALSE(old->Timer1()->isArmed());
    EXPECT_FALSE(old->Timer2()->isArmed());
    EXPECT_FALSE(old->Timer3()->isArmed());
    Window1 *fresh = Window1::Window1_();
    ASSERT_NE(fresh, old.data());
    EXPECT_FALSE(fresh->isClosed());
    EXPECT_TRUE(fresh->Visible());
    EXPECT_EQ(Window1::Window1_(), fresh);

    // The new window starts at team choice with an empty tally.
    for (int n = 1; n <= 8; ++n) {
        auto *team = Window1::control<PopupMenu>(fresh, QStringLiteral("PopupMenu%1").arg(n).toLatin1().constData());
        EXPECT_TRUE(team->Enabled());
        EXPECT_EQ(team->Text(), "Choose");
        EXPECT_EQ(team->ListCount(), 11);
    }
    EXPECT_TRUE(fresh->CheckBox1()->Enabled());
    EXPECT_FALSE(fresh->CheckBox1()->Value());
    EXPECT_FALSE(fresh->CheckBox2()->Enabled());
    EXPECT_EQ(fresh->PopupMenu17()->ListCount(), 0);
    EXPECT_EQ(fresh->Listbox1()->ListCount(), 0);
    EXPECT_EQ(fresh->listit, 0);
    EXPECT_TRUE(fresh->team.isEmpty());
    EXPECT_FALSE(fresh->PushButton9()->Enabled());
    EXPECT_FALSE(fresh->PushButton10()->Enabled());
    EXPECT_FALSE(fresh->PushButton11()->Enabled());
    EXPECT_TRUE(fresh->PushButton8()->Enabled());
    EXPECT_EQ(fresh->Timer1()->Mode() + fresh->Timer2()->Mode() + fresh->Timer3()->Mode(), 0);
    EXPECT_EQ(fresh->TextField1()->Text(), "");
    EXPECT_EQ(fresh->Label20()->Text(), "TEAM: TBA");
    const QStringList freshState = windowState(fresh);

    if (armed) {
        // Past the old timer's period with a real event loop: nothing fires,
        // neither into the closed window nor into the new one.
        runEventLoopFor(700);
        if (old) {
            EXPECT_EQ(joined(windowState(old)), joined(oldState));
        }
        EXPECT_EQ(joined(windowState(fresh)), joined(freshState));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    if (armed)
        runEventLoopFor(100);
    EXPECT_EQ(joined(windowState(fresh)), joined(freshState));
    EXPECT_FALSE(Dispatcher::hasPendingException());
    EXPECT_TRUE(platform.messages.isEmpty());

    // The new window plays a whole tournament.
    w = fresh;
    confirmTeamsAndStrengths();
    placeAllSlots();
    playAllGames();
    EXPECT_EQ(titles(), 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Moments, RestartTest, ::testing::Values(
    RestartCase{"Fresh",              Moment::Fresh},
    RestartCase{"TeamsChosen",        Moment::TeamsChosen},
    RestartCase{"StrengthsConfirmed", Moment::StrengthsConfirmed},
    RestartCase{"SlotsHalfPlaced",    Moment::SlotsHalfPlaced},
    RestartCase{"FirstRoundPlayed",   Moment::FirstRoundPlayed},
    RestartCase{"AfterFinal",         Moment::AfterFinal},
    RestartCase{"Timer1Armed",        Moment::Timer1Armed},
    RestartCase{"Timer2Armed",        Moment::Timer2Armed},
    RestartCase{"Timer3Armed",        Moment::Timer3Armed}),
    [](const ::testing::TestParamInfo<RestartCase> &info) { return std::string(info.param.name); });
// clang-format on

// ---- soak ---------------------------------------------------------------------------

TEST_F(ReplayTest, TwoThousandAutomaticTournamentsCountEveryTitleInSteadyMemory)
{
    long residentAt500 = 0;
    for (int tournament = 1; tournament <= 2000; ++tournament) {
        ASSERT_TRUE(button(10)->Enabled()) << "tournament " << tournament;
        button(10)->Push();
        w->Timer1()->fire();
        w->Timer2()->fire();
        if (tournament == 500)
            residentAt500 = residentBytes();
    }
    const long residentAt2000 = residentBytes();
    EXPECT_EQ(titles(), 2001);
    EXPECT_EQ(w->Listbox1()->ListCount(), 8);
    EXPECT_EQ(timers(), "000");
    // 1,500 more tournaments may not cost more than a little allocator slack.
    EXPECT_LT(residentAt2000 - residentAt500, 512L * 1024L)
        << "resident memory grew from " << residentAt500 << " to " << residentAt2000 << " bytes";
}

} // namespace
