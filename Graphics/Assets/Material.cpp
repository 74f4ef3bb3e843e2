#include "Graphics/Assets/Material.h"
#include "Core/Log.h"
#include "Graphics/Assets/GlName.h"
#include "Graphics/Assets/TextureManager.h"
#include "Serializer/FileReader.h"
#include <GL/glew.h>

namespace Graphics
{
Material::Material()
{
    m_textures.fill(nullptr);
}

Material::~Material() = default;

void Material::ReadFile(const std::string& path, MaterialFile::Names& names)
{
    names = MaterialFile::Names();
    FileReader reader(path);
    char* text = nullptr;
    if (reader.ReadAll(text)) // otherwise the reader logged the file
        MaterialFile::Read(text, reader.GetBufferSize() - 1, path, names);
}

void Material::Resolve(const MaterialFile::Names& names)
{
    const TextureManager* textures = TextureManager::Instance();
    for (u32 slot = 0; slot < MaterialFile::SlotCount; ++slot)
    {
        const Texture* texture = nullptr;
        if (textures != nullptr)
        {
            texture = textures->FindAny(names[slot]);
            if (texture == nullptr && !names[slot].empty())
                Core::Log() << "Error [Material]: " << m_param.path << ": "
                            << MaterialFile::SlotNames[slot] << " texture \"" << names[slot]
                            << "\" is not loaded; " << MaterialFile::DefaultTextures[slot]
                            << " used instead\n";
            if (texture == nullptr)
                texture = textures->FindAny(MaterialFile::DefaultTextures[slot]);
        }
        m_textures[slot] = texture;
    }
}

bool Material::Load()
{
    MaterialFile::Names names;
    if (m_param.staged != nullptr)
    {
        names = *m_param.staged;
        m_param.staged.reset();
    }
    else
    {
        ReadFile(m_param.path, names);
    }
    Resolve(names);
    return true;
}

bool Material::Reload()
{
    MaterialFile::Names names;
    ReadFile(m_param.path, names);
    Resolve(names);
    return true;
}

void Material::Bind(u32 program) const
{
    for (u32 slot = 0; slot < MaterialFile::SlotCount; ++slot)
    {
        const Texture* texture = m_textures[slot];
        const u32 handle = texture != nullptr ? texture->GetHandle() : NoGlName;
        glActiveTexture(GL_TEXTURE0 + slot);
        glBindTexture(GL_TEXTURE_2D, handle != NoGlName ? handle : 0);
        glUniform1i(glGetUniformLocation(program, MaterialFile::SlotNames[slot]),
                    static_cast<GLint>(slot));
    }
}

void Material::UnbindAll()
{
    for (u32 slot = 0; slot < MaterialFile::SlotCount; ++slot)
        Texture::UnbindUnit(slot);
}
} // namespace Graphics
