#pragma once
// A shader-program file: its top-level elements (any tag) are the program's variants, each
// named by its own text, "Standard", "Static" or "Skinned" (any other text skips the element).
// Inside a variant, child elements form three runs in this order, each of any length:
//     <VertexShader>Basic.vs</VertexShader>      names of vertex shaders and headers
//     <GeometryShader>Wave.gs</GeometryShader>   geometry shaders
//     <FragmentShader>Basic.fs</FragmentShader>  fragment shaders
// An element that breaks the order (a VertexShader after a FragmentShader) is not read, nor is
// anything after it. Shader names keep their extensions. No OpenGL; any thread.
#include "Math/Types.h"
#include <cstddef>
#include <string>
#include <vector>

namespace Graphics
{
class ShaderProgramFile
{
public:
    enum Category : u32
    {
        Standard = 0,
        Static = 1,
        Skinned = 2,
        CategoryCount = 3,
    };
    static const char* const CategoryNames[CategoryCount];

    struct Variant
    {
        u32 category = Standard;
        std::vector<std::string> vertexShaders;
        std::vector<std::string> geometryShaders;
        std::vector<std::string> fragmentShaders;
    };

    // The variants in document order. False, with one log line naming `source`, when the text
    // does not parse; `variants` is then empty.
    static bool Read(const char* text, std::size_t length, const std::string& source,
                     std::vector<Variant>& variants);
};
} // namespace Graphics
