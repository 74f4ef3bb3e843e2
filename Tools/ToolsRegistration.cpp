#include "Tools/ToolsRegistration.h"
#include "Core/Engine.h"
#include "Core/SystemFactory.h"
#include "Tools/ToolsSystem.h"

namespace Tools
{
void RegisterTools(Engine& engine)
{
    engine.GetSystemFactory().Register<System::ToolsSystem>("ToolsSystem");
}
} // namespace Tools
