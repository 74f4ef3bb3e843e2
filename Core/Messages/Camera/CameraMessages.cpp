// The camera family.
#include "Core/Messages/Camera/CameraCycleMessage.h"
#include "Core/Messages/Camera/CameraMountMessage.h"
#include "Core/Messages/Camera/CameraShakeMessage.h"
#include "Core/Messages/Camera/CameraSwitchMessage.h"
#include "Core/Messages/MessageText.h"

namespace
{
// Shake and switch messages go to this system whoever sends them.
constexpr const char* CameraSystemName = "CameraSystem";
} // namespace

CameraCycleMessage::CameraCycleMessage(u32 senderId, bool next, const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(CameraCycleMessage)), next(next)
{
}

std::string CameraCycleMessage::ToString() const
{
    return next ? "Next Camera" : "Previous Camera";
}

CameraMountMessage::CameraMountMessage(u32 senderId, u32 firstObjectId, u32 secondObjectId,
                                       const std::string& targetSystem)
    : Message(senderId, Type, targetSystem, sizeof(CameraMountMessage)),
      firstObjectId(firstObjectId), secondObjectId(secondObjectId)
{
}

std::string CameraMountMessage::ToString() const
{
    std::string firstName;
    std::string secondName;
    if (!MessageText::FindObjectName(firstObjectId, firstName) ||
        !MessageText::FindObjectName(secondObjectId, secondName))
        return std::string();
    return "Mount " + firstName + ": " + secondName;
}

CameraShakeMessage::CameraShakeMessage(u32 senderId, f32 magnitude, f32 duration, bool fade)
    : Message(senderId, Type, CameraSystemName, sizeof(CameraShakeMessage)), magnitude(magnitude),
      duration(duration), fade(fade)
{
}

std::string CameraShakeMessage::ToString() const
{
    return MessageText::Compose("Camera Shaking Mag:", magnitude, " Duration: ", duration,
                                " Fade: ", fade ? 1 : 0);
}

CameraSwitchMessage::CameraSwitchMessage(u32 senderId, u32 camera)
    : Message(senderId, Type, CameraSystemName, sizeof(CameraSwitchMessage)), camera(camera)
{
}

std::string CameraSwitchMessage::ToString() const
{
    return "Switching to camera: " + std::to_string(camera);
}
