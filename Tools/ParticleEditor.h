#pragma once
// The particle editor: the bar "ParticleEditor" with which a developer creates, loads, clears,
// imports and saves the particle components of one game object (the edited object), while the
// property editor shows the components' own panels.
//
// Files go through the object-definition manager: effects in category 1, particle data in 2,
// emitters in 3. An effect file's root element is named after the effect; inside it come the
// object's transform, every particle data component, then the emitters grouped by shape (point,
// circle, line, square, sphere, cylinder, cube, mesh), each group in the object's order.
//
// Names: a name that is taken gets a decimal counter appended; any character that cannot stand
// in an XML name becomes '_', and a leading digit gets '_' before it, since the name is both the
// file's and its root element's (Serializer::CleanXmlName). Saving never writes into another
// effect: a refused rename saves under a unique name instead, with a log line. A save replaces
// the effect's file in one step or not at all (Platform/AtomicFile.h): a file that cannot be
// written whole stays as it was, with a log line.
//
// Buttons only change the edited object and mark a property-editor refresh; every handler
// returns at once when the edited object is gone.
//
// Main thread only.
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyEnum.h"
#include "Math/Types.h"
#include <string>

namespace tinyxml2
{
class XMLDocument;
}

namespace Serializer
{
class ObjectDefinition;
}

namespace Tools
{
class PropertyBar;
class PropertyEditor;

namespace System
{
class PropertyBarManager;
}

class ParticleEditor
{
public:
    static constexpr const char* BarName = "ParticleEditor";
    static constexpr const char* DefaultEffectName = "ParticleEffect";
    static constexpr const char* TemplateData = "DefaultParticleData";
    static constexpr const char* TemplateEmitter = "__DefaultParticleEmitter__";

    explicit ParticleEditor(PropertyEditor* propertyEditor);

    // Adds the hidden "ParticleEditor" bar to the manager and fills it.
    void CreateBar(System::PropertyBarManager& manager);
    // Edits the object: the bar is shown and the editor bars with it.
    void Attach(u32 objectId);
    void Detach();
    // Rebuilds the bar's entries.
    void FillBar();

    // The buttons, callable directly.
    void New();
    void Save();
    void SaveAs();
    void Load();
    void ClearAll();
    void ClearData();
    void ClearEmitters();
    void ImportEffect();
    void ImportData();
    void ImportEmitter();
    void ApplyTemplateData();
    void ApplyTemplateEmitter();
    void RefreshWindow();

    // The name itself when no effect holds it, else the first free name with a counter.
    static std::string UniqueEffectName(const std::string& name);

    u32 GetEditedObject() const { return m_editedObject; }
    std::string& NewName() { return m_newName; }
    std::string& SaveName() { return m_saveName; }
    std::string& SaveAsName() { return m_saveAsName; }
    NamedValue& LoadChoice() { return m_loadChoice; }
    NamedValue& ImportEffectChoice() { return m_importEffectChoice; }
    NamedValue& ImportDataChoice() { return m_importDataChoice; }
    NamedValue& ImportEmitterChoice() { return m_importEmitterChoice; }
    const Serializer::ObjectDefinition* GetCurrentEffect() const { return m_currentEffect; }

private:
    GameObject* EditedObject() const;
    PropertyBar* FindBar() const;
    void RemoveComponentsNamed(GameObject& object, const char* const* names, std::size_t count);
    void ImportFromCategory(const std::string& name, u32 category);
    void SaveEffect();
    // Writes the effect under m_saveName into the document and saves its file; false on a
    // write failure (logged).
    bool WriteEffect(tinyxml2::XMLDocument& document);
    std::string EffectPath(const std::string& name) const;
    void RefreshProperties();

    PropertyEditor* m_propertyEditor;
    System::PropertyBarManager* m_manager = nullptr;
    u32 m_editedObject = 0;
    const Serializer::ObjectDefinition* m_currentEffect = nullptr;
    std::string m_newName;
    std::string m_saveName;
    std::string m_saveAsName;
    NamedValue m_loadChoice;
    NamedValue m_importEffectChoice;
    NamedValue m_importDataChoice;
    NamedValue m_importEmitterChoice;
};
} // namespace Tools
