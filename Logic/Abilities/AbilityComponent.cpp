#include "Logic/Abilities/AbilityComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Memory/OAException.h"
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Messages/Physics/CollideMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"
#include "Logic/Abilities/AbilityKinds.h"
#include "Logic/Containers/LifetimeContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/Effects/KnockbackEffectComponent.h"
#include "Logic/Modifiers/ModifierComponent.h"
#include "Logic/Movement/ConstantMoveComponent.h"
#include "Physics/ColliderComponent.h"
#include "Scripting/LuaComponent.h"
#include "Scripting/LuaSystem.h"
#include <cassert>

QUILL_DEFINE_TYPE_RECORD(Logic::AbilityComponent, &TypeRecordOf<Logic::LogicComponent>(), false)

namespace Logic
{
namespace
{
constexpr u32 NoTarget = 0;
// A collider with every bit in its category and mask ignores, and is ignored by, everything
// with a nonzero mask.
constexpr u32 AllBits = 0xFFFFFFFFu;

GameFactory* Factory()
{
    return Engine::Factory();
}

// A component of the named type, or null (logged) when the factory does not make it.
GameObjectComponent* Create(const std::string& typeName, u32 objectId)
{
    GameFactory* factory = Factory();
    GameObjectComponent* component = nullptr;
    try
    {
        component = factory != nullptr ? factory->CreateComponent(typeName) : nullptr;
    }
    catch (const Core::OAException& exception)
    {
        Core::Log() << "Error [AbilityComponent]: no room for a " << typeName << " on object "
                    << objectId << ": " << exception.what() << '\n';
        return nullptr;
    }
    if (component == nullptr)
        Core::Log() << "Error [AbilityComponent]: unknown component type " << typeName
                    << " for ability object " << objectId << ", skipped\n";
    return component;
}

void DestroyComponent(GameObjectComponent* component)
{
    component->Shutdown();
    Factory()->DestroyComponent(component);
}
} // namespace

AbilityComponent::AbilityComponent()
    : m_scriptId(0), m_ownsScript(false), m_parent(0), m_savedMask(0), m_savedCategory(0),
      m_collisionSaved(false), m_savedMoveValue(0.0f), numObjsToHit_(1)
{
}

Scripting::LuaComponent* AbilityComponent::FindScript(u32 componentId)
{
    Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance();
    if (lua == nullptr || componentId == 0)
        return nullptr;
    for (GameObjectComponent* component : lua->GetComponents())
    {
        if (component->GetId() == componentId)
            return static_cast<Scripting::LuaComponent*>(component);
    }
    return nullptr;
}

Scripting::LuaComponent* AbilityComponent::GetScript() const
{
    return FindScript(m_scriptId);
}

u32 AbilityComponent::HandOverScript()
{
    m_ownsScript = false;
    return m_scriptId;
}

void AbilityComponent::ReleaseScript()
{
    if (m_ownsScript && m_scriptId != 0)
    {
        if (Scripting::System::LuaSystem* lua = Scripting::System::LuaSystem::Instance())
            lua->RemoveScriptById(m_scriptId);
    }
    m_ownsScript = false;
    m_scriptId = 0;
}

void AbilityComponent::Shutdown()
{
    LogicComponent::Shutdown();
    ReleaseScript();
}

const MemberTable<AbilityComponent>& AbilityComponent::Members()
{
    using namespace MemberFlag;
    // Once both names are read, the ability learns its parent and loads its script.
    static constexpr void (*LoadScript)(AbilityComponent&) = [](AbilityComponent& ability)
    {
        if (const GameObject* owner = ability.GetOwnerObject())
            ability.m_parent = owner->GetCreatorId();

        // Scripts live in the Lua system; without one an ability has no script.
        if (Scripting::System::LuaSystem::Instance() == nullptr)
        {
            Core::Log() << "Error [AbilityComponent]: no scripting system, the ability "
                        << ability.m_fileName << " of object " << ability.m_owner
                        << " has no script\n";
            return;
        }
        // A script that does not load has reported why.
        Scripting::LuaComponent* script = Scripting::LuaComponent::CreateLoaded(
            ability.m_fileName, ability.m_scriptName, Scripting::LuaComponent::FailedLoad::Destroy);
        if (script == nullptr)
            return;
        ability.m_scriptId = script->GetId();
        ability.m_ownsScript = true;
    };
    QUILL_LINKED_MEMBER_TABLE(
        table, AbilityComponent, ReadRule::ByPosition,
        MemberLinks<AbilityComponent>{}.AfterRead(LoadScript),
        QUILL_MEMBER(AbilityComponent, m_fileName, Written).Tag(FileTag),
        QUILL_MEMBER(AbilityComponent, m_scriptName, Written).Tag(ScriptNameTag));
    return table;
}

void AbilityComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReleaseScript();
    ReadMembers(reader, *this, Members());
}

void AbilityComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

GameObject* AbilityComponent::ParentObject() const
{
    const GameObject* owner = GetOwnerObject();
    GameFactory* factory = Factory();
    if (owner == nullptr || factory == nullptr || owner->GetCreatorId() == 0)
        return nullptr;
    return factory->FindObject(owner->GetCreatorId());
}

bool AbilityComponent::BindScript(u32 index)
{
    m_scriptId = 0;
    const GameObject* parent = ParentObject();
    const auto* player =
        parent != nullptr ? parent->GetComponent<SimpleControllerComponent>() : nullptr;
    if (player == nullptr)
        return false;
    const Scripting::LuaComponent* script = player->GetAbilityScript(index);
    m_scriptId = script != nullptr ? script->GetId() : 0;
    return m_scriptId != 0;
}

bool AbilityComponent::BindSelectedScript()
{
    m_scriptId = 0;
    const GameObject* parent = ParentObject();
    const auto* player =
        parent != nullptr ? parent->GetComponent<SimpleControllerComponent>() : nullptr;
    if (player == nullptr)
        return false;
    // The player may select and fire other slots before the object is made (keys pressed in the
    // same frame): the script that asked for the object is the one that fired it.
    const GameObject* owner = GetOwnerObject();
    const u32 firingScript = owner != nullptr ? owner->GetCreatingScriptId() : 0;
    if (firingScript != 0)
    {
        for (const Scripting::LuaComponent* script : player->GetAbilityScripts())
        {
            if (script->GetId() == firingScript)
            {
                m_scriptId = firingScript;
                return true;
            }
        }
    }
    return BindScript(player->GetFiredSlot());
}

void AbilityComponent::SetupLifetime()
{
    GameObject* owner = GetOwnerObject();
    Scripting::LuaComponent* script = GetScript();
    if (owner == nullptr || script == nullptr)
        return;
    f32 lifetime = 0.0f;
    script->GetTableFloat(AbilityTable, LifetimeKey, lifetime);
    if (lifetime > 0.0f)
    {
        GameObjectComponent* component =
            Create(LifetimeContainerComponent::GetTypeName(), owner->GetId());
        if (auto* age = dynamic_cast<LifetimeContainerComponent*>(component))
        {
            age->Add(-age->GetCurrentStorage());
            age->SetMaximumStorage(lifetime);
            owner->AddComponent(age);
        }
        else if (component != nullptr)
        {
            DestroyComponent(component);
        }
    }
    if ((script = GetScript()) != nullptr)
        script->GetTableNumber(AbilityTable, HitCountKey, numObjsToHit_);
}

void AbilityComponent::SetupMovement()
{
    GameObject* owner = GetOwnerObject();
    Scripting::LuaComponent* script = GetScript();
    if (owner == nullptr || script == nullptr)
        return;
    f32 moveRate = 0.0f;
    script->GetTableFloat(AbilityTable, MoveRateKey, moveRate);
    if (moveRate == 0.0f)
        return;
    GameObjectComponent* component = Create(ConstantMoveComponent::GetTypeName(), owner->GetId());
    if (auto* move = dynamic_cast<ConstantMoveComponent*>(component))
    {
        move->AddMoveValue(moveRate - move->GetMoveValue());
        owner->AddComponent(move);
    }
    else if (component != nullptr)
    {
        DestroyComponent(component);
    }
}

void AbilityComponent::AddModifiers()
{
    GameObject* owner = GetOwnerObject();
    Scripting::LuaComponent* script = GetScript();
    if (owner == nullptr || script == nullptr)
        return;
    s32 answer = 0;
    script->CallReturnInt(ModifierCountFunction, answer);
    u32 count = answer > 0 ? static_cast<u32>(answer) : 0;
    if (answer < 0 || count > MaxModifiers)
    {
        count = answer < 0 ? 0 : MaxModifiers;
        Core::Log() << "Error [AbilityComponent]: " << script->GetFileName() << " names " << answer
                    << " modifiers for object " << owner->GetId() << ", " << count
                    << " are taken\n";
    }
    for (u32 index = 1; index <= count; ++index)
    {
        // The script may have gone during the last call (its character destroyed).
        script = GetScript();
        std::string name;
        if (script == nullptr || !script->CallUnsignedReturnString(ModifierFunction, index, name))
            return;
        Core::Log() << "Adding component type: " << name << " to ability\n";
        GameObjectComponent* component = Create(name, owner->GetId());
        if (component == nullptr)
            continue;
        auto* modifier = dynamic_cast<ModifierComponent*>(component);
        if (modifier == nullptr || (modifier->GetType() != ComponentTypeId<ModifierComponent>() &&
                                    modifier->GetName() != BumpModifierName))
        {
            Core::Log() << "Error [AbilityComponent]: " << name
                        << " is not a modifier, it is not added to object " << owner->GetId()
                        << '\n';
            DestroyComponent(component);
            continue;
        }
        modifier->LoadFromScript(*script, modifier->GetScriptTableName());
        owner->AddComponent(modifier);
    }
}

void AbilityComponent::CountHit()
{
    const u32 before = numObjsToHit_;
    --numObjsToHit_;
    if (before == 1)
        DestroyOwnObject();
}

bool AbilityComponent::CallOnCollide(u32 otherObjectId)
{
    Scripting::LuaComponent* script = GetScript();
    return script != nullptr &&
           script->CallWithTwoUnsigned(CollideFunction, m_owner, otherObjectId);
}

void AbilityComponent::RunModifiers(CollideMessage& message)
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    // Walked in place, so that a collision copies nothing: a modifier changes objects only
    // through posted messages, and the walk stops at the list's first size as a copy's would.
    const u32 modifierType = ComponentTypeId<ModifierComponent>();
    const GameObject::ComponentList& components = owner->GetComponentList();
    const std::size_t count = components.size();
    for (std::size_t i = 0; i < count && i < components.size(); ++i)
    {
        if (components[i].typeId != modifierType)
            continue;
        if (auto* modifier = dynamic_cast<ModifierComponent*>(components[i].component))
            modifier->OnCollide(message);
    }
}

void AbilityComponent::DestroyOwnObject()
{
    if (m_owner != 0)
        PostNew<ObjectDestroyMessage>(m_id, m_owner, NoTarget);
}
} // namespace Logic

namespace Logic
{
Physics::ColliderComponent* AbilityComponent::ColliderOf(const GameObject* object)
{
    return object != nullptr ? object->GetComponent<Physics::ColliderComponent>() : nullptr;
}

void AbilityComponent::StartDash(f32& moveRate, f32& lifetime)
{
    constexpr u32 NoCheck = 0;
    constexpr bool Temporary = true;
    constexpr f32 SlideValue = 1.0f;
    Scripting::LuaComponent* script = GetScript();
    const GameObject* owner = GetOwnerObject();
    const GameObject* parent = ParentObject();
    if (script == nullptr || owner == nullptr || parent == nullptr)
        return;
    script->GetTableFloat(AbilityTable, MoveRateKey, moveRate);
    script->GetTableFloat(AbilityTable, LifetimeKey, lifetime);
    const auto* own = owner->GetComponent<TransformComponent>();
    const auto* character = parent->GetComponent<TransformComponent>();
    if (own == nullptr || character == nullptr)
        return;
    const Math::Vector4 forward =
        own->GetOrientation().Rotate(Math::Vector4(0.0f, 0.0f, 1.0f, 0.0f));
    auto* slide = Make<KnockbackEffectComponent>();
    if (slide == nullptr)
        return;
    slide->Setup(lifetime, SlideValue, Temporary, false);
    slide->SetTargetPoint(Math::Point4(character->GetPosition() + forward * (moveRate * lifetime)));
    PostNew<AddComponentMessage>(m_id, slide, parent->GetId(), NoCheck);
}

u32 AbilityComponent::ParentId() const
{
    const GameObject* owner = GetOwnerObject();
    return owner != nullptr ? owner->GetCreatorId() : 0;
}

bool AbilityComponent::RunKindSetup()
{
    const AbilityKind* kind = FindAbilityKind(GetName());
    assert(kind != nullptr && "every ability kind has a row in the kinds' table");
    if (kind == nullptr)
        return false;
    GameObject* parent = ParentObject();
    m_parent = ParentId();
    if (kind->parentFirst && parent == nullptr)
        return false;
    Physics::ColliderComponent* collider = ColliderOf(GetOwnerObject());
    if (kind->collider != ColliderRule::Unchanged && collider == nullptr)
    {
        Core::Log() << "Error [" << GetName() << "]: ability object " << m_owner
                    << " has no collider, its collision groups stay unset\n";
    }
    else if (kind->collider == ColliderRule::Fixed)
    {
        collider->Category = kind->category;
        collider->Mask = kind->mask;
    }
    else if (kind->collider == ColliderRule::IgnoreParent)
    {
        if (const Physics::ColliderComponent* parentCollider = ColliderOf(parent))
            collider->Mask |= ~parentCollider->Category;
    }
    if (kind->script == NoScript || parent == nullptr)
        return false;
    if (kind->extra == KindExtra::ParentUntouchable)
        MakeParentUntouchable(parent->GetId());
    const bool bound =
        kind->script == SelectedScript ? BindSelectedScript() : BindScript(kind->script);
    if (!bound)
        return false;
    for (SetupStep step : kind->steps)
    {
        if (step == SetupStep::Lifetime)
            SetupLifetime();
        else if (step == SetupStep::Movement)
            SetupMovement();
        else if (step == SetupStep::Modifiers)
            AddModifiers();
    }
    return true;
}

CollideMessage* AbilityComponent::ContactOf(Message* message, bool newOnly)
{
    if (message == nullptr || message->type != CollideMessage::Type)
        return nullptr;
    auto* collision = dynamic_cast<CollideMessage*>(message);
    if (collision == nullptr || (newOnly && !collision->newContact))
        return nullptr;
    return collision;
}

void AbilityComponent::ReactToContact(CollideMessage& message)
{
    CallOnCollide(message.otherObjectId);
    RunModifiers(message);
    CountHit();
}

void AbilityComponent::MakeParentUntouchable(u32 parentId)
{
    GameFactory* factory = Factory();
    Physics::ColliderComponent* collider =
        ColliderOf(factory != nullptr ? factory->FindObject(parentId) : nullptr);
    if (collider == nullptr)
        return;
    if (collider->Category == AllBits && collider->Mask == AllBits)
        return;
    m_savedCategory = collider->Category;
    m_savedMask = collider->Mask;
    m_collisionSaved = true;
    collider->Category = AllBits;
    collider->Mask = AllBits;
}

void AbilityComponent::RestoreParentCollision(u32 parentId)
{
    GameFactory* factory = Factory();
    Physics::ColliderComponent* collider =
        ColliderOf(factory != nullptr ? factory->FindObject(parentId) : nullptr);
    if (collider == nullptr || !m_collisionSaved)
        return;
    collider->Category = m_savedCategory;
    collider->Mask = m_savedMask;
    m_collisionSaved = false;
}

void AbilityComponent::FreezeParent(u32 parentId)
{
    GameFactory* factory = Factory();
    const GameObject* parent = factory != nullptr ? factory->FindObject(parentId) : nullptr;
    MoveComponent* move = parent != nullptr ? parent->GetComponent<MoveComponent>() : nullptr;
    if (move == nullptr)
        return;
    m_savedMoveValue = move->GetMoveValue();
    move->SetMoveValue(0.0f);
}

void AbilityComponent::UnfreezeParent(u32 parentId)
{
    GameFactory* factory = Factory();
    const GameObject* parent = factory != nullptr ? factory->FindObject(parentId) : nullptr;
    MoveComponent* move = parent != nullptr ? parent->GetComponent<MoveComponent>() : nullptr;
    if (move != nullptr && m_savedMoveValue > ContainerComponent::Epsilon)
        move->SetMoveValue(m_savedMoveValue);
}
} // namespace Logic
