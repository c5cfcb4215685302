// One main for the benchmarks: Qt's offscreen platform, one QApplication,
// the program's classes registered once, the desktop's own platform seam.
#include "startup.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {
// The offscreen platform's notes about what it cannot do (raise a window,
// size hints) would interleave with the figures; warnings are dropped.
void quiet(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtDebugMsg || type == QtWarningMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}
}

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quiet);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    RuntimeInit();
    initialize();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    finalize();
    return 0;
}
