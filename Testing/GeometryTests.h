#pragma once
// Six visual checks of the geometry queries that a script runs, usually once per frame from the
// F2 debug pass (assets/Scripts/Debug/GeometryDebug.lua calls all six through the script table
// Geometry). Each builds its shapes, runs its query and draws shapes and result at once through
// the shapes' Draw, that is through the debug-draw table (Math/DebugDraw.h): nothing shows
// unless a drawer is installed.
//
// What the checks need from the subsystems above the math library (the camera's cursor ray and
// matrices, the rigid bodies' sphere colliders) comes through GeometrySources; whatever is
// missing, a check draws what it can and never fails. The bouncing radii and the frustum live
// as long as the GeometryTests object; the script table runs the process's one object. Main
// thread only.
#include "Math/Matrix4.h"
#include "Math/Shapes/Frustum3.h"
#include "Math/Types.h"
#include <functional>

class GameObject;

namespace Math
{
class Ray3;
class Sphere3;
} // namespace Math

namespace Testing
{
// The geometry self-tests a script can run; each draws its result with the debug drawing.
enum class GeometryTest : u32
{
    Quaternions,        // the orientation built from the "geo" script's pitch, yaw and roll
    CursorSpheres,      // the cursor ray against every sphere collider
    DistCircle3Circle3, // circle-to-circle distance
    DistLine3Circle3,   // line-to-circle distance
    GroundPlane,        // the ground plane
    CameraFrustum,      // the camera frustum
};

struct GeometrySources
{
    // The camera's ray through the mouse cursor; false while there is no camera.
    std::function<bool(Math::Ray3& ray)> cursorRay;
    // The active camera's view and projection as the math library multiplies them (column
    // vectors, so that projection * view maps the world to clip space); false without a camera.
    std::function<bool(Math::Matrix4& view, Math::Matrix4& projection)> cameraMatrices;
    // The sphere of the object's rigid body when its collider is a sphere collider: centred at
    // the body's position with the collider's radius; false for any other object.
    std::function<bool(const GameObject& object, Math::Sphere3& sphere)> sphereCollider;
    // Seconds of engine time; the frustum is rebuilt when FrustumRefreshSeconds have passed.
    std::function<f64()> clock;
};

// The sources of the running game: the engine's timer for the clock, the camera system's active
// camera (its cursor ray and matrices) and the rigid bodies' sphere colliders. Without a camera
// system, an active camera or rigid bodies those sources answer false.
GeometrySources GameGeometrySources();

class GeometryTests
{
public:
    // The bouncing circle radii: start, step and the interval they bounce in.
    static constexpr f32 RadiusAStart = 7.0f;
    static constexpr f32 RadiusAStep = -0.025f;
    static constexpr f32 RadiusAMin = 4.0f;
    static constexpr f32 RadiusAMax = 9.0f;
    static constexpr f32 RadiusBStart = 9.0f;
    static constexpr f32 RadiusBStep = -0.005f;
    static constexpr f32 RadiusBMin = 7.0f;
    static constexpr f32 RadiusBMax = 12.0f;
    static constexpr f32 RadiusCStart = 2.0f;
    static constexpr f32 RadiusCStep = -0.01f;
    static constexpr f32 RadiusCMin = 1.25f;
    static constexpr f32 RadiusCMax = 3.0f;
    // How far the line and the circle of the line-circle check lie off the origin.
    static constexpr f32 LineOffset = 2.0f;
    static constexpr f32 CircleOffset = 2.0f;
    // Engine seconds after which the frustum is taken from the camera again.
    static constexpr f64 FrustumRefreshSeconds = 15.0;
    // The script whose globals "pitch", "yaw" and "roll" (radians) the orientation check draws.
    static constexpr const char* AngleScript = "geo";

    explicit GeometryTests(GeometrySources sources);

    void Run(GeometryTest test);

    // Every object's sphere collider in black, and where the cursor ray meets it in green.
    void TestCursorSpheres();
    // Two pairs of circles with bouncing radii and the closest points of each pair.
    void TestDistCircle3Circle3();
    // A line, a circle with a bouncing radius and their closest points.
    void TestDistLine3Circle3();
    // The camera's frustum, taken from the camera at first and every FrustumRefreshSeconds.
    void TestCameraFrustum();
    // The ground plane, faintly.
    void TestGroundPlane();
    // The three axes turned by the "geo" script's angles.
    void TestQuaternions();

    f32 GetRadiusA() const { return m_radiusA; }
    f32 GetRadiusB() const { return m_radiusB; }
    f32 GetRadiusC() const { return m_radiusC; }
    bool HasFrustum() const { return m_frustumBuilt; }
    const Math::Frustum3& GetFrustum() const { return m_frustum; }

private:
    f64 Now() const;

    GeometrySources m_sources;
    f32 m_radiusA;
    f32 m_radiusAStep;
    f32 m_radiusB;
    f32 m_radiusBStep;
    f32 m_radiusC;
    f32 m_radiusCStep;
    Math::Frustum3 m_frustum;
    Math::Matrix4 m_view;
    Math::Matrix4 m_projection;
    bool m_frustumBuilt;
    f64 m_frustumTime;
};

// Runs one check on the process's GeometryTests (made on first use with GameGeometrySources);
// the Geometry script table calls it in a program that registered the testing subsystem.
void RunGeometryTest(GeometryTest test);
} // namespace Testing
