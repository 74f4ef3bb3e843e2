#pragma once
// Six textures, one per shading role, named by a material file (MaterialFile.h) and bound to
// texture units 0 to 5 with sampler uniforms of the same names:
//     0 DiffuseMap  1 NormalMap  2 SpecularMap  3 GlossMap  4 EmissiveMap  5 OpacityMap
// A role whose name is empty or not loaded falls back to its default texture ("White", "Flat",
// "Black", "Black", "Black", "White"); when that is missing too, the unit gets no texture.
// The textures belong to the texture manager. The file may be read on the loader's worker
// (staged), but the textures are looked up in Load, on the main thread, after the batch's
// textures are in.
#include "Core/Assets/AssetManager.h"
#include "Graphics/Formats/MaterialFile.h"
#include <array>
#include <memory>
#include <string>

namespace Graphics
{
class Texture;

struct MaterialParam
{
    std::string path;
    // Names read on the loader's worker; Load takes them instead of reading the file.
    std::shared_ptr<MaterialFile::Names> staged;
};

class Material : public Asset<MaterialParam>
{
public:
    // Reads the names from the file: a missing or unparsable file is logged and every role
    // takes its default.
    static void ReadFile(const std::string& path, MaterialFile::Names& names);

    Material();
    ~Material() override;

    // Looks the six textures up; always true.
    bool Load() override;
    void Unload() override {}
    // Reads the file and looks the textures up again.
    bool Reload() override;

    // For unit i from 0 to 5: makes it active, binds the role's texture (0 when it has none)
    // and sets the program's sampler uniform of that role to i. Unit 5 stays active. The
    // program must be the current one.
    void Bind(u32 program) const;
    // Binds no texture on units 0 to 5, leaving unit 5 active.
    static void UnbindAll();

    // Null when neither the named nor the default texture is loaded.
    const Texture* GetTexture(u32 slot) const { return m_textures[slot]; }

private:
    void Resolve(const MaterialFile::Names& names);

    std::array<const Texture*, MaterialFile::SlotCount> m_textures;
};
} // namespace Graphics
