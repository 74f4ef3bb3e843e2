#include "Platform/PlatformServices.h"

namespace Platform
{
PlatformServices& Services()
{
    static PlatformServices services;
    return services;
}
} // namespace Platform
