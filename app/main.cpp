// The process entry: the framework's runtime, the classes, the run, the end.
#include "startup.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
bool haveDisplay()
{
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}
}

int main(int argc, char **argv)
{
    if (!haveDisplay()) {
        std::fprintf(stderr, "zentora needs a graphical display; without one, run it as: xvfb-run -a %s\n", argv[0]);
        return 1;
    }
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentora 2010"));

    RuntimeInit();
    initialize();
    Main();
    finalize();
    return RuntimeExit();
}
