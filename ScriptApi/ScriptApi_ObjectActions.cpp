// The action entries of the Object table: each makes one timed action and hands it to the
// target object's action list in an ActionMessage of kind 12 (add), which owns the action until
// the list takes it over. Object actions block the actions behind them; camera actions do not.
#include "Core/Actions/MoveToAction.h"
#include "Core/Actions/ScaleToAction.h"
#include "Core/Messages/Object/ActionMessage.h"
#include "Graphics/Components/FadeToAction.h"
#include "Graphics/Components/FieldOfViewToAction.h"
#include "Graphics/Components/RotateCameraToAction.h"
#include "Math/MathUtils.h"
#include "Math/Point4.h"
#include "Math/Types.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "ScriptApi/ScriptApiTables.h"
#include "Scripting/CallThunk.h"

namespace Scripting
{
namespace
{
constexpr bool ObjectActionsBlock = true;
constexpr bool CameraActionsBlock = false;

// Without memory for the message the action is deleted here (the failure is logged).
void PostAction(u32 sender, u32 target, Action* action, f32 delay)
{
    auto* message =
        TryNewMessage<ActionMessage>(Api::LogName, sender, ActionMessage::AddType, action, target);
    if (message == nullptr)
    {
        delete action;
        return;
    }
    Api::Post(message, delay);
}

void AddMoveAction(u32 sender, u32 target, f32 x, f32 y, f32 z, f32 duration, f32 delay)
{
    PostAction(sender, target,
               new MoveToAction(Math::Point4(x, y, z, 1.0f), duration, ObjectActionsBlock,
                                /*orient=*/true),
               delay);
}

void AddMoveNoOrientAction(u32 sender, u32 target, f32 x, f32 y, f32 z, f32 duration, f32 delay)
{
    PostAction(sender, target,
               new MoveToAction(Math::Point4(x, y, z, 1.0f), duration, ObjectActionsBlock,
                                /*orient=*/false),
               delay);
}

void AddScaleAction(u32 sender, u32 target, f32 x, f32 y, f32 z, f32 duration, f32 delay)
{
    PostAction(sender, target,
               new ScaleToAction(Math::Vector3(x, y, z), duration, ObjectActionsBlock), delay);
}

void AddFadeAction(u32 sender, u32 target, f32 value, f32 duration, f32 delay)
{
    PostAction(sender, target, new FadeToAction(value, duration, ObjectActionsBlock), delay);
}

void AddCameraFOVAction(u32 sender, u32 target, f32 fieldOfView, f32 duration, f32 delay)
{
    PostAction(sender, target, new FieldOfViewToAction(fieldOfView, duration, CameraActionsBlock),
               delay);
}

// Scripts give the rotation in degrees; the camera turns in radians.
void AddCameraRotationAction(u32 sender, u32 target, f32 first, f32 second, f32 duration, f32 delay)
{
    const Math::Vector2 rotation(first * Math::DEG_TO_RAD, second * Math::DEG_TO_RAD);
    PostAction(sender, target, new RotateCameraToAction(rotation, duration, CameraActionsBlock),
               delay);
}
} // namespace

namespace Api
{
void BindActionEntries(const Namespace& table)
{
    BindFunction<&AddMoveAction>(table, "AddMoveAction");
    BindFunction<&AddMoveNoOrientAction>(table, "AddMoveNoOrientAction");
    BindFunction<&AddScaleAction>(table, "AddScaleAction");
    BindFunction<&AddFadeAction>(table, "AddFadeAction");
    BindFunction<&AddCameraFOVAction>(table, "AddCameraFOVAction");
    BindFunction<&AddCameraRotationAction>(table, "AddCameraRotationAction");
}
} // namespace Api
} // namespace Scripting
