#include "Platform/Window.h"
#include <GLFW/glfw3.h>
#include <cstdio>

namespace Platform
{
namespace
{
void ReportGlfwError(int code, const char* description)
{
    std::fprintf(stderr, "Error [Window]: GLFW error %d: %s\n", code,
                 description != nullptr ? description : "(no description)");
}
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
    glfwTerminate();
}
} // namespace Platform
