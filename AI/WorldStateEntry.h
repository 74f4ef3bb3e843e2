#pragma once
// One tracked character: its object, its kind (chosen by the name of the definition it was made
// from), where it stands and how hurt it is. Entries are plain values kept by the world state.
//
// Kinds: 0 "CharacterGolem", 1 "CharacterSteamKnight", 2 "CharacterMage" (the players), 4
// "CharacterAIMelee", 5 "CharacterAIRanged", 6 "CharacterAITank", 7 "CharacterAISpeedy", 8
// "CharacterAIFlock" (the enemies), 10 for every other name, which is never tracked.
#include "Math/Point4.h"
#include "Math/Types.h"

class GameObject;
class TransformComponent;
namespace Logic
{
class ContainerComponent;
}

namespace AI
{
struct WorldStateEntry
{
    static constexpr s32 UntrackedKind = 10;
    // Kinds from this one up are hostile to nothing.
    static constexpr s32 NeutralKind = 9;
    // Kinds below this one are player characters.
    static constexpr s32 FirstEnemyKind = 3;
    // Player characters are hostile to kinds from here to NeutralKind - 1.
    static constexpr s32 FirstNamedEnemyKind = 4;
    // The damage fraction of a character without a damage container.
    static constexpr f32 NoDamage = -1.0f;

    // The kind of an object by its name.
    static s32 KindFromArchetype(const GameObject& object);
    // An entry for the object: the kind, and for a tracked kind its position, health fraction
    // and damage fraction. False (nothing tracked) for an untracked kind or when the object
    // lacks a transform or a health container.
    static bool FromObject(const GameObject& object, WorldStateEntry& entry);

    // Copies position, health fraction and (unless -1) damage fraction again; false when the
    // object is gone.
    bool Refresh();
    bool IsHostileTo(const WorldStateEntry& other) const;
    u32 GetObjectId() const { return objectId; }

    u32 objectId = 0;
    s32 kind = UntrackedKind;
    Math::Point4 position;
    f32 healthFraction = 0.0f;
    f32 damageFraction = NoDamage;

    // What Refresh found on the object last, kept while its component list is the same
    // (GameObject::GetComponentListVersion): every tracked character is refreshed every frame.
    const GameObject* refreshedObject = nullptr;
    u32 refreshedId = 0;       // the id refreshedObject was found under
    u64 refreshedDestroys = 0; // the factory's destroy number when the object was last found
    u64 refreshedVersion = 0;
    const TransformComponent* transform = nullptr;
    const Logic::ContainerComponent* health = nullptr;
    const Logic::ContainerComponent* damage = nullptr;
};
} // namespace AI
