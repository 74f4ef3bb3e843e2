#include "Physics/RigidBodyComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Log.h"
#include "Core/Objects/GameObject.h"
#include "Physics/ColliderComponent.h"
#include "Physics/OwnerLookup.h"
#include "Physics/PhysicsSystem.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Physics::RigidBodyComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Physics
{
namespace
{
// Reads a drag element into a damping factor; a drag below 1 keeps the factor and logs: its
// factor would be above 1, and the body would speed up on its own until its velocity overflows.
void ReadDrag(Serializer::XmlReader& reader, f32& damping, const RigidBodyComponent& body,
              const char* what)
{
    if (!reader.Accepts(""))
        return;
    f32 drag = 1.0f / damping;
    Serializer::ReadElement<float>(reader, drag, "");
    if (drag >= RigidBodyComponent::MinimumDrag)
    {
        damping = 1.0f / drag;
        return;
    }
    Core::Log() << "RigidBodyComponent: " << OwnerLabel(body) << " has a " << what << " of " << drag
                << ", kept the damping " << damping << '\n';
}
} // namespace

RigidBodyComponent::RigidBodyComponent()
    : GameObjectComponent(true), collider(nullptr), worldTransform(true), inverseInertia(true),
      worldInverseInertia(true), spin(), momentum(), angularMomentum(), forceAccumulator(),
      torqueAccumulator(), lastAcceleration(), acceleration(), velocity(), angularVelocity(),
      mass(DefaultMass), inverseMass(0.0f), linearDamping(DefaultDamping),
      angularDamping(DefaultDamping), motion(0.0f), isStatic(false), awake(true), canSleep(true)
{
    Core::RegisterWithSystem(System::PhysicsSystem::SystemName, this);
}

RigidBodyComponent::~RigidBodyComponent()
{
    if (System::PhysicsSystem* physics = System::PhysicsSystem::Instance())
    {
        physics->Unregister(this);
        physics->RemoveForceGeneratorsOf(this);
    }
    if (collider != nullptr)
        collider->UnlinkRigidBody(this);
}

void RigidBodyComponent::Deserialize(Serializer::XmlReader& reader)
{
    f32 readMass = mass;
    Serializer::ReadElement<float>(reader, readMass, "");
    Serializer::ReadVector4(reader, velocity, "");
    Serializer::ReadVector4(reader, angularVelocity, "");
    Serializer::ReadVector4(reader, acceleration, "");
    ReadDrag(reader, linearDamping, *this, "linearDrag");
    ReadDrag(reader, angularDamping, *this, "angularDrag");
    if (!(readMass >= 0.0f))
    {
        Core::Log() << "RigidBodyComponent: " << OwnerLabel(*this) << " has a mass of " << readMass
                    << ", read as 0 (static)\n";
        readMass = 0.0f;
    }
    SetMass(readMass);

    GameObject* owner = FindOwner(*this);
    ColliderComponent* found =
        owner != nullptr ? owner->GetComponent<ColliderComponent>() : nullptr;
    if (found == nullptr)
        return;
    if (collider != nullptr && collider != found)
        collider->UnlinkRigidBody(this);
    collider = found;
    collider->LinkBody(ColliderComponent::RigidBodyKind, this);
    Math::Matrix4 inertia;
    const f32 moment = SphereInertiaFactor * mass;
    inertia.m[0] = moment;
    inertia.m[5] = moment;
    inertia.m[10] = moment;
    Math::Matrix4 inverse(true);
    if (std::fabs(inertia.Determinant()) > InertiaTolerance)
        inertia.Inverse(inverse, InertiaTolerance);
    if (std::fabs(inverse.Determinant()) >= InertiaTolerance)
        inverseInertia = inverse;
    else
        inverseInertia = Math::Matrix4(true);
}

void RigidBodyComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteFloat(writer, mass, "mass");
    Serializer::WriteVector3(writer, velocity, "velocity");
    Serializer::WriteVector3(writer, angularVelocity, "angularVelocity");
    Serializer::WriteVector3(writer, acceleration, "acceleration");
    Serializer::WriteFloat(writer, 1.0f / linearDamping, "linearDrag");
    Serializer::WriteFloat(writer, 1.0f / angularDamping, "angularDrag");
}

void RigidBodyComponent::SetMass(f32 value)
{
    mass = value;
    isStatic = value == 0.0f;
    inverseMass = isStatic ? 0.0f : 1.0f / value;
}

void RigidBodyComponent::AddForce(const Math::Vector4& force)
{
    forceAccumulator += force;
    awake = true;
    motion = WakeMotion;
}

void RigidBodyComponent::AddTorque(const Math::Vector4& torque)
{
    torqueAccumulator += torque;
    awake = true;
    motion = WakeMotion;
}

void RigidBodyComponent::SetAwake(bool isAwake)
{
    awake = isAwake;
    if (isAwake)
    {
        motion = WakeMotion;
        return;
    }
    velocity.SetZero();
    angularVelocity.SetZero();
}

Math::Point4 RigidBodyComponent::GetPosition() const
{
    const TransformComponent* transform = FindOwnerTransform(*this);
    return transform != nullptr ? transform->GetPosition() : Math::Point4();
}

Math::Quaternion RigidBodyComponent::GetOrientation() const
{
    const TransformComponent* transform = FindOwnerTransform(*this);
    return transform != nullptr ? transform->GetOrientation() : Math::Quaternion();
}

void RigidBodyComponent::SetPosition(const Math::Point4& position)
{
    if (TransformComponent* transform = FindOwnerTransform(*this))
        transform->SetPosition(position);
}

void RigidBodyComponent::SetOrientation(const Math::Quaternion& orientation)
{
    Math::Quaternion unit = orientation;
    unit.Normalize();
    if (TransformComponent* transform = FindOwnerTransform(*this))
        transform->SetOrientation(unit);
}

void RigidBodyComponent::UpdateDerivedData()
{
    const TransformComponent* transform = FindOwnerTransform(*this);
    if (transform == nullptr)
        return;
    const Math::Matrix4 rotation = Math::Matrix4::FromQuaternion(transform->GetOrientation());
    worldTransform = rotation;
    worldTransform.m[3] = transform->position.x;
    worldTransform.m[7] = transform->position.y;
    worldTransform.m[11] = transform->position.z;
    Math::Matrix4 transposed;
    rotation.Transpose(transposed);
    worldInverseInertia = rotation * inverseInertia * transposed;
}

void RigidBodyComponent::ClearAccumulators()
{
    forceAccumulator.SetZero();
    torqueAccumulator.SetZero();
}

void RigidBodyComponent::UnlinkCollider(const ColliderComponent* gone)
{
    if (collider == gone)
        collider = nullptr;
}
} // namespace Physics
