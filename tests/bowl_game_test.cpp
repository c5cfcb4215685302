// The bowl game: its odds over many seeded games, and the seven Play buttons
// with the semi-finals, the final and the title tally, played through the
// main window.
#include "bowl_game.h"
#include "services.h"
#include "string_functions.h"
#include "window_fixture.h"
#include "window_state.h"

#include <cmath>
#include <vector>

namespace {

// ---- the odds ------------------------------------------------------------------

struct Outcome
{
    long games = 0;    // decided games
    long winsA = 0;
    long attempts = 0; // every game drawn, ties included
    long ties = 0;
    long outOfRange = 0; // a score below 2 or above its ceiling
    long lowWinners = 0; // a winning score below 3
    int lowestCeiling = 99;
    int highestCeiling = 0;
};

// Plays `games` games as a Play handler does: per attempt three new
// generators (side A, side B, ceiling), the ceiling from 25 to 55 unless one
// is fixed, all of A's draws before B's, and a tie drawn again anew.
Outcome playGames(int strengthA, int strengthB, long games, int fixedCeiling = 0)
{
    Outcome o;
    while (o.games < games) {
        Random a;
        Random b;
        Random c;
        const int ceiling = fixedCeiling ? fixedCeiling : c.InRange(25, 55);
        const qint32 scoreA = bracket::drawScore(a, strengthA, ceiling);
        const qint32 scoreB = bracket::drawScore(b, strengthB, ceiling);
        ++o.attempts;
        o.lowestCeiling = qMin(o.lowestCeiling, ceiling);
        o.highestCeiling = qMax(o.highestCeiling, ceiling);
        for (qint32 score : {scoreA, scoreB}) {
            if (score < 2 || score > ceiling)
                ++o.outOfRange;
        }
        if (scoreA == scoreB) {
            ++o.ties;
            continue;
        }
        ++o.games;
        if (scoreA > scoreB)
            ++o.winsA;
        if (qMax(scoreA, scoreB) < 3)
            ++o.lowWinners;
    }
    return o;
}

// Five standard errors of a rate estimated from n games, plus half the last
// digit of the stated figure (given to 0.1 %).
double tolerance(double rate, long n)
{
    return 5.0 * std::sqrt(rate * (1.0 - rate) / double(n)) + 0.0005;
}

constexpr long kGames = 200000;

struct OddsRow
{
    const char *name;
    int strengthA;
    int strengthB;
    double winsA;
    double ties; // share of tied games; negative when not stated
    friend void PrintTo(const OddsRow &c, std::ostream *os) { *os << c.name; }
};

class BowlOddsTest : public ::testing::TestWithParam<OddsRow>
{
protected:
    FakePlatform platform;
};

TEST_P(BowlOddsTest, WinsAndTiesMatchTheStatedFigures)
{
    const OddsRow row = GetParam();
    const Outcome o = playGames(row.strengthA, row.strengthB, kGames);
    const double winsA = double(o.winsA) / double(o.games);
    EXPECT_NEAR(winsA, row.winsA, tolerance(row.winsA, o.games));
    if (row.ties >= 0) {
        const double ties = double(o.ties) / double(o.attempts);
        EXPECT_NEAR(ties, row.ties, tolerance(row.ties, o.attempts));
    }
    EXPECT_EQ(o.outOfRange, 0);
    EXPECT_EQ(o.lowWinners, 0);
    EXPECT_EQ(o.lowestCeiling, 25);
    EXPECT_EQ(o.highestCeiling, 55);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Strengths, BowlOddsTest, ::testing::Values(
    OddsRow{"EightAgainstTwo",  8,  2,  0.814, -1},
    OddsRow{"TwoAgainstEight",  2,  8,  0.186, -1},
    OddsRow{"OneAgainstTen",    1,  10, 0.080, -1},
    OddsRow{"FiveAgainstFive",  5,  5,  0.500, -1},
    OddsRow{"OneAgainstOne",    1,  1,  0.500, 0.027},
    OddsRow{"TenAgainstTen",    10, 10, 0.500, 0.142}),
    [](const ::testing::TestParamInfo<OddsRow> &info) { return std::string(info.param.name); });
// clang-format on

TEST(BowlOddsCeilingTest, TiesAtCeiling25WithBothStrengths10)
{
    FakePlatform platform;
    const Outcome o = playGames(10, 10, kGames, 25);
    const double ties = double(o.ties) / double(o.attempts);
    EXPECT_NEAR(ties, 0.216, tolerance(0.216, o.attempts));
    EXPECT_EQ(o.outOfRange, 0);
}

TEST(BowlDrawScoreTest, BestOfStrengthDrawsAndNoneForStrengthZeroOrLess)
{
    FakePlatform platform;
    Random generator;
    platform.scriptDraws({7, 31, 12, 31, 5});
    EXPECT_EQ(bracket::drawScore(generator, 5, 40), 31);
    EXPECT_TRUE(platform.scriptUsedUp());
    platform.scriptDraws({9});
    EXPECT_EQ(bracket::drawScore(generator, 0, 40), 0);
    EXPECT_EQ(bracket::drawScore(generator, -3, 40), 0);
    EXPECT_EQ(platform.script.size(), 1u);
    EXPECT_EQ(bracket::drawScore(generator, 1, 40), 9);
}

// ---- the games through the window ------------------------------------------------

const Color kOrange = RGB(255, 152, 51);
const Color kWhite = RGB(255, 255, 255);

// A list as one line, so that a failure shows its texts.

// The Score fields of the game that Play button n plays (index n), and for
// the later games the strength labels of its two slots.
struct BowlControls
{
    int fieldA, fieldB;
    int strengthA, strengthB;
};
// clang-format off
constexpr BowlControls kBowl[8] = {
    {},
    {1,  2,  0,  0},
    {3,  4,  0,  0},
    {5,  6,  0,  0},
    {7,  8,  0,  0},
    {9,  10, 12, 13},
    {11, 12, 17, 18},
    {13, 14, 22, 23},
};
// clang-format on

// A main window whose tournament the test decides by scripting the draws.
class BowlFixture : public MainWindowTest
{
protected:
    // The strength that the game of Play button n reads for a side.
    int strength(int n, bool sideA)
    {
        if (n <= 4)
            return Split(menu(15 + 2 * n + (sideA ? 0 : 1))->Text(), QStringLiteral("_")).last().toInt();
        return label(sideA ? kBowl[n].strengthA : kBowl[n].strengthB)->Text().toInt();
    }
    // Queues the draws of one game of Play button n: the ceiling, then side
    // A's draws (the first is its score), then side B's.
    void scriptGame(int n, int ceiling, int scoreA, int scoreB)
    {
        platform.script.push_back(ceiling);
        for (int i = 0; i < strength(n, true); ++i)
            platform.script.push_back(i == 0 ? scoreA : 2);
        for (int i = 0; i < strength(n, false); ++i)
            platform.script.push_back(i == 0 ? scoreB : 2);
    }
    // Plays the game of Play button n with side 'A' or 'B' winning 30 to 20.
    void play(int n, char winner)
    {
        ASSERT_TRUE(button(n)->Enabled()) << "PushButton" << n;
        scriptGame(n, 40, winner == 'A' ? 30 : 20, winner == 'A' ? 20 : 30);
        button(n)->Push();
        EXPECT_TRUE(platform.scriptUsedUp());
    }
    void playAll(const char *winners)
    {
        for (int n = 1; n <= 7; ++n)
            play(n, winners[n - 1]);
    }
    int titles()
    {
        int sum = 0;
        for (int row = 0; row < w->Listbox1()->ListCount(); ++row)
            sum += w->Listbox1()->Cell(row, 1).toInt();
        return sum;
    }
    QStringList tallyColumn(int column)
    {
        QStringList cells;
        for (int row = 0; row < w->Listbox1()->ListCount(); ++row)
            cells << w->Listbox1()->Cell(row, column);
        return cells;
    }
    QStringList windowState() { return ::windowState(w); }
};

// Teams 1 to 8 with their suggested strengths, placed in team-menu order:
// Pasta Auburn 10 v Oregon 10, Salad TCU 9 v Stanford 8, Cereal Wisconsin 8
// v Ohio State 8, Soup Oklahoma 7 v Arkansas 7.
class BowlPlayTest : public BowlFixture
{
protected:
    void SetUp() override
    {
        BowlFixture::SetUp();
        confirmTeamsAndStrengths();
        placeAllSlots();
    }
};

class BowlTieChainTest : public BowlPlayTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(BowlTieChainTest, OnlyTheInnermostRunWritesScoresStyleAndWinner)
{
    play(2, 'A'); // the China Bowl's other slot is filled first
    const int ties = GetParam();
    for (int level = 0; level < ties; ++level)
        scriptGame(1, 25 + level, 20 + level, 20 + level);
    // Side A wins the deciding game: a tied run that wrote a result would
    // mark side B (the winner when A is not ahead) and name Oregon.
    scriptGame(1, 50, 44, 41);
    button(1)->Push();

    EXPECT_TRUE(platform.scriptUsedUp());
    EXPECT_EQ(field(1)->Text(), "44");
    EXPECT_EQ(field(2)->Text(), "41");
    EXPECT_TRUE(field(1)->Bold());
    EXPECT_EQ(colorText(field(1)->BackColor()), colorText(kOrange));
    EXPECT_FALSE(field(2)->Bold());
    EXPECT_EQ(colorText(field(2)->BackColor()), colorText(kWhite));
    EXPECT_EQ(label(10)->Text(), "Auburn (.9866)");
    EXPECT_EQ(label(12)->Text(), "10");
    EXPECT_FALSE(button(1)->Enabled());
    EXPECT_TRUE(button(5)->Enabled());
    EXPECT_FALSE(button(6)->Enabled());
    EXPECT_TRUE(platform.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Depths, BowlTieChainTest, ::testing::Values(1, 2, 6),
                         [](const ::testing::TestParamInfo<int> &info) { return "Ties" + std::to_string(info.param); });

TEST_F(BowlPlayTest, RepeatedGamesNeverShowEqualScoresAndStayInRange)
{
    // The Soup Bowl can be played again and again through its open slot
    // menu; 7 against 7 ties in about one game in ten.
    for (int round = 0; round < 300; ++round) {
        menu(24)->userSelect(0);
        menu(24)->userSelect(1);
        ASSERT_TRUE(button(4)->Enabled());
        button(4)->Push();
        bool okA = false, okB = false;
        const int a = field(7)->Text().toInt(&okA);
        const int b = field(8)->Text().toInt(&okB);
        ASSERT_TRUE(okA && okB) << field(7)->Text().toStdString() << " " << field(8)->Text().toStdString();
        ASSERT_NE(a, b);
        ASSERT_GE(qMin(a, b), 2);
        ASSERT_LE(qMax(a, b), 55);
        ASSERT_GE(qMax(a, b), 3);
        TextField *winner = field(a > b ? 7 : 8);
        ASSERT_TRUE(winner->Bold());
        ASSERT_EQ(colorText(winner->BackColor()), colorText(kOrange));
        ASSERT_EQ(label(16)->Text(), a > b ? "Oklahoma (.7297)" : "Arkansas (.7274)");
        ASSERT_EQ(label(18)->Text(), "7");
        ASSERT_FALSE(button(4)->Enabled());
    }
}

TEST_F(BowlPlayTest, TiedChinaBowlFillsTheTallyOnceInBowlOrder)
{
    for (int n = 1; n <= 4; ++n)
        play(n, 'A');
    EXPECT_EQ(w->Listbox1()->ListCount(), 0);
    scriptGame(5, 33, 28, 28);
    scriptGame(5, 47, 19, 26);
    button(5)->Push();
    EXPECT_TRUE(platform.scriptUsedUp());

    QStringList slotTexts;
    for (int n = 17; n <= 24; ++n)
        slotTexts << menu(n)->Text();
    EXPECT_EQ(joined(tallyColumn(0)), joined(slotTexts));
    EXPECT_EQ(tallyColumn(0).first(), "Auburn (.9866)_10");
    EXPECT_EQ(tallyColumn(0).last(), "Arkansas (.7274)_7");
    EXPECT_EQ(joined(tallyColumn(1)), "0|0|0|0|0|0|0|0");
    EXPECT_EQ(w->listit, 1);
    EXPECT_EQ(label(20)->Text(), "TCU (.9102)");
    EXPECT_FALSE(button(7)->Enabled());
    play(6, 'A');
    EXPECT_TRUE(button(7)->Enabled());
    play(7, 'B'); // Wisconsin

    // Every later China Bowl game adds no rows.
    button(9)->Push();
    for (int n = 1; n <= 5; ++n)
        play(n, 'B');
    EXPECT_EQ(joined(tallyColumn(0)), joined(slotTexts));
    EXPECT_EQ(joined(tallyColumn(1)), "0|0|0|0|1|0|0|0");
}

TEST_F(BowlPlayTest, TiedFinalCountsItsChampionOnceAndArmsTimer3Once)
{
    for (int n = 1; n <= 6; ++n)
        play(n, 'A');
    platform.shift = true;
    scriptGame(7, 30, 22, 22);
    scriptGame(7, 52, 17, 17);
    scriptGame(7, 41, 38, 21);
    button(7)->Push();
    EXPECT_TRUE(platform.scriptUsedUp());

    EXPECT_EQ(field(13)->Text(), "38");
    EXPECT_EQ(field(14)->Text(), "21");
    EXPECT_EQ(titles(), 1);
    EXPECT_EQ(w->Listbox1()->Cell(0, 1), "1"); // Auburn
    EXPECT_TRUE(button(9)->Enabled());
    EXPECT_TRUE(button(10)->Enabled());
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_EQ(w->Timer3()->Mode(), 1);
    EXPECT_EQ(w->Timer1()->Mode(), 0);

    // One firing starts one automatic replay and leaves Timer3 off.
    w->Timer3()->fire();
    EXPECT_EQ(w->Timer3()->Mode(), 0);
    EXPECT_EQ(w->Timer1()->Mode(), 1);
    EXPECT_FALSE(button(10)->Enabled());
    EXPECT_EQ(titles(), 1);
}

struct GuardCase
{
    const char *name;
    int button;
    int slotMenu;
    int fieldA, fieldB;
    friend void PrintTo(const GuardCase &c, std::ostream *os) { *os << c.name; }
};

class BowlGuardTest : public BowlPlayTest, public ::testing::WithParamInterface<GuardCase>
{
};

TEST_P(BowlGuardTest, RightHandSlotOnChoosePlaysNoGame)
{
    const GuardCase c = GetParam();
    // The semi-final's other slot is filled, so a game played here would
    // enable its Play button.
    play(c.button == 1 ? 2 : 3, 'A');
    PopupMenu *slot = menu(c.slotMenu);
    if (slot->Enabled())
        slot->userSelect(0); // the Soup Bowl's slot stays open to the user
    else
        slot->setListIndex(0);
    ASSERT_EQ(slot->Text(), "Choose");
    ASSERT_TRUE(button(c.button)->Enabled());
    const QStringList before = windowState();

    platform.scriptDraws({33, 30, 30, 30});
    button(c.button)->Push();

    EXPECT_EQ(platform.script.size(), 3u) << "only the ceiling is drawn";
    EXPECT_EQ(field(c.fieldA)->Text(), "0");
    EXPECT_EQ(field(c.fieldB)->Text(), "0");
    EXPECT_TRUE(button(c.button)->Enabled());
    EXPECT_EQ(joined(windowState()), joined(before));
    EXPECT_TRUE(platform.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Bowls, BowlGuardTest,
                         ::testing::Values(GuardCase{"Pasta", 1, 18, 1, 2}, GuardCase{"Soup", 4, 24, 7, 8}),
                         [](const ::testing::TestParamInfo<GuardCase> &info) { return std::string(info.param.name); });

struct OrderCase
{
    const char *name;
    int first;
    int second;
    int enabled; // the Play button the second game enables
    friend void PrintTo(const OrderCase &c, std::ostream *os) { *os << c.name; }
};

class BowlFeedOrderTest : public BowlPlayTest, public ::testing::WithParamInterface<OrderCase>
{
};

TEST_P(BowlFeedOrderTest, TheGamePlayedSecondEnablesTheNextPlayButton)
{
    const OrderCase c = GetParam();
    if (c.first >= 5) {
        for (int n = 1; n <= 4; ++n)
            play(n, 'A');
    }
    const int other = c.enabled == 5 ? 6 : c.enabled == 6 ? 5 : 0;
    const bool otherBefore = other ? button(other)->Enabled() : false;
    EXPECT_FALSE(button(c.enabled)->Enabled());
    play(c.first, 'B');
    EXPECT_FALSE(button(c.enabled)->Enabled());
    play(c.second, 'A');
    EXPECT_TRUE(button(c.enabled)->Enabled());
    if (other) {
        EXPECT_EQ(button(other)->Enabled(), otherBefore);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pairs, BowlFeedOrderTest, ::testing::Values(
    OrderCase{"PastaThenSalad",     1, 2, 5}, OrderCase{"SaladThenPasta",     2, 1, 5},
    OrderCase{"CerealThenSoup",     3, 4, 6}, OrderCase{"SoupThenCereal",     4, 3, 6},
    OrderCase{"ChinaThenCrystal",   5, 6, 7}, OrderCase{"CrystalThenChina",   6, 5, 7}),
    [](const ::testing::TestParamInfo<OrderCase> &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(BowlPlayTest, WinnersMoveOnWithTheirRatingAndDecimalStrength)
{
    play(1, 'A');
    EXPECT_EQ(label(10)->Text(), "Auburn (.9866)");
    EXPECT_EQ(label(12)->Text(), "10");
    play(2, 'B');
    EXPECT_EQ(label(11)->Text(), "Stanford (.8365)");
    EXPECT_EQ(label(13)->Text(), "8");
    play(3, 'A');
    EXPECT_EQ(label(15)->Text(), "Wisconsin (.8041)");
    EXPECT_EQ(label(17)->Text(), "8");
    play(4, 'B');
    EXPECT_EQ(label(16)->Text(), "Arkansas (.7274)");
    EXPECT_EQ(label(18)->Text(), "7");
    play(5, 'B');
    EXPECT_EQ(label(20)->Text(), "Stanford (.8365)");
    EXPECT_EQ(label(22)->Text(), "8");
    play(6, 'A');
    EXPECT_EQ(label(21)->Text(), "Wisconsin (.8041)");
    EXPECT_EQ(label(23)->Text(), "8");
    play(7, 'B');
    // The final hands on nothing; its champion shows only in the tally.
    EXPECT_EQ(label(20)->Text(), "Stanford (.8365)");
    EXPECT_EQ(label(21)->Text(), "Wisconsin (.8041)");
    EXPECT_EQ(joined(tallyColumn(1)), "0|0|0|0|1|0|0|0");
    for (int n = 1; n <= 7; ++n) {
        EXPECT_FALSE(button(n)->Enabled()) << "PushButton" << n;
        const int winnerField = (n == 1 || n == 3 || n == 6) ? kBowl[n].fieldA : kBowl[n].fieldB;
        const int loserField = winnerField == kBowl[n].fieldA ? kBowl[n].fieldB : kBowl[n].fieldA;
        EXPECT_EQ(field(winnerField)->Text(), "30");
        EXPECT_EQ(field(loserField)->Text(), "20");
        EXPECT_EQ(colorText(field(winnerField)->BackColor()), colorText(kOrange));
        EXPECT_FALSE(field(loserField)->Bold());
    }
}

TEST_F(BowlPlayTest, TitleGoesToTheRowWhoseNamePartIsTheChampion)
{
    // Stanford stands in row 3 (the Salad Bowl's right-hand slot).
    const char *stanfordWins = "ABBABAA";
    playAll(stanfordWins);
    EXPECT_EQ(tallyColumn(0).at(3), "Stanford (.8365)_8");
    EXPECT_EQ(joined(tallyColumn(1)), "0|0|0|1|0|0|0|0");
    button(9)->Push();
    playAll(stanfordWins);
    EXPECT_EQ(joined(tallyColumn(1)), "0|0|0|2|0|0|0|0");
    button(9)->Push();
    playAll("AAAAAAB"); // Wisconsin, row 4
    EXPECT_EQ(joined(tallyColumn(1)), "0|0|0|2|1|0|0|0");
}

struct EndCase
{
    const char *name;
    bool shift;
    bool afterHandReplay; // ReplayAll is already enabled when the final ends
    bool armsTimer3;
    friend void PrintTo(const EndCase &c, std::ostream *os) { *os << c.name; }
};

class BowlEndOfTournamentTest : public BowlPlayTest, public ::testing::WithParamInterface<EndCase>
{
};

TEST_P(BowlEndOfTournamentTest, FinalEnablesReplayButtonsAndMayArmTimer3)
{
    const EndCase c = GetParam();
    if (c.afterHandReplay) {
        playAll("AAAAAAA");
        button(9)->Push();
        ASSERT_TRUE(button(10)->Enabled());
        button(11)->setEnabled(false); // as after a save
    }
    for (int n = 1; n <= 6; ++n)
        play(n, 'A');
    EXPECT_FALSE(button(9)->Enabled());
    EXPECT_EQ(button(10)->Enabled(), c.afterHandReplay);
    EXPECT_FALSE(button(11)->Enabled());
    platform.shift = c.shift;
    play(7, 'A');
    EXPECT_TRUE(button(9)->Enabled());
    EXPECT_TRUE(button(10)->Enabled());
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_EQ(w->Timer3()->Mode(), c.armsTimer3 ? 1 : 0);
    EXPECT_EQ(w->Timer1()->Mode(), 0);
    EXPECT_EQ(w->Timer2()->Mode(), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, BowlEndOfTournamentTest, ::testing::Values(
    EndCase{"FirstFinalShiftUp",       false, false, false},
    EndCase{"FirstFinalShiftDown",     true,  false, true},
    EndCase{"AfterHandReplayShiftUp",  false, true,  false},
    EndCase{"AfterHandReplayShiftDown", true, true,  false}),
    [](const ::testing::TestParamInfo<EndCase> &info) { return std::string(info.param.name); });
// clang-format on

using BowlTallyRepairTest = BowlFixture;

// Regression: a China Bowl played before the Cereal and Soup slotTexts were
// placed left those tally rows without a bracket entry, so their teams'
// titles were never counted.
TEST_F(BowlTallyRepairTest, RowsFilledBeforeTheirSlotsTakeTheEntryAtTheFinal)
{
    confirmTeamsAndStrengths();
    for (int n = 17; n <= 20; ++n)
        menu(n)->userSelect(1);
    play(1, 'A');
    play(2, 'A');
    play(5, 'A');
    EXPECT_EQ(joined(tallyColumn(0)),
              "Auburn (.9866)_10|Oregon (.9720)_10|TCU (.9102)_9|Stanford (.8365)_8|Choose|||");
    for (int n = 21; n <= 24; ++n)
        menu(n)->userSelect(1);
    play(3, 'A'); // Wisconsin
    play(4, 'B');
    play(6, 'A');
    play(7, 'B'); // Wisconsin is champion
    EXPECT_EQ(joined(tallyColumn(0)), "Auburn (.9866)_10|Oregon (.9720)_10|TCU (.9102)_9|Stanford (.8365)_8|"
                                      "Wisconsin (.8041)_8|Ohio State (.7660)_8|Oklahoma (.7297)_7|"
                                      "Arkansas (.7274)_7");
    EXPECT_EQ(joined(tallyColumn(1)), "0|0|0|0|1|0|0|0");
}

} // namespace
