#include "Graphics/Particles/ParticleSystemComponent.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Graphics/SetParticleColorMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Assets/Texture.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Particles/Particle.h"
#include "Graphics/Particles/ParticleDefinitionFile.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Math/MathUtils.h"
#include "Math/RandStream.h"
#include <GL/glew.h>
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Graphics::ParticleSystemComponent, &TypeRecordOf<GameObjectComponent>(),
                         false)

namespace Graphics
{
namespace
{
const char* const LogName = "ParticleSystemComponent";
const Math::ColorRGBA NoDeviation(0.0f, 0.0f, 0.0f, 1.0f);

// A channel kept within 0 to 1 (NaN gives 0).
f32 ClampChannel(f32 value)
{
    if (!(value > 0.0f))
        return 0.0f;
    return value > 1.0f ? 1.0f : value;
}

// Math::ColorRGBA::RandomVariation drawn from the stream: each channel plus a uniform offset
// within plus or minus the deviation's channel, alpha first, then blue, green and red, clamped.
void VaryColour(Math::RandStream& draw, const Math::ColorRGBA& colour,
                const Math::ColorRGBA& deviation, Math::ColorRGBA& out)
{
    const f32 alpha = colour.a + draw.Range(-deviation.a, deviation.a);
    const f32 blue = colour.b + draw.Range(-deviation.b, deviation.b);
    const f32 green = colour.g + draw.Range(-deviation.g, deviation.g);
    const f32 red = colour.r + draw.Range(-deviation.r, deviation.r);
    out = Math::ColorRGBA(ClampChannel(red), ClampChannel(green), ClampChannel(blue),
                          ClampChannel(alpha));
}
} // namespace

ParticleSystemComponent::ParticleSystemComponent()
    : GameObjectComponent(true), texture(nullptr), nameId(0), name(), textureName(),
      blending(AdditiveBlending), age(0.0f, 0.0f), scaleStart(0.0f, 0.0f), scaleEnd(0.0f, 0.0f),
      colorStart(), colorStartDeviation(NoDeviation), colorEnd(), colorEndDeviation(NoDeviation),
      rotationSpeedStart(0.0f, 0.0f), rotationSpeedEnd(0.0f, 0.0f), animationSpeed(0.0f, 0.0f),
      startingFrame(0), loopAnimation(true), filedNameId_(0)
{
}

ParticleSystemComponent::ParticleSystemComponent(const ParticleSystemComponent& other)
    : GameObjectComponent(other), texture(other.texture), nameId(other.nameId), name(other.name),
      textureName(other.textureName), blending(other.blending), age(other.age),
      scaleStart(other.scaleStart), scaleEnd(other.scaleEnd), colorStart(other.colorStart),
      colorStartDeviation(other.colorStartDeviation), colorEnd(other.colorEnd),
      colorEndDeviation(other.colorEndDeviation), rotationSpeedStart(other.rotationSpeedStart),
      rotationSpeedEnd(other.rotationSpeedEnd), animationSpeed(other.animationSpeed),
      startingFrame(other.startingFrame), loopAnimation(other.loopAnimation), filedNameId_(0)
{
}

ParticleSystemComponent::~ParticleSystemComponent()
{
    if (System::ParticleEffectSystem* system = System::ParticleEffectSystem::Instance())
        system->ForgetParticleSystem(this);
}

const MemberTable<ParticleSystemComponent>& ParticleSystemComponent::Members()
{
    using namespace MemberFlag;
    using D = ParticleSystemComponent;
    QUILL_MEMBER_TABLE(
        table, D, ReadRule::ByTag, QUILL_MEMBER(D, name, Written).Tag("ParticleData"),
        QUILL_MEMBER(D, textureName, Written).Tag("ParticleTexture"),
        QUILL_MEMBER(D, age, Written).Tag("ParticleAge"),
        QUILL_MEMBER(D, scaleStart, Written).Tag("ParticleScaleStart"),
        QUILL_MEMBER(D, scaleEnd, Written).Tag("ParticleScaleEnd"),
        QUILL_MEMBER(D, colorStart, Written).Tag("ParticleColorStart"),
        QUILL_MEMBER(D, colorStartDeviation, Written).Tag("ParticleColorStartDeviation"),
        QUILL_MEMBER(D, colorEnd, Written).Tag("ParticleColorEnd"),
        QUILL_MEMBER(D, colorEndDeviation, Written).Tag("ParticleColorEndDeviation"),
        QUILL_MEMBER(D, blending, Written).Tag("ParticleBlending"),
        QUILL_MEMBER(D, rotationSpeedStart, Written).Tag("ParticleRotationSpeedStart"),
        QUILL_MEMBER(D, rotationSpeedEnd, Written).Tag("ParticleRotationSpeedEnd"),
        QUILL_MEMBER(D, animationSpeed, Written).Tag("AnimationSpeed"),
        QUILL_MEMBER(D, startingFrame, Written).Tag("StartingFrame"),
        QUILL_MEMBER(D, loopAnimation, Written).Tag("LoopAnimation"));
    return table;
}

void ParticleSystemComponent::SetDataName(const std::string& newName)
{
    name = newName;
    nameId = HashTypeName(name.c_str());
}

void ParticleSystemComponent::Shutdown()
{
    if (System::ParticleEffectSystem* system = System::ParticleEffectSystem::Instance())
        system->UnregisterParticleSystem(this);
}

void ParticleSystemComponent::Deserialize(Serializer::XmlReader& reader)
{
    const MemberTable<ParticleSystemComponent>& table = Members();
    const MemberEntry<ParticleSystemComponent>* entry = table.begin();
    entry->read(reader, *this, entry->tag);
    ++entry;
    SetDataName(name);
    if (System::ParticleEffectSystem* system = System::ParticleEffectSystem::Instance())
        system->RegisterParticleSystem(this);

    entry->read(reader, *this, entry->tag);
    ++entry;
    TextureManager* textures = TextureManager::Instance();
    texture = textures != nullptr ? textures->Find(textureName, TextureManager::ParticleCategory)
                                  : nullptr;
    if (texture == nullptr)
    {
        GameFactory* factory = Engine::Factory();
        const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
        Core::Log() << "Error [" << LogName << "]: particle texture \"" << textureName
                    << "\" of object " << m_owner << " ("
                    << (owner != nullptr ? owner->GetName() : std::string("no object"))
                    << ") is not loaded; its emitters stay idle\n";
    }
    for (; entry != table.end(); ++entry)
        entry->read(reader, *this, entry->tag);
}

void ParticleSystemComponent::Serialize(Serializer::XmlWriter& writer)
{
    // The texture's own name when there is one.
    if (texture != nullptr)
        textureName = texture->GetName();
    WriteMembers(writer, *this, Members());
}

void ParticleSystemComponent::HandleMessage(Message* message)
{
    if (message == nullptr || message->type != SetParticleColorMessage::Type)
        return;
    const auto* colour = static_cast<SetParticleColorMessage*>(message);
    if (colour->start)
        colorStart = colour->color;
    else
        colorEnd = colour->color;
}

void ParticleSystemComponent::InitParticle(Particle& particle) const
{
    // Every draw from one stream of the engine's generator, in the order of the data's draws.
    Math::RandStream draw;
    particle.age = 0.0f;
    particle.lifetime = draw.Range(age.x, age.y);
    // A lifetime that is no number would never end.
    if (!std::isfinite(particle.lifetime))
        particle.lifetime = 0.0f;
    particle.rotationSpeedStart = draw.Range(rotationSpeedStart.x, rotationSpeedStart.y);
    particle.rotationSpeed = particle.rotationSpeedStart;
    particle.rotation = 0.0f;
    particle.rotationSpeedEnd = draw.Range(rotationSpeedEnd.x, rotationSpeedEnd.y);
    particle.scaleStart = draw.Range(scaleStart.x, scaleStart.y);
    particle.scale = particle.scaleStart;
    particle.scaleEnd = draw.Range(scaleEnd.x, scaleEnd.y);
    VaryColour(draw, colorStart, colorStartDeviation, particle.colorStart);
    particle.color = particle.colorStart;
    VaryColour(draw, colorEnd, colorEndDeviation, particle.colorEnd);
    particle.animationSpeed = draw.Range(animationSpeed.x, animationSpeed.y);
    particle.frame = static_cast<f32>(startingFrame);
}

void ParticleSystemComponent::GetBirthRanges(ParticleBirthRanges& ranges) const
{
    const auto range = [](const Math::Vector2& values, f32& low, f32& width)
    {
        low = values.x;
        width = values.y - values.x;
    };
    range(age, ranges.lifeLow, ranges.lifeWidth);
    range(rotationSpeedStart, ranges.spinStartLow, ranges.spinStartWidth);
    range(rotationSpeedEnd, ranges.spinEndLow, ranges.spinEndWidth);
    range(scaleStart, ranges.scaleStartLow, ranges.scaleStartWidth);
    range(scaleEnd, ranges.scaleEndLow, ranges.scaleEndWidth);
    range(animationSpeed, ranges.animationLow, ranges.animationWidth);
    ranges.frame = static_cast<f32>(startingFrame);
    // A deviation d is the range (-d, d).
    const auto colour = [](const Math::ColorRGBA& base, const Math::ColorRGBA& deviation,
                           f32(&at)[4], f32(&low)[4], f32(&width)[4])
    {
        const f32 bases[4] = {base.r, base.g, base.b, base.a};
        const f32 deviations[4] = {deviation.r, deviation.g, deviation.b, deviation.a};
        for (int channel = 0; channel < 4; ++channel)
        {
            at[channel] = bases[channel];
            low[channel] = -deviations[channel];
            width[channel] = deviations[channel] - low[channel];
        }
    };
    colour(colorStart, colorStartDeviation, ranges.colourStart, ranges.colourStartLow,
           ranges.colourStartWidth);
    colour(colorEnd, colorEndDeviation, ranges.colourEnd, ranges.colourEndLow,
           ranges.colourEndWidth);
}

void ParticleSystemComponent::ApplyBlending() const
{
    if (blending == AdditiveBlending)
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    else if (blending == AlphaBlending)
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE);
}

u32 ParticleSystemComponent::GetTotalFrames() const
{
    const u32 frames = texture != nullptr ? texture->GetTotalFrames() : 1u;
    return frames > 0 ? frames : 1u;
}

u32 ParticleSystemComponent::GetWidthFrames() const
{
    const u32 frames = texture != nullptr ? texture->GetFramesPerRow() : 1u;
    return frames > 0 ? frames : 1u;
}

std::string ParticleSystemComponent::SaveData(const std::string& saveName)
{
    return SaveParticleDefinition(*this, saveName, GetTypeName(),
                                  Serializer::ObjectDefinitionManager::DataCategory);
}
} // namespace Graphics
