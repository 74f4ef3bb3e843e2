#include "Scripting/ScriptServices.h"

namespace Scripting
{
ScriptServices& Services()
{
    static ScriptServices services;
    return services;
}
} // namespace Scripting
