#pragma once
// Mesa's software rasterizer keeps two small blocks from a process's first real draw until the
// process ends; the leak checker of sanitizer builds is told not to count what is allocated
// while an object of this class lives. Wrap only a first draw in it.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

class DriverAllocations
{
public:
#if defined(__SANITIZE_ADDRESS__)
    DriverAllocations()
    {
        __lsan_disable();
    }
    ~DriverAllocations()
    {
        __lsan_enable();
    }
#endif
};
