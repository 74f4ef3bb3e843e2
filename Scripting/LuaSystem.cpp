#include "Scripting/LuaSystem.h"
#include "Core/CoreServices.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Messages/Scripting/ScriptMessage.h"
#include "Scripting/LuaComponent.h"
#include <algorithm>

namespace Scripting
{
namespace System
{
LuaSystem* LuaSystem::s_instance = nullptr;

namespace
{
// The engine core's systems (the input system) load their settings scripts through these.
void* LoadSettingsScript(const std::string& file, const std::string& name)
{
    return LuaSystem::Instance() != nullptr ? LuaSystem::Instance()->LoadScript(file, name)
                                            : nullptr;
}

void ReleaseSettingsScript(void* script)
{
    LuaComponent::Destroy(static_cast<LuaComponent*>(script));
}
} // namespace

LuaSystem::LuaSystem()
{
    m_name = "ScriptingSystem";
    s_instance = this;
    Core::Services().loadSettingsScript.Install(&LoadSettingsScript);
    Core::Services().releaseSettingsScript.Install(&ReleaseSettingsScript);
}

LuaSystem::~LuaSystem()
{
    // The script's own destructor would unregister it; taking it off the list first keeps this
    // loop finite whatever the component does.
    while (!m_components.empty())
    {
        auto* script = static_cast<LuaComponent*>(m_components.front());
        m_components.Remove(script);
        m_registered.erase(script);
        ++m_listChanges;
        script->SetRegistered(false);
        LuaComponent::Destroy(script);
    }
    LuaComponent::FreeDestroyed();
    if (s_instance == this)
    {
        s_instance = nullptr;
        Core::Services().loadSettingsScript.Remove(&LoadSettingsScript);
        Core::Services().releaseSettingsScript.Remove(&ReleaseSettingsScript);
    }
}

std::size_t LuaSystem::TakeSnapshot()
{
    const std::size_t first = m_snapshot.size();
    for (GameObjectComponent* component : m_components)
        m_snapshot.emplace_back(static_cast<LuaComponent*>(component), component->GetId());
    return first;
}

bool LuaSystem::IsStillRegistered(const LuaComponent* script, u32 componentId) const
{
    // Found by address before the component is touched: a destroyed one is never read.
    const auto entry = m_registered.find(script);
    return entry != m_registered.end() && script->GetId() == componentId;
}

template <class Step> void LuaSystem::WalkSnapshot(Step step)
{
    const std::size_t first = TakeSnapshot();
    const std::size_t last = m_snapshot.size();
    const u64 changes = m_listChanges;
    for (std::size_t i = first; i < last; ++i)
    {
        const auto [script, id] = m_snapshot[i];
        if (m_listChanges == changes || IsStillRegistered(script, id))
            step(script);
    }
    m_snapshot.resize(first);
}

void LuaSystem::Update(f32 seconds)
{
    LuaComponent::FreeDestroyed();
    WalkSnapshot([seconds](LuaComponent* script) { script->CallUpdate(seconds); });
}

void LuaSystem::ReloadAll()
{
    WalkSnapshot(
        [](LuaComponent* script)
        {
            if (!script->IsReloadedByOwner())
                script->Reload();
        });
}

void LuaSystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case MT_INPUT_MOVE:
    case MT_INPUT_CURSOR:
    case MT_INPUT_ACTION:
    case MT_MOUSE_BUTTON:
    case MT_CONTROLLER_BUTTON:
        return;
    case MT_KEYBOARD:
    {
        const auto* key = static_cast<const KeyboardMessage*>(message);
        if (key->keyCode == ReloadKey && key->state == KS_TRIGGER)
            ReloadAll();
        return;
    }
    case MT_SCRIPT:
    {
        const auto* request = static_cast<const ScriptMessage*>(message);
        if (request->remove != 0)
            RemoveScript(request->scriptName);
        else
            LoadScript(request->scriptFile, request->scriptName);
        return;
    }
    default:
        // Script components ignore messages, so nothing can change the list during this walk.
        for (GameObjectComponent* script : m_components)
            script->HandleMessage(message);
        return;
    }
}

void LuaSystem::Register(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    static_cast<LuaComponent*>(component)->SetRegistered(true);
    if (!m_components.Add(component))
        return;
    ++m_registered[component];
    ++m_listChanges;
}

void LuaSystem::Unregister(GameObjectComponent* component)
{
    if (!m_components.Remove(component))
        return;
    const auto count = m_registered.find(component);
    if (count != m_registered.end() && --count->second == 0)
        m_registered.erase(count);
    ++m_listChanges;
    static_cast<LuaComponent*>(component)->SetRegistered(false);
}

LuaComponent* LuaSystem::FindScript(const std::string& name) const
{
    for (GameObjectComponent* component : m_components)
    {
        auto* script = static_cast<LuaComponent*>(component);
        if (script->GetScriptName() == name)
            return script;
    }
    return nullptr;
}

LuaComponent* LuaSystem::LoadScript(const std::string& file, const std::string& name)
{
    return LuaComponent::CreateLoaded(file, name, LuaComponent::FailedLoad::Destroy);
}

void LuaSystem::RemoveScript(const std::string& name)
{
    LuaComponent::Destroy(FindScript(name));
}

void LuaSystem::RemoveScriptById(u32 componentId)
{
    for (GameObjectComponent* component : m_components)
    {
        if (component->GetId() == componentId)
        {
            LuaComponent::Destroy(static_cast<LuaComponent*>(component));
            return;
        }
    }
}
} // namespace System
} // namespace Scripting
