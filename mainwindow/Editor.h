#pragma once

// The editor as the program starts it without export options: the
// application, the main window with its start-up and the work kept from a
// crash, and the event loop.
class Editor
{
public:
    static int run(int argc, char **argv);
};
