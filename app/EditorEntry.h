#pragma once

// The editor is a module the program loads when it opens its window, so that
// the command line starts without the window system and widgets.
namespace EditorEntry {

using Function = int (*)(int argc, char **argv);
inline constexpr char ModuleName[] = "cryptwright-editor";
inline constexpr char FunctionName[] = "cryptwrightEditor";

} // namespace EditorEntry
