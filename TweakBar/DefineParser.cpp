#include "TweakBar/DefineParser.h"
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace TweakBar
{
namespace
{
// Keys whose value is a list of numbers that may be written unquoted.
const char* const MultiNumberKeys[] = {"position", "size", "color"};

bool IsQuote(char c)
{
    return c == '\'' || c == '"' || c == '`';
}

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsMultiNumberKey(const std::string& key)
{
    for (const char* name : MultiNumberKeys)
    {
        if (key == name)
            return true;
    }
    return false;
}

class Scanner
{
public:
    explicit Scanner(const char* text) : m_text(text) {}

    void SkipBlanks()
    {
        while (m_text[m_at] != '\0' && IsBlank(m_text[m_at]))
            ++m_at;
    }
    bool AtEnd() const { return m_text[m_at] == '\0'; }
    char Peek() const { return m_text[m_at]; }
    void Skip() { ++m_at; }
    size_t Position() const { return m_at; }
    void Rewind(size_t position) { m_at = position; }

    // A quoted text, or a bare word ending at a blank or at one of the stop characters.
    bool ReadWord(const char* stops, std::string& word, bool& quoted, std::string& error)
    {
        word.clear();
        quoted = IsQuote(Peek());
        if (quoted)
        {
            const char quote = Peek();
            Skip();
            while (!AtEnd() && Peek() != quote)
            {
                word += Peek();
                Skip();
            }
            if (AtEnd())
            {
                error = std::string("unclosed quote ") + quote;
                return false;
            }
            Skip();
            return true;
        }
        while (!AtEnd() && !IsBlank(Peek()) && std::strchr(stops, Peek()) == nullptr &&
               !IsQuote(Peek()))
        {
            word += Peek();
            Skip();
        }
        return true;
    }

private:
    const char* m_text;
    size_t m_at = 0;
};
} // namespace

bool DefineParser::ReadNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0')
        return false;
    value = parsed;
    return true;
}

bool DefineParser::ReadBool(const std::string& text, bool& value)
{
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "1" || lower == "true")
        value = true;
    else if (lower == "0" || lower == "false")
        value = false;
    else
        return false;
    return true;
}

bool DefineParser::Parse(const char* text, std::vector<DefineStatement>& statements,
                         std::string& error)
{
    if (text == nullptr)
    {
        error = "no definition text";
        return false;
    }
    Scanner scanner(text);
    DefineStatement* current = nullptr;
    std::string word;
    bool quoted = false;
    while (true)
    {
        scanner.SkipBlanks();
        if (scanner.AtEnd())
            return true;
        if (!scanner.ReadWord("=/", word, quoted, error))
            return false;
        if (word.empty() && !quoted)
        {
            error = std::string("unexpected '") + scanner.Peek() + "'";
            return false;
        }
        // A word followed by '=' is a key; anything else names the next target.
        const size_t afterWord = scanner.Position();
        scanner.SkipBlanks();
        if (scanner.Peek() == '=')
        {
            if (current == nullptr)
            {
                error = "item '" + word + "' before any bar name";
                return false;
            }
            scanner.Skip();
            scanner.SkipBlanks();
            DefineItem item;
            item.key = word;
            bool valueQuoted = false;
            if (scanner.AtEnd() || !scanner.ReadWord("", item.value, valueQuoted, error))
            {
                if (error.empty())
                    error = "key '" + word + "' has no value";
                return false;
            }
            double number = 0.0;
            if (!valueQuoted && IsMultiNumberKey(item.key) &&
                DefineParser::ReadNumber(item.value, number))
            {
                // Further bare numbers belong to the same value.
                while (true)
                {
                    const size_t before = scanner.Position();
                    scanner.SkipBlanks();
                    std::string next;
                    bool nextQuoted = false;
                    std::string ignored;
                    if (scanner.AtEnd() || IsQuote(scanner.Peek()) ||
                        !scanner.ReadWord("=/", next, nextQuoted, ignored) ||
                        !DefineParser::ReadNumber(next, number) ||
                        (scanner.SkipBlanks(), scanner.Peek() == '='))
                    {
                        scanner.Rewind(before);
                        break;
                    }
                    item.value += ' ';
                    item.value += next;
                }
            }
            current->items.push_back(item);
            continue;
        }
        scanner.Rewind(afterWord);
        statements.emplace_back();
        current = &statements.back();
        current->bar = word;
        if (scanner.Peek() == '/')
        {
            scanner.Skip();
            if (!scanner.ReadWord("=/", current->entry, quoted, error))
                return false;
            if (current->entry.empty())
            {
                error = "bar '" + word + "' followed by '/' and no entry name";
                return false;
            }
        }
    }
}
} // namespace TweakBar
