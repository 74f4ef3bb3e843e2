#pragma once
// The particle data of an effect: the look and life of the particles, shared by every emitter
// on the same game object that names it. It holds the particle texture (a sprite sheet from the
// "TextureParticle" category), the ranges each particle's lifetime, size, spin and animation
// speed are drawn from at birth, the start and end colours with their random deviations, the
// blending and the sheet's start frame and looping. Several can sit on one object, told apart
// by name; the particle effect system files them by the HashTypeName of that name.
//
// XML keys in order, each an element: ParticleData (name), ParticleTexture (texture name),
// ParticleAge, ParticleScaleStart, ParticleScaleEnd (ranges), ParticleColorStart,
// ParticleColorStartDeviation, ParticleColorEnd, ParticleColorEndDeviation (0-255),
// ParticleBlending (0 "Additive", 1 "Alpha"), ParticleRotationSpeedStart,
// ParticleRotationSpeedEnd, AnimationSpeed (ranges, frames per second), StartingFrame,
// LoopAnimation.
//
// Data whose texture is not loaded logs one line naming the texture and the object; its
// emitters are neither stepped nor drawn. Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/ColorRGBA.h"
#include "Math/Vector2.h"
#include <string>

template <typename Owner> struct MemberTable;

namespace Graphics
{
namespace System
{
class ParticleEffectSystem;
}
struct Particle;
class Texture;

// What a birth draws the data's values from, worked out once a step rather than once a birth:
// every range as its low end and width, as RandRange works them out, and each colour as its
// base with the low end and width of its deviation, channel by channel (r, g, b, a).
struct ParticleBirthRanges
{
    f32 lifeLow;
    f32 lifeWidth;
    f32 spinStartLow;
    f32 spinStartWidth;
    f32 spinEndLow;
    f32 spinEndWidth;
    f32 scaleStartLow;
    f32 scaleStartWidth;
    f32 scaleEndLow;
    f32 scaleEndWidth;
    f32 animationLow;
    f32 animationWidth;
    f32 frame;
    f32 colourStart[4];
    f32 colourStartLow[4];
    f32 colourStartWidth[4];
    f32 colourEnd[4];
    f32 colourEndLow[4];
    f32 colourEndWidth[4];
};

class ParticleSystemComponent : public GameObjectComponent
{
public:
    enum Blending : u32
    {
        AdditiveBlending = 0,
        AlphaBlending = 1,
    };

    ParticleSystemComponent();
    // Every member; the name deeply, the texture pointer as it is. Belongs to no system.
    ParticleSystemComponent(const ParticleSystemComponent& other);
    ParticleSystemComponent& operator=(const ParticleSystemComponent&) = delete;
    // Leaves the particle effect system quietly (Shutdown is what leaves finishing copies).
    ~ParticleSystemComponent() override;

    QUILL_COMPONENT_TYPE(ParticleSystemComponent)
    static const MemberTable<ParticleSystemComponent>& Members();

    // Every emitter of this data becomes a finishing copy with a copy of the data.
    void Shutdown() override;
    // The name first (filing the data with the particle effect system, which may rename it),
    // then the texture, looked up by name, then the rest.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    // SetParticleColorMessage: the start colour when its flag is set, else the end colour.
    void HandleMessage(Message* message) override;
    // The data's panel, labelled with its name, then the options group with "Save Data".
    void BuildEditor(Tools::PropertyGroup& group) override;

    // Fills a new particle's life, spin, size, colours, animation speed and first frame.
    void InitParticle(Particle& particle) const;
    // The ranges of InitParticle's draws, for births that draw them straight into a pool.
    void GetBirthRanges(ParticleBirthRanges& ranges) const;
    // Sets the OpenGL blend function of this data's blending.
    void ApplyBlending() const;
    // As ParticleEmitterComponent::SaveEmitter, into the data definitions.
    std::string SaveData(const std::string& name);

    const std::string& GetDataName() const { return name; }
    u32 GetNameId() const { return nameId; }
    // Name and id together (the effect system's renames).
    void SetDataName(const std::string& newName);
    Texture* GetTexture() const { return texture; }
    void SetTexture(Texture* value) { texture = value; }
    u32 GetBlending() const { return blending; }
    // Sheet counts as the step and the uniforms use them: never below 1.
    u32 GetTotalFrames() const;
    u32 GetWidthFrames() const;
    bool IsLooping() const { return loopAnimation; }

    Texture* texture; // not owned
    u32 nameId;
    std::string name;
    std::string textureName;
    u32 blending;
    Math::Vector2 age;
    Math::Vector2 scaleStart;
    Math::Vector2 scaleEnd;
    Math::ColorRGBA colorStart;
    Math::ColorRGBA colorStartDeviation;
    Math::ColorRGBA colorEnd;
    Math::ColorRGBA colorEndDeviation;
    Math::Vector2 rotationSpeedStart;
    Math::Vector2 rotationSpeedEnd;
    Math::Vector2 animationSpeed;
    u32 startingFrame;
    bool loopAnimation;

private:
    friend class System::ParticleEffectSystem;
    // The name id the effect system filed the data under (0: not filed).
    u32 filedNameId_;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::ParticleSystemComponent)
