#pragma once
// The name of the system a message is addressed to. It holds a pointer to one shared copy of the
// text: every distinct name is kept once for the whole run (a name is interned when a message is
// first given it), and a message takes, copies and compares its name without copying characters.
// "No System" is the shared constant Message::NoSystem itself, so an object-addressed message
// takes no lock and copies nothing for it. Reads as a const std::string&; compares by content.
#include <iosfwd>
#include <string>

class SystemName
{
public:
    // An interned copy of `text`; any thread.
    SystemName(const std::string& text);
    SystemName(const char* text);

    // A name whose text is a string that outlives every message (a shared constant): no copy.
    static SystemName Constant(const std::string& text) { return SystemName(&text); }

    const std::string& Text() const { return *m_text; }
    operator const std::string&() const { return *m_text; }
    const char* c_str() const { return m_text->c_str(); }
    bool empty() const { return m_text->empty(); }
    std::size_t size() const { return m_text->size(); }

    friend bool operator==(const SystemName& left, const SystemName& right)
    {
        return left.m_text == right.m_text || *left.m_text == *right.m_text;
    }
    friend bool operator==(const SystemName& left, const std::string& right)
    {
        return left.m_text == &right || *left.m_text == right;
    }
    friend bool operator==(const std::string& left, const SystemName& right)
    {
        return right == left;
    }
    friend bool operator==(const SystemName& left, const char* right)
    {
        return right != nullptr && *left.m_text == right;
    }
    friend bool operator==(const char* left, const SystemName& right) { return right == left; }
    template <class T> friend bool operator!=(const SystemName& left, const T& right)
    {
        return !(left == right);
    }
    friend bool operator!=(const std::string& left, const SystemName& right)
    {
        return !(right == left);
    }
    friend bool operator!=(const char* left, const SystemName& right) { return !(right == left); }

private:
    explicit SystemName(const std::string* text) : m_text(text) {}

    const std::string* m_text;
};

std::ostream& operator<<(std::ostream& stream, const SystemName& name);
