// The main window's menu commands and its accessors of the menu bar's items.
#include "window1.h"

#include "window2.h"
#include "window3.h"

#define WINDOW1_MENU_ACCESSOR_DEF(Class, Name)                                                                   \
    Class *Window1::Name()                                                                                       \
    {                                                                                                            \
        if (!menuBar())                                                                                          \
            throw NilObjectException(QStringLiteral("The main window has no menu bar"));                        \
        return RuntimeCheckCast<Class>(menuBar()->Lookup(QStringLiteral(#Name)));                                 \
    }
WINDOW1_MENU_ITEMS(WINDOW1_MENU_ACCESSOR_DEF)
#undef WINDOW1_MENU_ACCESSOR_DEF

void Window1::AddMenuHandlers()
{
    Window1 *target = RuntimeCheckCast<Window1>(this);
    const ClassInfo *self = Lookup();
    const QString signature = QStringLiteral("(  ) as Boolean");
    AddMenuHandler(QStringLiteral("FileAboutZentora2010"),
                   RuntimeCreateDelegate(target, self, QStringLiteral("_FileAboutZentora2010_Action"), signature, 0));
    AddMenuHandler(QStringLiteral("Instructionsinstructions"),
                   RuntimeCreateDelegate(target, self, QStringLiteral("_Instructionsinstructions_Action"), signature, 0));
}

void Window1::Event_EnableMenuItems()
{
}

bool Window1::FileAboutZentora2010_Action()
{
    Window2 *about = Window2::Window2_();
    if (!about)
        throw NilObjectException(QStringLiteral("No About window"));
    about->Show();
    return true;
}

bool Window1::Instructionsinstructions_Action()
{
    Window3 *help = Window3::Window3_();
    if (!help)
        throw NilObjectException(QStringLiteral("No Instructions window"));
    help->Show();
    return true;
}
