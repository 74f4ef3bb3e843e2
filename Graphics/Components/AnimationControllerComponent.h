#pragma once
// Plays the skeletal animations of its object's model and keeps two matrices per bone: the
// skinning matrices the skinned shaders read ("WorldMatrixArray", the skeleton's EvaluatePose)
// and the bone transforms (EvaluatePoseTransposed, whose elements 12 to 14 hold the bone's
// position in model space) that bone mounts and the skeleton's debug lines use.
//
// Reads nothing from XML: it takes the model of the object's render component, which must come
// first in the definition, and starts "Idle" (else "Default"); a model without animations shows
// its bind pose, one without a skeleton leaves the controller inert.
//
// Messages: 46 play/stop, 47 swap (a swap to the playing animation does nothing), 48 speed,
// 49 play until a time (clamped into the animation), 50 set time (posed at once). A
// non-looping animation that runs past its end restarts at 0 and posts itself a swap to
// "Idle", unless play-until stopped it there: then it holds its last pose. Times are seconds.
// Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Matrix4.h"
#include <string>
#include <vector>

namespace Graphics
{
struct Animation;
class DebugDrawQueue;
class Model;
class Skeleton;

class AnimationControllerComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "GraphicsSystem";
    static constexpr const char* IdleAnimation = "Idle";
    static constexpr const char* DefaultAnimation = "Default";

    AnimationControllerComponent();
    AnimationControllerComponent(const AnimationControllerComponent&) = delete;
    AnimationControllerComponent& operator=(const AnimationControllerComponent&) = delete;
    ~AnimationControllerComponent() override;

    QUILL_COMPONENT_TYPE(AnimationControllerComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message* message) override;
    // With a skeleton: "Animations", "Animation Speed", "Bone Count" and the three flags,
    // then the options group; nothing without one.
    void BuildEditor(Tools::PropertyGroup& group) override;

    // Takes the model's skeleton: its first animation at time 0, the arrays sized to its
    // bones. A model without a skeleton (or null) leaves the controller inert.
    void SetModel(const Model* model);
    // One updated frame.
    void Update(f32 seconds);
    // The debug view of the skeleton (F2) at the object's model matrix: for each bone with a
    // parent, a green line from the parent to the bone and a red sphere at either end, all seen
    // through other geometry. The caller tests the debug-draw flag. Nothing without a skeleton.
    void QueueSkeleton(const Math::Matrix4& model, DebugDrawQueue& queue) const;

    const Skeleton* GetSkeleton() const { return m_skeleton; }
    const Animation* GetCurrentAnimation() const { return m_current; }
    u32 GetBoneCount() const { return m_boneCount; }
    const std::vector<Math::Matrix4>& GetPoses() const { return m_poses; }
    const std::vector<Math::Matrix4>& GetBoneTransforms() const { return m_boneTransforms; }
    // The bone's position in model space (elements 12 to 14 of its transform); callers pass a
    // bone below the count.
    Math::Point4 GetBonePosition(u32 bone) const
    {
        return m_boneTransforms[bone].GetTranslationTransposed();
    }

    f32 time;
    f32 speed;
    bool playing;
    bool loop;
    bool bindPose;
    bool playUntil;
    f32 until;

private:
    // The named animation, else "Default"; null without a skeleton or either.
    const Animation* FindAnimation(const std::string& name) const;
    void Restart();
    // Both arrays at the current time (or the bind pose).
    void Pose();

    const Skeleton* m_skeleton;
    const Animation* m_current;
    u32 m_boneCount;
    std::vector<Math::Matrix4> m_poses;
    std::vector<Math::Matrix4> m_boneTransforms;
    // The skeleton's key hints, one per bone, zeroed whenever the animation restarts.
    std::vector<u32> m_hints;
    std::vector<u32> m_transposedHints;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::AnimationControllerComponent)
