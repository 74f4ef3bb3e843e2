#include "Tools/ToolsSystem.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Editor/AttachParticleEditorMessage.h"
#include "Core/Messages/Editor/AttachPropertyEditorMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Tools/ParticleEditor.h"
#include "Tools/PropertyBarManager.h"
#include "Tools/PropertyEditor.h"
#include "Tools/TweakStructs.h"
#include "TweakBar/TweakBar.h"
#include "Xml/XmlReader.h"
#include <tinyxml2.h>

namespace Tools
{
namespace System
{
ToolsSystem* ToolsSystem::s_instance = nullptr;

namespace
{
GameObject* OwnerOf(const GameObjectComponent& component)
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr ? factory->FindObject(component.GetOwner()) : nullptr;
}

void RequestPropertyRefresh()
{
    if (ToolsSystem* tools = ToolsSystem::Instance())
    {
        if (PropertyEditor* editor = tools->GetPropertyEditor())
            editor->RequestRefresh();
    }
}
// Bars placed from the right, bottom or centre follow the window's new size.
void ReloadBars()
{
    if (ToolsSystem* tools = ToolsSystem::Instance())
    {
        if (PropertyBarManager* bars = tools->GetBarManager())
            bars->ReloadAll();
    }
}

void DropDestroyedComponent(const GameObjectComponent* component, u32 ownerId)
{
    if (ToolsSystem* tools = ToolsSystem::Instance())
    {
        if (PropertyEditor* editor = tools->GetPropertyEditor())
            editor->ComponentDestroyed(component, ownerId);
    }
}

void RefillParticleBar()
{
    if (ToolsSystem* tools = ToolsSystem::Instance())
    {
        if (ParticleEditor* editor = tools->GetParticleEditor())
            editor->FillBar();
    }
}
} // namespace

ToolsSystem::ToolsSystem()
{
    s_instance = this;
    EditorActions& actions = GetEditorActions();
    actions.remove = &DeleteComponent;
    actions.copy = &CopyComponent;
    actions.definitionSaved = &RefillParticleBar;
    actions.rebuildProperties = &RequestPropertyRefresh;
    Core::Services().reloadEditorBars.Install(&ReloadBars);
    Core::Services().componentDestroyed.Install(&DropDestroyedComponent);
}

ToolsSystem::~ToolsSystem()
{
    EditorActions& actions = GetEditorActions();
    if (actions.remove == &DeleteComponent)
        actions = EditorActions();
    Core::Services().reloadEditorBars.Remove(&ReloadBars);
    Core::Services().componentDestroyed.Remove(&DropDestroyedComponent);
    // Bars first (they hold entries bound to the editors' values), then the editors.
    if (m_barManager)
        m_barManager->UnloadAll();
    m_barManager.reset();
    m_propertyEditor.reset();
    m_particleEditor.reset();
    TwTerminate();
    if (s_instance == this)
        s_instance = nullptr;
}

void ToolsSystem::Initialize(u32 launchFlags)
{
    DefineAllTweakStructs();
    m_propertyEditor = std::make_unique<PropertyEditor>();
    m_particleEditor = std::make_unique<ParticleEditor>(m_propertyEditor.get());
    m_barManager =
        std::make_unique<PropertyBarManager>(m_propertyEditor.get(), m_particleEditor.get());
    m_barManager->LoadAll(launchFlags);
}

void ToolsSystem::Update(f32)
{
    if (m_propertyEditor)
        m_propertyEditor->Update();
}

void ToolsSystem::HandleMessage(Message* message)
{
    if (message == nullptr || !m_propertyEditor || !m_particleEditor)
        return;
    switch (message->type)
    {
    case MT_INPUT_MOVE:
        if (!m_propertyEditor->IsKeptOpen())
            m_propertyEditor->Detach();
        break;
    case MT_INPUT_ACTION:
    {
        const auto* action = static_cast<const InputActionMessage*>(message);
        if (!m_propertyEditor->IsKeptOpen() && action->action == PickAction &&
            action->state == KS_TRIGGER)
            m_propertyEditor->Pick();
        break;
    }
    case MT_ATTACH_PROPERTY_EDITOR:
    {
        const auto* attach = static_cast<const AttachPropertyEditorMessage*>(message);
        m_propertyEditor->AttachTo(attach->objectId, attach->keepOpen != 0);
        break;
    }
    case MT_DETACH_PROPERTY_EDITOR:
        m_propertyEditor->Detach();
        break;
    case MT_ATTACH_PARTICLE_EDITOR:
    {
        const auto* attach = static_cast<const AttachParticleEditorMessage*>(message);
        m_particleEditor->Attach(attach->objectId);
        m_propertyEditor->AttachTo(attach->objectId, true);
        break;
    }
    case MT_DETACH_PARTICLE_EDITOR:
        m_particleEditor->Detach();
        break;
    default:
        break;
    }
}

void ToolsSystem::DeleteComponent(GameObjectComponent& component)
{
    GameObject* owner = OwnerOf(component);
    if (owner == nullptr)
    {
        Core::Log() << "Warning [ToolsSystem]: the component " << component.GetName()
                    << " to delete has no object; nothing removed\n";
        return;
    }
    owner->RemoveComponent(component.GetId());
    RequestPropertyRefresh();
}

void ToolsSystem::CopyComponent(GameObjectComponent& component)
{
    GameObject* owner = OwnerOf(component);
    GameFactory* factory = Engine::Factory();
    if (owner == nullptr || factory == nullptr)
    {
        Core::Log() << "Warning [ToolsSystem]: the component " << component.GetName()
                    << " to copy has no object; nothing copied\n";
        return;
    }
    const std::string typeName = component.GetName();
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* outer = document.NewElement(typeName.c_str());
    GameObject::SerializeComponent(document, outer, component);
    document.InsertEndChild(outer);

    GameObjectComponent* copy = factory->CreateComponent(typeName);
    if (copy == nullptr)
    {
        Core::Log() << "Warning [ToolsSystem]: no component of type " << typeName
                    << " could be made; nothing copied\n";
        return;
    }
    owner->AddComponent(copy);
    Serializer::XmlReader reader(outer->FirstChildElement(), true);
    copy->Deserialize(reader);
    RequestPropertyRefresh();
}
} // namespace System
} // namespace Tools
