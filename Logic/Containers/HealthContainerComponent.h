#pragma once
// An object's health. Every change redraws the health bar mounted on the object and decides
// death:
// - Bar: the mounted object named "HealthBarCharacter" (a player's bar: its "HealthBar"
//   elements get the width fraction f x 0.25), else the one named "HealthBarEnemy" (its
//   "HealthBarEnemy" elements get the width, and every element of it is hidden while health is
//   full). f = current / maximum, 0 when the maximum is 0 or less.
// - Death, at health 0 or below, for an object with a controller: a player (controller named
//   "SimpleControllerComponent") gets a "DeathEffectComponent" unless it holds one; an enemy
//   leaves an "ObjectTestExperienceArea" object at its place and is destroyed, once, in the
//   change that takes its health from above 0 to 0 or below.
// - Tracks of an enemy with an animation controller: a loss that leaves it alive plays "Hit"
//   once; its death plays "Death" once and holds the last pose until the object is gone.
// - An object that spawns children ("SpawnChildrenComponent") hands the AI every new health
//   fraction; a wave made above 0 leaves an experience area. At 0 it makes its wave, then dies
//   like any enemy.
// A health-bar colour message colours the bar's first health element; a container colours its
// own bar green when it has been read.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Containers/ContainerComponent.h"
#include "Math/ColorRGBA.h"
#include <vector>

class GameObject;
namespace GameState
{
class HUDComponent;
}

namespace Logic
{
class HealthContainerComponent : public ContainerComponent
{
public:
    static constexpr const char* CharacterBarName = "HealthBarCharacter";
    static constexpr const char* EnemyBarName = "HealthBarEnemy";
    static constexpr const char* CharacterBarMaterial = "HealthBar";
    static constexpr const char* EnemyBarMaterial = "HealthBarEnemy";
    static constexpr const char* ExperienceAreaArchetype = "ObjectTestExperienceArea";
    static constexpr const char* DeathEffectType = "DeathEffectComponent";
    static constexpr const char* SpawnerType = "SpawnChildrenComponent";
    // A full bar is this wide (in the element's own scale).
    static constexpr f32 BarWidth = 0.25f;
    // A player's death effect lasts until revived; its own clock gives it this long.
    static constexpr f32 DeathEffectDuration = 10.0f;

    QUILL_COMPONENT_TYPE(HealthContainerComponent)
    // The container's values, then the bar turns green.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Health-bar colour (type 86).
    void HandleMessage(Message* message) override;
    void Add(f32 delta) override;

    // The bar's width fraction now.
    f32 GetFraction() const;

private:
    // The mounted bar object, or null.
    GameObject* FindBar() const;
    void UpdateBar(GameObject& bar) const;
    void ColourBar(const Math::ColorRGBA& colour) const;
    void Die(GameObject& owner, bool crossedZero);
    // An object with an animation controller and a controller that is not a player's.
    static bool IsAnimatedEnemy(const GameObject& owner);
    void LeaveExperienceArea(const GameObject& owner) const;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::HealthContainerComponent)
