#pragma once

// How the program takes memory from the system, set once at the start of main().
//
// Every first write to a page of memory is a fault the kernel must serve, and
// in a virtual machine each costs some 10 µs: more than decoding the pixels
// the page holds. A tileset of 1008 x 576 pixels is 570 pages of 4 KiB, so
// faults used to be most of what start-up, a document save and an export
// spent. With the heap in 2 MB pages (transparent huge pages, which Linux
// gives to memory that asks for them) the same tileset costs a handful, and
// memory freed after a save is kept for the next one instead of being handed
// back and faulted in again.
class ProcessMemory
{
public:
    // Heap room given 2 MB pages at start: what start-up, the undo history of a
    // session and a few documents take. Untouched room costs no memory.
    static constexpr long LargePageRoomBytes = 256L << 20;

    static void prepare();
};
