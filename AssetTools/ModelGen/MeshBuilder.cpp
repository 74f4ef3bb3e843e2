#include "AssetTools/ModelGen/MeshBuilder.h"
#include "Math/MathUtils.h"
#include <cmath>
#include <cstring>

namespace AssetTools
{
namespace
{
using Math::Vector3;

// Below this a tangent or a texture-space area counts as zero.
constexpr f32 Degenerate = 1e-8f;

f32 Dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 Cross(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Vector3 Normalized(const Vector3& v)
{
    const f32 length = std::sqrt(Dot(v, v));
    return length > Degenerate ? v * (1.0f / length) : Vector3();
}

// Any unit vector at right angles to a unit normal.
Vector3 AnyPerpendicular(const Vector3& normal)
{
    const Vector3 axis = std::fabs(normal.x) < 0.9f ? Vector3(1, 0, 0) : Vector3(0, 1, 0);
    return Normalized(Cross(axis, normal));
}

f32 Lerp(f32 a, f32 b, f32 t)
{
    return a + (b - a) * t;
}

struct Face
{
    Vector3 normal;
    Vector3 u;
    Vector3 v;
};

// The six faces of a box; u x v = normal, so (-u,-v), (+u,-v), (+u,+v), (-u,+v) wind
// counter-clockwise seen from outside.
const Face BoxFaces[] = {
    {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
};

void WriteFloats(u08*& out, const f32* values, std::size_t count)
{
    std::memcpy(out, values, count * sizeof(f32));
    out += count * sizeof(f32);
}
} // namespace

u32 MeshBuilder::AddVertex(const Vector3& position, const Vector3& normal, f32 u, f32 v, u32 bone)
{
    m_vertices.push_back(Vertex{position, normal, u, v, bone});
    return static_cast<u32>(m_vertices.size() - 1);
}

void MeshBuilder::AddTriangle(u32 a, u32 b, u32 c)
{
    m_indices.push_back(a);
    m_indices.push_back(b);
    m_indices.push_back(c);
}

void MeshBuilder::AddBox(const Vector3& low, const Vector3& high, u32 bone, const UvRect& uv)
{
    const Vector3 centre = (low + high) * 0.5f;
    const Vector3 half = (high - low) * 0.5f;
    const auto extent = [&](const Vector3& axis)
    { return Vector3(axis.x * half.x, axis.y * half.y, axis.z * half.z); };
    for (const Face& face : BoxFaces)
    {
        const Vector3 middle = centre + extent(face.normal);
        const Vector3 du = extent(face.u);
        const Vector3 dv = extent(face.v);
        const u32 first = AddVertex(middle - du - dv, face.normal, uv.u0, uv.v0, bone);
        AddVertex(middle + du - dv, face.normal, uv.u1, uv.v0, bone);
        AddVertex(middle + du + dv, face.normal, uv.u1, uv.v1, bone);
        AddVertex(middle - du + dv, face.normal, uv.u0, uv.v1, bone);
        AddTriangle(first, first + 1, first + 2);
        AddTriangle(first, first + 2, first + 3);
    }
}

void MeshBuilder::AddCylinder(const Vector3& base, f32 bottom, f32 top, f32 height, u32 segments,
                              u32 bone, const UvRect& uv)
{
    // The side's normal leans up by the slope of the side (a cone's normals tilt towards its tip).
    const f32 slope = (bottom - top) / height;
    const u32 side = GetVertexCount();
    for (u32 i = 0; i <= segments; ++i)
    {
        const f32 t = static_cast<f32>(i) / static_cast<f32>(segments);
        const f32 angle = Math::TWO_PI * t;
        const f32 s = std::sin(angle), c = std::cos(angle);
        const Vector3 normal = Normalized(Vector3(s, slope, c));
        const f32 u = Lerp(uv.u0, uv.u1, t);
        AddVertex(base + Vector3(bottom * s, 0, bottom * c), normal, u, uv.v0, bone);
        AddVertex(base + Vector3(top * s, height, top * c), normal, u, uv.v1, bone);
    }
    for (u32 i = 0; i < segments; ++i)
    {
        const u32 b0 = side + 2 * i, t0 = b0 + 1, b1 = b0 + 2, t1 = b0 + 3;
        if (bottom > 0.0f)
            AddTriangle(b0, b1, t1);
        if (top > 0.0f)
            AddTriangle(b0, t1, t0);
    }
    // Flat caps, their texture coordinates a disc inside the rectangle.
    for (const bool upper : {false, true})
    {
        const f32 radius = upper ? top : bottom;
        if (radius <= 0.0f)
            continue;
        const Vector3 normal(0, upper ? 1.0f : -1.0f, 0);
        const Vector3 centre = base + Vector3(0, upper ? height : 0.0f, 0);
        const f32 midU = (uv.u0 + uv.u1) * 0.5f, midV = (uv.v0 + uv.v1) * 0.5f;
        const f32 halfU = (uv.u1 - uv.u0) * 0.5f, halfV = (uv.v1 - uv.v0) * 0.5f;
        const u32 middle = AddVertex(centre, normal, midU, midV, bone);
        for (u32 i = 0; i <= segments; ++i)
        {
            const f32 angle = Math::TWO_PI * static_cast<f32>(i) / static_cast<f32>(segments);
            const f32 s = std::sin(angle), c = std::cos(angle);
            // Seen from above, u follows x and v follows -z, as on the ground.
            AddVertex(centre + Vector3(radius * s, 0, radius * c), normal, midU + halfU * s,
                      midV - halfV * c, bone);
        }
        for (u32 i = 0; i < segments; ++i)
        {
            if (upper)
                AddTriangle(middle, middle + 1 + i, middle + 2 + i);
            else
                AddTriangle(middle, middle + 2 + i, middle + 1 + i);
        }
    }
}

void MeshBuilder::AddSphere(const Vector3& centre, f32 radius, u32 slices, u32 stacks, u32 bone,
                            const UvRect& uv)
{
    const u32 first = GetVertexCount();
    for (u32 j = 0; j <= stacks; ++j)
    {
        const f32 v = static_cast<f32>(j) / static_cast<f32>(stacks);
        const f32 latitude = Math::PI * (v - 0.5f);
        for (u32 i = 0; i <= slices; ++i)
        {
            const f32 u = static_cast<f32>(i) / static_cast<f32>(slices);
            const f32 longitude = Math::TWO_PI * u;
            const Vector3 normal(std::cos(latitude) * std::sin(longitude), std::sin(latitude),
                                 std::cos(latitude) * std::cos(longitude));
            AddVertex(centre + normal * radius, normal, Lerp(uv.u0, uv.u1, u),
                      Lerp(uv.v0, uv.v1, v), bone);
        }
    }
    const u32 row = slices + 1;
    for (u32 j = 0; j < stacks; ++j)
    {
        for (u32 i = 0; i < slices; ++i)
        {
            const u32 a = first + j * row + i, b = a + 1, c = b + row, d = a + row;
            // The rings at the poles are single points: skip the triangle that would be a line.
            if (j > 0)
                AddTriangle(a, b, c);
            if (j + 1 < stacks)
                AddTriangle(a, c, d);
        }
    }
}

void MeshBuilder::Finish(Graphics::ModelFile& model, bool skinned) const
{
    // Accumulate each triangle's texture-space directions on its corners.
    std::vector<Vector3> tangents(m_vertices.size()), binormals(m_vertices.size());
    for (std::size_t t = 0; t + 2 < m_indices.size(); t += 3)
    {
        const Vertex& a = m_vertices[m_indices[t]];
        const Vertex& b = m_vertices[m_indices[t + 1]];
        const Vertex& c = m_vertices[m_indices[t + 2]];
        const Vector3 e1 = b.position - a.position, e2 = c.position - a.position;
        const f32 du1 = b.u - a.u, dv1 = b.v - a.v, du2 = c.u - a.u, dv2 = c.v - a.v;
        const f32 area = du1 * dv2 - du2 * dv1;
        if (std::fabs(area) < Degenerate)
            continue;
        const f32 r = 1.0f / area;
        const Vector3 tangent = (e1 * dv2 - e2 * dv1) * r;
        const Vector3 binormal = (e2 * du1 - e1 * du2) * r;
        for (std::size_t k = 0; k < 3; ++k)
        {
            tangents[m_indices[t + k]] += tangent;
            binormals[m_indices[t + k]] += binormal;
        }
    }

    model.hasMesh = true;
    model.vertexType = skinned ? Graphics::SkinnedVertexType : Graphics::StaticVertexType;
    model.stride = Graphics::VertexStrideOf(model.vertexType);
    model.vertexCount = static_cast<u32>(m_vertices.size());
    model.triangleCount = static_cast<u32>(m_indices.size() / 3);
    model.indices = m_indices;
    model.vertices.assign(static_cast<std::size_t>(model.vertexCount) * model.stride, 0);
    u08* out = model.vertices.data();
    for (std::size_t i = 0; i < m_vertices.size(); ++i)
    {
        const Vertex& vertex = m_vertices[i];
        const Vector3& n = vertex.normal;
        // Tangent at right angles to the normal; binormal completes the frame on the side the
        // texture's v runs.
        Vector3 tangent = Normalized(tangents[i] - n * Dot(n, tangents[i]));
        if (Dot(tangent, tangent) == 0.0f)
            tangent = AnyPerpendicular(n);
        Vector3 binormal = Cross(n, tangent);
        if (Dot(binormal, binormals[i]) < 0.0f)
            binormal = binormal * -1.0f;
        const f32 record[] = {vertex.position.x,
                              vertex.position.y,
                              vertex.position.z,
                              n.x,
                              n.y,
                              n.z,
                              vertex.u,
                              vertex.v,
                              tangent.x,
                              tangent.y,
                              tangent.z,
                              binormal.x,
                              binormal.y,
                              binormal.z};
        WriteFloats(out, record, sizeof(record) / sizeof(record[0]));
        if (skinned)
        {
            const f32 skin[] = {1.0f, 0.0f, 0.0f, 0.0f, static_cast<f32>(vertex.bone),
                                0.0f, 0.0f, 0.0f};
            WriteFloats(out, skin, sizeof(skin) / sizeof(skin[0]));
        }
    }
}
} // namespace AssetTools
