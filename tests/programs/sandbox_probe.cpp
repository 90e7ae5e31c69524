// Confines itself exactly as the reading process does, then tries one thing a
// decoder taken over by a hostile file might try, named by its arguments. It
// prints "done" when the attempt succeeded and "refused: <reason>" when the
// system said no; a filter that kills it says nothing.
#include "ProbeAttempt.h"

#include <cstdio>

#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2)
        return 2;
    QString error;
    if (!Sandbox::enter(&error)) {
        std::printf("not confined: %s\n", qPrintable(error));
        return 3;
    }
    const bool done = ProbeAttempt::tried(argv[1], argc > 2 ? argv[2] : "", argv + 2);
    ProbeAttempt::report(done, errno);
    // Straight out, as the reading process leaves: a leak checker at exit would need what the confinement refuses.
    _exit(0);
}
