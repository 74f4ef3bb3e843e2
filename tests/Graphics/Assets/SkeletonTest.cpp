// Track sampling with key hints and the four pose operations on a small chain of bones.
#include "Graphics/Assets/Skeleton.h"
#include <gtest/gtest.h>

using namespace Graphics;

namespace
{
KeyFrame Key(f32 time, f32 x)
{
    return KeyFrame{time, Math::Vector3(x, 0.0f, 0.0f), Math::Quaternion()};
}

f32 SampledX(const Animation& animation, f32 time, u32& hint)
{
    Math::Matrix4 matrix;
    Skeleton::SampleTrack(animation, time, 0, hint, matrix);
    return matrix.GetTranslation().x;
}

BoneRecord MakeBone(const char* name, s32 parent, f32 x, f32 offsetX)
{
    BoneRecord bone;
    bone.name = name;
    bone.parent = parent;
    bone.localTranslation = Math::Vector3(x, 0.0f, 0.0f);
    bone.offsetTranslation = Math::Vector3(offsetX, 0.0f, 0.0f);
    return bone;
}
} // namespace

TEST(Skeleton, SamplesTracksWithTheKeyHint)
{
    Animation one;
    one.tracks = {{Key(0.5f, 7.0f)}};
    u32 hint = 0;
    for (f32 time : {-1.0f, 0.5f, 3.0f})
        EXPECT_EQ(SampledX(one, time, hint), 7.0f) << time;

    Animation three;
    three.tracks = {{Key(0.0f, 0.0f), Key(1.0f, 10.0f), Key(2.0f, 30.0f)}};
    EXPECT_FLOAT_EQ(SampledX(three, 1.5f, hint), 20.0f);
    EXPECT_EQ(hint, 1u);
    EXPECT_FLOAT_EQ(SampledX(three, 0.2f, hint), 2.0f);
    EXPECT_EQ(hint, 0u) << "the hint moves back";
    EXPECT_EQ(SampledX(three, 5.0f, hint), 30.0f) << "the last key holds";
    EXPECT_EQ(hint, 2u);
    EXPECT_EQ(SampledX(three, -5.0f, hint), 0.0f) << "the first key's translation holds";

    Animation same;
    same.tracks = {{Key(1.0f, 4.0f), Key(1.0f, 8.0f)}};
    hint = 0;
    EXPECT_EQ(SampledX(same, 1.0f, hint), 4.0f) << "equal times sample the earlier key";

    Math::Matrix4 untouched = Math::Matrix4::Scale(Math::Vector3(2.0f, 2.0f, 2.0f));
    Skeleton::SampleTrack(three, 1.0f, 5, hint, untouched);
    EXPECT_EQ(untouched, Math::Matrix4::Scale(Math::Vector3(2.0f, 2.0f, 2.0f)));
}

TEST(Skeleton, PosesATwoBoneChain)
{
    Skeleton skeleton;
    skeleton.Build({MakeBone("root", NoParentBone, 1.0f, -1.0f), MakeBone("arm", 0, 2.0f, -3.0f)});
    ASSERT_EQ(skeleton.GetRoots(), (std::vector<u32>{0}));
    EXPECT_EQ(skeleton.GetBones()[0].children, (std::vector<u32>{1}));

    Math::Matrix4 bind[2];
    skeleton.BindPose(bind);
    EXPECT_FLOAT_EQ(bind[1].GetTranslation().x, -1.0f) << "local x offset, no parent";
    Math::Matrix4 bindT[2];
    skeleton.BindPoseTransposed(bindT);
    EXPECT_FLOAT_EQ(bindT[1].m[3], -3.0f) << "offset x transpose(local)";
    EXPECT_FLOAT_EQ(bindT[1].m[12], 2.0f);

    Animation walk;
    walk.tracks = {{Key(0.0f, 5.0f)}, {Key(0.0f, 1.0f), Key(1.0f, 3.0f)}};
    Math::Matrix4 pose[2];
    u32 hints[2] = {0, 0};
    skeleton.EvaluatePose(0.5f, walk, pose, hints);
    EXPECT_FLOAT_EQ(pose[0].GetTranslation().x, 4.0f) << "5 then the offset -1";
    EXPECT_FLOAT_EQ(pose[1].GetTranslation().x, 4.0f) << "5 + 2 from the parent, offset -3";
    Math::Matrix4 poseT[2];
    skeleton.EvaluatePoseTransposed(0.5f, walk, poseT, hints);
    EXPECT_FLOAT_EQ(poseT[1].m[12], 7.0f);
    EXPECT_FLOAT_EQ(poseT[1].m[3], -3.0f);
}

TEST(Skeleton, FindsAnimationsByExactName)
{
    Skeleton skeleton;
    skeleton.Build({MakeBone("a", NoParentBone, 0, 0), MakeBone("b", NoParentBone, 0, 0)});
    EXPECT_EQ(skeleton.GetRoots(), (std::vector<u32>{0, 1}));
    EXPECT_EQ(skeleton.GetFirstAnimation(), nullptr);
    skeleton.AddAnimation()->name = "Idle";
    EXPECT_EQ(skeleton.FindAnimation("idle"), nullptr);
    ASSERT_NE(skeleton.FindAnimation("Idle"), nullptr);
    EXPECT_EQ(skeleton.GetAnimationIndex(skeleton.FindAnimation("Idle")), 0);
    EXPECT_EQ(skeleton.GetAnimationIndex(nullptr), -1);
}
