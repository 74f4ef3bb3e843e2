#include "Graphics/Components/AnimationControllerComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Graphics/AnimationPlayMessage.h"
#include "Core/Messages/Graphics/AnimationPlayUntilMessage.h"
#include "Core/Messages/Graphics/AnimationSetTimeMessage.h"
#include "Core/Messages/Graphics/AnimationSpeedSetMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/PostNew.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/Skeleton.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include <algorithm>

QUILL_DEFINE_TYPE_RECORD(Graphics::AnimationControllerComponent,
                         &TypeRecordOf<GameObjectComponent>(), false)

namespace Graphics
{
namespace
{
const char* const LogName = "AnimationControllerComponent";

// The skeleton's debug view: green bone lines twice as wide as the red wire spheres that mark
// the joints, which are small beside a character.
const Math::ColorRGBA BoneColour(0.0f, 1.0f, 0.0f, 1.0f);
constexpr f32 BoneLineWidth = 2.0f;
const Math::ColorRGBA JointColour(1.0f, 0.0f, 0.0f, 1.0f);
constexpr f32 JointLineWidth = 1.0f;
constexpr f32 JointRadius = 0.15f;
// Bones sit inside the mesh, so they are drawn without the depth test.
constexpr bool SkeletonDepthTest = false;

f32 ClampTime(f32 time, const Animation& animation)
{
    return std::min(std::max(time, 0.0f), animation.duration);
}
} // namespace

AnimationControllerComponent::AnimationControllerComponent()
    : GameObjectComponent(true), time(0.0f), speed(1.0f), playing(true), loop(true),
      bindPose(false), playUntil(false), until(0.0f), m_skeleton(nullptr), m_current(nullptr),
      m_boneCount(0)
{
    Core::RegisterWithSystem(SystemName, this);
}

AnimationControllerComponent::~AnimationControllerComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void AnimationControllerComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void AnimationControllerComponent::Deserialize(Serializer::XmlReader&)
{
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    const RenderComponent* render =
        owner != nullptr ? owner->GetComponent<RenderComponent>() : nullptr;
    SetModel(render != nullptr ? render->GetModel() : nullptr);
    if (m_skeleton == nullptr)
        return;
    if (m_skeleton->GetAnimationCount() == 0)
    {
        bindPose = true;
        return;
    }
    m_current = FindAnimation(IdleAnimation);
    loop = true;
    bindPose = false;
    playing = true;
    Restart();
}

void AnimationControllerComponent::SetModel(const Model* model)
{
    m_skeleton = model != nullptr ? model->GetSkeleton() : nullptr;
    m_current = nullptr;
    if (m_skeleton == nullptr)
    {
        m_boneCount = 0;
        return;
    }
    time = 0.0f;
    m_current = m_skeleton->GetFirstAnimation();
    m_boneCount = m_skeleton->GetBoneCount();
    m_poses.assign(m_boneCount, Math::Matrix4());
    m_boneTransforms.assign(m_boneCount, Math::Matrix4());
    m_hints.assign(m_boneCount, 0u);
    m_transposedHints.assign(m_boneCount, 0u);
}

const Animation* AnimationControllerComponent::FindAnimation(const std::string& name) const
{
    if (m_skeleton == nullptr)
        return nullptr;
    const Animation* animation = m_skeleton->FindAnimation(name);
    return animation != nullptr ? animation : m_skeleton->FindAnimation(DefaultAnimation);
}

void AnimationControllerComponent::Restart()
{
    time = 0.0f;
    playUntil = false;
    until = 0.0f;
    std::fill(m_hints.begin(), m_hints.end(), 0u);
    std::fill(m_transposedHints.begin(), m_transposedHints.end(), 0u);
}

void AnimationControllerComponent::Pose()
{
    if (m_skeleton == nullptr || m_boneCount == 0)
        return;
    if (bindPose || m_current == nullptr)
    {
        m_skeleton->BindPose(m_poses.data());
        m_skeleton->BindPoseTransposed(m_boneTransforms.data());
        return;
    }
    m_skeleton->EvaluatePose(time, *m_current, m_poses.data(), m_hints.data());
    m_skeleton->EvaluatePoseTransposed(time, *m_current, m_boneTransforms.data(),
                                       m_transposedHints.data());
}

void AnimationControllerComponent::Update(f32 seconds)
{
    if (m_skeleton == nullptr)
        return;
    if (bindPose)
    {
        Pose();
        return;
    }
    if (m_current == nullptr)
        return;
    const f32 start = time;
    if (playing)
        time = start + speed * seconds;
    // The pose of this frame is still taken at the new time.
    if (playUntil && start <= until && until <= time)
        playing = false;
    Pose();
    // A stopped animation holds where it stopped, also just past its end: play-until at the
    // end of a track keeps its last pose (a death stays down) instead of starting over.
    if (!playing || time <= m_current->duration)
        return;
    time = 0.0f;
    std::fill(m_hints.begin(), m_hints.end(), 0u);
    std::fill(m_transposedHints.begin(), m_transposedHints.end(), 0u);
    if (loop || g_Engine == nullptr)
        return;
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    Core::PostNew<AnimationSwapMessage>(LogName, 0.0f, graphics != nullptr ? graphics->GetId() : 0u,
                                        std::string(IdleAnimation), 1u, m_owner);
}

void AnimationControllerComponent::QueueSkeleton(const Math::Matrix4& model,
                                                 DebugDrawQueue& queue) const
{
    if (m_skeleton == nullptr)
        return;
    const std::vector<Bone>& bones = m_skeleton->GetBones();
    // The bone transforms hold one matrix per bone; a bone past them has no pose to show.
    const u32 count = std::min(static_cast<u32>(bones.size()), GetBoneCount());
    const auto worldPosition = [&](u32 bone)
    {
        const Math::Point4 local = GetBonePosition(bone);
        const Math::Vector4 world = model * Math::Vector4(local.x, local.y, local.z, 1.0f);
        return Math::Point4(world.x, world.y, world.z, 1.0f);
    };
    for (u32 parent = 0; parent < count; ++parent)
    {
        const Math::Point4 from = worldPosition(parent);
        for (u32 child : bones[parent].children)
        {
            if (child >= count)
                continue;
            const Math::Point4 to = worldPosition(child);
            queue.Add(Math::Segment3(from, to), BoneColour, BoneLineWidth, SkeletonDepthTest);
            queue.Add(Math::Sphere3(from, JointRadius), JointColour, JointLineWidth,
                      SkeletonDepthTest);
            queue.Add(Math::Sphere3(to, JointRadius), JointColour, JointLineWidth,
                      SkeletonDepthTest);
        }
    }
}

void AnimationControllerComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case AnimationPlayMessage::Type:
        playing = static_cast<AnimationPlayMessage*>(message)->play;
        playUntil = false;
        until = 0.0f;
        break;
    case AnimationSwapMessage::Type:
    {
        const auto* swap = static_cast<AnimationSwapMessage*>(message);
        const Animation* animation = FindAnimation(swap->animationName);
        // Swapping to what already plays keeps its time.
        if (animation == nullptr || animation == m_current)
            break;
        m_current = animation;
        bindPose = false;
        playing = true;
        loop = swap->loop != 0;
        Restart();
        break;
    }
    case AnimationSpeedSetMessage::Type:
        speed = static_cast<AnimationSpeedSetMessage*>(message)->speed;
        break;
    case AnimationPlayUntilMessage::Type:
        if (m_current == nullptr)
            break;
        playUntil = true;
        until = ClampTime(static_cast<AnimationPlayUntilMessage*>(message)->time, *m_current);
        break;
    case AnimationSetTimeMessage::Type:
    {
        const auto* setTime = static_cast<AnimationSetTimeMessage*>(message);
        playing = !setTime->flag;
        if (m_current == nullptr)
            break;
        time = ClampTime(setTime->time, *m_current);
        std::fill(m_hints.begin(), m_hints.end(), 0u);
        std::fill(m_transposedHints.begin(), m_transposedHints.end(), 0u);
        Pose();
        break;
    }
    default:
        break;
    }
}
} // namespace Graphics
