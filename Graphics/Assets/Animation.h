#pragma once
// A named animation of a skeleton: one track of keys per bone, in bone-index order, each track
// in ascending time.
#include "Graphics/Assets/KeyFrame.h"
#include <string>
#include <vector>

namespace Graphics
{
struct Animation
{
    std::string name;
    f32 duration = 0.0f;
    std::vector<std::vector<KeyFrame>> tracks;
};
} // namespace Graphics
