#include "Testing/GeometryTests.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/System/CameraSystem.h"
#include "Math/ColorRGBA.h"
#include "Math/Distance.h"
#include "Math/Intersection.h"
#include "Math/MathConstants.h"
#include "Math/Quaternion.h"
#include "Math/Shapes/Circle3.h"
#include "Math/Shapes/Line3.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Shapes/Sphere3.h"
#include "Physics/ColliderComponent.h"
#include "Physics/RigidBodyComponent.h"
#include "Physics/SphereColliderComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include <utility>

namespace Testing
{
namespace
{
// The three directions the shapes are laid out along.
const Math::Vector4& FirstDirection()
{
    return Math::AXIS_X;
}
const Math::Vector4& SecondDirection()
{
    return Math::AXIS_Y;
}
const Math::Vector4& ThirdDirection()
{
    return Math::AXIS_Z;
}

constexpr Math::ColorRGBA White(1.0f, 1.0f, 1.0f, 1.0f);
constexpr f32 Opaque = 1.0f;
// The first pair of circles sits on the first direction, the second pair on the second.
constexpr f32 FirstCentreA = -5.0f;
constexpr f32 FirstCentreB = 10.0f;
constexpr f32 SecondCentreDistance = 10.0f;
// The ground plane lies just below y = 0, so that shapes on the ground stay visible.
constexpr f32 GroundHeight = -0.1f;
constexpr f32 GroundAlpha = 0.25f;
// Below this determinant the camera's view-projection is taken as singular.
constexpr f32 InverseEpsilon = 0.00001f;

// A radius that one step has carried out of its interval turns round on the next call and moves
// back in that same call.
void Bounce(f32& radius, f32& step, f32 minimum, f32 maximum)
{
    if (radius < minimum || radius > maximum)
        step = -step;
    radius += step;
}

Math::Point4 Along(const Math::Vector4& direction, f32 distance)
{
    return Math::ORIGIN + direction * distance;
}

// The sphere of the object's rigid body when its collider is a sphere collider: at the body's
// position, with the collider's radius.
bool RigidBodySphere(const GameObject& object, Math::Sphere3& sphere)
{
    const auto* body = object.GetComponent<Physics::RigidBodyComponent>();
    const Physics::ColliderComponent* collider = body != nullptr ? body->GetCollider() : nullptr;
    if (collider == nullptr ||
        collider->GetName() != Physics::SphereColliderComponent::GetTypeName())
        return false;
    const auto& sphereCollider = static_cast<const Physics::SphereColliderComponent&>(*collider);
    sphere = Math::Sphere3(body->GetPosition(), sphereCollider.GetSphere().radius);
    return true;
}

// The camera system while it has an active camera, else null.
Graphics::System::CameraSystem* ActiveCameras()
{
    Graphics::System::CameraSystem* cameras = Graphics::System::CameraSystem::Instance();
    return cameras != nullptr && cameras->GetActiveCamera() != nullptr ? cameras : nullptr;
}

bool CameraCursorRay(Math::Ray3& ray)
{
    const Graphics::System::CameraSystem* cameras = ActiveCameras();
    if (cameras == nullptr)
        return false;
    ray = cameras->GetCursorRay();
    return true;
}

// The camera system keeps its matrices in OpenGL's column order: each is the transpose of the
// matrix the math library multiplies with.
bool CameraMatrices(Math::Matrix4& view, Math::Matrix4& projection)
{
    const Graphics::System::CameraSystem* cameras = ActiveCameras();
    if (cameras == nullptr)
        return false;
    cameras->GetView().Transpose(view);
    cameras->GetProjection().Transpose(projection);
    return true;
}

// One scripted angle; a missing or mistyped global keeps 0 (the script's reader reports it).
f32 ReadAngle(Scripting::LuaComponent& script, const char* name)
{
    f32 angle = 0.0f;
    script.GetGlobalFloat(name, angle);
    return angle;
}
} // namespace

GeometrySources GameGeometrySources()
{
    GeometrySources sources;
    sources.clock = []() -> f64
    { return g_Engine != nullptr ? g_Engine->GetTimer().GetTotalSeconds() : 0.0; };
    sources.sphereCollider = &RigidBodySphere;
    sources.cursorRay = &CameraCursorRay;
    sources.cameraMatrices = &CameraMatrices;
    return sources;
}

GeometryTests::GeometryTests(GeometrySources sources)
    : m_sources(std::move(sources)), m_radiusA(RadiusAStart), m_radiusAStep(RadiusAStep),
      m_radiusB(RadiusBStart), m_radiusBStep(RadiusBStep), m_radiusC(RadiusCStart),
      m_radiusCStep(RadiusCStep), m_frustumBuilt(false), m_frustumTime(0.0)
{
}

void GeometryTests::Run(GeometryTest test)
{
    switch (test)
    {
    case GeometryTest::Quaternions:
        TestQuaternions();
        break;
    case GeometryTest::CursorSpheres:
        TestCursorSpheres();
        break;
    case GeometryTest::DistCircle3Circle3:
        TestDistCircle3Circle3();
        break;
    case GeometryTest::DistLine3Circle3:
        TestDistLine3Circle3();
        break;
    case GeometryTest::GroundPlane:
        TestGroundPlane();
        break;
    case GeometryTest::CameraFrustum:
        TestCameraFrustum();
        break;
    }
}

void GeometryTests::TestCursorSpheres()
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr || !m_sources.sphereCollider)
        return;
    Math::Ray3 ray;
    const bool hasRay = m_sources.cursorRay && m_sources.cursorRay(ray);
    // Every id handed out so far, the newest included; ids that name no object are skipped.
    const u32 lastId = Engine::GetLastId();
    for (u32 id = 0;; ++id)
    {
        const GameObject* object = factory->FindObject(id);
        Math::Sphere3 sphere;
        if (object != nullptr && m_sources.sphereCollider(*object, sphere))
        {
            sphere.Draw(&Math::ColorRGBA::Black);
            Math::IntersectRay3Sphere3 hit(ray, sphere);
            if (hasRay && hit.Find())
                hit.Draw(false, &Math::ColorRGBA::Green);
        }
        if (id == lastId)
            break;
    }
}

void GeometryTests::TestDistCircle3Circle3()
{
    Bounce(m_radiusA, m_radiusAStep, RadiusAMin, RadiusAMax);
    Bounce(m_radiusB, m_radiusBStep, RadiusBMin, RadiusBMax);

    const Math::Circle3 circle1(Along(FirstDirection(), FirstCentreA), ThirdDirection(), m_radiusA);
    const Math::Circle3 circle2(Along(FirstDirection(), FirstCentreB), FirstDirection(), m_radiusB);
    circle1.Draw(&Math::ColorRGBA::Red);
    circle2.Draw(&Math::ColorRGBA::Green);
    const Math::ColorRGBA firstSegment = Math::ColorRGBA::RandomGreen(Opaque);
    Math::DistCircle3Circle3 first(circle1, circle2);
    first.Draw(true, &Math::ColorRGBA::Blue, &White, &firstSegment);

    const Math::Circle3 circle3(Along(SecondDirection(), SecondCentreDistance), FirstDirection(),
                                m_radiusA);
    const Math::Circle3 circle4(Along(SecondDirection(), -SecondCentreDistance), ThirdDirection(),
                                m_radiusB);
    circle3.Draw(&Math::ColorRGBA::Red);
    circle4.Draw(&Math::ColorRGBA::Green);
    const Math::ColorRGBA secondSegment = Math::ColorRGBA::RandomGreen(Opaque);
    Math::DistCircle3Circle3 second(circle3, circle4);
    second.Draw(true, &Math::ColorRGBA::Blue, &Math::ColorRGBA::Violet, &secondSegment);
}

void GeometryTests::TestDistLine3Circle3()
{
    Bounce(m_radiusC, m_radiusCStep, RadiusCMin, RadiusCMax);

    const Math::Line3 line(Along(SecondDirection(), LineOffset), FirstDirection());
    const Math::Circle3 circle(Along(FirstDirection(), CircleOffset), SecondDirection(), m_radiusC);
    line.Draw(&White);
    circle.Draw(&Math::ColorRGBA::Yellow);
    const Math::ColorRGBA segment = Math::ColorRGBA::RandomRed(Opaque);
    Math::DistLine3Circle3 distance(line, circle);
    distance.Draw(true, &Math::ColorRGBA::Grey, &Math::ColorRGBA::Brown, &segment);
}

void GeometryTests::TestCameraFrustum()
{
    const f64 now = Now();
    const bool due = !m_frustumBuilt || now - m_frustumTime >= FrustumRefreshSeconds;
    Math::Matrix4 view;
    Math::Matrix4 projection;
    if (due && m_sources.cameraMatrices && m_sources.cameraMatrices(view, projection))
    {
        m_view = view;
        m_projection = projection;
        (m_projection * m_view).Inverse(m_frustum.matrix, InverseEpsilon);
        m_frustum.ComputeCorners();
        m_frustumBuilt = true;
        m_frustumTime = now;
        Core::Log() << "Updating frustum"
                    << "\n";
    }
    // Before any camera was found there is no frustum to show.
    if (m_frustumBuilt)
        m_frustum.Draw(&Math::ColorRGBA::Pink);
}

void GeometryTests::TestGroundPlane()
{
    const Math::Plane ground(SecondDirection(), Math::Point4(0.0f, GroundHeight, 0.0f, 1.0f));
    const Math::ColorRGBA colour = Math::ColorRGBA::Yellow.ScaleAlpha(GroundAlpha);
    ground.Draw(&colour);
}

void GeometryTests::TestQuaternions()
{
    Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    Scripting::LuaComponent* script = lua != nullptr ? lua->GetScript(AngleScript) : nullptr;
    if (script == nullptr)
        return;
    const f32 pitch = ReadAngle(*script, "pitch");
    const f32 yaw = ReadAngle(*script, "yaw");
    const f32 roll = ReadAngle(*script, "roll");

    constexpr bool radians = true;
    Math::Quaternion turn;
    turn.FromEuler(0.0f, yaw, 0.0f, radians);
    turn.Rotate(Math::AXIS_X).Draw(&Math::ColorRGBA::Yellow);
    turn.FromEuler(0.0f, 0.0f, roll, radians);
    turn.Rotate(Math::AXIS_Y).Draw(&Math::ColorRGBA::Pink);
    turn.FromEuler(pitch, 0.0f, 0.0f, radians);
    turn.Rotate(Math::AXIS_Z).Draw(&Math::ColorRGBA::Orange);
}

f64 GeometryTests::Now() const
{
    return m_sources.clock ? m_sources.clock() : 0.0;
}

void RunGeometryTest(GeometryTest test)
{
    static GeometryTests tests(GameGeometrySources());
    tests.Run(test);
}
} // namespace Testing
