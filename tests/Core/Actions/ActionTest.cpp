// The core actions themselves: the interpolation that lands exactly on the target, zero and
// short durations, oriented moves, and who deletes an action that no list ever took. The camera
// and fade actions are tested beside their components (tests/Graphics/Components).
#include "Core/Actions/MoveToAction.h"
#include "Core/Actions/ScaleToAction.h"
#include "Math/MathUtils.h"
#include "tests/Support/ActionWorld.h"
#include <cmath>
#include <gtest/gtest.h>

namespace
{
// Counts its own destruction; as the base action it finishes on its first update.
class CountedAction : public Action
{
public:
    explicit CountedAction(int& destroyed) : Action(ObjectLanes, true), m_destroyed(destroyed) {}
    ~CountedAction() override { ++m_destroyed; }

private:
    int& m_destroyed;
};
} // namespace

class ActionTest : public ActionWorld
{
};

TEST_F(ActionTest, MoveInterpolatesAndLandsExactlyOnTheTarget)
{
    GameObject* object = Make({"TransformComponent", "ActionListComponent"});
    TransformComponent* transform = Find<TransformComponent>(object);
    transform->position = Math::Point4(0.0f, 0.0f, 0.0f, 1.0f);
    Give(object, new MoveToAction(Math::Point4(4.0f, -8.0f, 2.0f, 1.0f), 1.0f, true, false));

    // A constant step of a quarter of the duration covers a quarter of the way each frame.
    const f32 expectedX[] = {1.0f, 2.0f, 3.0f};
    for (f32 x : expectedX)
    {
        Frame(0.25f);
        EXPECT_NEAR(transform->position.x, x, 1e-5f);
        EXPECT_NEAR(transform->position.y, -2.0f * x, 1e-5f);
        EXPECT_EQ(Finishes(), 0u);
    }
    Frame(0.25f);
    EXPECT_EQ(transform->position.x, 4.0f);
    EXPECT_EQ(transform->position.y, -8.0f);
    EXPECT_EQ(transform->position.z, 2.0f);
    EXPECT_EQ(transform->position.w, 1.0f) << "the transform keeps its w";
    EXPECT_EQ(Starts(), 1u);
    EXPECT_EQ(Finishes(), 1u);
    EXPECT_TRUE(Find<ActionListComponent>(object)->GetActions().empty());

    // A step that does not divide the duration still ends exactly on the target.
    auto* scale = new ScaleToAction(Math::Vector3(3.0f, 0.5f, 1.0f), 1.0f, true);
    Give(object, scale);
    for (int frame = 0; frame < 20 && !Find<ActionListComponent>(object)->GetActions().empty();
         ++frame)
        Frame(0.3f);
    EXPECT_EQ(transform->scale, Math::Vector3(3.0f, 0.5f, 1.0f));
    EXPECT_EQ(transform->scale.x, 3.0f);
    EXPECT_EQ(Finishes(), 2u);
}

TEST_F(ActionTest, ZeroAndShortDurationsJumpAndAnnounceBothInOneFrame)
{
    GameObject* object = Make({"TransformComponent", "ActionListComponent"});
    TransformComponent* transform = Find<TransformComponent>(object);

    Give(object, new MoveToAction(Math::Point4(5.0f, 0.0f, 0.0f, 1.0f), 0.0f, true, false));
    Frame(0.1f);
    EXPECT_EQ(transform->position.x, 5.0f);
    EXPECT_EQ(Starts(), 1u);
    EXPECT_EQ(Finishes(), 1u);

    // Zero duration and a zero step: 0 / 0 is not a number, which is not below 1 either.
    Give(object, new ScaleToAction(Math::Vector3(2.0f, 2.0f, 2.0f), 0.0f, true));
    Frame(0.0f);
    EXPECT_EQ(transform->scale, Math::Vector3(2.0f, 2.0f, 2.0f));
    EXPECT_FALSE(std::isnan(transform->scale.x));

    // Shorter than the frame: started and finished in the same frame.
    Give(object, new MoveToAction(Math::Point4(-1.0f, 0.0f, 0.0f, 1.0f), 0.01f, true, false));
    Frame(1.0f / 30.0f);
    EXPECT_EQ(transform->position.x, -1.0f);
    EXPECT_EQ(Starts(), 3u);
    EXPECT_EQ(Finishes(), 3u);
}

TEST_F(ActionTest, OrientedMoveTurnsYAlongTheWayAndKeepsItWhenThereIsNoWay)
{
    GameObject* object = Make({"TransformComponent", "ActionListComponent"});
    TransformComponent* transform = Find<TransformComponent>(object);
    const Math::Quaternion turned(0.7071068f, 0.0f, 0.0f, 0.7071068f);
    transform->orientation = turned;

    // Already at the target: no direction, the orientation stays (and is no NaN).
    Give(object, new MoveToAction(Math::Point4(0.0f, 0.0f, 0.0f, 1.0f), 1.0f, true, true));
    Frame(0.5f);
    EXPECT_EQ(transform->orientation, turned);
    EXPECT_FALSE(std::isnan(transform->orientation.w));
    Frame(0.5f);
    EXPECT_EQ(transform->orientation, turned);

    Give(object, new MoveToAction(Math::Point4(0.0f, 0.0f, 10.0f, 1.0f), 1.0f, true, true));
    Frame(0.25f);
    const Math::Vector4 up = transform->orientation.Rotate(Math::Vector4(0.0f, 1.0f, 0.0f, 0.0f));
    EXPECT_EQ(up, Math::Vector4(0.0f, 0.0f, 1.0f, 0.0f));
}

TEST_F(ActionTest, AnActionNoListTookIsDeletedByItsMessageAndAnnouncesNothing)
{
    int destroyed = 0;
    GameObject* withoutList = Make({"TransformComponent"});

    // Delivered to an object without a list.
    engine->SendMessage(new ActionMessage(0, ActionMessage::AddType, new CountedAction(destroyed),
                                          withoutList->GetId()),
                        0.0f);
    // Addressed to an object that does not exist.
    engine->SendMessage(
        new ActionMessage(0, ActionMessage::AddType, new CountedAction(destroyed), 999999), 0.0f);
    messages->Update(0.0f);
    EXPECT_EQ(destroyed, 2);

    // Never delivered: the queue is cleared with the message in it.
    engine->SendMessage(new ActionMessage(0, ActionMessage::AddType, new CountedAction(destroyed),
                                          withoutList->GetId()),
                        1.0f);
    messages->ClearQueue();
    messages->ClearObjectMessages();
    EXPECT_EQ(destroyed, 3);
    messages->Update(0.0f);
    EXPECT_EQ(Finishes(), 0u);
    EXPECT_EQ(Starts(), 0u);
}
