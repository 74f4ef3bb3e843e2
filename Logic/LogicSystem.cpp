#include "Logic/LogicSystem.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/EffectComponent.h"
#include "Logic/Effects/FloatingTextEffectComponent.h"
#include "Logic/LogicComponent.h"
#include "Logic/Stances/StanceComponent.h"
#include "Physics/PhysicsServices.h"
#include <algorithm>
#include <string_view>

namespace Logic
{
namespace System
{
LogicSystem* LogicSystem::s_instance = nullptr;

namespace
{
constexpr const char* FloatingTextType = "FloatingTextEffectComponent";
constexpr const char* PlayerControllerName = "SimpleControllerComponent";
// A floating text starts at twice full alpha, so it stays opaque for the first half of its
// time before it fades out.
constexpr f32 TextStartAlpha = 2.0f;
constexpr f32 TextAlphaRateFactor = 2.0f;

// A list number never handed out before, by any logic system (main thread only).
u64 NextListVersion()
{
    static u64 s_lastListVersion = 0;
    return ++s_lastListVersion;
}

GameFactory* Factory()
{
    return Engine::Factory();
}

// A component of the named type from the factory, or null (logged) when the factory does not
// make that type or has no room left. The name is a view: a floating text is made for every hit,
// and its type's name is longer than a string keeps without the heap.
GameObjectComponent* CreateByName(std::string_view typeName, const char* purpose)
{
    GameFactory* factory = Factory();
    GameObjectComponent* component = nullptr;
    try
    {
        component = factory != nullptr ? factory->CreateComponent(typeName) : nullptr;
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Error [LogicSystem]: no room for a " << typeName << " (" << purpose
                    << "): " << exception.what() << '\n';
        return nullptr;
    }
    if (component == nullptr)
        Core::Log() << "Error [LogicSystem]: the component factory makes no " << typeName << " ("
                    << purpose << "), nothing is created\n";
    return component;
}

// 1 when the object carries a triggered stance of that kind, else 0 (also without the object).
u32 StanceState(u32 objectId, const char* kind)
{
    GameFactory* factory = Factory();
    const GameObject* object = factory != nullptr ? factory->FindObject(objectId) : nullptr;
    if (object == nullptr)
        return 0;
    for (GameObjectComponent* component : object->GetComponents(ComponentTypeId<StanceComponent>()))
    {
        const auto* stance = dynamic_cast<const StanceComponent*>(component);
        if (stance != nullptr && stance->GetName() == kind && stance->IsTriggered())
            return 1;
    }
    return 0;
}

u32 HookBeaconStanceState(u32 objectId)
{
    return StanceState(objectId, "BeaconStanceComponent");
}

u32 HookArcherStanceState(u32 objectId)
{
    return StanceState(objectId, "ArcherStanceComponent");
}

} // namespace

LogicSystem::LogicSystem() : m_cleared(0), m_walkDepth(0), m_listVersion(NextListVersion())
{
    m_name = "LogicSystem";
    s_instance = this;
    InstallHooks();
}

LogicSystem::~LogicSystem()
{
    RemoveHooks();
    if (s_instance == this)
        s_instance = nullptr;
}

void LogicSystem::InstallHooks()
{
    Physics::Services().beaconStanceState.Install(&HookBeaconStanceState);
    Physics::Services().archerStanceState.Install(&HookArcherStanceState);
}

void LogicSystem::RemoveHooks()
{
    Physics::Services().beaconStanceState.Remove(&HookBeaconStanceState);
    Physics::Services().archerStanceState.Remove(&HookArcherStanceState);
}

void LogicSystem::Update(f32 seconds)
{
    ++m_walkDepth;
    // By index and re-reading the size: components appended during the walk are visited.
    for (std::size_t i = 0; i < m_entries.size(); ++i)
    {
        if (LogicComponent* component = m_entries[i])
            component->Update(seconds);
    }
    if (--m_walkDepth == 0 && m_cleared != 0)
        Compact();
}

void LogicSystem::HandleMessage(Message* message)
{
    ++m_walkDepth;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
    {
        if (LogicComponent* component = m_entries[i])
            component->HandleMessage(message);
    }
    if (--m_walkDepth == 0 && m_cleared != 0)
        Compact();
}

void LogicSystem::Register(GameObjectComponent* component)
{
    if (auto* logic = dynamic_cast<LogicComponent*>(component))
        Add(logic);
}

void LogicSystem::Unregister(GameObjectComponent* component)
{
    // By address: an entry of the same type and owner is listed exactly when this very
    // component is (it is such an entry), and only its own entries leave.
    if (component == nullptr)
        return;
    const auto* logic = dynamic_cast<const LogicComponent*>(component);
    if (logic != nullptr && m_slots.find(logic) != m_slots.end())
        Remove(logic);
}

void LogicSystem::Add(LogicComponent* component)
{
    if (component == nullptr)
        return;
    const auto listed = m_slots.emplace(component, m_entries.size());
    m_earlierSlots.push_back(listed.second ? NoSlot : listed.first->second);
    listed.first->second = m_entries.size();
    m_entries.push_back(component);
    m_listVersion = NextListVersion();
}

void LogicSystem::Remove(const LogicComponent* component)
{
    if (component == nullptr)
        return;
    m_listVersion = NextListVersion();
    const auto slots = m_slots.find(component);
    if (slots == m_slots.end())
        return;
    // Positions stay (a walk may be under way): the entries are cleared, and the list is
    // compacted after the walk, or at once outside walks when half of it is cleared, so that
    // leaving costs constant time on average.
    for (std::size_t slot = slots->second; slot != NoSlot; slot = m_earlierSlots[slot])
    {
        m_entries[slot] = nullptr;
        ++m_cleared;
    }
    m_slots.erase(slots);
    if (m_walkDepth == 0 && m_cleared * 2 > m_entries.size())
        Compact();
}

void LogicSystem::Compact()
{
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), nullptr), m_entries.end());
    m_cleared = 0;
    m_earlierSlots.resize(m_entries.size());
    for (auto& [component, slot] : m_slots)
        slot = NoSlot;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
    {
        std::size_t& last = m_slots.find(m_entries[i])->second;
        m_earlierSlots[i] = last;
        last = i;
    }
}

std::vector<SimpleControllerComponent*> LogicSystem::GetPlayerControllers() const
{
    static const u32 PlayerHash = HashTypeName(PlayerControllerName);
    std::vector<SimpleControllerComponent*> controllers;
    controllers.reserve(PlayerControllerReserve);
    for (LogicComponent* entry : m_entries)
    {
        if (entry == nullptr || HashTypeName(entry->GetName().c_str()) != PlayerHash)
            continue;
        if (auto* controller = dynamic_cast<SimpleControllerComponent*>(entry))
            controllers.push_back(controller);
    }
    return controllers;
}

void LogicSystem::CreateDamageText(const std::string& text, const Math::ColorRGBA& colour,
                                   GameObject& target, f32 duration)
{
    const f32 seconds = duration > 0.0f ? duration : DefaultTextDuration;
    const f32 rate = 1.0f / seconds;
    Core::Log() << "Creating Text Component from Damage Modifier\n";
    FloatingTextSetup setup{seconds,
                            text,
                            Math::Point4(colour.r, colour.g, colour.b, TextStartAlpha),
                            Math::Point4(colour.r, colour.g, colour.b, 0.0f),
                            Math::Point4(rate, rate, rate, TextAlphaRateFactor * rate),
                            /*temporary=*/true};
    GameObjectComponent* component = MakeFloatingText(setup);
    if (component != nullptr)
        target.AddComponent(component);
}

std::vector<u32> LogicSystem::PlayerObjectIds()
{
    std::vector<u32> ids;
    if (LogicSystem* system = Instance())
    {
        for (const SimpleControllerComponent* controller : system->GetPlayerControllers())
            ids.push_back(controller->GetOwner());
    }
    return ids;
}

bool LogicSystem::HealthOf(u32 objectId, f32& current, f32& maximum)
{
    GameFactory* factory = Factory();
    const GameObject* object = factory != nullptr ? factory->FindObject(objectId) : nullptr;
    const HealthContainerComponent* health =
        object != nullptr ? object->GetComponent<HealthContainerComponent>() : nullptr;
    if (health == nullptr)
        return false;
    current = health->GetCurrentStorage();
    maximum = health->GetMaximumStorage();
    return true;
}

GameObjectComponent* LogicSystem::MakeEffect(const std::string& typeName, f32 duration, f32 value,
                                             bool temporary)
{
    GameObjectComponent* component = CreateByName(typeName, "an effect for a script");
    if (component == nullptr)
        return nullptr;
    auto* effect = dynamic_cast<EffectComponent*>(component);
    if (effect == nullptr)
    {
        Core::Log() << "Error [LogicSystem]: " << typeName
                    << " is not an effect, a script cannot set it up; it is destroyed\n";
        component->Shutdown();
        Factory()->DestroyComponent(component);
        return nullptr;
    }
    effect->Setup(duration, value, temporary, false);
    return effect;
}

GameObjectComponent* LogicSystem::MakeFloatingText(const FloatingTextSetup& setup)
{
    GameObjectComponent* component = CreateByName(FloatingTextType, "a floating text");
    auto* text = dynamic_cast<FloatingTextEffectComponent*>(component);
    if (text == nullptr)
    {
        if (component != nullptr)
        {
            Core::Log() << "Error [LogicSystem]: " << FloatingTextType
                        << " is not a floating text, \"" << setup.text << "\" is not shown\n";
            component->Shutdown();
            Factory()->DestroyComponent(component);
        }
        return nullptr;
    }
    text->Setup(setup.duration, setup.text, setup.first, setup.second, setup.third,
                setup.temporary);
    return text;
}
} // namespace System
} // namespace Logic
