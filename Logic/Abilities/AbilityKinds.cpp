#include "Logic/Abilities/AbilityKinds.h"

namespace Logic
{
// The numbers the content files give the same collision groups.
static_assert(PlayerAttackCategory == 5 && PlayerAttackMask == 23 && SteamPumpMask == 31);
static_assert(EnemyAttackCategory == 36 && EnemyAttackMask == 54);
static_assert(TauntTrapCategory == 9 && TauntTrapMask == 30);

namespace
{
// Short names for the cells of the table.
constexpr SetupStep L = SetupStep::Lifetime;
constexpr SetupStep M = SetupStep::Movement;
constexpr SetupStep A = SetupStep::Modifiers;
constexpr ColliderRule Unchanged = ColliderRule::Unchanged;
constexpr ColliderRule Fixed = ColliderRule::Fixed;
constexpr ColliderRule IgnoreParent = ColliderRule::IgnoreParent;
constexpr KindExtra None = KindExtra::None;
constexpr KindExtra Untouchable = KindExtra::ParentUntouchable;

// clang-format off
constexpr AbilityKind Kinds[] = {
// kind                                 parentFirst collider      category              mask              script          steps      extra
{"AIAttackAbilityComponent",          false,      Fixed,        EnemyAttackCategory,  EnemyAttackMask,  NoScript,       {},        None},
{"DummyAbilityComponent",             false,      Unchanged,    0,                    0,                NoScript,       {},        None},
{"MeleeAbilityComponent",             true,       Unchanged,    0,                    0,                SelectedScript, {L, A},    None},
{"ProjectileAbilityComponent",        true,       Unchanged,    0,                    0,                SelectedScript, {L, M, A}, None},
{"EarthboundArmorAbilityComponent",   true,       IgnoreParent, 0,                    0,                1,              {L, M, A}, None},
{"EarthquakeAbilityComponent",        true,       Unchanged,    0,                    0,                2,              {L, M, A}, None},
{"EnrageAbilityComponent",            true,       IgnoreParent, 0,                    0,                3,              {M, L, A}, None},
{"EnragedEarthquakeAbilityComponent", true,       Unchanged,    0,                    0,                SelectedScript, {L, A},    None},
{"TitansFistAbilityComponent",        true,       Fixed,        PlayerAttackCategory, PlayerAttackMask, 0,              {L, M, A}, None},
{"LaserAbilityComponent",             true,       Fixed,        PlayerAttackCategory, PlayerAttackMask, 0,              {L, M, A}, None},
{"FissureAbilityComponent",           false,      Fixed,        PlayerAttackCategory, PlayerAttackMask, 3,              {L, M, A}, None},
{"LanceThrustAbilityComponent",       true,       Fixed,        PlayerAttackCategory, PlayerAttackMask, 0,              {M, L, A}, Untouchable},
{"SteamPumpAbilityComponent",         false,      Fixed,        PlayerAttackCategory, SteamPumpMask,    2,              {L, M, A}, None},
{"BlinkAbilityComponent",             true,       IgnoreParent, 0,                    0,                1,              {M, L, A}, None},
{"OrbAbilityComponent",               true,       Fixed,        PlayerAttackCategory, PlayerAttackMask, 3,              {L, M, A}, None},
{"LightningFanAbilityComponent",      true,       Fixed,        PlayerAttackCategory, PlayerAttackMask, 2,              {L, M, A}, None},
{"DamageTrapAbilityComponent",        true,       Fixed,        PlayerAttackCategory, PlayerAttackMask, SelectedScript, {L, A},    None},
{"SlowTrapAbilityComponent",          true,       Fixed,        PlayerAttackCategory, PlayerAttackMask, SelectedScript, {L, A},    None},
{"TauntTrapAbilityComponent",         false,      Fixed,        TauntTrapCategory,    TauntTrapMask,    NoScript,       {},        None},
};
// clang-format on
} // namespace

const AbilityKind* FindAbilityKind(std::string_view kind)
{
    for (const AbilityKind& row : Kinds)
    {
        if (row.kind == kind)
            return &row;
    }
    return nullptr;
}
} // namespace Logic
