#include "menu.h"

#include "application.h"
#include "window.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

MenuItem::~MenuItem() = default;

void MenuItem::Append(MenuItem *item)
{
    if (!item)
        throw NilObjectException(QStringLiteral("No menu item to append to %1").arg(m_name));
    m_children.emplace_back(item);
}

MenuItem *MenuItem::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw OutOfBoundsException(QStringLiteral("%1 has no entry %2").arg(m_name).arg(index));
    return m_children[size_t(index)].get();
}

MenuItem *MenuItem::Child(const QString &name) const
{
    for (const auto &child : m_children) {
        if (child->Name() == name)
            return child.get();
    }
    return nullptr;
}

MenuItem *MenuItem::Lookup(const QString &name) const
{
    for (const auto &child : m_children) {
        if (child->Name() == name)
            return child.get();
        if (MenuItem *found = child->Lookup(name))
            return found;
    }
    return nullptr;
}

QString MenuItem::platformShortcut() const
{
    QString keys = m_shortcut;
    keys.replace(QLatin1String("Cmd+"), QLatin1String("Ctrl+"), Qt::CaseInsensitive);
    return keys;
}

namespace {

void addEntries(Window *window, QMenu *menu, MenuItem *model)
{
    for (int i = 0; i < model->Count(); ++i) {
        MenuItem *item = model->Item(i);
        if (item->isSeparator()) {
            menu->addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            addEntries(window, menu->addMenu(item->Text()), item);
            continue;
        }
        QAction *action = menu->addAction(item->Text());
        // The menu bar is the application's: its shortcuts act whichever of
        // the application's windows is in front, not only the one showing it.
        if (!item->platformShortcut().isEmpty()) {
            action->setShortcut(QKeySequence(item->platformShortcut()));
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
        if (dynamic_cast<QuitMenuItem *>(item))
            action->setMenuRole(QAction::QuitRole);
        QPointer<Window> target = window;
        QPointer<MenuItem> entry = item;
        QObject::connect(action, &QAction::triggered, menu, [target, entry] {
            RuntimeDeliverEvent([target, entry] {
                if (target && entry)
                    RunMenuItem(target, entry);
            });
        });
    }
}

// The standard Edit commands act on the focused text control.
bool runEditCommand(const QString &name)
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focus)) {
        if (name == QLatin1String("EditUndo"))
            line->undo();
        else if (name == QLatin1String("EditCut"))
            line->cut();
        else if (name == QLatin1String("EditCopy"))
            line->copy();
        else if (name == QLatin1String("EditPaste"))
            line->paste();
        else if (name == QLatin1String("EditClear"))
            line->del();
        else if (name == QLatin1String("EditSelectAll"))
            line->selectAll();
        else
            return false;
        return true;
    }
    if (auto *text = qobject_cast<QTextEdit *>(focus)) {
        if (name == QLatin1String("EditUndo"))
            text->undo();
        else if (name == QLatin1String("EditCut"))
            text->cut();
        else if (name == QLatin1String("EditCopy"))
            text->copy();
        else if (name == QLatin1String("EditPaste"))
            text->paste();
        else if (name == QLatin1String("EditClear"))
            text->textCursor().removeSelectedText();
        else if (name == QLatin1String("EditSelectAll"))
            text->selectAll();
        else
            return false;
        return true;
    }
    return false;
}

} // namespace

void MenuBar::installIn(Window *window, QMenuBar *qtBar)
{
    for (int i = 0; i < Count(); ++i) {
        MenuItem *menuModel = Item(i);
        QMenu *menu = qtBar->addMenu(menuModel->Text());
        QPointer<Window> target = window;
        QObject::connect(menu, &QMenu::aboutToShow, menu, [target] {
            RuntimeDeliverEvent([target] {
                if (target)
                    target->runEnableMenuItems();
            });
        });
        addEntries(window, menu, menuModel);
    }
}

bool RunMenuItem(Window *window, MenuItem *item)
{
    if (!item)
        return false;
    if (dynamic_cast<QuitMenuItem *>(item)) {
        Quit();
        return true;
    }
    if (window && window->handleMenuCommand(item->Name()))
        return true;
    return runEditCommand(item->Name());
}
