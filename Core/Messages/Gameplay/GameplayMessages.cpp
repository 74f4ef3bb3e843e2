// The gameplay family: transforms, players, AI, the end of a game, health bars and
// emitters.
#include "Core/Messages/Gameplay/DefeatMessage.h"
#include "Core/Messages/Gameplay/DirectionAddMessage.h"
#include "Core/Messages/Gameplay/DirectionSetMessage.h"
#include "Core/Messages/Gameplay/KillAIMessage.h"
#include "Core/Messages/Gameplay/OrientationSetMessage.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Gameplay/ReviveDeadPlayersMessage.h"
#include "Core/Messages/Gameplay/ScaleSetMessage.h"
#include "Core/Messages/Gameplay/SetEmitterCountMessage.h"
#include "Core/Messages/Gameplay/SetEmitterIntervalMessage.h"
#include "Core/Messages/Gameplay/SetHealthbarColorMessage.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Gameplay/VictoryMessage.h"
#include "Core/Messages/MessageText.h"
#include "Math/Vector2.h"

DirectionSetMessage::DirectionSetMessage(u32 senderId, const Math::Vector4& direction,
                                         u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(DirectionSetMessage)), direction(direction)
{
}

std::string DirectionSetMessage::ToString() const
{
    std::string label;
    if (MessageText::FindObjectLabel(targetObjectId, label))
        return MessageText::Compose(senderId, " setting direction of ", label, " to ", direction);
    return MessageText::Compose(
        senderId, " attempted to set direction of non-existing object: ", targetObjectId);
}

PositionSetMessage::PositionSetMessage(u32 senderId, const Math::Vector4& position,
                                       u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(PositionSetMessage)), position(position)
{
}

std::string PositionSetMessage::ToString() const
{
    std::string label;
    if (MessageText::FindObjectLabel(targetObjectId, label))
        return MessageText::Compose(senderId, " setting position of ", label, " to ", position);
    return MessageText::Compose(senderId,
                                " attempted to set position of unfound object: ", targetObjectId);
}

ScaleSetMessage::ScaleSetMessage(u32 senderId, const Math::Vector3& scale, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(ScaleSetMessage)), scale(scale)
{
}

std::string ScaleSetMessage::ToString() const
{
    std::string label;
    if (MessageText::FindObjectLabel(targetObjectId, label))
        return MessageText::Compose(senderId, " setting scale of ", label, " to ", scale);
    return MessageText::Compose(senderId,
                                " attempted to set scale of unfound object: ", targetObjectId);
}

OrientationSetMessage::OrientationSetMessage(u32 senderId, const Math::Vector3& orientation,
                                             u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(OrientationSetMessage)),
      orientation(orientation)
{
}

std::string OrientationSetMessage::ToString() const
{
    std::string label;
    if (MessageText::FindObjectLabel(targetObjectId, label))
        return MessageText::Compose(senderId, " setting orientation of ", label, " to ",
                                    orientation);
    return MessageText::Compose(
        senderId, " attempted to set orientation of unfound object: ", targetObjectId);
}

DirectionAddMessage::DirectionAddMessage(u32 senderId, const Math::Vector4& direction,
                                         u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(DirectionAddMessage)), direction(direction)
{
}

std::string DirectionAddMessage::ToString() const
{
    std::string label;
    if (MessageText::FindObjectLabel(targetObjectId, label))
        return MessageText::Compose(senderId, " adding direction: ", direction, " to ", label);
    return MessageText::Compose(
        senderId, " attempted to add direction to non-existing object: ", targetObjectId);
}

SetPlayerNumberMessage::SetPlayerNumberMessage(u32 senderId, u32 playerNumber, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetPlayerNumberMessage)),
      playerNumber(playerNumber)
{
}

std::string SetPlayerNumberMessage::ToString() const
{
    std::string name;
    if (!MessageText::FindObjectName(targetObjectId, name))
        return "Attempted to set player number on an unidentified object";
    return std::to_string(senderId) + " is setting " + std::to_string(targetObjectId) + ": " +
           name + " to player " + std::to_string(playerNumber);
}

KillAIMessage::KillAIMessage(u32 senderId, const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(KillAIMessage))
{
}

std::string KillAIMessage::ToString() const
{
    return std::to_string(senderId) + " has requested that all AI entities be killed";
}

VictoryMessage::VictoryMessage(u32 senderId, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(VictoryMessage))
{
}

std::string VictoryMessage::ToString() const
{
    return "Game Victory.";
}

DefeatMessage::DefeatMessage(u32 senderId, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(DefeatMessage))
{
}

std::string DefeatMessage::ToString() const
{
    return "Game Defeat.";
}

SetHealthbarColorMessage::SetHealthbarColorMessage(u32 senderId, const Math::ColorRGBA& color,
                                                   u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetHealthbarColorMessage)), color(color)
{
}

std::string SetHealthbarColorMessage::ToString() const
{
    return MessageText::Compose(color);
}

ReviveDeadPlayersMessage::ReviveDeadPlayersMessage(u32 senderId, const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(ReviveDeadPlayersMessage))
{
}

std::string ReviveDeadPlayersMessage::ToString() const
{
    return "Reviving all dead players";
}

SetEmitterIntervalMessage::SetEmitterIntervalMessage(u32 senderId, f32 interval, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetEmitterIntervalMessage)), interval(interval)
{
}

std::string SetEmitterIntervalMessage::ToString() const
{
    return MessageText::Compose("Setting emitter emit interval to: ", interval);
}

SetEmitterCountMessage::SetEmitterCountMessage(u32 senderId, f32 minimum, f32 maximum,
                                               u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetEmitterCountMessage)), minimum(minimum),
      maximum(maximum)
{
}

std::string SetEmitterCountMessage::ToString() const
{
    return MessageText::Compose("Setting emitter emit count range to: ",
                                Math::Vector2(minimum, maximum));
}
