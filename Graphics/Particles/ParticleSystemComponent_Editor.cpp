// The particle data's editor panel and its "Save Data" group.
#include "Core/PropertyModel/PropertyButton.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Graphics/Assets/Texture.h"
#include "Graphics/Assets/TextureManager.h"
#include "Graphics/Particles/ParticleEffectSystem.h"
#include "Graphics/Particles/ParticleSystemComponent.h"
#include <string>

namespace Graphics
{
namespace
{
// Editor ranges: lifetimes and animation speeds up to 64, spins of 8 radians a second, scales
// from a hundredth to eightfold, colours shown 0 to 255.
constexpr f32 MaxAge = 64.0f;
constexpr f32 MinAge = 0.01f;
constexpr f32 MaxAnimationSpeed = 64.0f;
constexpr f32 AnimationStep = 0.001f;
constexpr s32 AnimationDecimals = 3;
constexpr f32 FineStep = 0.01f;
constexpr s32 TwoDecimals = 2;
constexpr f32 MaxSpin = 8.0f;
constexpr f32 MinScale = 0.01f;
constexpr f32 MaxScale = 8.0f;
constexpr f32 ChannelMax = 255.0f;
constexpr s32 WholeNumbers = 0;

ParticleSystemComponent& DataOf(void* clientData)
{
    return *static_cast<ParticleSystemComponent*>(
        static_cast<Tools::PropertyMember*>(clientData)->GetBoundValue());
}

void GetTypeText(void* value, void* clientData)
{
    TwCopyStdStringToLibrary(*static_cast<std::string*>(value), DataOf(clientData).name);
}

// A new name is made unique on the object and moves the data's entries with it.
void SetTypeText(const void* value, void* clientData)
{
    ParticleSystemComponent& data = DataOf(clientData);
    const std::string& wanted = *static_cast<const std::string*>(value);
    System::ParticleEffectSystem* effects = System::ParticleEffectSystem::Instance();
    if (effects == nullptr || wanted == data.name)
        return;
    effects->RenameParticleData(&data, effects->MakeUniqueDataName(&data, wanted));
    Tools::RequestPropertyRebuild();
}

void GetTextureChoice(void* value, void* clientData)
{
    const Texture* texture = DataOf(clientData).GetTexture();
    *static_cast<s32*>(value) = texture != nullptr ? static_cast<s32>(texture->GetIndex()) : 0;
}

void SetTextureChoice(const void* value, void* clientData)
{
    const auto* entry = static_cast<const Tools::PropertyEnum*>(clientData);
    ParticleSystemComponent& data = DataOf(clientData);
    TextureManager* textures = TextureManager::Instance();
    Texture* texture = textures != nullptr
                           ? textures->Find(entry->LabelOf(*static_cast<const s32*>(value)),
                                            TextureManager::ParticleCategory)
                           : nullptr;
    if (texture == nullptr)
        return;
    data.SetTexture(texture);
    data.textureName = texture->GetName();
    Tools::RequestPropertyRebuild();
}

void SaveDataButton(void* clientData)
{
    auto* data = static_cast<ParticleSystemComponent*>(
        static_cast<Tools::PropertyButton*>(clientData)->GetUserData());
    if (data == nullptr || data->SaveData(Tools::SharedSaveName()).empty())
        return;
    Tools::SharedSaveName().clear();
    Tools::NotifyDefinitionSaved();
}

Tools::PropertyAttributes Range(f32 min, f32 max, f32 step, s32 precision)
{
    Tools::PropertyAttributes attributes(min, max, step);
    attributes.SetPrecision(precision);
    return attributes;
}
} // namespace

void ParticleSystemComponent::BuildEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    group.SetKey("label", GetTypeName() + " : " + name);
    group.AddString("Type", this, nullptr, &SetTypeText, &GetTypeText);

    SharedEnumType images;
    const TextureManager* textures = TextureManager::Instance();
    if (const auto* category =
            textures != nullptr ? textures->GetCategory(TextureManager::ParticleCategory) : nullptr)
        images = SharedEnumType{category->editorValues.Get(), category->editorType,
                                category->editorValueCount};
    group.AddEnumOfType("Particle Image", this, images, &SetTextureChoice, &GetTextureChoice);
    const u32 frames = GetTotalFrames();
    const PropertyAttributes frame(0.0f, frames > 0 ? static_cast<f32>(frames - 1) : 0.0f, 1.0f);
    group.AddUnsigned("Starting Frame", &startingFrame, &frame, &SetScalarCallback,
                      &GetScalarCallback);
    group.AddRange("Animation Speed", &animationSpeed.x,
                   Range(0.0f, MaxAnimationSpeed, AnimationStep, AnimationDecimals),
                   &SetScalarCallback, &GetScalarCallback);
    group.AddBool("Animation Loop", &loopAnimation, nullptr, &SetBoolCallback, &GetBoolCallback);
    group.AddEnum("Blending", &blending, {{"Additive", AdditiveBlending}, {"Alpha", AlphaBlending}},
                  &SetScalarCallback, &GetScalarCallback);
    group.AddRange("Age", &age.x, Range(MinAge, MaxAge, FineStep, TwoDecimals), &SetScalarCallback,
                   &GetScalarCallback);
    const PropertyAttributes spin(-MaxSpin, MaxSpin, FineStep);
    group.AddRange("Rotation Speed Start", &rotationSpeedStart.x, spin, &SetScalarCallback,
                   &GetScalarCallback);
    group.AddRange("Rotation Speed End", &rotationSpeedEnd.x, spin, &SetScalarCallback,
                   &GetScalarCallback);
    const PropertyAttributes scale(MinScale, MaxScale, FineStep);
    group.AddRange("Scale Start", &scaleStart.x, scale, &SetScalarCallback, &GetScalarCallback);
    group.AddRange("Scale End", &scaleEnd.x, scale, &SetScalarCallback, &GetScalarCallback);
    const PropertyAttributes channels = Range(0.0f, ChannelMax, 1.0f, WholeNumbers);
    group.AddColorWithDeviation("Color Start", &colorStart.r, &colorStartDeviation.r, channels,
                                &SetFloat4Callback, &GetFloat4Callback);
    group.AddColorWithDeviation("Color End", &colorEnd.r, &colorEndDeviation.r, channels,
                                &SetFloat4Callback, &GetFloat4Callback);

    PropertyGroup* options = AddComponentOptions(this, group);
    PropertyGroup* save = options->AddGroup("Save Data");
    save->AddString("Save Name", &SharedSaveName(), nullptr, &SetStringCallback,
                    &GetStringCallback);
    save->AddButton("[Save]", this, &SaveDataButton);
    save->Define();
}
} // namespace Graphics
