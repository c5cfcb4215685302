// A whole tournament by hand through the real handlers, as a user plays it.
#include "window_fixture.h"

using HandPlayTest = MainWindowTest;

TEST_F(HandPlayTest, WholeTournamentCountsOneTitle)
{
    confirmTeamsAndStrengths();
    placeAllSlots();
    playAllGames();
    ASSERT_EQ(w->Listbox1()->ListCount(), 8);
    EXPECT_EQ(titles(), 1);
    EXPECT_TRUE(button(9)->Enabled());
    EXPECT_TRUE(button(10)->Enabled());
    EXPECT_TRUE(button(11)->Enabled());
    EXPECT_TRUE(platform.messages.isEmpty());
}
