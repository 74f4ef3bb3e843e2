#include "Graphics/Components/IntensityComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Components/TextComponent.h"
#include "Xml/MathValueXml.h"
#include "Xml/XmlWriter.h"
#include <tinyxml2.h>

QUILL_DEFINE_TYPE_RECORD(Graphics::IntensityComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Graphics
{
namespace
{
constexpr const char* ChannelTags[IntensityComponent::ChannelCount] = {"Red", "Green", "Blue",
                                                                       "Alpha"};
constexpr f32 FullIntensity = 1.0f;

// The attributes in the order the reader takes them: min, max, value, rate, an unused part and
// the two stop flags.
void WriteTween(Serializer::XmlWriter& writer, const Math::PingPongValue& value, const char* tag)
{
    tinyxml2::XMLElement* element = writer.AppendElement(tag, tag);
    if (element == nullptr)
        return;
    element->SetAttribute("min", value.min);
    element->SetAttribute("max", value.max);
    element->SetAttribute("value", value.value);
    element->SetAttribute("rate", value.rate);
    element->SetAttribute("unused", 0u);
    element->SetAttribute("stopAtMin", value.stopAtMin ? 1 : 0);
    element->SetAttribute("stopAtMax", value.stopAtMax ? 1 : 0);
}
} // namespace

IntensityComponent::IntensityComponent() : GameObjectComponent(true)
{
    // Full intensity and opaque until a file says otherwise.
    for (Math::PingPongValue& channel : channels)
        channel.Set(FullIntensity, FullIntensity, FullIntensity, 0.0f, false, false);
    Core::RegisterWithSystem(SystemName, this);
}

IntensityComponent::~IntensityComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void IntensityComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void IntensityComponent::Deserialize(Serializer::XmlReader& reader)
{
    for (Math::PingPongValue& channel : channels)
        Serializer::ReadPingPongValue(reader, channel, "");
}

void IntensityComponent::Serialize(Serializer::XmlWriter& writer)
{
    for (int i = 0; i < ChannelCount; ++i)
        WriteTween(writer, channels[i], ChannelTags[i]);
}

void IntensityComponent::Update(f32 seconds)
{
    for (Math::PingPongValue& channel : channels)
        channel.Update(seconds);
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    if (owner == nullptr)
        return;
    const f32 red = channels[Red].GetClampedValue();
    const f32 green = channels[Green].GetClampedValue();
    const f32 blue = channels[Blue].GetClampedValue();
    if (auto* render = owner->GetComponent<RenderComponent>())
        render->intensity = Math::Vector3(red, green, blue);
    if (auto* text = owner->GetComponent<TextComponent>())
        text->color = Math::ColorRGBA(red, green, blue, channels[Alpha].GetClampedValue());
}
} // namespace Graphics
