#include "window1_layout.h"

#include <QString>

#include <climits>

const char *const kContactAddress = "zentora2010@example.com";

namespace {
const char *const Headline = "What if we had a zentora in 2010?\rHow often would the strongest team win?";
const char *const Contact = kContactAddress;
constexpr const char *None = nullptr;
const char *const RR1 = "RoundRectangle1";
const char *const RR2 = "RoundRectangle2";
const char *const RR3 = "RoundRectangle3";
const char *const RR4 = "RoundRectangle4";
const char *const RR5 = "RoundRectangle5";
const char *const RR6 = "RoundRectangle6";
const char *const RR7 = "RoundRectangle7";

// clang-format off
const std::array<ControlRow, kWindow1ControlCount> kLayout = {{
//   name               class              L    T    W    H    text                           En     Vis    parent tab size  style                               events
    {"PopupMenu1",      "PopupMenu",       23,  47,  80,  20,  "",                            true,  true,  "",  0,  9,  "",                                 "Open Change"},
    {"PopupMenu2",      "PopupMenu",       115, 47,  80,  20,  "",                            true,  true,  "",  1,  9,  "",                                 "Open Change"},
    {"PopupMenu3",      "PopupMenu",       207, 47,  80,  20,  "",                            true,  true,  "",  2,  9,  "",                                 "Open Change"},
    {"PopupMenu4",      "PopupMenu",       299, 47,  80,  20,  "",                            true,  true,  "",  3,  9,  "",                                 "Open Change"},
    {"PopupMenu5",      "PopupMenu",       391, 47,  80,  20,  "",                            true,  true,  "",  4,  9,  "",                                 "Open Change"},
    {"PopupMenu6",      "PopupMenu",       483, 47,  80,  20,  "",                            true,  true,  "",  5,  9,  "",                                 "Open Change"},
    {"PopupMenu7",      "PopupMenu",       575, 47,  80,  20,  "",                            true,  true,  "",  6,  9,  "",                                 "Open Change"},
    {"PopupMenu8",      "PopupMenu",       667, 47,  80,  20,  "",                            true,  true,  "",  7,  9,  "",                                 "Open Change"},
    {"PopupMenu9",      "PopupMenu",       29,  87,  80,  20,  "",                            false, true,  "",  8,  9,  "",                                 "Open"},
    {"PopupMenu10",     "PopupMenu",       114, 87,  80,  20,  "",                            false, true,  "",  9,  9,  "",                                 "Open"},
    {"PopupMenu11",     "PopupMenu",       206, 87,  80,  20,  "",                            false, true,  "",  10, 9,  "",                                 "Open"},
    {"PopupMenu12",     "PopupMenu",       298, 87,  80,  20,  "",                            false, true,  "",  11, 9,  "",                                 "Open"},
    {"PopupMenu13",     "PopupMenu",       390, 87,  80,  20,  "",                            false, true,  "",  12, 9,  "",                                 "Open"},
    {"PopupMenu14",     "PopupMenu",       482, 87,  80,  20,  "",                            false, true,  "",  13, 9,  "",                                 "Open"},
    {"PopupMenu15",     "PopupMenu",       574, 87,  80,  20,  "",                            false, true,  "",  14, 9,  "",                                 "Open"},
    {"PopupMenu16",     "PopupMenu",       666, 87,  80,  20,  "",                            false, true,  "",  15, 9,  "",                                 "Open"},
    {"CheckBox1",       "CheckBox",        759, 44,  58,  20,  "DONE",                        true,  true,  "",  16, 9,  "",                                 "Action"},
    {"CheckBox2",       "CheckBox",        758, 88,  58,  20,  "DONE",                        false, true,  "",  17, 9,  "",                                 "Action"},
    {"RoundRectangle1", "RoundRectangle",  20,  120, 172, 129, "",                            true,  true,  "",  18, 0,  "border=FF0000",                    ""},
    {"PopupMenu17",     "PopupMenu",       23,  193, 80,  20,  "",                            false, true,  RR1, 0,  9,  "",                                 "Change"},
    {"PopupMenu18",     "PopupMenu",       106, 193, 80,  20,  "",                            false, true,  RR1, 1,  9,  "",                                 "Change"},
    {"TextField1",      "TextField",       29,  159, 41,  22,  "",                            true,  true,  RR1, 2,  0,  "",                                 ""},
    {"TextField2",      "TextField",       126, 159, 41,  22,  "",                            true,  true,  RR1, 3,  0,  "",                                 ""},
    {"Label1",          "Label",           56,  126, 100, 20,  "Pasta Bowl",                  true,  true,  RR1, 4,  0,  "align1",                           ""},
    {"PushButton1",     "PushButton",      66,  215, 80,  20,  "Play",                        false, true,  RR1, 5,  10, "",                                 "Action"},
    {"RoundRectangle2", "RoundRectangle",  204, 120, 172, 129, "",                            true,  true,  "",  21, 0,  "border=00FF00",                    ""},
    {"PopupMenu19",     "PopupMenu",       207, 193, 80,  20,  "",                            false, true,  RR2, 0,  9,  "",                                 "Change"},
    {"PopupMenu20",     "PopupMenu",       290, 193, 80,  20,  "",                            false, true,  RR2, 1,  9,  "",                                 "Change"},
    {"TextField3",      "TextField",       213, 159, 41,  22,  "",                            true,  true,  RR2, 2,  0,  "",                                 ""},
    {"TextField4",      "TextField",       310, 159, 41,  22,  "",                            true,  true,  RR2, 3,  0,  "",                                 ""},
    {"Label2",          "Label",           240, 126, 100, 20,  "Salad Bowl",                  true,  true,  RR2, 4,  0,  "align1",                           ""},
    {"PushButton2",     "PushButton",      250, 215, 80,  20,  "Play",                        false, true,  RR2, 5,  10, "",                                 "Action"},
    {"RoundRectangle3", "RoundRectangle",  391, 120, 172, 129, "",                            true,  true,  "",  24, 0,  "border=FF00FF",                    ""},
    {"Label3",          "Label",           427, 126, 100, 20,  "Cereal Bowl",                 true,  true,  RR3, 4,  0,  "align1",                           ""},
    {"PopupMenu22",     "PopupMenu",       477, 193, 80,  20,  "",                            false, true,  RR3, 6,  9,  "",                                 "Change"},
    {"PopupMenu21",     "PopupMenu",       391, 193, 80,  20,  "",                            false, true,  RR3, 7,  9,  "",                                 "Change"},
    {"PushButton3",     "PushButton",      427, 215, 80,  20,  "Play",                        false, true,  RR3, 8,  10, "",                                 "Action"},
    {"TextField5",      "TextField",       402, 159, 41,  22,  "",                            true,  true,  RR3, 9,  0,  "",                                 ""},
    {"TextField6",      "TextField",       497, 159, 41,  22,  "",                            true,  true,  RR3, 10, 0,  "",                                 ""},
    {"RoundRectangle4", "RoundRectangle",  575, 120, 172, 129, "",                            true,  true,  "",  28, 0,  "border=FF8000",                    ""},
    {"Label4",          "Label",           611, 126, 100, 20,  "Soup Bowl",                   true,  true,  RR4, 0,  0,  "align1",                           ""},
    {"TextField7",      "TextField",       587, 159, 41,  22,  "",                            true,  true,  RR4, 1,  0,  "",                                 ""},
    {"TextField8",      "TextField",       687, 159, 41,  22,  "",                            true,  true,  RR4, 2,  0,  "",                                 ""},
    {"PopupMenu23",     "PopupMenu",       579, 193, 80,  20,  "",                            false, true,  RR4, 3,  9,  "",                                 "Change"},
    {"PushButton4",     "PushButton",      625, 215, 80,  20,  "Play",                        false, true,  RR4, 4,  10, "",                                 "Action"},
    {"PopupMenu24",     "PopupMenu",       668, 193, 80,  20,  "",                            false, true,  "",  29, 9,  "",                                 "Change"},
    {"Label5",          "Label",           23,  15,  100, 20,  "Teams:",                      true,  true,  "",  30, 0,  "",                                 ""},
    {"Label6",          "Label",           22,  67,  100, 20,  "Strength:",                   true,  true,  "",  31, 0,  "",                                 ""},
    {"Label7",          "Label",           204, 3,   445, 39,  Headline,                      true,  true,  "",  32, 0,  "align1 bold multiline",            ""},
    {"RoundRectangle5", "RoundRectangle",  310, 385, 202, 112, "",                            true,  true,  "",  34, 0,  "border=000000",                    ""},
    {"Label19",         "Label",           361, 394, 100, 20,  "Silver Bowl",                 true,  true,  RR5, 0,  0,  "align1",                           ""},
    {"Label20",         "Label",           320, 419, 77,  20,  "TEAM: TBA",                   true,  true,  RR5, 1,  9,  "bold underline",                   ""},
    {"Label21",         "Label",           401, 419, 100, 20,  "TEAM: TBA",                   true,  true,  RR5, 2,  9,  "bold underline",                   ""},
    {"TextField13",     "TextField",       320, 442, 41,  22,  "",                            true,  true,  RR5, 3,  0,  "",                                 ""},
    {"TextField14",     "TextField",       401, 442, 41,  22,  "",                            true,  true,  RR5, 4,  0,  "",                                 ""},
    {"Label23",         "Label",           493, 473, 13,  20,  "",                            true,  false, RR5, 5,  0,  "",                                 ""},
    {"PushButton7",     "PushButton",      361, 472, 80,  20,  "Play",                        false, true,  RR5, 6,  0,  "",                                 "Action"},
    {"Label22",         "Label",           310, 473, 16,  20,  "",                            true,  false, RR5, 7,  0,  "",                                 ""},
    {"RoundRectangle6", "RoundRectangle",  126, 261, 202, 112, "",                            true,  true,  "",  35, 0,  "border=000000",                    ""},
    {"Label9",          "Label",           180, 269, 100, 20,  "China Bowl",                  true,  true,  RR6, 0,  0,  "align1",                           ""},
    {"Label10",         "Label",           146, 291, 83,  20,  "TEAM: TBA",                   true,  true,  RR6, 1,  9,  "bold underline",                   ""},
    {"Label11",         "Label",           232, 291, 83,  20,  "TEAM: TBA",                   true,  true,  RR6, 2,  9,  "bold underline",                   ""},
    {"PushButton5",     "PushButton",      194, 349, 80,  20,  "Play",                        false, true,  RR6, 3,  0,  "",                                 "Action"},
    {"TextField9",      "TextField",       146, 315, 41,  22,  "",                            true,  true,  RR6, 4,  0,  "",                                 ""},
    {"TextField10",     "TextField",       233, 315, 41,  22,  "",                            true,  true,  RR6, 5,  0,  "",                                 ""},
    {"Label12",         "Label",           132, 349, 10,  20,  "",                            true,  false, RR6, 6,  0,  "",                                 ""},
    {"Label13",         "Label",           310, 349, 10,  20,  "",                            true,  false, RR6, 7,  0,  "",                                 ""},
    {"RoundRectangle7", "RoundRectangle",  497, 261, 202, 112, "",                            true,  true,  "",  36, 0,  "border=000000",                    ""},
    {"TextField11",     "TextField",       511, 315, 41,  22,  "",                            true,  true,  RR7, 3,  0,  "",                                 ""},
    {"TextField12",     "TextField",       609, 315, 41,  22,  "",                            true,  true,  RR7, 4,  0,  "",                                 ""},
    {"Label18",         "Label",           677, 343, 12,  20,  "",                            true,  false, RR7, 7,  0,  "",                                 ""},
    {"Label17",         "Label",           506, 349, 10,  20,  "",                            true,  false, RR7, 6,  0,  "",                                 ""},
    {"Label14",         "Label",           553, 269, 100, 20,  "Crystal Bowl",                true,  true,  RR7, 0,  0,  "align1",                           ""},
    {"Label15",         "Label",           509, 289, 83,  20,  "TEAM: TBA",                   true,  true,  RR7, 1,  9,  "bold underline",                   ""},
    {"Label16",         "Label",           609, 291, 83,  20,  "TEAM: TBA",                   true,  true,  RR7, 2,  9,  "bold underline",                   ""},
    {"PushButton6",     "PushButton",      564, 349, 80,  20,  "Play",                        false, true,  RR7, 5,  0,  "",                                 "Action"},
    {"PushButton8",     "PushButton",      546, 569, 80,  20,  "Restart",                     true,  true,  "",  40, 0,  "",                                 "Action"},
    {"PushButton9",     "PushButton",      129, 527, 80,  20,  "Replay",                      false, true,  "",  41, 0,  "",                                 "Action"},
    {"Label26",         "Label",           536, 590, 214, 20,  Contact,                       true,  true,  "",  43, 0,  "underline color=6666FF",           "MouseDown"},
    {"Listbox1",        "Listbox",         310, 505, 205, 105, "",                            true,  true,  "",  45, 10, "",                                 "Open"},
    {"Timer1",          "Window1.Timer1",  0,   0,   0,   0,   "",                            true,  true,  "",  0,  0,  "",                                 "Action"},
    {"Timer2",          "Window1.Timer2",  0,   0,   0,   0,   "",                            true,  true,  "",  0,  0,  "",                                 "Action"},
    {"PushButton10",    "PushButton",      115, 563, 103, 20,  "ReplayAll",                   false, true,  "",  46, 0,  "",                                 "Action"},
    {"Label28",         "Label",           536, 510, 53,  20,  "UserID:",                     true,  true,  "",  47, 0,  "",                                 ""},
    {"TextField15",     "TextField",       592, 505, 80,  22,  "",                            true,  true,  None,48, 0,  "",                                 ""},
    {"PushButton11",    "PushButton",      536, 539, 99,  20,  "Save_List",                   false, true,  "",  49, 0,  "",                                 "Action"},
    {"Timer3",          "Window1.Timer3",  0,   0,   0,   0,   "",                            true,  true,  "",  0,  0,  "",                                 "Action"},
    {"Label29",         "Label",           115, 590, 142, 20,  "Depress shift key to repeat", true,  true,  "",  50, 9,  "",                                 ""},
}};
// clang-format on

bool hasStyle(const ControlRow &row, const char *word)
{
    return QString::fromLatin1(row.style).split(QLatin1Char(' ')).contains(QLatin1String(word));
}

Color styleColor(const ControlRow &row, const char *key, Color fallback)
{
    const QString prefix = QLatin1String(key) + QLatin1Char('=');
    for (const QString &word : QString::fromLatin1(row.style).split(QLatin1Char(' '))) {
        if (word.startsWith(prefix)) {
            const uint rgb = word.mid(prefix.size()).toUInt(nullptr, 16);
            return RGB(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF);
        }
    }
    return fallback;
}

// The records every visible control begins with.
std::vector<Record> placement(const ControlRow &row)
{
    return {{"Name", row.name},  {"Index", INT_MIN},        {"Left", row.left},      {"Top", row.top},
            {"Width", row.width}, {"Height", row.height},   {"LockLeft", true},      {"LockTop", true},
            {"LockRight", false}, {"LockBottom", false}};
}

void append(std::vector<Record> &records, std::initializer_list<Record> more)
{
    records.insert(records.end(), more.begin(), more.end());
}

void appendParent(std::vector<Record> &records, const ControlRow &row)
{
    if (row.parent)
        records.emplace_back("InitialParent", row.parent);
}

const Color White = RGB(255, 255, 255);
const Color Black = RGB(0, 0, 0);

} // namespace

const std::array<ControlRow, kWindow1ControlCount> &window1Layout()
{
    return kLayout;
}

bool isTimerRow(const ControlRow &row)
{
    return QByteArray(row.cls).startsWith("Window1.Timer");
}

std::vector<Record> window1ControlRecords(const ControlRow &row)
{
    const QString cls = QString::fromLatin1(row.cls);
    if (isTimerRow(row))
        return {{"Mode", 0}, {"Period", 500}};

    std::vector<Record> r = placement(row);
    if (cls == QLatin1String("PopupMenu")) {
        append(r, {{"TabPanelIndex", 0}, {"TabIndex", row.tab}, {"TabStop", true}, {"Enabled", row.enabled},
                   {"InitialValue", ""}, {"ListIndex", 0}, {"Visible", row.visible}, {"HelpTag", ""},
                   {"AutoDeactivate", true}, {"TextFont", "System"}, {"Bold", false}, {"Italic", false},
                   {"Underline", false}, {"DataSource", ""}, {"DataField", ""}});
    } else if (cls == QLatin1String("CheckBox")) {
        append(r, {{"TabPanelIndex", 0}, {"TabIndex", row.tab}, {"TabStop", true}, {"Caption", row.text},
                   {"Enabled", row.enabled}, {"Visible", row.visible}, {"HelpTag", ""}, {"AutoDeactivate", true},
                   {"TextFont", "System"}, {"Bold", false}, {"Italic", false}, {"Underline", false}, {"State", 0},
                   {"Value", false}, {"DataSource", ""}, {"DataField", ""}});
    } else if (cls == QLatin1String("RoundRectangle")) {
        append(r, {{"TabIndex", row.tab}, {"TabPanelIndex", 0}, {"Visible", row.visible}, {"HelpTag", ""},
                   {"AutoDeactivate", true}, {"Enabled", row.enabled}, {"FillColor", White}, {"BorderWidth", 1},
                   {"BorderColor", styleColor(row, "border", Black)}, {"OvalWidth", 16}, {"OvalHeight", 16}});
    } else if (cls == QLatin1String("TextField")) {
        append(r, {{"TabPanelIndex", 0}, {"TabIndex", row.tab}, {"TabStop", true}, {"Border", true},
                   {"Password", false}, {"UseFocusRing", true}, {"TextColor", Black}, {"BackColor", White},
                   {"Enabled", row.enabled}, {"Format", ""}, {"Visible", row.visible}, {"HelpTag", ""},
                   {"AutoDeactivate", true}, {"TextFont", "System"}, {"Bold", false}, {"Italic", false},
                   {"Underline", false}, {"CueText", ""}, {"Text", ""}, {"Mask", ""}, {"ReadOnly", false},
                   {"LimitText", 0}, {"AcceptTabs", false}, {"Alignment", 0}, {"AutomaticallyCheckSpelling", false},
                   {"DataSource", ""}, {"DataField", ""}});
    } else if (cls == QLatin1String("Label")) {
        append(r, {{"TabPanelIndex", 0}, {"TabIndex", row.tab}, {"Text", row.text},
                   {"TextAlign", hasStyle(row, "align1") ? 1 : 0}, {"TextColor", styleColor(row, "color", Black)},
                   {"Multiline", hasStyle(row, "multiline")}, {"Enabled", row.enabled}, {"Visible", row.visible},
                   {"Selectable", false}, {"Transparent", false}, {"HelpTag", ""}, {"AutoDeactivate", true},
                   {"TextFont", "System"}, {"Bold", hasStyle(row, "bold")}, {"Italic", false},
                   {"Underline", hasStyle(row, "underline")}, {"DataSource", ""}, {"DataField", ""}});
    } else if (cls == QLatin1String("PushButton")) {
        append(r, {{"TabPanelIndex", 0}, {"TabIndex", row.tab}, {"TabStop", true}, {"Caption", row.text},
                   {"Default", false}, {"Cancel", false}, {"Enabled", row.enabled}, {"Visible", row.visible},
                   {"HelpTag", ""}, {"AutoDeactivate", true}, {"ButtonStyle", 0}, {"TextFont", "System"},
                   {"Bold", false}, {"Italic", false}, {"Underline", false}});
    } else if (cls == QLatin1String("Listbox")) {
        append(r, {{"TabPanelIndex", 0}, {"TabIndex", row.tab}, {"TabStop", true}, {"Visible", row.visible},
                   {"HelpTag", ""}, {"AutoDeactivate", true}, {"Enabled", row.enabled}, {"Border", true},
                   {"ColumnCount", 2}, {"ColumnWidths", "85%,15%"}, {"HasHeading", false}, {"UseFocusRing", false},
                   {"InitialValue", ""}, {"HeadingIndex", -1}, {"ScrollbarHorizontal", false},
                   {"ScrollBarVertical", true}, {"GridLinesHorizontal", 2}, {"GridLinesVertical", 5},
                   {"DefaultRowHeight", -1}, {"_ScrollWidth", -1}, {"TextFont", "System"}, {"Bold", false},
                   {"Italic", false}, {"Underline", false}, {"Hierarchical", false}, {"EnableDrag", false},
                   {"EnableDragReorder", false}, {"RequiresSelection", false}, {"SelectionType", 0},
                   {"ColumnsResizable", false}, {"AutoHideScrollbars", true}, {"DataSource", ""},
                   {"DataField", ""}});
    }
    appendParent(r, row);
    return r;
}

const QByteArray &window1ControlBlock(int index)
{
    // The three timers share one block.
    static const QByteArray timerBlock = encodeBlock({{"Mode", 0}, {"Period", 500}});
    static const std::vector<QByteArray> blocks = [] {
        std::vector<QByteArray> all;
        for (const ControlRow &row : kLayout)
            all.push_back(isTimerRow(row) ? QByteArray() : encodeBlock(window1ControlRecords(row)));
        return all;
    }();
    const ControlRow &row = kLayout.at(size_t(index));
    return isTimerRow(row) ? timerBlock : blocks.at(size_t(index));
}

const QByteArray &window1Block()
{
    static const QByteArray block = encodeBlock({
        {"Placement", 0},         {"Width", 850},          {"Height", 650},         {"MinWidth", 64},
        {"MinHeight", 64},        {"MaxWidth", 32000},     {"MaxHeight", 32000},    {"Frame", 0},
        {"Composite", false},     {"HasBackColor", false}, {"BackColor", White},    {"Title", "So You Want A Zentora?"},
        {"Visible", true},        {"FullScreen", false},   {"MenuBarVisible", true}, {"CloseButton", false},
        {"Resizeable", false},    {"LiveResize", false},   {"MaximizeButton", false}, {"MinimizeButton", true},
        {"MacProcID", 0},
    });
    return block;
}
