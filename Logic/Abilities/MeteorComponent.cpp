#include "Logic/Abilities/MeteorComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Log.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"

QUILL_DEFINE_TYPE_RECORD(Logic::MeteorComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
MeteorComponent::MeteorComponent() : m_scriptId(0) {}

const MemberTable<MeteorComponent>& MeteorComponent::Members()
{
    using namespace MemberFlag;
    // Once the file name is read, the meteor's script is loaded.
    static constexpr void (*LoadScript)(MeteorComponent&) = [](MeteorComponent& meteor)
    {
        if (Scripting::System::LuaSystem::Instance() == nullptr)
        {
            Core::Log() << "Error [MeteorComponent]: no scripting system, the meteor "
                        << meteor.m_owner << " has no script " << meteor.m_fileName << '\n';
            return;
        }
        // A script that does not load has reported why.
        Scripting::LuaComponent* script = Scripting::LuaComponent::CreateLoaded(
            meteor.m_fileName, std::string(), Scripting::LuaComponent::FailedLoad::Destroy);
        if (script == nullptr)
            return;
        meteor.m_scriptId = script->GetId();
    };
    QUILL_LINKED_MEMBER_TABLE(
        table, MeteorComponent, ReadRule::ByPosition, MemberLinks<MeteorComponent>{},
        QUILL_MEMBER(MeteorComponent, m_fileName, Written).Tag(FileTag).Then(LoadScript));
    return table;
}

void MeteorComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReleaseScript();
    ReadMembers(reader, *this, Members());
}

void MeteorComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
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
