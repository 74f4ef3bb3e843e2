// The Engine, Input, Mouse, Controller and AssetLoader tables: writing to the log, creating and
// destroying objects, input as if it came from the devices, and loading asset batches. The
// input entries post the raw messages the input system posts, so they are translated alike.
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Input/ControllerButtonMessage.h"
#include "Core/Messages/Input/ControllerStickMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Input/MouseButtonMessage.h"
#include "Core/Messages/Input/MouseMoveMessage.h"
#include "Core/Messages/Input/MouseWheelMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/AssetLoaderSystem.h"
#include "Core/System/InputSystem.h"
#include "Math/Types.h"
#include "Math/Vector2.h"
#include "ScriptApi/ScriptApiTables.h"
#include "Scripting/CallThunk.h"
#include "Scripting/CallingScript.h"
#include <climits>
#include <string>
#include <string_view>

namespace Scripting
{
namespace
{
// Objects that Engine.DestroyParentOf never destroys: the game-state test object and the
// cursor, which other systems keep pointers to.
constexpr const char* KeptObjectNames[] = {"GameStateTest", "Cursor"};

// The sender and the object of a creation, destruction or input message are ids; no message
// here has a target object.
constexpr u32 NoTarget = 0;

// A player count of 0 means keyboard and mouse: one player.
constexpr s32 PlayersWithoutController = 1;

GameFactory* Factory()
{
    return Engine::Factory();
}

// Engine.Output(text): one log line. The text is a script's, so its control characters are
// escaped like a name's: a script cannot write a line that looks like the engine's. Passed as a
// view, which the log escapes as it does a string, so that no copy is made.
void Output(const char* text)
{
    Core::Log() << std::string_view(text) << '\n';
}

// Engine.CreateObjectDelayed(sender, archetype, delay): the id is reserved before the post, so
// the script can address the object in messages it posts next. The object records the calling
// script, so that an ability's object knows which ability fired it.
u32 CreateObjectDelayed(u32 sender, const char* archetype, f32 delay)
{
    const u32 id = GenerateIdLocked();
    Api::PostNew<ObjectCreateMessage>(delay, sender, id, std::string(archetype), NoTarget,
                                      Scripting::CallingScriptId());
    return id;
}

u32 CreateObject(u32 sender, const char* archetype)
{
    return CreateObjectDelayed(sender, archetype, 0.0f);
}

void DestroyObjectDelayed(u32 sender, u32 objectId, f32 delay)
{
    Api::PostNew<ObjectDestroyMessage>(delay, sender, objectId, NoTarget);
}

void DestroyObject(u32 sender, u32 objectId)
{
    DestroyObjectDelayed(sender, objectId, 0.0f);
}

// Engine.DestroyParentOf(sender, component id): the object holding the component, unless it is
// one of the kept objects or there is none.
void DestroyParentOf(u32 sender, u32 componentId)
{
    GameFactory* factory = Factory();
    const GameObject* parent =
        factory != nullptr ? factory->FindObjectWithComponent(componentId) : nullptr;
    if (parent == nullptr)
        return;
    const std::string name = parent->GetName();
    for (const char* kept : KeptObjectNames)
    {
        if (name == kept)
            return;
    }
    Api::PostNew<ObjectDestroyMessage>(0.0f, sender, parent->GetId(), NoTarget);
}

// Engine.DestroyRecentObjects(ignored, first id): at once, every object from the first id on.
// State scripts call it in their Unload; a script component destroyed on the way is kept alive
// until its running call returns (LuaComponent).
void DestroyRecentObjects(s32, u32 firstId)
{
    if (GameFactory* factory = Factory())
        factory->DestroyObjectsFrom(firstId);
}

// Input.KeyboardMessage(sender, key, state): the key code is the first character, read as a
// signed byte; "" gives 0.
void PostKeyboard(u32 sender, const char* key, u32 state)
{
    const u32 keyCode =
        key != nullptr ? static_cast<u32>(static_cast<s32>(static_cast<signed char>(key[0]))) : 0;
    Api::PostNew<KeyboardMessage>(0.0f, sender, keyCode, state, NoTarget);
}

s32 GetNumberOfPlayers()
{
    const Core::System::InputSystem* input = Core::System::InputSystem::Instance();
    const u32 controllers = input != nullptr ? input->GetControllerCount() : 0;
    return controllers == 0 ? PlayersWithoutController : static_cast<s32>(controllers);
}

const Math::Vector2& CursorPosition()
{
    return Core::System::InputSystem::GetCursorPosition();
}

void PostMouseButton(u32 sender, u32 button, u32 state)
{
    Api::PostNew<MouseButtonMessage>(0.0f, sender, CursorPosition(), button, state, NoTarget);
}

// Mouse.WheelMessage(sender, amount, direction): the amount's magnitude is the step count
// (INT_MIN, whose magnitude has no s32, gives INT_MAX).
void PostMouseWheel(u32 sender, s32 amount, bool direction)
{
    const u32 steps = amount >= 0         ? static_cast<u32>(amount)
                      : amount == INT_MIN ? static_cast<u32>(INT_MAX)
                                          : static_cast<u32>(-amount);
    Api::PostNew<MouseWheelMessage>(0.0f, sender, CursorPosition(), steps,
                                    static_cast<u08>(direction ? 1 : 0), NoTarget);
}

void PostMouseMove(u32 sender, f32 dx, f32 dy)
{
    Api::PostNew<MouseMoveMessage>(0.0f, sender, CursorPosition(), Math::Vector2(dx, dy), NoTarget);
}

void PostControllerButton(u32 sender, u32 controller, u32 button, u32 state)
{
    Api::PostNew<ControllerButtonMessage>(0.0f, sender, controller, button, state, NoTarget);
}

void PostControllerStick(u32 sender, u32 controller, u32 axis, f32 value)
{
    Api::PostNew<ControllerStickMessage>(0.0f, sender, controller, axis, value, NoTarget);
}

// AssetLoader.LoadAssetBatch(name, in the background): the background task gets its own copy of
// the name, since the script's string lives only during this call.
void LoadAssetBatch(const char* name, bool background)
{
    Core::System::AssetLoaderSystem* loader = Core::System::AssetLoaderSystem::Instance();
    const std::string batch = name != nullptr ? name : "";
    if (loader == nullptr)
    {
        Core::Log() << "Error [" << Api::LogName << "]: AssetLoader.LoadAssetBatch: there is no "
                    << "asset loader; batch " << batch << " is not loaded\n";
        return;
    }
    if (background)
        loader->LoadBatchInBackground(batch);
    else
        loader->LoadBatch(batch);
}
} // namespace

namespace Api
{
void FillEngineTable(const Namespace& table)
{
    BindFunction<&Output>(table, "Output");
    BindFunction<&CreateObject>(table, "CreateObject");
    BindFunction<&CreateObjectDelayed>(table, "CreateObjectDelayed");
    BindFunction<&DestroyObject>(table, "DestroyObject");
    BindFunction<&DestroyObjectDelayed>(table, "DestroyObjectDelayed");
    BindFunction<&DestroyParentOf>(table, "DestroyParentOf");
    BindFunction<&DestroyRecentObjects>(table, "DestroyRecentObjects");
}

void FillInputTable(const Namespace& table)
{
    // Input arrives from the devices; these three accept a script's input and drop it.
    BindFunction<&NoOp<s32, s32, s32>>(table, "ActionMessage");
    BindFunction<&NoOp<s32, f32, f32>>(table, "CursorMessage");
    BindFunction<&NoOp<s32, f32, f32, s32>>(table, "MoveMessage");
    BindFunction<&PostKeyboard>(table, "KeyboardMessage");
    BindFunction<&GetNumberOfPlayers>(table, "GetNumberOfPlayers");
}

void FillMouseTable(const Namespace& table)
{
    BindFunction<&PostMouseButton>(table, "ButtonMessage");
    BindFunction<&PostMouseWheel>(table, "WheelMessage");
    BindFunction<&PostMouseMove>(table, "MoveMessage");
}

void FillControllerTable(const Namespace& table)
{
    BindFunction<&PostControllerButton>(table, "ButtonMessage");
    BindFunction<&PostControllerStick>(table, "StickMessage");
}

void FillAssetLoaderTable(const Namespace& table)
{
    BindFunction<&LoadAssetBatch>(table, "LoadAssetBatch");
}
} // namespace Api
} // namespace Scripting
