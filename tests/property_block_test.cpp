// The property-block codec: the byte layout of each value type, the blocks of
// every window and control as stored, refusal of malformed blocks and
// applying a block to real controls.
#include "property_block.h"
#include "window1_layout.h"
#include "window2.h"
#include "window3.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <climits>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray named(const char *name)
{
    return QByteArray(name) + ' ';
}

int layoutRow(const char *name)
{
    const auto &rows = window1Layout();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (QByteArray(rows[i].name) == name)
            return int(i);
    }
    ADD_FAILURE() << "no control " << name;
    return 0;
}

QByteArrayList names(const std::vector<DecodedRecord> &records)
{
    QByteArrayList list;
    for (const DecodedRecord &r : records)
        list.append(r.name);
    return list;
}

const PropertyValue &valueOf(const std::vector<DecodedRecord> &records, const char *name)
{
    for (const DecodedRecord &r : records) {
        if (r.name == name)
            return r.value;
    }
    ADD_FAILURE() << "no record " << name;
    static const PropertyValue none;
    return none;
}

// ---- encoding of the four value types -------------------------------------------

TEST(PropertyEncodingTest, IntegersAreFourBytesBigEndian)
{
    EXPECT_EQ(encodeBlock({{"Left", 23}}), named("Left") + bytes({0, 0, 0, 0x17}));
    EXPECT_EQ(encodeBlock({{"Width", 850}}), named("Width") + bytes({0, 0, 0x03, 0x52}));
    EXPECT_EQ(encodeBlock({{"Index", INT_MIN}}), named("Index") + bytes({0x80, 0, 0, 0}));
    EXPECT_EQ(encodeBlock({{"HeadingIndex", -1}}), named("HeadingIndex") + bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(encodeBlock({{"Period", 500}}), named("Period") + bytes({0, 0, 0x01, 0xF4}));
}

TEST(PropertyEncodingTest, BooleansAreOneByte)
{
    EXPECT_EQ(encodeBlock({{"Visible", true}, {"Enabled", false}}),
              named("Visible") + bytes({1}) + named("Enabled") + bytes({0}));
}

TEST(PropertyEncodingTest, StringsAreCountedUtf8)
{
    EXPECT_EQ(encodeBlock({{"Name", "PopupMenu1"}}), named("Name") + bytes({0, 0, 0, 10}) + "PopupMenu1");
    EXPECT_EQ(encodeBlock({{"HelpTag", ""}}), named("HelpTag") + bytes({0, 0, 0, 0}));
    // Seven characters, one of them two bytes long in UTF-8: the count is 8.
    const QString text = QStringLiteral("Zentor\u00E4");
    ASSERT_EQ(text.size(), 7);
    EXPECT_EQ(encodeBlock({{"Caption", text}}), named("Caption") + bytes({0, 0, 0, 8}) + text.toUtf8());
}

TEST(PropertyEncodingTest, ColoursAreThreeBytes)
{
    EXPECT_EQ(encodeBlock({{"TextColor", RGB(0x66, 0x66, 0xFF)}}), named("TextColor") + bytes({0x66, 0x66, 0xFF}));
    EXPECT_EQ(encodeBlock({{"BorderColor", RGB(0xFF, 0x80, 0)}}), named("BorderColor") + bytes({0xFF, 0x80, 0}));
}

TEST(PropertyEncodingTest, DecodingGivesBackEveryValue)
{
    // A leading byte-order mark and a replacement character are text too.
    const QString accented = QStringLiteral("\uFEFFCaf\u00E9 \u00FCber \uFFFD");
    const QByteArray block = encodeBlock({{"Index", INT_MIN},
                                          {"DefaultRowHeight", -1},
                                          {"Multiline", true},
                                          {"Text", accented},
                                          {"Mask", ""},
                                          {"FillColor", RGB(1, 2, 3)}});
    const std::vector<DecodedRecord> records = decodeBlock(block, QStringLiteral("Test"));
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].value.type, PropertyType::Integer);
    EXPECT_EQ(records[0].value.integer, INT_MIN);
    EXPECT_EQ(records[1].value.integer, -1);
    EXPECT_EQ(records[2].value.type, PropertyType::Boolean);
    EXPECT_TRUE(records[2].value.boolean);
    EXPECT_EQ(records[3].value.type, PropertyType::String);
    EXPECT_EQ(records[3].value.string, accented);
    EXPECT_EQ(records[4].value.string, QString());
    EXPECT_EQ(records[5].value.type, PropertyType::Color);
    EXPECT_EQ(records[5].value.color, RGB(1, 2, 3));
}

TEST(PropertyEncodingTest, NameKeepsItsStoredCase)
{
    EXPECT_EQ(declaredType("ScrollBarVertical"), PropertyType::Boolean);
    EXPECT_EQ(declaredType("ScrollbarVertical"), PropertyType::Boolean);
    EXPECT_EQ(declaredType("ScrollbarHorizontal"), PropertyType::Boolean);
    EXPECT_EQ(declaredType("Resizeable"), PropertyType::Boolean);
    EXPECT_EQ(declaredType("_ScrollWidth"), PropertyType::Integer);
    EXPECT_FALSE(declaredType("Resizable").has_value());
    EXPECT_FALSE(declaredType("scrollbarvertical").has_value());
    EXPECT_FALSE(declaredType("TextSize").has_value());
    EXPECT_FALSE(declaredType("TextUnit").has_value());
    EXPECT_EQ(declaredNames().size(), 94u);
}

// ---- the system's blocks, byte for byte -----------------------------------------

TEST(StoredBlockTest, TimerBlockIsTwentyBytesAndTwoRecords)
{
    const QByteArray expected = named("Mode") + bytes({0, 0, 0, 0}) + named("Period") + bytes({0, 0, 0x01, 0xF4});
    ASSERT_EQ(expected.size(), 20);
    for (const char *timer : {"Timer1", "Timer2", "Timer3"}) {
        SCOPED_TRACE(timer);
        const QByteArray &block = window1ControlBlock(layoutRow(timer));
        EXPECT_EQ(block, expected);
        const std::vector<DecodedRecord> records = decodeBlock(block, QString::fromLatin1(timer));
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].name, "Mode");
        EXPECT_EQ(records[0].value.integer, 0);
        EXPECT_EQ(records[1].name, "Period");
        EXPECT_EQ(records[1].value.integer, 500);
    }
}

TEST(StoredBlockTest, MainWindowBlock)
{
    const QByteArray &block = window1Block();
    EXPECT_EQ(block.size(), 289);
    const std::vector<DecodedRecord> records = decodeBlock(block, QStringLiteral("Window1"));
    const QByteArrayList expectedNames = {"Placement",    "Width",      "Height",        "MinWidth",    "MinHeight",
                                          "MaxWidth",     "MaxHeight",  "Frame",         "Composite",   "HasBackColor",
                                          "BackColor",    "Title",      "Visible",       "FullScreen",  "MenuBarVisible",
                                          "CloseButton",  "Resizeable", "LiveResize",    "MaximizeButton",
                                          "MinimizeButton", "MacProcID"};
    ASSERT_EQ(names(records), expectedNames);
    EXPECT_EQ(valueOf(records, "Placement").integer, 0);
    EXPECT_EQ(valueOf(records, "Width").integer, 850);
    EXPECT_EQ(valueOf(records, "Height").integer, 650);
    EXPECT_EQ(valueOf(records, "MinWidth").integer, 64);
    EXPECT_EQ(valueOf(records, "MinHeight").integer, 64);
    EXPECT_EQ(valueOf(records, "MaxWidth").integer, 32000);
    EXPECT_EQ(valueOf(records, "MaxHeight").integer, 32000);
    EXPECT_EQ(valueOf(records, "Frame").integer, 0);
    EXPECT_FALSE(valueOf(records, "Composite").boolean);
    EXPECT_FALSE(valueOf(records, "HasBackColor").boolean);
    EXPECT_EQ(valueOf(records, "BackColor").color, RGB(255, 255, 255));
    EXPECT_EQ(valueOf(records, "Title").string, QStringLiteral("So You Want A Zentora?"));
    EXPECT_TRUE(valueOf(records, "Visible").boolean);
    EXPECT_FALSE(valueOf(records, "FullScreen").boolean);
    EXPECT_TRUE(valueOf(records, "MenuBarVisible").boolean);
    EXPECT_FALSE(valueOf(records, "CloseButton").boolean);
    EXPECT_FALSE(valueOf(records, "Resizeable").boolean);
    EXPECT_FALSE(valueOf(records, "LiveResize").boolean);
    EXPECT_FALSE(valueOf(records, "MaximizeButton").boolean);
    EXPECT_TRUE(valueOf(records, "MinimizeButton").boolean);
    EXPECT_EQ(valueOf(records, "MacProcID").integer, 0);
    EXPECT_TRUE(block.contains(named("Title") + bytes({0, 0, 0, 22}) + "So You Want A Zentora?"));
}

TEST(StoredBlockTest, PopupMenu1BlockBeginningAndEnd)
{
    const QByteArray &block = window1ControlBlock(layoutRow("PopupMenu1"));
    EXPECT_EQ(block.size(), 317);
    const QByteArray beginning = named("Name") + bytes({0, 0, 0, 0x0A}) + "PopupMenu1" + named("Index") +
                                 bytes({0x80, 0, 0, 0}) + named("Left") + bytes({0, 0, 0, 0x17}) + named("Top") +
                                 bytes({0, 0, 0, 0x2F}) + named("Width") + bytes({0, 0, 0, 0x50}) + named("Height") +
                                 bytes({0, 0, 0, 0x14}) + named("LockLeft") + bytes({1});
    EXPECT_TRUE(block.startsWith(beginning));
    EXPECT_TRUE(block.endsWith(named("InitialParent") + bytes({0, 0, 0, 0})));
}

TEST(StoredBlockTest, TextField15HasNoInitialParentRecord)
{
    const std::vector<DecodedRecord> records =
        decodeBlock(window1ControlBlock(layoutRow("TextField15")), QStringLiteral("TextField15"));
    EXPECT_EQ(records.size(), 37u);
    EXPECT_FALSE(names(records).contains("InitialParent"));
    // PopupMenu24 has the record, empty.
    const std::vector<DecodedRecord> slot =
        decodeBlock(window1ControlBlock(layoutRow("PopupMenu24")), QStringLiteral("PopupMenu24"));
    EXPECT_EQ(valueOf(slot, "InitialParent").string, QString());
}

// The records of each class's blocks, in stored order.
QByteArrayList recordOrder(const QString &cls)
{
    const char *list = "";
    if (cls == QLatin1String("PopupMenu"))
        list = "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex TabIndex TabStop "
               "Enabled InitialValue ListIndex Visible HelpTag AutoDeactivate TextFont Bold Italic Underline "
               "DataSource DataField InitialParent";
    else if (cls == QLatin1String("CheckBox"))
        list = "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex TabIndex TabStop "
               "Caption Enabled Visible HelpTag AutoDeactivate TextFont Bold Italic Underline State Value DataSource "
               "DataField InitialParent";
    else if (cls == QLatin1String("RoundRectangle"))
        list = "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabIndex TabPanelIndex Visible "
               "HelpTag AutoDeactivate Enabled FillColor BorderWidth BorderColor OvalWidth OvalHeight InitialParent";
    else if (cls == QLatin1String("TextField"))
        list = "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex TabIndex TabStop "
               "Border Password UseFocusRing TextColor BackColor Enabled Format Visible HelpTag AutoDeactivate "
               "TextFont Bold Italic Underline CueText Text Mask ReadOnly LimitText AcceptTabs Alignment "
               "AutomaticallyCheckSpelling DataSource DataField InitialParent";
    else if (cls == QLatin1String("Label"))
        list = "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex TabIndex Text "
               "TextAlign TextColor Multiline Enabled Visible Selectable Transparent HelpTag AutoDeactivate TextFont "
               "Bold Italic Underline DataSource DataField InitialParent";
    else if (cls == QLatin1String("PushButton"))
        list = "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex TabIndex TabStop "
               "Caption Default Cancel Enabled Visible HelpTag AutoDeactivate ButtonStyle TextFont Bold Italic "
               "Underline InitialParent";
    else if (cls == QLatin1String("Listbox"))
        list = "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex TabIndex TabStop "
               "Visible HelpTag AutoDeactivate Enabled Border ColumnCount ColumnWidths HasHeading UseFocusRing "
               "InitialValue HeadingIndex ScrollbarHorizontal ScrollBarVertical GridLinesHorizontal GridLinesVertical "
               "DefaultRowHeight _ScrollWidth TextFont Bold Italic Underline Hierarchical EnableDrag "
               "EnableDragReorder RequiresSelection SelectionType ColumnsResizable AutoHideScrollbars DataSource "
               "DataField InitialParent";
    else if (cls.startsWith(QLatin1String("Window1.Timer")))
        list = "Mode Period";
    return QByteArray(list).split(' ');
}

TEST(StoredBlockTest, EveryMainWindowControlBlockDecodesInItsClassOrder)
{
    const auto &rows = window1Layout();
    ASSERT_EQ(rows.size(), 88u);
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString name = QString::fromLatin1(rows[i].name);
        const QString cls = QString::fromLatin1(rows[i].cls);
        SCOPED_TRACE(name.toStdString());
        const QByteArray &block = window1ControlBlock(int(i));
        std::vector<DecodedRecord> records;
        ASSERT_NO_THROW(records = decodeBlock(block, name));
        // Re-encoding the records gives the block back: it ended at its last byte.
        std::vector<Record> again;
        for (const DecodedRecord &r : records) {
            again.emplace_back(r.name.constData(), 0);
            again.back().value = r.value;
        }
        EXPECT_EQ(encodeBlock(again), block);

        QByteArrayList order = recordOrder(cls);
        if (name == QLatin1String("TextField15"))
            order.removeLast();
        EXPECT_EQ(names(records), order);
        if (cls.startsWith(QLatin1String("Window1.Timer")))
            continue;
        EXPECT_EQ(valueOf(records, "Name").string, name);
        EXPECT_EQ(valueOf(records, "Index").integer, INT_MIN);
        EXPECT_TRUE(valueOf(records, "LockLeft").boolean);
        EXPECT_TRUE(valueOf(records, "LockTop").boolean);
        EXPECT_FALSE(valueOf(records, "LockRight").boolean);
        EXPECT_FALSE(valueOf(records, "LockBottom").boolean);
        EXPECT_EQ(valueOf(records, "TabPanelIndex").integer, 0);
        EXPECT_EQ(valueOf(records, "HelpTag").string, QString());
        EXPECT_TRUE(valueOf(records, "AutoDeactivate").boolean);
        if (cls != QLatin1String("RoundRectangle")) {
            EXPECT_EQ(valueOf(records, "TextFont").string, QStringLiteral("System"));
            EXPECT_FALSE(valueOf(records, "Italic").boolean);
        }
        if (cls == QLatin1String("TextField")) {
            EXPECT_TRUE(block.contains(named("Text") + bytes({0, 0, 0, 0}) + named("Mask")));
        }
    }
}

TEST(StoredBlockTest, ListboxValues)
{
    const QByteArray &block = window1ControlBlock(layoutRow("Listbox1"));
    const std::vector<DecodedRecord> records = decodeBlock(block, QStringLiteral("Listbox1"));
    EXPECT_EQ(valueOf(records, "ColumnCount").integer, 2);
    EXPECT_EQ(valueOf(records, "ColumnWidths").string, QStringLiteral("85%,15%"));
    EXPECT_FALSE(valueOf(records, "HasHeading").boolean);
    EXPECT_EQ(valueOf(records, "GridLinesHorizontal").integer, 2);
    EXPECT_EQ(valueOf(records, "GridLinesVertical").integer, 5);
    for (const char *minusOne : {"HeadingIndex", "DefaultRowHeight", "_ScrollWidth"}) {
        EXPECT_EQ(valueOf(records, minusOne).integer, -1) << minusOne;
        EXPECT_TRUE(block.contains(named(minusOne) + bytes({0xFF, 0xFF, 0xFF, 0xFF}))) << minusOne;
    }
    EXPECT_TRUE(valueOf(records, "ScrollBarVertical").boolean);
    EXPECT_FALSE(valueOf(records, "ScrollbarHorizontal").boolean);
    EXPECT_TRUE(valueOf(records, "AutoHideScrollbars").boolean);
}

TEST(StoredBlockTest, HeadlineCountsItsBytes)
{
    const std::vector<DecodedRecord> records =
        decodeBlock(window1ControlBlock(layoutRow("Label7")), QStringLiteral("Label7"));
    const QString text = valueOf(records, "Text").string;
    EXPECT_EQ(text, QStringLiteral("What if we had a zentora in 2010?\rHow often would the strongest team win?"));
}

struct DialogBlock
{
    const char *what;
    const QByteArray &(*block)();
    int size;
};

const QByteArray &aboutWindow() { return window2Block(); }
const QByteArray &instructionsWindow() { return window3Block(); }
const QByteArray &aboutLabel1() { return window2ControlBlock(QStringLiteral("Label1")); }
const QByteArray &aboutLabel2() { return window2ControlBlock(QStringLiteral("Label2")); }
const QByteArray &aboutLabel3() { return window2ControlBlock(QStringLiteral("Label3")); }
const QByteArray &aboutOk() { return window2ControlBlock(QStringLiteral("PushButton1")); }
const QByteArray &helpArea() { return window3ControlBlock(QStringLiteral("TextArea1")); }
const QByteArray &helpOk() { return window3ControlBlock(QStringLiteral("PushButton1")); }

TEST(StoredBlockTest, AboutAndInstructionsBlocks)
{
    // -1: the size is the implementer's (the label's own text).
    const DialogBlock blocks[] = {
        {"Window2", aboutWindow, 280},         {"Window3", instructionsWindow, 279},
        {"Window2.Label1", aboutLabel1, 371},  {"Window2.Label2", aboutLabel2, -1},
        {"Window2.Label3", aboutLabel3, -1},   {"Window2.PushButton1", aboutOk, 305},
        {"Window3.TextArea1", helpArea, 2147}, {"Window3.PushButton1", helpOk, 305},
    };
    for (const DialogBlock &b : blocks) {
        SCOPED_TRACE(b.what);
        const QByteArray &block = b.block();
        if (b.size > 0) {
            EXPECT_EQ(block.size(), b.size);
        }
        std::vector<DecodedRecord> records;
        ASSERT_NO_THROW(records = decodeBlock(block, QString::fromLatin1(b.what)));
        qsizetype total = 0;
        for (const DecodedRecord &r : records) {
            std::vector<Record> one;
            one.emplace_back(r.name.constData(), 0);
            one.back().value = r.value;
            total += encodeBlock(one).size();
        }
        EXPECT_EQ(total, block.size());
    }
    const std::vector<DecodedRecord> ok = decodeBlock(aboutOk(), QStringLiteral("OK"));
    EXPECT_EQ(valueOf(ok, "ButtonStyle").integer, 6);
    EXPECT_EQ(valueOf(ok, "Caption").string, QStringLiteral("OK"));
    EXPECT_FALSE(valueOf(ok, "Default").boolean);
    EXPECT_FALSE(valueOf(ok, "Cancel").boolean);
    EXPECT_EQ(valueOf(decodeBlock(helpOk(), QStringLiteral("OK")), "ButtonStyle").integer, 6);
    EXPECT_EQ(names(ok), recordOrder(QStringLiteral("PushButton")));
    EXPECT_EQ(names(decodeBlock(helpOk(), QStringLiteral("OK"))), recordOrder(QStringLiteral("PushButton")));
    for (const auto label : {aboutLabel1, aboutLabel2, aboutLabel3})
        EXPECT_EQ(names(decodeBlock(label(), QStringLiteral("Label"))), recordOrder(QStringLiteral("Label")));

    const std::vector<DecodedRecord> area = decodeBlock(helpArea(), QStringLiteral("TextArea1"));
    const QByteArrayList areaOrder =
        QByteArray("Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex TabIndex "
                   "TabStop Border Multiline ScrollbarHorizontal ScrollbarVertical Styled UseFocusRing TextColor "
                   "BackColor Enabled Format Visible HelpTag AutoDeactivate HideSelection TextFont Bold Italic "
                   "Underline Text Mask ReadOnly LimitText AcceptTabs Alignment AutomaticallyCheckSpelling "
                   "DataSource DataField")
            .split(' ');
    EXPECT_EQ(names(area), areaOrder);
    EXPECT_FALSE(valueOf(area, "ReadOnly").boolean);
    EXPECT_TRUE(valueOf(area, "AutomaticallyCheckSpelling").boolean);
    EXPECT_EQ(valueOf(area, "Text").string, QString::fromLatin1(kHelpText));
    EXPECT_EQ(valueOf(decodeBlock(aboutWindow(), QStringLiteral("W")), "Title").string, QStringLiteral("About ZentOra"));
    EXPECT_EQ(valueOf(decodeBlock(instructionsWindow(), QStringLiteral("W")), "Title").string,
              QStringLiteral("Instructions"));
}

// ---- malformed blocks -------------------------------------------------------------

struct MalformedCase
{
    const char *what;
    QByteArray block;
    const char *recordName; // expected in the report; nullptr when unknown
};

void PrintTo(const MalformedCase &c, std::ostream *os)
{
    *os << c.what;
}

class MalformedBlockTest : public ::testing::TestWithParam<MalformedCase>
{
};

TEST_P(MalformedBlockTest, IsRefusedNamingObjectAndRecord)
{
    const MalformedCase &c = GetParam();
    // A good first record, then the bad one: the report must name record 2.
    const QByteArray block = encodeBlock({{"Left", 5}}) + c.block;
    try {
        decodeBlock(block, QStringLiteral("PopupMenu7"));
        FAIL() << "accepted";
    } catch (const UnsupportedFormatException &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("PopupMenu7"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QLatin1String("record 2"))) << e.message().toStdString();
        if (c.recordName) {
            EXPECT_TRUE(e.message().contains(QLatin1String(c.recordName))) << e.message().toStdString();
        }
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, MalformedBlockTest, ::testing::Values(
    MalformedCase{"UnknownName",       named("Colour") + bytes({1, 2, 3}),                 "Colour"},
    MalformedCase{"IntegerPastEnd",    named("Top") + bytes({0, 0}),                       "Top"},
    MalformedCase{"BooleanPastEnd",    named("Visible"),                                   "Visible"},
    MalformedCase{"ColourPastEnd",     named("TextColor") + bytes({0x66, 0x66}),           "TextColor"},
    MalformedCase{"CountPastEnd",      named("Name") + bytes({0, 0, 0, 10}) + "Popup",     "Name"},
    MalformedCase{"CountCutShort",     named("Name") + bytes({0, 0}),                      "Name"},
    MalformedCase{"NegativeCount",     named("Name") + bytes({0xFF, 0xFF, 0xFF, 0xFE}),    "Name"},
    MalformedCase{"MissingSpace",      QByteArray("Width"),                                nullptr},
    MalformedCase{"BooleanNotZeroOne", named("Enabled") + bytes({2}),                      "Enabled"},
    // Regression: bytes that are not UTF-8 were read as replacement characters.
    MalformedCase{"StrayByte",         named("Text") + bytes({0, 0, 0, 3}) + "a\xFF" "b",    "Text"},
    MalformedCase{"CutSequence",       named("Caption") + bytes({0, 0, 0, 2}) + "O\xC3", "Caption"},
    MalformedCase{"Surrogate",         named("Title") + bytes({0, 0, 0, 3}) + "\xED\xA0\x80", "Title"},
    MalformedCase{"Overlong",          named("Name") + bytes({0, 0, 0, 2}) + "\xC0\xAF", "Name"}),
    [](const ::testing::TestParamInfo<MalformedCase> &info) { return std::string(info.param.what); });
// clang-format on

TEST(MalformedBlockLimitsTest, NothingIsReadPastTheEnd)
{
    // The bytes after the block's end would complete each record; the decoder
    // must not see them.
    const QByteArray backing = named("Width") + bytes({0, 0, 0, 80}) + named("Name") + bytes({0, 0, 0, 3}) + "abc";
    for (qsizetype cut : {qsizetype(4), qsizetype(7), qsizetype(15), qsizetype(20)}) {
        SCOPED_TRACE(cut);
        const QByteArray block = QByteArray::fromRawData(backing.constData(), cut);
        EXPECT_THROW(decodeBlock(block, QStringLiteral("Cut")), UnsupportedFormatException);
    }
    EXPECT_EQ(decodeBlock(QByteArray::fromRawData(backing.constData(), 10), QStringLiteral("Whole")).size(), 1u);
    EXPECT_TRUE(decodeBlock(QByteArray(), QStringLiteral("Empty")).empty());
}

TEST(MalformedBlockLimitsTest, EncodingRefusesAValueOfTheWrongType)
{
    EXPECT_THROW(encodeBlock({{"Left", true}}), UnsupportedFormatException);
    EXPECT_THROW(encodeBlock({{"Bogus", 1}}), UnsupportedFormatException);
}

// ---- applying blocks to real controls -----------------------------------------------

class SetPropertiesTest : public ::testing::Test
{
protected:
    template <class T> T *add(const char *cls, const char *name)
    {
        Control *control = window.New(RuntimeLookupClass(QString::fromLatin1(cls)));
        window.AddControl(QString::fromLatin1(name), control);
        return RuntimeCheckCast<T>(window.ControlByName(QString::fromLatin1(name)));
    }

    Window window;
};

TEST_F(SetPropertiesTest, AppliesRecordsToControlAndWidget)
{
    auto *label = add<Label>("Label", "Label1");
    SetProperties(label, encodeBlock({{"Left", 89},
                                      {"Top", 25},
                                      {"Width", 142},
                                      {"Height", 53},
                                      {"Text", "Zentora 2010\rversion 1.7.0"},
                                      {"TextColor", RGB(0x66, 0x66, 0xFF)},
                                      {"Multiline", true},
                                      {"Visible", false}}));
    EXPECT_EQ(label->Left(), 89);
    EXPECT_EQ(label->Height(), 53);
    EXPECT_EQ(label->widget()->geometry(), QRect(89, 25, 142, 53));
    EXPECT_EQ(label->Text(), QStringLiteral("Zentora 2010\rversion 1.7.0"));
    EXPECT_EQ(label->TextColor(), RGB(0x66, 0x66, 0xFF));
    EXPECT_FALSE(label->Visible());
    EXPECT_FALSE(label->widget()->isVisibleTo(window.content()));
    // Not in the block: keeps the value it had after its constructor.
    EXPECT_TRUE(label->Enabled());
    EXPECT_EQ(label->InitialParent(), QString());
    EXPECT_FALSE(label->Bold());
}

TEST_F(SetPropertiesTest, ButtonCheckBoxAndMenu)
{
    auto *button = add<PushButton>("PushButton", "PushButton1");
    SetProperties(button, encodeBlock({{"Caption", "Play"}, {"Enabled", false}, {"ButtonStyle", 6}}));
    EXPECT_EQ(button->Caption(), QStringLiteral("Play"));
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(button->widget()->isEnabled());

    auto *box = add<CheckBox>("CheckBox", "CheckBox1");
    int actions = 0;
    RuntimeAddEventHandler(box, EventNumber::Action, RuntimeCreateDelegate([&] { ++actions; }, "( CheckBox )"));
    SetProperties(box, encodeBlock({{"Caption", "DONE"}, {"Value", true}}));
    EXPECT_EQ(box->Caption(), QStringLiteral("DONE"));
    EXPECT_TRUE(box->Value());
    EXPECT_EQ(actions, 0);

    auto *menu = add<PopupMenu>("PopupMenu", "PopupMenu1");
    SetProperties(menu, encodeBlock({{"InitialValue", ""}, {"ListIndex", 0}}));
    EXPECT_EQ(menu->ListCount(), 0);
    EXPECT_EQ(menu->ListIndex(), -1);
}

TEST_F(SetPropertiesTest, NameTheClassLacksIsRefused)
{
    auto *box = add<CheckBox>("CheckBox", "CheckBox2");
    try {
        SetProperties(box, encodeBlock({{"Caption", "DONE"}, {"ListIndex", 0}}));
        FAIL() << "accepted";
    } catch (const UnsupportedFormatException &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("CheckBox2"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QLatin1String("ListIndex"))) << e.message().toStdString();
    }
    EXPECT_THROW(SetProperties(&window, encodeBlock({{"Caption", "x"}})), UnsupportedFormatException);
    EXPECT_THROW(SetProperties(nullptr, encodeBlock({{"Left", 1}})), NilObjectException);
}

TEST_F(SetPropertiesTest, WindowBlockSizesTheContent)
{
    SetProperties(&window, window2Block());
    EXPECT_EQ(window.Title(), QStringLiteral("About ZentOra"));
    EXPECT_EQ(window.Width(), 300);
    EXPECT_EQ(window.Height(), 200);
    EXPECT_EQ(window.content()->size(), QSize(300, 200));
    EXPECT_TRUE(window.CloseButton());
    EXPECT_FALSE(window.Resizeable());
}

} // namespace
