#pragma once
// A number or word that floats up from its object and fades: applying it creates a
// "NotificationText" object a little above the object (at a random side offset and height, with a
// random size), hands it the text, an IntensityComponent that moves each colour channel from the
// start colour towards the end colour at the rate's speed, and a ConstantMoveComponent that
// carries it away from the object at 1 / duration units per second. The text object is destroyed
// when the effect ends or goes, once.
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Effects/EffectComponent.h"
#include "Math/Vector4.h"
#include <string>

namespace Logic
{
class FloatingTextEffectComponent : public EffectComponent
{
public:
    QUILL_COMPONENT_TYPE(FloatingTextEffectComponent)
    static constexpr const char* TextArchetype = "NotificationText";

    FloatingTextEffectComponent();
    // The base's values; it binds in its first update.
    void Deserialize(Serializer::XmlReader& reader) override;
    // Leaves the logic system; destroys the text object if it is still there.
    void Shutdown() override;
    void Apply() override;
    // Destroys the text object, temporary or not.
    void Remove() override;
    // True while the object exists.
    bool Bind() override;

    // The base's fields with value 0, not applied, then what is shown and how it fades.
    void Setup(f32 timeToLast, const std::string& text, const Math::Vector4& startColour,
               const Math::Vector4& endColour, const Math::Vector4& rate, bool isTemporary);
    const std::string& GetText() const { return m_text; }
    u32 GetTextObjectId() const { return m_textId; }

private:
    void DestroyText();

    std::string m_text;
    Math::Vector4 m_startColour;
    Math::Vector4 m_endColour;
    Math::Vector4 m_rate;
    u32 m_textId; // 0 while there is no text object
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::FloatingTextEffectComponent)
