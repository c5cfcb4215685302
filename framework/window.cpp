#include "window.h"

#include "application.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QSet>

#include <algorithm>

namespace {

std::vector<QPointer<Window>> &openWindows()
{
    static std::vector<QPointer<Window>> windows;
    return windows;
}

void forget(Window *window)
{
    auto &windows = openWindows();
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [window](const QPointer<Window> &w) { return !w || w == window; }),
                  windows.end());
}

} // namespace

// The Qt window that shows a Window; a close request from the desktop goes
// through the framework.
class WindowFrame : public QMainWindow
{
public:
    explicit WindowFrame(Window *owner) : m_owner(owner) {}

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        QPointer<Window> owner = m_owner;
        RuntimeDeliverEvent([owner] {
            if (owner)
                owner->closeRequested();
        });
    }

private:
    QPointer<Window> m_owner;
};

Window::Window()
{
    m_frame = new WindowFrame(this);
    m_content = new QWidget;
    // The controls inherit the system font from the content: set here once,
    // so that no control needs a font change of its own for the family.
    QFont font = m_content->font();
    font.setFamily(QString::fromLatin1(kSystemFontFamily));
    font.setPixelSize(kSystemFontPixels);
    m_content->setFont(font);
    m_frame->setCentralWidget(m_content);
    m_frame->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

Window::~Window()
{
    forget(this);
    // Controls die with this object; their widgets go with the frame.
    const auto children = this->children();
    for (QObject *child : children)
        delete child;
    delete m_frame;
}

void Window::Constructor()
{
    if (m_built)
        return;
    Layout();
    CreateControls();
    AddMenuHandlers();
    applyTabOrder();
    m_built = true;
    openWindows().emplace_back(this);
    // Every control exists now; the Open events come in creation order.
    for (Control *control : std::vector<Control *>(m_order))
        control->deliverOpen();
    if (m_visible && !m_closed)
        Show();
}

void Window::Show()
{
    if (m_closed)
        return;
    m_visible = true;
    m_frame->show();
    // Only the minimised state goes; showNormal() would also end a maximised
    // or full-screen one.
    if (m_frame->isMinimized())
        m_frame->setWindowState(m_frame->windowState() & ~Qt::WindowMinimized);
    m_frame->raise();
    m_frame->activateWindow();
}

void Window::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    for (Control *control : m_order) {
        if (auto *timer = dynamic_cast<Timer *>(control))
            timer->stop();
    }
    forget(this);
    m_frame->hide();
    deleteLater();
}

bool Window::Visible() const
{
    return m_visible && !m_closed;
}

void Window::closeRequested()
{
    // A window without a close box is the application's main window: a close
    // request from the desktop quits, as the Quit item does.
    if (!m_closeButton)
        Quit();
    else
        Close();
}

void Window::setMenuBar(MenuBar *bar)
{
    m_menuBar = bar;
    auto *qtBar = new QMenuBar(m_frame);
    if (bar)
        bar->installIn(this, qtBar);
    m_frame->setMenuBar(qtBar);
}

Control *Window::New(const ClassInfo *cls)
{
    Object *object = RuntimeNewObject(cls);
    auto *control = dynamic_cast<Control *>(object);
    if (!control) {
        delete object;
        throw IllegalCastException(QStringLiteral("%1 is not a control class").arg(cls->name));
    }
    control->setParent(this);
    return control;
}

void Window::AddControl(const QString &name, Control *control)
{
    if (!control)
        throw NilObjectException(QStringLiteral("No control to register as %1").arg(name));
    if (m_controls.contains(name))
        throw RuntimeException(QStringLiteral("%1 is registered twice").arg(name));
    control->attach(this, name);
    m_controls.insert(name, control);
    m_order.push_back(control);
}

Control *Window::ControlByName(const QString &name) const
{
    return m_controls.value(name, nullptr);
}

void Window::AddMenuHandler(const QString &itemName, DelegatePtr handler)
{
    m_menuHandlers.emplace_back(itemName, std::move(handler));
}

bool Window::handleMenuCommand(const QString &itemName)
{
    for (const auto &binding : m_menuHandlers) {
        if (binding.first.compare(itemName, Qt::CaseInsensitive) == 0)
            return binding.second->invoke(EventArgs{});
    }
    return false;
}

void Window::runEnableMenuItems()
{
    if (!m_closed)
        EnableMenuItems();
}

bool Window::declaresProperty(const QByteArray &name) const
{
    static const QSet<QByteArray> names = [] {
        QSet<QByteArray> set;
        for (const char *n : {"Placement", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight",
                              "Frame", "Composite", "HasBackColor", "BackColor", "Title", "Visible", "FullScreen",
                              "MenuBarVisible", "CloseButton", "Resizeable", "LiveResize", "MaximizeButton",
                              "MinimizeButton", "MacProcID"})
            set.insert(n);
        return set;
    }();
    return names.contains(name);
}

void Window::applyDesignProperty(const QByteArray &name, const PropertyValue &value)
{
    if (name == "Width" || name == "Height") {
        (name == "Width" ? m_width : m_height) = value.integer;
        m_content->setFixedSize(m_width, m_height);
    } else if (name == "Title") {
        m_title = value.string;
        m_frame->setWindowTitle(m_title);
    } else if (name == "Visible") {
        m_visible = value.boolean;
        if (m_built && m_visible)
            Show();
    } else if (name == "CloseButton") {
        m_closeButton = value.boolean;
        applyFrameFlags();
    } else if (name == "Resizeable") {
        m_resizeable = value.boolean;
        applyFrameFlags();
    } else if (name == "MinimizeButton") {
        m_minimizeButton = value.boolean;
        applyFrameFlags();
    } else if (name == "MaximizeButton") {
        m_maximizeButton = value.boolean;
        applyFrameFlags();
    }
}

void Window::applyFrameFlags()
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (m_closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (m_minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (m_maximizeButton && m_resizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    m_frame->setWindowFlags(flags);
    // A fixed window keeps the size of its content (and menu bar).
    m_frame->layout()->setSizeConstraint(m_resizeable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
}

void Window::applyTabOrder()
{
    // Focus moves in TabIndex order; a round rectangle's controls follow the
    // rectangle, in their own TabIndex order.
    std::vector<RectControl *> top;
    QHash<QString, std::vector<RectControl *>> held;
    for (Control *control : m_order) {
        auto *rect = dynamic_cast<RectControl *>(control);
        if (!rect || !rect->widget())
            continue;
        if (!rect->InitialParent().isEmpty() && m_controls.contains(rect->InitialParent()))
            held[rect->InitialParent()].push_back(rect);
        else
            top.push_back(rect);
    }
    auto byTab = [](const RectControl *a, const RectControl *b) { return a->TabIndex() < b->TabIndex(); };
    std::stable_sort(top.begin(), top.end(), byTab);
    std::vector<QWidget *> chain;
    for (RectControl *rect : top) {
        chain.push_back(rect->widget());
        auto it = held.find(rect->name());
        if (it == held.end())
            continue;
        std::stable_sort(it->begin(), it->end(), byTab);
        for (RectControl *inner : *it)
            chain.push_back(inner->widget());
    }
    QWidget *previous = nullptr;
    for (QWidget *w : chain) {
        if (w->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

Window *GetImplicitWindow(const QString &className)
{
    for (const QPointer<Window> &w : openWindows()) {
        if (w && !w->isClosed() && w->className() == className)
            return w;
    }
    return nullptr;
}

std::vector<Window *> OpenWindows()
{
    std::vector<Window *> result;
    for (const QPointer<Window> &w : openWindows()) {
        if (w && !w->isClosed())
            result.push_back(w);
    }
    return result;
}
