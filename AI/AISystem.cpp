#include "AI/AISystem.h"
#include "AI/AIComponent.h"
#include "AI/AIControllerComponent.h"
#include "AI/Behaviors/BehaviorComponent.h"
#include "AI/Spawning/AISpawnComponent.h"
#include "AI/Spawning/SpawnChildrenComponent.h"
#include "AI/WorldStateComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/KillAIMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Messages/PostNew.h"
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/LogicComponent.h"
#include "Logic/LogicServices.h"
#include "Logic/LogicSystem.h"
#include <algorithm>

namespace AI
{
namespace System
{
AISystem* AISystem::s_instance = nullptr;

namespace
{
constexpr u32 NoTarget = 0;

u32 HookControllerCount()
{
    AISystem* system = AISystem::Instance();
    return system != nullptr ? static_cast<u32>(system->GetAIControllers().size()) : 0;
}

void HookSetControllerTargets(u32 targetObjectId)
{
    if (AISystem* system = AISystem::Instance())
    {
        for (AIControllerComponent* controller : system->GetAIControllers())
            controller->SetTarget(targetObjectId);
    }
}

u32 HookIdleSpawnerPositions(f32* xz, u32 capacity)
{
    AISystem* system = AISystem::Instance();
    GameFactory* factory = Engine::Factory();
    if (system == nullptr || factory == nullptr || !system->GetAIControllers().empty())
        return 0;
    u32 written = 0;
    for (const AISpawnComponent* spawner : system->GetSpawners())
    {
        if (written == capacity)
            break;
        const GameObject* object = factory->FindObject(spawner->GetOwner());
        const auto* transform =
            object != nullptr ? object->GetComponent<TransformComponent>() : nullptr;
        if (transform == nullptr)
            continue;
        xz[2 * written] = transform->GetPosition().x;
        xz[2 * written + 1] = transform->GetPosition().z;
        ++written;
    }
    return written;
}

bool HookSpawnOnHealth(GameObjectComponent& spawner, f32 healthFraction)
{
    auto* children = dynamic_cast<SpawnChildrenComponent*>(&spawner);
    return children != nullptr && children->SpawnOnHealth(healthFraction);
}
} // namespace

AISystem::AISystem() : m_cleared(0), m_walkDepth(0), m_playersSource(nullptr), m_playersVersion(0)
{
    m_name = "AISystem";
    m_players.reserve(Logic::System::LogicSystem::PlayerControllerReserve);
    s_instance = this;
    InstallHooks();
}

AISystem::~AISystem()
{
    RemoveHooks();
    if (m_worldState != nullptr)
        m_worldState->Shutdown();
    m_worldState.reset();
    if (s_instance == this)
        s_instance = nullptr;
}

void AISystem::InstallHooks()
{
    Logic::LogicServices& logic = Logic::Services();
    logic.aiControllerCount.Install(&HookControllerCount);
    logic.setAIControllerTargets.Install(&HookSetControllerTargets);
    logic.spawnOnHealth.Install(&HookSpawnOnHealth);
    Core::Services().idleSpawnerPositions.Install(&HookIdleSpawnerPositions);
}

void AISystem::RemoveHooks()
{
    Logic::LogicServices& logic = Logic::Services();
    logic.aiControllerCount.Remove(&HookControllerCount);
    logic.setAIControllerTargets.Remove(&HookSetControllerTargets);
    logic.spawnOnHealth.Remove(&HookSpawnOnHealth);
    Core::Services().idleSpawnerPositions.Remove(&HookIdleSpawnerPositions);
}

void AISystem::Initialize(u32)
{
    if (m_worldState == nullptr)
        m_worldState = std::make_unique<WorldStateComponent>();
}

void AISystem::Update(f32 seconds)
{
    ++m_walkDepth;
    // By index and re-reading the size: components that join during the walk are visited.
    for (std::size_t i = 0; i < m_updating.size(); ++i)
    {
        // A copy: a component joining during the call may move the list.
        const Entry entry = m_updating[i];
        if (entry.ai != nullptr)
            entry.ai->Update(seconds);
        else if (entry.controller != nullptr)
            entry.controller->Update(seconds);
    }
    if (--m_walkDepth == 0 && m_cleared != 0)
        Compact();
    RefreshWorldState();
}

void AISystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    if (message->type == KillAIMessage::Type)
    {
        KillAll();
        return;
    }
    ++m_walkDepth;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
    {
        if (GameObjectComponent* component = m_entries[i].component)
            component->HandleMessage(message);
    }
    if (--m_walkDepth == 0 && m_cleared != 0)
        Compact();
}

void AISystem::Register(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    auto* ai = dynamic_cast<AIComponent*>(component);
    auto* controller = dynamic_cast<AIControllerComponent*>(component);
    if (ai == nullptr && controller == nullptr)
        return;
    const bool updates = dynamic_cast<BehaviorComponent*>(component) == nullptr;
    // Listed once: a second registration of the same component changes nothing.
    if (!m_entrySlots.emplace(component, m_entries.size()).second)
        return;
    auto* spawner = dynamic_cast<AISpawnComponent*>(component);
    const Entry entry{component, ai,     controller, HashTypeName(component->GetName().c_str()),
                      updates,   spawner};
    m_entries.push_back(entry);
    if (updates)
    {
        m_updatingSlots.emplace(component, m_updating.size());
        m_updating.push_back(entry);
    }
    if (controller != nullptr)
        m_controllers.Add(controller);
    if (spawner != nullptr)
        m_spawners.Add(spawner);
}

void AISystem::Unregister(GameObjectComponent* component)
{
    // By address only: a component leaving from its destructor can no longer answer virtuals;
    // the pointers of its other faces were kept in its entry.
    const auto slot = m_entrySlots.find(component);
    if (slot == m_entrySlots.end())
        return;
    Entry& entry = m_entries[slot->second];
    if (entry.controller != nullptr)
        m_controllers.Remove(entry.controller);
    if (entry.spawner != nullptr)
        m_spawners.Remove(entry.spawner);
    // Positions stay (a walk may be under way): the places are cleared and compacted later.
    entry = Entry{nullptr, nullptr, nullptr, 0, false, nullptr};
    ++m_cleared;
    m_entrySlots.erase(slot);
    const auto updating = m_updatingSlots.find(component);
    if (updating != m_updatingSlots.end())
    {
        m_updating[updating->second] = Entry{nullptr, nullptr, nullptr, 0, false, nullptr};
        m_updatingSlots.erase(updating);
    }
    if (m_walkDepth == 0 && m_cleared * 2 > m_entries.size())
        Compact();
}

void AISystem::Compact()
{
    const auto isCleared = [](const Entry& entry) { return entry.component == nullptr; };
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), isCleared), m_entries.end());
    m_updating.erase(std::remove_if(m_updating.begin(), m_updating.end(), isCleared),
                     m_updating.end());
    m_cleared = 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        m_entrySlots[m_entries[i].component] = i;
    for (std::size_t i = 0; i < m_updating.size(); ++i)
        m_updatingSlots[m_updating[i].component] = i;
}

void AISystem::KillAll()
{
    m_killed.clear();
    auto destroy = [this](u32 objectId)
    {
        if (objectId == 0 ||
            std::find(m_killed.begin(), m_killed.end(), objectId) != m_killed.end())
            return;
        m_killed.push_back(objectId);
        if (g_Engine != nullptr)
            Core::PostNew<ObjectDestroyMessage>(GetName().c_str(), 0.0f, m_id, objectId, NoTarget);
    };
    for (const AIControllerComponent* controller : m_controllers)
        destroy(controller->GetOwner());
    for (const AISpawnComponent* spawner : m_spawners)
        destroy(spawner->GetOwner());
}

std::vector<GameObjectComponent*> AISystem::GetComponentsOfType(u32 typeId) const
{
    std::vector<GameObjectComponent*> found;
    for (const Entry& entry : m_entries)
    {
        if (entry.component != nullptr && entry.nameHash == typeId)
            found.push_back(entry.component);
    }
    return found;
}

const std::vector<Logic::SimpleControllerComponent*>& AISystem::GatherPlayerControllers()
{
    Logic::System::LogicSystem* logic = Logic::System::LogicSystem::Instance();
    // The same logic system with the same components: the players gathered last are current.
    if (logic != nullptr && logic == m_playersSource && logic->GetListVersion() == m_playersVersion)
        return m_players;
    m_players.clear();
    m_playersSource = logic;
    m_playersVersion = logic != nullptr ? logic->GetListVersion() : 0;
    if (logic != nullptr)
    {
        // The family's id first: a cast of every logic component costs more than the rest of
        // the frame.
        const u32 controllerFamily = ComponentTypeId<Logic::ControllerComponent>();
        for (Logic::LogicComponent* entry : logic->GetEntries())
        {
            if (entry == nullptr || entry->GetType() != controllerFamily)
                continue;
            if (auto* player = dynamic_cast<Logic::SimpleControllerComponent*>(entry))
                m_players.push_back(player);
        }
    }
    return m_players;
}

void AISystem::RefreshWorldState()
{
    if (m_worldState == nullptr)
        return;
    m_worldState->RemoveGone();
    const auto& players = GatherPlayerControllers();
    // The usual frame: every controller's character is tracked already.
    if (players.size() + m_controllers.size() == m_worldState->GetEntries().size())
        return;
    for (const Logic::SimpleControllerComponent* player : players)
        m_worldState->AddIfMissing(player->GetOwner());
    for (const AIControllerComponent* controller : m_controllers)
        m_worldState->AddIfMissing(controller->GetOwner());
}
} // namespace System
} // namespace AI
