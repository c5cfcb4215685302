// The main window's build and a whole tournament's handlers, on the real
// desktop seam (offscreen): no path measured here shows a message.
#include "window1.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

// Closes and releases the window, then delivers what else is posted, as the
// event loop does between events: Qt compacts its queue of posted events only
// then, and without it every iteration would scan a longer queue.
void release(Window1 *w)
{
    w->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents();
}

PopupMenu *menu(Window1 *w, int n)
{
    return Window1::control<PopupMenu>(w, QByteArray("PopupMenu" + QByteArray::number(n)).constData());
}

PushButton *button(Window1 *w, int n)
{
    return Window1::control<PushButton>(w, QByteArray("PushButton" + QByteArray::number(n)).constData());
}

// A main window whose bracket is placed and whose first tournament has been
// played by hand, so that Replay and ReplayAll are enabled.
Window1 *playedBracket()
{
    Window1 *w = Window1::Window1_();
    for (int n = 1; n <= 8; ++n)
        menu(w, n)->userSelect(n);
    w->CheckBox1()->userClick();
    w->CheckBox2()->userClick();
    for (int n = 17; n <= 24; ++n)
        menu(w, n)->userSelect(1);
    for (int n = 1; n <= 7; ++n)
        button(w, n)->Push();
    return w;
}

int titles(Window1 *w)
{
    int sum = 0;
    for (int row = 0; row < w->Listbox1()->ListCount(); ++row)
        sum += w->Listbox1()->Cell(row, 1).toInt();
    return sum;
}

// Window1::Window1_ builds the window with its 88 controls, runs their Open
// handlers and shows it; Close and the deferred delete release it.
void BM_BuildMainWindow(benchmark::State &state)
{
    for (auto _ : state) {
        Window1 *w = Window1::Window1_();
        benchmark::DoNotOptimize(w);
        release(w);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildMainWindow)->Unit(benchmark::kMicrosecond);

// One automatic replay with its timers fired directly: ReplayAll (Replay and
// the four first-round games), Timer1 (the semi-finals), Timer2 (the final).
void BM_ReplayAllTournament(benchmark::State &state)
{
    Window1 *w = playedBracket();
    const int before = titles(w);
    for (auto _ : state) {
        w->PushButton10()->Push();
        w->Timer1()->fire();
        w->Timer2()->fire();
    }
    if (titles(w) != before + int(state.iterations()))
        state.SkipWithError("a tournament did not count exactly one title");
    release(w);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReplayAllTournament)->Unit(benchmark::kMicrosecond);

// The seven games pressed by hand on a built window, after the Replay press
// that makes the first round playable again.
void BM_HandPlayedTournament(benchmark::State &state)
{
    Window1 *w = playedBracket();
    const int before = titles(w);
    for (auto _ : state) {
        w->PushButton9()->Push();
        for (int n = 1; n <= 7; ++n)
            button(w, n)->Push();
    }
    if (titles(w) != before + int(state.iterations()))
        state.SkipWithError("a tournament did not count exactly one title");
    release(w);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HandPlayedTournament)->Unit(benchmark::kMicrosecond);

} // namespace
