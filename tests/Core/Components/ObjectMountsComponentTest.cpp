// Object mounts: objects read from the carrier's element or created by message follow the
// carrier, are found by name, are detached where they are drawn or destroyed on request, hear
// the carrier's light and particle messages, and die with the carrier however it is destroyed.
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Graphics/SetLightRadiusToMessage.h"
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "Core/Messages/Object/MountObjectCreateMessage.h"
#include "Core/Messages/Object/MountObjectRemoveMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "tests/Support/MountWorld.h"
#include "tests/Support/ProbeComponent.h"
#include <gtest/gtest.h>

class ObjectMountsTest : public MountWorld
{
protected:
    void SetUp() override
    {
        MountWorld::SetUp();
        Define("Sword", TransformAt(0.0f, 0.0f, 0.0f));
        Define("Shield", TransformAt(0.0f, 0.0f, 2.0f));
    }

    // A carrier at x = 5 (turned about Y by `turnY` degrees) with the given mounts element.
    GameObject* Carrier(const std::string& mounts, f32 turnY = 0.0f)
    {
        return Build("Knight", TransformAt(5.0f, 0.0f, 0.0f, turnY) + "<ObjectMountsComponent>" +
                                   mounts + "</ObjectMountsComponent>");
    }
    void Mount(GameObject* carrier, const std::string& archetype, const Math::Point4& offset)
    {
        MountObjectCreateMessage create(carrier->GetId(), Engine::GenerateId(), archetype, offset,
                                        carrier->GetId());
        carrier->HandleMessage(&create);
    }
};

TEST_F(ObjectMountsTest, MountsReadFromTheElementFollowTheCarrier)
{
    GameObject* carrier = Carrier("<Sword/><position X=\"0\" Y=\"1\" Z=\"0\"/><Shield/>");
    ObjectMountsComponent* mounts = Find<ObjectMountsComponent>(carrier);
    ASSERT_EQ(mounts->GetMounts().size(), 2u);
    const u32 sword = mounts->FindMountByName("Sword");
    const u32 shield = mounts->FindMountByName("Shield");
    EXPECT_EQ(sword, mounts->GetMounts()[0]);
    EXPECT_EQ(shield, mounts->GetMounts()[1]);
    EXPECT_EQ(mounts->FindMountByName("Axe"), 0u);
    EXPECT_EQ(mounts->FindMountByName("sword"), 0u) << "names match exactly";

    EXPECT_EQ(TransformOf(sword)->position, Math::Point4(0.0f, 1.0f, 0.0f, 1.0f));
    EXPECT_EQ(TransformOf(shield)->position, Math::Point4(0.0f, 0.0f, 2.0f, 1.0f));
    for (u32 id : {sword, shield})
    {
        EXPECT_EQ(Factory().FindObject(id)->GetCreatorId(), carrier->GetId());
        EXPECT_TRUE(TransformOf(id)->updateRelativeToCreator);
    }
    EXPECT_EQ(TransformOf(sword)->GetTransformMatrix().GetTranslation(),
              Math::Point4(5.0f, 1.0f, 0.0f, 1.0f));
    Find<TransformComponent>(carrier)->position = Math::Point4(-3.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(TransformOf(shield)->GetTransformMatrix().GetTranslation(),
              Math::Point4(-3.0f, 0.0f, 2.0f, 1.0f));

    // Inline definitions and mounts of mounts; a mount without a transform swallows its
    // transform elements rather than taking them for archetypes.
    GameObject* nested = Carrier("<Banner><TestComponent/></Banner><position X=\"1\"/>"
                                 "<Rider><TransformComponent/><ObjectMountsComponent><Sword/>"
                                 "</ObjectMountsComponent></Rider>");
    ObjectMountsComponent* outer = Find<ObjectMountsComponent>(nested);
    ASSERT_EQ(outer->GetMounts().size(), 2u);
    const u32 rider = outer->FindMountByName("Rider");
    ASSERT_NE(rider, 0u);
    EXPECT_NE(Find<ObjectMountsComponent>(Factory().FindObject(rider))->FindMountByName("Sword"),
              0u);
}

TEST_F(ObjectMountsTest, RemoveByIdOrTheFirstOfAnArchetype)
{
    GameObject* carrier = Carrier("");
    ObjectMountsComponent* mounts = Find<ObjectMountsComponent>(carrier);
    Mount(carrier, "Sword", Math::Point4(1.0f, 0.0f, 0.0f, 1.0f));
    Mount(carrier, "Sword", Math::Point4(2.0f, 0.0f, 0.0f, 1.0f));
    Mount(carrier, "Shield", Math::Point4(0.0f, 3.0f, 0.0f, 1.0f));
    ASSERT_EQ(mounts->GetMounts().size(), 3u);
    const u32 firstSword = mounts->GetMounts()[0];
    const u32 secondSword = mounts->GetMounts()[1];
    const u32 shield = mounts->GetMounts()[2];
    EXPECT_EQ(TransformOf(secondSword)->position, Math::Point4(2.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(TransformOf(secondSword)->mountedOnObjectId, carrier->GetId());
    EXPECT_EQ(Factory().FindObject(secondSword)->GetCreatorId(), carrier->GetId());

    // An id that is not mounted changes nothing.
    MountObjectRemoveMessage stranger(0, 424242u, true, carrier->GetId());
    carrier->HandleMessage(&stranger);
    EXPECT_EQ(mounts->GetMounts().size(), 3u);

    // By archetype: only the first sword goes, destroyed by a posted message from the carrier.
    MountObjectRemoveMessage byName(0, std::string("Sword"), true, carrier->GetId());
    carrier->HandleMessage(&byName);
    EXPECT_EQ(mounts->GetMounts(), (std::vector<u32>{secondSword, shield}));
    messages->Update(0.0f);
    ASSERT_EQ(recorder->CountOf(ObjectDestroyMessage::Type), 1u);
    EXPECT_EQ(recorder->senders.back(), carrier->GetId());

    // By id, kept: detached and left in the world.
    MountObjectRemoveMessage byId(0, shield, false, carrier->GetId());
    carrier->HandleMessage(&byId);
    EXPECT_EQ(mounts->GetMounts(), (std::vector<u32>{secondSword}));
    ASSERT_NE(Factory().FindObject(shield), nullptr);
    EXPECT_FALSE(TransformOf(shield)->updateRelativeToCreator);
    EXPECT_EQ(TransformOf(shield)->position, Math::Point4(5.0f, 3.0f, 0.0f, 1.0f));
    EXPECT_NE(Factory().FindObject(firstSword), nullptr) << "destroyed only by its message";
}

TEST_F(ObjectMountsTest, DetachingLeavesTheMountWhereItIsDrawn)
{
    // Straight carrier at (5, 0, 0), mount at local (1, 0, 0): it stays at world (6, 0, 0).
    GameObject* straight = Carrier("<Sword/><position X=\"1\" Y=\"0\" Z=\"0\"/>");
    const u32 first = Find<ObjectMountsComponent>(straight)->GetMounts()[0];
    MountObjectRemoveMessage detach(0, first, false, straight->GetId());
    straight->HandleMessage(&detach);
    EXPECT_EQ(TransformOf(first)->position, Math::Point4(6.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(TransformOf(first)->mountedOnObjectId, 0u);

    // A carrier turned a quarter about Y: neither the world position nor the orientation of the
    // mount changes when it is let go.
    GameObject* turned = Carrier("<Sword/><position X=\"1\" Y=\"0\" Z=\"0\"/>", 90.0f);
    const u32 second = Find<ObjectMountsComponent>(turned)->GetMounts()[0];
    TransformComponent* sword = TransformOf(second);
    const Math::Matrix4 before = sword->GetTransformMatrix();
    MountObjectRemoveMessage let(0, second, false, turned->GetId());
    turned->HandleMessage(&let);
    EXPECT_FALSE(sword->updateRelativeToCreator);
    EXPECT_EQ(sword->GetTransformMatrix(), before);
    EXPECT_EQ(sword->position, Math::Point4(5.0f, 0.0f, -1.0f, 1.0f));
    EXPECT_EQ(sword->orientation, Find<TransformComponent>(turned)->orientation);
}

TEST_F(ObjectMountsTest, LightAndParticleMessagesReachEveryMount)
{
    GameObject* carrier = Carrier("<Sword/><Shield/>");
    std::vector<ProbeComponent*> probes;
    for (u32 id : Find<ObjectMountsComponent>(carrier)->GetMounts())
    {
        probes.push_back(new ProbeComponent());
        Factory().FindObject(id)->AddComponent(probes.back());
    }
    Factory().DestroyObject(Find<ObjectMountsComponent>(carrier)->GetMounts()[0]);

    SetLightRadiusToMessage radius(0, 2.0f, 1.0f, carrier->GetId());
    SetParticlePlayMessage play(0, true, carrier->GetId());
    PositionSetMessage position(0, Math::Vector4(1.0f, 1.0f, 1.0f, 1.0f), carrier->GetId());
    carrier->HandleMessage(&radius);
    carrier->HandleMessage(&play);
    carrier->HandleMessage(&position); // the carrier's own business
    EXPECT_EQ(probes[1]->received,
              (std::vector<u32>{SetLightRadiusToMessage::Type, SetParticlePlayMessage::Type}));
}

TEST_F(ObjectMountsTest, CarriersTakeTheirMountsAlongHoweverTheyAreDestroyed)
{
    const u32 firstId = Engine::GetLastId() + 1;
    // Mounts of mounts, three levels deep.
    GameObject* carrier = Carrier("<Rider><TransformComponent/><ObjectMountsComponent><Squire>"
                                  "<ObjectMountsComponent><Sword/><Shield/>"
                                  "</ObjectMountsComponent></Squire></ObjectMountsComponent>"
                                  "</Rider><Shield/>");
    const u32 carrierId = carrier->GetId();
    int built = 0;
    for (u32 id = firstId; id <= Engine::GetLastId(); ++id)
        built += Factory().FindObject(id) != nullptr ? 1 : 0;
    EXPECT_EQ(built, 6) << "the knight, rider, squire, sword and two shields";
    Factory().DestroyObject(carrierId);
    for (u32 id = firstId; id <= Engine::GetLastId(); ++id)
        EXPECT_EQ(Factory().FindObject(id), nullptr) << id;

    // Newest first over several carriers, whose mounts are destroyed while the walk goes on.
    const u32 secondId = Engine::GetLastId() + 1;
    Carrier("<Sword/><Rider><ObjectMountsComponent><Shield/></ObjectMountsComponent></Rider>");
    Carrier("<Shield/>");
    Factory().DestroyObjectsFrom(secondId);
    for (u32 id = secondId; id <= Engine::GetLastId(); ++id)
        EXPECT_EQ(Factory().FindObject(id), nullptr) << id;
}

TEST_F(ObjectMountsTest, TheRecordCopiesTheMountList)
{
    Core::RegisterCoreTypeRecords();
    const TypeRecord& record = TypeRecordOf<ObjectMountsComponent>();
    EXPECT_EQ(record.GetBase(), &TypeRecordOf<GameObjectComponent>());
    GameObject* carrier = Carrier("<Sword/>");
    ObjectMountsComponent* source = Find<ObjectMountsComponent>(carrier);
    alignas(ObjectMountsComponent) unsigned char block[sizeof(ObjectMountsComponent)];
    auto* copy = static_cast<ObjectMountsComponent*>(record.GetConstruct()(block, source));
    EXPECT_EQ(copy->GetId(), source->GetId());
    EXPECT_EQ(copy->GetMounts(), source->GetMounts());
    record.GetDestroy()(copy);
    EXPECT_NE(Factory().FindObject(source->GetMounts()[0]), nullptr) << "destroyed nothing";
}
