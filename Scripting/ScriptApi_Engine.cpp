// The Engine and Input tables: writing to the log, and input as if it came from the devices.
#include "Core/Log.h"
#include "Math/Types.h"
#include "Scripting/CallThunk.h"
#include "Scripting/ScriptApiTables.h"
#include <string>

namespace Scripting
{
namespace
{
// Engine.Output(text): one log line. The text is a script's, so its control characters are
// escaped like a name's: a script cannot write a line that looks like the engine's.
void Output(const char* text)
{
    Core::Log() << std::string(text) << '\n';
}
} // namespace

namespace Api
{
void FillEngineTable(const Namespace& table)
{
    BindFunction(table, "Output", &Output);
}

void FillInputTable(const Namespace& table)
{
    // Input arrives from the devices; these three accept a script's input and drop it.
    BindFunction(table, "ActionMessage", &NoOp<s32, s32, s32>);
    BindFunction(table, "CursorMessage", &NoOp<s32, f32, f32>);
    BindFunction(table, "MoveMessage", &NoOp<s32, f32, f32, s32>);
}
} // namespace Api
} // namespace Scripting
