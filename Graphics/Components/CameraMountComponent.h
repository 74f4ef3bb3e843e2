#pragma once
// Makes the camera of its object frame a set of objects: each camera-system update eases the
// placement's centre toward the middle of their box in the ground plane (x and z) and the
// radius toward 1.5 times the box's larger side, held within 20 and 100 (the ease goes at most
// the whole way in one update, however long the frame). Targets are object ids looked up on
// every update, so one that is gone is skipped. While no AI controller exists the AI spawners'
// objects draw the middle toward theirs, by at most 0.4 times the radius, so that the side the
// next wave comes from is in view, but leave the radius alone: the camera stays at the distance
// its targets are fought at (the level opens so, before the first enemy comes). A
// CameraMountMessage makes one when the object has none; nothing is read from XML.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include <string>
#include <vector>

namespace Graphics
{
class CameraMountComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "CameraSystem";
    static constexpr u32 MaxTargets = 16;
    // Spawners framed at most while no enemy lives.
    static constexpr u32 MaxFramedSpawners = 64;
    // How fast the framing follows: this many times the frame time per update.
    static constexpr f32 EaseRate = 3.0f;
    static constexpr f32 ExtentFactor = 1.5f;
    static constexpr f32 MinExtent = 20.0f;
    static constexpr f32 MaxExtent = 100.0f;
    // How far idle spawners draw the middle, at most, in radii.
    static constexpr f32 SpawnerPull = 0.4f;

    CameraMountComponent();
    CameraMountComponent(const CameraMountComponent&) = delete;
    CameraMountComponent& operator=(const CameraMountComponent&) = delete;
    ~CameraMountComponent() override;

    QUILL_COMPONENT_TYPE(CameraMountComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader&) override {}
    void Serialize(Serializer::XmlWriter&) override {}

    // False (nothing added) beyond MaxTargets.
    bool AddTarget(u32 objectId);
    const std::vector<u32>& GetTargets() const { return m_targets; }
    // Eases the owner's camera toward framing the targets.
    void Update(f32 seconds);

private:
    std::vector<u32> m_targets;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::CameraMountComponent)
