// Team choice and the two DONE boxes: the eight team menus with their
// suggested strengths and duplicate check, the strength menus, and the
// confirmations that build the pool of bracket entries.
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QTest>
#include <QWheelEvent>

#include <random>
#include <vector>

namespace {

const char *const kTeamList = "Auburn (.9866),Oregon (.9720),TCU (.9102),Stanford (.8365),Wisconsin (.8041),"
                              "Ohio State (.7660),Oklahoma (.7297),Arkansas (.7274),Michigan State (.6922),"
                              "Boise State (.6137)";

// The suggested strength of the team in each team-menu row (row 0 "Choose").
constexpr int kSuggested[11] = {0, 10, 10, 9, 8, 8, 8, 7, 7, 7, 6};

const QString kDuplicate = QStringLiteral("Your team choice can not match another choice");
const QString kIncomplete = QStringLiteral("Please complete all selections first");

std::string joined(const QStringList &texts)
{
    return texts.join(QLatin1Char('|')).toStdString();
}

class TeamChoiceTest : public MainWindowTest
{
protected:
    PopupMenu *strengthMenu(int teamMenu) { return menu(teamMenu + 8); }
    QStringList rows(PopupMenu *m)
    {
        QStringList all;
        for (int row = 0; row < m->ListCount(); ++row)
            all << m->List(row);
        return all;
    }
    // Rows, selections and enabled states of the sixteen menus and both boxes.
    QStringList stepState()
    {
        QStringList state;
        for (int n = 1; n <= 16; ++n)
            state << QStringLiteral("%1:%2:%3").arg(n).arg(menu(n)->ListIndex()).arg(menu(n)->Enabled());
        for (CheckBox *box : {w->CheckBox1(), w->CheckBox2()})
            state << QStringLiteral("box:%1:%2").arg(box->Value()).arg(box->Enabled());
        return state;
    }
    // The rows the 24 menus show.
    std::vector<int> allRows()
    {
        std::vector<int> shown;
        for (int n = 1; n <= 24; ++n)
            shown.push_back(menu(n)->ListIndex());
        return shown;
    }
    // What a user can do to a closed menu without opening its list: wheel
    // notches both ways, typed letters and digits, text from an input method.
    static void wheelAndType(QWidget *box)
    {
        const QPointF at = QRectF(box->rect()).center();
        for (int notch : {-120, 120, -120}) {
            QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, notch), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(box, &wheel);
        }
        QTest::keyClicks(box, QStringLiteral("a7O"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("T"));
        QCoreApplication::sendEvent(box, &commit);
    }
    // Whether every team menu but n shows a team.
    bool othersAllChosen(int n)
    {
        for (int other = 1; other <= 8; ++other) {
            if (other != n && menu(other)->ListIndex() == 0)
                return false;
        }
        return true;
    }
};

TEST_F(TeamChoiceTest, FreshWindowOffersTheTenTeamsAndSuggestsNothingYet)
{
    ASSERT_EQ(QString::fromLatin1(kTeamList).size(), 172);
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(menu(n)->Enabled());
        EXPECT_EQ(menu(n)->ListCount(), 11);
        EXPECT_EQ(menu(n)->ListIndex(), 0);
        EXPECT_EQ(menu(n)->Text(), "Choose");
        QStringList teams = rows(menu(n));
        teams.removeFirst();
        EXPECT_EQ(teams.join(QLatin1Char(',')), QString::fromLatin1(kTeamList));

        PopupMenu *strength = strengthMenu(n);
        EXPECT_FALSE(strength->Enabled());
        EXPECT_EQ(strength->Text(), "6");
        EXPECT_EQ(joined(rows(strength)), "1|2|3|4|5|6|7|8|9|10");
    }
    EXPECT_TRUE(w->CheckBox1()->Enabled());
    EXPECT_FALSE(w->CheckBox1()->Value());
    EXPECT_FALSE(w->CheckBox2()->Enabled());
    EXPECT_EQ(w->one + w->two + w->three + w->four + w->five + w->six + w->seven + w->eight, 8);
    EXPECT_TRUE(platform.messages.isEmpty());
}

struct Suggestion
{
    int row;
    const char *team;
    const char *strength;
    friend void PrintTo(const Suggestion &c, std::ostream *os) { *os << c.team; }
};

class TeamSuggestionTest : public TeamChoiceTest, public ::testing::WithParamInterface<Suggestion>
{
};

TEST_P(TeamSuggestionTest, PickSetsItsStrengthMenuToRatingTimesTenRounded)
{
    const Suggestion s = GetParam();
    const int n = (s.row - 1) % 8 + 1; // every team menu takes part
    menu(n)->userSelect(s.row);
    EXPECT_EQ(menu(n)->Text(), s.team);
    EXPECT_EQ(strengthMenu(n)->Text(), s.strength);
    EXPECT_FALSE(strengthMenu(n)->Enabled());
    for (int other = 1; other <= 8; ++other) {
        if (other != n) {
            EXPECT_EQ(strengthMenu(other)->Text(), "6") << "PopupMenu" << other + 8;
        }
    }
    EXPECT_TRUE(platform.messages.isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Teams, TeamSuggestionTest, ::testing::Values(
    Suggestion{1,  "Auburn (.9866)",         "10"},
    Suggestion{2,  "Oregon (.9720)",         "10"},
    Suggestion{3,  "TCU (.9102)",            "9"},
    Suggestion{4,  "Stanford (.8365)",       "8"},
    Suggestion{5,  "Wisconsin (.8041)",      "8"},
    Suggestion{6,  "Ohio State (.7660)",     "8"},
    Suggestion{7,  "Oklahoma (.7297)",       "7"},
    Suggestion{8,  "Arkansas (.7274)",       "7"},
    Suggestion{9,  "Michigan State (.6922)", "7"},
    Suggestion{10, "Boise State (.6137)",    "6"}),
    [](const ::testing::TestParamInfo<Suggestion> &info) { return "Row" + std::to_string(info.param.row); });
// clang-format on

TEST_F(TeamChoiceTest, ChangingToAnotherFreeTeamFollowsWithTheStrength)
{
    menu(3)->userSelect(3);
    EXPECT_EQ(strengthMenu(3)->Text(), "9");
    menu(3)->userSelect(10);
    EXPECT_EQ(menu(3)->Text(), "Boise State (.6137)");
    EXPECT_EQ(strengthMenu(3)->Text(), "6");
    menu(3)->userSelect(1);
    EXPECT_EQ(strengthMenu(3)->Text(), "10");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(TeamChoiceTest, DuplicateIsRefusedOnceWhileShownThenBackToChoose)
{
    menu(1)->userSelect(1);
    menu(2)->userSelect(9); // Michigan State, 7
    QString shownWhileUp;
    platform.onMessage = [&](const QString &) { shownWhileUp = menu(2)->Text(); };

    menu(2)->userSelect(1);

    EXPECT_EQ(joined(platform.messages), joined({kDuplicate}));
    EXPECT_EQ(shownWhileUp, "Auburn (.9866)");
    EXPECT_EQ(menu(2)->ListIndex(), 0);
    EXPECT_EQ(menu(2)->Text(), "Choose");
    EXPECT_EQ(menu(1)->Text(), "Auburn (.9866)");
    EXPECT_EQ(strengthMenu(1)->Text(), "10");
    // Other menus still show "Choose": the strength keeps its last row.
    EXPECT_EQ(strengthMenu(2)->Text(), "7");
}

TEST_F(TeamChoiceTest, DuplicateWithAllSevenOthersChosenLeavesNoStrengthRow)
{
    for (int n = 1; n <= 7; ++n)
        menu(n)->userSelect(n);
    menu(8)->userSelect(8);
    EXPECT_EQ(strengthMenu(8)->Text(), "7");

    menu(8)->userSelect(4); // Stanford, shown by PopupMenu4
    EXPECT_EQ(joined(platform.messages), joined({kDuplicate}));
    EXPECT_EQ(menu(8)->Text(), "Choose");
    EXPECT_EQ(menu(4)->Text(), "Stanford (.8365)");
    EXPECT_EQ(strengthMenu(8)->ListIndex(), -1);
    EXPECT_EQ(strengthMenu(8)->Text(), "");
    EXPECT_EQ(strengthMenu(4)->Text(), "8");

    menu(8)->userSelect(10);
    EXPECT_EQ(strengthMenu(8)->Text(), "6");
    EXPECT_EQ(platform.messages.size(), 1);
}

TEST_F(TeamChoiceTest, ChooseByHandChangesNothingElseWhileAnotherShowsChoose)
{
    menu(1)->userSelect(5);
    menu(2)->userSelect(6);
    const QStringList before = stepState();
    menu(2)->userSelect(0);
    QStringList expected = before;
    expected[1] = QStringLiteral("2:0:1");
    EXPECT_EQ(joined(stepState()), joined(expected));
    EXPECT_EQ(strengthMenu(2)->Text(), "8");
    // Several menus on "Choose" are accepted silently.
    menu(1)->userSelect(0);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(TeamChoiceTest, ChooseByHandWithAllSevenOthersChosenLeavesNoStrengthRow)
{
    chooseTeams();
    menu(5)->userSelect(0);
    EXPECT_EQ(strengthMenu(5)->ListIndex(), -1);
    menu(5)->userSelect(9);
    EXPECT_EQ(strengthMenu(5)->Text(), "7");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(TeamChoiceTest, NoSequenceOfPicksLeavesTwoMenusOnTheSameTeam)
{
    std::mt19937 rng(2010);
    std::uniform_int_distribution<int> pickMenu(1, 8);
    std::uniform_int_distribution<int> pickRow(0, 10);
    int refusals = 0;
    int noStrengthRow = 0;
    for (int step = 0; step < 4000; ++step) {
        const int n = pickMenu(rng);
        const int row = pickRow(rng);
        int rowsBefore[17];
        for (int m = 1; m <= 16; ++m)
            rowsBefore[m] = menu(m)->ListIndex();
        bool taken = false;
        for (int other = 1; other <= 8; ++other)
            taken = taken || (other != n && row != 0 && menu(other)->ListIndex() == row);
        const bool othersChosen = othersAllChosen(n);
        const int messagesBefore = int(platform.messages.size());

        menu(n)->userSelect(row);

        // What the pick should leave in menu n and its strength menu.
        int expectedRow = rowsBefore[n];
        int expectedStrength = rowsBefore[n + 8];
        int expectedMessages = messagesBefore;
        if (row != rowsBefore[n]) {
            if (row != 0 && !taken) {
                expectedRow = row;
                expectedStrength = kSuggested[row] - 1;
            } else {
                expectedRow = 0;
                if (othersChosen)
                    expectedStrength = -1;
                if (row != 0)
                    ++expectedMessages;
            }
        }
        ASSERT_EQ(menu(n)->ListIndex(), expectedRow) << "step " << step;
        ASSERT_EQ(strengthMenu(n)->ListIndex(), expectedStrength) << "step " << step;
        ASSERT_EQ(platform.messages.size(), expectedMessages) << "step " << step;
        for (int m = 1; m <= 16; ++m) {
            if (m != n && m != n + 8) {
                ASSERT_EQ(menu(m)->ListIndex(), rowsBefore[m]) << "step " << step << " PopupMenu" << m;
            }
        }
        for (int a = 1; a <= 8; ++a) {
            for (int b = a + 1; b <= 8; ++b) {
                if (menu(a)->ListIndex() != 0) {
                    ASSERT_NE(menu(a)->ListIndex(), menu(b)->ListIndex()) << "step " << step;
                }
            }
        }
        refusals += expectedMessages - messagesBefore;
        noStrengthRow += expectedStrength == -1 ? 1 : 0;
    }
    // The sequence went through both kinds of refusal and no-row outcome.
    EXPECT_GT(refusals, 200);
    EXPECT_GT(noStrengthRow, 5);
    for (const QString &message : platform.messages)
        EXPECT_EQ(message, kDuplicate);
}

// A closed menu took a row from the wheel or typed text as though the user
// had picked it: a team twice, a strength unnoticed, a slot locked.
TEST_F(TeamChoiceTest, ClosedMenuKeepsItsRowUnderWheelAndTyping)
{
    menu(1)->userSelect(1);
    auto tryMenu = [&](int n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(menu(n)->Enabled());
        const std::vector<int> before = allRows();
        wheelAndType(menu(n)->widget());
        EXPECT_EQ(allRows(), before);
    };
    for (int n = 1; n <= 8; ++n)
        tryMenu(n);
    chooseTeams();
    w->CheckBox1()->userClick();
    for (int n = 9; n <= 16; ++n)
        tryMenu(n);
    w->CheckBox2()->userClick();
    for (int n = 17; n <= 24; ++n) {
        tryMenu(n);
        menu(n)->userSelect(1);
    }
    EXPECT_TRUE(platform.messages.isEmpty()) << joined(platform.messages);
}

// Down over a closed menu moved its row instead of opening its list.
TEST_F(TeamChoiceTest, MovingKeyOpensTheListAndOnlyReturnThereChooses)
{
    menu(1)->userSelect(1);
    auto *box = static_cast<QComboBox *>(menu(2)->widget());
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Home}) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        QTest::keyClick(box, key);
        EXPECT_TRUE(box->view()->isVisible());
        QTest::keyClick(box->view(), Qt::Key_Down); // onto Auburn, taken: Escape must not pick it
        QTest::keyClick(box->view(), Qt::Key_Escape);
        EXPECT_FALSE(box->view()->isVisible());
        EXPECT_EQ(menu(2)->Text(), "Choose");
    }
    EXPECT_TRUE(platform.messages.isEmpty()) << joined(platform.messages);

    // Two rows down from "Choose" in the list, and Return picks Oregon.
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Return);
    EXPECT_FALSE(box->view()->isVisible());
    EXPECT_EQ(menu(2)->Text(), "Oregon (.9720)");
    EXPECT_EQ(strengthMenu(2)->Text(), "10");
}

struct IncompleteCase
{
    const char *name;
    std::array<int, 8> rows; // 0 leaves that team menu on "Choose"
    friend void PrintTo(const IncompleteCase &c, std::ostream *os) { *os << c.name; }
};

class DoneBoxIncompleteTest : public TeamChoiceTest, public ::testing::WithParamInterface<IncompleteCase>
{
};

TEST_P(DoneBoxIncompleteTest, FirstBoxIsUntickedWithOneMessage)
{
    const IncompleteCase c = GetParam();
    for (int n = 1; n <= 8; ++n) {
        if (c.rows[size_t(n - 1)])
            menu(n)->userSelect(c.rows[size_t(n - 1)]);
    }
    const QStringList before = stepState();
    bool tickedWhileUp = true;
    platform.onMessage = [&](const QString &) { tickedWhileUp = w->CheckBox1()->Value(); };

    w->CheckBox1()->userClick();

    EXPECT_EQ(joined(platform.messages), joined({kIncomplete}));
    EXPECT_FALSE(tickedWhileUp) << "the box is unticked before the message shows";
    EXPECT_FALSE(w->CheckBox1()->Value());
    EXPECT_EQ(joined(stepState()), joined(before));
    EXPECT_TRUE(w->team.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Choices, DoneBoxIncompleteTest,
                         ::testing::Values(IncompleteCase{"NoneChosen", {0, 0, 0, 0, 0, 0, 0, 0}},
                                           IncompleteCase{"LastMissing", {1, 2, 3, 4, 5, 6, 7, 0}},
                                           IncompleteCase{"FirstMissing", {0, 2, 3, 4, 5, 6, 7, 8}}),
                         [](const ::testing::TestParamInfo<IncompleteCase> &info) {
                             return std::string(info.param.name);
                         });

TEST_F(TeamChoiceTest, FirstBoxWithEightTeamsOpensTheStrengthStep)
{
    chooseTeams({10, 3, 1, 7, 5, 9, 2, 4});
    w->CheckBox1()->userClick();
    const char *suggested[8] = {"6", "9", "10", "7", "8", "7", "10", "8"};
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(menu(n)->Enabled());
        EXPECT_NE(menu(n)->ListIndex(), 0);
        EXPECT_TRUE(strengthMenu(n)->Enabled());
        EXPECT_EQ(strengthMenu(n)->Text(), suggested[n - 1]);
    }
    EXPECT_FALSE(w->CheckBox1()->Enabled());
    EXPECT_TRUE(w->CheckBox1()->Value());
    EXPECT_TRUE(w->CheckBox2()->Enabled());
    EXPECT_FALSE(w->CheckBox2()->Value());
    EXPECT_FALSE(menu(17)->Enabled());
    EXPECT_TRUE(w->team.isEmpty());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(TeamChoiceTest, SecondBoxBuildsTheBracketEntriesAndOpensTheFirstSlot)
{
    chooseTeams({10, 3, 1, 7, 5, 9, 2, 4});
    w->CheckBox1()->userClick();
    strengthMenu(1)->userSelect(2); // "3"
    strengthMenu(4)->userSelect(9); // "10"
    strengthMenu(8)->userSelect(0); // "1"
    w->CheckBox2()->userClick();

    const QStringList entries = {"Boise State (.6137)_3", "TCU (.9102)_9",          "Auburn (.9866)_10",
                                 "Oklahoma (.7297)_10",   "Wisconsin (.8041)_8",    "Michigan State (.6922)_7",
                                 "Oregon (.9720)_10",     "Stanford (.8365)_1"};
    EXPECT_EQ(joined(w->team), joined(entries));
    PopupMenu *first = menu(17);
    EXPECT_TRUE(first->Enabled());
    EXPECT_EQ(first->ListIndex(), 0);
    EXPECT_EQ(joined(rows(first)), joined(QStringList{"Choose"} + entries));
    for (int n = 18; n <= 24; ++n) {
        EXPECT_FALSE(menu(n)->Enabled()) << "PopupMenu" << n;
        EXPECT_EQ(menu(n)->ListCount(), 0) << "PopupMenu" << n;
    }
    for (int n = 1; n <= 8; ++n) {
        EXPECT_FALSE(strengthMenu(n)->Enabled());
        EXPECT_FALSE(menu(n)->Enabled());
    }
    EXPECT_EQ(strengthMenu(1)->Text(), "3");
    EXPECT_EQ(strengthMenu(8)->Text(), "1");
    EXPECT_FALSE(w->CheckBox2()->Enabled());
    EXPECT_TRUE(w->CheckBox2()->Value());
    EXPECT_TRUE(w->CheckBox1()->Value());
    for (int n = 1; n <= 4; ++n)
        EXPECT_FALSE(button(n)->Enabled());

    // The box cannot be ticked again: the pool keeps its eight entries.
    w->CheckBox2()->userClick();
    EXPECT_EQ(w->team.size(), 8);
    EXPECT_EQ(first->ListCount(), 9);
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
