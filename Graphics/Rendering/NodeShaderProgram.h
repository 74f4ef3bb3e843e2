#pragma once
// The models drawn with one shader program. Children are found by a linear search in first-use
// order (see NodeMesh.h).
#include "Graphics/Rendering/NodeMesh.h"
#include <memory>
#include <vector>

namespace Graphics
{
class Model;
class ShaderProgram;

class NodeShaderProgram : public SceneNode
{
public:
    explicit NodeShaderProgram(const ShaderProgram* program)
        : SceneNode(nullptr), m_program(program)
    {
    }

    // Each model bound once, its materials drawn, then unbound. The caller has made a program
    // current.
    void Render(RenderQueue& queue) override;

    // The node of the model, made when missing.
    NodeMesh& GetMeshNode(const Model* model);
    void Clear();
    const ShaderProgram* GetProgram() const { return m_program; }
    const std::vector<std::unique_ptr<NodeMesh>>& GetMeshes() const { return m_meshes; }

private:
    const ShaderProgram* m_program;
    std::vector<std::unique_ptr<NodeMesh>> m_meshes;
};
} // namespace Graphics
