#include "Graphics/Components/GlowComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Graphics/SetGlowMessage.h"
#include "Core/Messages/Graphics/SetGlowToMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Components/RenderComponent.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"
#include <algorithm>

QUILL_DEFINE_TYPE_RECORD(Graphics::GlowComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Graphics
{
namespace
{
constexpr f32 StartExposure = 1.0f;
constexpr f32 StartScale = 1.0f;
// Player colours by player number.
constexpr f32 PlayerColors[GlowComponent::PlayerColorCount][3] = {
    {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 0.0f}};

void SetConstant(Math::PingPongValue& channel, f32 value)
{
    channel.Set(value, value, value, 0.0f, false, false);
}
} // namespace

GlowComponent::GlowComponent() : GameObjectComponent(true), global(false)
{
    SetConstant(channels[Exposure], StartExposure);
    SetConstant(channels[Scale], StartScale);
    Core::RegisterWithSystem(SystemName, this);
}

GlowComponent::~GlowComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void GlowComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void GlowComponent::Deserialize(Serializer::XmlReader& reader)
{
    Serializer::ReadBool(reader, global, "Global");
    Serializer::ReadPingPongValue(reader, channels[Red], "Red");
    Serializer::ReadPingPongValue(reader, channels[Green], "Green");
    Serializer::ReadPingPongValue(reader, channels[Blue], "Blue");
    Serializer::ReadPingPongValue(reader, channels[Exposure], "Exposure");
    Serializer::ReadPingPongValue(reader, channels[Scale], "Scale");
}

void GlowComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case SetGlowMessage::Type:
    {
        const auto* glow = static_cast<SetGlowMessage*>(message);
        const f32 from[3] = {glow->firstColor.r, glow->firstColor.g, glow->firstColor.b};
        const f32 to[3] = {glow->secondColor.r, glow->secondColor.g, glow->secondColor.b};
        for (int i = Red; i <= Blue; ++i)
            channels[i].Set(from[i], to[i], from[i], 0.0f, false, false);
        break;
    }
    case SetGlowToMessage::Type:
    {
        const auto* glow = static_cast<SetGlowToMessage*>(message);
        const f32 targets[3] = {glow->color.r, glow->color.g, glow->color.b};
        for (int i = Red; i <= Blue; ++i)
        {
            const f32 current = channels[i].GetClampedValue();
            // No time to move in: the colour is there at once.
            if (!(glow->duration > 0.0f))
                SetConstant(channels[i], targets[i]);
            else
                channels[i].Set(current, targets[i], current,
                                (targets[i] - current) / glow->duration, true, true);
        }
        break;
    }
    case SetPlayerNumberMessage::Type:
    {
        const u32 player = static_cast<SetPlayerNumberMessage*>(message)->playerNumber;
        if (player >= PlayerColorCount)
            break;
        for (int i = Red; i <= Blue; ++i)
            SetConstant(channels[i], PlayerColors[player][i]);
        break;
    }
    default:
        break;
    }
}

void GlowComponent::Update(f32 seconds)
{
    for (Math::PingPongValue& channel : channels)
        channel.Update(seconds);
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    auto* render = owner != nullptr ? owner->GetComponent<RenderComponent>() : nullptr;
    if (render == nullptr)
        return;
    const Math::Vector3 colour(channels[Red].GetClampedValue(), channels[Green].GetClampedValue(),
                               channels[Blue].GetClampedValue());
    const f32 exposure = channels[Exposure].GetClampedValue();
    const f32 scale = channels[Scale].GetClampedValue();
    Math::Vector3& bloomColour = global ? render->bloomGlobalColor : render->bloomEmissiveColor;
    f32& bloomExposure = global ? render->bloomGlobalExposure : render->bloomEmissiveExposure;
    f32& bloomScale = global ? render->bloomGlobalScale : render->bloomEmissiveScale;
    bloomColour =
        Math::Vector3(bloomColour.x + colour.x, bloomColour.y + colour.y, bloomColour.z + colour.z);
    bloomExposure = std::max(bloomExposure, exposure);
    bloomScale = std::max(bloomScale, scale);
}
} // namespace Graphics
