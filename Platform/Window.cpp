#include "Platform/Window.h"
#include "Platform/PlatformServices.h"
#include <GLFW/glfw3.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#if defined(__SANITIZE_ADDRESS__)
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#endif

namespace Platform
{
namespace
{
void ReportGlfwError(int code, const char* description)
{
    std::fprintf(stderr, "Error [Window]: GLFW error %d: %s\n", code,
                 description != nullptr ? description : "(no description)");
}

// Xlib's handler of a broken connection before InitializeWindowing replaced it.
XIOErrorHandler g_previousDisplayLostHandler = nullptr;

// Builds "<prefix><name>\n" in `line`, every control character of the name written as '?' so
// that it cannot start a line of its own; answers the line's length.
std::size_t ComposeDisplayLine(char* line, std::size_t size, const char* prefix, const char* name)
{
    constexpr unsigned char FirstPrintable = 0x20;
    constexpr unsigned char Delete = 0x7f;
    std::size_t length = 0;
    for (const char* c = prefix; *c != '\0' && length + 2 < size; ++c)
        line[length++] = *c;
    for (const char* c = name; *c != '\0' && length + 2 < size; ++c)
    {
        const auto code = static_cast<unsigned char>(*c);
        line[length++] = code < FirstPrintable || code == Delete ? '?' : *c;
    }
    line[length++] = '\n';
    line[length] = '\0';
    return length;
}

// Xlib calls this when the connection to the X server breaks (the server ended, the display is
// gone). It must not return, and the window's GL context went with the connection, so the
// process ends here: with a last line naming the display in the log (the process control's hook)
// or, when no hook is installed, on standard error alone.
int OnDisplayLost(Display* display)
{
    constexpr std::size_t LineSize = 256;
    char line[LineSize];
    const char* name = display != nullptr ? DisplayString(display) : nullptr;
    const std::size_t length = ComposeDisplayLine(
        line, LineSize, "Error [Window]: the display is lost, the process ends: ",
        name != nullptr && *name != '\0' ? name : "(unnamed)");
    if (Services().endProcess != nullptr)
        Services().endProcess(line, length);
    ssize_t ignored = ::write(STDERR_FILENO, line, length);
    (void)ignored;
    std::_Exit(EXIT_FAILURE);
}

#if defined(__SANITIZE_ADDRESS__)
// Sanitizer builds only: Mesa's GL driver keeps a few blocks of its first draw in its own globals
// until the process ends, and unloads itself when the windowing library closes the display, so
// the leak checker, which runs at exit, would count those blocks as lost. The driver is kept
// mapped instead (RTLD_NOLOAD finds it only if it is loaded; RTLD_NODELETE keeps it).
int KeepDriverLoaded(dl_phdr_info* info, size_t, void*)
{
    if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr)
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}
#endif
} // namespace

bool InitializeWindowing()
{
    glfwSetErrorCallback(ReportGlfwError);
    if (glfwInit() != GLFW_TRUE)
    {
        std::fprintf(stderr, "Error [Window]: the windowing library could not be initialised\n");
        return false;
    }
    // After glfwInit, which opened the connection: a lost display ends the game with a line in
    // the log instead of Xlib's message on standard error alone.
    g_previousDisplayLostHandler = XSetIOErrorHandler(&OnDisplayLost);
    return true;
}

void TerminateWindowing()
{
#if defined(__SANITIZE_ADDRESS__)
    dl_iterate_phdr(&KeepDriverLoaded, nullptr);
#endif
    glfwTerminate();
    XSetIOErrorHandler(g_previousDisplayLostHandler);
    g_previousDisplayLostHandler = nullptr;
}
} // namespace Platform
