// The geometry checks that scripts draw with F2: the bouncing radii, the shapes and colours
// they draw through the debug-draw table, and what they do without a camera, colliders or the
// "geo" script. The camera and the colliders are stand-ins given through GeometrySources.
#include "Testing/GeometryTests.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/System/CameraSystem.h"
#include "Math/MathConstants.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Shapes/Sphere3.h"
#include "Testing/TestingRegistration.h"
#include "tests/Graphics/Rendering/DrawingWorld.h"
#include "tests/Math/DebugDrawRecorder.h"
#include "tests/Physics/PhysicsWorld.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include "tests/Scripting/ScriptTestEnvironment.h"
#include "tests/Support/LogCapture.h"
#include "tests/Support/World.h"
#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

using MathTest::DebugDrawRecorder;
using MathTest::DrawCall;
using Testing::GeometrySources;
using Testing::GeometryTests;

namespace
{
constexpr f32 Tolerance = 1e-5f;

void ExpectColour(const DrawCall& call, const Math::ColorRGBA& colour)
{
    ASSERT_TRUE(call.hasColour) << call.kind;
    EXPECT_NEAR(call.colour.r, colour.r, Tolerance) << call.kind;
    EXPECT_NEAR(call.colour.g, colour.g, Tolerance) << call.kind;
    EXPECT_NEAR(call.colour.b, colour.b, Tolerance) << call.kind;
    EXPECT_NEAR(call.colour.a, colour.a, Tolerance) << call.kind;
}

void ExpectAt(const Math::Vector4& point, f32 x, f32 y, f32 z)
{
    EXPECT_NEAR(point.x, x, Tolerance);
    EXPECT_NEAR(point.y, y, Tolerance);
    EXPECT_NEAR(point.z, z, Tolerance);
}

std::vector<DrawCall> CallsOfKind(const DebugDrawRecorder& recorder, const std::string& kind)
{
    std::vector<DrawCall> calls;
    for (const DrawCall& call : recorder.GetCalls())
        if (call.kind == kind)
            calls.push_back(call);
    return calls;
}

const Math::ColorRGBA White(1.0f, 1.0f, 1.0f, 1.0f);
} // namespace

TEST(GeometryTests, RadiiTurnOneCallAfterLeavingTheirInterval)
{
    World world;
    GeometryTests tests{GeometrySources{}};
    // A radius walks down until a step carries it below its interval; that call does not turn
    // it, the next turns it and moves it back in.
    for (int call = 0; call < 1000 && tests.GetRadiusA() >= GeometryTests::RadiusAMin; ++call)
        tests.TestDistCircle3Circle3();
    const f32 outside = tests.GetRadiusA();
    ASSERT_LT(outside, GeometryTests::RadiusAMin);
    tests.TestDistCircle3Circle3();
    EXPECT_NEAR(tests.GetRadiusA(), outside - GeometryTests::RadiusAStep, Tolerance);

    for (int call = 0; call < 1000 && tests.GetRadiusC() >= GeometryTests::RadiusCMin; ++call)
        tests.TestDistLine3Circle3();
    const f32 below = tests.GetRadiusC();
    ASSERT_LT(below, GeometryTests::RadiusCMin);
    tests.TestDistLine3Circle3();
    EXPECT_NEAR(tests.GetRadiusC(), below - GeometryTests::RadiusCStep, Tolerance);
}

TEST(GeometryTests, DistanceChecksDrawTheirShapesInTheirColours)
{
    World world;
    DebugDrawRecorder recorder;
    GeometryTests tests{GeometrySources{}};
    tests.TestDistCircle3Circle3();
    const std::vector<DrawCall> circles = CallsOfKind(recorder, "circle");
    ASSERT_EQ(circles.size(), 8u);
    const Math::ColorRGBA expected[] = {Math::ColorRGBA::Red,  Math::ColorRGBA::Green,
                                        Math::ColorRGBA::Blue, White,
                                        Math::ColorRGBA::Red,  Math::ColorRGBA::Green,
                                        Math::ColorRGBA::Blue, Math::ColorRGBA::Violet};
    for (std::size_t i = 0; i < circles.size(); ++i)
        ExpectColour(circles[i], expected[i]);
    ExpectAt(circles[0].first, -5.0f, 0.0f, 0.0f);
    ExpectAt(circles[1].first, 10.0f, 0.0f, 0.0f);
    ExpectAt(circles[4].first, 0.0f, 10.0f, 0.0f);
    ExpectAt(circles[5].first, 0.0f, -10.0f, 0.0f);
    // Each pair's closest points are joined in a greenish colour.
    const std::vector<DrawCall> joins = CallsOfKind(recorder, "segment");
    ASSERT_EQ(joins.size(), 2u);
    for (const DrawCall& join : joins)
        EXPECT_GT(join.colour.g, std::max(join.colour.r, join.colour.b));

    DebugDrawRecorder lineRecorder;
    tests.TestDistLine3Circle3();
    const std::vector<DrawCall> lines = CallsOfKind(lineRecorder, "line");
    const std::vector<DrawCall> lineCircles = CallsOfKind(lineRecorder, "circle");
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lineCircles.size(), 2u);
    ExpectColour(lines[0], White);
    ExpectColour(lineCircles[0], Math::ColorRGBA::Yellow);
    ExpectColour(lines[1], Math::ColorRGBA::Grey);
    ExpectColour(lineCircles[1], Math::ColorRGBA::Brown);
    ExpectAt(lines[0].first, 0.0f, GeometryTests::LineOffset, 0.0f);
    ExpectAt(lineCircles[0].first, GeometryTests::CircleOffset, 0.0f, 0.0f);
    const std::vector<DrawCall> lineJoin = CallsOfKind(lineRecorder, "segment");
    ASSERT_EQ(lineJoin.size(), 1u);
    EXPECT_GT(lineJoin[0].colour.r, std::max(lineJoin[0].colour.g, lineJoin[0].colour.b));

    DebugDrawRecorder planeRecorder;
    tests.TestGroundPlane();
    ASSERT_EQ(planeRecorder.Kinds(), std::vector<std::string>{"plane"});
    ExpectColour(planeRecorder.GetCalls()[0], Math::ColorRGBA::Yellow.ScaleAlpha(0.25f));
}

TEST(GeometryTests, CursorSpheresDrawEverySphereColliderUpToTheNewestIdAndTheHits)
{
    World world;
    GameObject* hit = world.Create("Ball");
    world.Create("Crate");
    GameObject* newest = world.Create("Ball");
    ASSERT_EQ(newest->GetId(), Engine::GetLastId());
    std::map<u32, Math::Sphere3> spheres = {
        {hit->GetId(), Math::Sphere3(Math::Point4(0.0f, 0.0f, 0.0f, 1.0f), 1.0f)},
        {newest->GetId(), Math::Sphere3(Math::Point4(5.0f, 0.0f, 0.0f, 1.0f), 1.0f)}};
    GeometrySources sources;
    sources.sphereCollider = [&spheres](const GameObject& object, Math::Sphere3& sphere)
    {
        auto found = spheres.find(object.GetId());
        if (found == spheres.end())
            return false;
        sphere = found->second;
        return true;
    };

    {
        // No camera: the spheres show, no hit is looked for.
        DebugDrawRecorder recorder;
        GeometryTests(sources).TestCursorSpheres();
        EXPECT_EQ(recorder.Kinds(), (std::vector<std::string>{"sphere", "sphere"}));
    }
    sources.cursorRay = [](Math::Ray3& ray)
    {
        ray = Math::Ray3(Math::Point4(0.0f, 0.0f, 10.0f, 1.0f), Math::Vector4(0, 0, -1, 0));
        return true;
    };
    DebugDrawRecorder recorder;
    GeometryTests(sources).TestCursorSpheres();
    const std::vector<DrawCall> drawn = CallsOfKind(recorder, "sphere");
    ASSERT_EQ(drawn.size(), 2u);
    ExpectColour(drawn[0], Math::ColorRGBA::Black);
    ExpectAt(drawn[0].first, 0.0f, 0.0f, 0.0f);
    ExpectAt(drawn[1].first, 5.0f, 0.0f, 0.0f);
    // The hit of the first sphere lies between its two sphere drawings.
    const std::vector<std::string> kinds = recorder.Kinds();
    EXPECT_EQ(kinds.front(), "sphere");
    EXPECT_EQ(kinds.back(), "sphere");
    EXPECT_GT(kinds.size(), 2u);

    DebugDrawRecorder none;
    GeometryTests(GeometrySources{}).TestCursorSpheres();
    EXPECT_TRUE(none.GetCalls().empty());
}

TEST(GeometryTests, TheGameFindsTheSpheresOfRigidBodiesWithSphereColliders)
{
    PhysicsWorld world;
    world.Make(TransformAt(4, 0, 0) + Sphere(1.0f) + Body(1.0f), "Ball");
    world.Make(TransformAt(8, 0, 0) + Box(1, 1, 1) + Body(1.0f), "Crate");
    world.Make(TransformAt(12, 0, 0) + Sphere(1.0f), "Marker");
    DebugDrawRecorder recorder;
    GeometryTests(Testing::GameGeometrySources()).TestCursorSpheres();
    // Only the ball: the crate's collider is a box and the marker has no rigid body.
    ASSERT_EQ(recorder.Kinds(), std::vector<std::string>{"sphere"});
    ExpectColour(recorder.GetCalls()[0], Math::ColorRGBA::Black);
    ExpectAt(recorder.GetCalls()[0].first, 4.0f, 0.0f, 0.0f);
}

TEST(GeometryTests, FrustumIsTakenFromTheFirstCameraAndAgainEveryFifteenSeconds)
{
    World world;
    LogCapture log;
    f64 now = 0.0;
    bool camera = false;
    GeometrySources sources;
    sources.clock = [&now]() { return now; };
    sources.cameraMatrices = [&camera](Math::Matrix4& view, Math::Matrix4& projection)
    {
        view = Math::Matrix4();
        projection = Math::Matrix4();
        return camera;
    };
    GeometryTests tests(sources);
    {
        DebugDrawRecorder recorder;
        tests.TestCameraFrustum();
        EXPECT_TRUE(recorder.GetCalls().empty());
        EXPECT_EQ(log.Count("Updating frustum"), 0u);
    }
    camera = true;
    now = 3.0;
    DebugDrawRecorder recorder;
    tests.TestCameraFrustum();
    EXPECT_EQ(log.Count("Updating frustum"), 1u);
    const std::vector<DrawCall> edges = CallsOfKind(recorder, "segment");
    ASSERT_EQ(edges.size(), 12u);
    for (const DrawCall& edge : edges)
        ExpectColour(edge, Math::ColorRGBA::Pink);
    // The identity view-projection's frustum is the cube itself.
    for (const Math::Point4& corner : tests.GetFrustum().corners)
        EXPECT_NEAR(std::abs(corner.x) + std::abs(corner.y) + std::abs(corner.z), 3.0f, Tolerance);

    now = 3.0 + GeometryTests::FrustumRefreshSeconds - 1.0;
    tests.TestCameraFrustum();
    EXPECT_EQ(log.Count("Updating frustum"), 1u);
    now = 3.0 + GeometryTests::FrustumRefreshSeconds;
    tests.TestCameraFrustum();
    EXPECT_EQ(log.Count("Updating frustum"), 2u);
}

class GeometryScriptTest : public ScriptTest
{
};

TEST_F(GeometryScriptTest, QuaternionsDrawTheGeoScriptsAnglesAndNothingWithoutIt)
{
    GeometryTests tests{GeometrySources{}};
    {
        DebugDrawRecorder recorder;
        tests.TestQuaternions();
        EXPECT_TRUE(recorder.GetCalls().empty());
    }
    // A quarter turn of yaw, in radians; a pitch that is not a number counts as 0.
    WriteScript("geo.lua", "yaw = math.pi / 2\npitch = 'steep'\n");
    ASSERT_NE(lua.LoadScript("geo.lua", GeometryTests::AngleScript), nullptr) << LogText();
    DebugDrawRecorder recorder;
    tests.TestQuaternions();
    const std::vector<DrawCall> axes = CallsOfKind(recorder, "segment");
    ASSERT_EQ(axes.size(), 3u);
    ExpectColour(axes[0], Math::ColorRGBA::Yellow);
    ExpectAt(axes[0].second, 0.0f, 0.0f, -1.0f);
    ExpectColour(axes[1], Math::ColorRGBA::Pink);
    ExpectAt(axes[1].second, 0.0f, 1.0f, 0.0f);
    ExpectColour(axes[2], Math::ColorRGBA::Orange);
    ExpectAt(axes[2].second, 0.0f, 0.0f, 1.0f);
}

TEST_F(GeometryScriptTest, TheShippedDebugScriptRunsAllSixThroughTheScriptHook)
{
    std::ifstream shipped(QUILL_ASSET_ROOT "/assets/Scripts/Debug/GeometryDebug.lua");
    std::ostringstream text;
    text << shipped.rdbuf();
    WriteScript("Debug/GeometryDebug.lua", text.str());
    Scripting::LuaComponent* script =
        lua.LoadScript("Debug/GeometryDebug.lua", GeometryTests::AngleScript);
    ASSERT_NE(script, nullptr) << LogText();
    Testing::RegisterTesting(engine);

    DebugDrawRecorder recorder;
    ASSERT_TRUE(script->Call("DrawDebug")) << LogText();
    // Without a camera or colliders: the plane, the circles, the line and the three axes.
    EXPECT_EQ(CallsOfKind(recorder, "plane").size(), 1u);
    EXPECT_EQ(CallsOfKind(recorder, "circle").size(), 10u);
    EXPECT_EQ(CallsOfKind(recorder, "line").size(), 2u);
    EXPECT_TRUE(CallsOfKind(recorder, "sphere").empty());
    const std::vector<DrawCall> segments = CallsOfKind(recorder, "segment");
    ASSERT_GE(segments.size(), 3u);
    ExpectColour(segments.back(), Math::ColorRGBA::Orange);
}

TEST_F(GeometryScriptTest, TheDebugViewLoadsTheScriptAsGeoOnceAndCallsItsDrawDebugEachTime)
{
    WriteScript("Debug/GeometryDebug.lua", "calls = 0\nfunction DrawDebug()\n"
                                           "  calls = calls + 1\n"
                                           "  Geometry.TestGroundPlane()\nend\n");
    Testing::RegisterTesting(engine);
    FakeWindowLayer layer;
    Graphics::System::GraphicsSystem graphics;
    DebugDrawRecorder recorder;
    graphics.DrawGeometryDebugScript();
    Scripting::LuaComponent* script = lua.FindScript(GeometryTests::AngleScript);
    ASSERT_NE(script, nullptr) << LogText();
    graphics.DrawGeometryDebugScript();
    EXPECT_EQ(lua.FindScript(GeometryTests::AngleScript), script) << "loaded once";
    s32 calls = 0;
    ASSERT_TRUE(script->GetGlobalInt("calls", calls));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(CallsOfKind(recorder, "plane").size(), 2u);

    // A reload request loads the file again under the same name.
    graphics.ReloadGeometryDebugScript();
    graphics.DrawGeometryDebugScript();
    ASSERT_NE(lua.FindScript(GeometryTests::AngleScript), nullptr);
    ASSERT_TRUE(lua.FindScript(GeometryTests::AngleScript)->GetGlobalInt("calls", calls));
    EXPECT_EQ(calls, 1);
}

class GameCameraTest : public DrawingWorld
{
};

TEST_F(GameCameraTest, TheGameTakesTheFrustumFromTheActiveCamera)
{
    GeometryTests tests(Testing::GameGeometrySources());
    {
        DebugDrawRecorder recorder;
        tests.TestCameraFrustum();
        EXPECT_TRUE(recorder.GetCalls().empty());
    }
    auto* cameras = static_cast<Graphics::System::CameraSystem*>(engine->AddSystem("CameraSystem"));
    ASSERT_NE(cameras, nullptr);
    DebugDrawRecorder recorder;
    tests.TestCameraFrustum();
    EXPECT_EQ(log->Count("Updating frustum"), 1u);
    EXPECT_EQ(CallsOfKind(recorder, "segment").size(), 12u);
    // Each corner, seen through the camera, is a corner of the clip cube.
    Math::Matrix4 view;
    Math::Matrix4 projection;
    cameras->GetView().Transpose(view);
    cameras->GetProjection().Transpose(projection);
    for (const Math::Point4& corner : tests.GetFrustum().corners)
    {
        const Math::Vector4 clip = projection * view * corner;
        ASSERT_NE(clip.w, 0.0f);
        EXPECT_NEAR(std::abs(clip.x / clip.w), 1.0f, 1e-3f);
        EXPECT_NEAR(std::abs(clip.y / clip.w), 1.0f, 1e-3f);
        EXPECT_NEAR(std::abs(clip.z / clip.w), 1.0f, 1e-3f);
    }
}
