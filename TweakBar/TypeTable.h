#pragma once
// The value types the bars know: the built-in codes of TweakBar.h, and the enumerations and
// structs defined at run time, coded from UserTypeBase up. A name keeps its code when it is
// defined again, so an entry made with the code shows the new definition. Types outlive the
// bars: the asset managers define theirs before the layer starts.
#include "TweakBar/TweakBar.h"
#include <map>
#include <string>
#include <vector>

namespace TweakBar
{
// What a definition string sets on an entry or a struct member.
struct EntrySettings
{
    std::string label;
    std::string help;
    bool visible = true;
    bool readOnly = false;
    bool hasMin = false;
    bool hasMax = false;
    double min = 0.0;
    double max = 0.0;
    double step = 0.0;
    int precision = -1;
};

struct EnumType
{
    std::string name;
    std::vector<int> values;
    std::vector<std::string> labels;
};

struct StructMemberType
{
    std::string name;
    TwType type = TW_TYPE_UNDEF;
    size_t offset = 0;
    std::string definition;
    EntrySettings settings;
};

struct StructType
{
    std::string name;
    size_t size = 0;
    std::vector<StructMemberType> members;
};

class TypeTable
{
public:
    // Codes of a new or redefined type; TW_TYPE_UNDEF with the reason in error on bad input.
    TwType DefineEnum(const char* name, const TwEnumVal* values, unsigned int count,
                      std::string& error);
    TwType DefineStruct(const char* name, const TwStructMember* members, unsigned int count,
                        size_t size, std::string& error);

    bool IsBuiltIn(TwType type) const;
    const EnumType* FindEnum(TwType type) const;
    const StructType* FindStruct(TwType type) const;
    TwType FindByName(const std::string& name) const;
    bool IsKnown(TwType type) const;
    // Bytes of a value of the type (std::string for strings); 0 for an unknown type.
    size_t SizeOf(TwType type) const;

private:
    TwType CodeFor(const std::string& name);

    std::map<TwType, EnumType> m_enums;
    std::map<TwType, StructType> m_structs;
    std::map<std::string, TwType> m_codes;
    TwType m_next = UserTypeBase;
};

// Applies one key of a definition to entry settings; false (reason in error) for an unknown key
// or a value that does not read. Keys other entries handle (group, opened) are not known here.
bool ApplySetting(EntrySettings& settings, const std::string& key, const std::string& value,
                  std::string& error);
} // namespace TweakBar
