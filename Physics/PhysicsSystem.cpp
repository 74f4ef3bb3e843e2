#include "Physics/PhysicsSystem.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/LaunchOptions.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Math/ColorRGBA.h"
#include "Math/DebugDraw.h"
#include "Math/Shapes/Segment3.h"
#include "Physics/CharacterControllerComponent.h"
#include "Physics/ColliderComponent.h"
#include "Physics/ContactBuffer.h"
#include "Physics/IForceGenerator.h"
#include "Physics/OwnerLookup.h"
#include "Physics/ParticleContactBuffer.h"
#include "Physics/PhysicsParticleComponent.h"
#include "Physics/RigidBodyComponent.h"
#include <algorithm>

namespace Physics
{
namespace System
{
PhysicsSystem* PhysicsSystem::s_instance = nullptr;

namespace
{
// Length of the facing segment drawn for bodies and particles.
constexpr f32 FacingLength = 5.0f;

GameObject* FindObject(u32 id)
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr ? factory->FindObject(id) : nullptr;
}

bool ColliderInfo(u32 objectId, u32& category, u32& mask)
{
    GameObject* object = FindObject(objectId);
    const ColliderComponent* collider =
        object != nullptr ? object->GetComponent<ColliderComponent>() : nullptr;
    if (collider == nullptr)
        return false;
    category = collider->Category;
    mask = collider->Mask;
    return true;
}

// Each side ignores the other: the pair is not even tested.
bool IgnoreEachOther(const ColliderComponent& a, const ColliderComponent& b)
{
    return (b.Category & a.Mask) != 0 && (a.Category & b.Mask) != 0;
}

void DrawMotion(const Math::Point4& position, const Math::Vector4& velocity,
                const Math::Quaternion& orientation)
{
    const Math::ColorRGBA green(0.0f, 1.0f, 0.0f, 1.0f);
    const Math::ColorRGBA yellow(1.0f, 1.0f, 0.0f, 1.0f);
    Math::DebugDrawSegment3(Math::Segment3(position, position + velocity), &green);
    const Math::Vector4 facing = orientation.Rotate(Math::Vector4(0.0f, 0.0f, FacingLength, 0.0f));
    Math::DebugDrawSegment3(Math::Segment3(position, position + facing), &yellow);
}
// The renderer's debug view asks for the colliders only while F2 is on, inside its frame.
void DrawPhysicsDebug()
{
    if (const PhysicsSystem* physics = PhysicsSystem::Instance())
        physics->DrawDebug();
}
} // namespace

PhysicsSystem::PhysicsSystem()
    : m_table(), m_reporter(), m_broadPhase(), m_contacts(std::make_unique<ContactBuffer>()),
      m_particleContacts(std::make_unique<ParticleContactBuffer>()), m_integrator(&IntegrateEuler),
      m_detection(Detection::SortAndSweep), m_accumulator(0.0f), m_stepCount(0)
{
    m_name = SystemName;
    m_reporter.SetSenderId(m_id);
    s_instance = this;
    Core::Services().colliderInfo.Install(&ColliderInfo);
    Core::Services().drawPhysicsDebug.Install(&DrawPhysicsDebug);
}

PhysicsSystem::~PhysicsSystem()
{
    Core::Services().colliderInfo.Remove(&ColliderInfo);
    Core::Services().drawPhysicsDebug.Remove(&DrawPhysicsDebug);
    if (s_instance == this)
        s_instance = nullptr;
}

void PhysicsSystem::Initialize(u32 launchFlags)
{
    if (launchFlags & LaunchOptions::IntegratorRK4)
        m_integrator = &IntegrateRk4;
    else if (launchFlags & LaunchOptions::IntegratorVerlet)
        m_integrator = &IntegrateNothing;
    else
        m_integrator = &IntegrateEuler;
}

void PhysicsSystem::Update(f32 seconds)
{
    m_accumulator = std::min(m_accumulator + seconds, MaxAccumulated);
    if (m_accumulator > FixedStep)
    {
        m_accumulator -= FixedStep;
        Step(FixedStep);
    }
}

void PhysicsSystem::Register(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    const std::string name = component->GetName();
    if (name == RigidBodyComponent::GetTypeName())
        m_bodies.Add(static_cast<RigidBodyComponent*>(component));
    else if (name == PhysicsParticleComponent::GetTypeName())
        m_particles.Add(static_cast<PhysicsParticleComponent*>(component));
    else if (name == CharacterControllerComponent::GetTypeName())
        m_controllers.Add(static_cast<CharacterControllerComponent*>(component));
}

void PhysicsSystem::Unregister(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    const std::string name = component->GetName();
    if (name == RigidBodyComponent::GetTypeName())
        m_bodies.Remove(static_cast<RigidBodyComponent*>(component));
    else if (name == PhysicsParticleComponent::GetTypeName())
        m_particles.Remove(static_cast<PhysicsParticleComponent*>(component));
    else if (name == CharacterControllerComponent::GetTypeName())
        m_controllers.Remove(static_cast<CharacterControllerComponent*>(component));
    else
        Core::Log() << "INVALID UNREGISTER TYPE PhysicsSystem::Unregister()\n";
}

void PhysicsSystem::AddCollider(ColliderComponent* collider)
{
    if (collider == nullptr || !m_colliderSlots.emplace(collider, m_colliders.size()).second)
        return;
    m_colliders.push_back(collider);
}

void PhysicsSystem::RemoveCollider(ColliderComponent* collider)
{
    const auto slot = m_colliderSlots.find(collider);
    if (slot == m_colliderSlots.end())
        return;
    m_colliders[slot->second] = nullptr;
    ++m_clearedColliders;
    m_colliderSlots.erase(slot);
    // Half the list cleared: compacting now keeps leaving constant time on average and the
    // list no larger than twice what it holds.
    if (m_clearedColliders * 2 > m_colliders.size())
        CompactColliders();
}

void PhysicsSystem::CompactColliders() const
{
    if (m_clearedColliders == 0)
        return;
    m_colliders.erase(std::remove(m_colliders.begin(), m_colliders.end(), nullptr),
                      m_colliders.end());
    m_clearedColliders = 0;
    for (std::size_t i = 0; i < m_colliders.size(); ++i)
        m_colliderSlots[m_colliders[i]] = i;
}

const std::vector<ColliderComponent*>& PhysicsSystem::GetColliders() const
{
    CompactColliders();
    return m_colliders;
}

void PhysicsSystem::AddForceGenerator(RigidBodyComponent* body, IForceGenerator* generator)
{
    m_forces.emplace_back(body, generator);
}

void PhysicsSystem::RemoveForceGenerator(RigidBodyComponent*, IForceGenerator* generator)
{
    const auto found = std::find_if(m_forces.begin(), m_forces.end(),
                                    [generator](const ForceRegistration& entry)
                                    { return entry.second == generator; });
    if (found != m_forces.end())
        m_forces.erase(found);
}

void PhysicsSystem::RemoveForceGeneratorsOf(const RigidBodyComponent* body)
{
    m_forces.erase(std::remove_if(m_forces.begin(), m_forces.end(),
                                  [body](const ForceRegistration& entry)
                                  { return entry.first == body; }),
                   m_forces.end());
}

void PhysicsSystem::Step(f32 dt)
{
    ++m_stepCount;
    for (const ForceRegistration& entry : m_forces)
        entry.second->UpdateForce(*entry.first, dt);

    for (CharacterControllerComponent* controller : m_controllers)
        controller->FaceMovement();
    for (PhysicsParticleComponent* particle : m_particles)
        particle->Integrate(dt);
    for (RigidBodyComponent* body : m_bodies)
        m_integrator(*body, dt);

    m_contacts->Clear();
    m_particleContacts->Clear();

    CompactColliders();
    DetectCollisions();

    m_particleContacts->Resolve(dt);
    m_contacts->Resolve(dt);

    // By index: a contact's response may not change the list, but a cleared place is passed.
    for (std::size_t i = 0; i < m_colliders.size(); ++i)
    {
        if (ColliderComponent* collider = m_colliders[i])
            collider->UpdateFromTransform(dt);
    }
}

void PhysicsSystem::TestPair(ColliderComponent& a, ColliderComponent& b)
{
    if (IgnoreEachOther(a, b))
        return;
    // Two colliders of one object (an editor copy of a collider, say) overlap by nature: an
    // object never collides with itself.
    if (a.GetOwner() == b.GetOwner() && a.GetOwner() != 0)
        return;
    m_table.Collide(a, b, m_reporter);
}

void PhysicsSystem::DetectCollisions()
{
    m_reporter.BeginStep();
    const std::size_t count = m_colliders.size();
    if (count > 1)
    {
        if (m_detection == Detection::AllPairs)
        {
            for (std::size_t i = 0; i < count; ++i)
            {
                for (std::size_t j = i + 1; j < count; ++j)
                    TestPair(*m_colliders[i], *m_colliders[j]);
            }
        }
        else
        {
            for (u64 pair : m_broadPhase.FindPairs(m_colliders))
                TestPair(*m_colliders[BroadPhase::First(pair)],
                         *m_colliders[BroadPhase::Second(pair)]);
        }
    }
    m_reporter.EndStep();
}

void PhysicsSystem::DrawDebug() const
{
    // Nothing draws until a renderer installs its drawers: skip the walk (and its look-ups).
    const Math::DebugDrawTable& drawers = Math::GetDebugDrawTable();
    if (drawers.segment3 == nullptr && drawers.point4 == nullptr && drawers.circle3 == nullptr &&
        drawers.plane == nullptr)
        return;
    for (const ColliderComponent* collider : GetColliders())
        collider->DrawDebug();
    const Math::ColorRGBA red(1.0f, 0.0f, 0.0f, 1.0f);
    for (const RigidBodyComponent* body : m_bodies)
    {
        const Math::Point4 position = body->GetPosition();
        DrawMotion(position, body->GetVelocity(), body->GetOrientation());
        Math::DebugDrawPoint4(position, &red);
    }
    for (const PhysicsParticleComponent* particle : m_particles)
    {
        const TransformComponent* transform = FindOwnerTransform(*particle);
        DrawMotion(particle->GetPosition(), particle->GetVelocity(),
                   transform != nullptr ? transform->GetOrientation() : Math::Quaternion());
    }
}

GameObject* PhysicsSystem::PickAtScreenPoint(f32 x, f32 y) const
{
    // The window point's world point lies on the camera's near plane, inside a body only when
    // the camera all but touches it; so the pick follows the ray from the eye through that
    // point, and a click on a body picks it.
    Math::Ray3 ray;
    if (!Core::Services().screenRay(x, y, ray))
        return nullptr;
    return RayCast(ray);
}

GameObject* PhysicsSystem::RayCast(Math::Ray3 ray) const
{
    for (const ColliderComponent* collider : GetColliders())
    {
        if (collider->IntersectsRay(ray))
            return FindObject(collider->GetOwner());
    }
    return nullptr;
}
} // namespace System
} // namespace Physics
