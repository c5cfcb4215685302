// The main window on a desktop whose numbers use a decimal comma (German
// here): ratings keep their point, so the suggested strengths are those of
// any other desktop and a whole tournament is played.
#include "string_functions.h"
#include "window_fixture.h"
#include "window_state.h"

#include <clocale>
#include <string>

namespace {

const char *const kDecimalCommaLocale = "de_DE.UTF-8";

class DecimalCommaTest : public MainWindowTest
{
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        std::setlocale(LC_NUMERIC, m_saved.c_str());
    }
    // Switches the C library's number format, which Qt takes from the
    // desktop's language when the application starts.
    void useNumbers(const char *locale)
    {
        ASSERT_NE(std::setlocale(LC_NUMERIC, locale), nullptr)
            << "the locale " << locale << " is missing; scripts/test.sh makes it (localedef, package locales)";
    }
    // The strength menus' texts once teams 1 to 8 are chosen in a new window.
    QStringList suggestions()
    {
        chooseTeams();
        QStringList texts;
        for (int n = 9; n <= 16; ++n)
            texts << menu(n)->Text();
        return texts;
    }

private:
    std::string m_saved = std::setlocale(LC_NUMERIC, nullptr);
};

// Regression: Val read ".9866" as 0 under a decimal comma, so no strength was
// suggested, every bracket entry ended in "_", and the first game, both sides
// at strength 0, tied again and again until the stack overflowed.
TEST_F(DecimalCommaTest, SuggestsTheSameStrengthsAndPlaysAWholeTournament)
{
    useNumbers("C");
    const QStringList plain = suggestions();
    ASSERT_EQ(joined(plain), "10|10|9|8|8|8|7|7");
    w->Close();
    w = Window1::Window1_();

    ASSERT_NO_FATAL_FAILURE(useNumbers(kDecimalCommaLocale));
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    EXPECT_EQ(joined(suggestions()), joined(plain));
    EXPECT_EQ(Val(QStringLiteral(".9866")), 0.9866);
    EXPECT_EQ(Str(0.5).toStdString(), "0.5");

    w->CheckBox1()->userClick();
    w->CheckBox2()->userClick();
    placeAllSlots();
    EXPECT_EQ(menu(17)->Text().toStdString(), "Auburn (.9866)_10");
    EXPECT_EQ(menu(24)->Text().toStdString(), "Arkansas (.7274)_7");
    playAllGames();

    for (int n = 1; n <= 14; ++n) {
        bool ok = false;
        const int score = field(n)->Text().toInt(&ok);
        EXPECT_TRUE(ok && score >= 2 && score <= 55) << "TextField" << n << ": " << field(n)->Text().toStdString();
    }
    EXPECT_EQ(titles(), 1);
    EXPECT_TRUE(w->PushButton9()->Enabled());
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
