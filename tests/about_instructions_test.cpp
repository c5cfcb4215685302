// The two menu commands and the windows they show: the About window with its
// link, the Instructions window with its help text, one window of each while
// open and a fresh one after a close.
#include "window2.h"
#include "window3.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <functional>

namespace {

class AboutInstructionsTest : public MainWindowTest
{
protected:
    Window2 *about() { return static_cast<Window2 *>(GetImplicitWindow(QStringLiteral("Window2.Window2"))); }
    Window3 *help() { return static_cast<Window3 *>(GetImplicitWindow(QStringLiteral("Window3.Window3"))); }

    int openCount(const char *className)
    {
        int count = 0;
        for (Window *open : OpenWindows())
            count += open->className() == QLatin1String(className);
        return count;
    }

    Window2 *chooseAbout()
    {
        EXPECT_TRUE(w->handleMenuCommand(QStringLiteral("FileAboutZentora2010")));
        return about();
    }
    // The item's own name, lower-case first letter and all.
    Window3 *chooseInstructions()
    {
        EXPECT_TRUE(w->handleMenuCommand(QStringLiteral("instructionsinstructions")));
        return help();
    }

    // An item of the main window's Edit menu, as the menu bar shows it.
    QAction *editAction(const char *text)
    {
        for (QAction *menu : w->frame()->menuBar()->actions()) {
            if (menu->text() != QLatin1String("&Edit"))
                continue;
            for (QAction *item : menu->menu()->actions()) {
                if (item->text() == QLatin1String(text))
                    return item;
            }
        }
        return nullptr;
    }

    // Presses Ctrl+Q on `target` inside the application's event loop, as the
    // user does; returns whether that ended the loop as Quit does.
    static bool quitsOnCtrlQ(QWidget *target)
    {
        bool timedOut = false;
        QTimer::singleShot(0, target, [target] { QTest::keyClick(target, Qt::Key_Q, Qt::ControlModifier); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&timedOut] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        guard.start(2000);
        const int status = QApplication::exec();
        return !timedOut && status == 0;
    }

    static void type(QWidget *target, const QString &text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(target, &press);
        }
    }
};

// ---- commands and single instances -------------------------------------------------------

TEST_F(AboutInstructionsTest, AboutCommandShowsOneWindowWhileOpen)
{
    Window2 *first = chooseAbout();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->frame()->isVisible());
    Window3 *other = chooseInstructions();
    ASSERT_NE(other, nullptr);
    QCoreApplication::processEvents();

    EXPECT_EQ(chooseAbout(), first);
    EXPECT_EQ(openCount("Window2.Window2"), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), first->frame()) << "brought to the front";
}

TEST_F(AboutInstructionsTest, InstructionsCommandShowsOneWindowWhileOpen)
{
    Window3 *first = chooseInstructions();
    ASSERT_NE(first, nullptr);
    chooseAbout();
    QCoreApplication::processEvents();
    EXPECT_EQ(chooseInstructions(), first);
    EXPECT_EQ(openCount("Window3.Window3"), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), first->frame()) << "brought to the front";
    // The bound name, capital first letter, reaches the same handler.
    EXPECT_TRUE(w->handleMenuCommand(QStringLiteral("Instructionsinstructions")));
    EXPECT_EQ(openCount("Window3.Window3"), 1);
}

// Choosing the command again left its minimised window minimised.
TEST_F(AboutInstructionsTest, CommandRestoresItsMinimisedWindow)
{
    const std::function<Window *()> commands[] = {[this] { return chooseAbout(); },
                                                  [this] { return chooseInstructions(); }};
    for (const auto &choose : commands) {
        Window *shown = choose();
        ASSERT_NE(shown, nullptr);
        SCOPED_TRACE(shown->className().toStdString());
        shown->frame()->showMinimized();
        ASSERT_TRUE(bringToFront(w));
        ASSERT_TRUE(shown->frame()->isMinimized());

        EXPECT_EQ(choose(), shown);
        QCoreApplication::processEvents();
        EXPECT_FALSE(shown->frame()->isMinimized());
        EXPECT_TRUE(shown->frame()->isVisible());
        EXPECT_EQ(QApplication::activeWindow(), shown->frame());
    }
}

TEST_F(AboutInstructionsTest, FreshAboutWindowAfterClose)
{
    QPointer<Window2> first = chooseAbout();
    first->Label2()->setText(QStringLiteral("changed"));
    first->PushButton1()->Push();
    EXPECT_EQ(about(), nullptr);
    Window2 *second = chooseAbout();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first.data());
    EXPECT_NE(second->Label2()->Text(), QStringLiteral("changed"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}

TEST_F(AboutInstructionsTest, TypedHelpTextLastsUntilTheWindowCloses)
{
    Window3 *first = chooseInstructions();
    QWidget *area = first->TextArea1()->widget();
    static_cast<QTextEdit *>(area)->moveCursor(QTextCursor::Start);
    type(area, QStringLiteral("typed "));
    EXPECT_TRUE(first->TextArea1()->Text().startsWith(QLatin1String("typed  A quick")));

    EXPECT_EQ(chooseInstructions(), first);
    EXPECT_TRUE(first->TextArea1()->Text().startsWith(QLatin1String("typed ")));

    first->PushButton1()->Push();
    EXPECT_EQ(help(), nullptr);
    Window3 *second = chooseInstructions();
    ASSERT_NE(second, first);
    EXPECT_EQ(second->TextArea1()->Text(), QString::fromLatin1(kHelpText));
}

TEST_F(AboutInstructionsTest, BothWindowsOpenBesideTheMainWindow)
{
    Window2 *a = chooseAbout();
    Window3 *h = chooseInstructions();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(h, nullptr);
    const std::vector<Window *> open = OpenWindows();
    EXPECT_EQ(open.size(), 3u);
    EXPECT_TRUE(w->frame()->isVisible());
    EXPECT_TRUE(a->frame()->isVisible());
    EXPECT_TRUE(h->frame()->isVisible());
    EXPECT_EQ(a->frame()->windowModality(), Qt::NonModal);
    EXPECT_EQ(h->frame()->windowModality(), Qt::NonModal);
    // The main window stays usable.
    w->PopupMenu1()->userSelect(1);
    EXPECT_EQ(w->PopupMenu1()->ListIndex(), 1);
}

TEST_F(AboutInstructionsTest, QuitAndEditItemsRunNoHandlerOfTheWindow)
{
    for (const char *item : {"FileQuit", "EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear",
                             "EditSelectAll", "UntitledMenu0", "UntitledMenu1", "FileMenu", "EditMenu",
                             "instructionsMenu"})
        EXPECT_FALSE(w->handleMenuCommand(QLatin1String(item))) << item;
    EXPECT_EQ(OpenWindows().size(), 1u);
}

TEST_F(AboutInstructionsTest, CommandsAreBoundOnTheMainWindowOnly)
{
    Window2 *a = chooseAbout();
    Window3 *h = chooseInstructions();
    EXPECT_FALSE(a->handleMenuCommand(QStringLiteral("FileAboutZentora2010")));
    EXPECT_FALSE(h->handleMenuCommand(QStringLiteral("instructionsinstructions")));
    EXPECT_EQ(a->menuBar(), nullptr);
    EXPECT_EQ(h->menuBar(), nullptr);
}

// Regression guard: the menu bar's shortcuts acted only while the main
// window, which shows the bar, was in front.
TEST_F(AboutInstructionsTest, MenuBarActsFromTheAboutAndInstructionsWindows)
{
    Window3 *h = chooseInstructions();
    ASSERT_TRUE(bringToFront(h));
    auto *area = static_cast<QTextEdit *>(h->TextArea1()->widget());
    area->setFocus();
    QAction *selectAll = editAction("Select &All");
    ASSERT_NE(selectAll, nullptr);
    selectAll->trigger();
    EXPECT_EQ(area->textCursor().selectedText().size(), area->toPlainText().size());
    EXPECT_EQ(QApplication::activeWindow(), h->frame());
    EXPECT_TRUE(quitsOnCtrlQ(area));

    Window2 *a = chooseAbout();
    ASSERT_TRUE(bringToFront(a));
    EXPECT_TRUE(quitsOnCtrlQ(a->PushButton1()->widget()));
}

// ---- the About window -----------------------------------------------------------------

TEST_F(AboutInstructionsTest, AboutWindowDesign)
{
    Window2 *a = chooseAbout();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Title(), QStringLiteral("About ZentOra"));
    EXPECT_EQ(a->frame()->windowTitle(), QStringLiteral("About ZentOra"));
    EXPECT_EQ(a->content()->size(), QSize(300, 200));
    EXPECT_TRUE(a->CloseButton());
    EXPECT_TRUE(a->MinimizeButton());
    EXPECT_FALSE(a->MaximizeButton());
    EXPECT_FALSE(a->Resizeable());
    EXPECT_TRUE(a->frame()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(a->frame()->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    struct Place
    {
        RectControl *control;
        QRect rect;
        int tab;
        int size;
    };
    const Place places[] = {
        {a->Label1(), QRect(89, 25, 142, 53), 0, 18},
        {a->Label2(), QRect(11, 116, 188, 35), 1, 0},
        {a->PushButton1(), QRect(211, 149, 69, 31), 2, 0},
        {a->Label3(), QRect(11, 160, 178, 20), 3, 9},
    };
    for (const Place &p : places) {
        ASSERT_NE(p.control, nullptr);
        SCOPED_TRACE(p.control->name().toStdString());
        EXPECT_EQ(p.control->widget()->geometry(), p.rect);
        EXPECT_EQ(p.control->TabIndex(), p.tab);
        EXPECT_EQ(p.control->TextSize(), double(p.size));
        EXPECT_EQ(p.control->TextUnit(), 0);
        EXPECT_TRUE(p.control->widget()->isVisible());
    }
    EXPECT_EQ(a->Label1()->Text(), QStringLiteral("Zentora 2010\rversion 1.7.0"));
    EXPECT_EQ(static_cast<QLabel *>(a->Label1()->widget())->text(), QStringLiteral("Zentora 2010\nversion 1.7.0"));
    EXPECT_TRUE(a->Label1()->Bold());
    EXPECT_EQ(a->Label1()->TextAlign(), 1);
    EXPECT_TRUE(a->Label2()->Multiline());
    EXPECT_EQ(a->Label2()->Text().count(QLatin1Char('\r')), 1);
    EXPECT_TRUE(a->Label3()->Underline());
    EXPECT_EQ(a->Label3()->TextColor(), RGB(0x66, 0x66, 0xFF));
    EXPECT_EQ(a->PushButton1()->Caption(), QStringLiteral("OK"));
}

TEST_F(AboutInstructionsTest, LinkOpensTheAddressItShowsAndClosesTheWindow)
{
    Window2 *a = chooseAbout();
    ASSERT_NE(a, nullptr);
    const QString shown = a->Label3()->Text();
    EXPECT_FALSE(a->Label3()->userMouseDown(3, 4));
    EXPECT_EQ(platform.urls, QStringList{shown});
    EXPECT_EQ(shown, QString::fromLatin1(kWebAddress));
    EXPECT_EQ(about(), nullptr);
    EXPECT_TRUE(a->isClosed());
}

TEST_F(AboutInstructionsTest, OneClickOnTheLinkWidget)
{
    Window2 *a = chooseAbout();
    QWidget *link = a->Label3()->widget();
    const QPointF at(4, 4);
    QMouseEvent press(QEvent::MouseButtonPress, at, link->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(link, &press);
    EXPECT_EQ(platform.urls.size(), 1);
    EXPECT_EQ(about(), nullptr);
    EXPECT_FALSE(a->frame()->isVisible());
}

struct CloseWay
{
    const char *what;
    bool viaCloseBox;
};

void PrintTo(const CloseWay &way, std::ostream *os)
{
    *os << way.what;
}

class AboutInstructionsCloseTest : public AboutInstructionsTest, public ::testing::WithParamInterface<CloseWay>
{
protected:
    void close(Window *window, PushButton *ok)
    {
        if (GetParam().viaCloseBox)
            window->frame()->close(); // the close box
        else
            static_cast<QPushButton *>(ok->widget())->click();
    }
};

TEST_P(AboutInstructionsCloseTest, ClosesEitherWindow)
{
    Window2 *a = chooseAbout();
    close(a, a->PushButton1());
    EXPECT_EQ(about(), nullptr);
    EXPECT_FALSE(a->frame()->isVisible());

    Window3 *h = chooseInstructions();
    close(h, h->PushButton1());
    EXPECT_EQ(help(), nullptr);
    EXPECT_FALSE(h->frame()->isVisible());

    EXPECT_EQ(GetImplicitWindow(QStringLiteral("Window1.Window1")), w);
    EXPECT_TRUE(platform.urls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutInstructionsCloseTest,
                         ::testing::Values(CloseWay{"OkButton", false}, CloseWay{"CloseBox", true}),
                         [](const ::testing::TestParamInfo<CloseWay> &info) { return std::string(info.param.what); });

TEST_F(AboutInstructionsTest, OkIsNeitherDefaultNorCancel)
{
    Window2 *a = chooseAbout();
    Window3 *h = chooseInstructions();
    for (PushButton *ok : {a->PushButton1(), h->PushButton1()}) {
        ASSERT_NE(ok, nullptr);
        EXPECT_FALSE(ok->Default());
        EXPECT_FALSE(ok->Cancel());
        auto *button = static_cast<QPushButton *>(ok->widget());
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
    // Return in the help text is typed, it does not press OK.
    QWidget *area = h->TextArea1()->widget();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(area, &enter);
    EXPECT_EQ(help(), h);
}

// ---- the Instructions window ------------------------------------------------------------

TEST_F(AboutInstructionsTest, InstructionsWindowDesign)
{
    Window3 *h = chooseInstructions();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->Title(), QStringLiteral("Instructions"));
    EXPECT_EQ(h->content()->size(), QSize(600, 361));
    EXPECT_TRUE(h->CloseButton());
    EXPECT_FALSE(h->Resizeable());
    EXPECT_EQ(h->TextArea1()->widget()->geometry(), QRect(28, 24, 480, 259));
    EXPECT_EQ(h->PushButton1()->widget()->geometry(), QRect(428, 308, 80, 20));
    EXPECT_EQ(h->TextArea1()->TabIndex(), 0);
    EXPECT_EQ(h->PushButton1()->TabIndex(), 1);
    EXPECT_EQ(h->TextArea1()->TextUnit(), 0);
    EXPECT_EQ(h->TextArea1()->TextSize(), 0.0);

    auto *edit = static_cast<QTextEdit *>(h->TextArea1()->widget());
    EXPECT_FALSE(h->TextArea1()->ReadOnly());
    EXPECT_FALSE(edit->isReadOnly());
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // Longer than the area: the scroll bar reaches the last line.
    QCoreApplication::processEvents();
    QScrollBar *bar = edit->verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    const QTextCursor last = edit->cursorForPosition(QPoint(5, edit->viewport()->height() - 5));
    EXPECT_TRUE(last.block().text().startsWith(QLatin1String("Restart")) ||
                last.block().next().text().startsWith(QLatin1String("Restart")));
}

TEST(HelpTextTest, TwentyLinesOfAscii)
{
    const QString text = QString::fromLatin1(kHelpText);
    EXPECT_EQ(text.size(), 1651);
    for (QChar c : text)
        ASSERT_LT(c.unicode(), 128) << "non-ASCII character";
    EXPECT_EQ(text.count(QLatin1Char('\r')), 19);
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    EXPECT_FALSE(text.endsWith(QLatin1Char('\r')));

    const QStringList lines = text.split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 20);
    EXPECT_TRUE(lines[0].startsWith(QLatin1Char(' ')));
    EXPECT_NE(lines[0].at(1), QLatin1Char(' '));
    EXPECT_TRUE(lines[0].contains(QLatin1String("random"), Qt::CaseInsensitive));
    EXPECT_TRUE(lines[1].contains(QLatin1String("eight-team")) || lines[1].contains(QLatin1String("eight team")));
    EXPECT_EQ(lines[2], QStringLiteral("SO"));
    EXPECT_TRUE(lines[3].startsWith(QLatin1String("STEP 1:")));
    EXPECT_TRUE(lines[3].contains(QLatin1String("DONE")));
    EXPECT_TRUE(lines[5].startsWith(QLatin1String("STEP 2:")));
    EXPECT_TRUE(lines[5].contains(QLatin1String("A team rated 8 will win over a team rated 2 on average of 80% of the "
                                                "time with a standard deviation of around 5 %.")));
    EXPECT_TRUE(lines[7].startsWith(QLatin1String("Step 3:")));
    EXPECT_TRUE(lines[9].startsWith(QLatin1String("Step 4:")));
    EXPECT_TRUE(lines[11].startsWith(QLatin1String("Step 5:")));
    EXPECT_TRUE(lines[13].startsWith(QLatin1String("Replay:")));
    EXPECT_TRUE(lines[13].endsWith(QLatin1Char(' ')));
    EXPECT_TRUE(lines[14].startsWith(QLatin1String("ReplayAll:")));
    EXPECT_TRUE(lines[14].contains(QLatin1String("shift")));
    EXPECT_EQ(lines[15], QStringLiteral("====="));
    EXPECT_TRUE(lines[16].contains(QLatin1String("Silver Bowl")));
    EXPECT_TRUE(lines[16].contains(QLatin1String("Pasta Bowl")));
    EXPECT_TRUE(lines[16].contains(QLatin1String("Salad Bowl")));
    EXPECT_TRUE(lines[17].contains(QLatin1String("UsernameTodaysDate.txt")));
    EXPECT_EQ(lines[18], QStringLiteral("====="));
    EXPECT_TRUE(lines[19].startsWith(QLatin1String("Restart")));
    for (int empty : {4, 6, 8, 10, 12})
        EXPECT_EQ(lines[empty], QString()) << "line " << empty + 1;
    // "STEP" in capitals in lines 4 and 6 only.
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].contains(QLatin1String("STEP")), i == 3 || i == 5) << "line " << i + 1;
}

TEST_F(AboutInstructionsTest, HelpAreaShowsTheWholeText)
{
    Window3 *h = chooseInstructions();
    EXPECT_EQ(h->TextArea1()->Text(), QString::fromLatin1(kHelpText));
    EXPECT_EQ(static_cast<QTextEdit *>(h->TextArea1()->widget())->document()->blockCount(), 20);
}

} // namespace
