#include "Core/Messages/SystemName.h"
#include <mutex>
#include <ostream>
#include <unordered_set>

namespace
{
// Every name given to a message, kept for the whole run (the set's nodes never move). Never
// destroyed: messages may still be read while static objects go away at exit.
struct NameTable
{
    std::mutex mutex;
    std::unordered_set<std::string> names;
};

NameTable& Names()
{
    static NameTable* table = new NameTable();
    return *table;
}

const std::string* Intern(const std::string& text)
{
    NameTable& table = Names();
    std::lock_guard<std::mutex> lock(table.mutex);
    return &*table.names.insert(text).first;
}
} // namespace

SystemName::SystemName(const std::string& text) : m_text(Intern(text)) {}

SystemName::SystemName(const char* text) : m_text(Intern(text != nullptr ? text : "")) {}

std::ostream& operator<<(std::ostream& stream, const SystemName& name)
{
    return stream << name.Text();
}
