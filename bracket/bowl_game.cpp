// The bowl game that all seven Play buttons run, with the semi-finals, the
// final and the title tally.
#include "window1.h"

#include "services.h"
#include "string_functions.h"

#include <array>

namespace {

enum class Round { First, Later };
enum class After { Nothing, TallyFill, TitleCount };

// Which controls one bowl reads and writes.
struct Bowl
{
    const char *button;
    Round round;
    // First round: the two slot menus. Later games: the two name labels.
    const char *sideA;
    const char *sideB;
    // Later games: the two hidden strength labels.
    const char *strengthA;
    const char *strengthB;
    const char *fieldA;
    const char *fieldB;
    const char *guard;         // right-hand slot menu tested for "Choose", or nullptr
    const char *winnerName;    // the next slot's name label; nullptr for the final
    const char *winnerStrength;
    const char *followUpTest;  // strength label of the next game's other slot
    const char *enables;       // the next game's Play button
    After after;
};

// clang-format off
const std::array<Bowl, 7> kBowls = {{
//   button          round         side A         side B         str. A     str. B     field A        field B        guard          winner name winner str. follow-up  enables         after
    {"PushButton1", Round::First, "PopupMenu17", "PopupMenu18", nullptr,   nullptr,   "TextField1",  "TextField2",  "PopupMenu18", "Label10",  "Label12",  "Label13", "PushButton5", After::Nothing},
    {"PushButton2", Round::First, "PopupMenu19", "PopupMenu20", nullptr,   nullptr,   "TextField3",  "TextField4",  nullptr,       "Label11",  "Label13",  "Label12", "PushButton5", After::Nothing},
    {"PushButton3", Round::First, "PopupMenu21", "PopupMenu22", nullptr,   nullptr,   "TextField5",  "TextField6",  nullptr,       "Label15",  "Label17",  "Label18", "PushButton6", After::Nothing},
    {"PushButton4", Round::First, "PopupMenu23", "PopupMenu24", nullptr,   nullptr,   "TextField7",  "TextField8",  "PopupMenu24", "Label16",  "Label18",  "Label17", "PushButton6", After::Nothing},
    {"PushButton5", Round::Later, "Label10",     "Label11",     "Label12", "Label13", "TextField9",  "TextField10", nullptr,       "Label20",  "Label22",  "Label23", "PushButton7", After::TallyFill},
    {"PushButton6", Round::Later, "Label15",     "Label16",     "Label17", "Label18", "TextField11", "TextField12", nullptr,       "Label21",  "Label23",  "Label22", "PushButton7", After::Nothing},
    {"PushButton7", Round::Later, "Label20",     "Label21",     "Label22", "Label23", "TextField13", "TextField14", nullptr,       nullptr,    nullptr,    nullptr,   nullptr,       After::TitleCount},
}};
// clang-format on

// The first-round slot menus in bowl order, as the tally list holds them.
constexpr std::array<const char *, 8> kSlotMenus = {"PopupMenu17", "PopupMenu18", "PopupMenu19", "PopupMenu20",
                                                    "PopupMenu21", "PopupMenu22", "PopupMenu23", "PopupMenu24"};

const Color kWinnerColor = RGB(255, 152, 51);

struct Side
{
    QString name;
    qint32 strength = 0;
};

// Reads and removes the last piece of a split bracket entry.
QString takeLast(QStringList &pieces)
{
    if (pieces.isEmpty())
        throw OutOfBoundsException(QStringLiteral("A bracket entry has too few pieces"));
    return pieces.takeLast();
}

// A side's score: the best of `strength` draws from 2 to the ceiling (0 when
// the strength is 0 or less).
qint32 drawScore(Random &generator, qint32 strength, qint32 ceiling)
{
    qint32 score = 0;
    for (qint32 i = 0; i < strength; ++i) {
        const qint32 x = generator.InRange(2, ceiling);
        if (x > score)
            score = x;
    }
    return score;
}

// Plays the bowl whose Play button is `me`.
void playBowl(Window1 *w, PushButton *me, const Bowl &bowl)
{
    Random generatorA;
    Random generatorB;
    Random generatorCeiling;
    const qint32 ceiling = generatorCeiling.InRange(25, 55);
    Window1::control<TextField>(w, bowl.fieldA)->setText(QStringLiteral("0"));
    Window1::control<TextField>(w, bowl.fieldB)->setText(QStringLiteral("0"));
    if (bowl.guard && Window1::control<PopupMenu>(w, bowl.guard)->ListIndex() == 0)
        return;

    Side a, b;
    if (bowl.round == Round::First) {
        QStringList piecesA = Split(Window1::control<PopupMenu>(w, bowl.sideA)->Text(), QStringLiteral("_"));
        QStringList piecesB = Split(Window1::control<PopupMenu>(w, bowl.sideB)->Text(), QStringLiteral("_"));
        a.strength = qint32(Val(takeLast(piecesA)));
        b.strength = qint32(Val(takeLast(piecesB)));
        a.name = takeLast(piecesA);
        b.name = takeLast(piecesB);
    } else {
        a.strength = qint32(Val(Window1::control<Label>(w, bowl.strengthA)->Text()));
        b.strength = qint32(Val(Window1::control<Label>(w, bowl.strengthB)->Text()));
        a.name = Window1::control<Label>(w, bowl.sideA)->Text();
        b.name = Window1::control<Label>(w, bowl.sideB)->Text();
    }

    // Two sides that cannot score would tie for ever, each tie nesting a new
    // game; such a game is not played.
    if (a.strength < 1 && b.strength < 1) {
        MsgBox(QStringLiteral("This game can not be played because neither team has a strength of 1 or more."));
        return;
    }

    const qint32 scoreA = drawScore(generatorA, a.strength, ceiling);
    const qint32 scoreB = drawScore(generatorB, b.strength, ceiling);

    QString champion;
    bool decided = false;
    if (scoreA == scoreB) {
        // A tie is played again at once, nested; this run then only closes.
        me->Push();
    } else {
        decided = true;
        Window1::control<TextField>(w, bowl.fieldA)->setText(Str(scoreA));
        Window1::control<TextField>(w, bowl.fieldB)->setText(Str(scoreB));
        const bool aWins = scoreA > scoreB;
        const Side &winner = aWins ? a : b;
        TextField *winnerField = Window1::control<TextField>(w, aWins ? bowl.fieldA : bowl.fieldB);
        winnerField->setBold(true);
        winnerField->setBackColor(kWinnerColor);
        if (bowl.winnerName) {
            Window1::control<Label>(w, bowl.winnerName)->setText(winner.name);
            Window1::control<Label>(w, bowl.winnerStrength)->setText(Str(winner.strength));
        } else {
            champion = winner.name;
        }
    }

    // Closing steps, in every run of a tie chain.
    me->setEnabled(false);
    if (bowl.followUpTest && !Window1::control<Label>(w, bowl.followUpTest)->Text().isEmpty())
        Window1::control<PushButton>(w, bowl.enables)->setEnabled(true);

    if (bowl.after == After::TallyFill && w->listit == 0) {
        Listbox *tally = w->Listbox1();
        for (const char *slot : kSlotMenus) {
            tally->AddRow(Window1::control<PopupMenu>(w, slot)->Text());
            tally->setCell(tally->LastIndex(), 1, QStringLiteral("0"));
        }
        w->listit = 1;
    } else if (bowl.after == After::TitleCount) {
        if (decided) {
            Listbox *tally = w->Listbox1();
            const int rows = qMin(8, tally->ListCount());
            // A row filled before its slot was chosen holds no bracket entry;
            // it takes its slot's entry now, keeping its count.
            for (int row = 0; row < rows; ++row) {
                if (!tally->Cell(row, 0).contains(QLatin1Char('_')))
                    tally->setCell(row, 0, Window1::control<PopupMenu>(w, kSlotMenus[size_t(row)])->Text());
            }
            for (int row = 0; row < rows; ++row) {
                const QString namePart = Split(tally->Cell(row, 0), QStringLiteral("_")).at(0);
                if (namePart == champion)
                    tally->setCell(row, 1, Str(Val(tally->Cell(row, 1)) + 1.0));
            }
        }
        // The end of the tournament.
        w->PushButton9()->setEnabled(true);
        if (!w->PushButton10()->Enabled()) {
            if (Keyboard::AsyncShiftKey()) {
                w->PushButton10()->setEnabled(true);
                w->Timer3()->setMode(1);
            } else {
                w->PushButton10()->setEnabled(true);
            }
        }
        w->PushButton11()->setEnabled(true);
    }
}

} // namespace

void Window1::PushButton1_Action(PushButton *me)
{
    playBowl(this, me, kBowls[0]);
}

void Window1::PushButton2_Action(PushButton *me)
{
    playBowl(this, me, kBowls[1]);
}

void Window1::PushButton3_Action(PushButton *me)
{
    playBowl(this, me, kBowls[2]);
}

void Window1::PushButton4_Action(PushButton *me)
{
    playBowl(this, me, kBowls[3]);
}

void Window1::PushButton5_Action(PushButton *me)
{
    playBowl(this, me, kBowls[4]);
}

void Window1::PushButton6_Action(PushButton *me)
{
    playBowl(this, me, kBowls[5]);
}

void Window1::PushButton7_Action(PushButton *me)
{
    playBowl(this, me, kBowls[6]);
}
