#pragma once

// The descriptors a program holds beyond standard input, output and error. A
// shell or a desktop may leave any open without close-on-exec, and the
// confined reading process must hold none of them: its filter lets it write
// to whatever it holds.
class StrayDescriptors
{
public:
    // Marks every one to close when a program is started, so that a process
    // about to start one passes on nothing else. Makes system calls only, as
    // between fork and exec is all that may be done.
    static void closeOnExec();
    // Closes every one.
    static void close();
};
