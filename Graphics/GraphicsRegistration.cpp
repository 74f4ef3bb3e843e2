#include "Graphics/GraphicsRegistration.h"
#include "Core/Engine.h"
#include "Core/SystemFactory.h"
#include "Graphics/Assets/GraphicsAssets.h"
#include "Graphics/GraphicsSystem.h"

namespace Graphics
{
void RegisterGraphics(Engine& engine)
{
    engine.GetSystemFactory().Register<System::GraphicsSystem>("GraphicsSystem");
    // Asset batches reach the graphics managers through their sections; the "FBO" section has
    // no manager until the render targets arrive, and the loader skips it.
    GraphicsAssets::RegisterSections();
}
} // namespace Graphics
