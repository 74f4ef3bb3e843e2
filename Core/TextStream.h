#pragma once
// An output stream that writes into a string it keeps, for texts made over and over (log lines,
// message texts): once the string has grown to the longest text written, formatting takes
// nothing from the heap. It formats exactly as a fresh std::ostringstream does.
//
// ScopedTextStream lends one of the calling thread's streams, emptied, for its lifetime; a text
// made while another is being made on the same thread (a message's text that logs a line) gets
// a stream of its own, so each thread keeps one stream per depth of such nesting.
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace Core
{
class TextStream : public std::ostream
{
public:
    TextStream();
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;

    // Empties the text and restores a fresh stream's formatting (flags, precision 6, width 0,
    // fill ' ', no error state).
    TextStream& Restart();
    // Restores a fresh stream's formatting and keeps the text.
    void ResetFormat();
    // Cuts the text back to its first `size` characters.
    void Truncate(std::size_t size) { m_buffer.text.resize(size); }
    const std::string& Text() const { return m_buffer.text; }
    // Positions in the text a writer wants to remember (where each item of a log line ends);
    // emptied by Restart, kept with their room like the text.
    std::vector<std::size_t>& Marks() { return m_marks; }

private:
    struct Buffer : public std::streambuf
    {
        std::string text;

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* data, std::streamsize count) override;
    };

    Buffer m_buffer;
    std::vector<std::size_t> m_marks;
};

class ScopedTextStream
{
public:
    ScopedTextStream();
    ~ScopedTextStream();
    ScopedTextStream(const ScopedTextStream&) = delete;
    ScopedTextStream& operator=(const ScopedTextStream&) = delete;

    TextStream& Stream() { return *m_stream; }
    const std::string& Text() const { return m_stream->Text(); }

private:
    TextStream* m_stream;
};
} // namespace Core
