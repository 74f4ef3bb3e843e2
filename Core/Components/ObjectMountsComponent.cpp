#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Memory/ObjectAllocator.h"
#include "Core/Messages/Graphics/SetLightDiffuseToMessage.h"
#include "Core/Messages/Graphics/SetLightRadiusToMessage.h"
#include "Core/Messages/Graphics/SetLightSpecularToMessage.h"
#include "Core/Messages/Graphics/SetParticleColorMessage.h"
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "Core/Messages/Object/MountObjectCreateMessage.h"
#include "Core/Messages/Object/MountObjectRemoveMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/ObjectFromDefinition.h"
#include "Xml/MathValueXml.h"
#include "Xml/XmlReader.h"
#include <algorithm>
#include <tinyxml2.h>

namespace
{
GameFactory* Factory()
{
    return Engine::Factory();
}

// Mount lists of destroyed carriers, handed to the carriers made next: a projectile carrying
// its glow is born and destroyed many times a second in a fight, and its list then costs the
// heap nothing. Never destroyed (carriers may go after the program's statics); none are kept
// where the pools hand out heap memory (the sanitizer builds). Main thread only.
constexpr std::size_t SpareMountListLimit = 256;

std::vector<std::vector<u32>>& SpareMountLists()
{
    static auto* lists = new std::vector<std::vector<u32>>();
    return *lists;
}
} // namespace

QUILL_DEFINE_TYPE_RECORD(ObjectMountsComponent, &TypeRecordOf<GameObjectComponent>(), false)

ObjectMountsComponent::ObjectMountsComponent() : GameObjectComponent(true)
{
    std::vector<std::vector<u32>>& spare = SpareMountLists();
    if (spare.empty())
        return;
    m_mounts.swap(spare.back());
    spare.pop_back();
}

ObjectMountsComponent::~ObjectMountsComponent()
{
    std::vector<std::vector<u32>>& spare = SpareMountLists();
    if (PoolsUseHeap || m_mounts.capacity() == 0 || spare.size() >= SpareMountListLimit)
        return;
    m_mounts.clear();
    spare.push_back(std::move(m_mounts));
}

void ObjectMountsComponent::RegisterMembers()
{
    TypeRecord& record = TypeRecordOf<ObjectMountsComponent>();
    record.SetConstruct(&ConstructDefaultOrCopy<ObjectMountsComponent>);
    record.SetDestroy(&DestroyInPlace<ObjectMountsComponent>);
    record.SetAssign(&AssignCopy<ObjectMountsComponent>);
}

void ObjectMountsComponent::Shutdown()
{
    // Emptied first: a mounted object's own shutdown may reach back to this carrier.
    std::vector<u32> mounts;
    mounts.swap(m_mounts);
    GameFactory* factory = Factory();
    if (factory == nullptr)
        return;
    for (u32 id : mounts)
        factory->DestroyObject(id); // an object destroyed already is not found
    // The list's storage stays with the carrier (handed on when it is destroyed), unless a
    // mounted object's shutdown mounted something anew.
    if (m_mounts.capacity() == 0)
    {
        mounts.clear();
        m_mounts.swap(mounts);
    }
}

void ObjectMountsComponent::Deserialize(Serializer::XmlReader& reader)
{
    GameFactory* factory = Factory();
    if (factory == nullptr)
        return;
    while (const tinyxml2::XMLElement* element = reader.CurrentElement())
    {
        const u32 id = Engine::GenerateId();
        GameObject* mount = Core::CreateObjectFromDefinition(m_owner, element->Name(), id, element);
        reader.NextElement();
        // The transform elements belong to this mount whether or not it has a transform to
        // take them; they are never archetypes of their own.
        Math::Point4 position;
        Math::Quaternion orientation;
        Math::Vector3 scale(1.0f, 1.0f, 1.0f);
        TransformComponent* transform = nullptr;
        if (mount != nullptr)
        {
            m_mounts.push_back(id);
            // The definition may have destroyed what it built; look again.
            mount = factory->FindObject(id);
            transform = mount != nullptr ? mount->GetComponent<TransformComponent>() : nullptr;
        }
        Serializer::ReadPoint4(reader, transform != nullptr ? transform->position : position,
                               "position");
        Serializer::ReadQuaternion(
            reader, transform != nullptr ? transform->orientation : orientation, "orientation");
        Serializer::ReadVector3(reader, transform != nullptr ? transform->scale : scale, "scale");
        if (transform != nullptr)
            transform->updateRelativeToCreator = true;
    }
}

void ObjectMountsComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case MountObjectCreateMessage::Type:
    {
        const auto* create = static_cast<MountObjectCreateMessage*>(message);
        CreateMount(create->objectId, create->archetype, create->offset, create->senderId,
                    create->scriptId);
        break;
    }
    case MountObjectRemoveMessage::Type:
    {
        const auto* remove = static_cast<MountObjectRemoveMessage*>(message);
        RemoveMount(remove->objectId, remove->archetype, remove->destroy);
        break;
    }
    case SetLightDiffuseToMessage::Type:
    case SetLightSpecularToMessage::Type:
    case SetLightRadiusToMessage::Type:
    case SetParticlePlayMessage::Type:
    case SetParticleColorMessage::Type:
    {
        GameFactory* factory = Factory();
        if (factory == nullptr)
            break;
        // A copy: a mounted object's handler may mount or remove.
        const std::vector<u32> mounts = m_mounts;
        for (u32 id : mounts)
        {
            if (GameObject* mount = factory->FindObject(id))
                mount->HandleMessage(message);
        }
        break;
    }
    default:
        break;
    }
}

void ObjectMountsComponent::CreateMount(u32 objectId, const std::string& archetype,
                                        const Math::Point4& offset, u32 senderId,
                                        u32 creatingScriptId)
{
    GameObject* mount = Core::CreateObjectFromDefinition(
        senderId, archetype, objectId, nullptr, Core::DefinitionRoad::Component, creatingScriptId);
    if (mount == nullptr)
        return;
    // The definition records the sender as creator while it is applied; the carrier follows.
    mount->SetCreatorId(m_owner);
    m_mounts.push_back(objectId);
    if (TransformComponent* transform = mount->GetComponent<TransformComponent>())
    {
        transform->position = offset;
        transform->mountedOnObjectId = m_owner;
        transform->updateRelativeToCreator = true;
    }
}

void ObjectMountsComponent::RemoveMount(u32 objectId, const std::string& archetype, bool destroy)
{
    GameFactory* factory = Factory();
    if (factory == nullptr)
        return;
    // By id when no archetype is named, else the first mount made from that archetype.
    const auto matches = [&](u32 id)
    {
        if (archetype.empty())
            return id == objectId;
        const GameObject* mount = factory->FindObject(id);
        return mount != nullptr && mount->GetName() == archetype;
    };
    RemoveFirstMount(*this, m_mounts, *factory, matches, destroy);
}

void ObjectMountsComponent::TakeOffMount(const GameObjectComponent& carrier,
                                         std::vector<u32>& mounts, std::vector<u32>::iterator match,
                                         GameFactory& factory, bool destroy)
{
    const u32 id = *match;
    mounts.erase(match);
    if (destroy)
    {
        if (g_Engine != nullptr)
            Core::PostNew<ObjectDestroyMessage>(carrier.GetName().c_str(), 0.0f, carrier.GetOwner(),
                                                id, 0u);
        return;
    }
    if (GameObject* mount = factory.FindObject(id))
        DetachInPlace(*mount);
}

void ObjectMountsComponent::DetachInPlace(GameObject& mount)
{
    TransformComponent* transform = mount.GetComponent<TransformComponent>();
    if (transform == nullptr)
        return;
    // Both read while the transform still follows its carrier: where it is drawn now. The
    // translation of the full matrix, not of the translation chain, so that a turned carrier
    // does not make the mount jump.
    const Math::Point4 position = transform->GetTransformMatrix().GetTranslation();
    const Math::Quaternion orientation = transform->GetRotationMatrix().GetRotation();
    transform->position = position;
    transform->orientation = orientation;
    transform->updateRelativeToCreator = false;
    transform->mountedOnObjectId = 0;
}

u32 ObjectMountsComponent::FindMountByName(std::string_view name) const
{
    GameFactory* factory = Factory();
    if (factory == nullptr)
        return 0;
    for (u32 id : m_mounts)
    {
        const GameObject* mount = factory->FindObject(id);
        if (mount != nullptr && mount->GetName() == name)
            return id;
    }
    return 0;
}
