#include "Core/CoreServices.h"

namespace Core
{
CoreServices& Services()
{
    static CoreServices services;
    return services;
}
} // namespace Core
