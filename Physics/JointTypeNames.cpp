#include "Physics/JointTypeNames.h"

namespace Physics
{
std::string GetJointTypeNameSuffix()
{
    return "JointComponent";
}

std::string GetParticleJointTypeNameSuffix()
{
    return "Particle" + GetJointTypeNameSuffix();
}
} // namespace Physics
