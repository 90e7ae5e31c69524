// The program's own start-up, as app/main.cpp runs it without arguments (the
// editor module loaded and run), ending after the main window's first paint:
// one run of bench_startup.
#include "FirstPaint.h"

#include "app/EditorEntry.h"
#include "app/ProcessMemory.h"
#include "app/ProgramModule.h"

#include <QCoreApplication>

static void watchFirstPaint()
{
    FirstPaint::watchApplication();
}
Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)

int main(int argc, char *argv[])
{
    ProcessMemory::prepare();
    const ProgramModule editor(EditorEntry::ModuleName);
    const auto run = editor.entry<EditorEntry::Function>(EditorEntry::FunctionName);
    return run ? run(argc, argv) : 1;
}
