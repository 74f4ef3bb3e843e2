#include "Graphics/GraphicsRegistration.h"
#include "Core/SystemFactory.h"
#include "Graphics/GraphicsSystem.h"

namespace Graphics
{
void RegisterGraphics(SystemFactory& factory)
{
    factory.Register<System::GraphicsSystem>("GraphicsSystem");
}
} // namespace Graphics
