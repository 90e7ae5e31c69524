#pragma once

#include <cstdint>

// What a command line that has confined itself asks of its renaming process
// (cryptwright-renamer) over that process's standard input, and what it
// answers on its standard output; numbers are 32-bit, in the machine's own
// byte order.
//
// First, while the command line may still do anything, the files: their
// count, then for each the name of a new file it made and the name that file
// is to take, each as its length and its bytes. Then requests of five bytes,
// a letter and the number of a file in that list:
// - Commit: the new file takes its name. Answered with the error number of
//   the rename, 0 when it took the name.
// - Discard: the new file is removed. Not answered.
// - End (number 0): every new file that did not take its name is removed,
//   and the folders of those that did are put on the disk. Answered with 0.
// A request that makes no sense, or the end of the input, is taken as End,
// unanswered: a command line that dies leaves no new file behind.
namespace RenameRequests {

constexpr char Commit = 'c';
constexpr char Discard = 'd';
constexpr char End = 'e';

constexpr std::uint32_t MaxFiles = 1 << 20;
constexpr std::uint32_t MaxNameBytes = 4096;

} // namespace RenameRequests
