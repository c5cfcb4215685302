#pragma once

#include "fake_platform.h"
#include "window1.h"

#include <QApplication>
#include <QMainWindow>
#include <gtest/gtest.h>

// Closes and releases every window a test left open, and checks that no
// handler's exception was left behind and no handler is still running.
inline void releaseWindowsAfterTest()
{
    for (Window *open : OpenWindows())
        open->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Dispatcher::hasPendingException());
    Dispatcher::takePendingException();
    EXPECT_EQ(Dispatcher::depth(), 0);
}

// Makes `window` the active one, as a click on it does; returns whether it
// became active.
inline bool bringToFront(Window *window)
{
    window->frame()->activateWindow();
    for (int i = 0; i < 50 && QApplication::activeWindow() != window->frame(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return QApplication::activeWindow() == window->frame();
}

// A fresh main window on the fake desktop for each test; every window the
// test leaves open is released afterwards.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { w = Window1::Window1_(); }
    void TearDown() override { releaseWindowsAfterTest(); }

    PopupMenu *menu(int n) { return Window1::control<PopupMenu>(w, name("PopupMenu", n)); }
    TextField *field(int n) { return Window1::control<TextField>(w, name("TextField", n)); }
    PushButton *button(int n) { return Window1::control<PushButton>(w, name("PushButton", n)); }
    Label *label(int n) { return Window1::control<Label>(w, name("Label", n)); }

    // Picks teams 1..8 of the team list (rows given) in the eight team menus.
    void chooseTeams(const std::array<int, 8> &rows = {1, 2, 3, 4, 5, 6, 7, 8})
    {
        for (int n = 1; n <= 8; ++n)
            menu(n)->userSelect(rows[size_t(n - 1)]);
    }
    // Team choice and both DONE boxes, leaving the strengths as suggested.
    void confirmTeamsAndStrengths()
    {
        chooseTeams();
        w->CheckBox1()->userClick();
        w->CheckBox2()->userClick();
    }
    // Places the pool into the eight slots, always its first entry.
    void placeAllSlots()
    {
        for (int n = 17; n <= 24; ++n)
            menu(n)->userSelect(1);
    }
    // A whole tournament by hand, in bracket order.
    void playAllGames()
    {
        for (int n : {1, 2, 3, 4, 5, 6, 7})
            button(n)->Push();
    }
    // The titles the tally counts, over all its rows.
    int titles()
    {
        int sum = 0;
        for (int row = 0; row < w->Listbox1()->ListCount(); ++row)
            sum += w->Listbox1()->Cell(row, 1).toInt();
        return sum;
    }

    static const char *name(const char *prefix, int n)
    {
        static QByteArray buffer;
        buffer = QByteArray(prefix) + QByteArray::number(n);
        return buffer.constData();
    }

    FakePlatform platform;
    Window1 *w = nullptr;
};
