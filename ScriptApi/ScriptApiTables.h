#pragma once
// The fill functions of the script API tables, one per table, defined by table area in the
// ScriptApi_*.cpp files; ScriptApi.cpp calls them in registration order. Each binds its entries
// into the open namespace in the table's order. Also the posting helpers the entries share.
#include "Core/Messages/TryNewMessage.h"
#include "Math/Types.h"
#include "Scripting/Namespace.h"
#include <utility>

class Message;
class GameObjectComponent;

namespace Scripting
{
namespace Api
{
// The part named by the log lines of the entries.
constexpr const char* LogName = "Scripting";

// The engine function of the entries that accept their arguments and do nothing.
template <class... Args> void NoOp(Args...) {}

// Posts the message through the engine with the delay. A null message (no memory, already
// logged) posts nothing; without an engine the message is destroyed with one log line.
void Post(Message* message, f32 delay);

// Core::PostNew (Core/Messages/PostNew.h) for the entries: a T from the engine allocator,
// posted with the delay; when no memory can be had nothing is posted and the failure is logged
// once. Unlike Core::PostNew it posts through Post above, so a post without an engine is logged.
template <class T, class... Args> void PostNew(f32 delay, Args&&... args)
{
    Post(TryNewMessage<T>(LogName, std::forward<Args>(args)...), delay);
}

// Hands the component to the object in an AddComponentMessage with the delay. Without memory
// for the message the component is destroyed (logged); a null component posts nothing.
void PostComponent(u32 senderId, GameObjectComponent* component, u32 objectId, f32 delay);

// Tables in registration order.
void FillGlobalTable(const Namespace& table);
// The editor entries of the global table (ScriptApi_Logic.cpp).
void BindEditorEntries(const Namespace& table);
void FillEngineTable(const Namespace& table);
void FillInputTable(const Namespace& table);
void FillMouseTable(const Namespace& table);
void FillControllerTable(const Namespace& table);
void FillObjectTable(const Namespace& table);
// The six action entries of the Object table, between Material and OrbitAround
// (ScriptApi_ObjectActions.cpp).
void BindActionEntries(const Namespace& table);
void FillParticleTable(const Namespace& table);
void FillGameStateTable(const Namespace& table);
void FillAudioTable(const Namespace& table);
void FillGraphicsTable(const Namespace& table);
void FillCameraTable(const Namespace& table);
void FillLogicTable(const Namespace& table);
void FillGeometryTable(const Namespace& table);
void FillAssetLoaderTable(const Namespace& table);
void FillTestTable(const Namespace& table);
} // namespace Api
} // namespace Scripting
