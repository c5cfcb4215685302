#pragma once

#include "application.h"

// The application object: it has no behaviour of its own.
class App : public Application
{
public:
    QString className() const override { return QStringLiteral("App"); }
    void Constructor() {}
    static void registerClass();
};

// The start-up road, in the order the process runs it.
void initialize();     // registers every class
void Main();           // framework initialisation, start routine, event loop
void Startup();        // the start routine
void InitPluginEntrypoints();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();
void finalize();       // releases the module-level references
