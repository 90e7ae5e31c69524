// The program's own start-up, as app/main.cpp runs it without arguments,
// ending after the main window's first paint: one run of bench_startup.
#include "FirstPaint.h"

#include "mainwindow/Editor.h"

#include <QCoreApplication>

static void watchFirstPaint()
{
    FirstPaint::watchApplication();
}
Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)

int main(int argc, char *argv[])
{
    return Editor::run(argc, argv);
}
