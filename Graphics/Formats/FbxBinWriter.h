#pragma once
// Writes ".fbxbin" models (the layout is described in FbxBinReader.h). The content tools make
// the game's models with it and the tests make their files with it, hostile ones included:
//
//     FbxBinWriter writer;
//     writer.WriteMesh(model);
//     writer.WriteSkeleton(model.bones);
//     writer.WriteAnimations(model.animations);
//     writer.WriteEnd();
//     writer.Save("assets/Models/bin/Rock.fbxbin");
//
// or FbxBinWriter::Encode(model) for the whole file at once. The output depends only on its
// input (no time stamps), so generated files can be compared byte for byte. Names longer than
// 255 bytes do not fit a string's length byte and are cut to 255.
#include "Graphics/Formats/ModelFile.h"
#include <string>
#include <vector>

namespace Graphics
{
class FbxBinWriter
{
public:
    // The mesh chunk: the model's vertex type, triangle count, vertices and indices as held.
    void WriteMesh(const ModelFile& model);
    void WriteSkeleton(const std::vector<BoneRecord>& bones);
    void WriteAnimations(const std::vector<AnimationRecord>& animations);
    // Any chunk: the tag, a size of header + body + extraSize, the body, then extraSize zero
    // bytes (a chunk declared larger than what its reader takes).
    void WriteChunk(u32 tag, const std::vector<u08>& body, u32 extraSize = 0);
    // The header with tag 0 that ends the file.
    void WriteEnd();

    const std::vector<u08>& GetBytes() const { return m_bytes; }
    // Writes the bytes to a file, replacing it in one step or not at all (Platform/AtomicFile.h);
    // false with a log line when it cannot be written.
    bool Save(const std::string& path) const;

    // Mesh (when the model has one), skeleton (when it has one), animations (when the skeleton
    // has any) and the end header.
    static std::vector<u08> Encode(const ModelFile& model);

    // Little-endian values and length-prefixed strings, for bodies built by hand.
    static void AppendU32(std::vector<u08>& out, u32 value);
    static void AppendS32(std::vector<u08>& out, s32 value);
    static void AppendF32(std::vector<u08>& out, f32 value);
    static void AppendString(std::vector<u08>& out, const std::string& value);

private:
    std::vector<u08> m_bytes;
};
} // namespace Graphics
