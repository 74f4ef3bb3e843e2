#pragma once
// An OpenGL program linked from the shaders one variant of a program file names
// (ShaderProgramFile.h). Every program binds the same vertex attribute names to fixed
// locations before each link, the contract with the vertex layouts of models, particles and
// text:
//     0 vertex  1 normal  2 texcoord  3 tangent  4 binormal  5 weight  6 index  7 color
//     8 scale   9 rotation  10 frame
// Main thread only.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include <array>
#include <string>
#include <vector>

namespace Graphics
{
class Shader;

struct ShaderProgramParam
{
    std::string path;
    ShaderProgramFile::Variant variant;
};

class ShaderProgram : public Asset<ShaderProgramParam>
{
public:
    static constexpr u32 AttributeCount = 11;
    // Index = location.
    static const std::array<const char*, AttributeCount> AttributeNames;

    ShaderProgram();
    ~ShaderProgram() override;

    // Logs "Creating Shader Program: <name>", attaches the named shaders found (vertex run,
    // geometry run, fragment run) and links. A link failure logs "Link Error [<name>]:" with the
    // driver's text; the program is still kept, so the answer is true. With a shader manager,
    // the named shaders are checked first (ShaderProgramFile::CheckShaders, one line for every
    // problem); a variant left without a vertex or a fragment shader is refused (false, not
    // linked), so its users find no program.
    bool Load() override;
    // Detaches the recorded shaders and deletes the program.
    void Unload() override;
    // A new program from the same shader assets (which hold their current objects), linked
    // again. A link failure is logged and answers true, so one bad program does not stop the
    // others from reloading.
    bool Reload() override;

    // Makes the program current and answers its handle.
    u32 Use() const;
    // Makes no program current.
    static void UseNone();

    u32 GetHandle() const { return m_handle; }
    bool IsLinked() const { return m_linked; }
    // The attached shaders in attach order; null for a name that was empty or not found.
    const std::vector<Shader*>& GetShaders() const { return m_shaders; }

private:
    // A new program object with the recorded shaders that have objects.
    void Attach();
    // Binds the attribute locations and links; a failure is logged.
    void Link();

    std::vector<Shader*> m_shaders;
    u32 m_handle;
    bool m_linked;
};
} // namespace Graphics
