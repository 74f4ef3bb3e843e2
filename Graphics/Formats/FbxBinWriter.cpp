#include "Graphics/Formats/FbxBinWriter.h"
#include "Core/Log.h"
#include "Graphics/Formats/FbxBinReader.h"
#include "Platform/AtomicFile.h"
#include <algorithm>
#include <cstring>

namespace Graphics
{
namespace
{
// The most bytes a string's length byte can count.
constexpr std::size_t LongestString = 255;

void AppendVector(std::vector<u08>& out, const Math::Vector3& value)
{
    FbxBinWriter::AppendF32(out, value.x);
    FbxBinWriter::AppendF32(out, value.y);
    FbxBinWriter::AppendF32(out, value.z);
}

// x, y, z, w in the file.
void AppendRotation(std::vector<u08>& out, const Math::Quaternion& value)
{
    FbxBinWriter::AppendF32(out, value.x);
    FbxBinWriter::AppendF32(out, value.y);
    FbxBinWriter::AppendF32(out, value.z);
    FbxBinWriter::AppendF32(out, value.w);
}
} // namespace

void FbxBinWriter::AppendU32(std::vector<u08>& out, u32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<u08>((value >> shift) & 0xFFu));
}

void FbxBinWriter::AppendS32(std::vector<u08>& out, s32 value)
{
    u32 bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    AppendU32(out, bits);
}

void FbxBinWriter::AppendF32(std::vector<u08>& out, f32 value)
{
    u32 bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    AppendU32(out, bits);
}

void FbxBinWriter::AppendString(std::vector<u08>& out, const std::string& value)
{
    const std::size_t length = std::min(value.size(), LongestString);
    out.push_back(static_cast<u08>(length));
    out.insert(out.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(length));
}

void FbxBinWriter::WriteChunk(u32 tag, const std::vector<u08>& body, u32 extraSize)
{
    AppendU32(m_bytes, tag);
    AppendU32(m_bytes, static_cast<u32>(FbxBinReader::ChunkHeaderSize + body.size() + extraSize));
    m_bytes.insert(m_bytes.end(), body.begin(), body.end());
    m_bytes.insert(m_bytes.end(), extraSize, 0);
}

void FbxBinWriter::WriteMesh(const ModelFile& model)
{
    std::vector<u08> body;
    AppendU32(body, model.vertexType);
    AppendU32(body, model.triangleCount);
    AppendU32(body, model.vertexCount);
    body.insert(body.end(), model.vertices.begin(), model.vertices.end());
    AppendU32(body, static_cast<u32>(model.indices.size()));
    for (u32 index : model.indices)
        AppendU32(body, index);
    WriteChunk(FbxBinReader::MeshTag, body);
}

void FbxBinWriter::WriteSkeleton(const std::vector<BoneRecord>& bones)
{
    std::vector<u08> body;
    AppendU32(body, static_cast<u32>(bones.size()));
    for (const BoneRecord& bone : bones)
    {
        AppendString(body, bone.name);
        AppendS32(body, bone.parent);
        AppendVector(body, bone.localTranslation);
        AppendRotation(body, bone.localRotation);
        AppendVector(body, bone.offsetTranslation);
        AppendRotation(body, bone.offsetRotation);
    }
    WriteChunk(FbxBinReader::SkeletonTag, body);
}

void FbxBinWriter::WriteAnimations(const std::vector<AnimationRecord>& animations)
{
    std::vector<u08> body;
    AppendU32(body, static_cast<u32>(animations.size()));
    for (const AnimationRecord& animation : animations)
    {
        AppendString(body, animation.name);
        AppendF32(body, animation.duration);
        AppendU32(body, static_cast<u32>(animation.tracks.size()));
        for (const std::vector<KeyRecord>& track : animation.tracks)
        {
            AppendU32(body, static_cast<u32>(track.size()));
            for (const KeyRecord& key : track)
            {
                AppendF32(body, key.time);
                AppendVector(body, key.translation);
                AppendRotation(body, key.rotation);
            }
        }
    }
    WriteChunk(FbxBinReader::AnimationTag, body);
}

void FbxBinWriter::WriteEnd()
{
    AppendU32(m_bytes, FbxBinReader::EndTag);
    AppendU32(m_bytes, FbxBinReader::ChunkHeaderSize);
}

bool FbxBinWriter::Save(const std::string& path) const
{
    std::string reason;
    if (!Platform::WriteFileAtomically(path, m_bytes.data(), m_bytes.size(), reason))
    {
        Core::Log() << "Error [FbxBinWriter]: " << path << " could not be written (" << reason
                    << ")\n";
        return false;
    }
    return true;
}

std::vector<u08> FbxBinWriter::Encode(const ModelFile& model)
{
    FbxBinWriter writer;
    if (model.hasMesh)
        writer.WriteMesh(model);
    if (model.hasSkeleton)
    {
        writer.WriteSkeleton(model.bones);
        if (!model.animations.empty())
            writer.WriteAnimations(model.animations);
    }
    writer.WriteEnd();
    return writer.m_bytes;
}
} // namespace Graphics
