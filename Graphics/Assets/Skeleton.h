#pragma once
// The bones and animations of a model, and the pose operations that turn a time of an
// animation into one matrix per bone for the skinning shaders.
//
// Poses: EvaluatePose gives, per bone, (parents' pose x sampled local) x offset, in the model
// layout; EvaluatePoseTransposed gives offset x transpose(pose), the form the shaders take.
// BindPose and BindPoseTransposed do the same with each bone's own local matrix and no parents.
// Every output array holds one matrix per bone (GetBoneCount). The key hints (one index per
// bone, owned by the caller, starting at 0) make steadily advancing time constant work: the
// search starts at the last key used.
#include "Graphics/Assets/Animation.h"
#include "Graphics/Assets/Bone.h"
#include "Graphics/Formats/ModelFile.h"
#include "TweakBar/TweakBar.h"
#include <vector>

namespace Graphics
{
class Skeleton
{
public:
    Skeleton() = default;
    ~Skeleton();
    Skeleton(const Skeleton&) = delete;
    Skeleton& operator=(const Skeleton&) = delete;

    // Takes the bone records (parents before children, as the reader checks) and the
    // animations, then builds the hierarchy and the bind matrices.
    void Build(const std::vector<BoneRecord>& bones);
    // Appends an empty animation and answers it.
    Animation* AddAnimation();
    void AddAnimations(const std::vector<AnimationRecord>& animations);
    // One enumeration entry per animation (value = index, label = name) defined for the
    // editor's drop-down lists under `name`; any earlier one is released.
    void BuildAnimationEnum(const std::string& name);

    u32 GetBoneCount() const { return static_cast<u32>(m_bones.size()); }
    const std::vector<Bone>& GetBones() const { return m_bones; }
    // Bones without a parent, in file order.
    const std::vector<u32>& GetRoots() const { return m_roots; }

    u32 GetAnimationCount() const { return static_cast<u32>(m_animations.size()); }
    const Animation* GetFirstAnimation() const;
    // Callers pass an index below the count.
    const Animation* GetAnimation(u32 index) const { return &m_animations[index]; }
    // The first animation whose name equals `name` exactly (case-sensitive), or null.
    const Animation* FindAnimation(const std::string& name) const;
    // The animation's position in the list; -1 for null or one not in the list.
    s32 GetAnimationIndex(const Animation* animation) const;
    TwType GetAnimationEnumType() const { return m_enumType; }

    // Samples one track at `time` into `matrix` (translation x rotation). A track without keys
    // or past the animation's tracks leaves the matrix as it was. Before the first key the
    // translation holds and the rotation extrapolates; after the last key the pose holds. Keys
    // with equal times sample the earlier key (u = 0).
    static void SampleTrack(const Animation& animation, f32 time, u32 track, u32& hint,
                            Math::Matrix4& matrix);

    void EvaluatePose(f32 time, const Animation& animation, Math::Matrix4* matrices,
                      u32* hints) const;
    void EvaluatePoseTransposed(f32 time, const Animation& animation, Math::Matrix4* matrices,
                                u32* hints) const;
    void BindPose(Math::Matrix4* matrices) const;
    void BindPoseTransposed(Math::Matrix4* matrices) const;

private:
    // Step one of the poses: parent x sampled local, bone by bone.
    void AccumulatePose(f32 time, const Animation& animation, Math::Matrix4* matrices,
                        u32* hints) const;

    std::vector<Bone> m_bones;
    std::vector<u32> m_roots;
    // A deque-like list would do; a vector is fine because AddAnimation's callers do not keep
    // pointers across later additions.
    std::vector<Animation> m_animations;
    std::vector<TwEnumVal> m_enumValues; // labels point into the animations' names
    std::string m_enumName;
    TwType m_enumType = 0;
};
} // namespace Graphics
