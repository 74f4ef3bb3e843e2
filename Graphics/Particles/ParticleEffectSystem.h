#pragma once
// The system ("ParticleEffectSystem") that knows every emitter and every particle-data
// component, ties each emitter to the data of the same name on the same object, steps them and
// draws them in the forward pass's two particle layers.
//
// Ownership:
// - registered_: object id -> data name id -> entry (data, emitters in joining order). The
//   components belong to their objects; the system only points at them. An entry without data
//   holds emitters waiting for it (never stepped nor drawn).
// - effects_: the same shape, owning everything in it: when an emitter (or its data) goes, a
//   non-emitting copy of the emitter with a copy of the data stays here and is stepped until its
//   last particle has died, so particles never vanish with their emitter.
//
// Filing is idempotent: reading an emitter or data again keeps its one entry and its name; an
// emitter whose data name changed moves to its new entry without leaving a copy.
//
// The frame loop steps the system at most 30 times a second with the accumulated time, not
// while paused. The forward pass calls Draw twice per frame, first with AlphaLayer, then with
// AdditiveLayer, each into its own colour attachment. The Graphics script table calls
// DestroyParticleEffects directly. One instance, main thread.
#include "Core/Memory/RecyclingMap.h"
#include "Core/SystemComponent.h"
#include "Graphics/Particles/ParticleDrawState.h"
#include "Math/Matrix4.h"
#include <string>
#include <vector>

namespace Graphics
{
class ParticleDebugShapes;
class ParticleEmitterComponent;
class ParticleSystemComponent;

namespace System
{
class ParticleEffectSystem : public SystemComponent
{
public:
    static constexpr const char* SystemName = "ParticleEffectSystem";
    static constexpr const char* ProgramName = "Particle";
    // Draw's blending argument: the layer of data blended that way.
    static constexpr u32 AdditiveLayer = 0;
    static constexpr u32 AlphaLayer = 1;
    // Texture units of the particle pass.
    static constexpr u32 DiffuseUnit = 0;
    static constexpr u32 DepthUnit = 1;

    struct Entry
    {
        ParticleSystemComponent* data = nullptr;
        std::vector<ParticleEmitterComponent*> emitters;
    };
    // Entries come and go with every effect object born and destroyed: the maps keep the nodes
    // (and an entry's emitter list its storage) for the next ones.
    using ObjectEntries = Core::RecyclingMap<u32, Entry>;
    using EntryMap = Core::RecyclingMap<u32, ObjectEntries>;

    ParticleEffectSystem();
    // Destroys every finishing effect; the registered components belong to their objects.
    ~ParticleEffectSystem() override;
    ParticleEffectSystem(const ParticleEffectSystem&) = delete;
    ParticleEffectSystem& operator=(const ParticleEffectSystem&) = delete;

    // Null while there is none.
    static ParticleEffectSystem* Instance() { return s_instance; }

    const std::string& GetName() const override { return m_name; }
    // Steps every registered emitter that has data with a texture, then every finishing copy,
    // dropping copies whose particles have all died.
    void Update(f32 seconds) override;
    // Nothing to set up: the system is ready once made.
    void Initialize(u32 launchFlags) override;

    // Called by the components as they are read, shut down and destroyed.
    void RegisterParticleSystem(ParticleSystemComponent* data);
    void UnregisterParticleSystem(ParticleSystemComponent* data);
    void RegisterEmitter(ParticleEmitterComponent* emitter);
    void UnregisterEmitter(ParticleEmitterComponent* emitter);
    // Removes every pointer to the component without leaving a copy (a destructor's last word).
    void ForgetEmitter(ParticleEmitterComponent* emitter);
    void ForgetParticleSystem(ParticleSystemComponent* data);

    // The editor's data choice for an emitter: leaves a finishing copy of its particles, then
    // joins the data of the new name with an empty pool ("{Disable}" stops it).
    void ChangeEmitterData(ParticleEmitterComponent* emitter, const std::string& name);
    // A name for the data that no other data of its object uses ("{Disable}" becomes
    // "Default"); taken names get the first free decimal counter.
    std::string MakeUniqueDataName(const ParticleSystemComponent* data, const std::string& name);
    // Gives the data the new name and moves its entries (registered and finishing) with it.
    void RenameParticleData(ParticleSystemComponent* data, const std::string& name);
    // A copy of the emitter of the shape the type id names (null for any other id).
    ParticleEmitterComponent* CloneEmitter(u32 typeId, const ParticleEmitterComponent& emitter);
    // Destroys every finishing effect at once.
    void DestroyParticleEffects();

    // One particle layer into the current framebuffer: every registered emitter, then every
    // finishing copy, whose data has that blending. depthTexture is the scene's view-depth
    // texture (0: no soft fade).
    void Draw(u32 blending, u32 depthTexture);
    // Queues the outline of every registered emitter's shape (the debug draw asks).
    void QueueDebugShapes(ParticleDebugShapes& shapes) const;
    // The view and projection the pass uses (OpenGL layout) when no camera is active: the
    // active camera's uniforms and view win. Identity by default.
    void SetCamera(const Math::Matrix4& view, const Math::Matrix4& projection);

    const EntryMap& GetRegistered() const { return registered_; }
    const EntryMap& GetEffects() const { return effects_; }
    // The entry of an object and data name, or null.
    const Entry* FindRegistered(u32 objectId, const std::string& dataName) const;
    const Entry* FindEffect(u32 objectId, const std::string& dataName) const;
    u32 GetDisabledId() const { return m_disabledId; }

private:
    void SetParticleSystem(Entry& entry, ParticleSystemComponent* data);
    void AddEmitter(Entry& entry, ParticleEmitterComponent* emitter);
    void RemoveEmitter(Entry& entry, ParticleEmitterComponent* emitter);
    // Takes the emitter out of its entry (erased when left empty and without data).
    void Unfile(ParticleEmitterComponent* emitter);
    // Leaves a finishing copy of the emitter's particles in effects_ under its entry's key.
    void LeaveFinishingCopy(u32 objectId, u32 dataId, const Entry& entry,
                            const ParticleEmitterComponent& emitter);
    void DrawEntries(EntryMap& map, u32 blending, u32 program);
    void ReleaseDrawObjects();

    EntryMap registered_;
    EntryMap effects_;
    u32 m_disabledId;
    // The eight shapes' type ids, index = shape kind.
    std::vector<u32> m_cloneTable;
    ParticleDrawState m_drawState;
    Math::Matrix4 m_view;       // OpenGL layout
    Math::Matrix4 m_projection; // OpenGL layout

    static ParticleEffectSystem* s_instance;
};
} // namespace System
} // namespace Graphics
