#pragma once

#include "cli/Exporter.h"

// What the command line asks of the render module, which holds the export
// through Qt Gui: another program's documents, and PDF pages.
namespace RenderEntry {

struct Request
{
    QString document;
    QString out;
    Exporter::Format format;
    JpegOptions jpeg;
    QString error; // the answer: empty, or the sentence of the failure
};

using Function = void (*)(Request *);
inline constexpr char ModuleName[] = "cryptwright-render";
inline constexpr char FunctionName[] = "cryptwrightRender";

} // namespace RenderEntry
