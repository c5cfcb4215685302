#include "controls.h"

#include "application.h"
#include "window.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QWheelEvent>

namespace {

// The names each class accepts in a property block.
QSet<QByteArray> names(const char *list)
{
    QSet<QByteArray> set;
    for (const QByteArray &name : QByteArray(list).split(' ')) {
        if (!name.isEmpty())
            set.insert(name);
    }
    return set;
}

#define COMMON_PLACE "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex TabIndex "

// Qt's widgets take positions and sizes up to QWIDGETSIZE_MAX. A design value
// beyond that, which only a malformed block holds, is cut to it, so that no
// corner of a geometry overflows.
int widgetExtent(int value)
{
    return qBound(0, value, QWIDGETSIZE_MAX);
}

QRect widgetGeometry(int left, int top, int width, int height)
{
    return QRect(qBound(-QWIDGETSIZE_MAX, left, QWIDGETSIZE_MAX), qBound(-QWIDGETSIZE_MAX, top, QWIDGETSIZE_MAX),
                 widgetExtent(width), widgetExtent(height));
}

// A list box has at most this many columns; a larger count is cut to it.
constexpr int kMaxListColumns = 256;

QColor toQColor(Color c)
{
    return QColor(c.red, c.green, c.blue);
}

class LabelWidget : public QLabel
{
public:
    LabelWidget(Label *owner, QWidget *parent) : QLabel(parent), m_owner(owner) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint at = event->position().toPoint();
        QPointer<Label> owner = m_owner;
        RuntimeDeliverEvent([owner, at] {
            if (owner)
                owner->userMouseDown(at.x(), at.y());
        });
    }

private:
    QPointer<Label> m_owner;
};

// A combo box that behaves as a desktop pop-up button: its row changes only
// by a pick from its open list. Qt's box also steps its row, closed, on the
// wheel, the arrow keys, Page Up/Down, Home and End, and searches its rows
// for typed text; each such step would reach the menu as a pick.
//
// It also leaves building its popup list to the first opening. Qt builds the
// list at the first font change, and every menu gets its font while its
// window is built, long before anyone opens it; a list built later takes the
// box's font with it.
class ComboWidget : public QComboBox
{
public:
    using QComboBox::QComboBox;

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange && !findChild<QAbstractItemView *>()) {
            QWidget::changeEvent(event);
            return;
        }
        QComboBox::changeEvent(event);
    }

    // The open list takes the keys itself; these reach only the closed box.
    void keyPressEvent(QKeyEvent *event) override
    {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            // Keys that move through rows open the list, from the shown row.
            showPopup();
            event->accept();
            break;
        case Qt::Key_Space:
        case Qt::Key_F4:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // Space and F4 open the list; the box leaves Return, Enter and
            // Escape to the window.
            QComboBox::keyPressEvent(event);
            break;
        default:
            // No keyboard search: typed text passes to the window.
            event->ignore();
            break;
        }
    }

    void wheelEvent(QWheelEvent *event) override { event->ignore(); }

    void inputMethodEvent(QInputMethodEvent *event) override { event->ignore(); }
};

// The table of a list box. Its rows are as high as a line of its own font
// plus the grid line below it, also after the font changes: a list is made
// with the window's font and gets its own size only afterwards. It shows no
// current row until the user picks one. Like every other control it is one
// stop of its window's tab order: Tab and Shift+Tab leave it, and only the
// arrow keys move between its rows.
class ListWidget : public QTableWidget
{
public:
    explicit ListWidget(QWidget *parent) : QTableWidget(parent)
    {
        setTabKeyNavigation(false);
        sizeRows();
    }

protected:
    void changeEvent(QEvent *event) override
    {
        QTableWidget::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            sizeRows();
    }

    void focusInEvent(QFocusEvent *event) override
    {
        // Qt makes the first cell current when a list without a current cell
        // gains the focus, and shows it as though the user had chosen it.
        const bool hadCurrent = currentIndex().isValid();
        QTableWidget::focusInEvent(event);
        if (!hadCurrent && currentIndex().isValid())
            selectionModel()->clearCurrentIndex();
    }

private:
    void sizeRows()
    {
        // The header's own minimum allows for margins the rows do not draw;
        // it would hold them higher than the text needs.
        const int height = fontMetrics().height() + 1;
        verticalHeader()->setMinimumSectionSize(height);
        verticalHeader()->setDefaultSectionSize(height);
    }
};

class RoundRectWidget : public QWidget
{
public:
    RoundRectWidget(RoundRectangle *owner, QWidget *parent) : QWidget(parent), m_owner(owner)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_owner)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int w = m_owner->BorderWidth();
        QPen pen(toQColor(m_owner->BorderColor()));
        pen.setWidth(w);
        painter.setPen(w > 0 ? pen : QPen(Qt::NoPen));
        painter.setBrush(toQColor(m_owner->FillColor()));
        const qreal inset = w / 2.0;
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset),
                                m_owner->OvalWidth() / 2.0, m_owner->OvalHeight() / 2.0);
    }

private:
    QPointer<RoundRectangle> m_owner;
};

} // namespace

// ---- Control ------------------------------------------------------------------

void Control::addEventHandler(int eventNumber, DelegatePtr delegate)
{
    m_handlers[eventNumber] = std::move(delegate);
}

bool Control::hasEventHandler(int eventNumber) const
{
    return m_handlers.count(eventNumber) != 0;
}

bool Control::raiseEvent(int eventNumber, int x, int y)
{
    auto it = m_handlers.find(eventNumber);
    if (it == m_handlers.end())
        return false;
    DelegatePtr delegate = it->second; // the handler may replace it while running
    HandlerScope scope;
    return delegate->invoke(EventArgs{this, x, y});
}

void Control::deliverOpen()
{
    raiseEvent(EventNumber::Open);
}

void Control::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    if (name == "Name")
        m_name = value.string;
}

void Control::attach(Window *window, const QString &name)
{
    m_window = window;
    m_name = name;
    setParent(window);
}

// ---- RectControl ----------------------------------------------------------------

RectControl::~RectControl()
{
    delete m_widget.data();
}

void RectControl::attach(Window *window, const QString &name)
{
    Control::attach(window, name);
    m_widget = createWidget(window->content());
    m_widget->setGeometry(widgetGeometry(m_left, m_top, m_width, m_height));
    applyFont();
}

bool RectControl::Enabled() const
{
    return m_enabled;
}

void RectControl::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!m_widget)
        return;
    // Qt hands the focus of a widget being disabled to the next one in the
    // tab order, which then shows a caret or a current row that the user
    // never chose. The window's content keeps the focus instead.
    if (!enabled && window()) {
        QWidget *focus = m_widget->window()->focusWidget();
        if (focus && (focus == m_widget || m_widget->isAncestorOf(focus)))
            window()->content()->setFocus(Qt::OtherFocusReason);
    }
    m_widget->setEnabled(enabled);
}

bool RectControl::Visible() const
{
    return m_visible;
}

void RectControl::setVisible(bool visible)
{
    m_visible = visible;
    if (m_widget)
        m_widget->setVisible(visible);
}

void RectControl::setTextSize(double size)
{
    m_textSize = size;
    applyFont();
}

void RectControl::setBold(bool bold)
{
    m_bold = bold;
    applyFont();
}

void RectControl::applyFont()
{
    if (!m_widget)
        return;
    // Sizes are read as the original desktop did, at 72 dots per inch: one
    // point to the pixel. The system font is 12 pixels.
    QFont font = m_widget->font();
    font.setPixelSize(m_textSize > 0 ? qRound(m_textSize) : kSystemFontPixels);
    font.setBold(m_bold);
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    // A widget that already shows this font, as inherited from its window's
    // content, keeps it implicitly: an explicit font costs a font change, for
    // which a combo box builds its popup list at once.
    if (font == m_widget->font())
        return;
    m_widget->setFont(font);
}

void RectControl::setGeometryPart(int *field, int value)
{
    *field = value;
    if (m_widget)
        m_widget->setGeometry(widgetGeometry(m_left, m_top, m_width, m_height));
}

void RectControl::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    Control::applyDesignProperty(name, value);
    if (name == "Left")
        setGeometryPart(&m_left, value.integer);
    else if (name == "Top")
        setGeometryPart(&m_top, value.integer);
    else if (name == "Width")
        setGeometryPart(&m_width, value.integer);
    else if (name == "Height")
        setGeometryPart(&m_height, value.integer);
    else if (name == "Enabled")
        setEnabled(value.boolean);
    else if (name == "Visible")
        setVisible(value.boolean);
    else if (name == "TabIndex")
        m_tabIndex = value.integer;
    else if (name == "TabStop") {
        m_tabStop = value.boolean;
        if (m_widget && !m_tabStop)
            m_widget->setFocusPolicy(Qt::ClickFocus);
    } else if (name == "InitialParent")
        m_initialParent = value.string;
    else if (name == "Bold") {
        m_bold = value.boolean;
        applyFont();
    } else if (name == "Italic") {
        m_italic = value.boolean;
        applyFont();
    } else if (name == "Underline") {
        m_underline = value.boolean;
        applyFont();
    }
}

// ---- PopupMenu ------------------------------------------------------------------

bool PopupMenu::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names(COMMON_PLACE "TabStop Enabled InitialValue ListIndex Visible "
                                                           "HelpTag AutoDeactivate TextFont Bold Italic Underline "
                                                           "DataSource DataField InitialParent");
    return set.contains(name);
}

QWidget *PopupMenu::createWidget(QWidget *parent)
{
    auto *box = new ComboWidget(parent);
    QObject::connect(box, &QComboBox::activated, this, [this](int index) {
        RuntimeDeliverEvent([this, index] { userSelect(index); });
    });
    return box;
}

QComboBox *PopupMenu::combo() const
{
    return static_cast<QComboBox *>(widget());
}

void PopupMenu::AddRow(const QString &text)
{
    m_rows.append(text);
    if (QComboBox *box = combo()) {
        // Qt selects the first row added to an empty box; undo that.
        const QSignalBlocker blocker(box);
        box->addItem(text);
        box->setCurrentIndex(m_listIndex);
    }
}

QString PopupMenu::List(int row) const
{
    if (row < 0 || row >= m_rows.size())
        throw OutOfBoundsException(QStringLiteral("%1 has no row %2").arg(debugName()).arg(row));
    return m_rows.at(row);
}

void PopupMenu::setListIndex(int index)
{
    if (index < -1 || index >= m_rows.size())
        throw OutOfBoundsException(QStringLiteral("%1 has no row %2").arg(debugName()).arg(index));
    if (index == m_listIndex)
        return;
    m_listIndex = index;
    showSelection();
    raiseEvent(EventNumber::Change);
}

QString PopupMenu::Text() const
{
    return m_listIndex >= 0 ? m_rows.at(m_listIndex) : QString();
}

void PopupMenu::userSelect(int index)
{
    if (!Enabled() || index < 0 || index >= m_rows.size())
        return;
    if (index == m_listIndex) {
        showSelection();
        return;
    }
    m_listIndex = index;
    showSelection();
    raiseEvent(EventNumber::Change);
}

void PopupMenu::showSelection()
{
    if (QComboBox *box = combo()) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(m_listIndex);
    }
}

void PopupMenu::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    RectControl::applyDesignProperty(name, value);
    if (name == "InitialValue") {
        for (const QString &row : value.string.split(QLatin1Char('\r'), Qt::SkipEmptyParts))
            AddRow(row);
    } else if (name == "ListIndex") {
        // A design-time selection raises no Change; an empty menu keeps none.
        if (value.integer >= -1 && value.integer < m_rows.size()) {
            m_listIndex = value.integer;
            showSelection();
        }
    }
}

// ---- CheckBox -------------------------------------------------------------------

bool CheckBox::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names(COMMON_PLACE "TabStop Caption Enabled Visible HelpTag AutoDeactivate "
                                                           "TextFont Bold Italic Underline State Value DataSource "
                                                           "DataField InitialParent");
    return set.contains(name);
}

QWidget *CheckBox::createWidget(QWidget *parent)
{
    auto *check = new QCheckBox(parent);
    QObject::connect(check, &QCheckBox::clicked, this, [this](bool checked) {
        RuntimeDeliverEvent([this, checked] {
            m_value = checked;
            raiseEvent(EventNumber::Action);
        });
    });
    return check;
}

QCheckBox *CheckBox::box() const
{
    return static_cast<QCheckBox *>(widget());
}

void CheckBox::setValue(bool value)
{
    m_value = value;
    if (QCheckBox *check = box()) {
        const QSignalBlocker blocker(check);
        check->setChecked(value);
    }
}

void CheckBox::userClick()
{
    if (!Enabled())
        return;
    setValue(!m_value);
    raiseEvent(EventNumber::Action);
}

void CheckBox::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    RectControl::applyDesignProperty(name, value);
    if (name == "Caption") {
        m_caption = value.string;
        if (box())
            box()->setText(m_caption);
    } else if (name == "Value") {
        setValue(value.boolean);
    }
}

// ---- PushButton -----------------------------------------------------------------

bool PushButton::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names(COMMON_PLACE "TabStop Caption Default Cancel Enabled Visible HelpTag "
                                                           "AutoDeactivate ButtonStyle TextFont Bold Italic Underline "
                                                           "InitialParent");
    return set.contains(name);
}

QWidget *PushButton::createWidget(QWidget *parent)
{
    auto *push = new QPushButton(parent);
    push->setAutoDefault(false);
    QObject::connect(push, &QPushButton::clicked, this, [this] { RuntimeDeliverEvent([this] { Push(); }); });
    return push;
}

QPushButton *PushButton::button() const
{
    return static_cast<QPushButton *>(widget());
}

void PushButton::Push()
{
    if (!Enabled())
        return;
    raiseEvent(EventNumber::Action);
}

void PushButton::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    RectControl::applyDesignProperty(name, value);
    if (name == "Caption") {
        m_caption = value.string;
        if (button())
            button()->setText(m_caption);
    } else if (name == "Default") {
        m_default = value.boolean;
        if (button())
            button()->setDefault(m_default);
    } else if (name == "Cancel") {
        m_cancel = value.boolean;
    }
}

// ---- Label ------------------------------------------------------------------------

bool Label::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names(COMMON_PLACE "Text TextAlign TextColor Multiline Enabled Visible "
                                                           "Selectable Transparent HelpTag AutoDeactivate TextFont "
                                                           "Bold Italic Underline DataSource DataField InitialParent");
    return set.contains(name);
}

QWidget *Label::createWidget(QWidget *parent)
{
    auto *text = new LabelWidget(this, parent);
    text->setTextFormat(Qt::PlainText);
    return text;
}

QLabel *Label::label() const
{
    return static_cast<QLabel *>(widget());
}

void Label::setText(const QString &text)
{
    m_text = text;
    showText();
}

void Label::showText()
{
    QLabel *text = label();
    if (!text)
        return;
    // A carriage return breaks the line in a multiline label; Qt needs "\n".
    QString shown = m_text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), m_multiline ? QLatin1Char('\n') : QLatin1Char(' '));
    text->setText(shown);
}

void Label::showStyle()
{
    QLabel *text = label();
    if (!text)
        return;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_textAlign == 1)
        horizontal = Qt::AlignHCenter;
    else if (m_textAlign == 2)
        horizontal = Qt::AlignRight;
    text->setAlignment(horizontal | (m_multiline ? Qt::AlignTop : Qt::AlignVCenter));
    text->setWordWrap(m_multiline);
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, toQColor(m_textColor));
    text->setPalette(palette);
}

bool Label::userMouseDown(int x, int y)
{
    if (!Enabled())
        return false;
    return raiseEvent(EventNumber::MouseDown, x, y);
}

void Label::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    RectControl::applyDesignProperty(name, value);
    if (name == "Text") {
        setText(value.string);
    } else if (name == "TextAlign") {
        m_textAlign = value.integer;
        showStyle();
    } else if (name == "TextColor") {
        m_textColor = value.color;
        showStyle();
    } else if (name == "Multiline") {
        m_multiline = value.boolean;
        showStyle();
        showText();
    }
}

// ---- TextField --------------------------------------------------------------------

bool TextField::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names(
        COMMON_PLACE "TabStop Border Password UseFocusRing TextColor BackColor Enabled Format Visible HelpTag "
                     "AutoDeactivate TextFont Bold Italic Underline CueText Text Mask ReadOnly LimitText AcceptTabs "
                     "Alignment AutomaticallyCheckSpelling DataSource DataField InitialParent");
    return set.contains(name);
}

QWidget *TextField::createWidget(QWidget *parent)
{
    return new QLineEdit(parent);
}

QLineEdit *TextField::edit() const
{
    return static_cast<QLineEdit *>(widget());
}

QString TextField::Text() const
{
    return edit() ? edit()->text() : QString();
}

void TextField::setText(const QString &text)
{
    if (edit())
        edit()->setText(text);
}

void TextField::setBackColor(Color color)
{
    m_backColor = color;
    showColors();
}

void TextField::showColors()
{
    if (!edit())
        return;
    QPalette palette = edit()->palette();
    palette.setColor(QPalette::Base, toQColor(m_backColor));
    palette.setColor(QPalette::Text, toQColor(m_textColor));
    edit()->setPalette(palette);
}

void TextField::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    RectControl::applyDesignProperty(name, value);
    QLineEdit *line = edit();
    if (!line)
        return;
    if (name == "Text") {
        setText(value.string);
    } else if (name == "BackColor") {
        setBackColor(value.color);
    } else if (name == "TextColor") {
        m_textColor = value.color;
        showColors();
    } else if (name == "Border") {
        m_border = value.boolean;
        line->setFrame(m_border);
    } else if (name == "Password") {
        line->setEchoMode(value.boolean ? QLineEdit::Password : QLineEdit::Normal);
    } else if (name == "ReadOnly") {
        line->setReadOnly(value.boolean);
    } else if (name == "LimitText") {
        line->setMaxLength(value.integer > 0 ? value.integer : 32767);
    } else if (name == "CueText") {
        line->setPlaceholderText(value.string);
    } else if (name == "Alignment") {
        line->setAlignment(value.integer == 2 ? Qt::AlignHCenter
                                              : value.integer == 3 ? Qt::AlignRight : Qt::AlignLeft);
    }
}

// ---- TextArea ---------------------------------------------------------------------

bool TextArea::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names(
        COMMON_PLACE "TabStop Border Multiline ScrollbarHorizontal ScrollbarVertical Styled UseFocusRing TextColor "
                     "BackColor Enabled Format Visible HelpTag AutoDeactivate HideSelection TextFont Bold Italic "
                     "Underline Text Mask ReadOnly LimitText AcceptTabs Alignment AutomaticallyCheckSpelling "
                     "DataSource DataField InitialParent");
    return set.contains(name);
}

QWidget *TextArea::createWidget(QWidget *parent)
{
    auto *text = new QTextEdit(parent);
    text->setAcceptRichText(false);
    text->setTabChangesFocus(true);
    return text;
}

QTextEdit *TextArea::edit() const
{
    return static_cast<QTextEdit *>(widget());
}

QString TextArea::Text() const
{
    if (!edit())
        return QString();
    QString text = edit()->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return text;
}

void TextArea::setText(const QString &text)
{
    if (!edit())
        return;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    edit()->setPlainText(shown);
}

void TextArea::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    RectControl::applyDesignProperty(name, value);
    QTextEdit *text = edit();
    if (!text)
        return;
    if (name == "Text") {
        setText(value.string);
    } else if (name == "ReadOnly") {
        m_readOnly = value.boolean;
        text->setReadOnly(m_readOnly);
    } else if (name == "ScrollbarVertical") {
        text->setVerticalScrollBarPolicy(value.boolean ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    } else if (name == "ScrollbarHorizontal") {
        text->setHorizontalScrollBarPolicy(value.boolean ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        text->setLineWrapMode(value.boolean ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
    } else if (name == "Border") {
        text->setFrameShape(value.boolean ? QFrame::StyledPanel : QFrame::NoFrame);
    } else if (name == "TextColor" || name == "BackColor") {
        QPalette palette = text->palette();
        palette.setColor(name == "TextColor" ? QPalette::Text : QPalette::Base, toQColor(value.color));
        text->setPalette(palette);
    }
}

// ---- Listbox ----------------------------------------------------------------------

bool Listbox::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names(
        COMMON_PLACE "TabStop Visible HelpTag AutoDeactivate Enabled Border ColumnCount ColumnWidths HasHeading "
                     "UseFocusRing InitialValue HeadingIndex ScrollbarHorizontal ScrollBarVertical "
                     "GridLinesHorizontal GridLinesVertical DefaultRowHeight _ScrollWidth TextFont Bold Italic "
                     "Underline Hierarchical EnableDrag EnableDragReorder RequiresSelection SelectionType "
                     "ColumnsResizable AutoHideScrollbars DataSource DataField InitialParent");
    return set.contains(name);
}

QWidget *Listbox::createWidget(QWidget *parent)
{
    auto *list = new ListWidget(parent);
    list->setColumnCount(m_columnCount);
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setShowGrid(false);
    list->setWordWrap(false);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    return list;
}

QTableWidget *Listbox::table() const
{
    return static_cast<QTableWidget *>(widget());
}

void Listbox::AddRow(const QString &text)
{
    QTableWidget *list = table();
    const int row = list->rowCount();
    list->insertRow(row);
    for (int column = 0; column < m_columnCount; ++column)
        list->setItem(row, column, new QTableWidgetItem(column == 0 ? text : QString()));
    m_lastIndex = row;
}

int Listbox::ListCount() const
{
    return table()->rowCount();
}

void Listbox::checkCell(int row, int column) const
{
    if (row < 0 || row >= ListCount() || column < 0 || column >= m_columnCount)
        throw OutOfBoundsException(QStringLiteral("%1 has no cell (%2, %3)").arg(debugName()).arg(row).arg(column));
}

QString Listbox::Cell(int row, int column) const
{
    checkCell(row, column);
    const QTableWidgetItem *item = table()->item(row, column);
    return item ? item->text() : QString();
}

void Listbox::setCell(int row, int column, const QString &text)
{
    checkCell(row, column);
    table()->item(row, column)->setText(text);
}

void Listbox::layoutColumns()
{
    QTableWidget *list = table();
    if (!list)
        return;
    list->setColumnCount(m_columnCount);
    const QStringList widths = m_columnWidths.split(QLatin1Char(','), Qt::SkipEmptyParts);
    int available = widgetExtent(Width()) - 2 * list->frameWidth();
    if (list->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        available -= list->verticalScrollBar()->sizeHint().width();
    qint64 used = 0;
    for (int column = 0; column < m_columnCount; ++column) {
        int width = 0;
        if (column < widths.size()) {
            QString widthText = widths.at(column).trimmed();
            if (widthText.endsWith(QLatin1Char('%'))) {
                // Bounded as a double first: a percentage may be anything.
                const double share = available * widthText.chopped(1).toDouble() / 100.0;
                width = int(qBound(0.0, share, double(QWIDGETSIZE_MAX)));
            } else {
                width = widgetExtent(widthText.toInt());
            }
        }
        if (column == m_columnCount - 1)
            width = int(qBound(qint64(0), available - used, qint64(QWIDGETSIZE_MAX)));
        list->setColumnWidth(column, width);
        used += width;
    }
}

void Listbox::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    RectControl::applyDesignProperty(name, value);
    QTableWidget *list = table();
    if (!list)
        return;
    if (name == "ColumnCount") {
        m_columnCount = qBound(1, value.integer, kMaxListColumns);
        layoutColumns();
    } else if (name == "ColumnWidths") {
        m_columnWidths = value.string;
        layoutColumns();
    } else if (name == "Width") {
        layoutColumns();
    } else if (name == "HasHeading") {
        m_hasHeading = value.boolean;
        list->horizontalHeader()->setVisible(m_hasHeading);
    } else if (name == "ScrollBarVertical") {
        list->setVerticalScrollBarPolicy(value.boolean ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        layoutColumns();
    } else if (name == "ScrollbarHorizontal") {
        list->setHorizontalScrollBarPolicy(value.boolean ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    } else if (name == "GridLinesHorizontal" || name == "GridLinesVertical") {
        m_gridLines = m_gridLines || value.integer != 0;
        list->setShowGrid(m_gridLines);
    } else if (name == "Border") {
        list->setFrameShape(value.boolean ? QFrame::StyledPanel : QFrame::NoFrame);
        layoutColumns();
    } else if (name == "InitialValue") {
        for (const QString &row : value.string.split(QLatin1Char('\r'), Qt::SkipEmptyParts))
            AddRow(row);
    }
}

// ---- RoundRectangle -------------------------------------------------------------

bool RoundRectangle::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names(COMMON_PLACE "Visible HelpTag AutoDeactivate Enabled FillColor "
                                                           "BorderWidth BorderColor OvalWidth OvalHeight InitialParent");
    return set.contains(name);
}

QWidget *RoundRectangle::createWidget(QWidget *parent)
{
    auto *shape = new RoundRectWidget(this, parent);
    shape->lower(); // beneath the controls it holds
    return shape;
}

void RoundRectangle::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    RectControl::applyDesignProperty(name, value);
    if (name == "FillColor")
        m_fill = value.color;
    else if (name == "BorderColor")
        m_border = value.color;
    else if (name == "BorderWidth")
        m_borderWidth = value.integer;
    else if (name == "OvalWidth")
        m_ovalWidth = value.integer;
    else if (name == "OvalHeight")
        m_ovalHeight = value.integer;
    if (widget())
        widget()->update();
}

// ---- Timer ------------------------------------------------------------------------

Timer::Timer()
{
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; a step must never come sooner
    // than its period.
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer, &QTimer::timeout, this, [this] { timedOut(); });
}

Timer::~Timer() = default;

bool Timer::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> set = names("Mode Period Index");
    return set.contains(name);
}

void Timer::setMode(int mode)
{
    ++m_generation;
    m_mode = mode;
    if (mode == 0 || m_stopped) {
        m_timer->stop();
        return;
    }
    m_timer->setSingleShot(mode == 1);
    m_timer->start(m_period);
}

void Timer::setPeriod(int period)
{
    m_period = qMax(0, period);
    if (m_timer->isActive())
        m_timer->start(m_period);
}

void Timer::timedOut()
{
    const quint64 generation = m_generation;
    QPointer<Timer> self = this;
    Dispatcher::defer(QPointer<QObject>(this), [self, generation] {
        if (self && self->m_generation == generation)
            self->fire();
    });
}

void Timer::fire()
{
    if (m_stopped || m_mode == 0)
        return;
    if (m_mode == 1) {
        // A single firing: the timer is off again once it has fired.
        m_mode = 0;
        ++m_generation;
        m_timer->stop();
    }
    raiseEvent(EventNumber::TimerAction);
}

void Timer::stop()
{
    m_stopped = true;
    m_mode = 0;
    ++m_generation;
    m_timer->stop();
}

void Timer::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    Control::applyDesignProperty(name, value);
    if (name == "Mode")
        setMode(value.integer);
    else if (name == "Period")
        setPeriod(value.integer);
}

// ---- registration -----------------------------------------------------------------

namespace {
template <class T> ClassInfo frameworkClass(const char *name, const char *base)
{
    ClassInfo info;
    info.name = QString::fromLatin1(name);
    info.baseName = QString::fromLatin1(base);
    if constexpr (!std::is_abstract_v<T>)
        info.create = [] { return static_cast<Object *>(new T); };
    return info;
}
}

void registerFrameworkClasses()
{
    RuntimeRegisterClass(frameworkClass<Control>("Control", ""));
    RuntimeRegisterClass(frameworkClass<RectControl>("RectControl", "Control"));
    RuntimeRegisterClass(frameworkClass<PopupMenu>("PopupMenu", "RectControl"));
    RuntimeRegisterClass(frameworkClass<CheckBox>("CheckBox", "RectControl"));
    RuntimeRegisterClass(frameworkClass<PushButton>("PushButton", "RectControl"));
    RuntimeRegisterClass(frameworkClass<Label>("Label", "RectControl"));
    RuntimeRegisterClass(frameworkClass<TextField>("TextField", "RectControl"));
    RuntimeRegisterClass(frameworkClass<TextArea>("TextArea", "RectControl"));
    RuntimeRegisterClass(frameworkClass<Listbox>("Listbox", "RectControl"));
    RuntimeRegisterClass(frameworkClass<RoundRectangle>("RoundRectangle", "RectControl"));
    RuntimeRegisterClass(frameworkClass<Timer>("Timer", "Control"));
    RuntimeRegisterClass(frameworkClass<MenuItem>("MenuItem", ""));
    RuntimeRegisterClass(frameworkClass<MenuBar>("MenuBar", "MenuItem"));
    RuntimeRegisterClass(frameworkClass<QuitMenuItem>("QuitMenuItem", "MenuItem"));
    RuntimeRegisterClass(frameworkClass<AppleMenuItem>("AppleMenuItem", "MenuItem"));
    RuntimeRegisterClass(frameworkClass<Application>("Application", ""));
    RuntimeRegisterClass(frameworkClass<Window>("Window", ""));
}
