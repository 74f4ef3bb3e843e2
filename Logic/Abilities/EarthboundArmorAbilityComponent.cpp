#include "Logic/Abilities/EarthboundArmorAbilityComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameObject.h"
#include "Physics/ColliderComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::EarthboundArmorAbilityComponent,
                         &TypeRecordOf<Logic::AbilityComponent>(), false)

namespace Logic
{
void EarthboundArmorAbilityComponent::Deserialize(Serializer::XmlReader&)
{
    RunKindSetup();
}

void EarthboundArmorAbilityComponent::HandleMessage(Message* message)
{
    CollideMessage* contact = ContactOf(message, true);
    if (contact == nullptr)
        return;
    CallOnCollide(contact->otherObjectId);
    Physics::ColliderComponent* own = ColliderOf(GetOwnerObject());
    const Physics::ColliderComponent* parent = ColliderOf(FindObject(m_parent));
    if (own != nullptr && parent != nullptr)
        own->Mask |= parent->Category;
    RunModifiers(*contact);
}

void EarthboundArmorAbilityComponent::Update(f32)
{
    const GameObject* owner = GetOwnerObject();
    const GameObject* parent = FindObject(m_parent);
    auto* own = owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    const auto* character =
        parent != nullptr ? parent->GetComponent<TransformComponent>() : nullptr;
    if (own == nullptr || character == nullptr)
        return;
    own->SetPosition(character->GetPosition());
    own->SetOrientation(character->GetOrientation());
}
} // namespace Logic
