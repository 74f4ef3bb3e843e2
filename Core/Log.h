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
#include <sstream>
#include <string>
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
            Add(TextOrNull(item));
        }
        else if constexpr (std::is_same_v<Item, std::string>)
        {
            std::string text(item);
            System::LogSystem::EscapeControlCharacters(text, true);
            Add(std::move(text));
        }
        else if constexpr (std::is_same_v<Item, char>)
        {
            Add(std::string(1, item));
        }
        else if constexpr (std::is_same_v<Item, signed char> || std::is_same_v<Item, unsigned char>)
        {
            // s08 and u08 are numbers, written in decimal.
            Add(std::to_string(static_cast<int>(item)));
        }
        else
        {
            std::ostringstream text;
            text << item;
            Add(text.str());
        }
        return *this;
    }

private:
    // A text item; a null pointer is written as "(null)".
    static std::string TextOrNull(const char* text) { return text != nullptr ? text : "(null)"; }

    // An item that ends with a line break ends the line.
    void Add(std::string text) const
    {
        const bool endsLine = !text.empty() && text.back() == '\n';
        m_items.push_back(std::move(text));
        if (endsLine)
            EndLine();
    }

    void EndLine() const
    {
        if (m_items.empty())
            return;
        if (System::LogSystem* log = System::LogSystem::Instance())
            log->WriteLine(m_items);
        m_items.clear();
    }

    mutable std::vector<std::string> m_items;
};

inline LogWriter Log()
{
    return LogWriter();
}
} // namespace Core
