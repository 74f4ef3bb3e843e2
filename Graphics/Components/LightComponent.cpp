#include "Graphics/Components/LightComponent.h"
#include "Core/Messages/Graphics/SetLightDiffuseToMessage.h"
#include "Core/Messages/Graphics/SetLightSpecularToMessage.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::LightComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Graphics
{
namespace
{
const char* const ChannelNames[LightComponent::ChannelCount] = {
    "DiffuseRed",    "DiffuseGreen", "DiffuseBlue",      "SpecularRed",
    "SpecularGreen", "SpecularBlue", "DiffuseIntensity", "SpecularIntensity"};
const char* const ShadowCasterName = "ShadowCaster";

void MoveColor(std::array<Math::PingPongValue, LightComponent::ChannelCount>& channels,
               LightComponent::Channel first, const Math::ColorRGBA& color, f32 duration)
{
    const f32 targets[3] = {color.r, color.g, color.b};
    for (int i = 0; i < 3; ++i)
        LightComponent::AnimateTo(channels[first + i], targets[i], duration);
}
} // namespace

LightComponent::LightComponent(Kind kind)
    : GameObjectComponent(true), shadowCaster(false), m_kind(kind)
{
}

void LightComponent::Deserialize(Serializer::XmlReader& reader)
{
    for (Math::PingPongValue& channel : channels)
        Serializer::ReadPingPongValue(reader, channel, nullptr);
    Serializer::ReadBool(reader, shadowCaster, nullptr);
}

void LightComponent::Serialize(Serializer::XmlWriter& writer)
{
    for (int i = 0; i < ChannelCount; ++i)
        Serializer::WritePingPongValue(writer, channels[i], ChannelNames[i]);
    Serializer::WriteBool(writer, shadowCaster, ShadowCasterName);
}

void LightComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    if (message->type == SetLightDiffuseToMessage::Type)
    {
        const auto* light = static_cast<SetLightDiffuseToMessage*>(message);
        MoveColor(channels, DiffuseRed, light->color, light->duration);
    }
    else if (message->type == SetLightSpecularToMessage::Type)
    {
        const auto* light = static_cast<SetLightSpecularToMessage*>(message);
        MoveColor(channels, SpecularRed, light->color, light->duration);
    }
}

void LightComponent::Update(f32 seconds)
{
    for (Math::PingPongValue& channel : channels)
        channel.Update(seconds);
}

Math::Vector4 LightComponent::GetDiffuse() const
{
    return Math::Vector4(channels[DiffuseRed].GetClampedValue(),
                         channels[DiffuseGreen].GetClampedValue(),
                         channels[DiffuseBlue].GetClampedValue(), 1.0f);
}

Math::Vector4 LightComponent::GetSpecular() const
{
    return Math::Vector4(channels[SpecularRed].GetClampedValue(),
                         channels[SpecularGreen].GetClampedValue(),
                         channels[SpecularBlue].GetClampedValue(), 1.0f);
}

void LightComponent::AnimateTo(Math::PingPongValue& channel, f32 target, f32 duration)
{
    if (!(duration > 0.0f))
    {
        channel.Set(target, target, target, 0.0f, true, true);
        return;
    }
    const f32 current = channel.GetClampedValue();
    // Set orders the bounds; the rate carries the direction.
    channel.Set(current, target, current, -((current - target) / duration), true, true);
}
} // namespace Graphics
