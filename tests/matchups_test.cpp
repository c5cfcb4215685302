// The first-round match-ups: the eight slot menus filled one after another
// from the pool, the Score fields and Play buttons they open, and a whole
// tournament played by hand from a fresh window.
#include "window_fixture.h"
#include "window_state.h"

#include <functional>

namespace {

// The pool as the strength step leaves it (teams 1 to 8, suggested strengths).
const QStringList kEntries = {"Auburn (.9866)_10",   "Oregon (.9720)_10",   "TCU (.9102)_9",
                              "Stanford (.8365)_8",  "Wisconsin (.8041)_8", "Ohio State (.7660)_8",
                              "Oklahoma (.7297)_7",  "Arkansas (.7274)_7"};

class MatchupsTest : public MainWindowTest
{
protected:
    QStringList rows(PopupMenu *m)
    {
        QStringList all;
        for (int row = 0; row < m->ListCount(); ++row)
            all << m->List(row);
        return all;
    }
};

TEST_F(MatchupsTest, SlotsStayClosedUntilTheStrengthsAreConfirmed)
{
    chooseTeams();
    w->CheckBox1()->userClick();
    for (int n = 17; n <= 24; ++n) {
        EXPECT_FALSE(menu(n)->Enabled()) << "PopupMenu" << n;
        EXPECT_EQ(menu(n)->ListCount(), 0) << "PopupMenu" << n;
    }
    for (int n = 1; n <= 4; ++n)
        EXPECT_FALSE(button(n)->Enabled()) << "PushButton" << n;
    w->CheckBox2()->userClick();
    EXPECT_TRUE(menu(17)->Enabled());
    EXPECT_EQ(joined(w->team), joined(kEntries));
    for (int n = 18; n <= 24; ++n)
        EXPECT_FALSE(menu(n)->Enabled()) << "PopupMenu" << n;
}

struct PickPolicy
{
    const char *name;
    std::function<int(int offered)> row; // the row chosen when `offered` entries follow "Choose"
    friend void PrintTo(const PickPolicy &c, std::ostream *os) { *os << c.name; }
};

class MatchupChainTest : public MatchupsTest, public ::testing::WithParamInterface<PickPolicy>
{
};

TEST_P(MatchupChainTest, EachChoicePlacesItsEntryAndOpensTheNextSlot)
{
    confirmTeamsAndStrengths();
    QStringList pool = kEntries;
    for (int m = 17; m <= 24; ++m) {
        SCOPED_TRACE("PopupMenu" + std::to_string(m));
        const int bowl = (m - 17) / 2 + 1;
        const bool left = m % 2 == 1;
        PopupMenu *slot = menu(m);
        ASSERT_TRUE(slot->Enabled());
        ASSERT_EQ(slot->ListIndex(), 0);
        ASSERT_EQ(joined(rows(slot)), joined(QStringList{"Choose"} + pool));
        for (int later = m + 1; later <= 24; ++later)
            ASSERT_EQ(menu(later)->ListCount(), 0);

        const int row = GetParam().row(int(pool.size()));
        const QString chosen = slot->List(row);
        slot->userSelect(row);
        if (m < 24)
            pool.removeAt(row - 1);

        EXPECT_EQ(joined(w->team), joined(pool));
        EXPECT_EQ(slot->Text(), chosen);
        EXPECT_EQ(slot->Enabled(), m == 24) << "only the Soup Bowl's right-hand slot stays open";
        EXPECT_EQ(field(2 * bowl - 1)->Text(), "0");
        EXPECT_EQ(field(2 * bowl)->Text(), "0");
        EXPECT_EQ(button(bowl)->Enabled(), !left) << "a bowl is playable once its right-hand slot is placed";
        for (int b = 1; b < bowl; ++b)
            EXPECT_TRUE(button(b)->Enabled()) << "PushButton" << b;
        for (int b = bowl + 1; b <= 4; ++b) {
            EXPECT_FALSE(button(b)->Enabled()) << "PushButton" << b;
            EXPECT_EQ(field(2 * b - 1)->Text(), "");
            EXPECT_EQ(field(2 * b)->Text(), "");
        }
        if (m < 24) {
            EXPECT_TRUE(menu(m + 1)->Enabled());
            EXPECT_EQ(menu(m + 1)->Text(), "Choose");
        }
    }
    // The Soup Bowl's right-hand entry stays in the pool, alone.
    ASSERT_EQ(w->team.size(), 1);
    EXPECT_EQ(w->team.first(), menu(24)->Text());
    EXPECT_EQ(w->team.first(), menu(24)->List(1));
    for (int m = 17; m <= 23; ++m)
        EXPECT_FALSE(menu(m)->Enabled());
    QStringList placed;
    for (int m = 17; m <= 24; ++m)
        placed << menu(m)->Text();
    placed.sort();
    QStringList all = kEntries;
    all.sort();
    EXPECT_EQ(joined(placed), joined(all));
    EXPECT_TRUE(platform.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Policies, MatchupChainTest,
                         ::testing::Values(PickPolicy{"FirstRow", [](int) { return 1; }},
                                           PickPolicy{"LastRow", [](int offered) { return offered; }},
                                           PickPolicy{"ThirdRow", [](int offered) { return qMin(3, offered); }}),
                         [](const ::testing::TestParamInfo<PickPolicy> &info) { return std::string(info.param.name); });

TEST_F(MatchupsTest, SoupBowlRightHandSlotStaysOpenAndEachChangeReopensTheBowl)
{
    confirmTeamsAndStrengths();
    placeAllSlots();
    const QString entry = menu(24)->Text();
    EXPECT_TRUE(menu(24)->Enabled());
    EXPECT_TRUE(button(4)->Enabled());

    menu(24)->userSelect(0);
    EXPECT_TRUE(menu(24)->Enabled());
    EXPECT_EQ(field(7)->Text(), "0");
    EXPECT_EQ(field(8)->Text(), "0");
    EXPECT_TRUE(button(4)->Enabled());
    EXPECT_EQ(joined(w->team), joined({entry}));

    // Pressed on "Choose", the Soup Bowl plays no game.
    button(4)->Push();
    EXPECT_EQ(field(7)->Text(), "0");
    EXPECT_EQ(field(8)->Text(), "0");
    EXPECT_TRUE(button(4)->Enabled());
    EXPECT_EQ(label(16)->Text(), "TEAM: TBA");
    EXPECT_EQ(label(18)->Text(), "");

    menu(24)->userSelect(1);
    EXPECT_EQ(menu(24)->Text(), entry);
    button(4)->Push();
    EXPECT_FALSE(button(4)->Enabled());
    const QString scoreA = field(7)->Text();
    const QString scoreB = field(8)->Text();
    ASSERT_NE(scoreA, "0");
    const bool boldA = field(7)->Bold(), boldB = field(8)->Bold();
    const QString colorA = colorText(field(7)->BackColor()), colorB = colorText(field(8)->BackColor());

    // Picking the row already shown is no change.
    menu(24)->userSelect(1);
    EXPECT_EQ(field(7)->Text(), scoreA);
    EXPECT_EQ(field(8)->Text(), scoreB);
    EXPECT_FALSE(button(4)->Enabled());

    for (int row : {0, 1}) {
        menu(24)->userSelect(row);
        EXPECT_EQ(field(7)->Text(), "0");
        EXPECT_EQ(field(8)->Text(), "0");
        EXPECT_TRUE(button(4)->Enabled());
        EXPECT_EQ(field(7)->Bold(), boldA);
        EXPECT_EQ(field(8)->Bold(), boldB);
        EXPECT_EQ(colorText(field(7)->BackColor()), colorA);
        EXPECT_EQ(colorText(field(8)->BackColor()), colorB);
        EXPECT_EQ(w->team.size(), 1);
    }
}

// What a user does and sees, from a fresh window to the first champion.
TEST_F(MatchupsTest, WholeTournamentByHandFromAFreshWindow)
{
    const std::array<int, 8> teams = {9, 1, 4, 10, 2, 6, 3, 8};
    for (int n = 1; n <= 8; ++n) {
        ASSERT_TRUE(menu(n)->Enabled());
        menu(n)->userSelect(teams[size_t(n - 1)]);
    }
    ASSERT_TRUE(w->CheckBox1()->Enabled());
    w->CheckBox1()->userClick();
    menu(12)->userSelect(0); // Boise State plays at strength 1
    ASSERT_TRUE(w->CheckBox2()->Enabled());
    w->CheckBox2()->userClick();

    // Placed in reverse pool order: always the last entry offered.
    for (int m = 17; m <= 24; ++m) {
        ASSERT_TRUE(menu(m)->Enabled()) << "PopupMenu" << m;
        menu(m)->userSelect(menu(m)->ListCount() - 1);
    }
    EXPECT_EQ(menu(17)->Text(), "Arkansas (.7274)_7");
    EXPECT_EQ(menu(18)->Text(), "TCU (.9102)_9");
    EXPECT_EQ(menu(23)->Text(), "Auburn (.9866)_10");
    EXPECT_EQ(menu(24)->Text(), "Michigan State (.6922)_7");
    EXPECT_EQ(menu(21)->Text(), "Boise State (.6137)_1");

    const int order[7] = {2, 1, 4, 3, 6, 5, 7};
    for (int n : order) {
        ASSERT_TRUE(button(n)->Enabled()) << "PushButton" << n;
        button(n)->Push();
        EXPECT_FALSE(button(n)->Enabled());
    }
    for (int f = 1; f <= 14; f += 2) {
        const int a = field(f)->Text().toInt();
        const int b = field(f + 1)->Text().toInt();
        EXPECT_NE(a, b) << "TextField" << f;
        EXPECT_GE(qMin(a, b), 2);
        EXPECT_LE(qMax(a, b), 55);
        EXPECT_EQ(colorText(field(a > b ? f : f + 1)->BackColor()), "RGB(255,152,51)");
    }
    // The champion is the final's winner; its tally row holds the one title.
    const QString champion = field(13)->Text().toInt() > field(14)->Text().toInt() ? label(20)->Text()
                                                                                    : label(21)->Text();
    Listbox *tally = w->Listbox1();
    ASSERT_EQ(tally->ListCount(), 8);
    int titles = 0;
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(tally->Cell(row, 0), menu(17 + row)->Text());
        const bool won = tally->Cell(row, 0).startsWith(champion + QLatin1Char('_'));
        EXPECT_EQ(tally->Cell(row, 1), won ? "1" : "0") << "row " << row;
        titles += tally->Cell(row, 1).toInt();
    }
    EXPECT_EQ(titles, 1);
    EXPECT_TRUE(button(9)->Enabled());
    EXPECT_TRUE(button(10)->Enabled());
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_TRUE(button(8)->Enabled());
    EXPECT_EQ(w->Timer3()->Mode(), 0);
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
