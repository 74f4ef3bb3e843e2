#include "Graphics/GraphicsRegistration.h"
#include "Core/Engine.h"
#include "Core/SystemFactory.h"
#include "Graphics/GraphicsSystem.h"

namespace Graphics
{
void RegisterGraphics(Engine& engine)
{
    engine.GetSystemFactory().Register<System::GraphicsSystem>("GraphicsSystem");
}
} // namespace Graphics
