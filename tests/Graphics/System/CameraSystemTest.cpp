// The camera system headless: matrices and conversions, which camera is active, shaking,
// framing mounts, controllers, resizing, the cursor's heads-up element and the camera's written
// form.
#include "Graphics/System/CameraSystem.h"
#include "Core/CoreServices.h"
#include "Core/Messages/Camera/CameraCycleMessage.h"
#include "Core/Messages/Camera/CameraMountMessage.h"
#include "Core/Messages/Camera/CameraShakeMessage.h"
#include "Core/Messages/Camera/CameraSwitchMessage.h"
#include "Core/System/InputSystem.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/CameraControllerComponent.h"
#include "Graphics/Components/CameraMountComponent.h"
#include "Graphics/Components/CursorComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Math/MathUtils.h"
#include "Xml/XmlWriter.h"
#include "tests/Graphics/Rendering/DrawingWorld.h"

using Graphics::CameraComponent;
using Graphics::System::CameraSystem;

namespace
{
constexpr f32 Tolerance = 1e-4f;
const char* const CameraXml =
    "<C><vec4 X='1' Y='0' Z='0'/><vec4 X='0' Y='1' Z='0'/><vec4 X='0' Y='0' Z='-1'/>"
    "<sphr perspective='1' radius='12' phi='60' theta='30'/><bool>1</bool><f32>2.5</f32>"
    "<vec2 X='0.5' Y='500'/><pnt4 X='1' Y='0' Z='2'/><f32>60</f32></C>";

void ExpectNear(const Math::Vector4& a, const Math::Vector4& b, f32 tolerance = Tolerance)
{
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}
} // namespace

class CameraSystemTest : public DrawingWorld
{
protected:
    void SetUp() override
    {
        DrawingWorld::SetUp();
        cameras = static_cast<CameraSystem*>(engine->AddSystem("CameraSystem"));
        ASSERT_NE(cameras, nullptr);
    }

    CameraComponent* MakeCamera(GameObject* object = nullptr)
    {
        return Add<CameraComponent>(object != nullptr ? object : MakeObject(), CameraXml);
    }

    CameraSystem* cameras = nullptr;
};

TEST_F(CameraSystemTest, MatricesAndScreenWorldConversions)
{
    // The default camera is listed once, active, and has a view before the first update.
    ASSERT_EQ(cameras->GetCameras().size(), 1u);
    CameraComponent* fallback = cameras->GetDefaultCamera();
    EXPECT_EQ(cameras->GetActiveCamera(), fallback);
    EXPECT_EQ(cameras->GetView(), Math::Matrix4::LookAt(Math::Point4(0.0f, 0.0f, 10.0f, 1.0f),
                                                        Math::Point4(0.0f, 0.0f, 0.0f, 1.0f),
                                                        Math::Vector4(0.0f, 1.0f, 0.0f, 0.0f)));

    CameraComponent* camera = MakeCamera();
    cameras->SetActiveCamera(camera);
    cameras->Update(0.0f);
    const Math::Point4 eye = camera->placement.GetPosition();
    const Math::Point4 target = camera->placement.GetTarget();
    EXPECT_EQ(camera->GetView(), Math::Matrix4::LookAt(eye, target, camera->up));
    EXPECT_EQ(camera->GetProjection(),
              Math::Matrix4::Perspective(60.0f, 1024.0f / 768.0f, 0.5f, 500.0f));
    Math::Vector4 look(target.x - eye.x, target.y - eye.y, target.z - eye.z, 0.0f);
    look.Normalize();
    ExpectNear(camera->look, look);

    // The window centre lies on the look direction.
    const Math::Vector4 centre = cameras->ScreenToWorld(Math::Vector2(512.0f, 384.0f));
    Math::Vector4 toCentre(centre.x - eye.x, centre.y - eye.y, centre.z - eye.z, 0.0f);
    toCentre.Normalize();
    ExpectNear(toCentre, look);
    // A pixel's world point goes back to the same pixel.
    const Math::Vector4 world = cameras->ScreenToWorld(Math::Vector2(300.0f, 200.0f));
    const Math::Vector2 pixel =
        cameras->WorldToScreen(Math::Point4(world.x, world.y, world.z, 1.0f));
    EXPECT_FLOAT_EQ(pixel.x, 300.0f);
    EXPECT_FLOAT_EQ(pixel.y, 200.0f);
}

TEST_F(CameraSystemTest, CyclingSwitchingAndLosingTheActiveCamera)
{
    CameraComponent* fallback = cameras->GetDefaultCamera();
    CameraComponent* a = MakeCamera();
    GameObject* rig = MakeObject();
    MakeCamera(rig);
    CameraComponent* b2 = MakeCamera(rig);
    auto cycle = [&](bool next)
    {
        CameraCycleMessage message(0, next, CameraSystem::Name);
        cameras->HandleMessage(&message);
        return cameras->GetActiveCamera();
    };
    EXPECT_EQ(cycle(true), a);
    EXPECT_EQ(cycle(false), fallback);
    EXPECT_EQ(cycle(false), b2) << "before the first comes the last";
    EXPECT_EQ(cycle(true), fallback) << "after the last comes the first";

    CameraSwitchMessage toRig(0, rig->GetId());
    cameras->HandleMessage(&toRig);
    EXPECT_EQ(cameras->GetActiveCamera(), b2) << "the last camera of the object wins";
    CameraSwitchMessage toNobody(0, 999999u);
    cameras->HandleMessage(&toNobody);
    EXPECT_EQ(cameras->GetActiveCamera(), b2);

    Factory().DestroyObject(rig->GetId());
    EXPECT_EQ(cameras->GetActiveCamera(), fallback) << "the first remaining camera takes over";
    EXPECT_EQ(cameras->GetCameras().size(), 2u);
}

TEST_F(CameraSystemTest, ShakesDecayAndStop)
{
    CameraShakeMessage fading(0, 2.0f, 1.0f, true);
    cameras->HandleMessage(&fading);
    const Math::Point4 before = cameras->GetActiveCamera()->placement.centre;
    cameras->Update(0.0f);
    EXPECT_FLOAT_EQ(cameras->GetShake().timeLeft, 1.0f) << "no shaking while paused";
    cameras->Update(0.25f);
    EXPECT_FLOAT_EQ(cameras->GetShake().magnitude, 1.5f);
    EXPECT_NE(cameras->GetActiveCamera()->placement.centre, before) << "the offset stays";
    for (int i = 0; i < 3; ++i)
        cameras->Update(0.25f);
    EXPECT_NEAR(cameras->GetShake().magnitude, 0.0f, Tolerance);

    CameraShakeMessage steady(0, 2.0f, 0.5f, false);
    cameras->HandleMessage(&steady);
    cameras->Update(0.25f);
    EXPECT_FLOAT_EQ(cameras->GetShake().magnitude, 2.0f);
    cameras->Update(0.25f);
    EXPECT_FLOAT_EQ(cameras->GetShake().magnitude, 0.0f) << "stops when the time runs out";
}

namespace
{
// Two spawners, at x = -30 and x = 10 on the line z = 4, while no enemy lives.
u32 TwoIdleSpawners(f32* xz, u32 capacity)
{
    const f32 positions[] = {-30.0f, 4.0f, 10.0f, 4.0f};
    const u32 count = std::min(capacity, 2u);
    std::copy_n(positions, 2 * count, xz);
    return count;
}
} // namespace

TEST_F(CameraSystemTest, IdleSpawnersDrawTheMiddleButNotTheDistance)
{
    // A long frame (a second) goes the whole way at once and no further.
    Core::Services().idleSpawnerPositions.Install(&TwoIdleSpawners);
    GameObject* rig = MakeObject();
    CameraComponent* camera = MakeCamera(rig);
    camera->placement.radius = 30.0f;
    Add<Graphics::CameraMountComponent>(rig)->AddTarget(MakeObject(0.0f, 0.0f, 4.0f)->GetId());
    cameras->Update(1.0f);
    Core::Services().idleSpawnerPositions.Remove(&TwoIdleSpawners);
    EXPECT_FLOAT_EQ(camera->placement.radius, 20.0f) << "the distance a lone target is fought at";
    EXPECT_FLOAT_EQ(camera->placement.centre.x, -8.0f)
        << "toward the spawners' middle (-10), by at most 0.4 x the radius";
    EXPECT_FLOAT_EQ(camera->placement.centre.z, 4.0f);
}

TEST_F(CameraSystemTest, MountsFrameTheirTargetsWithinTheExtentLimits)
{
    // One update with k = 3 x dt = 1 lands on the targets at once.
    const f32 step = 1.0f / Graphics::CameraMountComponent::EaseRate;
    GameObject* rig = MakeObject();
    CameraComponent* camera = MakeCamera(rig);
    auto* mount = Add<Graphics::CameraMountComponent>(rig);
    cameras->Update(step);
    EXPECT_NEAR(camera->placement.centre.x, 0.0f, Tolerance) << "an empty box eases to 0";
    EXPECT_NEAR(camera->placement.centre.z, 0.0f, Tolerance);
    EXPECT_FLOAT_EQ(camera->placement.radius, 20.0f);
    mount->Shutdown();

    GameObject* other = MakeObject();
    CameraComponent* framing = MakeCamera(other);
    GameObject* near = MakeObject(0.0f, 0.0f, 0.0f);
    GameObject* far = MakeObject(40.0f, 0.0f, 10.0f);
    for (GameObject* target : {near, far})
    {
        CameraMountMessage message(0, other->GetId(), target->GetId(), CameraSystem::Name);
        cameras->HandleMessage(&message);
    }
    CameraMountMessage unknown(0, other->GetId(), 999999u, CameraSystem::Name);
    cameras->HandleMessage(&unknown);
    ASSERT_NE(other->GetComponent<Graphics::CameraMountComponent>(), nullptr);
    EXPECT_EQ(other->GetComponent<Graphics::CameraMountComponent>()->GetTargets().size(), 2u);
    cameras->Update(step);
    EXPECT_FLOAT_EQ(framing->placement.centre.x, 20.0f);
    EXPECT_FLOAT_EQ(framing->placement.centre.z, 5.0f);
    EXPECT_FLOAT_EQ(framing->placement.radius, 60.0f) << "1.5 x the larger side";
    far->GetComponent<TransformComponent>()->SetPosition(400.0f, 0.0f, 0.0f);
    cameras->Update(step);
    EXPECT_FLOAT_EQ(framing->placement.radius, 100.0f) << "at most 100";
    Factory().DestroyObject(far->GetId());
    cameras->Update(step);
    EXPECT_FLOAT_EQ(framing->placement.radius, 20.0f) << "the lost target is skipped";
}

TEST_F(CameraSystemTest, ControllersWrapAndClampAndResizeTouchesMatchingCameras)
{
    GameObject* rig = MakeObject();
    CameraComponent* camera = MakeCamera(rig);
    camera->placement.theta = 0.0f;
    Add<Graphics::CameraControllerComponent>(rig, "<K><f>90</f><f>-5</f><v X='3' Y='8'/></K>");
    cameras->Update(5.0f);
    EXPECT_NEAR(camera->placement.theta, Math::HALF_PI, Tolerance) << "450 degrees wrap to 90";
    EXPECT_FLOAT_EQ(camera->placement.radius, 3.0f) << "held at the minimum";
    auto* controller = rig->GetComponent<Graphics::CameraControllerComponent>();
    controller->zoomRate = 100.0f;
    cameras->Update(1.0f);
    EXPECT_FLOAT_EQ(camera->placement.radius, 8.0f) << "held at the maximum";

    CameraComponent* small = MakeCamera();
    small->viewport = Math::Vector2(640.0f, 480.0f);
    cameras->OnWindowResize(800, 600);
    EXPECT_EQ(camera->viewport, Math::Vector2(800.0f, 600.0f));
    EXPECT_EQ(cameras->GetDefaultCamera()->viewport, Math::Vector2(800.0f, 600.0f));
    EXPECT_EQ(small->viewport, Math::Vector2(640.0f, 480.0f));
}

namespace
{
// What the cursor asked of the user interface's element hook.
struct HudMove
{
    u32 objectId = 0;
    f32 x = -1.0f;
    f32 y = -1.0f;
};
HudMove g_hudMove;
void RecordHudMove(u32 objectId, f32 x, f32 y)
{
    g_hudMove = HudMove{objectId, x, y};
}
} // namespace

TEST_F(CameraSystemTest, TheCursorPlacesItsHudElementUnderTheMouseInReferenceUnits)
{
    Core::Services().setHudElementPosition.Install(&RecordHudMove);
    g_hudMove = HudMove();
    GameObject* cursor = MakeObject();
    Add<Graphics::CursorComponent>(cursor);
    const f32 height = static_cast<f32>(Core::WindowHeight());
    Core::System::InputSystem::SetCursorPosition(Math::Vector2(300.0f, 200.0f));
    cameras->Update(1.0f / 60.0f);
    Core::System::InputSystem::SetCursorPosition(Math::Vector2(0.0f, 0.0f));
    Core::Services().setHudElementPosition.Remove(&RecordHudMove);
    // The view-plane point under the mouse, back on the screen with y upwards.
    EXPECT_EQ(g_hudMove.objectId, cursor->GetId());
    EXPECT_NEAR(g_hudMove.x * Graphics::ReferenceWidth, 300.0f, 0.51f);
    EXPECT_NEAR(g_hudMove.y * Graphics::ReferenceHeight, height - 200.0f, 0.51f);
}

TEST_F(CameraSystemTest, CameraReadsBackWhatItWrites)
{
    CameraComponent* camera = MakeCamera();
    EXPECT_FLOAT_EQ(camera->placement.radius, 12.0f);
    EXPECT_NEAR(camera->placement.phi, 60.0f * Math::DEG_TO_RAD, Tolerance);
    EXPECT_TRUE(camera->flag);
    EXPECT_FLOAT_EQ(camera->unnamed, 2.5f);
    EXPECT_FLOAT_EQ(camera->placement.centre.z, 2.0f);
    EXPECT_FLOAT_EQ(camera->fieldOfView, 60.0f);

    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("CameraComponent");
    document.InsertEndChild(root);
    Serializer::XmlWriter writer(document, root);
    camera->Serialize(writer);
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    auto* copy = Add<CameraComponent>(MakeObject(), printer.CStr());
    EXPECT_EQ(copy->placement.perspective, camera->placement.perspective);
    EXPECT_NEAR(copy->placement.theta, camera->placement.theta, Tolerance);
    EXPECT_TRUE(copy->flag);
    EXPECT_FLOAT_EQ(copy->nearFar.y, 500.0f);
    EXPECT_EQ(copy->placement.centre, camera->placement.centre);
    EXPECT_FLOAT_EQ(copy->fieldOfView, 60.0f);
}

// One cursor object for the whole game: the main state asks for it on entry and keeps its id in
// a script global, which a reload loses; asking again must not leave a second cursor behind.
TEST_F(CameraSystemTest, TheCursorObjectIsMadeOnceWhileItLives)
{
    const u32 cursor = cameras->CreateCursor();
    ASSERT_NE(engine->GetFactory()->FindObject(cursor), nullptr);
    EXPECT_EQ(cameras->CreateCursor(), cursor);
    engine->GetFactory()->DestroyObject(cursor);
    const u32 next = cameras->CreateCursor();
    EXPECT_NE(next, cursor);
    EXPECT_NE(engine->GetFactory()->FindObject(next), nullptr);
}
