#include "Graphics/Assets/ShaderManager.h"
#include "Core/Assets/FileSystem.h"
#include <GL/glew.h>
#include <vector>

namespace Graphics
{
ShaderManager* ShaderManager::s_instance = nullptr;

namespace
{
struct Listing
{
    const char* extension;
    u32 category;
    const char* label;
};
constexpr Listing Listings[] = {
    {".vs", ShaderManager::VertexCategory, "Creating Vertex Shader: "},
    {".vh", ShaderManager::VertexCategory, "Creating Vertex Header: "},
    {".fs", ShaderManager::FragmentCategory, "Creating Fragment Shader: "},
    {".fh", ShaderManager::FragmentCategory, "Creating Fragment Header: "},
    {".gs", ShaderManager::GeometryCategory, "Creating Geometry Shader: "},
    {".gh", ShaderManager::GeometryCategory, "Creating Geometry Header: "},
};
constexpr u32 Stages[ShaderManager::CategoryCount] = {GL_VERTEX_SHADER, GL_FRAGMENT_SHADER,
                                                      GL_GEOMETRY_SHADER};
} // namespace

ShaderManager::ShaderManager()
{
    m_categories.resize(CategoryCount);
    for (Category& category : m_categories)
        category.folder = Folder;
    s_instance = this;
}

ShaderManager::~ShaderManager()
{
    UnloadAll();
    if (s_instance == this)
        s_instance = nullptr;
}

u32 ShaderManager::CategoryOfStage(u32 stage)
{
    for (u32 category = 0; category < CategoryCount; ++category)
    {
        if (Stages[category] == stage)
            return category;
    }
    return CategoryCount;
}

void ShaderManager::LoadAll(u32)
{
    std::vector<std::string> files;
    for (const Listing& listing : Listings)
    {
        Serializer::System::FileSystem::ListFiles(Folder, files, listing.extension);
        for (const std::string& file : files)
        {
            if (Find(file, listing.category) != nullptr)
                continue;
            Core::Log() << listing.label << file << '\n';
            Add(file, ShaderParam{std::string(Folder) + '/' + file, Stages[listing.category]},
                listing.category);
        }
    }
}
} // namespace Graphics
