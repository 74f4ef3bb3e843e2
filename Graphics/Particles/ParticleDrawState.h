#pragma once
// What one particle pass hands each emitter it draws: the stream buffer the draw records go
// through, the camera's view matrix (sprites face it unless the emitter faces its emission
// direction) and the counters of the frame's statistics.
#include "Math/Matrix4.h"
#include "Math/Types.h"

namespace Graphics
{
struct ParticleDrawState
{
    u32 vertexBuffer = 0;
    u32 vertexArray = 0;
    Math::Matrix4 viewMatrix; // OpenGL layout
    u32 effectsDrawn = 0;
    u32 particlesDrawn = 0;
};
} // namespace Graphics
