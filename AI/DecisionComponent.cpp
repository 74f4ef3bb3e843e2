#include "AI/DecisionComponent.h"
#include "AI/AISystem.h"
#include "AI/WorldStateComponent.h"
#include "Core/Reflection/MemberTable.h"
#include "Scripting/LuaComponent.h"
#include <utility>

QUILL_DEFINE_TYPE_RECORD(AI::DecisionComponent, &TypeRecordOf<AI::AIComponent>(), false)

namespace AI
{
namespace
{
constexpr u32 PlaceholderId = 0;
constexpr f32 PlaceholderPriority = -1.0f;
} // namespace

DecisionComponent::TargetQueue::TargetQueue() : m_next(1)
{
    m_slots.fill(Slot{PlaceholderId, PlaceholderPriority});
}

bool DecisionComponent::TargetQueue::Push(u32 objectId, f32 priority)
{
    if (m_next > QueueCapacity)
        return false;
    m_slots[m_next] = Slot{objectId, priority};
    SiftUp(m_next);
    ++m_next;
    return true;
}

u32 DecisionComponent::TargetQueue::Pop()
{
    if (m_next <= 1)
        return PlaceholderId;
    const u32 last = m_next - 1;
    std::swap(m_slots[1], m_slots[last]);
    m_next = last;
    SiftDown(1);
    return m_slots[last].objectId;
}

void DecisionComponent::TargetQueue::SiftUp(u32 slot)
{
    // Equal priorities move up.
    while (slot >= 2 && !(m_slots[slot].priority > m_slots[slot / 2].priority))
    {
        std::swap(m_slots[slot], m_slots[slot / 2]);
        slot /= 2;
    }
}

void DecisionComponent::TargetQueue::SiftDown(u32 slot)
{
    // Used slots are 1 .. m_next - 1.
    while (2 * slot < m_next)
    {
        u32 child = 2 * slot;
        if (child + 1 < m_next && m_slots[child + 1].priority < m_slots[child].priority)
            ++child;
        if (!(m_slots[slot].priority > m_slots[child].priority))
            return;
        std::swap(m_slots[slot], m_slots[child]);
        slot = child;
    }
}

DecisionComponent::DecisionComponent()
    : m_firstSetting(0.0f), m_secondSetting(0.0f), m_flag(false), m_targets{}, m_script(nullptr),
      m_foundEntry(false)
{
    // Not joined to the AI system: nothing updates a decision maker on its own.
    ResetQueues();
}

DecisionComponent::~DecisionComponent()
{
    DestroyScript();
}

void DecisionComponent::Shutdown()
{
    DestroyScript();
}

void DecisionComponent::DestroyScript()
{
    if (m_script == nullptr)
        return;
    Scripting::LuaComponent::Destroy(m_script);
    m_script = nullptr;
}

const MemberTable<DecisionComponent>& DecisionComponent::Members()
{
    using namespace MemberFlag;
    // Once the file is read, the decision script is made afresh.
    static constexpr void (*MakeScript)(DecisionComponent&) = [](DecisionComponent& decision)
    {
        decision.DestroyScript();
        // A file that cannot be loaded is reported by the script component, which is kept.
        decision.m_script =
            Scripting::LuaComponent::CreateLoaded(decision.m_scriptFile, decision.m_scriptFile,
                                                  Scripting::LuaComponent::FailedLoad::Keep);
    };
    QUILL_LINKED_MEMBER_TABLE(table, DecisionComponent, ReadRule::ByPosition,
                              MemberLinks<DecisionComponent>{}.AfterRead(MakeScript),
                              QUILL_MEMBER(DecisionComponent, m_firstSetting, Written).Tag(""),
                              QUILL_MEMBER(DecisionComponent, m_secondSetting, Written).Tag(""),
                              QUILL_MEMBER(DecisionComponent, m_flag, Written).Tag(""),
                              QUILL_MEMBER(DecisionComponent, m_scriptFile, Written).Tag(""));
    return table;
}

void DecisionComponent::Deserialize(Serializer::XmlReader& reader)
{
    // A file left out names no script.
    m_scriptFile.clear();
    ReadMembers(reader, *this, Members());
}

void DecisionComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void DecisionComponent::Update(f32)
{
    System::AISystem* system = System::AISystem::Instance();
    const WorldStateComponent* world = system != nullptr ? system->GetWorldState() : nullptr;
    const WorldStateEntry* own = world != nullptr ? world->Find(m_owner) : nullptr;
    m_foundEntry = own != nullptr;
    if (own == nullptr)
        return;
    // The weighing is the script's to come; for now every entry is only tested.
    u32 hostile = 0;
    for (const WorldStateEntry& entry : world->GetEntries())
        hostile += own->IsHostileTo(entry) ? 1u : 0u;
    static_cast<void>(hostile);
    for (std::size_t i = 0; i < QueueCount; ++i)
        m_targets[i] = m_queues[i].Pop();
    ResetQueues();
}

void DecisionComponent::ResetQueues()
{
    for (TargetQueue& queue : m_queues)
    {
        queue.Clear();
        queue.Push(PlaceholderId, PlaceholderPriority);
    }
}
} // namespace AI
