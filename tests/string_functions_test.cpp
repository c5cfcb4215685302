// The runtime's text and number functions, as the team-choice and tally code
// use them: fields from 1, first-only Replace, Val's lenient prefix and Str's
// whole-number form.
#include "string_functions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SplitTest, TextWithoutSeparatorIsOnePiece)
{
    EXPECT_EQ(Split(QStringLiteral("Auburn (.9866)"), QStringLiteral(",")), QStringList{QStringLiteral("Auburn (.9866)")});
    EXPECT_EQ(Split(QStringLiteral("a,b,,c"), QStringLiteral(",")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c")}));
    // The strength suggestion takes the last piece after "(".
    EXPECT_EQ(Split(QStringLiteral("Auburn (.9866)"), QStringLiteral("(")).last(), QStringLiteral(".9866)"));
}

TEST(SplitTest, JoinPutsSeparatorsBetweenPiecesOnly)
{
    const QStringList pool{QStringLiteral("Auburn_10"), QStringLiteral("TCU_9"), QStringLiteral("Oregon_10")};
    EXPECT_EQ(Join(pool, QStringLiteral(",")), QStringLiteral("Auburn_10,TCU_9,Oregon_10"));
    EXPECT_EQ(Join({QStringLiteral("one")}, QStringLiteral(",")), QStringLiteral("one"));
    EXPECT_EQ(Join({}, QStringLiteral(",")), QString());
    EXPECT_EQ(Split(Join(pool, QStringLiteral(",")), QStringLiteral(",")), pool);
}

TEST(FieldTest, NthFieldCountsFromOne)
{
    const QString teams = QStringLiteral("Auburn (.9866),Oregon (.9720),TCU (.9102)");
    EXPECT_EQ(NthField(teams, QStringLiteral(","), 1), QStringLiteral("Auburn (.9866)"));
    EXPECT_EQ(NthField(teams, QStringLiteral(","), 3), QStringLiteral("TCU (.9102)"));
    EXPECT_EQ(NthField(teams, QStringLiteral(","), 4), QString());
    EXPECT_EQ(NthField(teams, QStringLiteral(","), 0), QString());
    EXPECT_EQ(NthField(QStringLiteral("Auburn_10"), QStringLiteral("_"), 1), QStringLiteral("Auburn"));
    EXPECT_EQ(NthField(QStringLiteral("alone"), QStringLiteral(","), 1), QStringLiteral("alone"));
}

TEST(FieldTest, CountFields)
{
    EXPECT_EQ(CountFields(QStringLiteral("1,2,3,4,5,6,7,8,9,10"), QStringLiteral(",")), 10);
    EXPECT_EQ(CountFields(QStringLiteral("alone"), QStringLiteral(",")), 1);
    EXPECT_EQ(CountFields(QStringLiteral("a,,b"), QStringLiteral(",")), 3);
    EXPECT_EQ(CountFields(QStringLiteral("a,"), QStringLiteral(",")), 2);
    EXPECT_EQ(CountFields(QString(), QStringLiteral(",")), 0);
}

TEST(ReplaceTest, ReplaceChangesTheFirstOccurrenceOnly)
{
    EXPECT_EQ(Replace(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("+")), QStringLiteral("a+b-c"));
    EXPECT_EQ(Replace(QStringLiteral(".9866)"), QStringLiteral(")"), QString()), QStringLiteral(".9866"));
    EXPECT_EQ(Replace(QStringLiteral("abc"), QStringLiteral("x"), QStringLiteral("y")), QStringLiteral("abc"));
    EXPECT_EQ(Replace(QStringLiteral("aaa"), QStringLiteral("aa"), QStringLiteral("b")), QStringLiteral("ba"));
}

TEST(ReplaceTest, ReplaceAllChangesEveryOccurrence)
{
    EXPECT_EQ(ReplaceAll(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("+")), QStringLiteral("a+b+c"));
    EXPECT_EQ(ReplaceAll(QStringLiteral("5/12/2026"), QStringLiteral("/"), QString()), QStringLiteral("5122026"));
    EXPECT_EQ(ReplaceAll(QStringLiteral("abc"), QStringLiteral("x"), QStringLiteral("y")), QStringLiteral("abc"));
}

struct ValCase
{
    const char *text;
    double value;
};

void PrintTo(const ValCase &c, std::ostream *os)
{
    *os << '"' << c.text << '"';
}

class ValTest : public ::testing::TestWithParam<ValCase>
{
};

TEST_P(ValTest, ReadsTheNumberAtTheStart)
{
    EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(GetParam().text)), GetParam().value) << GetParam().text;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Corners, ValTest, ::testing::Values(
    ValCase{".9866)", 0.9866},   // a rating as the team list holds it
    ValCase{".6137", 0.6137},
    ValCase{"10", 10},
    ValCase{"6", 6},
    ValCase{"12abc", 12},
    ValCase{"abc", 0},
    ValCase{"", 0},
    ValCase{".", 0},
    ValCase{"-", 0},
    ValCase{"-3", -3},
    ValCase{"+4", 4},
    ValCase{"-.5", -0.5},
    ValCase{"2.75 points", 2.75},
    ValCase{"1e3", 1000}));
// clang-format on

TEST(StrTest, Integers)
{
    EXPECT_EQ(Str(0), QStringLiteral("0"));
    EXPECT_EQ(Str(17), QStringLiteral("17"));
    EXPECT_EQ(Str(-5), QStringLiteral("-5"));
    EXPECT_EQ(Str(2147483647), QStringLiteral("2147483647"));
    EXPECT_EQ(Str(qint64(-2147483648LL)), QStringLiteral("-2147483648"));
}

TEST(StrTest, WholeDoublesHaveNoPointAndNoExponent)
{
    EXPECT_EQ(Str(2.0), QStringLiteral("2"));
    EXPECT_EQ(Str(1.0 + 1.0), QStringLiteral("2"));
    EXPECT_EQ(Str(0.0), QStringLiteral("0"));
    EXPECT_EQ(Str(-0.0), QStringLiteral("0"));
    EXPECT_EQ(Str(-7.0), QStringLiteral("-7"));
    EXPECT_EQ(Str(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(Str(Round(0.9866 * 10.0)), QStringLiteral("10"));
}

TEST(StrTest, FractionsAreDecimal)
{
    EXPECT_EQ(Str(0.5), QStringLiteral("0.5"));
    EXPECT_EQ(Str(-1.25), QStringLiteral("-1.25"));
    EXPECT_FALSE(Str(0.125).contains(QLatin1Char('e')));
}

TEST(RoundTest, Nearest)
{
    EXPECT_EQ(Round(9.866), 10.0);
    EXPECT_EQ(Round(6.137), 6.0);
    EXPECT_EQ(Round(7.297), 7.0);
    EXPECT_EQ(Round(8.041), 8.0);
    EXPECT_EQ(Round(2.5), 3.0);
    EXPECT_EQ(Round(-2.4), -2.0);
    EXPECT_EQ(Round(-2.6), -3.0);
    EXPECT_EQ(Round(0.0), 0.0);
}

TEST(CharacterTest, TabAndLineEnding)
{
    EXPECT_EQ(Chr(9), QStringLiteral("\t"));
    EXPECT_EQ(Chr(13), QStringLiteral("\r"));
    EXPECT_EQ(Chr(65), QStringLiteral("A"));
    EXPECT_EQ(EndOfLine(), QStringLiteral("\n"));
}

} // namespace
