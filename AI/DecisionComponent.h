#pragma once
// The frame of a script-driven decision maker for an AI character: it owns one script, finds
// its character's world-state entry and keeps three priority queues of candidate targets, from
// each of which it takes one target per update. It ranks nothing yet: each queue holds only a
// placeholder (id 0), so every current target is 0 after an update. It does not join the AI
// system; whoever wants it to decide calls Update.
//
// The entry is looked up by the owner's id on every update, since the world state moves
// entries when others leave.
//
// Written form: two settings (unnamed floats) and a flag (an unnamed bool), kept for the
// decision script, then the script file name relative to "assets/Scripts/" (an unnamed
// string). Reading again replaces the script.
#include "AI/AIComponent.h"
#include "Core/Objects/ComponentTypeId.h"
#include <array>
#include <string>

template <typename Owner> struct MemberTable;

namespace Scripting
{
class LuaComponent;
}

namespace AI
{
class DecisionComponent : public AIComponent
{
public:
    static constexpr std::size_t QueueCount = 3;
    // Usable slots per queue; slot 0 is left unused so a parent is at i / 2.
    static constexpr u32 QueueCapacity = 250;

    DecisionComponent();
    ~DecisionComponent() override;

    QUILL_COMPONENT_TYPE(DecisionComponent)
    // Destroys the script.
    void Shutdown() override;
    // The members in written order: two settings, the flag, the script file.
    static const MemberTable<DecisionComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    // Finds the own entry; when there is one, weighs every entry against it, takes one target
    // from each queue and refills the queues with the placeholder.
    void Update(f32 seconds) override;

    u32 GetCurrentTarget(std::size_t queue) const { return m_targets[queue]; }
    // True when the last update found this character's entry.
    bool FoundOwnEntry() const { return m_foundEntry; }
    const Scripting::LuaComponent* GetScript() const { return m_script; }

    // A queue of (object id, priority), the smallest priority on top.
    class TargetQueue
    {
    public:
        TargetQueue();
        // False (nothing added) when full.
        bool Push(u32 objectId, f32 priority);
        // The top id, removed; 0 when empty.
        u32 Pop();
        void Clear() { m_next = 1; }
        u32 GetSize() const { return m_next - 1; }

    private:
        struct Slot
        {
            u32 objectId;
            f32 priority;
        };
        void SiftUp(u32 slot);
        void SiftDown(u32 slot);

        std::array<Slot, QueueCapacity + 1> m_slots;
        u32 m_next; // the first free slot
    };

private:
    // Every queue emptied and given the placeholder.
    void ResetQueues();
    void DestroyScript();

    f32 m_firstSetting;
    f32 m_secondSetting;
    bool m_flag;
    std::array<u32, QueueCount> m_targets;
    std::array<TargetQueue, QueueCount> m_queues;
    std::string m_scriptFile;
    Scripting::LuaComponent* m_script; // owned
    bool m_foundEntry;
};
} // namespace AI

QUILL_DECLARE_TYPE_RECORD(AI::DecisionComponent)
