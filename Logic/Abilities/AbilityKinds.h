#pragma once
// How each ability kind sets its object up when the object is read: one row per kind, looked up
// by the kind's type name (AbilityComponent::RunKindSetup).
//
// The columns:
//   kind         the kind's type name.
//   parentFirst  true: nothing at all is done when the parent object (the character that made
//                the ability object) no longer exists; false: the collider is set first, then
//                the parent is looked up.
//   collider     what the kind does to its object's collider: Unchanged (the definition's
//                category and mask stay), Fixed (they become the row's category and mask) or
//                IgnoreParent (mask |= NOT the parent's category, so the character is not hit).
//   category,    the collision groups of a Fixed collider (CollisionGroup), 0 otherwise.
//   mask
//   script       the script of the parent's player controller the kind binds to: its slot (0 to
//                3), SelectedScript, or NoScript (no script is bound and no step runs).
//   steps        the set-up steps, in the order they run once the script is bound.
//   extra        ParentUntouchable: the character becomes untouchable after the collider is set
//                and before the script is bound (the lance thrust's dash). The kinds' other
//                extras (dashes, scale changes, pulses) are their own code.
#include "Math/Types.h"
#include <array>
#include <string_view>

namespace Logic
{
// The collision groups, one bit each. A collider's category is the set of groups it is in; its
// mask the set of groups whose contacts it ignores. The content files give them as numbers.
enum CollisionGroup : u32
{
    PlayerGroup = 1,    // the player characters, and the taunt trap that stands in for them
    UnclaimedGroup = 2, // no shipped object is in it; every attack and trap ignores it
    AttackGroup = 4,    // every attack, the players' and the enemies'
    TrapGroup = 8,      // the taunt trap
    PickUpGroup = 16,   // health and other pick-ups
    EnemyGroup = 32,    // the enemies and their attacks
};

// A player's attack is in the players' and the attacks' groups and ignores the players, every
// attack and the pick-ups; the steam pump's also ignores the taunt trap.
constexpr u32 PlayerAttackCategory = PlayerGroup | AttackGroup;
constexpr u32 PlayerAttackMask = PlayerGroup | UnclaimedGroup | AttackGroup | PickUpGroup;
constexpr u32 SteamPumpMask = PlayerAttackMask | TrapGroup;
// An enemy's attack is in the attacks' and the enemies' groups and ignores every attack, the
// pick-ups and the enemies.
constexpr u32 EnemyAttackCategory = AttackGroup | EnemyGroup;
constexpr u32 EnemyAttackMask = UnclaimedGroup | AttackGroup | PickUpGroup | EnemyGroup;
// The taunt trap is in the players' and the trap's groups and ignores every attack, other traps
// and the pick-ups.
constexpr u32 TauntTrapCategory = PlayerGroup | TrapGroup;
constexpr u32 TauntTrapMask = UnclaimedGroup | AttackGroup | TrapGroup | PickUpGroup;

enum class ColliderRule
{
    Unchanged,
    Fixed,
    IgnoreParent,
};

// The set-up steps shared by the kinds; None fills the unused places of a row's steps.
enum class SetupStep
{
    None,
    Lifetime,  // AbilityComponent::SetupLifetime
    Movement,  // AbilityComponent::SetupMovement
    Modifiers, // AbilityComponent::AddModifiers
};

enum class KindExtra
{
    None,
    ParentUntouchable,
};

// The script column's two values that are not a slot.
// The ability script that asked for the object, else that of the slot that fired last.
constexpr s32 SelectedScript = -1;
constexpr s32 NoScript = -2;

struct AbilityKind
{
    std::string_view kind;
    bool parentFirst;
    ColliderRule collider;
    u32 category;
    u32 mask;
    s32 script;
    std::array<SetupStep, 3> steps;
    KindExtra extra;
};

// The row of that kind, or null for a name that is not an ability kind.
const AbilityKind* FindAbilityKind(std::string_view kind);
} // namespace Logic
