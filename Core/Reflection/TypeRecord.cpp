#include "Core/Reflection/TypeRecord.h"
#include <stdexcept>

namespace
{
// Created on first use, so that a record finds it whenever it is created. Being constructed
// inside the first record's constructor, it outlives every record.
TypeRegistryMap& Registry()
{
    static TypeRegistryMap registry;
    return registry;
}

template <typename List> auto FindMember(List& members, const std::string& key)
{
    auto it = members.begin();
    while (it != members.end() && it->first != key)
        ++it;
    return it;
}
} // namespace

TypeMember::TypeMember(const std::string& name, u32 offset, const TypeRecord* type)
    : m_name(name), m_offset(offset), m_type(type), m_step(DefaultStep), m_min(DefaultMin),
      m_max(DefaultMax)
{
}

void TypeMember::SetRange(f32 min, f32 max)
{
    m_min = min;
    m_max = max;
}

TypeRecord::TypeRecord(const std::string& name, u32 size, const TypeRecord* base, bool isPod)
    : m_construct(nullptr), m_destroy(nullptr), m_assign(nullptr), m_name(name), m_size(size),
      m_base(base), m_isPod(isPod), m_tweakType(TweakType::Undefined)
{
    if (m_base)
    {
        for (auto it = m_base->MembersBegin(); it != m_base->MembersEnd(); ++it)
            AddMember(it->first, it->second);
    }
    Registry()[m_name] = this;
}

TypeRecord::~TypeRecord()
{
    TypeRegistryMap& registry = Registry();
    auto it = registry.find(m_name);
    if (it != registry.end() && it->second == this)
        registry.erase(it);
}

void TypeRecord::AddMember(const std::string& key, const TypeMember& member)
{
    if (FindMember(m_members, key) == m_members.end())
        m_members.emplace_back(key, member);
}

TypeMember& TypeRecord::GetMember(const std::string& key)
{
    auto it = FindMember(m_members, key);
    if (it == m_members.end())
        throw std::out_of_range("TypeRecord " + m_name + " has no member " + key);
    return it->second;
}

const TypeMember& TypeRecord::GetMember(const std::string& key) const
{
    return const_cast<TypeRecord*>(this)->GetMember(key);
}

void TypeRecord::AddEnumValue(const std::string& name, s32 value)
{
    m_enumerators.emplace(name, value);
}

TypeRegistryMap::const_iterator TypeRegistryBegin()
{
    return Registry().cbegin();
}

TypeRegistryMap::const_iterator TypeRegistryEnd()
{
    return Registry().cend();
}
