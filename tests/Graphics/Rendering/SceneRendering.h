#pragma once
// Whole frames of scene files (SceneFile.h) for the screenshot tests: an Xvfb display of the
// test's own (1366 x 768, so the render targets have that size), an engine built as the game
// builds it up to graphics (a test may register more subsystems), a few frames stepped with a
// fixed time so that animations and fades are frozen, and the 683 x 384 window read back.
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Graphics/Formats/PngImage.h"
#include "Graphics/Formats/PngWriter.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/GraphicsSystem.h"
#include "Platform/Window.h"
#include "Scripting/ScriptingRegistration.h"
#include "Serializer/SerializerRegistration.h"
#include "tests/Graphics/Rendering/SceneFile.h"
#include <GL/glew.h>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <tinyxml2.h>
#include <unistd.h>
#include <vector>

namespace SceneFile
{
inline constexpr int WindowWidthPixels = 683;
inline constexpr int WindowHeightPixels = 384;
// Frames drawn before the one that is read: the sky is created by a message, and the passes
// settle.
inline constexpr int FrameCount = 4;
inline constexpr f32 FrameTime = 1.0f / 60.0f;
// How long Xvfb may take to tell its display number.
inline constexpr int DisplayWaitMs = 10000;
inline constexpr u32 BytesPerPixel = 3;
inline const char* const ScreenSize = "1366x768x24";
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
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", ScreenSize,
                   "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd wait{fds[0], POLLIN, 0};
        char c = 0;
        while (m_pid > 0 && poll(&wait, 1, DisplayWaitMs) > 0 && read(fds[0], &c, 1) == 1 &&
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

inline void WritePng(const Frame& frame, const std::string& path)
{
    Graphics::PngWriter::Description image;
    image.width = WindowWidthPixels;
    image.height = WindowHeightPixels;
    image.colorType = Graphics::PngRgb;
    const std::size_t row = WindowWidthPixels * BytesPerPixel;
    image.rows.resize(frame.rgb.size());
    for (int y = 0; y < WindowHeightPixels; ++y)
        std::copy_n(frame.rgb.begin() + static_cast<std::ptrdiff_t>(y * row), row,
                    image.rows.begin() +
                        static_cast<std::ptrdiff_t>((WindowHeightPixels - 1 - y) * row));
    Graphics::PngWriter::Save(image, path);
}

// Builds the engine, draws the scene and reads the window back.
inline bool RenderScene(const tinyxml2::XMLElement* root, Frame& frame, std::string& reason,
                        const std::function<void(Engine&)>& registerMore = {})
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
    if (registerMore)
        registerMore(*engine);
    const char* const arguments[] = {"quillmere"};
    engine->ParseCommandLine(1, arguments);
    engine->Initialize();
    auto* graphics =
        static_cast<Graphics::System::GraphicsSystem*>(engine->GetSystem("GraphicsSystem"));
    SystemComponent* messages = engine->GetSystem("MessagingSystem");
    SystemComponent* cameras = engine->GetSystem("CameraSystem");
    const bool ready = graphics != nullptr && graphics->IsRendererReady() && messages != nullptr &&
                       cameras != nullptr;
    if (ready)
    {
        SceneFile::BuildScene(root, *graphics);
        for (int i = 0; i < FrameCount; ++i)
        {
            messages->Update(FrameTime);
            cameras->Update(FrameTime);
            graphics->Update(FrameTime);
        }
        frame.rgb.assign(std::size_t(WindowWidthPixels) * WindowHeightPixels * BytesPerPixel, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, WindowWidthPixels, WindowHeightPixels, GL_RGB, GL_UNSIGNED_BYTE,
                     frame.rgb.data());
    }
    else
        reason = "the engine did not start its renderer";
    delete engine;
    g_Engine = nullptr;
    Platform::TerminateWindowing();
    return ready;
}
} // namespace SceneFile
