#pragma once
// The shaders of the game, read from assets/Shaders into one category per stage: 0 vertex
// (".vs" shaders, ".vh" headers), 1 fragment (".fs", ".fh"), 2 geometry (".gs", ".gh"). A
// shader's name is its whole file name (Basic.vs), as programs refer to it. Only LoadAll loads;
// no editor enumeration. Main thread only.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Assets/Shader.h"

namespace Graphics
{
class ShaderManager : public AssetManager<Shader, ShaderParam>
{
public:
    enum CategoryId : u32
    {
        VertexCategory = 0,
        FragmentCategory = 1,
        GeometryCategory = 2,
        CategoryCount = 3,
    };
    static constexpr const char* Folder = "assets/Shaders";

    ShaderManager();
    ~ShaderManager() override;

    static ShaderManager* Instance() { return s_instance; }

    // Six listings in order (.vs, .vh, .fs, .fh, .gs, .gh), each file logged as "Creating
    // Vertex Shader: <file>" (Vertex Header, Fragment Shader, ...) before it is added.
    void LoadAll(u32 category) override;
    // Nothing: shaders load only with their whole folder.
    void Load(const std::string&, u32) override {}
    std::string GetDirectory(bool withSeparator) override
    {
        return GetCategoryDirectory(0, withSeparator);
    }

    // The category of an OpenGL stage; CategoryCount for none.
    static u32 CategoryOfStage(u32 stage);

private:
    static ShaderManager* s_instance;
};
} // namespace Graphics
