// The action list and the system that steps it: shutting a list down ends every action it
// holds, a list without its object waits, and a copy made through the type record never shares
// an action with its source. Lanes and blocking, which need the camera and fade actions, are
// tested beside them (tests/Graphics/Components/CameraAndFadeActionsTest.cpp).
#include "Core/Actions/MoveToAction.h"
#include "Core/CoreRegistration.h"
#include "tests/Support/ActionWorld.h"
#include <gtest/gtest.h>
#include <new>

namespace
{
Math::Point4 At(f32 x)
{
    return Math::Point4(x, 0.0f, 0.0f, 1.0f);
}
} // namespace

class ActionListTest : public ActionWorld
{
};

TEST_F(ActionListTest, ShutdownEndsEveryActionItHolds)
{
    GameObject* object = Make({"TransformComponent", "ActionListComponent"});
    for (f32 x : {1.0f, 2.0f, 3.0f})
        Give(object, new MoveToAction(At(x), 10.0f, true, false));
    Frame(0.1f);
    ActionListComponent* list = Find<ActionListComponent>(object);
    ASSERT_EQ(list->GetActions().size(), 3u);
    list->Shutdown();
    messages->Update(0.0f);
    EXPECT_EQ(Finishes(), 3u);
    EXPECT_TRUE(list->GetActions().empty());
    EXPECT_TRUE(lists->GetComponents().empty()) << "left the system";
}

TEST_F(ActionListTest, AListWhoseObjectIsGoneSkipsItsStep)
{
    // Made by the factory but never added to an object: its owner id names nothing.
    GameObjectComponent* orphan = Factory().CreateComponent("ActionListComponent");
    auto* move = new MoveToAction(At(1.0f), 0.0f, true, false);
    ActionMessage add(0, ActionMessage::AddType, move, 0);
    orphan->HandleMessage(&add);
    EXPECT_EQ(add.action, nullptr) << "the list took it";
    Frame(0.1f);
    EXPECT_EQ(move->GetState(), Action::NotStarted);
    EXPECT_EQ(Starts(), 0u);
    orphan->Shutdown();
    Factory().DestroyComponent(orphan);
    messages->Update(0.0f);
    EXPECT_EQ(Finishes(), 1u) << "an adopted action announces its end";
}

TEST_F(ActionListTest, TheSystemStepsListsInOrderAndDropsThemByAddress)
{
    EXPECT_EQ(lists->GetName(), "ActionListSystem");
    GameObject* a = Make({"TransformComponent", "ActionListComponent"});
    GameObject* b = Make({"TransformComponent", "ActionListComponent"});
    ASSERT_EQ(lists->GetComponents().size(), 2u);
    EXPECT_EQ(lists->GetComponents().front(), Find<ActionListComponent>(a));

    // Through the engine's frame, as in the game.
    Give(a, new MoveToAction(At(4.0f), 0.0f, true, false));
    Give(b, new MoveToAction(At(5.0f), 0.0f, true, false));
    engine->StepFrame(0.01f);
    EXPECT_EQ(Find<TransformComponent>(a)->position.x, 4.0f);
    EXPECT_EQ(Find<TransformComponent>(b)->position.x, 5.0f);

    Factory().DestroyObject(a->GetId());
    ASSERT_EQ(lists->GetComponents().size(), 1u);
    EXPECT_EQ(lists->GetComponents().front(), Find<ActionListComponent>(b));
}

TEST_F(ActionListTest, ARecordCopyStartsEmptyAndAssignmentKeepsTheActions)
{
    Core::RegisterCoreTypeRecords();
    const TypeRecord& record = TypeRecordOf<ActionListComponent>();
    EXPECT_EQ(record.GetBase(), &TypeRecordOf<GameObjectComponent>());
    ASSERT_NE(record.GetConstruct(), nullptr);

    GameObject* object = Make({"TransformComponent", "ActionListComponent"});
    ActionListComponent* source = Find<ActionListComponent>(object);
    Give(object, new MoveToAction(At(1.0f), 1.0f, true, false));

    alignas(ActionListComponent) unsigned char block[sizeof(ActionListComponent)];
    auto* copy = static_cast<ActionListComponent*>(record.GetConstruct()(block, source));
    EXPECT_EQ(copy->GetOwner(), source->GetOwner());
    EXPECT_EQ(copy->GetId(), source->GetId());
    EXPECT_TRUE(copy->GetActions().empty());
    EXPECT_EQ(lists->GetComponents().size(), 1u) << "the copy is not registered";
    record.GetAssign()(copy, source);
    EXPECT_TRUE(copy->GetActions().empty());
    record.GetDestroy()(copy);
    EXPECT_EQ(source->GetActions().size(), 1u);

    // Without a source: a new, registered list.
    auto* fresh = static_cast<ActionListComponent*>(record.GetConstruct()(block, nullptr));
    EXPECT_NE(fresh->GetId(), source->GetId());
    EXPECT_EQ(lists->GetComponents().size(), 2u);
    record.GetDestroy()(fresh);
    EXPECT_EQ(lists->GetComponents().size(), 1u) << "destroyed in place, it left the system";
}
