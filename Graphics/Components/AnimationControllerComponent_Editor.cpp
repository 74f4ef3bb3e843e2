// The animation controller's editor panel, shown only when the model has a skeleton.
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Graphics/Assets/Animation.h"
#include "Graphics/Assets/Skeleton.h"
#include "Graphics/Components/AnimationControllerComponent.h"

namespace Graphics
{
namespace
{
// Playback from a standstill to four times the authored speed.
constexpr f32 MaxSpeed = 4.0f;
constexpr f32 SpeedStep = 0.01f;
constexpr s32 SpeedDecimals = 2;

AnimationControllerComponent& ControllerOf(void* clientData)
{
    return *static_cast<AnimationControllerComponent*>(
        static_cast<Tools::PropertyMember*>(clientData)->GetBoundValue());
}

void GetAnimationChoice(void* value, void* clientData)
{
    const AnimationControllerComponent& controller = ControllerOf(clientData);
    const Skeleton* skeleton = controller.GetSkeleton();
    const s32 index =
        skeleton != nullptr ? skeleton->GetAnimationIndex(controller.GetCurrentAnimation()) : 0;
    *static_cast<s32*>(value) = index >= 0 ? index : 0;
}

// As an AnimationSwapMessage keeping the loop flag: choosing what plays keeps its time.
void SetAnimationChoice(const void* value, void* clientData)
{
    const auto* entry = static_cast<const Tools::PropertyEnum*>(clientData);
    AnimationControllerComponent& controller = ControllerOf(clientData);
    const std::string name = entry->LabelOf(*static_cast<const s32*>(value));
    if (name.empty())
        return;
    AnimationSwapMessage swap(0, name, controller.loop ? 1u : 0u, 0);
    controller.HandleMessage(&swap);
}

void ReadBoneCount(void* value, void* clientData)
{
    *static_cast<u32*>(value) = ControllerOf(clientData).GetBoneCount();
}
} // namespace

void AnimationControllerComponent::BuildEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    if (m_skeleton == nullptr)
        return;
    if (m_skeleton->GetAnimationCount() > 0)
    {
        EnumPairs names;
        for (u32 i = 0; i < m_skeleton->GetAnimationCount(); ++i)
            names.emplace_back(m_skeleton->GetAnimation(i)->name, static_cast<s32>(i));
        group.AddEnum("Animations", this, names, &SetAnimationChoice, &GetAnimationChoice);
    }
    PropertyAttributes rate(0.0f, MaxSpeed, SpeedStep);
    rate.SetPrecision(SpeedDecimals);
    group.AddFloat("Animation Speed", &speed, &rate, &SetScalarCallback, &GetScalarCallback);
    group.AddUnsigned("Bone Count", this, nullptr, nullptr, &ReadBoneCount);
    group.AddBool("Play", &playing, nullptr, &SetBoolCallback, &GetBoolCallback);
    group.AddBool("Loop", &loop, nullptr, &SetBoolCallback, &GetBoolCallback);
    group.AddBool("BindPose", &bindPose, nullptr, &SetBoolCallback, &GetBoolCallback);
    AddComponentOptions(this, group);
}
} // namespace Graphics
