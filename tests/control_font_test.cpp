// The fonts the main window's controls show: the size the layout gives each
// control, else the 12-pixel system font, with its bold and underline, and
// a menu's list in the menu's own font.
#include "window1_layout.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

bool hasStyle(const ControlRow &row, const char *word)
{
    return QString::fromLatin1(row.style).split(QLatin1Char(' ')).contains(QLatin1String(word));
}

using ControlFontTest = MainWindowTest;

TEST_F(ControlFontTest, EveryControlShowsItsLayoutSizeOrTheSystemFont)
{
    int checked = 0;
    for (const ControlRow &row : window1Layout()) {
        if (isTimerRow(row) || QByteArray(row.cls) == "RoundRectangle")
            continue;
        auto *rect = RuntimeCheckCast<RectControl>(w->ControlByName(QLatin1String(row.name)));
        ASSERT_NE(rect, nullptr) << row.name;
        const QFont shown = rect->widget()->font();
        const int pixels = row.textSize > 0 ? qRound(row.textSize) : kSystemFontPixels;
        EXPECT_EQ(shown.pixelSize(), pixels) << row.name;
        EXPECT_EQ(shown.bold(), hasStyle(row, "bold")) << row.name;
        EXPECT_EQ(shown.underline(), hasStyle(row, "underline")) << row.name;
        EXPECT_FALSE(shown.italic()) << row.name;
        ++checked;
    }
    EXPECT_EQ(checked, 78);
}

// Regression guard: a menu's list is built only when it first opens, after
// the menu got its font; the list must show the menu's font, not Qt's default.
TEST_F(ControlFontTest, MenuListsShowTheirMenusFont)
{
    for (int n = 1; n <= 24; ++n) {
        auto *box = qobject_cast<QComboBox *>(menu(n)->widget());
        ASSERT_NE(box, nullptr) << "PopupMenu" << n;
        EXPECT_EQ(box->font().pixelSize(), 9) << "PopupMenu" << n;
        EXPECT_EQ(box->view()->font().pixelSize(), box->font().pixelSize()) << "PopupMenu" << n;
    }
    // A font set after the list exists reaches the list too.
    menu(1)->setTextSize(14);
    auto *first = qobject_cast<QComboBox *>(menu(1)->widget());
    EXPECT_EQ(first->view()->font().pixelSize(), 14);
}

} // namespace
