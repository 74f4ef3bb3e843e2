#include "Physics/PhysicsServices.h"

namespace Physics
{
PhysicsServices& Services()
{
    static PhysicsServices services;
    return services;
}
} // namespace Physics
