#pragma once
// Counts heap allocations: every benchmark program links a replacement of malloc and its
// relatives (operator new ends in malloc) that counts each call, from any thread, and hands it
// on to glibc. Benchmarks read the count around what they measure to report heap
// allocations per frame or per message. Sanitizer builds keep their own malloc and count nothing.
#include <cstddef>
#include <cstdint>

namespace Bench
{
// False when the program keeps the ordinary malloc (sanitizer builds).
bool CountsHeapAllocations();
// Allocations (malloc, calloc, realloc, the aligned ones, operator new) made so far by every
// thread.
std::uint64_t HeapAllocations();

// Counts apart, as well, the allocations called straight from the code of the loaded shared
// library whose file name contains `name` (one library at a time): OpenAL allocates inside some
// of its own calls, which no caller can avoid. Answers whether such a library is loaded (and
// allocations are counted at all).
bool CountLibraryApart(const char* name);
// Of HeapAllocations, those the library named to CountLibraryApart made.
std::uint64_t LibraryAllocations();

// glibc's own malloc and free, without the count: the plain-heap baseline of the allocator
// benchmark measures exactly what a program without the counter would.
void* GlibcMalloc(std::size_t size);
void GlibcFree(void* block);

// Where allocations come from: while recording, each counted allocation keeps the return
// addresses of its call stack (the first few thousand of them). Written out, one stack per
// allocation, as glibc's backtrace_symbols_fd writes frames ("program(+0x1a2b)": addr2line
// names them). Records nothing where nothing is counted.
void RecordAllocationSites(bool on);
// Writes the recorded stacks to the file descriptor, forgets them and answers how many there were.
std::size_t WriteAllocationSites(int fd);
} // namespace Bench
