#pragma once
// A character's death: disables its controller, makes it untouchable (its collider's category
// and mask become all bits), empties its damage and health, plays "Death" up to the last pose of
// its model's death animation and plays its audio response's "OnDeath". It never runs out by
// itself and keeps the controller disabled every frame. A ReviveDeadPlayersMessage (87) ends it:
// a temporary death revives the character (controller on, collider back, full health,
// "OnRespawn", the animation plays on); any other ends the object. It needs a controller and a
// render component; without a collider the collider steps are skipped.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"

namespace Graphics
{
class RenderComponent;
}

namespace Logic
{
class DeathEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(DeathEffectComponent)
    DeathEffectComponent();
    // The base's values; it does not bind until its first update.
    void Deserialize(Serializer::XmlReader& reader) override;
    // The base's timing without the time running out; the controller stays disabled.
    void Update(f32 seconds) override;
    // Revival (87).
    void HandleMessage(Message* message) override;
    void Apply() override;
    void Remove() override;
    // True when the object has a controller and a render component.
    bool Bind() override;

    // How long "Death" plays, in seconds, for the model of that name (0 for other models).
    static f32 DeathPoseTime(const std::string& modelName);
    // Takes the bits out of the collider category the revival gives back: what a change that
    // ended while the character lay dead had added (a rage's group) does not come back with it.
    void DropSavedCategory(u32 bits) { m_savedCategory &= ~bits; }

private:
    Graphics::RenderComponent* m_render; // not owned
    u32 m_savedCategory;
    u32 m_savedMask;
    bool m_ended; // revived or ended: the effect does nothing more until it is removed
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::DeathEffectComponent)
