#pragma once
// The base of every entry of an editor bar: its tweak identifier (unique within the bar) and
// its definition string of `key='value'` items in the bar layer's define syntax.
//
// Definition strings: an entry's string is " <bar>/<identifier> " followed by one item per
// key, each "key='value' ". SetKey replaces a key's value in place when the key is present as
// a whole item, and appends the item otherwise, so an object named "InvisibleWall" in a label
// cannot be mistaken for a "visible" key. A `'` in a value would end the item early, so it
// becomes a backquote.
//
// Main thread only, as every bar call.
#include <string>

namespace Tools
{
class PropertyDefinition
{
public:
    PropertyDefinition() = default;
    virtual ~PropertyDefinition() = default;
    PropertyDefinition(const PropertyDefinition&) = delete;
    PropertyDefinition& operator=(const PropertyDefinition&) = delete;

    // Takes the entry out of its bar.
    virtual void Remove() = 0;
    // Adds the entry to its bar and applies its definition.
    virtual void Build() = 0;
    // Adds the entry to its bar only.
    virtual void Add() = 0;
    // Applies the definition only.
    virtual void Define() = 0;
    // Brings the definition up to date with the bar's state and applies it.
    virtual void Refresh() {}

    const std::string& GetName() const { return m_identifier; }
    const std::string& GetDefinition() const { return m_definition; }
    // Sets one key of the definition (see the header comment); does not apply it.
    void SetKey(const std::string& key, const std::string& value);
    // Applies the whole definition with TwDefine.
    void ApplyDefinition() const;

    // The same rule for any definition string; the search starts at its first blank, past the
    // bar or entry name.
    static void SetKeyIn(std::string& definition, const std::string& key, const std::string& value);

protected:
    std::string m_identifier;
    std::string m_definition;
};
} // namespace Tools
