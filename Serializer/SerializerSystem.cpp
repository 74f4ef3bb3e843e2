#include "Serializer/SerializerSystem.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Memory/Allocator.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include <new>
#include <tinyxml2.h>

namespace Serializer
{
namespace System
{
namespace
{
GameFactory* Factory()
{
    return g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
}

// The error sink writes the report to the log; without an engine the log gets it directly.
void ReportMissingDefinition(const std::string& name)
{
    const ErrorReport report("Invalid object definition: " + name, 0);
    if (g_Engine != nullptr)
        g_Engine->LogError(report);
    else
        Core::Log() << "Error report (level " << report.level << "): " << report.text << '\n';
}
} // namespace

SerializerSystem* SerializerSystem::s_instance = nullptr;
u32 SerializerSystem::s_applyDepth = 0;

SerializerSystem::SerializerSystem() : m_manager(nullptr), m_managerAllocator(nullptr)
{
    m_name = "SerializerSystem";
    s_instance = this;
    // Components of the core that create objects (mounts) fill them through this.
    Core::Services().applyDefinition.Install(&SerializerSystem::ApplyDefinition);
}

SerializerSystem::~SerializerSystem()
{
    if (m_manager != nullptr)
    {
        // Cleared first, so that nothing the unloading runs can reach a half-destroyed manager.
        if (ObjectDefinitionManager::s_instance == m_manager)
            ObjectDefinitionManager::s_instance = nullptr;
        m_manager->UnloadAll();
        m_manager->~ObjectDefinitionManager();
        if (m_managerAllocator != nullptr)
            m_managerAllocator->Free(m_manager, static_cast<u32>(sizeof(ObjectDefinitionManager)));
        else
            ::operator delete(m_manager);
        m_manager = nullptr;
    }
    Core::Services().applyDefinition.Remove(&SerializerSystem::ApplyDefinition);
    if (s_instance == this)
        s_instance = nullptr;
}

void SerializerSystem::Initialize(u32 launchFlags)
{
    if (ObjectDefinitionManager::s_instance != nullptr)
    {
        Core::Log() << "Error [SerializerSystem]: the object definitions are already loaded\n";
        return;
    }
    m_managerAllocator = g_Engine != nullptr ? g_Engine->GetAllocator() : nullptr;
    void* block =
        m_managerAllocator != nullptr
            ? m_managerAllocator->Allocate(static_cast<u32>(sizeof(ObjectDefinitionManager)))
            : ::operator new(sizeof(ObjectDefinitionManager));
    m_manager = new (block) ObjectDefinitionManager();
    ObjectDefinitionManager::s_instance = m_manager;
    m_manager->LoadAll(launchFlags);
}

void SerializerSystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case ObjectCreateMessage::Type:
    {
        const auto* create = static_cast<ObjectCreateMessage*>(message);
        // The sender becomes the creator.
        CreateObject(create->senderId, create->archetype, create->objectId);
        break;
    }
    case ObjectDestroyMessage::Type:
        DestroyObject(static_cast<ObjectDestroyMessage*>(message)->objectId);
        break;
    case KeyboardMessage::Type:
    {
        const auto* key = static_cast<KeyboardMessage*>(message);
        if (key->keyCode != ReloadKey || key->state != KS_TRIGGER)
            break;
        Core::Log() << "SerializerSystem::HandleMessage is handling F8 key trigger\n";
        if (ObjectDefinitionManager* manager = ObjectDefinitionManager::Instance())
            manager->ReloadAll();
        break;
    }
    default:
        break;
    }
}

GameObject* SerializerSystem::CreateObject(u32 creatorId, const std::string& archetype,
                                           u32 objectId)
{
    GameFactory* factory = Factory();
    if (factory == nullptr)
    {
        Core::Log() << "Error [SerializerSystem]: no game factory to create " << archetype << '\n';
        return nullptr;
    }
    GameObject* object = factory->CreateObject(archetype, objectId);
    if (object == nullptr)
        return nullptr;
    object->SetCreatorId(creatorId);
    ApplyDefinition(*object, nullptr);
    return object;
}

void SerializerSystem::ApplyDefinition(GameObject& object, const tinyxml2::XMLElement* element)
{
    // A definition whose components create objects of its own archetype would otherwise nest
    // until the stack runs out.
    if (s_applyDepth >= MaxApplyDepth)
    {
        Core::Log() << "Error [SerializerSystem]: definitions nest deeper than " << MaxApplyDepth
                    << " objects; " << object.GetName() << " (object " << object.GetId()
                    << ") gets no components\n";
        return;
    }
    struct DepthGuard
    {
        DepthGuard() { ++s_applyDepth; }
        ~DepthGuard() { --s_applyDepth; }
    } guard;

    if (element != nullptr && element->FirstChild() != nullptr)
    {
        // Inline: an element whose only child is text holds no component and adds nothing.
        if (const tinyxml2::XMLElement* first = element->FirstChildElement())
            object.Deserialize(first);
        return;
    }
    const ObjectDefinitionManager* manager = ObjectDefinitionManager::Instance();
    const ObjectDefinition* definition =
        manager != nullptr ? manager->FindDefinition(object.GetName()) : nullptr;
    if (definition == nullptr)
    {
        ReportMissingDefinition(object.GetName());
        return;
    }
    ApplyDefinitionAsset(object, *definition);
}

void SerializerSystem::ApplyDefinitionAsset(GameObject& object, const ObjectDefinition& definition)
{
    if (!definition.IsValid())
    {
        Core::Log() << "Error [SerializerSystem]: definition " << definition.GetName()
                    << " did not parse; object " << object.GetId() << " gets no components\n";
        return;
    }
    // A definition without components is a valid, empty object.
    if (const tinyxml2::XMLElement* first = definition.GetFirstComponentElement())
    {
        const GameObject::SourceFileScope source(definition.GetParam().path);
        object.Deserialize(first);
    }
}

bool SerializerSystem::HasObjectDefinition(const std::string& name)
{
    const ObjectDefinitionManager* manager = ObjectDefinitionManager::Instance();
    if (manager == nullptr)
        return false;
    const ObjectDefinition* definition =
        manager->Find(name, ObjectDefinitionManager::ObjectCategory);
    return definition != nullptr && definition->GetDocument() != nullptr;
}

void SerializerSystem::DestroyObject(u32 objectId)
{
    if (GameFactory* factory = Factory())
        factory->DestroyObject(objectId);
}
} // namespace System
} // namespace Serializer
