// No text is clipped: every label, push button and check box of the three
// windows holds its text in the font it really shows (and in the desktop's
// default sans, should the shown family be missing), and the team names that
// the games write into the semi-final and final name labels fit no less often
// than they do now.
#include "window2.h"
#include "window3.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <iostream>

namespace {

// A text needs more room than its box gives when the rect that
// QFontMetrics::boundingRect lays it out in, with the flags the widget paints
// it with, is wider or taller than the rect the widget paints it into: Qt clips
// the text to that rect. A label paints into its contents rect less its margin
// (the labels have no frame and no indent), word-wrapped when multiline; a
// button or a check box paints its caption into the style's contents rect,
// beside the indicator for a check box. Both sides are whole pixels computed
// from the installed font files, so the result does not vary between runs.
struct Fit
{
    QRect box;    // where the text is painted
    QSize needed; // what its layout takes
    bool fits() const { return needed.width() <= box.width() && needed.height() <= box.height(); }
};

// `family` replaces the widget's own font family when given.
Fit measure(QWidget *shown, const QString &family = QString())
{
    QFont font = shown->font();
    if (!family.isEmpty())
        font.setFamily(family);
    const QFontMetrics metrics(font);
    if (auto *label = qobject_cast<QLabel *>(shown)) {
        const int margin = label->margin();
        const QRect box = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        int flags = int(label->alignment()) | Qt::TextExpandTabs;
        if (label->wordWrap())
            flags |= Qt::TextWordWrap;
        return {box, metrics.boundingRect(box, flags, label->text()).size()};
    }
    auto *button = qobject_cast<QAbstractButton *>(shown);
    if (!button) {
        ADD_FAILURE() << "neither a label nor a button";
        return {};
    }
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool check = qobject_cast<QCheckBox *>(button);
    const QRect box =
        button->style()->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option,
                                        button);
    const int flags = Qt::TextShowMnemonic | (check ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    return {box, metrics.boundingRect(box, flags, button->text()).size()};
}

QString describe(const Fit &fit)
{
    return QStringLiteral("needs %1 x %2 px, its box gives %3 x %4")
        .arg(fit.needed.width())
        .arg(fit.needed.height())
        .arg(fit.box.width())
        .arg(fit.box.height());
}

// The short window name under which the controls are written: "Window2".
QString windowName(const Window *window)
{
    return window->className().section(QLatin1Char('.'), 0, 0);
}

// The labels that show a semi-final's or the final's team names.
constexpr const char *kNameLabels[] = {"Label10", "Label11", "Label15", "Label16", "Label20", "Label21"};

// Any team can be placed in any first-round slot and so reach any name label.
// Of the 60 placings of the ten team names in the six labels, this many fit
// with Liberation Sans (with DejaVu Sans, the family shown before: 24).
constexpr int kTeamNamePlacingsThatFit = 54;

using TextFitTest = MainWindowTest;

// Every text is measured in the family the windows show and in the
// desktop's default sans, which a desktop without the former shows instead.
TEST_F(TextFitTest, EveryTextFitsItsBoxInAllThreeWindows)
{
    ASSERT_EQ(QFontInfo(w->content()->font()).family(), QLatin1String(kSystemFontFamily))
        << "the sizes hold for the family that the README commands install (fonts-liberation2)";
    const QString fallback = QFontInfo(QApplication::font()).family();
    int checked = 0;
    for (Window *window : std::initializer_list<Window *>{w, Window2::Window2_(), Window3::Window3_()}) {
        ASSERT_NE(window, nullptr);
        for (Control *control : window->controls()) {
            auto *rect = dynamic_cast<RectControl *>(control);
            if (!rect || !(dynamic_cast<Label *>(control) || dynamic_cast<PushButton *>(control) ||
                           dynamic_cast<CheckBox *>(control)))
                continue;
            for (const QString &family : {QString::fromLatin1(kSystemFontFamily), fallback}) {
                const Fit fit = measure(rect->widget(), family);
                EXPECT_TRUE(fit.fits()) << qPrintable(windowName(window)) << '.' << qPrintable(control->name())
                                        << " in " << qPrintable(family) << ' ' << qPrintable(describe(fit));
            }
            ++checked;
        }
    }
    // The main window's 25 labels, 11 buttons and 2 check boxes, the About
    // window's 3 labels and button, the Instructions window's button.
    EXPECT_EQ(checked, 43);
}

TEST_F(TextFitTest, TeamNamesFitTheNameLabelsNoLessOftenThanBefore)
{
    QStringList teams;
    for (int row = 1; row < menu(1)->ListCount(); ++row)
        teams.append(menu(1)->List(row));
    ASSERT_EQ(teams.size(), 10);

    int fitting = 0;
    QStringList report;
    for (const char *name : kNameLabels) {
        Label *shown = Window1::control<Label>(w, name);
        int here = 0;
        for (const QString &team : teams) {
            shown->setText(team);
            here += measure(shown->widget()).fits();
        }
        report.append(QStringLiteral("%1 %2/10").arg(QLatin1String(name)).arg(here));
        fitting += here;
    }
    std::cout << "team names that fit the name labels: " << qPrintable(report.join(QStringLiteral(", ")))
              << "; " << fitting << " of 60" << std::endl;
    EXPECT_GE(fitting, kTeamNamePlacingsThatFit);
}

} // namespace
