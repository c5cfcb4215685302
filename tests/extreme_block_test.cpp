// Well-formed blocks with values far outside any design: the faults the
// property-block fuzzer found. The control keeps the design value the block
// gave; its widget takes what Qt can hold, and nothing overflows or runs out
// of memory on the way.
#include "controls.h"
#include "property_block.h"
#include "window.h"

#include <QHeaderView>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <climits>

namespace {

class ExtremeBlockTest : public ::testing::Test
{
protected:
    template <class T> T *add(const char *cls)
    {
        Control *control = window.New(RuntimeLookupClass(QString::fromLatin1(cls)));
        window.AddControl(QStringLiteral("Extreme"), control);
        return RuntimeCheckCast<T>(control);
    }

    QTableWidget *table(Listbox *list) { return qobject_cast<QTableWidget *>(list->widget()); }

    Window window;
};

struct GeometryCase
{
    const char *label;
    int left, top, width, height;
    QRect shown;
};

void PrintTo(const GeometryCase &c, std::ostream *os)
{
    *os << c.label;
}

class ExtremeGeometryTest : public ExtremeBlockTest, public ::testing::WithParamInterface<GeometryCase>
{
};

// Regression: a Left, Top, Width or Height near the ends of the 32-bit range
// made the widget's corner overflow (signed overflow, undefined behaviour).
TEST_P(ExtremeGeometryTest, WidgetTakesTheGeometryCutToQtsLimits)
{
    const GeometryCase &c = GetParam();
    auto *menu = add<PopupMenu>("PopupMenu");
    SetProperties(menu, encodeBlock({{"Left", c.left}, {"Top", c.top}, {"Width", c.width}, {"Height", c.height}}));
    EXPECT_EQ(menu->Left(), c.left);
    EXPECT_EQ(menu->Top(), c.top);
    EXPECT_EQ(menu->Width(), c.width);
    EXPECT_EQ(menu->Height(), c.height);
    EXPECT_EQ(menu->widget()->geometry(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Values, ExtremeGeometryTest, ::testing::Values(
    GeometryCase{"LargestPosition", INT_MAX, INT_MAX, 80, 20, QRect(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX, 80, 20)},
    GeometryCase{"SmallestPosition", INT_MIN, INT_MIN, 80, 20, QRect(-QWIDGETSIZE_MAX, -QWIDGETSIZE_MAX, 80, 20)},
    GeometryCase{"LargestSize", 23, 47, INT_MAX, INT_MAX, QRect(23, 47, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)},
    GeometryCase{"SmallestSize", 23, 47, INT_MIN, INT_MIN, QRect(23, 47, 0, 0)}),
    [](const ::testing::TestParamInfo<GeometryCase> &info) { return std::string(info.param.label); });

// Regression: a ColumnCount of 348014813 made the list box ask Qt for that
// many columns and ran out of memory.
TEST_F(ExtremeBlockTest, HugeColumnCountIsCutTo256Columns)
{
    auto *list = add<Listbox>("Listbox");
    SetProperties(list, encodeBlock({{"ColumnCount", 348014813}, {"InitialValue", "Auburn (.9866)_10"}}));
    EXPECT_EQ(list->ColumnCount(), 256);
    EXPECT_EQ(table(list)->columnCount(), 256);
    EXPECT_EQ(list->Cell(0, 255), QString());
    EXPECT_THROW(list->Cell(0, 256), OutOfBoundsException);
}

// Regression: column widths of 1e300 per cent, or whole widths that add up
// beyond 32 bits, overflowed in the column layout.
TEST_F(ExtremeBlockTest, ColumnWidthsBeyondAnyListStayWithinQtsLimits)
{
    auto *list = add<Listbox>("Listbox");
    SetProperties(list, encodeBlock({{"Width", 205},
                                     {"ColumnCount", 3},
                                     {"ColumnWidths", "1e300%,2000000000,2000000000"}}));
    for (int column = 0; column < 3; ++column) {
        EXPECT_GE(table(list)->columnWidth(column), 0) << "column " << column;
        EXPECT_LE(table(list)->columnWidth(column), QWIDGETSIZE_MAX) << "column " << column;
    }
    // The last column takes what the others leave, which is nothing.
    EXPECT_EQ(table(list)->columnWidth(2), 0);
}

// Regression: a list box Width of -2147483648 overflowed when its frame was
// taken off the width available to the columns.
TEST_F(ExtremeBlockTest, SmallestWidthLeavesTheColumnsNoRoom)
{
    auto *list = add<Listbox>("Listbox");
    SetProperties(list, encodeBlock({{"ColumnCount", 2}, {"ColumnWidths", "85%,15%"}, {"Width", INT_MIN}}));
    EXPECT_EQ(list->Width(), INT_MIN);
    EXPECT_EQ(table(list)->columnWidth(0), 0);
    EXPECT_EQ(table(list)->columnWidth(1), 0);
}

} // namespace
