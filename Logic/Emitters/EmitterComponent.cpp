#include "Logic/Emitters/EmitterComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Log.h"
#include "Core/Messages/Gameplay/SetEmitterCountMessage.h"
#include "Core/Messages/Gameplay/SetEmitterIntervalMessage.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Math/MathUtils.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include <cmath>

QUILL_DEFINE_TYPE_RECORD(Logic::EmitterComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
namespace
{
// Counts from a file or a message are truncated to whole numbers; beyond this (or not a number
// at all) they could not be converted safely, and every such count is far above the clamp.
constexpr f32 LargestCount = 1.0e9f;

s32 WholeCount(f32 value)
{
    if (!(value >= 0.0f))
        return 0;
    return static_cast<s32>(value > LargestCount ? LargestCount : value);
}
} // namespace

EmitterComponent::EmitterComponent()
    : m_countRange(0.0f, 0.0f), m_active(false), m_interval(0.0f), m_timer(0.0f), m_scriptId(0)
{
}

void EmitterComponent::Shutdown()
{
    LogicComponent::Shutdown();
    ReleaseScript();
}

void EmitterComponent::ReleaseScript()
{
    Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    if (lua != nullptr && m_scriptId != 0)
        lua->RemoveScriptById(m_scriptId);
    m_scriptId = 0;
}

const MemberTable<EmitterComponent>& EmitterComponent::Members()
{
    using namespace MemberFlag;
    using E = EmitterComponent;
    // Once the file name is read, the emitter's script is loaded and told its owner.
    static constexpr void (*LoadScript)(E&) = [](E& emitter)
    {
        if (Scripting::System::LuaSystem::Instance() == nullptr)
        {
            Core::Log() << "Error [EmitterComponent]: no scripting system, the emitter of object "
                        << emitter.m_owner << " has no script " << emitter.m_fileName << '\n';
        }
        // A script that does not load has reported why; the emitter calls nothing.
        else if (Scripting::LuaComponent* script = Scripting::LuaComponent::CreateLoaded(
                     emitter.m_fileName, emitter.m_fileName,
                     Scripting::LuaComponent::FailedLoad::Destroy))
        {
            emitter.m_scriptId = script->GetId();
            script->CallWithUnsigned(OwnerFunction, emitter.m_owner);
        }
    };
    // A count range is taken by magnitude.
    static constexpr void (*TakeMagnitudes)(E&) = [](E& emitter)
    {
        emitter.m_countRange =
            Math::Vector2(std::fabs(emitter.m_countRange.x), std::fabs(emitter.m_countRange.y));
    };
    static constexpr void (*RestartTimer)(E&) = [](E& emitter) { emitter.m_timer = 0.0f; };
    QUILL_LINKED_MEMBER_TABLE(
        table, E, ReadRule::ByPosition, MemberLinks<E>{}.AfterRead(RestartTimer),
        QUILL_MEMBER(E, m_fileName, Written).Tag(FileTag).Then(LoadScript),
        QUILL_MEMBER(E, m_countRange, Written).Tag(CountTag).Then(TakeMagnitudes),
        QUILL_MEMBER(E, m_interval, Written).Tag(IntervalTag),
        QUILL_MEMBER(E, m_active, Written).Tag(ActiveTag));
    return table;
}

void EmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReleaseScript();
    ReadMembers(reader, *this, Members());
}

void EmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void EmitterComponent::HandleMessage(Message* message)
{
    if (auto* interval = dynamic_cast<SetEmitterIntervalMessage*>(message))
        m_interval = interval->interval;
    else if (auto* count = dynamic_cast<SetEmitterCountMessage*>(message))
        m_countRange = Math::Vector2(count->minimum, count->maximum);
}

void EmitterComponent::Update(f32 seconds)
{
    if (!m_active)
        return;
    m_timer += seconds;
    if (m_timer < m_interval)
        return;
    m_timer = 0.0f;
    Emit();
}

void EmitterComponent::Emit()
{
    Scripting::LuaComponent* script = AbilityComponent::FindScript(m_scriptId);
    const GameObject* owner = GetOwnerObject();
    const TransformComponent* transform =
        owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    if (script == nullptr || transform == nullptr)
        return;
    const s32 minimum = WholeCount(m_countRange.x);
    const s32 maximum = WholeCount(m_countRange.y);
    s32 count = Math::RandomInt(minimum, maximum);
    if (count > static_cast<s32>(MaxEmissions))
    {
        Core::Log() << "Warning [EmitterComponent]: object " << m_owner << " asked for " << count
                    << " emissions in one interval, " << MaxEmissions << " are made\n";
        count = static_cast<s32>(MaxEmissions);
    }
    for (s32 i = 0; i < count; ++i)
    {
        // The script may move or end the object: the position is taken anew for every call.
        if (AbilityComponent::FindScript(m_scriptId) == nullptr)
            return;
        const Math::Vector4 position = transform->GetTransformMatrix().GetTranslation();
        if (!script->CallWithThreeFloats(EmitFunction, position.x, position.y, position.z))
        {
            if (AbilityComponent::FindScript(m_scriptId) == nullptr)
                return;
            // Every emission of an interval calls the same function at nearly the same place:
            // one that failed (reported by the script component) would fail again, a runaway
            // one stalling the frame each time.
            Core::Log() << "Warning [EmitterComponent]: object " << m_owner << ": " << EmitFunction
                        << " of " << m_fileName << " failed, " << (count - i - 1)
                        << " emissions of this interval are left out\n";
            break;
        }
    }
    if (AbilityComponent::FindScript(m_scriptId) == nullptr)
        return;
    const Math::Vector4 position = transform->GetTransformMatrix().GetTranslation();
    script->CallWithThreeFloats(IntervalFunction, position.x, position.y, position.z);
}
} // namespace Logic
