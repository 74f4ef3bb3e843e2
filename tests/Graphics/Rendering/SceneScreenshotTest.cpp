// Screenshots of whole frames: every scene file under tests/Graphics/Scenes is built in an engine
// made as the game makes it (the subsystems up to graphics), drawn on a display of this test's
// own (Xvfb at 1366 x 768, so the render targets have that size) into a 683 x 384 window, read
// back and compared with tests/Graphics/References/<scene>.png. A frame passes when no more than
// kMaxOffPixels of its pixels have a channel off by more than kChannelTolerance (software
// rasterizers differ in rounding). A failing scene writes <scene>.frame.png and <scene>.diff.png
// into the build folder. With QUILL_SCENE_OUTPUT set to a folder, every frame is written there as
// <scene>.png for review (and to make references).
//
// The scene files' form is SceneFile.h's. Frames are stepped with a fixed time, so animations
// and fades are frozen at the same time on every run.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Graphics/Formats/PngDecoder.h"
#include "Graphics/Formats/PngWriter.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Platform/Window.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "tests/Graphics/Rendering/SceneFile.h"
#include "tests/Support/TempFiles.h"
#include <GL/glew.h>
#include <boost/filesystem.hpp>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <tinyxml2.h>
#include <unistd.h>
#include <vector>

namespace fs = boost::filesystem;
using Graphics::System::GraphicsSystem;

namespace
{
constexpr int kWindowWidth = 683;
constexpr int kWindowHeight = 384;
constexpr int kChannelTolerance = 16;
constexpr double kMaxOffPixels = 0.005;
// Frames drawn before the one that is read: the sky is created by a message, and the passes
// settle.
constexpr int kFrames = 4;
constexpr f32 kFrameTime = 1.0f / 60.0f;
// How long Xvfb may take to tell its display number.
constexpr int kDisplayWaitMs = 10000;
constexpr u32 kBytesPerPixel = 3;
const char* const kScreen = "1366x768x24";
// An Xvfb of this test's own, so that no other test's display comes and goes under it.
class OwnDisplay
{
public:
    bool Start(std::string& reason)
    {
        int fds[2];
        if (pipe(fds) != 0)
        {
            reason = "no pipe for Xvfb";
            return false;
        }
        m_pid = fork();
        if (m_pid == 0)
        {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", kScreen, "-nolisten",
                   "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd wait{fds[0], POLLIN, 0};
        char c = 0;
        while (m_pid > 0 && poll(&wait, 1, kDisplayWaitMs) > 0 && read(fds[0], &c, 1) == 1 &&
               c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
        {
            reason = "Xvfb did not start (is the xvfb package installed?)";
            return false;
        }
        const char* previous = std::getenv("DISPLAY");
        m_hadDisplay = previous != nullptr;
        if (m_hadDisplay)
            m_previous = previous;
        setenv("DISPLAY", (":" + number).c_str(), 1);
        return true;
    }
    ~OwnDisplay()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        if (m_hadDisplay)
            setenv("DISPLAY", m_previous.c_str(), 1);
        else
            unsetenv("DISPLAY");
    }

private:
    pid_t m_pid = -1;
    bool m_hadDisplay = false;
    std::string m_previous;
};

struct Frame
{
    std::vector<u08> rgb; // bottom row first, as OpenGL reads it
};

void WritePng(const Frame& frame, const std::string& path)
{
    Graphics::PngWriter::Description image;
    image.width = kWindowWidth;
    image.height = kWindowHeight;
    image.colorType = Graphics::PngRgb;
    const std::size_t row = kWindowWidth * kBytesPerPixel;
    image.rows.resize(frame.rgb.size());
    for (int y = 0; y < kWindowHeight; ++y)
        std::copy_n(frame.rgb.begin() + static_cast<std::ptrdiff_t>(y * row), row,
                    image.rows.begin() +
                        static_cast<std::ptrdiff_t>((kWindowHeight - 1 - y) * row));
    Graphics::PngWriter::Save(image, path);
}

bool ReadReference(const std::string& path, Frame& frame)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<u08> bytes((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
    Graphics::PngImage image;
    std::string error;
    if (bytes.empty() || !Graphics::PngDecoder::Decode(bytes.data(), bytes.size(), image, error) ||
        image.width != u32(kWindowWidth) || image.height != u32(kWindowHeight) ||
        image.colorType != Graphics::PngRgb)
        return false;
    frame.rgb = image.pixels;
    return true;
}

// Builds the engine, draws the scene and reads the window back.
bool RenderScene(const tinyxml2::XMLElement* root, Frame& frame, std::string& reason)
{
    if (!Platform::InitializeWindowing())
    {
        reason = "the windowing library did not start";
        return false;
    }
    Engine* engine = new Engine();
    g_Engine = engine;
    Core::RegisterCore(*engine);
    Serializer::RegisterSerializer(*engine);
    Scripting::RegisterScripting(*engine);
    Graphics::RegisterGraphics(*engine);
    const char* const arguments[] = {"quillmere"};
    engine->ParseCommandLine(1, arguments);
    engine->Initialize();
    auto* graphics = static_cast<GraphicsSystem*>(engine->GetSystem("GraphicsSystem"));
    SystemComponent* messages = engine->GetSystem("MessagingSystem");
    SystemComponent* cameras = engine->GetSystem("CameraSystem");
    const bool ready = graphics != nullptr && graphics->IsRendererReady() && messages != nullptr &&
                       cameras != nullptr;
    if (ready)
    {
        SceneFile::BuildScene(root, *graphics);
        for (int i = 0; i < kFrames; ++i)
        {
            messages->Update(kFrameTime);
            cameras->Update(kFrameTime);
            graphics->Update(kFrameTime);
        }
        frame.rgb.assign(std::size_t(kWindowWidth) * kWindowHeight * kBytesPerPixel, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    }
    else
        reason = "the engine did not start its renderer";
    delete engine;
    g_Engine = nullptr;
    Platform::TerminateWindowing();
    return ready;
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
                                                      kWindowWidth, kWindowHeight));
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
        for (std::size_t pixel = 0; pixel < frame.rgb.size() / kBytesPerPixel; ++pixel)
        {
            bool differs = false;
            for (u32 c = 0; c < kBytesPerPixel; ++c)
            {
                const std::size_t i = pixel * kBytesPerPixel + c;
                const int delta = std::abs(int(frame.rgb[i]) - int(reference.rgb[i]));
                difference.rgb[i] = static_cast<u08>(std::min(255, delta * 4));
                differs = differs || delta > kChannelTolerance;
            }
            off += differs ? 1 : 0;
        }
        const double share = double(off) / double(frame.rgb.size() / kBytesPerPixel);
        EXPECT_LE(share, kMaxOffPixels) << off << " pixels differ from " << referencePath;
        if (share > kMaxOffPixels)
        {
            WritePng(frame, std::string(QUILL_SCENE_FAILURE_DIR) + "/" + scene + ".frame.png");
            WritePng(difference, std::string(QUILL_SCENE_FAILURE_DIR) + "/" + scene + ".diff.png");
        }
    }
}
