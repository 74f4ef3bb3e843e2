// The graphics and animation family: window, visibility, models, materials, animation,
// text, glow, lights, particles and the screen fade.
#include "Core/Messages/Graphics/AnimationPlayMessage.h"
#include "Core/Messages/Graphics/AnimationPlayUntilMessage.h"
#include "Core/Messages/Graphics/AnimationSetTimeMessage.h"
#include "Core/Messages/Graphics/AnimationSpeedSetMessage.h"
#include "Core/Messages/Graphics/AnimationSwapMessage.h"
#include "Core/Messages/Graphics/SetBackgroundFadeToMessage.h"
#include "Core/Messages/Graphics/SetGlowMessage.h"
#include "Core/Messages/Graphics/SetGlowToMessage.h"
#include "Core/Messages/Graphics/SetLightDiffuseToMessage.h"
#include "Core/Messages/Graphics/SetLightRadiusToMessage.h"
#include "Core/Messages/Graphics/SetLightSpecularToMessage.h"
#include "Core/Messages/Graphics/SetMaterialMessage.h"
#include "Core/Messages/Graphics/SetModelMessage.h"
#include "Core/Messages/Graphics/SetParticleColorMessage.h"
#include "Core/Messages/Graphics/SetParticlePlayMessage.h"
#include "Core/Messages/Graphics/SetVisibleMessage.h"
#include "Core/Messages/Graphics/TextConstructMessage.h"
#include "Core/Messages/Graphics/WindowResizeMessage.h"
#include "Core/Messages/MessageText.h"

WindowResizeMessage::WindowResizeMessage(u32 senderId, const Math::Vector2& windowSize,
                                         u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(WindowResizeMessage)), windowSize(windowSize)
{
}

WindowResizeMessage::WindowResizeMessage(u32 senderId, const Math::Vector2& windowSize,
                                         const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(WindowResizeMessage)), windowSize(windowSize)
{
}

std::string WindowResizeMessage::ToString() const
{
    return MessageText::Compose("Window Resizing To: ", windowSize);
}

SetVisibleMessage::SetVisibleMessage(u32 senderId, bool visible, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetVisibleMessage)), visible(visible)
{
}

std::string SetVisibleMessage::ToString() const
{
    return visible ? "Setting Object Visible." : "Setting Object Invisible.";
}

SetModelMessage::SetModelMessage(u32 senderId, const std::string& modelName, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetModelMessage)), modelName(modelName)
{
}

std::string SetModelMessage::ToString() const
{
    return "Change Model to: " + modelName;
}

SetMaterialMessage::SetMaterialMessage(u32 senderId, const std::string& materialName,
                                       u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetMaterialMessage)),
      materialName(materialName)
{
}

std::string SetMaterialMessage::ToString() const
{
    return "Change Material to: " + materialName;
}

AnimationPlayMessage::AnimationPlayMessage(u32 senderId, bool play, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AnimationPlayMessage)), play(play)
{
}

std::string AnimationPlayMessage::ToString() const
{
    return play ? "Animation Starting" : "Animation Stopping";
}

AnimationSwapMessage::AnimationSwapMessage(u32 senderId, const std::string& animationName, u32 loop,
                                           u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AnimationSwapMessage)),
      animationName(animationName), loop(loop)
{
}

std::string AnimationSwapMessage::ToString() const
{
    return std::string("Change Animation") + (loop != 0 ? "[Loop]" : "[Single]") +
           " Request: " + animationName + " for GUID: " + std::to_string(targetObjectId);
}

AnimationSpeedSetMessage::AnimationSpeedSetMessage(u32 senderId, f32 speed, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AnimationSpeedSetMessage)), speed(speed)
{
}

std::string AnimationSpeedSetMessage::ToString() const
{
    return MessageText::Compose("Change Animation Speed: ", speed, " for GUID: ", targetObjectId);
}

AnimationPlayUntilMessage::AnimationPlayUntilMessage(u32 senderId, f32 time, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AnimationPlayUntilMessage)), time(time)
{
}

std::string AnimationPlayUntilMessage::ToString() const
{
    return MessageText::Compose("Play Current Animation Until: ", time,
                                " for GUID: ", targetObjectId);
}

AnimationSetTimeMessage::AnimationSetTimeMessage(u32 senderId, f32 time, bool flag,
                                                 u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(AnimationSetTimeMessage)), time(time),
      flag(flag)
{
}

std::string AnimationSetTimeMessage::ToString() const
{
    return MessageText::Compose("Stop Current Animation At: ", time, " for GUID: ", targetObjectId);
}

TextConstructMessage::TextConstructMessage(u32 senderId, const std::string& text,
                                           u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(TextConstructMessage)), text(text)
{
}

std::string TextConstructMessage::ToString() const
{
    return text.empty() ? "Update Text" : "Change Text";
}

SetGlowMessage::SetGlowMessage(u32 senderId, const Math::ColorRGBA& firstColor,
                               const Math::ColorRGBA& secondColor, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetGlowMessage)), firstColor(firstColor),
      secondColor(secondColor)
{
}

std::string SetGlowMessage::ToString() const
{
    return MessageText::Compose(senderId, " setting glow between ", firstColor, " and ",
                                secondColor);
}

SetGlowToMessage::SetGlowToMessage(u32 senderId, const Math::ColorRGBA& color, f32 duration,
                                   u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetGlowToMessage)), color(color),
      duration(duration)
{
}

std::string SetGlowToMessage::ToString() const
{
    return MessageText::Compose(senderId, " setting glow to ", color);
}

SetLightDiffuseToMessage::SetLightDiffuseToMessage(u32 senderId, const Math::ColorRGBA& color,
                                                   f32 duration, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetLightDiffuseToMessage)), color(color),
      duration(duration)
{
}

std::string SetLightDiffuseToMessage::ToString() const
{
    return MessageText::Compose(senderId, " setting light diffuse to ", color);
}

SetLightSpecularToMessage::SetLightSpecularToMessage(u32 senderId, const Math::ColorRGBA& color,
                                                     f32 duration, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetLightSpecularToMessage)), color(color),
      duration(duration)
{
}

std::string SetLightSpecularToMessage::ToString() const
{
    return MessageText::Compose(senderId, " setting light specular to ", color);
}

SetLightRadiusToMessage::SetLightRadiusToMessage(u32 senderId, f32 radius, f32 duration,
                                                 u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetLightRadiusToMessage)), radius(radius),
      duration(duration)
{
}

std::string SetLightRadiusToMessage::ToString() const
{
    return MessageText::Compose(senderId, " setting light radius to ", radius);
}

SetParticlePlayMessage::SetParticlePlayMessage(u32 senderId, bool enable, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetParticlePlayMessage)), enable(enable)
{
}

std::string SetParticlePlayMessage::ToString() const
{
    return std::to_string(senderId) +
           (enable ? " enabling particle emitters for " : " disabling particle emitters for ") +
           std::to_string(targetObjectId);
}

SetBackgroundFadeToMessage::SetBackgroundFadeToMessage(u32 senderId, const Math::ColorRGBA& color,
                                                       f32 duration,
                                                       const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(SetBackgroundFadeToMessage)), color(color),
      duration(duration)
{
}

std::string SetBackgroundFadeToMessage::ToString() const
{
    return MessageText::Compose(senderId, " setting screen fade to ", color);
}

SetParticleColorMessage::SetParticleColorMessage(u32 senderId, const Math::ColorRGBA& color,
                                                 bool start, u32 targetObjectId)
    : Message(senderId, Type, targetObjectId, sizeof(SetParticleColorMessage)), color(color),
      start(start)
{
}

std::string SetParticleColorMessage::ToString() const
{
    return MessageText::Compose(
        targetObjectId,
        start ? " setting particle start color to " : " setting particle end color to ", color);
}
