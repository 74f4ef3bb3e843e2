#include "Core/TextStream.h"
#include <memory>
#include <vector>

namespace Core
{
namespace
{
// The calling thread's streams, one per depth of nesting, and the depth in use.
struct ThreadStreams
{
    std::vector<std::unique_ptr<TextStream>> streams;
    std::size_t depth = 0;
};
thread_local ThreadStreams t_streams;
} // namespace

TextStream::TextStream() : std::ostream(nullptr)
{
    rdbuf(&m_buffer);
}

TextStream& TextStream::Restart()
{
    m_buffer.text.clear();
    m_marks.clear();
    ResetFormat();
    return *this;
}

void TextStream::ResetFormat()
{
    clear();
    flags(std::ios_base::dec | std::ios_base::skipws);
    precision(6);
    width(0);
    fill(' ');
}

TextStream::Buffer::int_type TextStream::Buffer::overflow(int_type c)
{
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        text.push_back(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

std::streamsize TextStream::Buffer::xsputn(const char* data, std::streamsize count)
{
    text.append(data, static_cast<std::size_t>(count));
    return count;
}

ScopedTextStream::ScopedTextStream()
{
    if (t_streams.depth == t_streams.streams.size())
        t_streams.streams.push_back(std::make_unique<TextStream>());
    m_stream = t_streams.streams[t_streams.depth++].get();
    m_stream->Restart();
}

ScopedTextStream::~ScopedTextStream()
{
    --t_streams.depth;
}
} // namespace Core
