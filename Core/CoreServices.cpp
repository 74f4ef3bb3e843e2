#include "Core/CoreServices.h"

namespace Core
{
CoreServices& Services()
{
    static CoreServices services;
    return services;
}

s32 WindowWidth()
{
    const CoreServices& services = Services();
    return services.windowWidth.IsInstalled() ? services.windowWidth() : DefaultWindowWidth;
}

s32 WindowHeight()
{
    const CoreServices& services = Services();
    return services.windowHeight.IsInstalled() ? services.windowHeight() : DefaultWindowHeight;
}
} // namespace Core
