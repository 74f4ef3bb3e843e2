#include "Graphics/Assets/Skeleton.h"

namespace Graphics
{
namespace
{
Math::Matrix4 RigidTransform(const Math::Vector3& translation, const Math::Quaternion& rotation)
{
    Math::Matrix4 turn;
    rotation.ToMatrix4(turn);
    return Math::Matrix4::Translation(
               Math::Vector4(translation.x, translation.y, translation.z, 1.0f)) *
           turn;
}
} // namespace

Skeleton::~Skeleton()
{
    m_enumValues.clear();
}

void Skeleton::Build(const std::vector<BoneRecord>& records)
{
    m_bones.assign(records.size(), Bone());
    m_roots.clear();
    for (u32 i = 0; i < records.size(); ++i)
    {
        const BoneRecord& record = records[i];
        Bone& bone = m_bones[i];
        bone.name = record.name;
        bone.index = i;
        const bool hasParent = record.parent >= 0 && static_cast<u32>(record.parent) < i;
        bone.parent = hasParent ? static_cast<u32>(record.parent) : Bone::NoParent;
        bone.localTranslation = record.localTranslation;
        bone.localRotation = record.localRotation;
        bone.offsetTranslation = record.offsetTranslation;
        bone.offsetRotation = record.offsetRotation;
        bone.localMatrix = RigidTransform(bone.localTranslation, bone.localRotation);
        bone.offsetMatrix = RigidTransform(bone.offsetTranslation, bone.offsetRotation);
        if (hasParent)
            m_bones[bone.parent].children.push_back(i);
        else
            m_roots.push_back(i);
    }
}

Animation* Skeleton::AddAnimation()
{
    m_animations.emplace_back();
    return &m_animations.back();
}

void Skeleton::AddAnimations(const std::vector<AnimationRecord>& records)
{
    for (const AnimationRecord& record : records)
    {
        Animation* animation = AddAnimation();
        animation->name = record.name;
        animation->duration = record.duration;
        animation->tracks.resize(record.tracks.size());
        for (std::size_t t = 0; t < record.tracks.size(); ++t)
        {
            for (const KeyRecord& key : record.tracks[t])
                animation->tracks[t].push_back(KeyFrame{key.time, key.translation, key.rotation});
        }
    }
}

void Skeleton::BuildAnimationEnum(const std::string& name)
{
    m_enumValues.clear();
    for (std::size_t i = 0; i < m_animations.size(); ++i)
        m_enumValues.push_back(TwEnumVal{static_cast<int>(i), m_animations[i].name.c_str()});
    m_enumName = name;
    m_enumType =
        TwDefineEnum(m_enumName.c_str(), m_enumValues.empty() ? nullptr : m_enumValues.data(),
                     static_cast<unsigned int>(m_enumValues.size()));
}

const Animation* Skeleton::GetFirstAnimation() const
{
    return m_animations.empty() ? nullptr : &m_animations.front();
}

const Animation* Skeleton::FindAnimation(const std::string& name) const
{
    for (const Animation& animation : m_animations)
    {
        if (animation.name == name)
            return &animation;
    }
    return nullptr;
}

s32 Skeleton::GetAnimationIndex(const Animation* animation) const
{
    for (std::size_t i = 0; i < m_animations.size(); ++i)
    {
        if (&m_animations[i] == animation)
            return static_cast<s32>(i);
    }
    return -1;
}

void Skeleton::SampleTrack(const Animation& animation, f32 time, u32 track, u32& hint,
                           Math::Matrix4& matrix)
{
    if (track >= animation.tracks.size() || animation.tracks[track].empty())
        return;
    const std::vector<KeyFrame>& keys = animation.tracks[track];
    const std::size_t last = keys.size() - 1;
    std::size_t k = hint < keys.size() ? hint : last;
    while (k < last && time > keys[k + 1].time)
        ++k;
    while (k > 0 && keys[k].time > time)
        --k;

    Math::Vector3 translation = keys[k].translation;
    Math::Quaternion rotation = keys[k].rotation;
    if (k < last)
    {
        const KeyFrame& from = keys[k];
        const KeyFrame& to = keys[k + 1];
        const f32 span = to.time - from.time;
        // Keys at one time have no span to divide: the earlier key stands.
        const f32 u = span > 0.0f ? (time - from.time) / span : 0.0f;
        const f32 clamped = u < 0.0f ? 0.0f : (u > 1.0f ? 1.0f : u);
        translation = from.translation + (to.translation - from.translation) * clamped;
        // Not clamped: before the first key the rotation carries on backwards.
        rotation.Slerp(u, from.rotation, to.rotation);
    }
    hint = static_cast<u32>(k);
    matrix = RigidTransform(translation, rotation);
}

void Skeleton::AccumulatePose(f32 time, const Animation& animation, Math::Matrix4* matrices,
                              u32* hints) const
{
    for (u32 i = 0; i < m_bones.size(); ++i)
    {
        Math::Matrix4 local;
        SampleTrack(animation, time, i, hints[i], local);
        const u32 parent = m_bones[i].parent;
        matrices[i] = parent != Bone::NoParent ? matrices[parent] * local : local;
    }
}

void Skeleton::EvaluatePose(f32 time, const Animation& animation, Math::Matrix4* matrices,
                            u32* hints) const
{
    AccumulatePose(time, animation, matrices, hints);
    for (u32 i = 0; i < m_bones.size(); ++i)
        matrices[i] = matrices[i] * m_bones[i].offsetMatrix;
}

void Skeleton::EvaluatePoseTransposed(f32 time, const Animation& animation, Math::Matrix4* matrices,
                                      u32* hints) const
{
    AccumulatePose(time, animation, matrices, hints);
    for (u32 i = 0; i < m_bones.size(); ++i)
    {
        Math::Matrix4 transposed;
        matrices[i].Transpose(transposed);
        matrices[i] = m_bones[i].offsetMatrix * transposed;
    }
}

void Skeleton::BindPose(Math::Matrix4* matrices) const
{
    for (u32 i = 0; i < m_bones.size(); ++i)
        matrices[i] = m_bones[i].localMatrix * m_bones[i].offsetMatrix;
}

void Skeleton::BindPoseTransposed(Math::Matrix4* matrices) const
{
    for (u32 i = 0; i < m_bones.size(); ++i)
    {
        Math::Matrix4 transposed;
        m_bones[i].localMatrix.Transpose(transposed);
        matrices[i] = m_bones[i].offsetMatrix * transposed;
    }
}
} // namespace Graphics
