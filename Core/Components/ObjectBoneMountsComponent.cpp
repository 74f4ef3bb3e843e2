#include "Core/Components/ObjectBoneMountsComponent.h"
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/BoneMountObjectCreateMessage.h"
#include "Core/Messages/Object/BoneMountObjectRemoveMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/ObjectFromDefinition.h"
#include "Core/Reflection/MemberTable.h"
#include "Xml/XmlReader.h"
#include <algorithm>
#include <tinyxml2.h>

namespace
{
GameFactory* Factory()
{
    return Engine::Factory();
}

} // namespace

QUILL_DEFINE_TYPE_RECORD(ObjectBoneMountsComponent, &TypeRecordOf<GameObjectComponent>(), false)

ObjectBoneMountsComponent::ObjectBoneMountsComponent() : GameObjectComponent(true), m_boneIndex(0)
{
    Core::RegisterWithSystem(SystemName, this);
}

ObjectBoneMountsComponent::~ObjectBoneMountsComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

const MemberTable<ObjectBoneMountsComponent>& ObjectBoneMountsComponent::Members()
{
    QUILL_MEMBER_TABLE(
        table, ObjectBoneMountsComponent, ReadRule::ByPosition,
        QUILL_MEMBER(ObjectBoneMountsComponent, m_boneIndex, MemberFlag::Written).Tag("boneIndex"));
    return table;
}

void ObjectBoneMountsComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
    // Emptied first: a mounted object's own shutdown may reach back to this carrier.
    std::vector<u32> mounts;
    mounts.swap(m_mounts);
    if (GameFactory* factory = Factory())
    {
        for (u32 id : mounts)
            factory->DestroyObject(id);
    }
}

void ObjectBoneMountsComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
    GameFactory* factory = Factory();
    if (factory == nullptr)
        return;
    while (const tinyxml2::XMLElement* element = reader.CurrentElement())
    {
        const u32 id = Engine::GenerateId();
        GameObject* mount = Core::CreateObjectFromDefinition(m_owner, element->Name(), id, element);
        if (mount != nullptr)
        {
            m_mounts.push_back(id);
            mount = factory->FindObject(id); // the definition may have destroyed what it built
            if (TransformComponent* transform =
                    mount != nullptr ? mount->GetComponent<TransformComponent>() : nullptr)
            {
                transform->mountedOnObjectId = m_owner;
                transform->relativeToCreator = false;
            }
        }
        reader.NextElement();
    }
}

void ObjectBoneMountsComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void ObjectBoneMountsComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case BoneMountObjectCreateMessage::Type:
    {
        const auto* create = static_cast<BoneMountObjectCreateMessage*>(message);
        GameObject* mount = Core::CreateObjectFromDefinition(
            create->senderId, create->archetype, create->objectId, nullptr,
            Core::DefinitionRoad::Component, create->scriptId);
        if (mount == nullptr)
            break;
        m_mounts.push_back(create->objectId);
        if (TransformComponent* transform = mount->GetComponent<TransformComponent>())
        {
            transform->mountedOnObjectId = create->senderId;
            transform->relativeToCreator = true;
        }
        break;
    }
    case BoneMountObjectRemoveMessage::Type:
    {
        const auto* remove = static_cast<BoneMountObjectRemoveMessage*>(message);
        if (remove->boneIndex != BoneMountObjectRemoveMessage::AnyBone &&
            remove->boneIndex != static_cast<s32>(m_boneIndex))
            break;
        RemoveMount(remove->objectId, remove->archetype, remove->destroy);
        break;
    }
    default:
        break;
    }
}

void ObjectBoneMountsComponent::RemoveMount(u32 objectId, const std::string& archetype,
                                            bool destroy)
{
    GameFactory* factory = Factory();
    if (factory == nullptr)
        return;
    // By archetype when no id is given, else by id.
    const auto matches = [&](u32 id)
    {
        if (objectId != 0)
            return id == objectId;
        const GameObject* mount = factory->FindObject(id);
        return mount != nullptr && mount->GetName() == archetype;
    };
    ObjectMountsComponent::RemoveFirstMount(*this, m_mounts, *factory, matches, destroy);
}

void ObjectBoneMountsComponent::FollowBone(const Math::Point4& boneWorldPosition)
{
    GameFactory* factory = Factory();
    if (factory == nullptr)
        return;
    for (u32 id : m_mounts)
    {
        GameObject* mount = factory->FindObject(id);
        if (TransformComponent* transform =
                mount != nullptr ? mount->GetComponent<TransformComponent>() : nullptr)
            transform->position = boneWorldPosition;
    }
}
