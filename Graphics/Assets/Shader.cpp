#include "Graphics/Assets/Shader.h"
#include "Graphics/GraphicsSystem.h"
#include "Serializer/FileReader.h"
#include <GL/glew.h>
#include <vector>

namespace Graphics
{
namespace
{
// Info logs of one byte hold only their terminator.
constexpr GLint EmptyInfoLog = 1;
constexpr int SourceStrings = 3;
} // namespace

Shader::Shader() : m_handle(0) {}

Shader::~Shader() = default;

bool Shader::Compile()
{
    m_handle = 0;
    FileReader reader(m_param.path);
    char* text = nullptr;
    if (!reader.ReadAll(text))
        return false; // the reader logged the file

    const GLuint shader = glCreateShader(m_param.stage);
    System::GraphicsSystem* graphics = System::GraphicsSystem::Instance();
    const std::string version = graphics != nullptr ? graphics->GetGlslVersionLine() : "";
    const std::string define = graphics != nullptr ? graphics->GetGlslDefineLine() : "";
    const GLchar* sources[SourceStrings] = {version.c_str(), define.c_str(), text};
    // The file's own length: the reader's terminating zero is not GLSL, and some compilers
    // refuse a NUL character inside a source string.
    const GLint lengths[SourceStrings] = {static_cast<GLint>(version.size()),
                                          static_cast<GLint>(define.size()),
                                          static_cast<GLint>(reader.GetBufferSize() - 1)};
    glShaderSource(shader, SourceStrings, sources, lengths);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE)
    {
        m_handle = shader;
        return true;
    }

    Core::Log() << "Compiler Error [" << m_name << "]["
                << (m_param.stage == GL_VERTEX_SHADER ? "VERTEX" : "FRAGMENT") << "]:\n";
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length > EmptyInfoLog)
    {
        std::vector<GLchar> info(static_cast<std::size_t>(length));
        glGetShaderInfoLog(shader, length, nullptr, info.data());
        Core::Log() << info.data() << '\n';
    }
    glDeleteShader(shader);
    return false;
}

bool Shader::Load()
{
    return Compile();
}

void Shader::Unload()
{
    if (m_handle != 0)
        glDeleteShader(m_handle);
    m_handle = 0;
}

bool Shader::Reload()
{
    Compile();
    return true;
}
} // namespace Graphics
