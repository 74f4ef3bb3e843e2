#include "Graphics/Rendering/OverlayServices.h"

namespace Graphics
{
OverlayServices& GetOverlayServices()
{
    static OverlayServices services;
    return services;
}
} // namespace Graphics
