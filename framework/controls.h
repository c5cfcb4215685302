#pragma once

#include "runtime.h"

#include <QColor>
#include <QWidget>
#include <QHash>
#include <QPointer>
#include <QStringList>

#include <map>

class QWidget;
class QComboBox;
class QCheckBox;
class QPushButton;
class QLabel;
class QLineEdit;
class QTextEdit;
class QTableWidget;
class QTimer;
class Window;

// Registers the framework's own classes with the object runtime.
void registerFrameworkClasses();

// The system font's size in pixels, which controls show unless they set one.
constexpr int kSystemFontPixels = 12;
// The family that the font name "System" stands for: a narrow, metric-standard
// sans, so that the design's tight boxes hold their texts. Where it is not
// installed, Qt's font matching falls back to the desktop's sans.
constexpr const char *kSystemFontFamily = "Liberation Sans";

// Event numbers by which handlers are attached.
namespace EventNumber {
constexpr int Open = 1;
constexpr int Action = 15;
constexpr int Change = 15;
constexpr int MouseDown = 16;
constexpr int TimerAction = 0;
}

// Anything placed on a window and registered there under a name.
class Control : public Object
{
public:
    Window *window() const { return m_window; }
    const QString &name() const { return m_name; }
    QString debugName() const override { return m_name.isEmpty() ? className() : m_name; }

    void addEventHandler(int eventNumber, DelegatePtr delegate);
    bool hasEventHandler(int eventNumber) const;
    // Runs the handler attached for the event, nested, if there is one.
    // Returns the handler's Boolean (False without a handler).
    bool raiseEvent(int eventNumber, int x = 0, int y = 0);

    // Called by the window once all controls exist.
    virtual void deliverOpen();


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    friend class Window;
    virtual void attach(Window *window, const QString &name);

private:
    Window *m_window = nullptr;
    QString m_name;
    std::map<int, DelegatePtr> m_handlers;
};

// A visible control with a widget.
class RectControl : public Control
{
public:
    ~RectControl() override;
    QWidget *widget() const { return m_widget; }

    bool Enabled() const;
    void setEnabled(bool enabled);
    bool Visible() const;
    void setVisible(bool visible);
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    double TextSize() const { return m_textSize; }
    void setTextSize(double size);
    int TextUnit() const { return m_textUnit; }
    void setTextUnit(int unit) { m_textUnit = unit; }
    int TabIndex() const { return m_tabIndex; }
    bool TabStop() const { return m_tabStop; }
    const QString &InitialParent() const { return m_initialParent; }
    bool Bold() const { return m_bold; }
    void setBold(bool bold);
    bool Italic() const { return m_italic; }
    bool Underline() const { return m_underline; }


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    void attach(Window *window, const QString &name) override;
    // Makes the widget; called once, when the control joins its window.
    virtual QWidget *createWidget(QWidget *parent) = 0;
    virtual void applyFont();
    void setGeometryPart(int *field, int value);

private:
    QPointer<QWidget> m_widget;
    int m_left = 0, m_top = 0, m_width = 80, m_height = 20;
    double m_textSize = 0;
    int m_textUnit = 0;
    int m_tabIndex = 0;
    bool m_tabStop = true;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_bold = false, m_italic = false, m_underline = false;
    QString m_initialParent;
};

// A pop-up menu. The user changes its row only by a pick from its open list:
// the wheel, the keys and typed text never step a closed menu.
class PopupMenu : public RectControl
{
public:
    QString className() const override { return QStringLiteral("PopupMenu"); }
    bool declaresProperty(const QByteArray &name) const override;

    // Appends a row; the selection does not change.
    void AddRow(const QString &text);
    int ListCount() const { return int(m_rows.size()); }
    QString List(int row) const;
    // Selected row, -1 for none.
    int ListIndex() const { return m_listIndex; }
    // Selects a row (-1: none). A different row runs Change at once, nested.
    // An index outside the rows raises OutOfBoundsException.
    void setListIndex(int index);
    // Text of the selected row; empty when no row is selected.
    QString Text() const;

    // What the user does: picks row `index`. Change runs only if it differs.
    void userSelect(int index);


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    void showSelection();
    QComboBox *combo() const;
    QStringList m_rows;
    int m_listIndex = -1;
};

class CheckBox : public RectControl
{
public:
    QString className() const override { return QStringLiteral("CheckBox"); }
    bool declaresProperty(const QByteArray &name) const override;

    bool Value() const { return m_value; }
    // Sets the tick from code; raises no Action.
    void setValue(bool value);
    QString Caption() const { return m_caption; }

    // What the user does: clicks the box (when enabled). Action runs.
    void userClick();


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    QCheckBox *box() const;
    bool m_value = false;
    QString m_caption;
};

class PushButton : public RectControl
{
public:
    QString className() const override { return QStringLiteral("PushButton"); }
    bool declaresProperty(const QByteArray &name) const override;

    // Runs the Action handler at once, nested, and returns when it has ended.
    // A disabled button does nothing.
    void Push();
    QString Caption() const { return m_caption; }
    bool Default() const { return m_default; }
    bool Cancel() const { return m_cancel; }


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    QPushButton *button() const;
    QString m_caption;
    bool m_default = false;
    bool m_cancel = false;
};

class Label : public RectControl
{
public:
    QString className() const override { return QStringLiteral("Label"); }
    bool declaresProperty(const QByteArray &name) const override;

    // The text as stored, carriage returns included.
    QString Text() const { return m_text; }
    void setText(const QString &text);
    int TextAlign() const { return m_textAlign; }
    bool Multiline() const { return m_multiline; }
    Color TextColor() const { return m_textColor; }

    // What the user does: presses the mouse on the label.
    bool userMouseDown(int x, int y);


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    void showText();
    void showStyle();
    QLabel *label() const;
    QString m_text;
    int m_textAlign = 0;
    bool m_multiline = false;
    Color m_textColor;
};

class TextField : public RectControl
{
public:
    QString className() const override { return QStringLiteral("TextField"); }
    bool declaresProperty(const QByteArray &name) const override;

    QString Text() const;
    void setText(const QString &text);
    Color BackColor() const { return m_backColor; }
    void setBackColor(Color color);
    Color TextColor() const { return m_textColor; }


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    void showColors();
    QLineEdit *edit() const;
    Color m_backColor = RGB(255, 255, 255);
    Color m_textColor;
    bool m_border = true;
};

class TextArea : public RectControl
{
public:
    QString className() const override { return QStringLiteral("TextArea"); }
    bool declaresProperty(const QByteArray &name) const override;

    // Lines are separated by carriage returns, as stored.
    QString Text() const;
    void setText(const QString &text);
    bool ReadOnly() const { return m_readOnly; }


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    QTextEdit *edit() const;
    bool m_readOnly = false;
};

class Listbox : public RectControl
{
public:
    QString className() const override { return QStringLiteral("Listbox"); }
    bool declaresProperty(const QByteArray &name) const override;

    // Adds a last row with `text` in column 0.
    void AddRow(const QString &text);
    int ListCount() const;
    // The last row added, -1 before any.
    int LastIndex() const { return m_lastIndex; }
    int ColumnCount() const { return m_columnCount; }
    // Cell text; a row or column outside the list raises OutOfBoundsException.
    QString Cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    QString ColumnWidths() const { return m_columnWidths; }


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    void checkCell(int row, int column) const;
    void layoutColumns();
    QTableWidget *table() const;
    int m_columnCount = 1;
    int m_lastIndex = -1;
    QString m_columnWidths;
    bool m_hasHeading = false;
    bool m_gridLines = false;
};

class RoundRectangle : public RectControl
{
public:
    QString className() const override { return QStringLiteral("RoundRectangle"); }
    bool declaresProperty(const QByteArray &name) const override;

    Color FillColor() const { return m_fill; }
    Color BorderColor() const { return m_border; }
    int BorderWidth() const { return m_borderWidth; }
    int OvalWidth() const { return m_ovalWidth; }
    int OvalHeight() const { return m_ovalHeight; }


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    Color m_fill = RGB(255, 255, 255);
    Color m_border;
    int m_borderWidth = 1;
    int m_ovalWidth = 0;
    int m_ovalHeight = 0;
};

// A timer of a window. Mode 1 arms one firing a period later (never sooner),
// 0 switches it off. A firing that falls due while a handler runs is
// delivered after it; a closed window's timer never fires.
class Timer : public Control
{
public:
    Timer();
    ~Timer() override;
    QString className() const override { return QStringLiteral("Timer"); }
    bool declaresProperty(const QByteArray &name) const override;

    int Mode() const { return m_mode; }
    void setMode(int mode);
    int Period() const { return m_period; }
    void setPeriod(int period);
    // Whether a firing is due or waiting to be delivered.
    bool isArmed() const { return m_mode != 0; }

    // Delivers the firing now, as if the period had run out (used by tests
    // and by the deferred delivery). Does nothing when the timer is off.
    void fire();
    // Switches the timer off for good (its window closes).
    void stop();


protected:
    void applyDesignProperty(const QByteArray &name, const PropertyValue &value) override;

private:
    void timedOut();
    QTimer *m_timer = nullptr;
    int m_mode = 0;
    int m_period = 1000;
    bool m_stopped = false;
    quint64 m_generation = 0; // changes whenever the timer is re-armed or switched off
};
