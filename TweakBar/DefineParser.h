#pragma once
// Reads TwDefine's text into statements. A statement names its target, "GLOBAL", a bar, or
// "bar/entry", and lists key=value items. Names and values are single words or text quoted with
// ', " or ` (the quote that opens must close). A value of the multi-number keys (position, size,
// color) may also be written as bare numbers one after the other; numbers may carry exponents
// ("min=-3.40282e+38"). A word not followed by '=' begins the next statement.
#include <string>
#include <vector>

namespace TweakBar
{
struct DefineItem
{
    std::string key;
    std::string value;
};

struct DefineStatement
{
    std::string bar;
    // Empty when the statement is about the bar itself (or GLOBAL).
    std::string entry;
    std::vector<DefineItem> items;
};

class DefineParser
{
public:
    // False, with the reason in error, when the text cannot be read (an unclosed quote, an item
    // without a target, a key without a value); the statements read before stay in statements.
    static bool Parse(const char* text, std::vector<DefineStatement>& statements,
                      std::string& error);
    // A whole-text number such as "1", "-0.5" or "3.4e+38".
    static bool ReadNumber(const std::string& text, double& value);
    // "1", "true" and "0", "false" (any letter case).
    static bool ReadBool(const std::string& text, bool& value);
};
} // namespace TweakBar
