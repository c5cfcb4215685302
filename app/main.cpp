// The process entry: the framework's runtime, the classes, the run, the end.
#include "display.h"
#include "startup.h"

int main(int argc, char **argv)
{
    // The runtime starts first: from here on a file-size limit cannot end
    // the process, whatever Qt or its libraries write while they start.
    RuntimeInit();
    const std::unique_ptr<QApplication> qt = ConnectToDisplay(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zentora 2010"));

    initialize();
    Main();
    finalize();
    return RuntimeExit();
}
