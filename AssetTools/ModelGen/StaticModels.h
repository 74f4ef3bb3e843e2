#pragma once
// The models the renderer itself draws: the screen quad, the fallback cube, the point-light
// sphere, the sky dome and the arena floor. All are static (vertex type 0).
#include "Graphics/Formats/ModelFile.h"

namespace AssetTools
{
namespace StaticModels
{
// The unit square in the XY plane, centred on the origin, facing +z; uv (0, 0) bottom left.
Graphics::ModelFile Quad();
// A cube of side 1 centred on the origin.
Graphics::ModelFile Cube();
// A sphere of radius 1 with outward faces; `slices` around, `stacks` from pole to pole.
Graphics::ModelFile Sphere(u32 slices, u32 stacks);
// The arena floor: a square grid in the XZ plane facing +y, its texture repeating every tile.
Graphics::ModelFile Ground();
} // namespace StaticModels
} // namespace AssetTools
