#include "Graphics/Assets/ShaderProgramManager.h"
#include "Core/Assets/FileSystem.h"
#include "Serializer/FileReader.h"
#include <vector>

namespace Graphics
{
ShaderProgramManager* ShaderProgramManager::s_instance = nullptr;

ShaderProgramManager::ShaderProgramManager()
{
    m_categories.resize(ShaderProgramFile::CategoryCount);
    for (u32 category = 0; category < ShaderProgramFile::CategoryCount; ++category)
    {
        m_categories[category].name = ShaderProgramFile::CategoryNames[category];
        m_categories[category].folder = Folder;
    }
    s_instance = this;
}

ShaderProgramManager::~ShaderProgramManager()
{
    UnloadAll();
    if (s_instance == this)
        s_instance = nullptr;
}

void ShaderProgramManager::LoadAll(u32)
{
    std::vector<std::string> files;
    Serializer::System::FileSystem::ListFiles(Folder, files, "");
    for (const std::string& file : files)
    {
        const std::string path = std::string(Folder) + '/' + file;
        FileReader reader(path);
        char* text = nullptr;
        if (!reader.ReadAll(text))
            continue; // the reader logged the file
        std::vector<ShaderProgramFile::Variant> variants;
        if (!ShaderProgramFile::Read(text, reader.GetBufferSize() - 1, path, variants))
            continue;
        const std::string name = Serializer::StripExtension(file);
        for (const ShaderProgramFile::Variant& variant : variants)
        {
            if (Find(name, variant.category) == nullptr)
                Add(name, ShaderProgramParam{path, variant}, variant.category);
        }
    }
}
} // namespace Graphics
