#include "Graphics/Formats/FbxBinReader.h"
#include "Core/Log.h"
#include <algorithm>
#include <cstring>

namespace Graphics
{
namespace
{
// Bytes of the file records that have no struct of their own.
constexpr std::size_t U32Size = 4;
constexpr std::size_t Vector3Size = 3 * U32Size;
constexpr std::size_t QuaternionSize = 4 * U32Size;
// Name length byte, parent, two translations and two rotations.
constexpr std::size_t SmallestBoneSize = 1 + U32Size + 2 * (Vector3Size + QuaternionSize);
// Name length byte, duration and track count.
constexpr std::size_t SmallestAnimationSize = 1 + 2 * U32Size;
// Time, translation and rotation.
constexpr std::size_t KeySize = U32Size + Vector3Size + QuaternionSize;
static_assert(KeySize == 32, "keys are 32 bytes in the file");

// A bounded reading position inside one chunk body.
class Cursor
{
public:
    Cursor(const u08* data, std::size_t size) : m_data(data), m_size(size), m_position(0) {}

    std::size_t Left() const { return m_size - m_position; }
    // True when count records of recordSize bytes fit in what is left.
    bool Fits(u64 count, std::size_t recordSize) const
    {
        return recordSize == 0 || count <= Left() / recordSize;
    }

    bool Bytes(void* destination, std::size_t count)
    {
        if (count > Left())
            return false;
        if (count > 0)
            std::memcpy(destination, m_data + m_position, count);
        m_position += count;
        return true;
    }
    bool U32(u32& value)
    {
        u08 bytes[U32Size];
        if (!Bytes(bytes, sizeof(bytes)))
            return false;
        value = static_cast<u32>(bytes[0]) | (static_cast<u32>(bytes[1]) << 8) |
                (static_cast<u32>(bytes[2]) << 16) | (static_cast<u32>(bytes[3]) << 24);
        return true;
    }
    bool S32(s32& value)
    {
        u32 bits = 0;
        if (!U32(bits))
            return false;
        std::memcpy(&value, &bits, sizeof(value));
        return true;
    }
    bool F32(f32& value)
    {
        static_assert(sizeof(f32) == sizeof(u32), "floats are read as their 4-byte pattern");
        u32 bits = 0;
        if (!U32(bits))
            return false;
        std::memcpy(&value, &bits, sizeof(value));
        return true;
    }
    bool String(std::string& value)
    {
        u08 length = 0;
        if (!Bytes(&length, 1) || length > Left())
            return false;
        value.assign(reinterpret_cast<const char*>(m_data + m_position), length);
        m_position += length;
        return true;
    }
    bool Vector(Math::Vector3& value) { return F32(value.x) && F32(value.y) && F32(value.z); }
    // x, y, z, w in the file.
    bool Rotation(Math::Quaternion& value)
    {
        return F32(value.x) && F32(value.y) && F32(value.z) && F32(value.w);
    }

private:
    const u08* m_data;
    std::size_t m_size;
    std::size_t m_position;
};

// Logs the one line of a refused file and answers false.
bool Refuse(const std::string& source, const std::string& what)
{
    Core::Log() << "Error [Model]: " << source << " refused: " << what << '\n';
    return false;
}

bool ReadMesh(Cursor& body, const std::string& source, ModelFile& model)
{
    u32 vertexType = 0;
    u32 triangleCount = 0;
    u32 vertexCount = 0;
    if (!body.U32(vertexType) || !body.U32(triangleCount) || !body.U32(vertexCount))
        return Refuse(source, "the mesh chunk ends inside its header");
    const u32 stride = VertexStrideOf(vertexType);
    if (stride == 0)
        return Refuse(source, "vertex type " + std::to_string(vertexType) + " is not 0 or 1");
    if (!body.Fits(vertexCount, stride))
        return Refuse(source, std::to_string(vertexCount) + " vertices run past the mesh chunk");

    std::vector<u08> vertices(static_cast<std::size_t>(vertexCount) * stride);
    body.Bytes(vertices.data(), vertices.size());
    u32 indexCount = 0;
    if (!body.U32(indexCount))
        return Refuse(source, "the mesh chunk ends before its index count");
    if (!body.Fits(indexCount, U32Size))
        return Refuse(source, std::to_string(indexCount) + " indices run past the mesh chunk");
    std::vector<u32> indices(indexCount);
    for (u32 i = 0; i < indexCount; ++i)
    {
        body.U32(indices[i]);
        if (indices[i] >= vertexCount)
            return Refuse(source, "index " + std::to_string(i) + " (" + std::to_string(indices[i]) +
                                      ") is not below the " + std::to_string(vertexCount) +
                                      " vertices");
    }

    model.hasMesh = true;
    model.vertexType = vertexType;
    model.stride = stride;
    model.vertexCount = vertexCount;
    // Triangles past the indices would be read out of bounds by the mesh emitter.
    model.triangleCount = std::min(triangleCount, indexCount / 3);
    model.vertices = std::move(vertices);
    model.indices = std::move(indices);
    return true;
}

bool ReadSkeleton(Cursor& body, const std::string& source, ModelFile& model)
{
    u32 boneCount = 0;
    if (!body.U32(boneCount))
        return Refuse(source, "the skeleton chunk ends before its bone count");
    if (!body.Fits(boneCount, SmallestBoneSize))
        return Refuse(source, std::to_string(boneCount) + " bones run past the skeleton chunk");
    std::vector<BoneRecord> bones(boneCount);
    for (u32 i = 0; i < boneCount; ++i)
    {
        BoneRecord& bone = bones[i];
        if (!body.String(bone.name) || !body.S32(bone.parent) ||
            !body.Vector(bone.localTranslation) || !body.Rotation(bone.localRotation) ||
            !body.Vector(bone.offsetTranslation) || !body.Rotation(bone.offsetRotation))
            return Refuse(source, "bone " + std::to_string(i) + " runs past the skeleton chunk");
        // A parent must come first, so the pose pass finds its matrix already computed.
        if (bone.parent != NoParentBone && (bone.parent < 0 || static_cast<u32>(bone.parent) >= i))
            return Refuse(source, "bone " + std::to_string(i) + " has parent " +
                                      std::to_string(bone.parent) +
                                      ", neither -1 nor an earlier bone");
    }
    // A second skeleton replaces the first, and the animations made for it go too.
    model.hasSkeleton = true;
    model.bones = std::move(bones);
    model.animations.clear();
    model.animationsListed = false;
    return true;
}

bool ReadAnimations(Cursor& body, const std::string& source, ModelFile& model)
{
    if (!model.hasSkeleton)
        return Refuse(source, "an animation chunk comes before any skeleton chunk");
    u32 count = 0;
    if (!body.U32(count))
        return Refuse(source, "the animation chunk ends before its count");
    if (!body.Fits(count, SmallestAnimationSize))
        return Refuse(source, std::to_string(count) + " animations run past their chunk");

    std::vector<AnimationRecord> read;
    for (u32 a = 0; a < count; ++a)
    {
        AnimationRecord animation;
        u32 trackCount = 0;
        if (!body.String(animation.name) || !body.F32(animation.duration) || !body.U32(trackCount))
            return Refuse(source, "animation " + std::to_string(a) + " runs past its chunk");
        // An animation without tracks ends the chunk; the ones before it stay.
        if (trackCount == 0)
        {
            model.animations.insert(model.animations.end(), read.begin(), read.end());
            return true;
        }
        if (!body.Fits(trackCount, U32Size))
            return Refuse(source, "animation " + animation.name + " has " +
                                      std::to_string(trackCount) + " tracks past its chunk");
        animation.tracks.resize(trackCount);
        for (u32 t = 0; t < trackCount; ++t)
        {
            u32 keyCount = 0;
            if (!body.U32(keyCount) || !body.Fits(keyCount, KeySize))
                return Refuse(source, "track " + std::to_string(t) + " of animation " +
                                          animation.name + " runs past its chunk");
            std::vector<KeyRecord>& keys = animation.tracks[t];
            keys.resize(keyCount);
            for (KeyRecord& key : keys)
            {
                if (!body.F32(key.time) || !body.Vector(key.translation) ||
                    !body.Rotation(key.rotation))
                    return Refuse(source,
                                  "a key of animation " + animation.name + " runs past its chunk");
            }
        }
        read.push_back(std::move(animation));
    }
    model.animations.insert(model.animations.end(), read.begin(), read.end());
    model.animationsListed = true;
    return true;
}

// The bounds of the chunk at `position`; false with the log line when its header is refused.
bool ReadHeader(const u08* data, std::size_t size, std::size_t position, const std::string& source,
                u32& tag, u32& chunkSize, bool& end)
{
    end = false;
    Cursor header(data + position, size - position);
    if (!header.U32(tag))
    {
        // The bytes ran out where a header would start: the sequence ends as a tag 0 would.
        end = true;
        return true;
    }
    if (tag == FbxBinReader::EndTag)
    {
        end = true;
        return true;
    }
    if (!header.U32(chunkSize))
        return Refuse(source,
                      "the chunk at byte " + std::to_string(position) + " ends inside its header");
    if (chunkSize < FbxBinReader::ChunkHeaderSize)
        return Refuse(source, "the chunk at byte " + std::to_string(position) + " has size " +
                                  std::to_string(chunkSize) + ", below its own header");
    if (chunkSize > size - position)
        return Refuse(source, "the chunk at byte " + std::to_string(position) + " has size " +
                                  std::to_string(chunkSize) + ", past the end of the file");
    return true;
}
} // namespace

bool FbxBinReader::Read(const u08* data, std::size_t size, const std::string& source,
                        ModelFile& model)
{
    model = ModelFile();
    std::size_t position = 0;
    for (;;)
    {
        u32 tag = 0;
        u32 chunkSize = 0;
        bool end = false;
        if (!ReadHeader(data, size, position, source, tag, chunkSize, end))
        {
            model = ModelFile();
            return false;
        }
        if (end)
            return true;
        Cursor body(data + position + ChunkHeaderSize, chunkSize - ChunkHeaderSize);
        bool read = true;
        if (tag == MeshTag)
            read = ReadMesh(body, source, model);
        else if (tag == SkeletonTag)
            read = ReadSkeleton(body, source, model);
        else if (tag == AnimationTag)
            read = ReadAnimations(body, source, model);
        if (!read)
        {
            model = ModelFile();
            return false;
        }
        position += chunkSize;
    }
}

bool FbxBinReader::ReadFirstMesh(const u08* data, std::size_t size, const std::string& source,
                                 ModelFile& model)
{
    u32 tag = 0;
    u32 chunkSize = 0;
    bool end = false;
    if (!ReadHeader(data, size, 0, source, tag, chunkSize, end))
        return false;
    if (end || tag != MeshTag)
        return true;
    Cursor body(data + ChunkHeaderSize, chunkSize - ChunkHeaderSize);
    ModelFile mesh;
    if (!ReadMesh(body, source, mesh))
        return false;
    model.hasMesh = true;
    model.vertexType = mesh.vertexType;
    model.stride = mesh.stride;
    model.triangleCount = mesh.triangleCount;
    model.vertexCount = mesh.vertexCount;
    model.vertices = std::move(mesh.vertices);
    model.indices = std::move(mesh.indices);
    return true;
}
} // namespace Graphics
