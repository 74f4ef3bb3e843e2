#pragma once
// Stream-style logging: Core::Log() << "Error [FileReader]: Failed to open file (" << path <<
// ")\n"; Each item tests the log's instance first, so writing before the log exists or after it is
// gone does nothing. Callers end their lines with '\n'. Safe from any thread.
#include "Core/Messages/Message.h"
#include "Core/System/LogSystem.h"
#include <type_traits>

namespace Core
{
class LogWriter
{
public:
    template <class T> const LogWriter& operator<<(T&& item) const
    {
        System::LogSystem* log = System::LogSystem::Instance();
        if (log == nullptr)
            return *this;
        using Item = std::decay_t<T>;
        if constexpr (std::is_base_of_v<Message, Item>)
            *log << static_cast<const Message&>(item); // the message-log line
        else if constexpr (std::is_same_v<Item, const char*> || std::is_same_v<Item, char*>)
            *log << static_cast<const char*>(item); // text (string literals decay to this)
        else if constexpr (std::is_same_v<Item, signed char> || std::is_same_v<Item, unsigned char>)
            *log << item; // s08 and u08 are numbers, written in decimal
        else
            log->WriteItem(item);
        return *this;
    }
};

inline LogWriter Log()
{
    return LogWriter();
}
} // namespace Core
