#include "AI/WorldStateEntry.h"
#include "AI/FamilyLookup.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Logic/Containers/DamageContainerComponent.h"
#include "Logic/Containers/HealthContainerComponent.h"

namespace AI
{
namespace
{
struct NamedKind
{
    const char* name;
    s32 kind;
};

// The mage takes the free player kind 2: the game ships it as a third player, and an unnamed
// player would go untracked, unseen by enemies, with the addition pass rerunning every frame.
constexpr NamedKind NamedKinds[] = {
    {"CharacterGolem", 0},    {"CharacterSteamKnight", 1}, {"CharacterMage", 2},
    {"CharacterAIMelee", 4},  {"CharacterAIRanged", 5},    {"CharacterAITank", 6},
    {"CharacterAISpeedy", 7}, {"CharacterAIFlock", 8},
};
constexpr std::size_t NamedKindCount = sizeof(NamedKinds) / sizeof(NamedKinds[0]);

// The names' hashes, computed once on first use.
const u32* NamedKindHashes()
{
    static const struct Hashes
    {
        Hashes()
        {
            for (std::size_t i = 0; i < NamedKindCount; ++i)
                values[i] = HashTypeName(NamedKinds[i].name);
        }
        u32 values[NamedKindCount];
    } hashes;
    return hashes.values;
}

f32 Fraction(const Logic::ContainerComponent& container)
{
    const f32 maximum = container.GetMaximumStorage();
    return maximum > 0.0f ? container.GetCurrentStorage() / maximum : 0.0f;
}
} // namespace

s32 WorldStateEntry::KindFromArchetype(const GameObject& object)
{
    const u32 hash = HashTypeName(object.GetName().c_str());
    const u32* hashes = NamedKindHashes();
    for (std::size_t i = 0; i < NamedKindCount; ++i)
    {
        if (hashes[i] == hash)
            return NamedKinds[i].kind;
    }
    return UntrackedKind;
}

bool WorldStateEntry::FromObject(const GameObject& object, WorldStateEntry& entry)
{
    const s32 kind = KindFromArchetype(object);
    if (kind >= UntrackedKind)
        return false;
    const TransformComponent* transform = object.GetComponent<TransformComponent>();
    const auto* health = object.GetComponent<Logic::HealthContainerComponent>();
    if (transform == nullptr || health == nullptr)
        return false;
    const auto* damage = object.GetComponent<Logic::DamageContainerComponent>();
    entry.objectId = object.GetId();
    entry.kind = kind;
    entry.position = transform->GetPosition();
    entry.healthFraction = Fraction(*health);
    entry.damageFraction = damage != nullptr ? Fraction(*damage) : NoDamage;
    return true;
}

bool WorldStateEntry::Refresh()
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
        return false;
    const bool sameId = refreshedObject != nullptr && refreshedId == objectId;
    // No object destroyed since the last refresh: the object found then is still this id's.
    // Otherwise it is looked up again; when that finds the same address with the same
    // component-list number, it is the same object with the same components (list numbers are
    // never handed out twice), and another object's destruction costs no new walk.
    const GameObject* object = sameId && refreshedDestroys == factory->GetDestroyVersion()
                                   ? refreshedObject
                                   : factory->FindObject(objectId);
    if (object == nullptr)
        return false;
    refreshedDestroys = factory->GetDestroyVersion();
    if (!sameId || object != refreshedObject ||
        object->GetComponentListVersion() != refreshedVersion)
    {
        // One walk for the three; each is the first entry under its id (FamilyLookup.h). The
        // ids are taken once.
        static const u32 transformId = ComponentTypeId<TransformComponent>();
        static const u32 healthId = ComponentTypeId<Logic::HealthContainerComponent>();
        static const u32 damageId = ComponentTypeId<Logic::DamageContainerComponent>();
        transform = nullptr;
        health = nullptr;
        damage = nullptr;
        for (const GameObject::ComponentEntry& entry : object->GetComponentList())
        {
            if (transform == nullptr && entry.typeId == transformId)
                transform = static_cast<const TransformComponent*>(entry.component);
            else if (health == nullptr && entry.typeId == healthId)
                health = static_cast<const Logic::ContainerComponent*>(entry.component);
            else if (damage == nullptr && entry.typeId == damageId)
                damage = static_cast<const Logic::ContainerComponent*>(entry.component);
        }
        refreshedObject = object;
        refreshedId = objectId;
        refreshedVersion = object->GetComponentListVersion();
    }
    if (transform != nullptr)
        position = transform->GetPosition();
    if (health != nullptr)
        healthFraction = Fraction(*health);
    // A character made without a damage container keeps -1 even if it gains one later.
    if (damage != nullptr && damageFraction != NoDamage)
        damageFraction = Fraction(*damage);
    return true;
}

bool WorldStateEntry::IsHostileTo(const WorldStateEntry& other) const
{
    if (kind >= NeutralKind)
        return false;
    if (kind >= FirstEnemyKind)
        return other.kind < FirstEnemyKind;
    return other.kind >= FirstNamedEnemyKind && other.kind < NeutralKind;
}
} // namespace AI
