#pragma once
// Lets an object carry other objects (a sword, a health bar, a camera rig) that follow it: each
// mounted object's creator is the carrier and its transform composes its matrices with the
// carrier's (updateRelativeToCreator). Mounts are created from the component's own element or
// by message, detached in place or destroyed on request, and destroyed with the component.
//
// XML: one element per mount, named after the mounted object's archetype; an element with
// children is an inline definition, an empty one names a definition file. Each may be followed
// by "position", "orientation" and "scale" elements (optional, in this order), read into the
// mounted object's transform as an offset from the carrier.
//
// Messages: 6 creates and mounts an object at an offset; 7 removes one mount (by id, or the
// first of an archetype) and detaches or destroys it; light messages (54, 55, 56) and particle
// messages (57, 90) are handed to every mounted object.
//
// Mounts are kept by object id; a mount whose object is gone is passed over. Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/Point4.h"
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

class GameFactory;
class GameObject;

class ObjectMountsComponent : public GameObjectComponent
{
public:
    ObjectMountsComponent();
    // Owner and component id and the mount list of the source (the record's copy: the copy
    // destroys nothing unless it is shut down).
    ObjectMountsComponent(const ObjectMountsComponent& source) = default;
    ObjectMountsComponent& operator=(const ObjectMountsComponent& source) = default;
    // Hands its list's storage to the carriers made next.
    ~ObjectMountsComponent() override;

    QUILL_COMPONENT_TYPE(ObjectMountsComponent)
    // Construct, destroy and assign operations of the type record; no reflected members.
    static void RegisterMembers();

    // Destroys every mounted object at once.
    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message* message) override;

    // The id of the first mounted object (in mount order) whose name is exactly `name`; 0 when
    // there is none.
    u32 FindMountByName(std::string_view name) const;
    const std::vector<u32>& GetMounts() const { return m_mounts; }

    // Takes the object off its carrier where it stands: its transform gets the world position
    // and orientation it is drawn with and stops following (shared by the bone mounts).
    static void DetachInPlace(GameObject& mount);

    // Takes the first id of `carrier`'s `mounts` that `matches` off the list, then has its object
    // destroyed (posted, and logged if it cannot be, under the carrier's name) or detached in
    // place; nothing when no id matches. Shared by the bone mounts, which match by a rule of their
    // own.
    template <typename Matches>
    static void RemoveFirstMount(const GameObjectComponent& carrier, std::vector<u32>& mounts,
                                 GameFactory& factory, Matches matches, bool destroy)
    {
        const auto match = std::find_if(mounts.begin(), mounts.end(), matches);
        if (match != mounts.end())
            TakeOffMount(carrier, mounts, match, factory, destroy);
    }

private:
    void CreateMount(u32 objectId, const std::string& archetype, const Math::Point4& offset,
                     u32 senderId, u32 creatingScriptId);
    void RemoveMount(u32 objectId, const std::string& archetype, bool destroy);
    static void TakeOffMount(const GameObjectComponent& carrier, std::vector<u32>& mounts,
                             std::vector<u32>::iterator match, GameFactory& factory, bool destroy);

    std::vector<u32> m_mounts; // mounted object ids, in mount order
};

QUILL_DECLARE_TYPE_RECORD(ObjectMountsComponent)
