#include "Core/PropertyModel/PropertyEnum.h"
#include "Core/Memory/RefCountedArray.h"
#include "Core/PropertyModel/PropertyBarDefinition.h"
#include "Core/PropertyModel/PropertyGroup.h"

namespace Tools
{
namespace
{
// Makes every enumeration type name distinct, even for equal labels.
u32 g_enumCounter = 0;
} // namespace

PropertyEnum::PropertyEnum(PropertyGroup& parent, const std::string& label)
    : PropertyMember(parent, label, Enumeration)
{
}

PropertyEnum::~PropertyEnum()
{
    ReleaseTable();
}

void PropertyEnum::DefineOwnType(const std::string& label, const EnumPairs& pairs)
{
    ReleaseTable();
    m_pairs = pairs;
    m_count = static_cast<u32>(m_pairs.size());
    m_values = new TwEnumVal[m_count > 0 ? m_count : 1];
    RefCountedArrayCounts::Raise(m_values);
    for (u32 i = 0; i < m_count; ++i)
    {
        m_values[i].Value = m_pairs[i].second;
        m_values[i].Label = m_pairs[i].first.c_str();
    }
    m_typeName = label + std::to_string(g_enumCounter++);
    m_type = TwDefineEnum(m_typeName.c_str(), m_values, m_count);
}

void PropertyEnum::UseSharedType(const SharedEnumType& shared)
{
    ReleaseTable();
    m_values = shared.values;
    if (m_values != nullptr)
        RefCountedArrayCounts::Raise(m_values);
    m_type = shared.type;
    m_count = shared.count;
}

void PropertyEnum::Bind(void* value, TwSetVarCallback set, TwGetVarCallback get)
{
    m_value = value;
    m_set = set;
    m_get = get;
}

std::string PropertyEnum::LabelOf(s32 value) const
{
    for (u32 i = 0; i < m_count; ++i)
    {
        if (m_values[i].Value == value && m_values[i].Label != nullptr)
            return m_values[i].Label;
    }
    return std::string();
}

void PropertyEnum::ReleaseTable()
{
    if (m_values != nullptr && RefCountedArrayCounts::Lower(m_values))
        delete[] m_values;
    m_values = nullptr;
    m_type = 0;
    m_count = 0;
    m_pairs.clear();
}

void PropertyEnum::Remove()
{
    ReleaseTable();
    PropertyMember::Remove();
}

void PropertyEnum::Build()
{
    Add();
    ApplyDefinition();
}

void PropertyEnum::Add()
{
    TwAddVarCB(m_parent->GetBar().GetHandle(), m_identifier.c_str(), m_type, m_set, m_get, this,
               "");
}
} // namespace Tools
