#pragma once
// Animates a bloom colour, exposure and scale and adds them to its object's render component
// on every updated frame, after the render components reset theirs: the colours add up, the
// exposure and scale keep the largest, so several glows on one object combine. Global glows go
// into the global bloom, others into the emissive bloom. The values are read within bounds.
//
// XML, by tag: "Global", then the tween records "Red", "Green", "Blue", "Exposure", "Scale".
// Messages: 52 sets a range from one colour to another, 53 moves to a colour over a duration
// (0: at once), 79 sets a constant player colour (0 red, 1 green, 2 blue, 3 yellow; any other
// number changes nothing).
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/PingPongValue.h"
#include <array>
#include <string>

namespace Graphics
{
class GlowComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "GraphicsSystem";
    enum Channel
    {
        Red,
        Green,
        Blue,
        Exposure,
        Scale,
        ChannelCount,
    };
    static constexpr u32 PlayerColorCount = 4;

    GlowComponent();
    GlowComponent(const GlowComponent&) = delete;
    GlowComponent& operator=(const GlowComponent&) = delete;
    ~GlowComponent() override;

    QUILL_COMPONENT_TYPE(GlowComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message* message) override;

    void Update(f32 seconds);

    std::array<Math::PingPongValue, ChannelCount> channels;
    bool global;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::GlowComponent)
