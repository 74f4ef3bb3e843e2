#include "TweakBar/TypeTable.h"
#include "TweakBar/DefineParser.h"
#include <cstdint>

namespace TweakBar
{
namespace
{
// More decimals than a double holds say nothing.
constexpr double MaxPrecision = 15.0;

struct BuiltInType
{
    TwType type;
    size_t size;
};
const BuiltInType BuiltIns[] = {
    {TW_TYPE_BOOLCPP, sizeof(bool)},    {TW_TYPE_BOOL8, sizeof(int8_t)},
    {TW_TYPE_CHAR, sizeof(char)},       {TW_TYPE_INT8, sizeof(int8_t)},
    {TW_TYPE_UINT8, sizeof(uint8_t)},   {TW_TYPE_INT16, sizeof(int16_t)},
    {TW_TYPE_UINT16, sizeof(uint16_t)}, {TW_TYPE_INT32, sizeof(int32_t)},
    {TW_TYPE_UINT32, sizeof(uint32_t)}, {TW_TYPE_FLOAT, sizeof(float)},
    {TW_TYPE_DOUBLE, sizeof(double)},   {TW_TYPE_COLOR4F, 4 * sizeof(float)},
    {TW_TYPE_DIR3F, 3 * sizeof(float)}, {TW_TYPE_STDSTRING, sizeof(std::string)},
};
} // namespace

TwType TypeTable::CodeFor(const std::string& name)
{
    auto found = m_codes.find(name);
    if (found != m_codes.end())
        return found->second;
    const TwType code = m_next++;
    m_codes[name] = code;
    return code;
}

TwType TypeTable::DefineEnum(const char* name, const TwEnumVal* values, unsigned int count,
                             std::string& error)
{
    if (name == nullptr || name[0] == '\0')
    {
        error = "an enumeration needs a name";
        return TW_TYPE_UNDEF;
    }
    if (values == nullptr && count > 0)
    {
        error = std::string("enumeration '") + name + "' has no value table";
        return TW_TYPE_UNDEF;
    }
    if (m_structs.count(FindByName(name)) != 0)
    {
        error = std::string("'") + name + "' is a struct type";
        return TW_TYPE_UNDEF;
    }
    EnumType type;
    type.name = name;
    for (unsigned int i = 0; i < count; ++i)
    {
        type.values.push_back(values[i].Value);
        // The caller's table may go away: the labels are copied.
        type.labels.push_back(values[i].Label != nullptr ? values[i].Label : "");
    }
    const TwType code = CodeFor(name);
    m_enums[code] = std::move(type);
    return code;
}

TwType TypeTable::DefineStruct(const char* name, const TwStructMember* members, unsigned int count,
                               size_t size, std::string& error)
{
    if (name == nullptr || name[0] == '\0')
    {
        error = "a struct type needs a name";
        return TW_TYPE_UNDEF;
    }
    if (members == nullptr || count == 0 || size == 0)
    {
        error = std::string("struct type '") + name + "' has no members or no size";
        return TW_TYPE_UNDEF;
    }
    if (m_enums.count(FindByName(name)) != 0)
    {
        error = std::string("'") + name + "' is an enumeration";
        return TW_TYPE_UNDEF;
    }
    StructType type;
    type.name = name;
    type.size = size;
    for (unsigned int i = 0; i < count; ++i)
    {
        const TwStructMember& member = members[i];
        const std::string memberName = member.Name != nullptr ? member.Name : "";
        const size_t memberSize = SizeOf(member.Type);
        // A string member could only be copied byte by byte, which a std::string does not allow.
        if (memberName.empty() || memberSize == 0 || member.Type == TW_TYPE_STDSTRING ||
            member.Offset > size || memberSize > size - member.Offset)
        {
            error = std::string("struct type '") + name + "': member " + std::to_string(i) + " ('" +
                    memberName + "') has no name, an unknown or string type, or lies outside " +
                    std::to_string(size) + " bytes";
            return TW_TYPE_UNDEF;
        }
        StructMemberType added;
        added.name = memberName;
        added.type = member.Type;
        added.offset = member.Offset;
        added.definition = member.DefString != nullptr ? member.DefString : "";
        added.settings.label = memberName;
        // The definition has no target: read it as the items of a made-up one.
        std::vector<DefineStatement> statements;
        std::string parseError;
        const std::string text = "member " + added.definition;
        if (!DefineParser::Parse(text.c_str(), statements, parseError) || statements.size() != 1)
        {
            error = std::string("struct type '") + name + "', member '" + memberName +
                    "': definition not read (" +
                    (parseError.empty() ? "more than one target" : parseError) + ")";
            return TW_TYPE_UNDEF;
        }
        for (const DefineItem& item : statements.front().items)
        {
            std::string settingError;
            if (!ApplySetting(added.settings, item.key, item.value, settingError))
            {
                error = std::string("struct type '") + name + "', member '" + memberName +
                        "': " + settingError;
                return TW_TYPE_UNDEF;
            }
        }
        type.members.push_back(std::move(added));
    }
    const TwType code = CodeFor(name);
    m_structs[code] = std::move(type);
    return code;
}

bool TypeTable::IsBuiltIn(TwType type) const
{
    for (const BuiltInType& builtIn : BuiltIns)
    {
        if (builtIn.type == type)
            return true;
    }
    return false;
}

const EnumType* TypeTable::FindEnum(TwType type) const
{
    auto found = m_enums.find(type);
    return found != m_enums.end() ? &found->second : nullptr;
}

const StructType* TypeTable::FindStruct(TwType type) const
{
    auto found = m_structs.find(type);
    return found != m_structs.end() ? &found->second : nullptr;
}

TwType TypeTable::FindByName(const std::string& name) const
{
    auto found = m_codes.find(name);
    return found != m_codes.end() ? found->second : TW_TYPE_UNDEF;
}

bool TypeTable::IsKnown(TwType type) const
{
    return SizeOf(type) != 0;
}

size_t TypeTable::SizeOf(TwType type) const
{
    for (const BuiltInType& builtIn : BuiltIns)
    {
        if (builtIn.type == type)
            return builtIn.size;
    }
    if (FindEnum(type) != nullptr)
        return sizeof(int32_t);
    if (const StructType* structType = FindStruct(type))
        return structType->size;
    return 0;
}

bool ApplySetting(EntrySettings& settings, const std::string& key, const std::string& value,
                  std::string& error)
{
    double number = 0.0;
    bool flag = false;
    if (key == "label")
        settings.label = value;
    else if (key == "help")
        settings.help = value;
    else if (key == "visible" && DefineParser::ReadBool(value, flag))
        settings.visible = flag;
    else if (key == "readonly" && DefineParser::ReadBool(value, flag))
        settings.readOnly = flag;
    else if (key == "min" && DefineParser::ReadNumber(value, number))
    {
        settings.min = number;
        settings.hasMin = true;
    }
    else if (key == "max" && DefineParser::ReadNumber(value, number))
    {
        settings.max = number;
        settings.hasMax = true;
    }
    else if (key == "step" && DefineParser::ReadNumber(value, number))
        settings.step = number;
    else if (key == "precision" && DefineParser::ReadNumber(value, number) && number >= 0.0 &&
             number <= MaxPrecision)
        settings.precision = static_cast<int>(number);
    else
    {
        static const char* const known[] = {"label", "help", "visible", "readonly",
                                            "min",   "max",  "step",    "precision"};
        for (const char* name : known)
        {
            if (key == name)
            {
                error = "'" + value + "' is no value for " + key;
                return false;
            }
        }
        error = "unknown key '" + key + "'";
        return false;
    }
    return true;
}
} // namespace TweakBar
