// The action entries of the Object table: each makes one timed action and hands it to the
// target object's action list in an ActionMessage.
#include "Scripting/ScriptApiTables.h"

namespace Scripting
{
namespace Api
{
void BindActionEntries(const Namespace&) {}
} // namespace Api
} // namespace Scripting
