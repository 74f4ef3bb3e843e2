#pragma once
// Keeps the registered cameras and the active one, turns camera messages into camera changes,
// moves mounted cameras so that they frame their targets, shakes the active camera, keeps the
// cursor object on the ground where the mouse points, and serves the view and projection to
// the renderer and to everyone who converts between the world and the screen.
//
// Conventions: view and projection are stored in OpenGL's column order (Math/Matrix4.h);
// WorldToScreen computes P x V x p and ScreenToWorld (P x V)^-1 x ndc in mathematical order.
// Window pixels run from the top left; HUD positions from the bottom left.
//
// The last system the engine creates. Initialize makes the default camera (no owner, listed
// first) and computes its matrices, so the first frame has a view; it installs the cursor-id and
// screen-ray hooks of Core/CoreServices.h. The Camera script table calls MakeSafe and
// CreateCursor directly. The camera components register themselves by type. Main thread only.
#include "Core/SystemComponent.h"
#include "Math/Matrix4.h"
#include "Math/Point4.h"
#include "Math/Shapes/Plane.h"
#include "Math/Shapes/Ray3.h"
#include "Math/Vector2.h"
#include "Math/Vector4.h"
#include <memory>
#include <string>
#include <vector>

namespace Graphics
{
class CameraComponent;
class CameraControllerComponent;
class CameraMountComponent;
class CursorComponent;

namespace System
{
class CameraSystem : public SystemComponent
{
public:
    static constexpr const char* Name = "CameraSystem";
    static constexpr const char* CursorDefinition = "Cursor";
    // The view plane stands this far in front of the active camera's eye.
    static constexpr f32 ViewPlaneDistance = 10.0f;
    // Below this determinant a matrix counts as singular.
    static constexpr f32 InverseTolerance = 0.00001f;
    // Each shake step turns the shake angle (radians) by 180 plus a random 0 to 59.
    static constexpr u32 ShakeAngleBase = 180;
    static constexpr u32 ShakeAngleSpread = 60;

    struct Shake
    {
        f32 magnitude = 0.0f;
        f32 timeLeft = 0.0f; // seconds
        f32 decayRate = 0.0f;
        f32 angle = 0.0f;
        bool decay = false;
    };

    CameraSystem();
    ~CameraSystem() override;
    CameraSystem(const CameraSystem&) = delete;
    CameraSystem& operator=(const CameraSystem&) = delete;

    static CameraSystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = Name;
        return name;
    }
    // Mounts, shake, cameras, the cursor, then the controllers; dt is 0 while paused.
    void Update(f32 seconds) override;
    void Initialize(u32 launchFlags) override;
    void HandleMessage(Message* message) override;
    void Register(GameObjectComponent* component) override;
    void Unregister(GameObjectComponent* component) override;

    CameraComponent* GetActiveCamera() const { return m_active; }
    void SetActiveCamera(CameraComponent* camera) { m_active = camera; }
    CameraComponent* GetDefaultCamera() const { return m_defaultCamera.get(); }
    Math::Point4 GetActiveCameraEye() const;
    const std::vector<CameraComponent*>& GetCameras() const { return m_cameras; }
    const std::vector<CameraMountComponent*>& GetMounts() const { return m_mounts; }
    const std::vector<CameraControllerComponent*>& GetControllers() const { return m_controllers; }
    const Shake& GetShake() const { return m_shake; }
    const Math::Matrix4& GetView() const { return m_view; }
    const Math::Matrix4& GetProjection() const { return m_projection; }

    u32 GetCursorObjectId() const { return m_cursorObjectId; }
    // The cursor component's points and ray; the origin and a default ray without a cursor.
    Math::Point4 GetCursorViewPoint() const;
    Math::Point4 GetCursorGroundPoint() const;
    Math::Ray3 GetCursorRay() const;
    // Normal: the active camera's look direction; through the eye + 10 x that direction.
    Math::Plane GetViewPlane() const;

    // Window pixels (from the top left) of a world point, after recomputing the active camera.
    Math::Vector2 WorldToScreen(const Math::Point4& point);
    // P x V in mathematical (model) layout, from a camera's OpenGL-layout view and projection.
    static Math::Matrix4 ViewProjection(const Math::Matrix4& view, const Math::Matrix4& projection);
    // The world point on the near plane under a window pixel, with the cached matrices.
    Math::Vector4 ScreenToWorld(const Math::Vector2& pixel) const;
    // The ray from the active camera's eye through that near-plane point; false without an
    // active camera.
    bool GetScreenRay(const Math::Vector2& pixel, Math::Ray3& ray) const;
    // The point of the ground plane (y = 0) under a window pixel; false without an active camera
    // or when the pixel's ray misses the ground.
    bool GetGroundPoint(const Math::Vector2& pixel, Math::Point4& point) const;

    void SetProjectionUniform(u32 program) const;
    void SetViewUniforms(u32 program) const;
    // Cameras whose viewport is the current window size take the new size.
    void OnWindowResize(int width, int height);
    // Makes the "Cursor" object under a fresh id at once and answers the id; while the cursor
    // object made before still exists, answers its id and makes none.
    u32 CreateCursor();
    // The first registered camera becomes the active one.
    void MakeSafe();

private:
    void Cycle(bool next);
    void Mount(u32 objectId, u32 targetId);
    void SwitchTo(u32 objectId);
    void StepShake(f32 seconds);
    void UpdateCursor();
    void InstallHooks();
    void RemoveHooks();

    Math::Matrix4 m_view;
    Math::Matrix4 m_projection;
    std::vector<CameraComponent*> m_cameras;
    std::vector<CameraControllerComponent*> m_controllers;
    std::vector<CameraMountComponent*> m_mounts;
    std::vector<GameObjectComponent*> m_others;
    std::unique_ptr<CameraComponent> m_defaultCamera;
    CameraComponent* m_active;
    u32 m_cursorObjectId;
    Shake m_shake;
    bool m_hooksInstalled;

    static CameraSystem* s_instance;
};
} // namespace System
} // namespace Graphics
