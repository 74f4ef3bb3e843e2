#pragma once
// The shader programs of the game, read from assets/ShaderPrograms. Each file defines up to
// three variants of one program, named by the file's name up to the first '.', one per
// category: 0 "Standard", 1 "Static", 2 "Skinned" (ShaderProgramFile.h). Programs link against
// the shader manager's shaders, so the shaders load first. Only LoadAll loads; no editor
// enumeration. Main thread only.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Assets/ShaderProgram.h"

namespace Graphics
{
class ShaderProgramManager : public AssetManager<ShaderProgram, ShaderProgramParam>
{
public:
    static constexpr const char* Folder = "assets/ShaderPrograms";

    ShaderProgramManager();
    ~ShaderProgramManager() override;

    static ShaderProgramManager* Instance() { return s_instance; }

    // Every file of the folder; a file that does not parse adds nothing (logged).
    void LoadAll(u32 category) override;
    // Nothing: programs load only with their whole folder.
    void Load(const std::string&, u32) override {}
    std::string GetDirectory(bool withSeparator) override
    {
        return GetCategoryDirectory(0, withSeparator);
    }

private:
    static ShaderProgramManager* s_instance;
};
} // namespace Graphics
