#include "Logic/Abilities/MeteorComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Log.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include "Xml/ValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Logic::MeteorComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
MeteorComponent::MeteorComponent() : m_scriptId(0) {}

void MeteorComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReleaseScript();
    Serializer::ReadValue(reader, m_fileName, "");
    if (Scripting::System::LuaSystem::Instance() == nullptr)
    {
        Core::Log() << "Error [MeteorComponent]: no scripting system, the meteor " << m_owner
                    << " has no script " << m_fileName << '\n';
        return;
    }
    Scripting::LuaComponent* script = Scripting::LuaComponent::Create();
    if (script == nullptr)
        return;
    if (!script->Load(m_fileName))
    {
        // The script component has reported why.
        Scripting::LuaComponent::Destroy(script);
        return;
    }
    m_scriptId = script->GetId();
}

void MeteorComponent::Serialize(Serializer::XmlWriter& writer)
{
    Serializer::WriteValue(writer, m_fileName, FileTag);
}

void MeteorComponent::Shutdown()
{
    LogicComponent::Shutdown();
    Scripting::LuaComponent* script = AbilityComponent::FindScript(m_scriptId);
    const GameObject* owner = GetOwnerObject();
    const auto* place = owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    if (script != nullptr)
    {
        const Math::Point4 at = place != nullptr ? place->GetPosition() : Math::Point4();
        script->CallWithTwoFloats(SpawnFunction, at.x, at.z);
    }
    ReleaseScript();
}

void MeteorComponent::ReleaseScript()
{
    if (m_scriptId != 0)
    {
        if (Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance())
            lua->RemoveScriptById(m_scriptId);
    }
    m_scriptId = 0;
}
} // namespace Logic
