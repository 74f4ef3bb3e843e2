// Bone mounts: the bone index and mounts read from the element, the bone filter of the remove
// message, creation on the component's own bone, following a bone, and the graphics system
// that may or may not be there.
#include "Core/Components/ObjectBoneMountsComponent.h"
#include "Core/Messages/Object/BoneMountObjectCreateMessage.h"
#include "Core/Messages/Object/BoneMountObjectRemoveMessage.h"
#include "tests/Support/MountWorld.h"
#include <gtest/gtest.h>

class BoneMountsTest : public MountWorld
{
protected:
    void SetUp() override
    {
        MountWorld::SetUp();
        Define("Torch", TransformAt(0.0f, 0.0f, 0.0f));
    }
    ObjectBoneMountsComponent* Bones(GameObject* carrier)
    {
        return Find<ObjectBoneMountsComponent>(carrier);
    }
};

TEST_F(BoneMountsTest, ReadsItsBoneAndMountsAndFiltersRemovalsByBone)
{
    GameObject* carrier = Build("Golem", TransformAt(0.0f, 0.0f, 0.0f) +
                                             "<ObjectBoneMountsComponent><bone>3</bone><Torch/>"
                                             "<Torch/></ObjectBoneMountsComponent>");
    ObjectBoneMountsComponent* bones = Bones(carrier);
    EXPECT_EQ(bones->GetBoneIndex(), 3u);
    ASSERT_EQ(bones->GetMounts().size(), 2u);
    const u32 first = bones->GetMounts()[0];
    EXPECT_EQ(TransformOf(first)->mountedOnObjectId, carrier->GetId());
    EXPECT_EQ(Factory().FindObject(first)->GetCreatorId(), carrier->GetId());

    // Another bone: ignored. Any bone (-1) or this bone: handled, by archetype or by id.
    BoneMountObjectRemoveMessage otherBone(0, 2, "Torch", false, carrier->GetId());
    carrier->HandleMessage(&otherBone);
    EXPECT_EQ(bones->GetMounts().size(), 2u);
    BoneMountObjectRemoveMessage anyBone(0, BoneMountObjectRemoveMessage::AnyBone, "Torch", false,
                                         carrier->GetId());
    carrier->HandleMessage(&anyBone);
    ASSERT_EQ(bones->GetMounts().size(), 1u);
    EXPECT_NE(bones->GetMounts()[0], first) << "the first of the archetype went";
    EXPECT_NE(Factory().FindObject(first), nullptr) << "detached, not destroyed";
    BoneMountObjectRemoveMessage byId(0, bones->GetMounts()[0], false, carrier->GetId());
    carrier->HandleMessage(&byId);
    EXPECT_TRUE(bones->GetMounts().empty());
}

TEST_F(BoneMountsTest, CreationUsesTheComponentsBoneAndTheBoneMovesTheMounts)
{
    StandInSystem* graphics = AddStandIn("GraphicsSystem");
    GameObject* carrier = Build("Golem", "<ObjectBoneMountsComponent><bone>3</bone>"
                                         "</ObjectBoneMountsComponent>");
    ObjectBoneMountsComponent* bones = Bones(carrier);
    EXPECT_EQ(graphics->GetComponents().size(), 1u);

    GameObject* sender = Build("Summoner", "");
    const u32 torch = Engine::GenerateId();
    BoneMountObjectCreateMessage create(sender->GetId(), torch, "Torch", 5, carrier->GetId());
    carrier->HandleMessage(&create);
    ASSERT_EQ(bones->GetMounts(), std::vector<u32>{torch});
    EXPECT_EQ(Factory().FindObject(torch)->GetCreatorId(), sender->GetId());
    EXPECT_EQ(TransformOf(torch)->mountedOnObjectId, sender->GetId());

    // Bone 3 is this component's bone, whatever the create message said.
    BoneMountObjectRemoveMessage bone5(0, 5, "Torch", true, carrier->GetId());
    carrier->HandleMessage(&bone5);
    EXPECT_EQ(bones->GetMounts().size(), 1u);

    bones->FollowBone(Math::Point4(1.0f, 2.0f, 3.0f, 1.0f));
    EXPECT_EQ(TransformOf(torch)->position, Math::Point4(1.0f, 2.0f, 3.0f, 1.0f));

    Factory().DestroyObject(carrier->GetId());
    EXPECT_EQ(Factory().FindObject(torch), nullptr);
    EXPECT_TRUE(graphics->GetComponents().empty());
}
