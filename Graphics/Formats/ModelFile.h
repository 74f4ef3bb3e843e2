#pragma once
// A ".fbxbin" model as plain data, the form the reader produces and the writer consumes: the
// mesh (vertex records as raw bytes, 32-bit indices), the skeleton's bone records and the
// animations with one key track per bone. Nothing here touches OpenGL, so the content tools, the
// fuzz targets and the model asset share it.
//
// Conventions: all values are little-endian in the file and native here; quaternions are
// (x, y, z, w) in the file and Math::Quaternion (w first) here; key times are in the unit of the
// animation's duration.
#include "Math/Quaternion.h"
#include "Math/Types.h"
#include "Math/Vector3.h"
#include <string>
#include <vector>

namespace Graphics
{
// Vertex types of a model. Type 2 (position, normal, texture coordinate) is understood by the
// attribute binding but no file gives it a stride.
enum ModelVertexType : u32
{
    StaticVertexType = 0,
    SkinnedVertexType = 1,
    PlainVertexType = 2,
};

// The record of a static vertex: location 0 "vertex", 1 "normal", 2 "texcoord", 3 "tangent",
// 4 "binormal".
struct StaticVertex
{
    f32 position[3];
    f32 normal[3];
    f32 texcoord[2];
    f32 tangent[3];
    f32 binormal[3];
};

// A skinned vertex adds location 5 "weight" and 6 "index" (four bone indices stored as floats).
struct SkinnedVertex
{
    StaticVertex base;
    f32 weight[4];
    f32 index[4];
};

static_assert(sizeof(StaticVertex) == 56, "static vertices are 56 packed bytes in the file");
static_assert(sizeof(SkinnedVertex) == 88, "skinned vertices are 88 packed bytes in the file");

// The stride of a vertex type the file can hold; 0 for any other type.
inline u32 VertexStrideOf(u32 vertexType)
{
    if (vertexType == StaticVertexType)
        return static_cast<u32>(sizeof(StaticVertex));
    if (vertexType == SkinnedVertexType)
        return static_cast<u32>(sizeof(SkinnedVertex));
    return 0;
}

// A bone's parent index when it has none.
constexpr s32 NoParentBone = -1;

struct BoneRecord
{
    std::string name; // at most 255 bytes in the file
    s32 parent = NoParentBone;
    Math::Vector3 localTranslation;
    Math::Quaternion localRotation;
    Math::Vector3 offsetTranslation;
    Math::Quaternion offsetRotation;
};

struct KeyRecord
{
    f32 time = 0.0f;
    Math::Vector3 translation;
    Math::Quaternion rotation;
};

struct AnimationRecord
{
    std::string name; // at most 255 bytes in the file
    f32 duration = 0.0f;
    // One track per bone, in bone-index order; each in ascending time.
    std::vector<std::vector<KeyRecord>> tracks;
};

struct ModelFile
{
    bool hasMesh = false;
    u32 vertexType = StaticVertexType;
    u32 stride = sizeof(StaticVertex);
    u32 triangleCount = 0;
    u32 vertexCount = 0;
    std::vector<u08> vertices; // vertexCount * stride bytes
    std::vector<u32> indices;  // three per triangle

    bool hasSkeleton = false;
    std::vector<BoneRecord> bones;
    std::vector<AnimationRecord> animations;
    // True when the last animation chunk was read to its end, so the editor lists the
    // animations; an animation with no tracks ends a chunk early and leaves this as it was.
    bool animationsListed = false;
};
} // namespace Graphics
