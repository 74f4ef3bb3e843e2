// Covers: FieldOfViewToAction, RotateCameraToAction, FadeToAction, CameraComponent.
// The camera and fade actions on the components they drive: FieldOfViewToAction and
// RotateCameraToAction on a CameraComponent, FadeToAction on a RenderComponent's alpha. They
// reach their targets, finish at once without their component, and take their lanes in the
// action list beside the core actions.
#include "Core/Actions/MoveToAction.h"
#include "Core/Actions/ScaleToAction.h"
#include "Core/Reflection/HashTypeName.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/FadeToAction.h"
#include "Graphics/Components/FieldOfViewToAction.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Components/RotateCameraToAction.h"
#include "Math/MathUtils.h"
#include "tests/Support/ActionWorld.h"
#include "tests/Support/ProbeComponent.h"
#include <gtest/gtest.h>

namespace
{
Math::Point4 At(f32 x)
{
    return Math::Point4(x, 0.0f, 0.0f, 1.0f);
}
} // namespace

class ActionTest : public ActionWorld
{
};

class ActionListTest : public ActionWorld
{
};

// An object with a transform, an action list, a render component (alpha 1) and a camera
// (field of view 1, phi and theta 0) that no camera system knows.
class GraphicsValueTest : public ActionWorld
{
protected:
    void SetUp() override
    {
        ActionWorld::SetUp();
        object = Make({"TransformComponent", "ActionListComponent"});
        render = new Graphics::RenderComponent();
        render->alpha = 1.0f;
        camera = new Graphics::CameraComponent(/*registerWithSystem=*/false);
        camera->SetFieldOfView(1.0f);
        camera->placement.phi = 0.0f;
        camera->placement.theta = 0.0f;
        object->AddComponent(render);
        object->AddComponent(camera);
    }

    GameObject* object = nullptr;
    Graphics::RenderComponent* render = nullptr;
    Graphics::CameraComponent* camera = nullptr;
};

TEST_F(GraphicsValueTest, FadeFieldOfViewAndCameraTurnReachTheirTargets)
{
    Give(object, new FieldOfViewToAction(2.0f, 0.5f, false));
    Give(object, new RotateCameraToAction(Math::Vector2(1.0f, Math::PI), 0.5f, false));
    Give(object, new FadeToAction(0.0f, 1.0f, true));
    Frame(0.25f);
    EXPECT_NEAR(render->alpha, 0.75f, 1e-6f);
    EXPECT_NEAR(camera->GetFieldOfView(), 1.5f, 1e-6f);
    EXPECT_NEAR(camera->placement.phi, 0.5f, 1e-6f);
    EXPECT_NEAR(camera->placement.theta, Math::PI / 2.0f, 1e-6f);
    Frame(0.25f);
    EXPECT_EQ(camera->GetFieldOfView(), 2.0f);
    EXPECT_EQ(camera->placement.phi, 1.0f);
    EXPECT_EQ(camera->placement.theta, Math::PI);
    Frame(0.25f);
    Frame(0.25f);
    EXPECT_EQ(render->alpha, 0.0f);
    EXPECT_EQ(Finishes(), 3u);

    // A component that only answers the render type id is no render component: the same
    // action finds nothing to change there and finishes at once.
    GameObject* other = Make({"TransformComponent", "ActionListComponent"});
    other->AddComponent(new ProbeComponent(HashTypeName("RenderComponent")));
    Give(other, new FadeToAction(1.0f, 10.0f, true));
    Frame(0.1f);
    EXPECT_EQ(Finishes(), 4u);
}

TEST_F(ActionTest, AMissingComponentFinishesAtOnceWithBothAnnouncements)
{
    // No transform for the move, no render or camera component for the others.
    GameObject* object = Make({"ActionListComponent"});
    Give(object, new MoveToAction(Math::Point4(1.0f, 1.0f, 1.0f, 1.0f), 5.0f, true, true));
    Give(object, new ScaleToAction(Math::Vector3(2.0f, 2.0f, 2.0f), 5.0f, true));
    Give(object, new FadeToAction(0.0f, 5.0f, true));
    Give(object, new FieldOfViewToAction(1.0f, 5.0f, true));
    Give(object, new RotateCameraToAction(Math::Vector2(1.0f, 1.0f), 5.0f, true));
    for (int frame = 0; frame < 5; ++frame)
        Frame(0.1f);
    EXPECT_EQ(Starts(), 5u);
    EXPECT_EQ(Finishes(), 5u);
    EXPECT_TRUE(Find<ActionListComponent>(object)->GetActions().empty());
}

TEST_F(ActionListTest, LanesAndBlockingDecideWhatRunsInAFrame)
{
    GameObject* object = Make({"TransformComponent", "ActionListComponent"});
    object->AddComponent(new Graphics::RenderComponent());
    object->AddComponent(new Graphics::CameraComponent(/*registerWithSystem=*/false));

    // Two moves in a row: lane 1 is taken and the first blocks, so the second waits.
    auto* first = new MoveToAction(At(1.0f), 0.2f, true, false);
    auto* second = new MoveToAction(At(2.0f), 0.2f, true, false);
    Give(object, first);
    Give(object, second);
    Frame(0.1f);
    EXPECT_EQ(first->GetState(), Action::Running);
    EXPECT_EQ(second->GetState(), Action::NotStarted);
    Frame(0.1f); // the first lands and is removed; the second still waits for the next frame
    EXPECT_EQ(second->GetState(), Action::NotStarted);
    EXPECT_EQ(Finishes(), 1u);
    Frame(0.1f);
    EXPECT_EQ(second->GetState(), Action::Running);
    Frame(0.1f);
    EXPECT_EQ(Finishes(), 2u);

    // A camera action beside a fade: different lanes, and the camera action does not block.
    auto* zoom = new FieldOfViewToAction(2.0f, 0.2f, false);
    auto* fade = new FadeToAction(0.0f, 0.2f, true);
    Give(object, zoom);
    Give(object, fade);
    Frame(0.1f);
    EXPECT_EQ(zoom->GetState(), Action::Running);
    EXPECT_EQ(fade->GetState(), Action::Running);
    Frame(0.1f);
    EXPECT_EQ(Finishes(), 4u) << "both land in the same frame";

    // A blocking action in front holds back everything behind it, camera actions included.
    auto* front = new FadeToAction(1.0f, 0.2f, true);
    auto* camera = new FieldOfViewToAction(3.0f, 0.1f, false);
    Give(object, front);
    Give(object, camera);
    Frame(0.1f);
    EXPECT_EQ(front->GetState(), Action::Running);
    EXPECT_EQ(camera->GetState(), Action::NotStarted);
    Frame(0.1f);
    Frame(0.1f);
    EXPECT_EQ(Finishes(), 6u);
}
