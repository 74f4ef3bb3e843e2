#include "Physics/PhysicsParticleComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Log.h"
#include "Core/Objects/GameObject.h"
#include "Physics/ColliderComponent.h"
#include "Physics/OwnerLookup.h"
#include "Physics/PhysicsSystem.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Physics::PhysicsParticleComponent, &TypeRecordOf<GameObjectComponent>(),
                         false)

namespace Physics
{
PhysicsParticleComponent::PhysicsParticleComponent()
    : GameObjectComponent(true), collider(nullptr), inverseMass(DefaultInverseMass),
      damping(DefaultDamping), velocity(), acceleration(), forceAccumulator()
{
    Core::RegisterWithSystem(System::PhysicsSystem::SystemName, this);
}

PhysicsParticleComponent::~PhysicsParticleComponent()
{
    if (System::PhysicsSystem* physics = System::PhysicsSystem::Instance())
        physics->Unregister(this);
}

void PhysicsParticleComponent::Deserialize(Serializer::XmlReader& reader)
{
    if (reader.Accepts(""))
    {
        f32 mass = 1.0f / inverseMass;
        Serializer::ReadElement<float>(reader, mass, "");
        if (mass == 0.0f || !std::isfinite(mass))
        {
            Core::Log() << "PhysicsParticleComponent: " << OwnerLabel(*this) << " has a mass of "
                        << mass << ", the particle will not move\n";
            inverseMass = 0.0f;
        }
        else
        {
            inverseMass = 1.0f / mass;
        }
    }
    if (reader.Accepts(""))
    {
        f32 drag = 1.0f / damping;
        Serializer::ReadElement<float>(reader, drag, "");
        if (drag > 0.0f)
            damping = 1.0f / drag;
        else
            Core::Log() << "PhysicsParticleComponent: " << OwnerLabel(*this) << " has a drag of "
                        << drag << ", kept the damping " << damping << '\n';
    }
    GameObject* owner = FindOwner(*this);
    collider = owner != nullptr ? owner->GetComponent<ColliderComponent>() : nullptr;
    if (collider != nullptr)
        collider->LinkBody(ColliderComponent::ParticleBody, nullptr);
}

void PhysicsParticleComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteFloat(writer, inverseMass != 0.0f ? 1.0f / inverseMass : 0.0f, "mass");
    Serializer::WriteFloat(writer, 1.0f / damping, "drag");
}

Math::Point4 PhysicsParticleComponent::GetPosition() const
{
    const TransformComponent* transform = FindOwnerTransform(*this);
    return transform != nullptr ? transform->GetPosition() : Math::Point4();
}

void PhysicsParticleComponent::SetPosition(const Math::Point4& position)
{
    if (TransformComponent* transform = FindOwnerTransform(*this))
        transform->SetPosition(position);
}

void PhysicsParticleComponent::Integrate(f32 dt)
{
    if (inverseMass <= 0.0f)
        return;
    TransformComponent* transform = FindOwnerTransform(*this);
    if (transform == nullptr)
        return;
    transform->position += velocity * dt;
    velocity += (acceleration + forceAccumulator * inverseMass) * dt;
    velocity *= static_cast<f32>(std::pow(static_cast<double>(damping), static_cast<double>(dt)));
    forceAccumulator.SetZero();
}
} // namespace Physics
