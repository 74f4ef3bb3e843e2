#include "Graphics/Assets/ShaderProgram.h"
#include "Core/Assets/AssetPath.h"
#include "Graphics/Assets/ShaderManager.h"
#include <GL/glew.h>

namespace Graphics
{
const std::array<const char*, ShaderProgram::AttributeCount> ShaderProgram::AttributeNames = {
    "vertex", "normal", "texcoord", "tangent",  "binormal", "weight",
    "index",  "color",  "scale",    "rotation", "frame"};

namespace
{
constexpr GLint kEmptyInfoLog = 1;
// The three runs of a variant, in file order, with the shader category each draws from.
constexpr std::size_t kRunCount = 3;
constexpr std::size_t kVertexRun = 0;
constexpr std::size_t kFragmentRun = 2;
const char* const kRunKinds[kRunCount] = {"vertex shader", "geometry shader", "fragment shader"};
constexpr u32 kRunCategories[kRunCount] = {ShaderManager::VertexCategory,
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
    if (length > kEmptyInfoLog)
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
    const std::vector<std::string>* runs[kRunCount] = {
        &variant.vertexShaders, &variant.geometryShaders, &variant.fragmentShaders};
    std::string problems;
    bool stageFound[kRunCount] = {};
    for (std::size_t run = 0; run < kRunCount; ++run)
    {
        for (const std::string& name : *runs[run])
        {
            Shader* shader = nullptr;
            if (shaders != nullptr)
                shader = FindShader(*shaders, name, run, problems);
            stageFound[run] = stageFound[run] || shader != nullptr;
            m_shaders.push_back(shader);
        }
    }
    // Without a shader manager (a tool or test with no shaders) nothing can be checked, and the
    // program is kept as before.
    if (shaders != nullptr && !ReportShaders(problems, stageFound))
    {
        m_shaders.clear();
        return false;
    }
    Attach();
    Core::Log() << "Shaders Attached.\n";
    Link();
    return true;
}

Shader* ShaderProgram::FindShader(const ShaderManager& shaders, const std::string& name,
                                  std::size_t run, std::string& problems) const
{
    const char* const kind = kRunKinds[run];
    if (!Core::IsAssetPathInside(name))
    {
        problems += std::string("; ") + kind + " \"" + name + "\" leaves the shader folder";
        return nullptr;
    }
    if (Shader* shader = shaders.Find(name, kRunCategories[run]))
        return shader;
    for (std::size_t other = 0; other < kRunCount; ++other)
    {
        if (other != run && shaders.Find(name, kRunCategories[other]) != nullptr)
        {
            problems += std::string("; ") + kind + " \"" + name + "\" is a " + kRunKinds[other];
            return nullptr;
        }
    }
    problems += std::string("; ") + kind + " \"" + name + "\" does not exist";
    return nullptr;
}

bool ShaderProgram::ReportShaders(const std::string& problems, const bool* stageFound) const
{
    const std::string where = "Error [ShaderProgram]: " + m_param.path + " (" +
                              ShaderProgramFile::CategoryNames[m_param.variant.category %
                                                               ShaderProgramFile::CategoryCount] +
                              ")";
    // A program needs both ends of the pipeline; the geometry stage is optional.
    const bool vertex = stageFound[kVertexRun];
    const bool fragment = stageFound[kFragmentRun];
    if (!vertex || !fragment)
    {
        std::string missing;
        if (problems.empty() && m_shaders.empty())
            missing = "it names no shaders";
        else if (!vertex && !fragment)
            missing = "it has no vertex and no fragment shader";
        else
            missing = !vertex ? "it has no vertex shader" : "it has no fragment shader";
        Core::Log() << where << " not linked: " << missing << problems << '\n';
        return false;
    }
    if (!problems.empty())
        Core::Log() << where << ": linked, but" << problems.substr(1) << '\n';
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
