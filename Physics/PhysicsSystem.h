#pragma once
// Moves every rigid body and physics particle on a fixed 1/60 s step, turns the character
// controllers toward the way they move, applies the joints' forces, finds every pair of
// colliders in contact and tells both objects with a CollideMessage. It also answers which
// object a ray hits first and which one lies under a screen point.
//
// Conventions:
// - Update runs at most one step per call: the frame time is accumulated (capped at 1/12 s)
//   and one step is taken while more than one step's time is waiting, so time left over is
//   worked off one step per later frame, also while the game is paused (frame time 0).
// - Step order: force registry, controllers' facing, particles, rigid bodies (the launch
//   options' integrator), contact buffers emptied, collision detection, contact resolution,
//   shape updates. Collision detection sees the shapes as the previous step left them.
// - Collision detection: the candidates of a sort-and-sweep broad phase (BroadPhase.h) are
//   tested in the order of a walk over every pair (i, j), i < j, of the collider list; a pair is
//   skipped when each side's Mask holds a bit of the other's Category. The walk over every pair
//   remains available (Detection::AllPairs) and reports exactly the same contacts in the same
//   order.
// - Components join through Register (rigid bodies, physics particles, character controllers,
//   by their type names) and AddCollider; joints through the force registry. Lists hold
//   pointers in joining order and own nothing.
// - While it exists the system answers the colliderInfo hook of Core/CoreServices.h.
// Main thread only.
#include "Core/Memory/RecyclingMap.h"
#include "Core/SystemComponent.h"
#include "Math/Shapes/Ray3.h"
#include "Physics/BroadPhase.h"
#include "Physics/CollisionTable.h"
#include "Physics/ContactReporter.h"
#include "Physics/Integrators.h"
#include <list>
#include <memory>
#include <utility>
#include <vector>

class GameObject;

namespace Physics
{
class CharacterControllerComponent;
class ColliderComponent;
class ContactBuffer;
class IForceGenerator;
class ParticleContactBuffer;
class PhysicsParticleComponent;
class RigidBodyComponent;

namespace System
{
class PhysicsSystem : public SystemComponent
{
public:
    static constexpr const char* SystemName = "PhysicsSystem";
    // The fixed step, and the most time the accumulator holds.
    static constexpr f32 FixedStep = 1.0f / 60.0f;
    static constexpr f32 MaxAccumulated = 1.0f / 12.0f;

    enum class Detection
    {
        SortAndSweep,
        AllPairs,
    };
    using ForceRegistration = std::pair<RigidBodyComponent*, IForceGenerator*>;

    // Becomes the global instance and installs the colliderInfo hook.
    PhysicsSystem();
    PhysicsSystem(const PhysicsSystem&) = delete;
    PhysicsSystem& operator=(const PhysicsSystem&) = delete;
    // Removes the hook and clears the global instance.
    ~PhysicsSystem() override;

    static PhysicsSystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = SystemName;
        return name;
    }
    // Accumulates the frame time and runs at most one Step. DrawDebug runs when the renderer
    // asks for it (the drawPhysicsDebug hook), inside a frame with debug drawing on.
    void Update(f32 seconds) override;
    void IdleUpdate(f32) override {}
    // Chooses the integrator: "-rk4", else "-verlet" (bodies stay put), else Euler.
    void Initialize(u32 launchFlags) override;
    void HandleMessage(Message*) override {}
    // Rigid bodies, physics particles and character controllers join their lists; other
    // components are ignored.
    void Register(GameObjectComponent* component) override;
    // Removes the first entry equal to the pointer; another kind of component is logged.
    void Unregister(GameObjectComponent* component) override;

    // One fixed step of dt seconds.
    void Step(f32 dt);
    // Collision detection alone, as the step runs it (its pair records included).
    void DetectCollisions();

    // Appends the collider unless it is listed already.
    void AddCollider(ColliderComponent* collider);
    // Removes the first entry equal to the pointer; later entries move up.
    void RemoveCollider(ColliderComponent* collider);
    void AddForceGenerator(RigidBodyComponent* body, IForceGenerator* generator);
    // Removes the first registration of the generator, whatever its body.
    void RemoveForceGenerator(RigidBodyComponent* body, IForceGenerator* generator);
    // Removes every registration of the body (it is going away).
    void RemoveForceGeneratorsOf(const RigidBodyComponent* body);

    // Every collider's shape, then for every rigid body its velocity (green), facing (yellow)
    // and position (red), and for every particle its velocity and facing.
    void DrawDebug() const;
    // The object of the first collider (in list order) that the ray from the camera's eye
    // through the window position meets; null while no camera answers for the screen.
    GameObject* PickAtScreenPoint(f32 x, f32 y) const;
    // The object owning the first collider in list order that the ray hits (not the nearest).
    GameObject* RayCast(Math::Ray3 ray) const;

    void SetDetection(Detection detection) { m_detection = detection; }
    Detection GetDetection() const { return m_detection; }
    Integrator GetIntegrator() const { return m_integrator; }
    f32 GetAccumulator() const { return m_accumulator; }
    u32 GetStepCount() const { return m_stepCount; }

    // The colliders in joining order (the places of those that left are compacted away first).
    const std::vector<ColliderComponent*>& GetColliders() const;
    // Joining order; joining and leaving take constant time.
    const std::list<RigidBodyComponent*>& GetRigidBodies() const { return m_bodies.Items(); }
    const std::list<PhysicsParticleComponent*>& GetParticles() const { return m_particles.Items(); }
    const std::list<CharacterControllerComponent*>& GetControllers() const
    {
        return m_controllers.Items();
    }
    const std::vector<ForceRegistration>& GetForceRegistry() const { return m_forces; }
    ContactBuffer& GetContactBuffer() { return *m_contacts; }
    ParticleContactBuffer& GetParticleContactBuffer() { return *m_particleContacts; }
    const ContactReporter& GetReporter() const { return m_reporter; }

private:
    void TestPair(ColliderComponent& a, ColliderComponent& b);
    // Drops the cleared places of colliders that left, keeping the order of the rest.
    void CompactColliders() const;

    static PhysicsSystem* s_instance;

    // Indexed by the pair search, so a vector in joining order: a collider that leaves has its
    // place cleared (found through m_colliderSlots) and the places are compacted before the
    // list is next read, so joining and leaving take constant time.
    mutable std::vector<ColliderComponent*> m_colliders;
    mutable Core::RecyclingMap<const ColliderComponent*, std::size_t> m_colliderSlots;
    mutable std::size_t m_clearedColliders = 0;
    Core::RegisteredList<RigidBodyComponent> m_bodies;
    Core::RegisteredList<PhysicsParticleComponent> m_particles;
    Core::RegisteredList<CharacterControllerComponent> m_controllers;
    std::vector<ForceRegistration> m_forces;
    CollisionTable m_table;
    ContactReporter m_reporter;
    BroadPhase m_broadPhase;
    std::unique_ptr<ContactBuffer> m_contacts;
    std::unique_ptr<ParticleContactBuffer> m_particleContacts;
    Integrator m_integrator;
    Detection m_detection;
    f32 m_accumulator;
    u32 m_stepCount;
};
} // namespace System
} // namespace Physics
