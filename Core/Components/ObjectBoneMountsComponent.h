#pragma once
// Pins objects to one bone of the carrier's animated model. The graphics system drives the
// registered components in each rendering update: when the carrier's animation controller has
// more bones than the bone index, it hands the bone's world position to FollowBone.
//
// XML: the first element, whatever its tag, is the bone index ("boneIndex" when written); each
// following element names a mounted object's archetype (with children: an inline definition).
//
// Messages: 8 creates an object and pins it to this component's bone (the message's bone index
// is not used; the sender becomes the mount's creator); 9 removes one mount, by id or by the
// first of an archetype, when its bone index is -1 or this component's, and detaches it in
// place or destroys it.
//
// Mounts are kept by object id; a mount whose object is gone is passed over. Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Point4.h"
#include <string>
#include <vector>

template <typename Owner> struct MemberTable;

class ObjectBoneMountsComponent : public GameObjectComponent
{
public:
    // The system that moves the mounts, found by this name; it may not exist.
    static constexpr const char* SystemName = "GraphicsSystem";

    // Bone 0, no mounts; registered with the graphics system when there is one.
    ObjectBoneMountsComponent();
    ObjectBoneMountsComponent(const ObjectBoneMountsComponent&) = delete;
    ObjectBoneMountsComponent& operator=(const ObjectBoneMountsComponent&) = delete;
    // Leaves the graphics system.
    ~ObjectBoneMountsComponent() override;

    QUILL_COMPONENT_TYPE(ObjectBoneMountsComponent)
    // The written members: the bone index, first and by position. The mounts that follow it are
    // objects of their own and are read by Deserialize.
    static const MemberTable<ObjectBoneMountsComponent>& Members();

    // Leaves the graphics system and destroys every mounted object at once.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    // Writes the bone index; the mounted objects are saved as objects of their own.
    void Serialize(Serializer::XmlWriter& writer) override;
    void HandleMessage(Message* message) override;

    // Puts every mounted object at the bone's world position; orientation and scale stay.
    void FollowBone(const Math::Point4& boneWorldPosition);

    u32 GetBoneIndex() const { return m_boneIndex; }
    void SetBoneIndex(u32 boneIndex) { m_boneIndex = boneIndex; }
    const std::vector<u32>& GetMounts() const { return m_mounts; }

private:
    void RemoveMount(u32 objectId, const std::string& archetype, bool destroy);

    u32 m_boneIndex;
    std::vector<u32> m_mounts; // mounted object ids, in mount order
};

QUILL_DECLARE_TYPE_RECORD(ObjectBoneMountsComponent)
