#pragma once
// A group of bar entries, and the root of a bar: what every component's BuildEditor fills.
//
// Ownership: the group owns every entry created under it, members and child groups alike, in
// creation order; Remove takes them all out of the bar and destroys them. The root group of a
// bar is the bar itself and its own parent, and carries no "group" key.
//
// Adders create the entry, name it from the bar's counters, write its "label" (when not empty)
// and "group" keys and build it in the bar. Arguments come in one order everywhere: label,
// value, attributes, set callback, get callback. A null set callback makes a value read-only.
// Numeric adders given attributes write "min", "max", "step" and, when the attributes carry
// one, "precision".
//
// Main thread only.
#include "Core/PropertyModel/PropertyAttributes.h"
#include "Core/PropertyModel/PropertyDefinition.h"
#include "Core/PropertyModel/PropertyEnum.h"
#include "Math/Types.h"
#include "TweakBar/TweakBar.h"
#include <memory>
#include <string>
#include <vector>

class GameObjectComponent;

namespace Tools
{
class PropertyBarDefinition;
class PropertyButton;
class PropertyVariable;

class PropertyGroup : public PropertyDefinition
{
public:
    // A child group: named from the bar's group counter, with "group" and "opened" keys.
    PropertyGroup(PropertyGroup& parent, const std::string& label);
    ~PropertyGroup() override;

    PropertyVariable* AddBool(const std::string& label, void* value,
                              const PropertyAttributes* attributes, TwSetVarCallback set,
                              TwGetVarCallback get);
    PropertyVariable* AddInt(const std::string& label, void* value,
                             const PropertyAttributes* attributes, TwSetVarCallback set,
                             TwGetVarCallback get);
    PropertyVariable* AddUnsigned(const std::string& label, void* value,
                                  const PropertyAttributes* attributes, TwSetVarCallback set,
                                  TwGetVarCallback get);
    PropertyVariable* AddFloat(const std::string& label, void* value,
                               const PropertyAttributes* attributes, TwSetVarCallback set,
                               TwGetVarCallback get);
    // Four floats, red, green, blue, alpha, each 0 to 1.
    PropertyVariable* AddColor(const std::string& label, void* value,
                               const PropertyAttributes* attributes, TwSetVarCallback set,
                               TwGetVarCallback get);
    // Three floats.
    PropertyVariable* AddDirection(const std::string& label, void* value,
                                   const PropertyAttributes* attributes, TwSetVarCallback set,
                                   TwGetVarCallback get);
    // A std::string.
    PropertyVariable* AddString(const std::string& label, void* value,
                                const PropertyAttributes* attributes, TwSetVarCallback set,
                                TwGetVarCallback get);
    PropertyButton* AddButton(const std::string& label, void* userData, TwButtonCallback callback);
    void AddSeparator(const std::string& label);
    // A new enumeration type over the pairs.
    void AddEnum(const std::string& label, void* value, const EnumPairs& pairs,
                 TwSetVarCallback set, TwGetVarCallback get);
    PropertyEnum* AddEnumOfType(const std::string& label, void* value, const SharedEnumType& shared,
                                TwSetVarCallback set, TwGetVarCallback get);
    // Bound to the record's integer with the standard enum callbacks; the record's name is set
    // to its current value's label.
    PropertyEnum* AddNamedEnum(const std::string& label, NamedValue* record,
                               const SharedEnumType& shared);
    PropertyGroup* AddGroup(const std::string& label);
    // Child groups of float variables over consecutive floats: "Min", "Max"; "X", "Y", "Z";
    // "X", "Y", "Z", "W".
    PropertyGroup* AddRange(const std::string& label, f32* floats,
                            const PropertyAttributes& attributes, TwSetVarCallback set,
                            TwGetVarCallback get);
    PropertyGroup* AddVector3(const std::string& label, f32* floats,
                              const PropertyAttributes& attributes, TwSetVarCallback set,
                              TwGetVarCallback get);
    PropertyGroup* AddVector4(const std::string& label, f32* floats,
                              const PropertyAttributes& attributes, TwSetVarCallback set,
                              TwGetVarCallback get);
    // A colour variable "Color" (the caller's callbacks) and a group "Deviation" of the four
    // deviation channels shown 0 to 255.
    PropertyGroup* AddColorWithDeviation(const std::string& label, f32* colour, f32* deviation,
                                         const PropertyAttributes& attributes, TwSetVarCallback set,
                                         TwGetVarCallback get);

    // This group if its key is `key`, else the first match depth-first among the child groups.
    PropertyGroup* FindGroup(const void* key);
    bool HasMembers() const { return !m_entries.empty(); }

    void SetKey(const void* key) { m_key = key; }
    const void* GetKey() const { return m_key; }
    using PropertyDefinition::SetKey;
    PropertyBarDefinition& GetBar() const { return *m_bar; }
    PropertyGroup& GetParent() const { return *m_parent; }
    const std::vector<PropertyGroup*>& GetChildGroups() const { return m_children; }
    const std::vector<std::unique_ptr<PropertyDefinition>>& GetEntries() const { return m_entries; }

    // Removes and destroys every entry; the group itself stays.
    void Remove() override;
    // Removes and destroys one entry made in this group (a child group with all it holds); the
    // other entries stay as they are. An entry of another group is left alone.
    void RemoveEntry(const PropertyDefinition* entry);
    void Build() override;
    void Add() override;
    void Define() override;
    // Keeps the user's open or closed state: reads "opened" back from the bar, then refreshes
    // every entry. A group without entries is left alone.
    void Refresh() override;

protected:
    // The root group of a bar: its own parent, no "group" key.
    PropertyGroup(PropertyBarDefinition& bar, const std::string& label);
    // Names the root group once the bar knows its tweak name.
    void StartRoot(const std::string& label);

private:
    PropertyVariable* AddVariable(const std::string& label, void* value, TwType type,
                                  TwSetVarCallback set, TwGetVarCallback get);
    PropertyVariable* AddRanged(const std::string& label, void* value, TwType type,
                                const PropertyAttributes* attributes, TwSetVarCallback set,
                                TwGetVarCallback get);
    PropertyGroup* AddFloatGroup(const std::string& label, f32* floats,
                                 const std::vector<const char*>& names,
                                 const PropertyAttributes& attributes, TwSetVarCallback set,
                                 TwGetVarCallback get);
    void WriteName();

    const void* m_key = nullptr;
    PropertyBarDefinition* m_bar;
    PropertyGroup* m_parent;
    std::vector<PropertyGroup*> m_children;
    std::vector<std::unique_ptr<PropertyDefinition>> m_entries;
};

// What component panels ask of the editing tools, which sit above every component: the
// "Delete" and "Copy" buttons, a refill of the particle editor's bar after a definition was
// saved, and a rebuild of the property editor after a panel changed its own entries. The tools
// system installs its actions when it starts and takes them out when it stops; until then each
// action does nothing.
struct EditorActions
{
    void (*remove)(GameObjectComponent& component) = nullptr;
    void (*copy)(GameObjectComponent& component) = nullptr;
    void (*definitionSaved)() = nullptr;
    void (*rebuildProperties)() = nullptr;
};
EditorActions& GetEditorActions();
// Calls the action when installed.
void NotifyDefinitionSaved();
void RequestPropertyRebuild();
// The name that every panel's "[Save]" saves under, one text shared by all panels.
std::string& SharedSaveName();

// Adds the child group "Options" with the buttons "Delete" and "Copy" acting on the component.
PropertyGroup* AddComponentOptions(GameObjectComponent* component, PropertyGroup& group);

// Writes "min", "max", "step" and, when given, "precision" of the attributes into an entry.
void SetRangeKeys(PropertyDefinition& entry, const PropertyAttributes& attributes);
} // namespace Tools
