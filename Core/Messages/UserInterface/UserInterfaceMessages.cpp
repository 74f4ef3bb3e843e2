// The game-state and user-interface family (besides GameStateMessage): states, levels,
// pages, buttons, pointers and heads-up-display elements.
#include "Core/Messages/MessageText.h"
#include "Core/Messages/UserInterface/AddHudElementMessage.h"
#include "Core/Messages/UserInterface/ChangeButtonFunctionMessage.h"
#include "Core/Messages/UserInterface/ChangePageMessage.h"
#include "Core/Messages/UserInterface/GoToStateMessage.h"
#include "Core/Messages/UserInterface/NextLevelMessage.h"
#include "Core/Messages/UserInterface/RemoveHudElementMessage.h"
#include "Core/Messages/UserInterface/SetHudVisibleMessage.h"
#include "Core/Messages/UserInterface/SetPointerPosMessage.h"

GoToStateMessage::GoToStateMessage(u32 senderId, const std::string& stateName, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(GoToStateMessage)), stateName(stateName)
{
}

std::string GoToStateMessage::ToString() const
{
    return "Going to " + stateName + " state.";
}

AddHudElementMessage::AddHudElementMessage(u32 senderId, u32 elementId,
                                           const std::string& materialName, const std::string& text,
                                           f32 x, f32 y, u32 screenAlignment, u32 elementAlignment,
                                           u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AddHudElementMessage)),
      materialName(materialName), text(text), elementId(elementId), x(x), y(y),
      screenAlignment(screenAlignment), elementAlignment(elementAlignment)
{
}

std::string AddHudElementMessage::ToString() const
{
    return "Adding HUD element: " + std::to_string(elementId) + " with text \"" + text + "\"";
}

RemoveHudElementMessage::RemoveHudElementMessage(u32 senderId, u32 elementId, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(RemoveHudElementMessage)), elementId(elementId)
{
}

std::string RemoveHudElementMessage::ToString() const
{
    return "Removing HUD element: " + std::to_string(elementId);
}

SetHudVisibleMessage::SetHudVisibleMessage(u32 senderId, f32 visibility, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetHudVisibleMessage)), visibility(visibility)
{
}

std::string SetHudVisibleMessage::ToString() const
{
    return MessageText::Compose("Setting HUD element visibility: ", visibility, '\n');
}

ChangePageMessage::ChangePageMessage(u32 senderId, const std::string& pageName, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(ChangePageMessage)), pageName(pageName)
{
}

std::string ChangePageMessage::ToString() const
{
    return "Change Page: " + pageName;
}

NextLevelMessage::NextLevelMessage(u32 senderId, const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(NextLevelMessage))
{
}

std::string NextLevelMessage::ToString() const
{
    return "Going to next level and reloading next state script.";
}

ChangeButtonFunctionMessage::ChangeButtonFunctionMessage(u32 senderId,
                                                         const std::string& buttonName,
                                                         const std::string& functionName,
                                                         const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(ChangeButtonFunctionMessage)),
      buttonName(buttonName), functionName(functionName)
{
}

std::string ChangeButtonFunctionMessage::ToString() const
{
    return "Changing " + buttonName + " lua function to " + functionName;
}

SetPointerPosMessage::SetPointerPosMessage(u32 senderId, u32 controller, f32 x, f32 y,
                                           const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(SetPointerPosMessage)), x(x), y(y),
      controller(controller)
{
}

std::string SetPointerPosMessage::ToString() const
{
    return MessageText::Compose("Setting Controller: ", controller, " to position (", x, ", ", y,
                                ") relative to buttons.");
}
