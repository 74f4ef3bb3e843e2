#include "Serializer/SerializerSystem.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/Allocator.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/ObjectFromDefinition.h"
#include <new>

namespace Serializer
{
namespace System
{
namespace
{
GameFactory* Factory()
{
    return Engine::Factory();
}
} // namespace

SerializerSystem* SerializerSystem::s_instance = nullptr;

SerializerSystem::SerializerSystem() : m_manager(nullptr), m_managerAllocator(nullptr)
{
    m_name = "SerializerSystem";
    s_instance = this;
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
        CreateObject(create->senderId, create->archetype, create->objectId, create->scriptId);
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
                                           u32 objectId, u32 creatingScriptId)
{
    return Core::CreateObjectFromDefinition(creatorId, archetype, objectId, nullptr,
                                            Core::DefinitionRoad::Serializer, creatingScriptId);
}

void SerializerSystem::ApplyDefinition(GameObject& object, const tinyxml2::XMLElement* element)
{
    Core::ApplyObjectDefinition(object, element, Core::DefinitionRoad::Serializer);
}

void SerializerSystem::ApplyDefinitionAsset(GameObject& object, const ObjectDefinition& definition)
{
    Core::ApplyDefinitionAsset(object, definition);
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
