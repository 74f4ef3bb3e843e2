#include "AssetTools/ModelGen/StaticModels.h"
#include "AssetTools/ModelGen/MeshBuilder.h"

namespace AssetTools
{
namespace StaticModels
{
namespace
{
using Math::Vector3;

// The arena: the players are kept within 55 units of the origin, so the floor reaches beyond.
constexpr f32 GroundHalfSize = 64.0f;
constexpr u32 GroundCells = 16;
// World units covered by one repeat of the ground texture.
constexpr f32 GroundTile = 4.0f;
} // namespace

Graphics::ModelFile Quad()
{
    MeshBuilder mesh;
    const Vector3 normal(0, 0, 1);
    mesh.AddVertex(Vector3(-0.5f, -0.5f, 0), normal, 0, 0, 0);
    mesh.AddVertex(Vector3(0.5f, -0.5f, 0), normal, 1, 0, 0);
    mesh.AddVertex(Vector3(0.5f, 0.5f, 0), normal, 1, 1, 0);
    mesh.AddVertex(Vector3(-0.5f, 0.5f, 0), normal, 0, 1, 0);
    mesh.AddTriangle(0, 1, 2);
    mesh.AddTriangle(0, 2, 3);
    Graphics::ModelFile model;
    mesh.Finish(model, false);
    return model;
}

Graphics::ModelFile Cube()
{
    MeshBuilder mesh;
    mesh.AddBox(Vector3(-0.5f, -0.5f, -0.5f), Vector3(0.5f, 0.5f, 0.5f), 0, UvRect());
    Graphics::ModelFile model;
    mesh.Finish(model, false);
    return model;
}

Graphics::ModelFile Sphere(u32 slices, u32 stacks)
{
    MeshBuilder mesh;
    mesh.AddSphere(Vector3(), 1.0f, slices, stacks, 0, UvRect());
    Graphics::ModelFile model;
    mesh.Finish(model, false);
    return model;
}

Graphics::ModelFile Ground()
{
    MeshBuilder mesh;
    const Vector3 up(0, 1, 0);
    const f32 cell = 2.0f * GroundHalfSize / static_cast<f32>(GroundCells);
    // Rows run from +z towards -z, so u follows x and v follows -z: the texture reads upright
    // from a camera looking down the -z axis.
    for (u32 row = 0; row <= GroundCells; ++row)
    {
        for (u32 column = 0; column <= GroundCells; ++column)
        {
            const f32 x = -GroundHalfSize + cell * static_cast<f32>(column);
            const f32 z = GroundHalfSize - cell * static_cast<f32>(row);
            mesh.AddVertex(Vector3(x, 0, z), up, (x + GroundHalfSize) / GroundTile,
                           (GroundHalfSize - z) / GroundTile, 0);
        }
    }
    const u32 stride = GroundCells + 1;
    for (u32 row = 0; row < GroundCells; ++row)
    {
        for (u32 column = 0; column < GroundCells; ++column)
        {
            const u32 a = row * stride + column, b = a + 1, c = b + stride, d = a + stride;
            mesh.AddTriangle(a, b, c);
            mesh.AddTriangle(a, c, d);
        }
    }
    Graphics::ModelFile model;
    mesh.Finish(model, false);
    return model;
}
} // namespace StaticModels
} // namespace AssetTools
