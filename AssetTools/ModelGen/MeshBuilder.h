#pragma once
// Builds a triangle mesh out of simple solids and hands it over as a model file's mesh. Each
// solid is bound rigidly to one bone (weight 1), so a skinned mesh moves piece by piece with its
// skeleton. Faces wind counter-clockwise seen from outside. Texture coordinates of a solid span a
// rectangle of the texture given with it; tangents and binormals are derived from them at the
// end, so that normal maps follow the texture on every model.
#include "Graphics/Formats/ModelFile.h"
#include "Math/Vector3.h"
#include <vector>

namespace AssetTools
{
// A rectangle of texture coordinates: (u0, v0) bottom left, (u1, v1) top right.
struct UvRect
{
    f32 u0 = 0.0f;
    f32 v0 = 0.0f;
    f32 u1 = 1.0f;
    f32 v1 = 1.0f;
};

class MeshBuilder
{
public:
    u32 AddVertex(const Math::Vector3& position, const Math::Vector3& normal, f32 u, f32 v,
                  u32 bone);
    void AddTriangle(u32 a, u32 b, u32 c);

    // An axis-aligned box between two corners; every face gets the whole rectangle.
    void AddBox(const Math::Vector3& low, const Math::Vector3& high, u32 bone, const UvRect& uv);
    // A cylinder (or cone, or frustum) standing on the y axis through `base`: radius `bottom` at
    // base.y, radius `top` at base.y + height; a zero radius leaves that end pointed and uncapped.
    void AddCylinder(const Math::Vector3& base, f32 bottom, f32 top, f32 height, u32 segments,
                     u32 bone, const UvRect& uv);
    // A sphere of latitude rings (`stacks`) and longitude slices; u runs around it from +z
    // towards +x, v from the south pole up.
    void AddSphere(const Math::Vector3& centre, f32 radius, u32 slices, u32 stacks, u32 bone,
                   const UvRect& uv);

    // Writes the mesh into `model` as static (type 0) or skinned (type 1) vertices, with
    // tangents and binormals computed from the texture coordinates.
    void Finish(Graphics::ModelFile& model, bool skinned) const;

    struct Vertex
    {
        Math::Vector3 position;
        Math::Vector3 normal;
        f32 u;
        f32 v;
        u32 bone;
    };
    u32 GetVertexCount() const { return static_cast<u32>(m_vertices.size()); }
    const std::vector<Vertex>& GetVertices() const { return m_vertices; }

private:
    std::vector<Vertex> m_vertices;
    std::vector<u32> m_indices;
};
} // namespace AssetTools
