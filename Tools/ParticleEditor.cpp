#include "Tools/ParticleEditor.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/PropertyModel/PropertyButton.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Graphics/GraphicsSystem.h"
#include "Platform/AtomicFile.h"
#include "Serializer/SerializerSystem.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyBarManager.h"
#include "Tools/PropertyEditor.h"
#include "Xml/XmlFile.h"
#include <tinyxml2.h>
#include <vector>

namespace Tools
{
namespace
{
using Manager = Serializer::ObjectDefinitionManager;

constexpr const char* BarHelp = "Particle editing control panel.";
// Measured from the right and bottom edges.
constexpr f32 BarPosition[2] = {0.0f, 128.0f};
constexpr f32 BarSize[2] = {300.0f, 280.0f};
constexpr f32 BarColour[4] = {32.0f, 32.0f, 64.0f, 255.0f};
constexpr s32 FromRight = 1;
constexpr s32 FromBottom = 0;

constexpr const char* DataType = "ParticleSystemComponent";
// The emitter shapes, in the order an effect file lists them.
constexpr const char* EmitterTypes[] = {
    "PointEmitterComponent",  "CircleEmitterComponent", "LineEmitterComponent",
    "SquareEmitterComponent", "SphereEmitterComponent", "CylinderEmitterComponent",
    "CubeEmitterComponent",   "MeshEmitterComponent",
};

Manager* Definitions()
{
    return Manager::Instance();
}

SharedEnumType CategoryEnum(u32 category)
{
    SharedEnumType shared;
    const Manager* manager = Definitions();
    const auto* record = manager != nullptr ? manager->GetCategory(category) : nullptr;
    if (record != nullptr)
    {
        shared.values = record->editorValues.Get();
        shared.type = record->editorType;
        shared.count = record->editorValueCount;
    }
    return shared;
}

ParticleEditor& EditorOf(void* clientData)
{
    return *static_cast<ParticleEditor*>(static_cast<PropertyButton*>(clientData)->GetUserData());
}

// One bar callback per button; each hands over to the editor.
template <void (ParticleEditor::*Action)()> void ButtonCallback(void* clientData)
{
    (EditorOf(clientData).*Action)();
}
} // namespace

ParticleEditor::ParticleEditor(PropertyEditor* propertyEditor) : m_propertyEditor(propertyEditor) {}

void ParticleEditor::CreateBar(System::PropertyBarManager& manager)
{
    m_manager = &manager;
    PropertyBarParam param;
    param.position[0] = BarPosition[0];
    param.position[1] = BarPosition[1];
    param.size[0] = BarSize[0];
    param.size[1] = BarSize[1];
    // Titled with its own name, not the numbered name the bar layer knows it by.
    param.label = BarName;
    param.help = BarHelp;
    for (std::size_t i = 0; i < std::size(BarColour); ++i)
        param.colour[i] = BarColour[i];
    param.horizontalAlignment = FromRight;
    param.verticalAlignment = FromBottom;
    PropertyBar* bar = manager.Add(BarName, param, System::PropertyBarManager::BarCategory);
    if (bar == nullptr)
    {
        Core::Log() << "Error [ParticleEditor]: the bar " << BarName << " could not be made\n";
        return;
    }
    bar->SetBarKey("visible", "false");
    FillBar();
}

PropertyBar* ParticleEditor::FindBar() const
{
    return m_manager != nullptr ? m_manager->Find(BarName, System::PropertyBarManager::BarCategory)
                                : nullptr;
}

GameObject* ParticleEditor::EditedObject() const
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr && m_editedObject != 0 ? factory->FindObject(m_editedObject)
                                                     : nullptr;
}

void ParticleEditor::Attach(u32 objectId)
{
    m_editedObject = objectId;
    if (PropertyBar* bar = FindBar())
        bar->SetBarKey("visible", "true");
    if (Graphics::System::GraphicsSystem* graphics = Graphics::System::GraphicsSystem::Instance())
        graphics->SetEditorBarsShown(true);
}

void ParticleEditor::Detach()
{
    m_editedObject = 0;
    if (PropertyBar* bar = FindBar())
        bar->SetBarKey("visible", "false");
    if (Graphics::System::GraphicsSystem* graphics = Graphics::System::GraphicsSystem::Instance())
        graphics->SetEditorBarsShown(false);
}

void ParticleEditor::FillBar()
{
    PropertyBar* bar = FindBar();
    if (bar == nullptr)
        return;
    bar->RemoveEntries();
    void* self = this;

    PropertyGroup* group = bar->AddGroup("New");
    group->AddString("Filename", &m_newName, nullptr, &SetStringCallback, &GetStringCallback);
    group->AddButton("[New]", self, &ButtonCallback<&ParticleEditor::New>);
    group->SetKey("opened", "1");
    group->Define();

    group = bar->AddGroup("Save");
    group->AddString("Filename", &m_saveName, nullptr, &SetStringCallback, &GetStringCallback);
    group->AddButton("[Save]", self, &ButtonCallback<&ParticleEditor::Save>);
    group->AddString("Filename", &m_saveAsName, nullptr, &SetStringCallback, &GetStringCallback);
    group->AddButton("[Save As]", self, &ButtonCallback<&ParticleEditor::SaveAs>);
    group->SetKey("opened", "1");
    group->Define();

    group = bar->AddGroup("Load");
    group->AddNamedEnum("Premade Effects", &m_loadChoice, CategoryEnum(Manager::EffectCategory));
    group->AddButton("[Load]", self, &ButtonCallback<&ParticleEditor::Load>);
    group->SetKey("opened", "1");
    group->Define();

    group = bar->AddGroup("Clear");
    group->AddButton("[Clear All]", self, &ButtonCallback<&ParticleEditor::ClearAll>);
    group->AddButton("[Clear Data]", self, &ButtonCallback<&ParticleEditor::ClearData>);
    group->AddButton("[Clear Emitters]", self, &ButtonCallback<&ParticleEditor::ClearEmitters>);
    group->SetKey("opened", "1");
    group->Define();

    group = bar->AddGroup("Import");
    group->AddNamedEnum("Premade Effects", &m_importEffectChoice,
                        CategoryEnum(Manager::EffectCategory));
    group->AddButton("[Import Effect]", self, &ButtonCallback<&ParticleEditor::ImportEffect>);
    group->AddNamedEnum("Premade Data", &m_importDataChoice, CategoryEnum(Manager::DataCategory));
    group->AddButton("[Import Data]", self, &ButtonCallback<&ParticleEditor::ImportData>);
    group->AddNamedEnum("Premade Emitters", &m_importEmitterChoice,
                        CategoryEnum(Manager::EmitterCategory));
    group->AddButton("[Import Emitter]", self, &ButtonCallback<&ParticleEditor::ImportEmitter>);
    group->AddSeparator("");
    group->AddButton("Template Data", self, &ButtonCallback<&ParticleEditor::ApplyTemplateData>);
    group->AddButton("Template Emitter", self,
                     &ButtonCallback<&ParticleEditor::ApplyTemplateEmitter>);
    group->Define();

    group = bar->AddGroup("Refresh");
    group->AddButton("[Refresh Window]", self, &ButtonCallback<&ParticleEditor::RefreshWindow>);
    group->SetKey("opened", "1");
    group->Define();

    bar->SetKey("opened", "1");
    bar->ApplyDefinition();
}

std::string ParticleEditor::UniqueEffectName(const std::string& name)
{
    const Manager* manager = Definitions();
    if (manager == nullptr || manager->FindHashHolder(name, Manager::EffectCategory) == nullptr)
        return name;
    for (u32 counter = 0;; ++counter)
    {
        const std::string candidate = name + std::to_string(counter);
        if (manager->FindHashHolder(candidate, Manager::EffectCategory) == nullptr)
            return candidate;
    }
}

std::string ParticleEditor::EffectPath(const std::string& name) const
{
    return std::string(Manager::Categories[Manager::EffectCategory].folder) + '/' + name +
           Manager::DefinitionExtension;
}

void ParticleEditor::RefreshProperties()
{
    if (m_propertyEditor != nullptr)
        m_propertyEditor->RequestRefresh();
}

void ParticleEditor::RemoveComponentsNamed(GameObject& object, const char* const* names,
                                           std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        // Ids first: removing shuts a component down, which may change the list.
        std::vector<u32> ids;
        for (const GameObject::ComponentEntry& entry : object.GetComponentList())
        {
            if (entry.component->GetName() == names[i])
                ids.push_back(entry.component->GetId());
        }
        for (const u32 id : ids)
            object.RemoveComponent(id);
    }
}

void ParticleEditor::New()
{
    if (EditedObject() == nullptr)
        return;
    m_currentEffect = nullptr;
    m_newName = UniqueEffectName(
        Serializer::CleanXmlName(m_newName.empty() ? DefaultEffectName : m_newName));
    m_saveName = m_newName;
    ClearAll();
    ApplyTemplateData();
    ApplyTemplateEmitter();
    RefreshProperties();
}

void ParticleEditor::Save()
{
    Manager* manager = Definitions();
    if (EditedObject() == nullptr || manager == nullptr)
        return;
    if (m_currentEffect == nullptr)
    {
        m_saveName = UniqueEffectName(
            Serializer::CleanXmlName(m_saveName.empty() ? DefaultEffectName : m_saveName));
        SaveEffect();
        return;
    }
    m_saveName =
        Serializer::CleanXmlName(m_saveName.empty() ? m_currentEffect->GetName() : m_saveName);
    if (m_currentEffect->GetName() != m_saveName &&
        !manager->RenameDefinition(m_currentEffect->GetName(), m_saveName, Manager::EffectCategory))
    {
        const std::string refused = m_saveName;
        m_saveName = UniqueEffectName(m_saveName);
        Core::Log() << "Warning [ParticleEditor]: the effect " << m_currentEffect->GetName()
                    << " could not be renamed to " << refused << "; saved as " << m_saveName
                    << " instead\n";
        SaveEffect();
        return;
    }
    Serializer::ObjectDefinition* definition = manager->Find(m_saveName, Manager::EffectCategory);
    if (definition == nullptr)
        return;
    m_currentEffect = definition;
    m_loadChoice.name = m_saveName;
    m_loadChoice.value = static_cast<s32>(definition->GetIndex());
    m_importEffectChoice.name = m_currentEffect->GetName();
    FillBar();
    tinyxml2::XMLDocument document;
    if (WriteEffect(document))
        definition->Reload();
}

void ParticleEditor::SaveAs()
{
    if (EditedObject() == nullptr)
        return;
    m_saveAsName = UniqueEffectName(
        Serializer::CleanXmlName(m_saveAsName.empty() ? DefaultEffectName : m_saveAsName));
    m_saveName = m_saveAsName;
    SaveEffect();
}

void ParticleEditor::SaveEffect()
{
    Manager* manager = Definitions();
    tinyxml2::XMLDocument document;
    if (manager == nullptr || !WriteEffect(document))
        return;
    m_currentEffect =
        manager->Add(m_saveName, Serializer::ObjectDefinitionParam{EffectPath(m_saveName)},
                     Manager::EffectCategory);
    manager->DefineEditorEnum(Manager::Categories[Manager::EffectCategory].name,
                              Manager::EffectCategory);
    FillBar();
}

bool ParticleEditor::WriteEffect(tinyxml2::XMLDocument& document)
{
    GameObject* object = EditedObject();
    if (object == nullptr)
        return false;
    document.Clear();
    tinyxml2::XMLElement* root = document.NewElement(m_saveName.c_str());
    if (auto* transform = object->GetComponent<TransformComponent>())
        GameObject::SerializeComponent(document, root, *transform);
    const GameObject::ComponentList components = object->GetComponentList();
    for (const GameObject::ComponentEntry& entry : components)
    {
        if (entry.component->GetName() == DataType)
            GameObject::SerializeComponent(document, root, *entry.component);
    }
    for (const char* emitterType : EmitterTypes)
    {
        for (const GameObject::ComponentEntry& entry : components)
        {
            if (entry.component->GetName() == emitterType)
                GameObject::SerializeComponent(document, root, *entry.component);
        }
    }
    document.InsertEndChild(root);
    const std::string path = EffectPath(m_saveName);
    std::string reason;
    if (!Platform::WriteFileAtomically(path, Serializer::PrintXmlDocument(document), reason))
    {
        Core::Log() << "Error [ParticleEditor]: the effect " << m_saveName
                    << " could not be written to " << path << " (" << reason << ")\n";
        return false;
    }
    return true;
}

void ParticleEditor::Load()
{
    const Manager* manager = Definitions();
    if (EditedObject() == nullptr || manager == nullptr || m_loadChoice.name.empty())
        return;
    const Serializer::ObjectDefinition* definition =
        manager->Find(m_loadChoice.name, Manager::EffectCategory);
    if (definition == nullptr)
        return;
    ClearAll();
    ImportFromCategory(definition->GetName(), Manager::EffectCategory);
    m_saveName = definition->GetName();
    m_currentEffect = definition;
    RefreshProperties();
}

void ParticleEditor::ClearAll()
{
    ClearData();
    ClearEmitters();
}

void ParticleEditor::ClearData()
{
    GameObject* object = EditedObject();
    if (object == nullptr)
        return;
    RemoveComponentsNamed(*object, &DataType, 1);
    RefreshProperties();
}

void ParticleEditor::ClearEmitters()
{
    GameObject* object = EditedObject();
    if (object == nullptr)
        return;
    RemoveComponentsNamed(*object, EmitterTypes, std::size(EmitterTypes));
    RefreshProperties();
}

void ParticleEditor::ImportFromCategory(const std::string& name, u32 category)
{
    GameObject* object = EditedObject();
    const Manager* manager = Definitions();
    if (object == nullptr || manager == nullptr)
        return;
    const Serializer::ObjectDefinition* definition = manager->Find(name, category);
    if (definition == nullptr)
    {
        Core::Log() << "Warning [ParticleEditor]: no definition " << name << " in category "
                    << category << "; nothing imported\n";
        return;
    }
    if (category == Manager::EffectCategory)
    {
        if (const tinyxml2::XMLElement* first = definition->GetFirstComponentElement())
        {
            const GameObject::SourceFileScope source(definition->GetParam().path);
            object->Deserialize(first);
        }
    }
    else
    {
        Serializer::System::SerializerSystem::ApplyDefinitionAsset(*object, *definition);
    }
    RefreshProperties();
}

void ParticleEditor::ImportEffect()
{
    ImportFromCategory(m_importEffectChoice.name, Manager::EffectCategory);
}

void ParticleEditor::ImportData()
{
    ImportFromCategory(m_importDataChoice.name, Manager::DataCategory);
}

void ParticleEditor::ImportEmitter()
{
    ImportFromCategory(m_importEmitterChoice.name, Manager::EmitterCategory);
}

void ParticleEditor::ApplyTemplateData()
{
    ImportFromCategory(TemplateData, Manager::DataCategory);
}

void ParticleEditor::ApplyTemplateEmitter()
{
    ImportFromCategory(TemplateEmitter, Manager::EmitterCategory);
}

void ParticleEditor::RefreshWindow()
{
    RefreshProperties();
}
} // namespace Tools
