#pragma once
// The program's own segments that are never written (its code and constant data), found once;
// a shared library's are left out, since it may be unloaded and its addresses reused. A string
// that lies there (a literal of the program) never changes its text.
#include <cstddef>
#include <cstdint>
#include <link.h>

namespace Scripting
{
class ReadOnlyImage
{
public:
    static const ReadOnlyImage& Get();

    bool Holds(const void* address) const;

private:
    static constexpr std::size_t MaxSegments = 8;

    ReadOnlyImage();
    // The first object visited is the program itself; the walk stops after it.
    static int AddProgramSegments(dl_phdr_info* info, std::size_t, void* data);

    std::uintptr_t m_begin[MaxSegments] = {};
    std::uintptr_t m_end[MaxSegments] = {};
    std::size_t m_count = 0;
};
} // namespace Scripting
