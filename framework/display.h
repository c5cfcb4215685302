#pragma once

#include <QApplication>

#include <memory>

// Connects to the desktop's display and makes the application's
// QApplication, handing on what Qt said meanwhile. Without a display, or with
// one that cannot be reached, it prints one line that says how to run the
// application on a virtual display and ends the process with status 1; when
// the platform fails to start for any other reason, it prints what Qt said
// and ends the process with status 1.
std::unique_ptr<QApplication> ConnectToDisplay(int &argc, char **argv);
