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
#include <functional>
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

    // The three runs of a variant, in file order.
    enum Run : u32
    {
        VertexRun = 0,
        GeometryRun = 1,
        FragmentRun = 2,
        RunCount = 3,
    };
    // "vertex shader", "geometry shader", "fragment shader".
    static const char* const RunKinds[RunCount];
    // Where the shaders stand: the run whose kind the named shader is (`run` itself when it is
    // where it was named), RunCount when there is no such shader.
    using Locate = std::function<u32(const std::string& name, u32 run)>;
    // Checks each shader the variant names (vertex run, geometry run, fragment run) and sets
    // `found` for each, in that order. Every name that does not exist, is of another kind (a
    // fragment shader in the vertex run) or leaves the shader folder ("../") is named in ONE log
    // line with `source` and the variant's category. False, logged, when no vertex or no
    // fragment shader is left (or none is named): such a variant must not be linked.
    static bool CheckShaders(const Variant& variant, const std::string& source,
                             const Locate& locate, std::vector<bool>& found);
};
} // namespace Graphics
