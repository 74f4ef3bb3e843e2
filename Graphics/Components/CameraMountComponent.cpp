#include "Graphics/Components/CameraMountComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Components/CameraComponent.h"
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Graphics::CameraMountComponent, &TypeRecordOf<GameObjectComponent>(),
                         false)

namespace Graphics
{
CameraMountComponent::CameraMountComponent() : GameObjectComponent(true)
{
    Core::RegisterWithSystem(SystemName, this);
}

CameraMountComponent::~CameraMountComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void CameraMountComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

bool CameraMountComponent::AddTarget(u32 objectId)
{
    if (m_targets.size() >= MaxTargets)
        return false;
    m_targets.push_back(objectId);
    return true;
}

void CameraMountComponent::Update(f32 seconds)
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
        return;
    const GameObject* owner = factory->FindObject(m_owner);
    CameraComponent* camera = owner != nullptr ? owner->GetComponent<CameraComponent>() : nullptr;
    if (camera == nullptr)
        return;
    // The boxes start inside out, so with no target a middle is 0 and the sides negative.
    f32 minX = FLT_MAX;
    f32 minZ = FLT_MAX;
    f32 maxX = -FLT_MAX;
    f32 maxZ = -FLT_MAX;
    for (u32 id : m_targets)
    {
        const GameObject* target = factory->FindObject(id);
        const auto* transform =
            target != nullptr ? target->GetComponent<TransformComponent>() : nullptr;
        if (transform == nullptr)
            continue;
        const Math::Point4& position = transform->GetPosition();
        minX = std::min(minX, position.x);
        maxX = std::max(maxX, position.x);
        minZ = std::min(minZ, position.z);
        maxZ = std::max(maxZ, position.z);
    }
    // The distance comes from the targets alone: a fight is played at it, and the level opens
    // at it too, while the first wave's spawners stand far apart.
    f32 extent = std::max(maxZ - minZ, maxX - minX) * ExtentFactor;
    extent = std::max(std::min(extent, MaxExtent), MinExtent);
    // Halves first: the sum of the two bounds of an empty box would overflow.
    f32 middleX = minX / 2.0f + maxX / 2.0f;
    f32 middleZ = minZ / 2.0f + maxZ / 2.0f;
    // While no enemy lives, the spawners about to send the next wave draw the middle toward
    // them, at most SpawnerPull x the distance, so that the targets stay in view.
    std::array<f32, 2 * MaxFramedSpawners> spawners;
    const u32 spawnerCount =
        std::min(Core::Services().idleSpawnerPositions(spawners.data(), MaxFramedSpawners),
                 MaxFramedSpawners);
    for (u32 i = 0; i < spawnerCount; ++i)
    {
        minX = std::min(minX, spawners[2 * i]);
        maxX = std::max(maxX, spawners[2 * i]);
        minZ = std::min(minZ, spawners[2 * i + 1]);
        maxZ = std::max(maxZ, spawners[2 * i + 1]);
    }
    if (spawnerCount > 0)
    {
        const f32 pullX = minX / 2.0f + maxX / 2.0f - middleX;
        const f32 pullZ = minZ / 2.0f + maxZ / 2.0f - middleZ;
        const f32 pull = std::sqrt(pullX * pullX + pullZ * pullZ);
        const f32 reach = SpawnerPull * extent;
        const f32 share = pull > reach ? reach / pull : 1.0f;
        middleX += pullX * share;
        middleZ += pullZ * share;
    }
    // A frame longer than 1 / EaseRate s goes the whole way, never beyond it.
    const f32 k = std::min(EaseRate * seconds, 1.0f);
    Math::Point4& centre = camera->placement.centre;
    centre.x += (middleX - centre.x) * k;
    centre.z += (middleZ - centre.z) * k;
    camera->placement.AddRadius((extent - camera->placement.radius) * k);
}
} // namespace Graphics
