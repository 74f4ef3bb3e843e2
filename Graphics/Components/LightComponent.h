#pragma once
// What every light has: its kind, a diffuse and a specular colour with an intensity each (eight
// animated channels, read within their bounds) and the shadow-caster flag, which starts off.
// The light sits where its object's transform is. The base is not creatable by name: the four
// kinds (point, directional, spot, ambient) register with the graphics system in their own
// constructors and leave it in their destructors, since the base's constructor and destructor
// would file them under the base's name.
//
// XML, by position (names are not compared): diffuse red, green, blue, specular red, green,
// blue, diffuse intensity, specular intensity (each a PingPongValue element), then the
// shadow-caster flag as element text; a kind's own values follow. Serialize writes the same
// elements in the same order, so a written light reads back as the same light.
//
// Messages: 54 moves the diffuse colour and 55 the specular colour to a target within a
// duration (0 or less: at once); the point light answers 56 (radius) as well.
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/PingPongValue.h"
#include "Math/Vector4.h"
#include <array>
#include <string>

namespace Graphics
{
class LightComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "GraphicsSystem";
    enum Kind : u32
    {
        PointKind = 0,
        DirectionalKind = 1,
        SpotKind = 2,
        AmbientKind = 3,
    };
    // In file order.
    enum Channel
    {
        DiffuseRed,
        DiffuseGreen,
        DiffuseBlue,
        SpecularRed,
        SpecularGreen,
        SpecularBlue,
        DiffuseIntensity,
        SpecularIntensity,
        ChannelCount,
    };
    // The debug views of lights are drawn in this colour.
    static constexpr f32 DebugRed = 1.0f;

    explicit LightComponent(Kind kind);
    LightComponent(const LightComponent&) = delete;
    LightComponent& operator=(const LightComponent&) = delete;

    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void HandleMessage(Message* message) override;
    // "Shadow Caster", bound to the flag, then the options group.
    void BuildEditor(Tools::PropertyGroup& group) override;

    // The light's own view for F2; nothing by default.
    virtual void DebugDraw() {}
    // Moves every channel by the time; a kind with values of its own moves them too.
    virtual void Update(f32 seconds);

    Kind GetKind() const { return m_kind; }
    // (red, green, blue, 1).
    Math::Vector4 GetDiffuse() const;
    Math::Vector4 GetSpecular() const;
    f32 GetDiffuseIntensity() const { return channels[DiffuseIntensity].GetClampedValue(); }
    f32 GetSpecularIntensity() const { return channels[SpecularIntensity].GetClampedValue(); }
    bool IsShadowCaster() const { return shadowCaster; }

    // Moves the channel from where it is to the target within the duration, stopping there; a
    // duration of 0 or less sets the target at once.
    static void AnimateTo(Math::PingPongValue& channel, f32 target, f32 duration);

    std::array<Math::PingPongValue, ChannelCount> channels;
    bool shadowCaster;

private:
    Kind m_kind;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::LightComponent)
