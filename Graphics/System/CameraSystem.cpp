#include "Graphics/System/CameraSystem.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Camera/CameraCycleMessage.h"
#include "Core/Messages/Camera/CameraMountMessage.h"
#include "Core/Messages/Camera/CameraShakeMessage.h"
#include "Core/Messages/Camera/CameraSwitchMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/InputSystem.h"
#include "Graphics/Components/CameraComponent.h"
#include "Graphics/Components/CameraControllerComponent.h"
#include "Graphics/Components/CameraMountComponent.h"
#include "Graphics/Components/CursorComponent.h"
#include "Graphics/GraphicsSystem.h"
#include "Math/Intersection.h"
#include "Math/MathUtils.h"
#include "Serializer/SerializerSystem.h"
#include <GL/glew.h>
#include <algorithm>
#include <cmath>

namespace Graphics
{
namespace System
{
CameraSystem* CameraSystem::s_instance = nullptr;

namespace
{
const char* const LogName = "CameraSystem";

GameObject* FindObject(u32 id)
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr ? factory->FindObject(id) : nullptr;
}

template <typename T> void Remove(std::vector<T*>& list, const GameObjectComponent* component)
{
    auto it = std::find(list.begin(), list.end(), component);
    if (it != list.end())
        list.erase(it);
}

bool HookScreenRay(f32 x, f32 y, Math::Ray3& ray)
{
    CameraSystem* cameras = CameraSystem::Instance();
    return cameras != nullptr && cameras->GetScreenRay(Math::Vector2(x, y), ray);
}

u32 HookCursorObjectId()
{
    CameraSystem* cameras = CameraSystem::Instance();
    return cameras != nullptr ? cameras->GetCursorObjectId() : 0u;
}

void SetMatrix(u32 program, const char* name, const Math::Matrix4& matrix, bool transpose)
{
    glUniformMatrix4fv(glGetUniformLocation(program, name), 1, transpose ? GL_TRUE : GL_FALSE,
                       matrix.m);
}
} // namespace

CameraSystem::CameraSystem() : m_active(nullptr), m_cursorObjectId(0), m_hooksInstalled(false)
{
    m_name = Name;
    s_instance = this;
}

CameraSystem::~CameraSystem()
{
    if (m_hooksInstalled)
        RemoveHooks();
    m_cameras.clear();
    m_controllers.clear();
    m_mounts.clear();
    m_others.clear();
    m_active = nullptr;
    m_defaultCamera.reset();
    if (s_instance == this)
        s_instance = nullptr;
}

void CameraSystem::Initialize(u32)
{
    m_defaultCamera = std::make_unique<CameraComponent>(false);
    // Listed first, like a camera that registered before all others.
    m_cameras.insert(m_cameras.begin(), m_defaultCamera.get());
    MakeSafe();
    m_defaultCamera->Update();
    if (m_active != nullptr)
    {
        m_active->Update();
        m_view = m_active->GetView();
        m_projection = m_active->GetProjection();
    }
    InstallHooks();
}

void CameraSystem::InstallHooks()
{
    Core::CoreServices& services = Core::Services();
    services.cursorObjectId.Install(&HookCursorObjectId);
    services.screenRay.Install(&HookScreenRay);
    m_hooksInstalled = true;
}

void CameraSystem::RemoveHooks()
{
    Core::CoreServices& services = Core::Services();
    services.cursorObjectId.Remove(&HookCursorObjectId);
    services.screenRay.Remove(&HookScreenRay);
    m_hooksInstalled = false;
}

void CameraSystem::Register(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    if (auto* camera = dynamic_cast<CameraComponent*>(component))
    {
        m_cameras.push_back(camera);
        if (m_active == nullptr)
            m_active = camera;
    }
    else if (auto* mount = dynamic_cast<CameraMountComponent*>(component))
        m_mounts.push_back(mount);
    else if (auto* controller = dynamic_cast<CameraControllerComponent*>(component))
        m_controllers.push_back(controller);
    else if (std::find(m_others.begin(), m_others.end(), component) == m_others.end())
        m_others.push_back(component);
}

void CameraSystem::Unregister(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    if (auto* camera = dynamic_cast<CameraComponent*>(component))
    {
        Remove(m_cameras, camera);
        // The view must always come from a camera that exists.
        if (m_active == camera)
            MakeSafe();
    }
    else if (auto* mount = dynamic_cast<CameraMountComponent*>(component))
        Remove(m_mounts, mount);
    else if (auto* controller = dynamic_cast<CameraControllerComponent*>(component))
        Remove(m_controllers, controller);
    else
        Remove(m_others, component);
}

void CameraSystem::MakeSafe()
{
    m_active = m_cameras.empty() ? nullptr : m_cameras.front();
}

void CameraSystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    // Type 36 (the camera's flag) has no message class and no sender: nothing to do.
    switch (message->type)
    {
    case CameraCycleMessage::Type:
        Cycle(static_cast<CameraCycleMessage*>(message)->next);
        break;
    case CameraMountMessage::Type:
    {
        const auto* mount = static_cast<CameraMountMessage*>(message);
        Mount(mount->firstObjectId, mount->secondObjectId);
        break;
    }
    case CameraShakeMessage::Type:
    {
        const auto* shake = static_cast<CameraShakeMessage*>(message);
        m_shake.magnitude = shake->magnitude;
        m_shake.timeLeft = shake->duration;
        m_shake.decayRate = shake->duration > 0.0f ? shake->magnitude / shake->duration : 0.0f;
        m_shake.decay = shake->fade;
        break;
    }
    case CameraSwitchMessage::Type:
        SwitchTo(static_cast<CameraSwitchMessage*>(message)->camera);
        break;
    default:
        break;
    }
}

void CameraSystem::Cycle(bool next)
{
    auto it = std::find(m_cameras.begin(), m_cameras.end(), m_active);
    if (it == m_cameras.end())
        return;
    const std::size_t count = m_cameras.size();
    const std::size_t index = static_cast<std::size_t>(it - m_cameras.begin());
    m_active = m_cameras[next ? (index + 1) % count : (index + count - 1) % count];
}

void CameraSystem::Mount(u32 objectId, u32 targetId)
{
    GameObject* object = FindObject(objectId);
    if (object == nullptr || FindObject(targetId) == nullptr)
        return;
    auto* mount = object->GetComponent<CameraMountComponent>();
    if (mount == nullptr)
    {
        GameObjectComponent* created =
            g_Engine->GetFactory()->CreateComponent(CameraMountComponent::GetTypeName());
        mount = dynamic_cast<CameraMountComponent*>(created);
        if (mount == nullptr)
        {
            Core::Log() << "Error [" << LogName << "]: no CameraMountComponent could be made for "
                        << objectId << '\n';
            g_Engine->GetFactory()->DestroyComponent(created);
            return;
        }
        object->AddComponent(mount);
    }
    if (!mount->AddTarget(targetId))
        Core::Log() << "Error [" << LogName << "]: the camera of " << objectId
                    << " already follows " << CameraMountComponent::MaxTargets << " objects; "
                    << targetId << " is not added\n";
}

void CameraSystem::SwitchTo(u32 objectId)
{
    // Every camera of the object in turn: the last one listed stays active.
    for (CameraComponent* camera : m_cameras)
    {
        if (camera->GetOwner() == objectId && objectId != 0)
            m_active = camera;
    }
}

void CameraSystem::StepShake(f32 seconds)
{
    if (!(m_shake.magnitude > 0.0f) || seconds == 0.0f || !(m_shake.timeLeft > 0.0f) ||
        m_active == nullptr)
        return;
    m_shake.angle += static_cast<f32>(Math::Rand() % ShakeAngleSpread + ShakeAngleBase);
    Math::Point4& centre = m_active->placement.centre;
    // The offset stays: the mounts pull the centre back.
    centre.x += std::sin(m_shake.angle) * m_shake.magnitude;
    centre.z += std::cos(m_shake.angle) * m_shake.magnitude;
    m_shake.timeLeft -= seconds;
    if (m_shake.decay)
        m_shake.magnitude -= m_shake.decayRate * seconds;
    if (m_shake.timeLeft <= 0.0f)
        m_shake.magnitude = 0.0f;
}

void CameraSystem::Update(f32 seconds)
{
    for (CameraMountComponent* mount : m_mounts)
        mount->Update(seconds);
    StepShake(seconds);
    for (CameraComponent* camera : m_cameras)
        camera->Update();
    if (m_active != nullptr)
    {
        m_view = m_active->GetView();
        m_projection = m_active->GetProjection();
    }
    UpdateCursor();
    for (CameraControllerComponent* controller : m_controllers)
        controller->Update(seconds);
}

void CameraSystem::UpdateCursor()
{
    CursorComponent* cursor = nullptr;
    for (GameObjectComponent* component : m_others)
    {
        cursor = dynamic_cast<CursorComponent*>(component);
        if (cursor != nullptr)
            break;
    }
    if (cursor == nullptr || m_active == nullptr)
        return;
    GetScreenRay(Core::System::InputSystem::GetCursorPosition(), cursor->ray);

    const Math::Plane viewPlane = GetViewPlane();
    Math::IntersectRay3Plane viewHit(cursor->ray, viewPlane);
    if (viewHit.Find() && viewHit.status == Math::Intersection::ONE_POINT)
        cursor->viewPoint = viewHit.GetPoint();
    GetGroundPoint(Core::System::InputSystem::GetCursorPosition(), cursor->groundPoint);

    GameObject* owner = FindObject(cursor->GetOwner());
    auto* transform = owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    if (transform != nullptr)
        transform->SetPosition(cursor->groundPoint.x,
                               cursor->groundPoint.y + CursorComponent::GroundLift,
                               cursor->groundPoint.z);
    // The cursor's heads-up form sits under the mouse: the view-plane point on the screen, in
    // reference units with y upwards, so that an element anchored bottom left follows the mouse
    // at any window size. The user-interface system owns the element.
    if (owner != nullptr)
    {
        const Math::Vector2 screen = WorldToScreen(cursor->viewPoint);
        const f32 height = static_cast<f32>(Core::WindowHeight());
        Core::Services().setHudElementPosition(owner->GetId(), screen.x / ReferenceWidth,
                                               (height - screen.y) / ReferenceHeight);
    }
}

bool CameraSystem::GetScreenRay(const Math::Vector2& pixel, Math::Ray3& ray) const
{
    if (m_active == nullptr)
        return false;
    const Math::Vector4 world = ScreenToWorld(pixel);
    const Math::Point4 eye = m_active->GetEye();
    ray = Math::Ray3(eye, Math::Vector4(world.x - eye.x, world.y - eye.y, world.z - eye.z, 0.0f));
    return true;
}

bool CameraSystem::GetGroundPoint(const Math::Vector2& pixel, Math::Point4& point) const
{
    Math::Ray3 ray;
    if (!GetScreenRay(pixel, ray))
        return false;
    const Math::Plane ground(0.0f, 1.0f, 0.0f, 0.0f);
    Math::IntersectRay3Plane groundHit(ray, ground);
    if (!groundHit.Find() || groundHit.status != Math::Intersection::ONE_POINT)
        return false;
    point = groundHit.GetPoint();
    return true;
}

Math::Point4 CameraSystem::GetActiveCameraEye() const
{
    return m_active != nullptr ? m_active->GetEye() : Math::Point4(0.0f, 0.0f, 0.0f, 1.0f);
}

Math::Point4 CameraSystem::GetCursorViewPoint() const
{
    for (GameObjectComponent* component : m_others)
    {
        if (auto* cursor = dynamic_cast<CursorComponent*>(component))
            return cursor->viewPoint;
    }
    return Math::Point4(0.0f, 0.0f, 0.0f, 1.0f);
}

Math::Point4 CameraSystem::GetCursorGroundPoint() const
{
    for (GameObjectComponent* component : m_others)
    {
        if (auto* cursor = dynamic_cast<CursorComponent*>(component))
            return cursor->groundPoint;
    }
    return Math::Point4(0.0f, 0.0f, 0.0f, 1.0f);
}

Math::Ray3 CameraSystem::GetCursorRay() const
{
    for (GameObjectComponent* component : m_others)
    {
        if (auto* cursor = dynamic_cast<CursorComponent*>(component))
            return cursor->ray;
    }
    return Math::Ray3();
}

Math::Plane CameraSystem::GetViewPlane() const
{
    if (m_active == nullptr)
        return Math::Plane();
    const Math::Vector4& look = m_active->look;
    const Math::Point4 eye = m_active->GetEye();
    const Math::Point4 point(eye.x + look.x * ViewPlaneDistance, eye.y + look.y * ViewPlaneDistance,
                             eye.z + look.z * ViewPlaneDistance, 1.0f);
    return Math::Plane(look, point);
}

Math::Matrix4 CameraSystem::ViewProjection(const Math::Matrix4& view,
                                           const Math::Matrix4& projection)
{
    // Stored in OpenGL's column order, each is the transpose of its mathematical matrix.
    Math::Matrix4 p;
    Math::Matrix4 v;
    projection.Transpose(p);
    view.Transpose(v);
    return p * v;
}

Math::Vector2 CameraSystem::WorldToScreen(const Math::Point4& point)
{
    if (m_active == nullptr)
        return Math::Vector2(0.0f, 0.0f);
    m_active->Update();
    const Math::Matrix4 pv = ViewProjection(m_active->GetView(), m_active->GetProjection());
    Math::Vector4 clip = pv * Math::Vector4(point.x, point.y, point.z, point.w);
    if (clip.w != 0.0f)
    {
        clip.x /= clip.w;
        clip.y /= clip.w;
    }
    const f32 width = static_cast<f32>(Core::WindowWidth());
    const f32 height = static_cast<f32>(Core::WindowHeight());
    return Math::Vector2(std::round((clip.x + 1.0f) / 2.0f * width),
                         std::round((1.0f - clip.y) / 2.0f * height));
}

Math::Vector4 CameraSystem::ScreenToWorld(const Math::Vector2& pixel) const
{
    const f32 width = static_cast<f32>(Core::WindowWidth());
    const f32 height = static_cast<f32>(Core::WindowHeight());
    const Math::Vector4 ndc(2.0f * pixel.x / width - 1.0f, 1.0f - 2.0f * pixel.y / height, -1.0f,
                            1.0f);
    Math::Matrix4 inverse;
    ViewProjection(m_view, m_projection).Inverse(inverse, InverseTolerance);
    Math::Vector4 world = inverse * ndc;
    if (world.w != 0.0f && !std::isnan(world.w))
    {
        world.x /= world.w;
        world.y /= world.w;
        world.z /= world.w;
        world.w = 1.0f;
    }
    return world;
}

void CameraSystem::SetProjectionUniform(u32 program) const
{
    SetMatrix(program, "ProjectionMatrix", m_projection, false);
}

void CameraSystem::SetViewUniforms(u32 program) const
{
    SetMatrix(program, "ViewMatrix", m_view, false);
    SetMatrix(program, "CameraOrientation", m_view, true);
    Math::Matrix4 inverse;
    m_view.Inverse(inverse, InverseTolerance);
    SetMatrix(program, "ViewInverse", inverse, false);
    if (m_active == nullptr)
        return;
    const Math::Point4 eye = m_active->GetEye();
    glUniform4f(glGetUniformLocation(program, "CameraWorld"), eye.x, eye.y, eye.z, eye.w);
    glUniform1f(glGetUniformLocation(program, "Near"), m_active->nearFar.x);
    glUniform1f(glGetUniformLocation(program, "Far"), m_active->nearFar.y);
    glUniform1f(glGetUniformLocation(program, "Width"), m_active->viewport.x);
    glUniform1f(glGetUniformLocation(program, "Height"), m_active->viewport.y);
}

void CameraSystem::OnWindowResize(int width, int height)
{
    const int currentWidth = Core::WindowWidth();
    const int currentHeight = Core::WindowHeight();
    for (CameraComponent* camera : m_cameras)
    {
        if (static_cast<int>(camera->viewport.x) == currentWidth &&
            static_cast<int>(camera->viewport.y) == currentHeight)
            camera->viewport = Math::Vector2(static_cast<f32>(width), static_cast<f32>(height));
    }
}

u32 CameraSystem::CreateCursor()
{
    // There is one cursor for the whole game: a state script that forgot the id it was given (its
    // globals lost to a reload) gets the same object again instead of a second one.
    GameFactory* factory = Engine::Factory();
    if (m_cursorObjectId != 0 && factory != nullptr &&
        factory->FindObject(m_cursorObjectId) != nullptr)
        return m_cursorObjectId;
    const u32 id = GenerateIdLocked();
    m_cursorObjectId = id;
    if (::Serializer::System::SerializerSystem::CreateObject(GetId(), CursorDefinition, id) ==
        nullptr)
        Core::Log() << "Error [" << LogName << "]: the cursor object '" << CursorDefinition
                    << "' could not be made\n";
    return id;
}
} // namespace System
} // namespace Graphics
