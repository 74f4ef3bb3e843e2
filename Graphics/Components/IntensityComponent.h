#pragma once
// Animates four tween values (red, green, blue, alpha) and writes them into its object's
// render component (intensity) and text component (colour) on every updated frame; either may
// be missing. The values are read within their bounds.
//
// XML, by position: the four tween records. Written as "Red", "Green", "Blue", "Alpha".
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/PingPongValue.h"
#include <array>
#include <string>

namespace Graphics
{
class IntensityComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "GraphicsSystem";
    enum Channel
    {
        Red,
        Green,
        Blue,
        Alpha,
        ChannelCount,
    };

    IntensityComponent();
    IntensityComponent(const IntensityComponent&) = delete;
    IntensityComponent& operator=(const IntensityComponent&) = delete;
    ~IntensityComponent() override;

    QUILL_COMPONENT_TYPE(IntensityComponent)

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

    void Update(f32 seconds);

    std::array<Math::PingPongValue, ChannelCount> channels;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::IntensityComponent)
