#pragma once
// Gives its object mass, linear and angular velocity, damping and a force and torque
// accumulator. The physics system advances it every fixed step with the integrator chosen at
// start-up (Integrators.h) and the body moves its object by writing the object's transform.
//
// Conventions:
// - Velocities are world units and radians per second; the damping factors are what is left of
//   a velocity after one second. Files hold their reciprocals as "drag": reading stores
//   1 / drag, writing writes 1 / factor. A drag below 1 (a body that would speed up on its own)
//   is refused with a log line.
// - A mass of 0 makes the body static: it never moves and two static bodies never collide.
// - A body that has been slow for a while falls asleep (velocities zeroed) until a force or
//   SetAwake wakes it.
// - Written and read form, by position: "mass", "velocity", "angularVelocity", "acceleration"
//   (three values each), "linearDrag", "angularDrag".
// Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/Vector4.h"
#include <string>

namespace Physics
{
class ColliderComponent;

class RigidBodyComponent : public GameObjectComponent
{
public:
    static constexpr f32 DefaultMass = 1.0f;
    static constexpr f32 DefaultDamping = 0.9f;
    // The smallest drag read: a damping factor of 1 keeps a velocity as it is.
    static constexpr f32 MinimumDrag = 1.0f;
    // The motion a body is given when it is woken: a few slow steps pass before it sleeps.
    static constexpr f32 WakeMotion = 0.6f;
    // Bodies whose smoothed motion falls below this fall asleep; it is capped at the maximum.
    static constexpr f32 SleepMotion = 0.3f;
    static constexpr f32 MaxMotion = 3.0f;
    // Weight of the newest step in the smoothed motion.
    static constexpr f32 MotionBias = 0.85f;
    // A body's inertia is that of a solid sphere of radius 1: 0.4 m on the diagonal.
    static constexpr f32 SphereInertiaFactor = 0.4f;
    // Below this an inertia tensor (or its inverse) counts as not invertible.
    static constexpr f32 InertiaTolerance = 1e-5f;

    // Registers with the physics system when there is one.
    RigidBodyComponent();
    RigidBodyComponent(const RigidBodyComponent&) = delete;
    RigidBodyComponent& operator=(const RigidBodyComponent&) = delete;
    // Leaves the physics system, its force registry and its collider.
    ~RigidBodyComponent() override;

    QUILL_COMPONENT_TYPE(RigidBodyComponent)

    void Shutdown() override {}
    // A negative mass reads as 0 and a non-positive drag keeps 0.9; each logs a line naming the
    // object. Links the object's collider and gives the body its inertia.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // Adds to the force accumulator and wakes the body.
    void AddForce(const Math::Vector4& force);
    void AddTorque(const Math::Vector4& torque);
    // Waking sets the motion to WakeMotion; sleeping zeroes both velocities.
    void SetAwake(bool awake);
    // Sets the mass (0: static) and the inverse mass.
    void SetMass(f32 mass);

    // The object's position and orientation; the origin and identity without a transform.
    Math::Point4 GetPosition() const;
    Math::Quaternion GetOrientation() const;
    void SetPosition(const Math::Point4& position);
    // Normalised before it is stored.
    void SetOrientation(const Math::Quaternion& orientation);

    // Rebuilds the world transform and world inverse inertia from the orientation and position.
    void UpdateDerivedData();
    void ClearAccumulators();

    const Math::Vector4& GetVelocity() const { return velocity; }
    void SetVelocity(const Math::Vector4& value) { velocity = value; }
    const Math::Vector4& GetAngularVelocity() const { return angularVelocity; }
    void SetAngularVelocity(const Math::Vector4& value) { angularVelocity = value; }
    f32 GetMass() const { return mass; }
    f32 GetInverseMass() const { return inverseMass; }
    bool IsStatic() const { return isStatic; }
    bool IsAwake() const { return awake; }
    ColliderComponent* GetCollider() const { return collider; }
    // Called by the collider when it goes.
    void UnlinkCollider(const ColliderComponent* gone);

    ColliderComponent* collider;
    Math::Matrix4 worldTransform;
    Math::Matrix4 inverseInertia;      // body space
    Math::Matrix4 worldInverseInertia; // R inverseInertia R^T
    Math::Quaternion spin;             // the integrators' rate of turn
    Math::Vector4 momentum;
    Math::Vector4 angularMomentum;
    Math::Vector4 forceAccumulator;
    Math::Vector4 torqueAccumulator;
    Math::Vector4 lastAcceleration; // acceleration + force / mass of the last Euler step
    Math::Vector4 acceleration;     // constant, from the file
    Math::Vector4 velocity;
    Math::Vector4 angularVelocity;
    f32 mass;
    f32 inverseMass;
    f32 linearDamping;
    f32 angularDamping;
    f32 motion;
    bool isStatic;
    bool awake;
    bool canSleep;
};
} // namespace Physics

QUILL_DECLARE_TYPE_RECORD(Physics::RigidBodyComponent)
