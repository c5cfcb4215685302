// The bowl game, played through the main window's Play buttons: its odds
// over many games and what each run draws, and the seven games with the
// semi-finals, the final and the title tally.
#include "services.h"
#include "string_functions.h"
#include "window_fixture.h"
#include "window_state.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

// ---- the odds, through the China Bowl's real Play button ---------------------------

// Five standard errors of a rate estimated from n games, plus half the last
// digit of the stated figure (given to 0.1 %).
double tolerance(double rate, long n)
{
    return 5.0 * std::sqrt(rate * (1.0 - rate) / double(n)) + 0.0005;
}

constexpr long kGames = 100000;

struct Outcome
{
    long games = 0;      // presses, each one decided game
    long winsA = 0;
    long attempts = 0;   // every game drawn, ties included
    long outOfRange = 0; // a Score field outside 2..55, or a winning score below 3
};

struct OddsRow
{
    const char *name;
    int strengthA;
    int strengthB;
    double winsA;
    double ties; // share of tied games; negative when not stated
    friend void PrintTo(const OddsRow &c, std::ostream *os) { *os << c.name; }
};

// The China Bowl of a fresh window, its two slots filled by hand with the
// strengths under test, pressed again and again: the program's own handler
// draws every game.
class ChinaBowlTest : public MainWindowTest
{
protected:
    void seatChinaBowl(int strengthA, int strengthB)
    {
        label(10)->setText(QStringLiteral("Side A"));
        label(11)->setText(QStringLiteral("Side B"));
        label(12)->setText(Str(strengthA));
        label(13)->setText(Str(strengthB));
    }
    // Presses the China Bowl's Play button once; false if it did not end in
    // one decided game.
    bool press()
    {
        button(5)->setEnabled(true);
        button(5)->Push();
        bool okA = false, okB = false;
        scoreA = field(9)->Text().toInt(&okA);
        scoreB = field(10)->Text().toInt(&okB);
        return okA && okB && scoreA != scoreB && !button(5)->Enabled();
    }
    Outcome play(long games)
    {
        Outcome o;
        const long generatorsBefore = platform.generatorsMade;
        for (; o.games < games; ++o.games) {
            if (!press()) {
                ADD_FAILURE() << "press " << o.games << " gave " << scoreA << " to " << scoreB;
                break;
            }
            if (scoreA > scoreB)
                ++o.winsA;
            if (qMin(scoreA, scoreB) < 2 || qMax(scoreA, scoreB) > 55 || qMax(scoreA, scoreB) < 3)
                ++o.outOfRange;
        }
        o.attempts = (platform.generatorsMade - generatorsBefore) / 3;
        return o;
    }
    int scoreA = 0;
    int scoreB = 0;
};

class BowlOddsTest : public ChinaBowlTest, public ::testing::WithParamInterface<OddsRow>
{
};

TEST_P(BowlOddsTest, WinsAndTiesMatchTheStatedFigures)
{
    const OddsRow row = GetParam();
    seatChinaBowl(row.strengthA, row.strengthB);
    const Outcome o = play(kGames);
    const double winsA = double(o.winsA) / double(o.games);
    EXPECT_NEAR(winsA, row.winsA, tolerance(row.winsA, o.games));
    if (row.ties >= 0) {
        const double ties = double(o.attempts - o.games) / double(o.attempts);
        EXPECT_NEAR(ties, row.ties, tolerance(row.ties, o.attempts));
    }
    EXPECT_EQ(o.outOfRange, 0);
    EXPECT_TRUE(platform.messages.isEmpty());
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

TEST_F(ChinaBowlTest, TiesAtCeiling25WithBothStrengths10)
{
    // Every ceiling drawn is 25; the other draws stay random.
    platform.answer = [](int low, int high) -> std::optional<int> {
        return low == 25 && high == 55 ? std::optional<int>(25) : std::nullopt;
    };
    seatChinaBowl(10, 10);
    const Outcome o = play(kGames);
    const double ties = double(o.attempts - o.games) / double(o.attempts);
    EXPECT_NEAR(ties, 0.216, tolerance(0.216, o.attempts));
    EXPECT_EQ(o.outOfRange, 0);
}

// What each run of a press draws, seen through the platform: three new
// generators in the order side A, side B, ceiling; the ceiling drawn once
// from 25 to 55 (both ends reached over many games); as many draws from 2 to
// the ceiling on side A's generator as its strength, then side B's on its
// own; and the Score fields show the best draw of each side of the run that
// decided the game.
TEST_F(ChinaBowlTest, EachRunDrawsItsCeilingAndBothSidesOnTheirOwnGenerators)
{
    seatChinaBowl(3, 7);
    platform.logging = true;
    int lowestCeiling = 99, highestCeiling = 0;
    for (int game = 0; game < 3000; ++game) {
        const size_t first = platform.log.size();
        ASSERT_TRUE(press()) << "game " << game;
        const size_t made = platform.log.size() - first;
        ASSERT_TRUE(made > 0 && made % 3 == 0) << made << " generators in game " << game;
        for (size_t run = first; run < platform.log.size(); run += 3) {
            const auto &sideA = platform.log[run].draws;
            const auto &sideB = platform.log[run + 1].draws;
            const auto &ceiling = platform.log[run + 2].draws;
            ASSERT_EQ(ceiling.size(), 1u) << "game " << game;
            ASSERT_EQ(ceiling[0].low, 25);
            ASSERT_EQ(ceiling[0].high, 55);
            const int top = ceiling[0].value;
            lowestCeiling = qMin(lowestCeiling, top);
            highestCeiling = qMax(highestCeiling, top);
            ASSERT_EQ(sideA.size(), 3u) << "game " << game;
            ASSERT_EQ(sideB.size(), 7u) << "game " << game;
            long sequence = ceiling[0].sequence;
            int bestA = 0, bestB = 0;
            for (const auto *side : {&sideA, &sideB}) {
                for (const FakePlatform::Draw &d : *side) {
                    ASSERT_EQ(d.low, 2);
                    ASSERT_EQ(d.high, top);
                    ASSERT_GT(d.sequence, sequence) << "a draw out of order in game " << game;
                    sequence = d.sequence;
                    int &best = side == &sideA ? bestA : bestB;
                    best = qMax(best, d.value);
                }
            }
            const bool decided = run + 3 == platform.log.size();
            ASSERT_EQ(bestA == bestB, !decided) << "game " << game;
            if (decided) {
                EXPECT_EQ(scoreA, bestA);
                EXPECT_EQ(scoreB, bestB);
            }
        }
        platform.log.clear();
    }
    EXPECT_EQ(lowestCeiling, 25);
    EXPECT_EQ(highestCeiling, 55);
}

// Regression: two sides that cannot score tied for ever, each tie nesting a
// new game, until the stack overflowed.
TEST_F(ChinaBowlTest, GameWithoutAStrengthOfOneIsNotPlayed)
{
    seatChinaBowl(0, 0);
    button(5)->setEnabled(true);
    // The game's start writes "0" into both fields; nothing else may change.
    field(9)->setText(QStringLiteral("0"));
    field(10)->setText(QStringLiteral("0"));
    const QStringList before = windowState(w);
    button(5)->Push();
    EXPECT_EQ(platform.generatorsMade, 3);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages.first().toStdString(),
              "This game can not be played because neither team has a strength of 1 or more.");
    EXPECT_EQ(joined(windowState(w)), joined(before));

    // One side that can score always wins against one that cannot.
    seatChinaBowl(0, 3);
    ASSERT_TRUE(press());
    EXPECT_EQ(field(9)->Text(), "0");
    EXPECT_EQ(label(20)->Text(), "Side B");
    EXPECT_EQ(label(22)->Text(), "3");
    EXPECT_EQ(platform.messages.size(), 1);
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
