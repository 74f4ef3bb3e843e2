#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderManager.h"
#include <GL/glew.h>

namespace Graphics
{
const std::array<const char*, ShaderProgram::AttributeCount> ShaderProgram::AttributeNames = {
    "vertex", "normal", "texcoord", "tangent",  "binormal", "weight",
    "index",  "color",  "scale",    "rotation", "frame"};

namespace
{
constexpr GLint EmptyInfoLog = 1;
// The shader category each run of a variant draws from.
constexpr u32 RunCategories[ShaderProgramFile::RunCount] = {ShaderManager::VertexCategory,
                                                            ShaderManager::GeometryCategory,
                                                            ShaderManager::FragmentCategory};
} // namespace

ShaderProgram::ShaderProgram() : m_handle(0), m_linked(false) {}

ShaderProgram::~ShaderProgram() = default;

void ShaderProgram::Attach()
{
    // Without a started GL loader (a tool or test with no context) the entry points are null:
    // the program is kept without an object and draws nothing.
    if (glCreateProgram == nullptr)
    {
        Core::Log() << "Error [ShaderProgram]: no OpenGL context; " << m_name
                    << " has no program object\n";
        m_handle = 0;
        return;
    }
    m_handle = glCreateProgram();
    for (Shader* shader : m_shaders)
    {
        // A shader whose reload failed has no object to attach.
        if (shader != nullptr && shader->GetHandle() != 0)
            glAttachShader(m_handle, shader->GetHandle());
    }
}

void ShaderProgram::Link()
{
    if (m_handle == 0)
        return;
    for (u32 location = 0; location < AttributeCount; ++location)
        glBindAttribLocation(m_handle, location, AttributeNames[location]);
    glLinkProgram(m_handle);
    GLint linked = GL_FALSE;
    glGetProgramiv(m_handle, GL_LINK_STATUS, &linked);
    m_linked = linked == GL_TRUE;
    if (m_linked)
        return;
    Core::Log() << "Link Error [" << m_name << "]:\n";
    GLint length = 0;
    glGetProgramiv(m_handle, GL_INFO_LOG_LENGTH, &length);
    if (length > EmptyInfoLog)
    {
        std::vector<GLchar> info(static_cast<std::size_t>(length));
        glGetProgramInfoLog(m_handle, length, nullptr, info.data());
        Core::Log() << info.data() << '\n';
    }
}

bool ShaderProgram::Load()
{
    Core::Log() << "Creating Shader Program: " << m_name << '\n';
    m_shaders.clear();
    ShaderManager* shaders = ShaderManager::Instance();
    const ShaderProgramFile::Variant& variant = m_param.variant;
    const std::vector<std::string>* runs[ShaderProgramFile::RunCount] = {
        &variant.vertexShaders, &variant.geometryShaders, &variant.fragmentShaders};
    // Without a shader manager (a tool or test with no shaders) nothing can be checked, and the
    // program is kept with no shaders, as it always was.
    std::vector<bool> found;
    if (shaders != nullptr)
    {
        auto locate = [shaders](const std::string& name, u32 run) -> u32
        {
            if (shaders->Find(name, RunCategories[run]) != nullptr)
                return run;
            for (u32 other = 0; other < ShaderProgramFile::RunCount; ++other)
            {
                if (shaders->Find(name, RunCategories[other]) != nullptr)
                    return other;
            }
            return ShaderProgramFile::RunCount;
        };
        if (!ShaderProgramFile::CheckShaders(variant, m_param.path, locate, found))
            return false;
    }
    std::size_t index = 0;
    for (u32 run = 0; run < ShaderProgramFile::RunCount; ++run)
    {
        for (const std::string& name : *runs[run])
        {
            const bool usable = shaders != nullptr && found[index++];
            m_shaders.push_back(usable ? shaders->Find(name, RunCategories[run]) : nullptr);
        }
    }
    Attach();
    Core::Log() << "Shaders Attached.\n";
    Link();
    return true;
}

void ShaderProgram::Unload()
{
    if (m_handle == 0)
        return;
    for (Shader* shader : m_shaders)
    {
        if (shader != nullptr && shader->GetHandle() != 0)
            glDetachShader(m_handle, shader->GetHandle());
    }
    glDeleteProgram(m_handle);
    m_handle = 0;
    m_linked = false;
}

bool ShaderProgram::Reload()
{
    Attach();
    Link();
    return true;
}

u32 ShaderProgram::Use() const
{
    glUseProgram(m_handle);
    return m_handle;
}

void ShaderProgram::UseNone()
{
    glUseProgram(0);
}
} // namespace Graphics
