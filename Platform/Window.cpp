#include "Platform/Window.h"
#include <GLFW/glfw3.h>
#include <cstdio>
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
    return true;
}

void TerminateWindowing()
{
#if defined(__SANITIZE_ADDRESS__)
    dl_iterate_phdr(&KeepDriverLoaded, nullptr);
#endif
    glfwTerminate();
}
} // namespace Platform
