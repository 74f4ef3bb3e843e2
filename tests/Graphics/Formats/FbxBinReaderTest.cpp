// The ".fbxbin" reader on files made with the writer: what it reads, what it skips, and the
// hostile files it must refuse with one log line naming the file.
#include "Graphics/Formats/FbxBinReader.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "tests/Support/LogCapture.h"
#include <gtest/gtest.h>

using namespace Graphics;

namespace
{
const char* const Source = "Rock.fbxbin";
constexpr u32 TextTag = 0x74786574; // "txet" in file order

ModelFile Triangle(u32 vertexType = StaticVertexType)
{
    ModelFile model;
    model.hasMesh = true;
    model.vertexType = vertexType;
    model.stride = VertexStrideOf(vertexType);
    model.vertexCount = 3;
    model.triangleCount = 1;
    model.vertices.resize(model.vertexCount * model.stride);
    for (std::size_t i = 0; i < model.vertices.size(); ++i)
        model.vertices[i] = static_cast<u08>(i);
    model.indices = {0, 1, 2};
    return model;
}

BoneRecord MakeBone(const char* name, s32 parent)
{
    BoneRecord bone;
    bone.name = name;
    bone.parent = parent;
    bone.localTranslation = Math::Vector3(1.0f, 0.0f, 0.0f);
    return bone;
}

AnimationRecord MakeAnimation(const char* name, u32 tracks)
{
    AnimationRecord animation;
    animation.name = name;
    animation.duration = 1.0f;
    animation.tracks.assign(tracks, {KeyRecord{}});
    return animation;
}

bool Read(const std::vector<u08>& bytes, ModelFile& model)
{
    return FbxBinReader::Read(bytes.data(), bytes.size(), Source, model);
}

// Reads bytes that must be refused; answers the log lines that name the file.
std::size_t RefusalLines(const std::vector<u08>& bytes)
{
    LogCapture log;
    ModelFile model;
    EXPECT_FALSE(Read(bytes, model));
    EXPECT_FALSE(model.hasMesh || model.hasSkeleton) << "a refused file leaves an empty model";
    return log.Count(Source);
}
} // namespace

TEST(FbxBinReader, ReadsAMeshOnlyFileAndWhatTheWriterWrites)
{
    ModelFile model;
    ASSERT_TRUE(Read(FbxBinWriter::Encode(Triangle()), model));
    EXPECT_TRUE(model.hasMesh);
    EXPECT_FALSE(model.hasSkeleton);
    EXPECT_EQ(model.stride, 56u);
    EXPECT_EQ(model.triangleCount, 1u);
    EXPECT_EQ(model.vertices, Triangle().vertices);
    EXPECT_EQ(model.indices, (std::vector<u32>{0, 1, 2}));

    ModelFile skinned = Triangle(SkinnedVertexType);
    skinned.hasSkeleton = true;
    skinned.bones = {MakeBone("root", NoParentBone), MakeBone("arm", 0)};
    skinned.animations = {MakeAnimation("Idle", 2)};
    ModelFile back;
    ASSERT_TRUE(Read(FbxBinWriter::Encode(skinned), back));
    EXPECT_EQ(back.stride, 88u);
    ASSERT_EQ(back.bones.size(), 2u);
    EXPECT_EQ(back.bones[1].name, "arm");
    EXPECT_EQ(back.bones[1].parent, 0);
    EXPECT_EQ(back.bones[1].localTranslation.x, 1.0f);
    ASSERT_EQ(back.animations.size(), 1u);
    EXPECT_EQ(back.animations[0].tracks.size(), 2u);
    EXPECT_TRUE(back.animationsListed);
}

TEST(FbxBinReader, SkipsUnknownChunksAndContinuesAtTheDeclaredChunkEnd)
{
    FbxBinWriter writer;
    writer.WriteChunk(TextTag, {'t', 'e', 'x', 't'});
    // Declared 12 bytes larger than its body: the next chunk is found at start + size.
    writer.WriteMesh(Triangle());
    std::vector<u08> bytes = writer.GetBytes();
    FbxBinWriter padded;
    padded.WriteChunk(TextTag, {'t', 'e', 'x', 't'});
    std::vector<u08> body(bytes.begin() + 12 + 8, bytes.end()); // the mesh body alone
    padded.WriteChunk(FbxBinReader::MeshTag, body, 12);
    padded.WriteSkeleton({MakeBone("root", NoParentBone)});
    padded.WriteEnd();
    ModelFile model;
    ASSERT_TRUE(Read(padded.GetBytes(), model));
    EXPECT_EQ(model.vertexCount, 3u);
    EXPECT_TRUE(model.hasSkeleton) << "the chunk after the padded mesh was found";
}

TEST(FbxBinReader, AnAnimationWithoutTracksEndsItsChunk)
{
    FbxBinWriter writer;
    writer.WriteSkeleton({MakeBone("root", NoParentBone)});
    writer.WriteAnimations(
        {MakeAnimation("Idle", 1), MakeAnimation("Empty", 0), MakeAnimation("Walk", 1)});
    writer.WriteEnd();
    ModelFile model;
    ASSERT_TRUE(Read(writer.GetBytes(), model));
    ASSERT_EQ(model.animations.size(), 1u);
    EXPECT_EQ(model.animations[0].name, "Idle");
    EXPECT_FALSE(model.animationsListed) << "no AnimationTracks list";
}

TEST(FbxBinReader, ClampsTrianglesAndLetsALaterSkeletonReplaceTheFirst)
{
    ModelFile model = Triangle();
    model.triangleCount = 7;
    FbxBinWriter writer;
    writer.WriteMesh(model);
    writer.WriteSkeleton({MakeBone("a", NoParentBone), MakeBone("b", 0)});
    writer.WriteAnimations({MakeAnimation("Idle", 2)});
    writer.WriteSkeleton({MakeBone("c", NoParentBone)});
    writer.WriteEnd();
    ModelFile read;
    ASSERT_TRUE(Read(writer.GetBytes(), read));
    EXPECT_EQ(read.triangleCount, 1u) << "3 indices hold one triangle";
    ASSERT_EQ(read.bones.size(), 1u);
    EXPECT_EQ(read.bones[0].name, "c");
    EXPECT_TRUE(read.animations.empty()) << "the animations went with their skeleton";
}

TEST(FbxBinReader, RefusesHostileFilesWithOneLineNamingTheFile)
{
    ModelFile full = Triangle(SkinnedVertexType);
    full.hasSkeleton = true;
    full.bones = {MakeBone("root", NoParentBone), MakeBone("arm", 0)};
    full.animations = {MakeAnimation("Idle", 2)};
    const std::vector<u08> whole = FbxBinWriter::Encode(full);

    // Cut inside every chunk (a cut exactly at a boundary is a file that ends early, read as
    // ended): each gives one line.
    ModelFile model;
    std::size_t position = 0;
    while (position + FbxBinReader::ChunkHeaderSize < whole.size())
    {
        const u32 size = whole[position + 4] | (whole[position + 5] << 8) |
                         (whole[position + 6] << 16) | (whole[position + 7] << 24);
        if (size == 0 || position + size > whole.size())
            break;
        for (std::size_t cut : {position + 4, position + size - 1})
        {
            SCOPED_TRACE(cut);
            EXPECT_EQ(RefusalLines({whole.begin(), whole.begin() + cut}), 1u);
        }
        EXPECT_TRUE(Read({whole.begin(), whole.begin() + position + size}, model))
            << "a file cut at a chunk boundary ends there";
        position += size;
    }

    std::vector<u08> zeroSize;
    FbxBinWriter::AppendU32(zeroSize, FbxBinReader::MeshTag);
    FbxBinWriter::AppendU32(zeroSize, 0);
    EXPECT_EQ(RefusalLines(zeroSize), 1u);

    std::vector<u08> pastEnd;
    FbxBinWriter::AppendU32(pastEnd, StaticVertexType);
    FbxBinWriter::AppendU32(pastEnd, 1);
    FbxBinWriter::AppendU32(pastEnd, 0x40000000); // vertices that are not there
    FbxBinWriter countWriter;
    countWriter.WriteChunk(FbxBinReader::MeshTag, pastEnd);
    countWriter.WriteEnd();
    EXPECT_EQ(RefusalLines(countWriter.GetBytes()), 1u);

    ModelFile badIndex = Triangle();
    badIndex.indices[2] = 3;
    EXPECT_EQ(RefusalLines(FbxBinWriter::Encode(badIndex)), 1u);

    ModelFile badType = Triangle();
    badType.vertexType = PlainVertexType;
    EXPECT_EQ(RefusalLines(FbxBinWriter::Encode(badType)), 1u);

    for (s32 parent : {1, 5, -2})
    {
        ModelFile badParent;
        badParent.hasSkeleton = true;
        badParent.bones = {MakeBone("root", parent), MakeBone("arm", 0)};
        EXPECT_EQ(RefusalLines(FbxBinWriter::Encode(badParent)), 1u) << parent;
    }

    FbxBinWriter early;
    early.WriteAnimations({MakeAnimation("Idle", 1)});
    early.WriteEnd();
    EXPECT_EQ(RefusalLines(early.GetBytes()), 1u) << "animations before any skeleton";
}

TEST(FbxBinReader, ReadFirstMeshReadsOnlyALeadingMeshChunk)
{
    ModelFile model;
    model.hasSkeleton = true;
    model.bones = {MakeBone("root", NoParentBone)};
    ASSERT_TRUE(FbxBinReader::ReadFirstMesh(FbxBinWriter::Encode(Triangle()).data(),
                                            FbxBinWriter::Encode(Triangle()).size(), Source,
                                            model));
    EXPECT_EQ(model.vertexCount, 3u);
    EXPECT_EQ(model.bones.size(), 1u) << "the skeleton stays";

    ModelFile skeletonFirst = Triangle();
    skeletonFirst.hasSkeleton = true;
    FbxBinWriter writer;
    writer.WriteSkeleton({});
    writer.WriteMesh(Triangle());
    writer.WriteEnd();
    ModelFile kept;
    ASSERT_TRUE(FbxBinReader::ReadFirstMesh(writer.GetBytes().data(), writer.GetBytes().size(),
                                            Source, kept));
    EXPECT_FALSE(kept.hasMesh) << "no mesh is read past a leading skeleton";
}
