// The render module: the export through Qt Gui, which the command line loads
// only for what the quick export does not take on.
#include "cli/PictureExport.h"
#include "cli/RenderEntry.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT void cryptwrightRender(RenderEntry::Request *request)
{
    request->error = PictureExport::exportDocument(request->document, request->out, request->format, request->jpeg);
}
static_assert(std::is_same_v<decltype(&cryptwrightRender), RenderEntry::Function>);
