#pragma once
// A value chosen from a list of named integers.
//
// Value tables: an enumeration made here (AddEnum) owns a table built from its own copy of the
// (name, value) pairs; one taken from another owner (an asset manager's category) is shared.
// Either way the table is counted in the program-wide count of RefCountedArray, keyed by its
// address: taking it raises the count, Remove lowers it, and the last user frees it.
#include "Core/PropertyModel/PropertyMember.h"
#include "Math/Types.h"
#include "TweakBar/TweakBar.h"
#include <string>
#include <utility>
#include <vector>

namespace Tools
{
// An enumeration type already defined with the bar layer, with its value table.
struct SharedEnumType
{
    TwEnumVal* values = nullptr; // made with new[]; counted while an entry uses it
    TwType type = 0;
    u32 count = 0;
};

// A value chosen by name: the integer the bar edits and the label of that integer, which the
// standard enum callbacks keep up to date.
struct NamedValue
{
    std::string name;
    s32 value = 0;
};

using EnumPairs = std::vector<std::pair<std::string, s32>>;

class PropertyEnum : public PropertyMember
{
public:
    PropertyEnum(PropertyGroup& parent, const std::string& label);
    ~PropertyEnum() override;

    // Copies the pairs, builds a table of its own over their names and defines a new type,
    // named after the label and a program-wide counter so equal labels never share a type.
    void DefineOwnType(const std::string& label, const EnumPairs& pairs);
    // Uses a type defined elsewhere; its table's count rises.
    void UseSharedType(const SharedEnumType& shared);
    void Bind(void* value, TwSetVarCallback set, TwGetVarCallback get);

    void* GetBoundValue() const override { return m_value; }
    TwType GetType() const { return m_type; }
    const std::string& GetTypeName() const { return m_typeName; }
    // The label of that value in the table, or the empty text when the table lacks it.
    std::string LabelOf(s32 value) const;

    // Releases the value table, forgets the type and pairs, then leaves the bar.
    void Remove() override;
    void Build() override;
    void Add() override;

private:
    void ReleaseTable();

    void* m_value = nullptr;
    TwSetVarCallback m_set = nullptr;
    TwGetVarCallback m_get = nullptr;
    TwEnumVal* m_values = nullptr;
    TwType m_type = 0;
    u32 m_count = 0;
    std::string m_typeName;
    EnumPairs m_pairs; // own the label texts of an own table
};
} // namespace Tools
