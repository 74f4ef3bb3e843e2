// The emitter's editor panel: the base entries every shape shares, and the "Save Emitter" group.
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyButton.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include <string>
#include <vector>

namespace Graphics
{
namespace
{
// Editor ranges: speeds, offsets and gravity within a scene's scale, burst delays up to 16 s.
constexpr f32 SpeedLimit = 32.0f;
constexpr f32 SpeedStep = 0.1f;
constexpr f32 OffsetLimit = 10.0f;
constexpr f32 OffsetStep = 0.1f;
constexpr f32 GravityLimit = 10.0f;
constexpr f32 FineStep = 0.01f;
constexpr f32 MaxBurstDelay = 16.0f;
constexpr s32 WholeNumbers = 0;
constexpr s32 OneDecimal = 1;
constexpr s32 TwoDecimals = 2;

Tools::PropertyAttributes Range(f32 min, f32 max, f32 step, s32 precision)
{
    Tools::PropertyAttributes attributes(min, max, step);
    attributes.SetPrecision(precision);
    return attributes;
}

ParticleEmitterComponent& EmitterOf(void* clientData)
{
    return *static_cast<ParticleEmitterComponent*>(
        static_cast<Tools::PropertyMember*>(clientData)->GetBoundValue());
}

// "{Disable}", then the names of the data components on the emitter's object, in its order.
std::vector<std::string> DataChoices(const ParticleEmitterComponent& emitter)
{
    std::vector<std::string> names{ParticleEmitterComponent::DisabledDataName};
    GameFactory* factory = Engine::Factory();
    const GameObject* owner =
        factory != nullptr ? factory->FindObject(emitter.GetOwner()) : nullptr;
    if (owner == nullptr)
        return names;
    for (const GameObject::ComponentEntry& entry : owner->GetComponentList())
    {
        if (const auto* data = dynamic_cast<const ParticleSystemComponent*>(entry.component))
            names.push_back(data->GetDataName());
    }
    return names;
}

void GetDataChoice(void* value, void* clientData)
{
    const ParticleEmitterComponent& emitter = EmitterOf(clientData);
    const std::vector<std::string> names = DataChoices(emitter);
    s32 index = 0;
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        if (names[i] == emitter.GetDataName())
            index = static_cast<s32>(i);
    }
    *static_cast<s32*>(value) = index;
}

void SetDataChoice(const void* value, void* clientData)
{
    ParticleEmitterComponent& emitter = EmitterOf(clientData);
    const std::vector<std::string> names = DataChoices(emitter);
    const s32 index = *static_cast<const s32*>(value);
    System::ParticleEffectSystem* effects = System::ParticleEffectSystem::Instance();
    if (index < 0 || static_cast<std::size_t>(index) >= names.size() || effects == nullptr ||
        names[static_cast<std::size_t>(index)] == emitter.GetDataName())
        return;
    effects->ChangeEmitterData(&emitter, names[static_cast<std::size_t>(index)]);
}

void SaveEmitterButton(void* clientData)
{
    auto* emitter = static_cast<ParticleEmitterComponent*>(
        static_cast<Tools::PropertyButton*>(clientData)->GetUserData());
    if (emitter == nullptr || emitter->SaveEmitter(Tools::SharedSaveName()).empty())
        return;
    Tools::SharedSaveName().clear();
    Tools::NotifyDefinitionSaved();
}
} // namespace

void ParticleEmitterComponent::BuildShapeEditor(Tools::PropertyGroup&) {}

void ParticleEmitterComponent::BuildEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    const std::vector<std::string> names = DataChoices(*this);
    EnumPairs choices;
    for (std::size_t i = 0; i < names.size(); ++i)
        choices.emplace_back(names[i], static_cast<s32>(i));
    group.AddEnum("Particle Data", this, choices, &SetDataChoice, &GetDataChoice);
    group.AddBool("Local To Emitter", &localToEmitter_, nullptr, &SetBoolCallback,
                  &GetBoolCallback);
    group.AddBool("Facing Direction", &normalFacing_, nullptr, &SetBoolCallback, &GetBoolCallback);
    const PropertyAttributes counts = Range(0.0f, particleCount_.y, 1.0f, WholeNumbers);
    group.AddRange("Emition Rate", &particleEmitRate_.x, counts, &SetScalarCallback,
                   &GetScalarCallback);

    PropertyGroup* burst = group.AddGroup("Burst");
    burst->AddBool("Enable Burst", &burst_, nullptr, &SetBoolCallback, &GetBoolCallback);
    burst->AddBool("Single Frame", &burstSingleFrame_, nullptr, &SetBoolCallback, &GetBoolCallback);
    burst->AddBool("Repeat", &burstRepeat_, nullptr, &SetBoolCallback, &GetBoolCallback);
    burst->AddUnsigned("Count", &burstCount_, &counts, &SetScalarCallback, &GetScalarCallback);
    const PropertyAttributes delay = Range(0.0f, MaxBurstDelay, FineStep, TwoDecimals);
    burst->AddFloat("Delay", &burstDelay_, &delay, &SetScalarCallback, &GetScalarCallback);
    burst->Define();

    const PropertyAttributes speed = Range(-SpeedLimit, SpeedLimit, SpeedStep, OneDecimal);
    group.AddRange("Speed Start", &speedStart_.x, speed, &SetScalarCallback, &GetScalarCallback);
    group.AddRange("Speed End", &speedEnd_.x, speed, &SetScalarCallback, &GetScalarCallback);
    const PropertyAttributes offset = Range(-OffsetLimit, OffsetLimit, OffsetStep, OneDecimal);
    group.AddVector3("Offset", &emitterOffset_.x, offset, &SetScalarCallback, &GetScalarCallback);
    group.AddDirection("Gravity", &globalVelocity_.x, nullptr, &SetFloat3Callback,
                       &GetFloat3Callback);
    const PropertyAttributes gravity = Range(-GravityLimit, GravityLimit, FineStep, TwoDecimals);
    group.AddFloat("Gravity Speed", &globalVelocitySpeed_, &gravity, &SetScalarCallback,
                   &GetScalarCallback);

    BuildShapeEditor(group);

    PropertyGroup* options = AddComponentOptions(this, group);
    PropertyGroup* save = options->AddGroup("Save Emitter");
    save->AddString("Save Name", &SharedSaveName(), nullptr, &SetStringCallback,
                    &GetStringCallback);
    save->AddButton("[Save]", this, &SaveEmitterButton);
    save->Define();
}
} // namespace Graphics
