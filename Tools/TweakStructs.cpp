#include "Tools/TweakStructs.h"
#include "Core/Reflection/TypeRecord.h"
#include "TweakBar/TweakBar.h"
#include <sstream>
#include <vector>

namespace Tools
{
namespace
{
// Decimals shown for plain-data members of a struct.
constexpr int StructMemberPrecision = 2;
} // namespace

void DefineAllTweakStructs()
{
    for (auto it = TypeRegistryBegin(); it != TypeRegistryEnd(); ++it)
        DefineTweakStruct(it->first, *it->second);
}

void DefineTweakStruct(const std::string&, TypeRecord& record)
{
    if (record.GetMemberCount() == 0 || record.GetTweakBarType() != TweakType::Undefined)
        return;
    // The texts live until TwDefineStruct has copied them.
    std::vector<std::string> names;
    std::vector<std::string> definitions;
    std::vector<TwStructMember> members;
    names.reserve(record.GetMemberCount());
    definitions.reserve(record.GetMemberCount());
    for (auto it = record.MembersBegin(); it != record.MembersEnd(); ++it)
    {
        const TypeMember& member = it->second;
        TypeRecord* type = const_cast<TypeRecord*>(member.GetType());
        if (type == nullptr)
            continue;
        if (type->GetTweakBarType() == TweakType::Undefined)
            DefineTweakStruct(type->GetName(), *type);
        if (type->GetTweakBarType() == TweakType::Undefined)
            continue;
        std::ostringstream definition;
        definition << "label='" << member.GetName() << "' ";
        if (type->IsPod())
            definition << "min=" << member.GetMin() << " max=" << member.GetMax() << " "
                       << "step=" << member.GetStep() << " "
                       << "precision=" << StructMemberPrecision;
        names.push_back(it->first);
        definitions.push_back(definition.str());
        members.push_back(TwStructMember{names.back().c_str(), type->GetTweakBarType(),
                                         member.GetOffset(), definitions.back().c_str()});
    }
    if (members.empty())
        return;
    const TwType code = TwDefineStruct(record.GetName().c_str(), members.data(),
                                       static_cast<unsigned int>(members.size()), record.GetSize(),
                                       nullptr, nullptr);
    record.SetTweakBarType(code);
}
} // namespace Tools
