#include "Logic/Modifiers/ModifierComponent.h"
#include "Core/Log.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Reflection/HashTypeName.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Effects/EffectComponent.h"
#include "Scripting/LuaComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ModifierComponent, &TypeRecordOf<Logic::ContainerComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr u32 NoCheck = 0;
constexpr u32 NoTarget = 0;
} // namespace

ModifierComponent::ModifierComponent() : timeToLast_(0.0f), resultsAreTemporary_(true) {}

void ModifierComponent::RegisterMembers()
{
    RegisterTableMembers(Members());
}

const MemberTable<ModifierComponent>& ModifierComponent::Members()
{
    using namespace MemberFlag;
    QUILL_LINKED_MEMBER_TABLE(
        table, ModifierComponent, ReadRule::ByPosition,
        MemberLinks<ModifierComponent>::Extending<ContainerComponent>(),
        QUILL_MEMBER(ModifierComponent, timeToLast_, Reflected | Written).Tag(""),
        QUILL_MEMBER(ModifierComponent, resultsAreTemporary_, Reflected | Written).Tag(""));
    return table;
}

u32 ModifierComponent::GetType() const
{
    static const u32 typeId = HashTypeName(GetTypeName().c_str());
    return typeId;
}

void ModifierComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void ModifierComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void ModifierComponent::LoadFromScript(Scripting::LuaComponent& script, const char* tableName)
{
    f32 value = 0.0f;
    script.GetTableFloat(tableName, ValueKey, value);
    script.GetTableFloat(tableName, TimeToLastKey, timeToLast_);
    script.GetTableBool(tableName, TemporaryKey, resultsAreTemporary_);
    bool enraged = false;
    script.GetTableBool(CharacterTable, EnragedKey, enraged);
    if (enraged)
    {
        f32 enrage = 0.0f;
        script.GetTableFloat(tableName, EnrageKey, enrage);
        value += enrage;
    }
    SetMaximumStorage(value);
    Add(value - currentStorage_);
}
} // namespace Logic

namespace Logic
{
GameObject* ModifierComponent::TargetOf(const CollideMessage& message)
{
    return FindObject(message.otherObjectId);
}

EffectComponent* ModifierComponent::MakeEffect(std::string_view typeName, f32 seconds, f32 value,
                                               bool temporary) const
{
    GameObjectComponent* component = MakeComponent(typeName);
    auto* effect = dynamic_cast<EffectComponent*>(component);
    if (effect == nullptr)
    {
        if (component != nullptr)
            Core::Log() << "Error [" << GetName() << "]: " << typeName
                        << " is not an effect, it is destroyed\n";
        Discard(component);
        return nullptr;
    }
    effect->Setup(seconds, value, temporary, false);
    return effect;
}

void ModifierComponent::PostEffect(EffectComponent* effect, u32 targetId) const
{
    if (effect != nullptr)
        PostNew<AddComponentMessage>(m_id, effect, targetId, NoCheck);
}

void ModifierComponent::PostEffect(std::string_view typeName, f32 value, u32 targetId) const
{
    PostEffect(MakeEffect(typeName, timeToLast_, value, resultsAreTemporary_), targetId);
}

void ModifierComponent::DestroyOwnObject() const
{
    if (m_owner != 0)
        PostNew<ObjectDestroyMessage>(m_id, m_owner, NoTarget);
}

void ModifierComponent::CollideOnOwnContact(Message* message)
{
    if (message == nullptr || message->type != CollideMessage::Type)
        return;
    if (auto* collision = dynamic_cast<CollideMessage*>(message))
        OnCollide(*collision);
}
} // namespace Logic
