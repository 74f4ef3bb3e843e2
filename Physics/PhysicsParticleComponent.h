#pragma once
// A point mass without rotation, advanced every physics step by its own simple step and moving
// its object's position. Written and read form, by position: "mass" and "drag" (the reciprocal
// of the damping factor per second). Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Point4.h"
#include "Math/Vector4.h"
#include <string>

namespace Physics
{
class ColliderComponent;

class PhysicsParticleComponent : public GameObjectComponent
{
public:
    static constexpr f32 DefaultInverseMass = 1.0f;
    static constexpr f32 DefaultDamping = 0.9f;

    // Registers with the physics system when there is one.
    PhysicsParticleComponent();
    PhysicsParticleComponent(const PhysicsParticleComponent&) = delete;
    PhysicsParticleComponent& operator=(const PhysicsParticleComponent&) = delete;
    ~PhysicsParticleComponent() override;

    QUILL_COMPONENT_TYPE(PhysicsParticleComponent)

    void Shutdown() override {}
    // A mass of 0 makes the particle immovable and a non-positive drag keeps 0.9; each logs a
    // line naming the object. A negative mass gives a negative inverse mass: never moved.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // One step: nothing when the inverse mass is not positive or the object has no transform.
    void Integrate(f32 dt);

    void AddForce(const Math::Vector4& force) { forceAccumulator += force; }
    f32 GetInverseMass() const { return inverseMass; }
    // The object's position; the origin without a transform.
    Math::Point4 GetPosition() const;
    void SetPosition(const Math::Point4& position);
    const Math::Vector4& GetVelocity() const { return velocity; }
    void SetVelocity(const Math::Vector4& value) { velocity = value; }
    const Math::Vector4& GetAcceleration() const { return acceleration; }
    void SetAcceleration(const Math::Vector4& value) { acceleration = value; }
    void SetInverseMass(f32 value) { inverseMass = value; }

    ColliderComponent* collider;
    f32 inverseMass;
    f32 damping;
    Math::Vector4 velocity;
    Math::Vector4 acceleration;
    Math::Vector4 forceAccumulator;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::PhysicsParticleComponent)
