#include "AssetTools/ModelGen/CharacterBuilder.h"
#include "AssetTools/Common/Palette.h"
#include "AssetTools/ModelGen/MeshBuilder.h"
#include "Math/MathUtils.h"
#include "Math/Vector4.h"
#include <array>
#include <cmath>

namespace AssetTools
{
namespace
{
using Math::Quaternion;
using Math::Vector3;
using B = CharacterBuilder;

constexpr u32 RoundSegments = 10;
constexpr u32 SphereSlices = 10;
constexpr u32 SphereStacks = 6;
constexpr f32 FootHeight = 0.08f;
constexpr f32 FootLength = 0.1f;

// Key times of the looping and one-shot animations, in seconds.
constexpr f32 IdleDuration = 2.0f;
constexpr f32 RunDuration = 0.6f;
constexpr f32 AttackDuration = 0.6f;
constexpr f32 HitDuration = 0.35f;

f32 Radians(f32 degrees)
{
    return degrees * Math::PI / 180.0f;
}

// A rotation about one of the axes (0 x, 1 y, 2 z), in degrees.
Quaternion Turn(u32 axis, f32 degrees)
{
    const f32 half = Radians(degrees) * 0.5f;
    const f32 s = std::sin(half);
    return Quaternion(std::cos(half), axis == 0 ? s : 0.0f, axis == 1 ? s : 0.0f,
                      axis == 2 ? s : 0.0f);
}

// The middle of a palette swatch as a texture rectangle: two texels wide, inside the swatch so
// that filtering never reaches a neighbour.
UvRect Swatch(PaletteSlot slot)
{
    const f32 width = static_cast<f32>(Palette::Width);
    const f32 height = static_cast<f32>(Palette::Height);
    const f32 x = static_cast<f32>(Palette::PixelX(slot));
    const f32 yTop = static_cast<f32>(Palette::PixelY(slot));
    const f32 inset = 1.0f, inner = static_cast<f32>(Palette::SwatchPixels) - 2.0f * inset;
    // Texture rows are stored bottom first: v = 0 is the bottom of the image.
    UvRect uv;
    uv.u0 = (x + inset) / width;
    uv.u1 = (x + inset + inner) / width;
    uv.v1 = 1.0f - (yTop + inset) / height;
    uv.v0 = 1.0f - (yTop + inset + inner) / height;
    return uv;
}

// The rest positions of the joints in the model.
struct Joints
{
    std::array<Vector3, B::BoneCount> position;
    std::array<s32, B::BoneCount> parent;
};

Joints MakeJoints(const Proportions& p)
{
    const f32 hipY = p.legLength;
    const f32 neckY = hipY + p.torsoHeight;
    const f32 shoulderY = neckY - p.armWidth * 0.6f;
    const f32 shoulderX = p.torsoWidth * 0.5f + p.armWidth * 0.5f;
    const f32 elbowY = shoulderY - p.armLength * 0.5f;
    const f32 handY = shoulderY - p.armLength - p.handSize * 0.5f;
    Joints joints;
    joints.position = {
        Vector3(0, hipY, 0),
        Vector3(0, hipY + p.torsoHeight * 0.15f, 0),
        Vector3(0, neckY, 0),
        Vector3(shoulderX, shoulderY, 0),
        Vector3(shoulderX, elbowY, 0),
        Vector3(-shoulderX, shoulderY, 0),
        Vector3(-shoulderX, elbowY, 0),
        Vector3(p.hipSpread, hipY, 0),
        Vector3(p.hipSpread, hipY * 0.5f, 0),
        Vector3(-p.hipSpread, hipY, 0),
        Vector3(-p.hipSpread, hipY * 0.5f, 0),
        Vector3(-shoulderX, handY, 0),
    };
    joints.parent = {-1,
                     B::Hips,
                     B::Spine,
                     B::Spine,
                     B::UpperArmLeft,
                     B::Spine,
                     B::UpperArmRight,
                     B::Hips,
                     B::UpperLegLeft,
                     B::Hips,
                     B::UpperLegRight,
                     B::LowerArmRight};
    return joints;
}

const char* const BoneNames[B::BoneCount] = {"Hips",       "Spine",      "Head",       "UpperArm.L",
                                             "LowerArm.L", "UpperArm.R", "LowerArm.R", "UpperLeg.L",
                                             "LowerLeg.L", "UpperLeg.R", "LowerLeg.R", "Prop"};

// A box given by its centre and size.
void Block(MeshBuilder& mesh, const Vector3& centre, const Vector3& size, u32 bone,
           PaletteSlot slot)
{
    mesh.AddBox(centre - size * 0.5f, centre + size * 0.5f, bone, Swatch(slot));
}

void BuildBody(MeshBuilder& mesh, const Proportions& p, const Joints& joints)
{
    const auto& at = joints.position;
    const f32 hipY = at[B::Hips].y, waistY = at[B::Spine].y, neckY = at[B::Head].y;
    // Pelvis and belt on the hips, the chest on the spine.
    Block(mesh, Vector3(0, (hipY - p.legWidth * 0.5f + waistY) * 0.5f, 0),
          Vector3(p.torsoWidth * 0.9f, waistY - hipY + p.legWidth * 0.5f, p.torsoDepth * 0.95f),
          B::Hips, SecondarySlot);
    Block(mesh, Vector3(0, waistY, 0), Vector3(p.torsoWidth * 1.04f, 0.07f, p.torsoDepth * 1.08f),
          B::Hips, TrimSlot);
    Block(mesh, Vector3(0, (waistY + neckY) * 0.5f, 0),
          Vector3(p.torsoWidth, neckY - waistY, p.torsoDepth), B::Spine, PrimarySlot);
    // Neck and head.
    mesh.AddCylinder(Vector3(0, neckY - 0.02f, 0), p.headSize * 0.22f, p.headSize * 0.22f, 0.08f,
                     RoundSegments, B::Head, Swatch(SkinSlot));
    const Vector3 headCentre(0, neckY + 0.05f + p.headSize * 0.5f, 0);
    if (p.roundHead)
        mesh.AddSphere(headCentre, p.headSize * 0.55f, SphereSlices, SphereStacks, B::Head,
                       Swatch(SkinSlot));
    else
        Block(mesh, headCentre, Vector3(p.headSize, p.headSize, p.headSize * 0.95f), B::Head,
              SkinSlot);
    const f32 front = p.roundHead ? p.headSize * 0.55f : p.headSize * 0.475f;
    for (const f32 side : {1.0f, -1.0f})
        Block(mesh, headCentre + Vector3(side * p.headSize * 0.2f, p.headSize * 0.08f, front),
              Vector3(p.headSize * 0.16f, p.headSize * 0.1f, 0.03f), B::Head, GlowSlot);

    // Arms: upper arm, forearm and a fist.
    for (const u32 upper : {u32(B::UpperArmLeft), u32(B::UpperArmRight)})
    {
        const u32 lower = upper + 1;
        const f32 x = at[upper].x, shoulderY = at[upper].y, elbowY = at[lower].y;
        const f32 wristY = shoulderY - p.armLength;
        Block(mesh, Vector3(x, (shoulderY + p.armWidth * 0.5f + elbowY) * 0.5f, 0),
              Vector3(p.armWidth, shoulderY + p.armWidth * 0.5f - elbowY, p.armWidth), upper,
              SecondarySlot);
        Block(mesh, Vector3(x, (elbowY + wristY) * 0.5f, 0),
              Vector3(p.armWidth * 0.9f, elbowY - wristY, p.armWidth * 0.9f), lower, SkinSlot);
        Block(mesh, Vector3(x, wristY - p.handSize * 0.5f, 0),
              Vector3(p.handSize, p.handSize, p.handSize), lower, SkinSlot);
    }
    // Legs: thigh, shin and a boot reaching forward.
    for (const u32 upper : {u32(B::UpperLegLeft), u32(B::UpperLegRight)})
    {
        const u32 lower = upper + 1;
        const f32 x = at[upper].x, hipJointY = at[upper].y, kneeY = at[lower].y;
        Block(mesh, Vector3(x, (hipJointY + kneeY) * 0.5f, 0),
              Vector3(p.legWidth, hipJointY - kneeY, p.legWidth), upper, SecondarySlot);
        Block(mesh, Vector3(x, (kneeY + FootHeight) * 0.5f, 0),
              Vector3(p.legWidth * 0.9f, kneeY - FootHeight, p.legWidth * 0.9f), lower,
              SecondarySlot);
        mesh.AddBox(Vector3(x - p.legWidth * 0.55f, 0, -p.legWidth * 0.55f),
                    Vector3(x + p.legWidth * 0.55f, FootHeight, p.legWidth * 0.5f + FootLength),
                    lower, Swatch(TrimSlot));
    }
}

void BuildProp(MeshBuilder& mesh, Prop prop, const Proportions& p, const Joints& joints)
{
    const Vector3 hand = joints.position[B::PropBone];
    const Vector3 leftHand(-hand.x, hand.y, hand.z);
    switch (prop)
    {
    case Prop::None:
        break;
    case Prop::Staff:
        mesh.AddCylinder(Vector3(hand.x, 0.05f, hand.z + p.handSize * 0.8f), 0.03f, 0.03f,
                         hand.y + 0.85f, RoundSegments, B::PropBone, Swatch(WoodSlot));
        mesh.AddSphere(Vector3(hand.x, hand.y + 0.95f, hand.z + p.handSize * 0.8f), 0.1f,
                       SphereSlices, SphereStacks, B::PropBone, Swatch(GlowSlot));
        break;
    case Prop::Sword:
        Block(mesh, hand + Vector3(0, 0, 0.02f), Vector3(0.05f, 0.05f, 0.2f), B::PropBone,
              WoodSlot);
        Block(mesh, hand + Vector3(0, 0, 0.13f), Vector3(0.26f, 0.06f, 0.04f), B::PropBone,
              TrimSlot);
        Block(mesh, hand + Vector3(0, 0, 0.6f), Vector3(0.03f, 0.1f, 0.9f), B::PropBone, MetalSlot);
        break;
    case Prop::Club:
        mesh.AddCylinder(hand - Vector3(0, 0.7f, 0), 0.1f, 0.035f, 0.85f, RoundSegments,
                         B::PropBone, Swatch(WoodSlot));
        break;
    case Prop::Bow:
        Block(mesh, hand + Vector3(0, 0, 0.08f), Vector3(0.04f, 1.1f, 0.05f), B::PropBone,
              WoodSlot);
        Block(mesh, hand + Vector3(0, 0, -0.04f), Vector3(0.01f, 1.0f, 0.01f), B::PropBone,
              TrimSlot);
        break;
    case Prop::Daggers:
        Block(mesh, hand + Vector3(0, 0, 0.25f), Vector3(0.03f, 0.06f, 0.4f), B::PropBone,
              MetalSlot);
        Block(mesh, leftHand + Vector3(0, 0, 0.25f), Vector3(0.03f, 0.06f, 0.4f), B::LowerArmLeft,
              MetalSlot);
        break;
    }
}

void BuildLook(MeshBuilder& mesh, Look look, const Proportions& p, const Joints& joints)
{
    const auto& at = joints.position;
    const f32 neckY = at[B::Head].y;
    const Vector3 headCentre(0, neckY + 0.05f + p.headSize * 0.5f, 0);
    const f32 headTop = headCentre.y + p.headSize * 0.5f;
    const auto shoulderPads = [&](PaletteSlot slot, f32 size)
    {
        for (const u32 arm : {u32(B::UpperArmLeft), u32(B::UpperArmRight)})
            Block(mesh, at[arm] + Vector3(0, p.armWidth * 0.4f, 0),
                  Vector3(size * 1.2f, size * 0.6f, size), arm, slot);
    };
    switch (look)
    {
    case Look::Golem:
        for (const u32 arm : {u32(B::UpperArmLeft), u32(B::UpperArmRight)})
            mesh.AddSphere(at[arm] + Vector3(0, p.armWidth * 0.3f, 0), p.armWidth * 1.1f,
                           SphereSlices, SphereStacks, arm, Swatch(TrimSlot));
        Block(mesh, Vector3(0, (at[B::Spine].y + neckY) * 0.5f, p.torsoDepth * 0.5f),
              Vector3(p.torsoWidth * 0.3f, p.torsoWidth * 0.3f, 0.04f), B::Spine, GlowSlot);
        break;
    case Look::Mage:
        mesh.AddCylinder(Vector3(0, headTop - 0.04f, 0), p.headSize * 1.1f, p.headSize * 1.1f,
                         0.03f, RoundSegments, B::Head, Swatch(HairSlot));
        mesh.AddCylinder(Vector3(0, headTop - 0.01f, 0), p.headSize * 0.55f, 0.0f, 0.45f,
                         RoundSegments, B::Head, Swatch(HairSlot));
        mesh.AddCylinder(Vector3(0, at[B::LowerLegLeft].y * 0.6f, 0), p.torsoWidth * 0.75f,
                         p.torsoWidth * 0.5f, at[B::Spine].y - at[B::LowerLegLeft].y * 0.6f,
                         RoundSegments, B::Hips, Swatch(PrimarySlot));
        break;
    case Look::SteamKnight:
        Block(mesh, headCentre + Vector3(0, 0.02f, 0),
              Vector3(p.headSize * 1.15f, p.headSize * 1.15f, p.headSize * 1.1f), B::Head,
              MetalSlot);
        Block(mesh, headCentre + Vector3(0, 0.02f, p.headSize * 0.56f),
              Vector3(p.headSize * 0.8f, 0.04f, 0.02f), B::Head, GlowSlot);
        Block(mesh, Vector3(0, headTop + 0.08f, 0), Vector3(0.04f, 0.1f, p.headSize * 0.9f),
              B::Head, HairSlot);
        shoulderPads(MetalSlot, p.armWidth * 1.6f);
        mesh.AddCylinder(
            Vector3(p.torsoWidth * 0.25f, at[B::Spine].y + 0.1f, -p.torsoDepth * 0.5f - 0.07f),
            0.06f, 0.06f, p.torsoHeight + 0.25f, RoundSegments, B::Spine, Swatch(MetalSlot));
        break;
    case Look::Brute:
        for (const f32 side : {1.0f, -1.0f})
            mesh.AddCylinder(Vector3(side * p.headSize * 0.4f, headTop - 0.06f, 0),
                             p.headSize * 0.14f, 0.0f, 0.22f, RoundSegments, B::Head,
                             Swatch(HairSlot));
        break;
    case Look::Archer:
        Block(mesh, headCentre + Vector3(0, 0.03f, -0.02f),
              Vector3(p.headSize * 1.2f, p.headSize * 1.15f, p.headSize * 1.05f), B::Head,
              HairSlot);
        Block(mesh, headCentre + Vector3(0, -0.01f, p.headSize * 0.5f),
              Vector3(p.headSize * 0.8f, p.headSize * 0.7f, 0.04f), B::Head, SkinSlot);
        break;
    case Look::Guard:
        Block(mesh, headCentre + Vector3(0, 0.04f, 0),
              Vector3(p.headSize * 1.12f, p.headSize * 0.7f, p.headSize * 1.1f), B::Head,
              MetalSlot);
        shoulderPads(MetalSlot, p.armWidth * 1.8f);
        Block(mesh,
              Vector3(at[B::LowerArmLeft].x + p.armWidth * 0.5f + 0.04f,
                      at[B::LowerArmLeft].y - 0.1f, 0.05f),
              Vector3(0.06f, 0.6f, 0.5f), B::LowerArmLeft, MetalSlot);
        break;
    case Look::Runner:
        Block(mesh, Vector3(0, headTop + 0.06f, -0.03f), Vector3(0.05f, 0.12f, p.headSize * 1.1f),
              B::Head, HairSlot);
        break;
    case Look::Imp:
        for (const f32 side : {1.0f, -1.0f})
        {
            mesh.AddCylinder(Vector3(side * p.headSize * 0.35f, headTop - 0.04f, 0),
                             p.headSize * 0.12f, 0.0f, 0.18f, RoundSegments, B::Head,
                             Swatch(HairSlot));
            Block(mesh,
                  Vector3(side * p.torsoWidth * 0.55f, neckY - 0.05f, -p.torsoDepth * 0.5f - 0.04f),
                  Vector3(p.torsoWidth * 0.9f, p.torsoHeight * 0.6f, 0.03f), B::Spine, HairSlot);
        }
        break;
    }
}

// One pose: per bone the key relative to its parent.
struct Pose
{
    std::array<Vector3, B::BoneCount> translation;
    std::array<Quaternion, B::BoneCount> rotation;
};

Pose RestPose(const Joints& joints)
{
    Pose pose;
    for (u32 bone = 0; bone < B::BoneCount; ++bone)
    {
        const s32 parent = joints.parent[bone];
        pose.translation[bone] =
            parent < 0 ? joints.position[bone] : joints.position[bone] - joints.position[parent];
        pose.rotation[bone] = Quaternion();
    }
    return pose;
}

struct TimedPose
{
    f32 time;
    Pose pose;
};

Graphics::AnimationRecord MakeAnimation(const char* name, f32 duration,
                                        const std::vector<TimedPose>& keys)
{
    Graphics::AnimationRecord animation;
    animation.name = name;
    animation.duration = duration;
    animation.tracks.resize(B::BoneCount);
    for (u32 bone = 0; bone < B::BoneCount; ++bone)
    {
        for (const TimedPose& key : keys)
        {
            Graphics::KeyRecord record;
            record.time = key.time;
            record.translation = key.pose.translation[bone];
            record.rotation = key.pose.rotation[bone];
            animation.tracks[bone].push_back(record);
        }
    }
    return animation;
}

Graphics::AnimationRecord Idle(const Pose& rest)
{
    Pose breathe = rest;
    breathe.translation[B::Hips].y -= 0.015f;
    breathe.rotation[B::Spine] = Turn(0, 3.0f);
    breathe.rotation[B::Head] = Turn(0, -2.0f);
    breathe.rotation[B::UpperArmLeft] = Turn(2, 4.0f);
    breathe.rotation[B::UpperArmRight] = Turn(2, -4.0f);
    return MakeAnimation("Idle", IdleDuration,
                         {{0.0f, rest}, {IdleDuration * 0.5f, breathe}, {IdleDuration, rest}});
}

Graphics::AnimationRecord Run(const Pose& rest)
{
    // Four phases of a stride: legs passing, left forward, passing, right forward.
    std::vector<TimedPose> keys;
    const f32 swings[] = {0.0f, 1.0f, 0.0f, -1.0f, 0.0f};
    for (u32 k = 0; k < 5; ++k)
    {
        Pose pose = rest;
        const f32 s = swings[k];
        const bool passing = s == 0.0f;
        pose.translation[B::Hips].y += passing ? 0.03f : -0.03f;
        pose.rotation[B::Spine] = Turn(0, 10.0f) * Turn(1, -8.0f * s);
        pose.rotation[B::UpperLegLeft] = Turn(0, -35.0f * s);
        pose.rotation[B::UpperLegRight] = Turn(0, 35.0f * s);
        pose.rotation[B::LowerLegLeft] = Turn(0, s < 0.0f || passing ? 40.0f : 10.0f);
        pose.rotation[B::LowerLegRight] = Turn(0, s > 0.0f || passing ? 40.0f : 10.0f);
        pose.rotation[B::UpperArmLeft] = Turn(0, 30.0f * s);
        pose.rotation[B::UpperArmRight] = Turn(0, -30.0f * s);
        pose.rotation[B::LowerArmLeft] = Turn(0, -35.0f);
        pose.rotation[B::LowerArmRight] = Turn(0, -35.0f);
        keys.push_back({RunDuration * 0.25f * static_cast<f32>(k), pose});
    }
    return MakeAnimation("Run", RunDuration, keys);
}

Graphics::AnimationRecord Attack(const Pose& rest)
{
    Pose windUp = rest;
    windUp.rotation[B::Spine] = Turn(1, 20.0f) * Turn(0, -5.0f);
    windUp.rotation[B::UpperArmRight] = Turn(0, -150.0f);
    windUp.rotation[B::LowerArmRight] = Turn(0, -20.0f);
    windUp.rotation[B::UpperArmLeft] = Turn(0, -20.0f);
    Pose strike = rest;
    strike.rotation[B::Spine] = Turn(1, -15.0f) * Turn(0, 12.0f);
    strike.rotation[B::UpperArmRight] = Turn(0, -60.0f);
    strike.rotation[B::LowerArmRight] = Turn(0, -10.0f);
    strike.rotation[B::UpperArmLeft] = Turn(0, 15.0f);
    strike.rotation[B::UpperLegLeft] = Turn(0, -15.0f);
    strike.rotation[B::LowerLegLeft] = Turn(0, 15.0f);
    return MakeAnimation("Attack", AttackDuration,
                         {{0.0f, rest},
                          {AttackDuration * 0.35f, windUp},
                          {AttackDuration * 0.55f, strike},
                          {AttackDuration, rest}});
}

Graphics::AnimationRecord Hit(const Pose& rest)
{
    Pose recoil = rest;
    recoil.translation[B::Hips].z -= 0.06f;
    recoil.rotation[B::Spine] = Turn(0, -15.0f);
    recoil.rotation[B::Head] = Turn(0, -12.0f);
    recoil.rotation[B::UpperArmLeft] = Turn(2, 20.0f);
    recoil.rotation[B::UpperArmRight] = Turn(2, -20.0f);
    return MakeAnimation("Hit", HitDuration,
                         {{0.0f, rest}, {HitDuration * 0.3f, recoil}, {HitDuration, rest}});
}

// The height of the lowest vertex of the mesh skinned by `pose` (rest rotations are identity,
// so a vertex moves with its bone's world transform applied to its offset from the joint).
f32 LowestPosed(const MeshBuilder& mesh, const Joints& joints, const Pose& pose)
{
    std::array<Vector3, B::BoneCount> position;
    std::array<Quaternion, B::BoneCount> rotation;
    const auto rotate = [](const Quaternion& q, const Vector3& v)
    {
        const Math::Vector4 out = q.Rotate(Math::Vector4(v.x, v.y, v.z, 0.0f));
        return Vector3(out.x, out.y, out.z);
    };
    for (u32 bone = 0; bone < B::BoneCount; ++bone)
    {
        const s32 parent = joints.parent[bone];
        if (parent < 0)
        {
            position[bone] = pose.translation[bone];
            rotation[bone] = pose.rotation[bone];
            continue;
        }
        position[bone] = position[parent] + rotate(rotation[parent], pose.translation[bone]);
        rotation[bone] = rotation[parent] * pose.rotation[bone];
    }
    f32 lowest = 0.0f;
    bool first = true;
    for (const MeshBuilder::Vertex& vertex : mesh.GetVertices())
    {
        const u32 bone = vertex.bone;
        const f32 y =
            (position[bone] + rotate(rotation[bone], vertex.position - joints.position[bone])).y;
        lowest = first || y < lowest ? y : lowest;
        first = false;
    }
    return lowest;
}

// Falls backwards: the knees give, then the body lies on its back from `lieTime` on, resting
// on the floor with whatever it carries laid flat.
Graphics::AnimationRecord Death(const Pose& rest, const Proportions& p, f32 lieTime,
                                const MeshBuilder& mesh, const Joints& joints)
{
    Pose falling = rest;
    falling.translation[B::Hips].y = p.legLength * 0.55f;
    falling.translation[B::Hips].z = -0.1f;
    falling.rotation[B::Hips] = Turn(0, -35.0f);
    falling.rotation[B::UpperLegLeft] = Turn(0, -40.0f);
    falling.rotation[B::UpperLegRight] = Turn(0, -30.0f);
    falling.rotation[B::LowerLegLeft] = Turn(0, 60.0f);
    falling.rotation[B::LowerLegRight] = Turn(0, 50.0f);
    falling.rotation[B::UpperArmLeft] = Turn(0, -50.0f);
    falling.rotation[B::UpperArmRight] = Turn(0, -40.0f);
    Pose lying = rest;
    lying.translation[B::Hips].y = p.torsoDepth * 0.5f;
    lying.translation[B::Hips].z = -p.legLength * 0.4f;
    lying.rotation[B::Hips] = Turn(0, -90.0f);
    lying.rotation[B::Head] = Turn(1, 25.0f);
    lying.rotation[B::UpperArmLeft] = Turn(2, 40.0f);
    lying.rotation[B::UpperArmRight] = Turn(2, -40.0f);
    lying.rotation[B::UpperLegLeft] = Turn(2, 8.0f);
    lying.rotation[B::UpperLegRight] = Turn(2, -8.0f);
    lying.rotation[B::PropBone] = Turn(1, 90.0f);
    lying.translation[B::Hips].y -= LowestPosed(mesh, joints, lying);
    falling.translation[B::Hips].y -= std::fmin(0.0f, LowestPosed(mesh, joints, falling));
    return MakeAnimation("Death", lieTime,
                         {{0.0f, rest}, {lieTime * 0.5f, falling}, {lieTime, lying}});
}
} // namespace

Graphics::ModelFile CharacterBuilder::Build(const CharacterDescription& description)
{
    const Proportions& body = description.body;
    const Joints joints = MakeJoints(body);
    MeshBuilder mesh;
    BuildBody(mesh, body, joints);
    BuildProp(mesh, description.prop, body, joints);
    BuildLook(mesh, description.look, body, joints);

    Graphics::ModelFile model;
    mesh.Finish(model, true);
    model.hasSkeleton = true;
    for (u32 bone = 0; bone < BoneCount; ++bone)
    {
        Graphics::BoneRecord record;
        record.name = BoneNames[bone];
        record.parent = joints.parent[bone];
        record.localTranslation = joints.position[bone];
        record.offsetTranslation = joints.position[bone] * -1.0f;
        model.bones.push_back(record);
    }
    const Pose rest = RestPose(joints);
    model.animations = {Idle(rest), Run(rest), Attack(rest), Hit(rest),
                        Death(rest, body, description.deathTime, mesh, joints)};
    model.animationsListed = true;
    return model;
}
} // namespace AssetTools
