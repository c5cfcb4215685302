// The main window as built: every control's class, place, text, states, tab
// index, parent, font size and handlers against the design table, the few
// controls with a look of their own, what accepts input in a fresh window,
// and a screenshot of the whole window.
#include "window_fixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QSet>
#include <QTableWidget>

namespace {

// Stands for the contact address, whose text is the program's own choice.
const char *const AnyAddress = "@";

struct Expected
{
    const char *name;
    const char *cls;
    int left, top, width, height;
    const char *text;
    bool enabled, visible;
    const char *parent;
    int tab;
    int size;           // font size set in code; 0: none
    const char *style;  // align1 bold underline multiline color=RRGGBB border=RRGGBB
    const char *events; // O: Open, C: Change or Action, M: MouseDown, T: timer Action
};

// The 88 controls in creation order.
// clang-format off
const Expected kControls[] = {
//   name               class             L    T    W    H    text                           En     Vis    parent             tab size style                    events
    {"PopupMenu1",      "PopupMenu",      23,  47,  80,  20,  "",                            true,  true,  "",                0,  9,  "",                      "OC"},
    {"PopupMenu2",      "PopupMenu",      115, 47,  80,  20,  "",                            true,  true,  "",                1,  9,  "",                      "OC"},
    {"PopupMenu3",      "PopupMenu",      207, 47,  80,  20,  "",                            true,  true,  "",                2,  9,  "",                      "OC"},
    {"PopupMenu4",      "PopupMenu",      299, 47,  80,  20,  "",                            true,  true,  "",                3,  9,  "",                      "OC"},
    {"PopupMenu5",      "PopupMenu",      391, 47,  80,  20,  "",                            true,  true,  "",                4,  9,  "",                      "OC"},
    {"PopupMenu6",      "PopupMenu",      483, 47,  80,  20,  "",                            true,  true,  "",                5,  9,  "",                      "OC"},
    {"PopupMenu7",      "PopupMenu",      575, 47,  80,  20,  "",                            true,  true,  "",                6,  9,  "",                      "OC"},
    {"PopupMenu8",      "PopupMenu",      667, 47,  80,  20,  "",                            true,  true,  "",                7,  9,  "",                      "OC"},
    {"PopupMenu9",      "PopupMenu",      29,  87,  80,  20,  "",                            false, true,  "",                8,  9,  "",                      "O"},
    {"PopupMenu10",     "PopupMenu",      114, 87,  80,  20,  "",                            false, true,  "",                9,  9,  "",                      "O"},
    {"PopupMenu11",     "PopupMenu",      206, 87,  80,  20,  "",                            false, true,  "",                10, 9,  "",                      "O"},
    {"PopupMenu12",     "PopupMenu",      298, 87,  80,  20,  "",                            false, true,  "",                11, 9,  "",                      "O"},
    {"PopupMenu13",     "PopupMenu",      390, 87,  80,  20,  "",                            false, true,  "",                12, 9,  "",                      "O"},
    {"PopupMenu14",     "PopupMenu",      482, 87,  80,  20,  "",                            false, true,  "",                13, 9,  "",                      "O"},
    {"PopupMenu15",     "PopupMenu",      574, 87,  80,  20,  "",                            false, true,  "",                14, 9,  "",                      "O"},
    {"PopupMenu16",     "PopupMenu",      666, 87,  80,  20,  "",                            false, true,  "",                15, 9,  "",                      "O"},
    {"CheckBox1",       "CheckBox",       759, 44,  58,  20,  "DONE",                        true,  true,  "",                16, 9,  "",                      "C"},
    {"CheckBox2",       "CheckBox",       758, 88,  58,  20,  "DONE",                        false, true,  "",                17, 9,  "",                      "C"},
    {"RoundRectangle1", "RoundRectangle", 20,  120, 172, 129, "",                            true,  true,  "",                18, 0,  "border=FF0000",         ""},
    {"PopupMenu17",     "PopupMenu",      23,  193, 80,  20,  "",                            false, true,  "RoundRectangle1", 0,  9,  "",                      "C"},
    {"PopupMenu18",     "PopupMenu",      106, 193, 80,  20,  "",                            false, true,  "RoundRectangle1", 1,  9,  "",                      "C"},
    {"TextField1",      "TextField",      29,  159, 41,  22,  "",                            true,  true,  "RoundRectangle1", 2,  0,  "",                      ""},
    {"TextField2",      "TextField",      126, 159, 41,  22,  "",                            true,  true,  "RoundRectangle1", 3,  0,  "",                      ""},
    {"Label1",          "Label",          56,  126, 100, 20,  "Pasta Bowl",                  true,  true,  "RoundRectangle1", 4,  0,  "align1",                ""},
    {"PushButton1",     "PushButton",     66,  215, 80,  20,  "Play",                        false, true,  "RoundRectangle1", 5,  10, "",                      "C"},
    {"RoundRectangle2", "RoundRectangle", 204, 120, 172, 129, "",                            true,  true,  "",                21, 0,  "border=00FF00",         ""},
    {"PopupMenu19",     "PopupMenu",      207, 193, 80,  20,  "",                            false, true,  "RoundRectangle2", 0,  9,  "",                      "C"},
    {"PopupMenu20",     "PopupMenu",      290, 193, 80,  20,  "",                            false, true,  "RoundRectangle2", 1,  9,  "",                      "C"},
    {"TextField3",      "TextField",      213, 159, 41,  22,  "",                            true,  true,  "RoundRectangle2", 2,  0,  "",                      ""},
    {"TextField4",      "TextField",      310, 159, 41,  22,  "",                            true,  true,  "RoundRectangle2", 3,  0,  "",                      ""},
    {"Label2",          "Label",          240, 126, 100, 20,  "Salad Bowl",                  true,  true,  "RoundRectangle2", 4,  0,  "align1",                ""},
    {"PushButton2",     "PushButton",     250, 215, 80,  20,  "Play",                        false, true,  "RoundRectangle2", 5,  10, "",                      "C"},
    {"RoundRectangle3", "RoundRectangle", 391, 120, 172, 129, "",                            true,  true,  "",                24, 0,  "border=FF00FF",         ""},
    {"Label3",          "Label",          427, 126, 100, 20,  "Cereal Bowl",                 true,  true,  "RoundRectangle3", 4,  0,  "align1",                ""},
    {"PopupMenu22",     "PopupMenu",      477, 193, 80,  20,  "",                            false, true,  "RoundRectangle3", 6,  9,  "",                      "C"},
    {"PopupMenu21",     "PopupMenu",      391, 193, 80,  20,  "",                            false, true,  "RoundRectangle3", 7,  9,  "",                      "C"},
    {"PushButton3",     "PushButton",     427, 215, 80,  20,  "Play",                        false, true,  "RoundRectangle3", 8,  10, "",                      "C"},
    {"TextField5",      "TextField",      402, 159, 41,  22,  "",                            true,  true,  "RoundRectangle3", 9,  0,  "",                      ""},
    {"TextField6",      "TextField",      497, 159, 41,  22,  "",                            true,  true,  "RoundRectangle3", 10, 0,  "",                      ""},
    {"RoundRectangle4", "RoundRectangle", 575, 120, 172, 129, "",                            true,  true,  "",                28, 0,  "border=FF8000",         ""},
    {"Label4",          "Label",          611, 126, 100, 20,  "Soup Bowl",                   true,  true,  "RoundRectangle4", 0,  0,  "align1",                ""},
    {"TextField7",      "TextField",      587, 159, 41,  22,  "",                            true,  true,  "RoundRectangle4", 1,  0,  "",                      ""},
    {"TextField8",      "TextField",      687, 159, 41,  22,  "",                            true,  true,  "RoundRectangle4", 2,  0,  "",                      ""},
    {"PopupMenu23",     "PopupMenu",      579, 193, 80,  20,  "",                            false, true,  "RoundRectangle4", 3,  9,  "",                      "C"},
    {"PushButton4",     "PushButton",     625, 215, 80,  20,  "Play",                        false, true,  "RoundRectangle4", 4,  10, "",                      "C"},
    {"PopupMenu24",     "PopupMenu",      668, 193, 80,  20,  "",                            false, true,  "",                29, 9,  "",                      "C"},
    {"Label5",          "Label",          23,  15,  100, 20,  "Teams:",                      true,  true,  "",                30, 0,  "",                      ""},
    {"Label6",          "Label",          22,  67,  100, 20,  "Strength:",                   true,  true,  "",                31, 0,  "",                      ""},
    {"Label7",          "Label",          204, 3,   445, 39,  "What if we had a zentora in 2010?\rHow often would the strongest team win?",
                                                                                             true,  true,  "",                32, 0,  "align1 bold multiline", ""},
    {"RoundRectangle5", "RoundRectangle", 310, 385, 202, 112, "",                            true,  true,  "",                34, 0,  "border=000000",         ""},
    {"Label19",         "Label",          361, 394, 100, 20,  "Silver Bowl",                 true,  true,  "RoundRectangle5", 0,  0,  "align1",                ""},
    {"Label20",         "Label",          320, 419, 77,  20,  "TEAM: TBA",                   true,  true,  "RoundRectangle5", 1,  9,  "bold underline",        ""},
    {"Label21",         "Label",          401, 419, 100, 20,  "TEAM: TBA",                   true,  true,  "RoundRectangle5", 2,  9,  "bold underline",        ""},
    {"TextField13",     "TextField",      320, 442, 41,  22,  "",                            true,  true,  "RoundRectangle5", 3,  0,  "",                      ""},
    {"TextField14",     "TextField",      401, 442, 41,  22,  "",                            true,  true,  "RoundRectangle5", 4,  0,  "",                      ""},
    {"Label23",         "Label",          493, 473, 13,  20,  "",                            true,  false, "RoundRectangle5", 5,  0,  "",                      ""},
    {"PushButton7",     "PushButton",     361, 472, 80,  20,  "Play",                        false, true,  "RoundRectangle5", 6,  0,  "",                      "C"},
    {"Label22",         "Label",          310, 473, 16,  20,  "",                            true,  false, "RoundRectangle5", 7,  0,  "",                      ""},
    {"RoundRectangle6", "RoundRectangle", 126, 261, 202, 112, "",                            true,  true,  "",                35, 0,  "border=000000",         ""},
    {"Label9",          "Label",          180, 269, 100, 20,  "China Bowl",                  true,  true,  "RoundRectangle6", 0,  0,  "align1",                ""},
    {"Label10",         "Label",          146, 291, 83,  20,  "TEAM: TBA",                   true,  true,  "RoundRectangle6", 1,  9,  "bold underline",        ""},
    {"Label11",         "Label",          232, 291, 83,  20,  "TEAM: TBA",                   true,  true,  "RoundRectangle6", 2,  9,  "bold underline",        ""},
    {"PushButton5",     "PushButton",     194, 349, 80,  20,  "Play",                        false, true,  "RoundRectangle6", 3,  0,  "",                      "C"},
    {"TextField9",      "TextField",      146, 315, 41,  22,  "",                            true,  true,  "RoundRectangle6", 4,  0,  "",                      ""},
    {"TextField10",     "TextField",      233, 315, 41,  22,  "",                            true,  true,  "RoundRectangle6", 5,  0,  "",                      ""},
    {"Label12",         "Label",          132, 349, 10,  20,  "",                            true,  false, "RoundRectangle6", 6,  0,  "",                      ""},
    {"Label13",         "Label",          310, 349, 10,  20,  "",                            true,  false, "RoundRectangle6", 7,  0,  "",                      ""},
    {"RoundRectangle7", "RoundRectangle", 497, 261, 202, 112, "",                            true,  true,  "",                36, 0,  "border=000000",         ""},
    {"TextField11",     "TextField",      511, 315, 41,  22,  "",                            true,  true,  "RoundRectangle7", 3,  0,  "",                      ""},
    {"TextField12",     "TextField",      609, 315, 41,  22,  "",                            true,  true,  "RoundRectangle7", 4,  0,  "",                      ""},
    {"Label18",         "Label",          677, 343, 12,  20,  "",                            true,  false, "RoundRectangle7", 7,  0,  "",                      ""},
    {"Label17",         "Label",          506, 349, 10,  20,  "",                            true,  false, "RoundRectangle7", 6,  0,  "",                      ""},
    {"Label14",         "Label",          553, 269, 100, 20,  "Crystal Bowl",                true,  true,  "RoundRectangle7", 0,  0,  "align1",                ""},
    {"Label15",         "Label",          509, 289, 83,  20,  "TEAM: TBA",                   true,  true,  "RoundRectangle7", 1,  9,  "bold underline",        ""},
    {"Label16",         "Label",          609, 291, 83,  20,  "TEAM: TBA",                   true,  true,  "RoundRectangle7", 2,  9,  "bold underline",        ""},
    {"PushButton6",     "PushButton",     564, 349, 80,  20,  "Play",                        false, true,  "RoundRectangle7", 5,  0,  "",                      "C"},
    {"PushButton8",     "PushButton",     546, 569, 80,  20,  "Restart",                     true,  true,  "",                40, 0,  "",                      "C"},
    {"PushButton9",     "PushButton",     129, 527, 80,  20,  "Replay",                      false, true,  "",                41, 0,  "",                      "C"},
    {"Label26",         "Label",          536, 590, 214, 20,  AnyAddress,                    true,  true,  "",                43, 0,  "underline color=6666FF", "M"},
    {"Listbox1",        "Listbox",        310, 505, 205, 105, "",                            true,  true,  "",                45, 10, "",                      "O"},
    {"Timer1",          "Window1.Timer1", 0,   0,   0,   0,   "",                            true,  true,  "",                0,  0,  "",                      "T"},
    {"Timer2",          "Window1.Timer2", 0,   0,   0,   0,   "",                            true,  true,  "",                0,  0,  "",                      "T"},
    {"PushButton10",    "PushButton",     115, 563, 103, 20,  "ReplayAll",                   false, true,  "",                46, 0,  "",                      "C"},
    {"Label28",         "Label",          536, 510, 53,  20,  "UserID:",                     true,  true,  "",                47, 0,  "",                      ""},
    {"TextField15",     "TextField",      592, 505, 80,  22,  "",                            true,  true,  "",                48, 0,  "",                      ""},
    {"PushButton11",    "PushButton",     536, 539, 99,  20,  "Save_List",                   false, true,  "",                49, 0,  "",                      "C"},
    {"Timer3",          "Window1.Timer3", 0,   0,   0,   0,   "",                            true,  true,  "",                0,  0,  "",                      "T"},
    {"Label29",         "Label",          115, 590, 142, 20,  "Depress shift key to repeat", true,  true,  "",                50, 9,  "",                      ""},
};
// clang-format on

bool hasStyle(const Expected &e, const char *word)
{
    return QString::fromLatin1(e.style).split(QLatin1Char(' ')).contains(QLatin1String(word));
}

Color styleColor(const Expected &e, const char *key)
{
    const QString prefix = QLatin1String(key) + QLatin1Char('=');
    for (const QString &word : QString::fromLatin1(e.style).split(QLatin1Char(' '))) {
        if (word.startsWith(prefix)) {
            const uint rgb = word.mid(prefix.size()).toUInt(nullptr, 16);
            return RGB(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF);
        }
    }
    return RGB(0, 0, 0);
}

// A label shows a carriage return as a line break.
QString shownText(const QString &stored)
{
    QString shown = stored;
    return shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

using MainWindowLayoutTest = MainWindowTest;

TEST_F(MainWindowLayoutTest, EveryControlMatchesTheDesignTable)
{
    ASSERT_EQ(std::size(kControls), 88u);
    ASSERT_EQ(w->controls().size(), 88u);
    int textBearing = 0;
    for (size_t i = 0; i < std::size(kControls); ++i) {
        const Expected &e = kControls[i];
        SCOPED_TRACE(e.name);
        const QString name = QString::fromLatin1(e.name);
        EXPECT_EQ(w->controls()[i]->name(), name) << "creation order";
        Control *control = w->ControlByName(name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->className(), QLatin1String(e.cls));
        EXPECT_EQ(control->window(), w);

        const QString events = QString::fromLatin1(e.events);
        EXPECT_EQ(control->hasEventHandler(EventNumber::Open), events.contains(QLatin1Char('O')));
        EXPECT_EQ(control->hasEventHandler(EventNumber::Action), events.contains(QLatin1Char('C')));
        EXPECT_EQ(control->hasEventHandler(EventNumber::MouseDown), events.contains(QLatin1Char('M')));
        EXPECT_EQ(control->hasEventHandler(EventNumber::TimerAction), events.contains(QLatin1Char('T')));

        if (auto *timer = dynamic_cast<Timer *>(control)) {
            EXPECT_EQ(timer->Mode(), 0);
            EXPECT_EQ(timer->Period(), 500);
            EXPECT_FALSE(timer->isArmed());
            continue;
        }
        auto *rect = dynamic_cast<RectControl *>(control);
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->Left(), e.left);
        EXPECT_EQ(rect->Top(), e.top);
        EXPECT_EQ(rect->Width(), e.width);
        EXPECT_EQ(rect->Height(), e.height);
        ASSERT_NE(rect->widget(), nullptr);
        EXPECT_EQ(rect->widget()->parentWidget(), w->content());
        EXPECT_EQ(rect->widget()->geometry(), QRect(e.left, e.top, e.width, e.height));
        EXPECT_EQ(rect->Enabled(), e.enabled);
        EXPECT_EQ(rect->widget()->isEnabled(), e.enabled);
        EXPECT_EQ(rect->Visible(), e.visible);
        EXPECT_EQ(rect->widget()->isVisible(), e.visible);
        EXPECT_EQ(rect->TabIndex(), e.tab);
        EXPECT_EQ(rect->InitialParent(), QLatin1String(e.parent));
        EXPECT_EQ(rect->TextSize(), double(e.size));

        const QString cls = QString::fromLatin1(e.cls);
        if (cls != QLatin1String("RoundRectangle")) {
            ++textBearing;
            EXPECT_EQ(rect->TextUnit(), 0);
        }
        if (auto *label = dynamic_cast<Label *>(control)) {
            if (e.text == AnyAddress) {
                EXPECT_TRUE(label->Text().contains(QLatin1Char('@'))) << label->Text().toStdString();
            } else {
                EXPECT_EQ(label->Text(), QLatin1String(e.text));
            }
            EXPECT_EQ(static_cast<QLabel *>(label->widget())->text(), shownText(label->Text()));
            EXPECT_EQ(label->TextAlign(), hasStyle(e, "align1") ? 1 : 0);
            EXPECT_EQ(label->Bold(), hasStyle(e, "bold"));
            EXPECT_EQ(label->widget()->font().bold(), hasStyle(e, "bold"));
            EXPECT_EQ(label->Underline(), hasStyle(e, "underline"));
            EXPECT_EQ(label->widget()->font().underline(), hasStyle(e, "underline"));
            EXPECT_EQ(label->Multiline(), hasStyle(e, "multiline"));
            EXPECT_EQ(label->TextColor(), styleColor(e, "color"));
            EXPECT_FALSE(label->Italic());
        } else if (auto *button = dynamic_cast<PushButton *>(control)) {
            EXPECT_EQ(button->Caption(), QLatin1String(e.text));
            EXPECT_EQ(static_cast<QAbstractButton *>(button->widget())->text(), QLatin1String(e.text));
            EXPECT_FALSE(button->Default());
            EXPECT_FALSE(button->Cancel());
        } else if (auto *box = dynamic_cast<CheckBox *>(control)) {
            EXPECT_EQ(box->Caption(), QLatin1String(e.text));
            EXPECT_EQ(static_cast<QAbstractButton *>(box->widget())->text(), QLatin1String(e.text));
            EXPECT_FALSE(box->Value());
        } else if (auto *field = dynamic_cast<TextField *>(control)) {
            EXPECT_EQ(field->Text(), QString());
            EXPECT_EQ(field->BackColor(), RGB(255, 255, 255));
            EXPECT_EQ(field->TextColor(), RGB(0, 0, 0));
        } else if (auto *shape = dynamic_cast<RoundRectangle *>(control)) {
            EXPECT_EQ(shape->BorderColor(), styleColor(e, "border"));
            EXPECT_EQ(shape->FillColor(), RGB(255, 255, 255));
            EXPECT_EQ(shape->BorderWidth(), 1);
            EXPECT_EQ(shape->OvalWidth(), 16);
            EXPECT_EQ(shape->OvalHeight(), 16);
        }
    }
    EXPECT_EQ(textBearing, 78);
}

TEST_F(MainWindowLayoutTest, HeadlineHoldsOneCarriageReturn)
{
    const QString text = w->Label7()->Text();
    EXPECT_EQ(text.count(QLatin1Char('\r')), 1);
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    const QStringList lines = text.split(QLatin1Char('\r'));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("What if we had a zentora in 2010?"),
                                  QStringLiteral("How often would the strongest team win?")}));
    // On screen: two centred lines.
    auto *shown = static_cast<QLabel *>(w->Label7()->widget());
    EXPECT_EQ(shown->text().count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(shown->alignment().testFlag(Qt::AlignHCenter));
}

TEST_F(MainWindowLayoutTest, ContactLabelIsUnderlinedInBlueAndTakesAClick)
{
    Label *contact = w->Label26();
    EXPECT_TRUE(contact->Underline());
    EXPECT_EQ(contact->TextColor(), RGB(0x66, 0x66, 0xFF));
    QWidget *shown = contact->widget();
    EXPECT_TRUE(shown->font().underline());
    EXPECT_EQ(shown->palette().color(QPalette::WindowText), QColor(0x66, 0x66, 0xFF));

    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, shown->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(shown, &press);
    EXPECT_EQ(platform.urls.size(), 1);
}

TEST_F(MainWindowLayoutTest, FreshWindowAcceptsInputOnlyWhereDesigned)
{
    QSet<QString> accepting;
    for (Control *control : w->controls()) {
        auto *rect = dynamic_cast<RectControl *>(control);
        if (!rect || dynamic_cast<Label *>(control) || dynamic_cast<RoundRectangle *>(control))
            continue;
        if (rect->Enabled() && rect->Visible() && rect->widget()->isEnabled())
            accepting.insert(control->name());
    }
    QSet<QString> expected = {QStringLiteral("CheckBox1"), QStringLiteral("Listbox1"), QStringLiteral("PushButton8")};
    for (int n = 1; n <= 8; ++n)
        expected.insert(QStringLiteral("PopupMenu%1").arg(n));
    for (int n = 1; n <= 15; ++n)
        expected.insert(QStringLiteral("TextField%1").arg(n));
    EXPECT_EQ(accepting, expected);

    // The label that reacts to a click.
    int clickable = 0;
    for (Control *control : w->controls())
        clickable += control->hasEventHandler(EventNumber::MouseDown);
    EXPECT_EQ(clickable, 1);
    EXPECT_TRUE(w->Label26()->hasEventHandler(EventNumber::MouseDown));

    for (const char *hidden : {"Label12", "Label13", "Label17", "Label18", "Label22", "Label23"}) {
        Label *label = Window1::control<Label>(w, hidden);
        EXPECT_FALSE(label->Visible()) << hidden;
        EXPECT_FALSE(label->widget()->isVisible()) << hidden;
        EXPECT_EQ(label->Text(), QString()) << hidden;
    }
}

TEST_F(MainWindowLayoutTest, TallyListHasTwoColumnsAndNoHeading)
{
    Listbox *tally = w->Listbox1();
    EXPECT_EQ(tally->ColumnCount(), 2);
    EXPECT_EQ(tally->ColumnWidths(), QStringLiteral("85%,15%"));
    EXPECT_EQ(tally->ListCount(), 0);
    auto *table = static_cast<QTableWidget *>(tally->widget());
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_FALSE(table->horizontalHeader()->isVisible());
    const double first = table->columnWidth(0), second = table->columnWidth(1);
    ASSERT_GT(second, 0);
    EXPECT_NEAR(first / (first + second), 0.85, 0.02);
}

// Regression guard: the rows were sized from the font the list had before
// its 10-pixel size arrived, and only five and a half of the eight showed.
TEST_F(MainWindowLayoutTest, FilledTallyShowsAllEightRowsWholly)
{
    confirmTeamsAndStrengths();
    placeAllSlots();
    playAllGames();
    auto *table = static_cast<QTableWidget *>(w->Listbox1()->widget());
    ASSERT_EQ(table->rowCount(), 8);
    const QRect viewport = table->viewport()->rect();
    for (int row = 0; row < 8; ++row) {
        const QRect shown = table->visualRect(table->model()->index(row, 0));
        EXPECT_TRUE(viewport.contains(shown)) << "row " << row;
        EXPECT_GE(shown.height(), table->fontMetrics().height()) << "row " << row;
    }
}

TEST_F(MainWindowLayoutTest, ScreenshotOfTheMainWindow)
{
    const QString folder = QStringLiteral(ZENTORA_ARTIFACT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/main-window.png");
    QFile::remove(path);
    QCoreApplication::processEvents();
    ASSERT_TRUE(w->frame()->grab().save(path, "PNG"));
    ASSERT_TRUE(QFileInfo::exists(path));
    const QImage image(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 850);
    EXPECT_GE(image.height(), 650);
}

} // namespace
