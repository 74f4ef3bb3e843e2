#pragma once
// Stream-style logging: Core::Log() << "Error [FileReader]: Failed to open file (" << path <<
// ")\n"; Each item tests the log's instance first, so writing before the log exists or after it is
// gone does nothing. Callers end their lines with '\n'. Safe from any thread.
//
// The writer collects the items of a line and hands them to the log together when an item ends
// the line (or when the writer goes, at the end of the statement), so that the whole line is
// written under one lock and lines of worker threads never interleave. Text items (std::string,
// the form names arrive in) have their control characters escaped, a final line break apart, so
// that a name cannot start a forged line of its own.
#include "Core/Messages/Message.h"
#include "Core/System/LogSystem.h"
#include "Core/TextStream.h"
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace Core
{
class LogWriter
{
public:
    LogWriter() = default;
    ~LogWriter() { EndLine(); }
    LogWriter(const LogWriter&) = delete;
    LogWriter& operator=(const LogWriter&) = delete;

    template <class T> const LogWriter& operator<<(T&& item) const
    {
        System::LogSystem* log = System::LogSystem::Instance();
        if (log == nullptr)
            return *this;
        using Item = std::decay_t<T>;
        if constexpr (std::is_base_of_v<Message, Item>)
        {
            // The message-log line is a line of its own.
            EndLine();
            *log << static_cast<const Message&>(item);
        }
        else if constexpr (std::is_same_v<Item, const char*> || std::is_same_v<Item, char*>)
        {
            // Literal texts of the engine: their line breaks are line breaks.
            Line().Stream() << TextOrNull(item);
            EndItem();
        }
        else if constexpr (std::is_same_v<Item, std::string> ||
                           std::is_same_v<Item, std::string_view>)
        {
            Line().Stream() << item;
            EscapeLastItem();
            EndItem();
        }
        else if constexpr (std::is_same_v<Item, signed char> || std::is_same_v<Item, unsigned char>)
        {
            // s08 and u08 are numbers, written in decimal.
            Line().Stream() << static_cast<int>(item);
            EndItem();
        }
        else
        {
            // Written as a fresh standard stream writes it (a char as itself).
            Line().Stream() << item;
            EndItem();
        }
        return *this;
    }

private:
    // A null pointer is written as "(null)".
    static const char* TextOrNull(const char* text) { return text != nullptr ? text : "(null)"; }

    // The line is made in one of the thread's reused streams, taken with the first item.
    // Each item is formatted as by a fresh standard stream, whatever the one before changed.
    ScopedTextStream& Line() const
    {
        if (!m_line)
            m_line.emplace();
        m_line->Stream().ResetFormat();
        return *m_line;
    }

    // Ends the item just written; an item that ends with a line break ends the line.
    void EndItem() const
    {
        const std::string& text = m_line->Text();
        const std::size_t start =
            m_line->Stream().Marks().empty() ? 0 : m_line->Stream().Marks().back();
        m_line->Stream().Marks().push_back(text.size());
        if (text.size() > start && text.back() == '\n')
            EndLine();
    }

    // Escapes the control characters of the item just written, a final line break apart.
    void EscapeLastItem() const
    {
        const std::vector<std::size_t>& marks = m_line->Stream().Marks();
        const std::size_t start = marks.empty() ? 0 : marks.back();
        const std::string& text = m_line->Text();
        const std::size_t end =
            text.size() > start && text.back() == '\n' ? text.size() - 1 : text.size();
        for (std::size_t i = start; i < end; ++i)
        {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c < 0x20 || c == 0x7f)
            {
                std::string item = text.substr(start);
                System::LogSystem::EscapeControlCharacters(item, true);
                m_line->Stream().Truncate(start);
                m_line->Stream() << item;
                return;
            }
        }
    }

    void EndLine() const
    {
        if (!m_line || m_line->Stream().Marks().empty())
            return;
        if (System::LogSystem* log = System::LogSystem::Instance())
            log->WriteLine(m_line->Text(), m_line->Stream().Marks());
        m_line->Stream().Restart();
    }

    mutable std::optional<ScopedTextStream> m_line;
};

inline LogWriter Log()
{
    return LogWriter();
}
} // namespace Core
