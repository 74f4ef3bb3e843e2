// Covers: GraphicsSystem.
// Screenshots of whole frames: every scene file under tests/Graphics/Scenes is built in an engine
// made as the game makes it (the subsystems up to graphics), drawn on a display of this test's
// own (Xvfb at 1366 x 768, so the render targets have that size) into a 683 x 384 window, read
// back and compared with tests/Graphics/References/<scene>.png. A frame passes when no more than
// MaxOffPixels of its pixels have a channel off by more than ChannelTolerance (software
// rasterizers differ in rounding). A failing scene writes <scene>.frame.png and <scene>.diff.png
// into the build folder. With QUILL_SCENE_OUTPUT set to a folder, every frame is written there as
// <scene>.png for review (and to make references).
//
// The scene files' form is SceneFile.h's; how a frame is drawn and read is SceneRendering.h's
// (frames are stepped with a fixed time, so animations and fades are frozen the same way on
// every run).
#include "Graphics/Formats/PngDecoder.h"
#include "tests/Graphics/Rendering/SceneRendering.h"
#include "tests/Support/TempFiles.h"
#include <boost/filesystem.hpp>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <tinyxml2.h>
#include <vector>

namespace fs = boost::filesystem;
using namespace SceneFile;

namespace
{
constexpr int ChannelTolerance = 16;
constexpr double MaxOffPixels = 0.005;

bool ReadReference(const std::string& path, Frame& frame)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<u08> bytes((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
    Graphics::PngImage image;
    std::string error;
    if (bytes.empty() || !Graphics::PngDecoder::Decode(bytes.data(), bytes.size(), image, error) ||
        image.width != u32(WindowWidthPixels) || image.height != u32(WindowHeightPixels) ||
        image.colorType != Graphics::PngRgb)
        return false;
    frame.rgb = image.pixels;
    return true;
}

} // namespace

TEST(SceneScreenshot, EverySceneMatchesItsReference)
{
    OwnDisplay display;
    std::string reason;
    if (!display.Start(reason))
        GTEST_SKIP() << reason;
    const char* output = std::getenv("QUILL_SCENE_OUTPUT");
    const fs::path scenes = fs::path(QUILL_ASSET_ROOT) / "tests/Graphics/Scenes";
    const fs::path references = fs::path(QUILL_ASSET_ROOT) / "tests/Graphics/References";
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(scenes))
    {
        if (entry.path().extension() == ".xml")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files)
    {
        const std::string scene = file.stem().string();
        SCOPED_TRACE(scene);
        tinyxml2::XMLDocument document;
        ASSERT_EQ(document.LoadFile(file.string().c_str()), tinyxml2::XML_SUCCESS);
        Frame frame;
        {
            TempFolder folder("quill-scene");
            ASSERT_TRUE(SceneFile::MakeSceneAssetTree(QUILL_ASSET_ROOT, folder.Path(""),
                                                      WindowWidthPixels, WindowHeightPixels));
            ASSERT_TRUE(RenderScene(document.RootElement(), frame, reason)) << reason;
        }
        if (output != nullptr)
            WritePng(frame, (fs::path(output) / (scene + ".png")).string());
        Frame reference;
        const std::string referencePath = (references / (scene + ".png")).string();
        if (!ReadReference(referencePath, reference))
        {
            ADD_FAILURE() << "no usable reference " << referencePath
                          << " (QUILL_SCENE_OUTPUT=<folder> writes the frames)";
            continue;
        }
        Frame difference;
        difference.rgb.assign(frame.rgb.size(), 0);
        std::size_t off = 0;
        for (std::size_t pixel = 0; pixel < frame.rgb.size() / BytesPerPixel; ++pixel)
        {
            bool differs = false;
            for (u32 c = 0; c < BytesPerPixel; ++c)
            {
                const std::size_t i = pixel * BytesPerPixel + c;
                const int delta = std::abs(int(frame.rgb[i]) - int(reference.rgb[i]));
                difference.rgb[i] = static_cast<u08>(std::min(255, delta * 4));
                differs = differs || delta > ChannelTolerance;
            }
            off += differs ? 1 : 0;
        }
        const double share = double(off) / double(frame.rgb.size() / BytesPerPixel);
        EXPECT_LE(share, MaxOffPixels) << off << " pixels differ from " << referencePath;
        if (share > MaxOffPixels)
        {
            WritePng(frame, std::string(QUILL_SCENE_FAILURE_DIR) + "/" + scene + ".frame.png");
            WritePng(difference, std::string(QUILL_SCENE_FAILURE_DIR) + "/" + scene + ".diff.png");
        }
    }
}
