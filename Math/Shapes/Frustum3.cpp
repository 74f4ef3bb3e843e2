#include "Math/Shapes/Frustum3.h"

#include "Math/Shapes/Segment3.h"

namespace Math
{

void Frustum3::ComputeCorners()
{
    // (u, v, z) of the cube corners; u and v run 0 to 1 across the view, v downwards.
    static constexpr f32 CUBE_CORNERS[CORNER_COUNT][3] = {
        {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}, {0, 0, -1}, {1, 0, -1}, {0, 1, -1}, {1, 1, -1}};
    for (int i = 0; i < CORNER_COUNT; ++i)
    {
        const f32* corner = CUBE_CORNERS[i];
        Vector4 p =
            matrix * Vector4(2.0f * corner[0] - 1.0f, 1.0f - 2.0f * corner[1], corner[2], 1.0f);
        if (p.w != 0.0f)
        {
            p /= p.w;
        }
        corners[i] = p;
    }
}

void Frustum3::Draw(const ColorRGBA* colour) const
{
    static constexpr int EDGE_COUNT = 12;
    static constexpr int EDGES[EDGE_COUNT][2] = {{6, 2}, {0, 4}, {0, 2}, {0, 1}, {1, 3}, {1, 5},
                                                 {3, 7}, {2, 3}, {4, 5}, {5, 7}, {7, 6}, {6, 4}};
    for (const auto& edge : EDGES)
    {
        const Segment3 segment(corners[edge[0]], corners[edge[1]]);
        segment.Draw(colour);
    }
}

} // namespace Math
