#pragma once
// A material file: a root element (any name) whose children name the textures of six shading
// roles, in this order, each optional:
//     <DiffuseMap>Rock</DiffuseMap> <NormalMap/> <SpecularMap>RockSpec</SpecularMap>
//     <GlossMap/> <EmissiveMap/> <OpacityMap/>
// Elements are read by position: one out of that order is not read, nor is any after it that
// comes earlier in the order. No OpenGL; any thread.
#include "Math/Types.h"
#include <array>
#include <cstddef>
#include <string>

namespace Graphics
{
class MaterialFile
{
public:
    static constexpr u32 SlotCount = 6;
    // Element names, which are also the sampler uniforms' names; index = texture unit.
    static const std::array<const char*, SlotCount> SlotNames;
    // The texture each slot falls back to when its name is empty or not loaded.
    static const std::array<const char*, SlotCount> DefaultTextures;

    using Names = std::array<std::string, SlotCount>;

    // The texture names the text gives (empty for a slot it does not give). False, with one log
    // line naming `source`, when the text does not parse; every name is then empty.
    static bool Read(const char* text, std::size_t length, const std::string& source, Names& names);
};
} // namespace Graphics
