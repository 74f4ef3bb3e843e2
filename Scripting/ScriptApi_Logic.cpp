// The Logic table: the state of the match.
#include "Math/Types.h"
#include "Scripting/CallThunk.h"
#include "Scripting/ScriptApiTables.h"

namespace Scripting
{
namespace Api
{
void FillLogicTable(const Namespace& table)
{
    // Death counts are kept by game logic itself; the entry accepts and ignores its values.
    BindFunction(table, "SetDeathCounter", &NoOp<s32, s32, s32>);
}
} // namespace Api
} // namespace Scripting
