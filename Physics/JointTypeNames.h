#pragma once
// The family words of the joint type names: a joint's name is its kind ("Fixed", "Hinge",
// "Spring") followed by one of these.
#include <string>

namespace Physics
{
// "JointComponent": rigid-body joints.
std::string GetJointTypeNameSuffix();
// "ParticleJointComponent": particle joints.
std::string GetParticleJointTypeNameSuffix();
} // namespace Physics
