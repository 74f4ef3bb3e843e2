#pragma once
// The base of the eight emitter shapes (Point, Circle, Line, Square, Sphere, Cylinder, Cube,
// Mesh). An emitter is a component of a game object: it owns a fixed pool of particles, decides
// in every particle step how many are born (a continuous rate, a minimum population or bursts),
// asks its shape where each starts and which way it flies, lets its particle data (the
// ParticleSystemComponent of the same object whose name it carries) fill in the rest, advances
// every live particle and rebuilds one draw record per live particle.
//
// Emitters are stepped and drawn only by the particle effect system (ParticleEffectSystem.h),
// which ties each one to its data by name; "{Disable}" (or no data at all) leaves it idle.
// When an emitter is shut down the system keeps a non-emitting copy of it until its last
// particle has died, so copying is deep.
//
// XML keys, each an element of its own, read only under their own tag and in this order:
// ParticleData, ParticleCount (minimum live, capacity), EmissionRate (per second, a range),
// EmissionOffset, EmissionDirection, GlobalDirection, GlobalSpeed (the steady pull),
// SpeedStart, SpeedEnd (ranges), LocalToEmitter, Burst, BurstSingleFrame, BurstRepeat,
// BurstCount, BurstDelay (seconds), NormalFacing. A shape's own keys follow.
//
// Values from files are bounded: the capacity to 0-65,536 (logged), emission counts to the free
// slots, frames to >= 0. Random draws use Math::Rand in a fixed order (tests reseed it).
// Main thread only.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Graphics/Particles/ParticlePool.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/Vector2.h"
#include "Math/Vector4.h"
#include <string>

template <typename Owner> struct MemberTable;
class TransformComponent;

namespace Graphics
{
namespace System
{
class ParticleEffectSystem;
}
class ParticleDebugShapes;
struct ParticleDrawState;

class ParticleEmitterComponent : public GameObjectComponent
{
public:
    // The data name that means "no data".
    static constexpr const char* DisabledDataName = "{Disable}";

    enum ShapeKind : u32
    {
        PointShape = 0,
        CircleShape = 1,
        LineShape = 2,
        SquareShape = 3,
        SphereShape = 4,
        CylinderShape = 5,
        CubeShape = 6,
        MeshShape = 7,
        ShapeKindCount = 8,
    };

    explicit ParticleEmitterComponent(ShapeKind kind);
    // Every member, the pool deeply (live particles and draw records too). The copy belongs to
    // no system until one files it.
    ParticleEmitterComponent(const ParticleEmitterComponent& other);
    ParticleEmitterComponent& operator=(const ParticleEmitterComponent&) = delete;
    // Leaves the particle effect system without a finishing copy (Shutdown makes that).
    ~ParticleEmitterComponent() override;

    static const std::string& GetTypeName()
    {
        static const std::string name = "ParticleEmitterComponent";
        return name;
    }
    // The 14 reflected members of the type record, in their fixed order.
    static void RegisterMembers();
    // The written keys of the base, in file order.
    static const MemberTable<ParticleEmitterComponent>& Members();

    // Hands a finishing copy of the live particles to the particle effect system.
    void Shutdown() override;
    // The base keys: the data name first (filing the emitter with the particle effect system),
    // then the capacity (resizing the pool), then the rest. Shapes read theirs after.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // SetParticlePlayMessage switches emission on or off.
    void HandleMessage(Message* message) override;
    // The base panel, then the shape's entries, then the options group with "Save Emitter".
    void BuildEditor(Tools::PropertyGroup& group) override;

    // One particle step: emission (when playing, the pool has room and the owner has a
    // transform), then the update pass over every live particle.
    void Step(f32 dt);
    // Emits one particle and advances it by the pre-age.
    void SpawnParticle(f32 preAge);
    // Emits `count` particles as a step does: each draws its pre-age (dt x RandUnit()) before
    // its other draws. The same draws, slots and fields as that many SpawnParticle calls.
    void SpawnParticles(u32 count, f32 dt);
    // Draws the live particles with the already current program of the particle pass.
    void Draw(u32 program, ParticleDrawState& state);
    // The shape's outline for debug drawing; nothing by default.
    virtual void DrawDebugShape(ParticleDebugShapes& shapes) const;

    // Writes the emitter as the one component of a new emitter definition file named `name`
    // (an empty name: the type name), never overwriting: a taken name gets the first free
    // decimal counter. A name with '/', '\' or ".." is refused with a log line. Answers the
    // name saved under, or "" when nothing was saved.
    std::string SaveEmitter(const std::string& name);

    ShapeKind GetShapeKind() const { return shapeKind_; }
    ParticlePool& GetPool() { return particles_; }
    const ParticlePool& GetPool() const { return particles_; }
    u32 GetRenderCount() const { return renderCount_; }
    const ParticleVertex* GetVertices() const { return particles_.GetVertices(); }
    bool IsPlaying() const { return isPlaying_; }
    void SetPlaying(bool playing) { isPlaying_ = playing; }
    bool IsLocalToEmitter() const { return localToEmitter_; }
    const std::string& GetDataName() const { return particleDataName_; }
    u32 GetDataId() const { return particleDataId_; }
    ParticleSystemComponent* GetParticleSystem() const { return particleSystem_; }
    void SetModelMatrix(const Math::Matrix4& matrix) { modelMatrix_ = matrix; }
    const Math::Matrix4& GetModelMatrix() const { return modelMatrix_; }
    f32 GetAccumulator() const { return accumulator_; }
    bool IsBurstDone() const { return burstDone_; }
    u32 GetBurstEmitted() const { return burstEmitted_; }
    f32 GetBurstTimer() const { return burstTimer_; }
    const Math::Point4& GetWorldPosition() const { return worldPosition; }
    const Math::Vector4& GetWorldDirection() const { return worldDirection; }
    const Math::Vector4& GetWorldUp() const { return worldUp_; }
    const Math::Vector4& GetWorldRight() const { return worldRight_; }
    const Math::Quaternion& GetOrientation() const { return orientation_; }

protected:
    // Up to Size births of a step worked on together: their slots and pre-ages, the records the
    // shape puts their positions and directions in, what the shape drew for them and the
    // generator's draws of their speeds and data, lane by lane in birth order.
    struct BirthGroup
    {
        static constexpr u32 Size = 4;
        // The speed draws, then the data's (lifetime, spins, scales, the two colours alpha
        // first, animation speed).
        static constexpr u32 DrawCount = 16;
        static constexpr u32 ShapeDrawCount = 3;

        u32 count;
        u32 slots[Size];
        alignas(16) f32 preAges[Size];
        alignas(16) Particle records[Size];
        alignas(16) f32 shapeDraws[ShapeDrawCount][Size];
        alignas(16) s32 draws[DrawCount][Size];
    };

    // The shape's own editor entries, after the base panel; none by default.
    virtual void BuildShapeEditor(Tools::PropertyGroup& group);
    // Fills worldUp_ and worldRight_ once per step before emission; nothing by default.
    virtual void UpdateBasis(f32 dt);
    // Sets the new particle's position and direction.
    virtual void EmitParticle(Particle& particle) = 0;
    // The shape's part of one birth of a group, with its draws in its order: by default all of
    // EmitParticle into the lane's record, zeroed first. A shape that keeps only its draws here
    // sets the positions and directions of the records in FinishEmissions (nothing else of a
    // record is read).
    virtual void DrawEmission(BirthGroup& group, u32 lane);
    // Fills the group's records from what DrawEmission kept, the values EmitParticle would give
    // bit for bit; nothing by default.
    virtual void FinishEmissions(BirthGroup& group);

    // The owner's transform, looked up now; null when the owner or its transform is missing.
    const TransformComponent* FindTransform() const;

private:
    friend class System::ParticleEffectSystem;

    // What every birth of a step draws its values from, worked out once before the births.
    struct BirthPlan
    {
        f32 speedStartLow;
        f32 speedStartWidth;
        f32 speedEndLow;
        f32 speedEndWidth;
        bool hasData;
        ParticleBirthRanges data;
    };

    // Builds the emission frame; false when it needs the owner's transform and there is none.
    bool UpdateFrame();
    void EmitBurst(f32 dt, const BirthPlan& plan);
    void PlanBirths(BirthPlan& plan) const;
    // SpawnParticle with the step's plan: the new particle's fields are drawn and pre-aged
    // straight into its slot of the pool.
    void Spawn(f32 preAge, const BirthPlan& plan);
    // Births of a step in groups: slots, pre-ages and draws in birth order, then the values of
    // up to BirthGroup::Size births worked out together and stored.
    void SpawnGroups(u32 count, f32 dt, const BirthPlan& plan);
    void StoreGroup(const BirthGroup& group, const BirthPlan& plan);
    void UpdatePass(f32 dt);
    // dt x RandUnit(), drawn inline.
    static f32 DrawPreAge(f32 dt);
    // Pool and draw records sized for the capacity read, clamped with a log line.
    void ResizeForCount();

public:
    // Reflected members (their names are the type record's keys).
    Math::Point4 worldPosition;
    Math::Vector4 worldDirection;

protected:
    ParticlePool particles_;
    Math::Quaternion orientation_;
    Math::Vector4 worldUp_;
    Math::Vector4 worldRight_;
    Math::Matrix4 modelMatrix_;
    u32 particleDataId_;
    std::string particleDataName_;
    bool isPlaying_;
    bool localToEmitter_;
    bool normalFacing_;
    ShapeKind shapeKind_;
    ParticleSystemComponent* particleSystem_; // not owned; set by the effect system
    Math::Vector2 particleCount_;
    Math::Vector2 particleEmitRate_;
    Math::Point4 emitterOffset_;
    Math::Vector4 emitterDirection_;
    Math::Vector2 speedStart_;
    Math::Vector2 speedEnd_;
    Math::Vector4 globalVelocity_;
    f32 globalVelocitySpeed_;
    f32 accumulator_;
    u32 renderCount_;
    bool burst_;
    bool burstSingleFrame_;
    bool burstRepeat_;
    bool burstDone_;
    u32 burstCount_;
    u32 burstEmitted_;
    f32 burstDelay_;
    f32 burstTimer_;
    // The data id the effect system filed the emitter under (0: not filed), so that reading
    // the emitter again finds its entry even while it waits without data.
    u32 filedDataId_;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::ParticleEmitterComponent)
