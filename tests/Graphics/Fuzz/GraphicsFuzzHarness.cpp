#include "tests/Graphics/Fuzz/GraphicsFuzzHarness.h"
#include "Graphics/Assets/Skeleton.h"
#include "Graphics/Formats/FbxBinReader.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/Formats/FontFile.h"
#include "Graphics/Formats/MaterialFile.h"
#include "Graphics/Formats/PngDecoder.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include "Graphics/Formats/SpriteSheetFile.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace Graphics;

namespace
{
// Times at which each animation is posed: before, inside and after any sensible key range.
constexpr f32 PoseTimes[] = {-1.0f, 0.0f, 0.5f, 2.0f, 1000.0f, 0.25f};
constexpr std::size_t SidecarLengthBytes = 2;

void Fail(const char* what)
{
    std::fprintf(stderr, "graphics reader fault: %s\n", what);
    std::abort();
}

bool SameMesh(const ModelFile& a, const ModelFile& b)
{
    return a.hasMesh == b.hasMesh && a.vertexType == b.vertexType && a.stride == b.stride &&
           a.triangleCount == b.triangleCount && a.vertexCount == b.vertexCount &&
           a.vertices == b.vertices && a.indices == b.indices && a.hasSkeleton == b.hasSkeleton &&
           a.bones.size() == b.bones.size() && a.animations.size() == b.animations.size();
}
} // namespace

void RunModelFuzzInput(const std::uint8_t* data, std::size_t size)
{
    ModelFile model;
    if (!FbxBinReader::Read(data, size, "fuzz input", model))
    {
        if (model.hasMesh || model.hasSkeleton || !model.vertices.empty())
            Fail("a refused model kept data");
        return;
    }
    if (model.vertices.size() != static_cast<std::size_t>(model.vertexCount) * model.stride)
        Fail("vertex bytes do not match the vertex count");
    if (model.triangleCount * 3ull > model.indices.size())
        Fail("more triangles than indices");
    for (u32 index : model.indices)
    {
        if (index >= model.vertexCount)
            Fail("an index past the vertices was accepted");
    }

    // The writer must give back what the reader took (animations after a chunk-ending
    // animation are gone from both).
    const std::vector<u08> written = FbxBinWriter::Encode(model);
    ModelFile again;
    if (!FbxBinReader::Read(written.data(), written.size(), "rewritten fuzz input", again) ||
        !SameMesh(model, again))
        Fail("a model did not survive the writer");

    if (!model.hasSkeleton)
        return;
    Skeleton skeleton;
    skeleton.Build(model.bones);
    skeleton.AddAnimations(model.animations);
    skeleton.BuildAnimationEnum("FuzzAnimationTracks");
    std::vector<Math::Matrix4> matrices(skeleton.GetBoneCount());
    std::vector<u32> hints(skeleton.GetBoneCount(), 0);
    skeleton.BindPose(matrices.data());
    skeleton.BindPoseTransposed(matrices.data());
    for (u32 a = 0; a < skeleton.GetAnimationCount(); ++a)
    {
        for (f32 time : PoseTimes)
        {
            skeleton.EvaluatePose(time, *skeleton.GetAnimation(a), matrices.data(), hints.data());
            skeleton.EvaluatePoseTransposed(time, *skeleton.GetAnimation(a), matrices.data(),
                                            hints.data());
        }
    }
}

void RunPngFuzzInput(const std::uint8_t* data, std::size_t size)
{
    if (size < SidecarLengthBytes)
        return;
    const std::size_t sidecarLength = std::min<std::size_t>(
        data[0] | (static_cast<std::size_t>(data[1]) << 8), size - SidecarLengthBytes);
    const char* sidecar = reinterpret_cast<const char*>(data + SidecarLengthBytes);
    const std::uint8_t* image = data + SidecarLengthBytes + sidecarLength;
    const std::size_t imageSize = size - SidecarLengthBytes - sidecarLength;

    PngImage decoded;
    std::string error;
    if (PngDecoder::Decode(image, imageSize, decoded, error))
    {
        if (decoded.pixels.size() != static_cast<std::size_t>(decoded.rowBytes) * decoded.height)
            Fail("pixels do not match the image size");
        if (decoded.width > PngDecoder::MaxDimension || decoded.height > PngDecoder::MaxDimension)
            Fail("an image past the size limit was decoded");
        if (decoded.bitDepth != 8)
            Fail("samples were not made 8-bit");
    }
    else if (error.empty() || !decoded.pixels.empty())
        Fail("a refused image gave no reason or kept pixels");

    u32 totalFrames = 1;
    u32 framesPerRow = 1;
    SpriteSheetFile::Read(sidecar, sidecarLength, "fuzz sidecar", totalFrames, framesPerRow);
    if (totalFrames == 0 || framesPerRow == 0)
        Fail("a sprite sheet took a count of 0");
    if (totalFrames > SpriteSheetFile::MaxFrames || framesPerRow > SpriteSheetFile::MaxFrames)
        Fail("a sprite sheet took a count past its range");
}

void RunGraphicsXmlFuzzInput(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    MaterialFile::Names names;
    MaterialFile::Read(text, size, "fuzz material", names);

    FontFile::Header header;
    std::vector<FontFile::GlyphRecord> glyphs;
    if (FontFile::Read(text, size, "fuzz font", header, glyphs))
    {
        if (header.size == 0)
            Fail("a font with pixel size 0 was accepted");
        if (header.size > FontFile::MaxPixelSize)
            Fail("a font with a pixel size past its range was accepted");
        for (const FontFile::GlyphRecord& glyph : glyphs)
        {
            if (glyph.character.empty())
                Fail("a glyph without a character was kept");
        }
    }
    else if (!glyphs.empty())
        Fail("a refused font kept glyphs");

    std::vector<ShaderProgramFile::Variant> variants;
    ShaderProgramFile::Read(text, size, "fuzz program", variants);
    // A shader set of our own: the extension tells the kind, and names starting with 'x' do not
    // exist.
    auto locate = [](const std::string& name, u32) -> u32
    {
        if (name.empty() || name[0] == 'x' || name.size() < 3)
            return ShaderProgramFile::RunCount;
        const std::string extension = name.substr(name.size() - 3);
        if (extension == ".vs" || extension == ".vh")
            return ShaderProgramFile::VertexRun;
        if (extension == ".gs" || extension == ".gh")
            return ShaderProgramFile::GeometryRun;
        if (extension == ".fs" || extension == ".fh")
            return ShaderProgramFile::FragmentRun;
        return ShaderProgramFile::RunCount;
    };
    for (const ShaderProgramFile::Variant& variant : variants)
    {
        if (variant.category >= ShaderProgramFile::CategoryCount)
            Fail("a variant outside the three categories");
        std::vector<bool> found;
        const bool linkable =
            ShaderProgramFile::CheckShaders(variant, "fuzz program", locate, found);
        const std::size_t named = variant.vertexShaders.size() + variant.geometryShaders.size() +
                                  variant.fragmentShaders.size();
        if (found.size() != named)
            Fail("a shader name was not checked");
        const auto firstFragment =
            found.begin() + static_cast<std::ptrdiff_t>(named - variant.fragmentShaders.size());
        const bool vertex =
            std::find(found.begin(),
                      found.begin() + static_cast<std::ptrdiff_t>(variant.vertexShaders.size()),
                      true) !=
            found.begin() + static_cast<std::ptrdiff_t>(variant.vertexShaders.size());
        const bool fragment = std::find(firstFragment, found.end(), true) != found.end();
        if (linkable != (vertex && fragment))
            Fail("a program missing a stage was let through, or a whole one refused");
    }
}
