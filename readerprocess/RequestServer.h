#pragma once

#include "readerclient/ReaderProtocol.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The reading process's work: requests read from standard input, each
// answered on standard output, until the editor closes its end.
class RequestServer
{
public:
    // Serves requests until the input ends or stops making sense; returns the
    // exit code. Runs out of memory with ReaderProtocol::OutOfMemoryExit.
    static int run();
    // The answer to one request from the file's bytes: what was read, or a
    // sentence naming the file and the reason.
    static ReaderProtocol::Answer read(const ReaderProtocol::Request &request, const QByteArray &bytes);
};
