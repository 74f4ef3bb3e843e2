#pragma once
// One bone of a skeleton: its place in the hierarchy and two rigid transforms, the local one
// (relative to its parent, the bind pose) and the offset one (from model space into the bone's
// space). Matrices are in the model layout of Math::Matrix4.
#include "Math/Matrix4.h"
#include "Math/Quaternion.h"
#include "Math/Vector3.h"
#include <string>
#include <vector>

namespace Graphics
{
struct Bone
{
    static constexpr u32 NoParent = 0xFFFFFFFFu;

    std::string name;
    u32 index = 0;
    u32 parent = NoParent; // always below index
    Math::Vector3 localTranslation;
    Math::Quaternion localRotation;
    Math::Matrix4 localMatrix;
    Math::Vector3 offsetTranslation;
    Math::Quaternion offsetRotation;
    Math::Matrix4 offsetMatrix;
    std::vector<u32> children; // bone indices, in file order
};
} // namespace Graphics
