#include "Scripting/ReadOnlyImage.h"

namespace Scripting
{
const ReadOnlyImage& ReadOnlyImage::Get()
{
    static const ReadOnlyImage image;
    return image;
}

bool ReadOnlyImage::Holds(const void* address) const
{
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    for (std::size_t i = 0; i < m_count; ++i)
        if (at >= m_begin[i] && at < m_end[i])
            return true;
    return false;
}

ReadOnlyImage::ReadOnlyImage()
{
    dl_iterate_phdr(&AddProgramSegments, this);
}

int ReadOnlyImage::AddProgramSegments(dl_phdr_info* info, std::size_t, void* data)
{
    auto* image = static_cast<ReadOnlyImage*>(data);
    for (ElfW(Half) i = 0; i < info->dlpi_phnum && image->m_count < MaxSegments; ++i)
    {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || (segment.p_flags & PF_W) != 0)
            continue;
        const std::uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
        image->m_begin[image->m_count] = begin;
        image->m_end[image->m_count] = begin + segment.p_memsz;
        ++image->m_count;
    }
    return 1;
}
} // namespace Scripting
