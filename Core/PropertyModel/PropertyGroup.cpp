#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/PropertyModel/PropertyBarDefinition.h"
#include "Core/PropertyModel/PropertyButton.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertySeperator.h"
#include "Core/PropertyModel/PropertyVariable.h"
#include <algorithm>
#include <iomanip>
#include <sstream>

namespace Tools
{
namespace
{
// Steps are written with two significant digits: 1 gives "1", 0.01 gives "0.01".
constexpr int StepDigits = 2;

std::string FloatText(f32 value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string StepText(f32 value)
{
    std::ostringstream text;
    text << std::setprecision(StepDigits) << value;
    return text.str();
}

EditorActions g_editorActions;

void DeleteComponentButton(void* clientData)
{
    auto* component =
        static_cast<GameObjectComponent*>(static_cast<PropertyButton*>(clientData)->GetUserData());
    if (component != nullptr && g_editorActions.remove != nullptr)
        g_editorActions.remove(*component);
}

void CopyComponentButton(void* clientData)
{
    auto* component =
        static_cast<GameObjectComponent*>(static_cast<PropertyButton*>(clientData)->GetUserData());
    if (component != nullptr && g_editorActions.copy != nullptr)
        g_editorActions.copy(*component);
}
} // namespace

void SetRangeKeys(PropertyDefinition& entry, const PropertyAttributes& attributes)
{
    entry.SetKey("min", FloatText(attributes.min));
    entry.SetKey("max", FloatText(attributes.max));
    entry.SetKey("step", StepText(attributes.step));
    if (attributes.hasPrecision)
        entry.SetKey("precision", std::to_string(attributes.precision));
}

EditorActions& GetEditorActions()
{
    return g_editorActions;
}

void NotifyDefinitionSaved()
{
    if (g_editorActions.definitionSaved != nullptr)
        g_editorActions.definitionSaved();
}

void RequestPropertyRebuild()
{
    if (g_editorActions.rebuildProperties != nullptr)
        g_editorActions.rebuildProperties();
}

std::string& SharedSaveName()
{
    static std::string name;
    return name;
}

PropertyGroup::PropertyGroup(PropertyGroup& parent, const std::string& label)
    : m_bar(&parent.GetBar()), m_parent(&parent)
{
    m_identifier = m_bar->NextGroupName();
    WriteName();
    if (!label.empty())
        SetKey("label", label);
    SetKey("group", parent.GetName());
    SetKey("opened", "0");
}

PropertyGroup::PropertyGroup(PropertyBarDefinition& bar, const std::string&)
    : m_bar(&bar), m_parent(this)
{
}

PropertyGroup::~PropertyGroup() = default;

void PropertyGroup::StartRoot(const std::string& label)
{
    m_identifier = m_bar->NextGroupName();
    WriteName();
    if (!label.empty())
        SetKey("label", label);
    SetKey("opened", "0");
}

void PropertyGroup::WriteName()
{
    m_definition = " " + m_bar->GetTweakName() + "/" + m_identifier + " ";
}

PropertyVariable* PropertyGroup::AddVariable(const std::string& label, void* value, TwType type,
                                             TwSetVarCallback set, TwGetVarCallback get)
{
    auto variable = std::make_unique<PropertyVariable>(*this, label, value, type, set, get);
    PropertyVariable* added = variable.get();
    m_entries.push_back(std::move(variable));
    added->Build();
    return added;
}

PropertyVariable* PropertyGroup::AddRanged(const std::string& label, void* value, TwType type,
                                           const PropertyAttributes* attributes,
                                           TwSetVarCallback set, TwGetVarCallback get)
{
    PropertyVariable* variable = AddVariable(label, value, type, set, get);
    if (attributes != nullptr)
    {
        SetRangeKeys(*variable, *attributes);
        variable->ApplyDefinition();
    }
    return variable;
}

PropertyVariable* PropertyGroup::AddBool(const std::string& label, void* value,
                                         const PropertyAttributes*, TwSetVarCallback set,
                                         TwGetVarCallback get)
{
    return AddVariable(label, value, TW_TYPE_BOOLCPP, set, get);
}

PropertyVariable* PropertyGroup::AddInt(const std::string& label, void* value,
                                        const PropertyAttributes* attributes, TwSetVarCallback set,
                                        TwGetVarCallback get)
{
    return AddRanged(label, value, TW_TYPE_INT32, attributes, set, get);
}

PropertyVariable* PropertyGroup::AddUnsigned(const std::string& label, void* value,
                                             const PropertyAttributes* attributes,
                                             TwSetVarCallback set, TwGetVarCallback get)
{
    return AddRanged(label, value, TW_TYPE_UINT32, attributes, set, get);
}

PropertyVariable* PropertyGroup::AddFloat(const std::string& label, void* value,
                                          const PropertyAttributes* attributes,
                                          TwSetVarCallback set, TwGetVarCallback get)
{
    return AddRanged(label, value, TW_TYPE_FLOAT, attributes, set, get);
}

PropertyVariable* PropertyGroup::AddColor(const std::string& label, void* value,
                                          const PropertyAttributes*, TwSetVarCallback set,
                                          TwGetVarCallback get)
{
    return AddVariable(label, value, TW_TYPE_COLOR4F, set, get);
}

PropertyVariable* PropertyGroup::AddDirection(const std::string& label, void* value,
                                              const PropertyAttributes*, TwSetVarCallback set,
                                              TwGetVarCallback get)
{
    return AddVariable(label, value, TW_TYPE_DIR3F, set, get);
}

PropertyVariable* PropertyGroup::AddString(const std::string& label, void* value,
                                           const PropertyAttributes*, TwSetVarCallback set,
                                           TwGetVarCallback get)
{
    return AddVariable(label, value, TW_TYPE_STDSTRING, set, get);
}

PropertyButton* PropertyGroup::AddButton(const std::string& label, void* userData,
                                         TwButtonCallback callback)
{
    auto button = std::make_unique<PropertyButton>(*this, label, userData, callback);
    PropertyButton* added = button.get();
    m_entries.push_back(std::move(button));
    added->Build();
    return added;
}

void PropertyGroup::AddSeparator(const std::string& label)
{
    auto separator = std::make_unique<PropertySeperator>(*this, label);
    PropertySeperator* added = separator.get();
    m_entries.push_back(std::move(separator));
    added->Build();
}

void PropertyGroup::AddEnum(const std::string& label, void* value, const EnumPairs& pairs,
                            TwSetVarCallback set, TwGetVarCallback get)
{
    auto entry = std::make_unique<PropertyEnum>(*this, label);
    PropertyEnum* added = entry.get();
    m_entries.push_back(std::move(entry));
    added->DefineOwnType(label, pairs);
    added->Bind(value, set, get);
    added->Build();
}

PropertyEnum* PropertyGroup::AddEnumOfType(const std::string& label, void* value,
                                           const SharedEnumType& shared, TwSetVarCallback set,
                                           TwGetVarCallback get)
{
    auto entry = std::make_unique<PropertyEnum>(*this, label);
    PropertyEnum* added = entry.get();
    m_entries.push_back(std::move(entry));
    added->UseSharedType(shared);
    added->Bind(value, set, get);
    added->Build();
    return added;
}

PropertyEnum* PropertyGroup::AddNamedEnum(const std::string& label, NamedValue* record,
                                          const SharedEnumType& shared)
{
    PropertyEnum* entry = AddEnumOfType(label, record, shared, &SetEnumCallback, &GetEnumCallback);
    record->name = entry->LabelOf(record->value);
    return entry;
}

PropertyGroup* PropertyGroup::AddGroup(const std::string& label)
{
    auto group = std::make_unique<PropertyGroup>(*this, label);
    PropertyGroup* added = group.get();
    m_entries.push_back(std::move(group));
    m_children.push_back(added);
    return added;
}

PropertyGroup* PropertyGroup::AddFloatGroup(const std::string& label, f32* floats,
                                            const std::vector<const char*>& names,
                                            const PropertyAttributes& attributes,
                                            TwSetVarCallback set, TwGetVarCallback get)
{
    PropertyGroup* group = AddGroup(label);
    for (std::size_t i = 0; i < names.size(); ++i)
        group->AddFloat(names[i], floats + i, &attributes, set, get);
    group->Define();
    return group;
}

PropertyGroup* PropertyGroup::AddRange(const std::string& label, f32* floats,
                                       const PropertyAttributes& attributes, TwSetVarCallback set,
                                       TwGetVarCallback get)
{
    return AddFloatGroup(label, floats, {"Min", "Max"}, attributes, set, get);
}

PropertyGroup* PropertyGroup::AddVector3(const std::string& label, f32* floats,
                                         const PropertyAttributes& attributes, TwSetVarCallback set,
                                         TwGetVarCallback get)
{
    return AddFloatGroup(label, floats, {"X", "Y", "Z"}, attributes, set, get);
}

PropertyGroup* PropertyGroup::AddVector4(const std::string& label, f32* floats,
                                         const PropertyAttributes& attributes, TwSetVarCallback set,
                                         TwGetVarCallback get)
{
    return AddFloatGroup(label, floats, {"X", "Y", "Z", "W"}, attributes, set, get);
}

PropertyGroup* PropertyGroup::AddColorWithDeviation(const std::string& label, f32* colour,
                                                    f32* deviation,
                                                    const PropertyAttributes& attributes,
                                                    TwSetVarCallback set, TwGetVarCallback get)
{
    PropertyGroup* group = AddGroup(label);
    group->AddColor("Color", colour, &attributes, set, get);
    PropertyGroup* spread = group->AddGroup("Deviation");
    const char* const channels[] = {"R", "G", "B", "A"};
    for (std::size_t i = 0; i < std::size(channels); ++i)
        spread->AddFloat(channels[i], deviation + i, &attributes, &SetColorChannelCallback,
                         &GetColorChannelCallback);
    spread->Define();
    group->Define();
    return group;
}

PropertyGroup* PropertyGroup::FindGroup(const void* key)
{
    if (m_key == key)
        return this;
    for (PropertyGroup* child : m_children)
    {
        if (PropertyGroup* found = child->FindGroup(key))
            return found;
    }
    return nullptr;
}

void PropertyGroup::Remove()
{
    // Taken out of the lists first, so nothing reaches an entry being destroyed.
    std::vector<std::unique_ptr<PropertyDefinition>> entries;
    entries.swap(m_entries);
    m_children.clear();
    for (std::unique_ptr<PropertyDefinition>& entry : entries)
    {
        entry->Remove();
        entry.reset();
    }
}

void PropertyGroup::RemoveEntry(const PropertyDefinition* entry)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [entry](const std::unique_ptr<PropertyDefinition>& owned)
                                    { return owned.get() == entry; });
    if (found == m_entries.end())
        return;
    // Taken out of the lists first, as in Remove.
    std::unique_ptr<PropertyDefinition> owned = std::move(*found);
    m_entries.erase(found);
    m_children.erase(
        std::remove_if(m_children.begin(), m_children.end(),
                       [entry](const PropertyGroup* child)
                       { return static_cast<const PropertyDefinition*>(child) == entry; }),
        m_children.end());
    owned->Remove();
}

void PropertyGroup::Build()
{
    for (const std::unique_ptr<PropertyDefinition>& entry : m_entries)
        entry->Build();
}

void PropertyGroup::Add()
{
    for (const std::unique_ptr<PropertyDefinition>& entry : m_entries)
        entry->Add();
    ApplyDefinition();
}

void PropertyGroup::Define()
{
    for (const std::unique_ptr<PropertyDefinition>& entry : m_entries)
        entry->Define();
    ApplyDefinition();
}

void PropertyGroup::Refresh()
{
    if (m_entries.empty())
        return;
    // Starts from what the definition holds, so a layer that cannot answer changes nothing.
    s32 opened = m_definition.find(" opened='1'") != std::string::npos ? 1 : 0;
    TwGetParam(m_bar->GetHandle(), m_identifier.c_str(), "opened", TW_PARAM_INT32, 1, &opened);
    SetKey("opened", opened != 0 ? "1" : "0");
    ApplyDefinition();
    for (const std::unique_ptr<PropertyDefinition>& entry : m_entries)
        entry->Refresh();
}

PropertyGroup* AddComponentOptions(GameObjectComponent* component, PropertyGroup& group)
{
    PropertyGroup* options = group.AddGroup("Options");
    options->AddButton("Delete", component, &DeleteComponentButton);
    options->AddButton("Copy", component, &CopyComponentButton);
    options->Define();
    return options;
}
} // namespace Tools
