#pragma once
// The models under one program node, each with its materials. Children are found by a linear
// search in first-use order: a model has a handful of materials, and the walk order stays the
// same from run to run.
#include "Graphics/Rendering/NodeMaterial.h"
#include <memory>
#include <vector>

namespace Graphics
{
class Material;
class Model;

class NodeMesh : public SceneNode
{
public:
    NodeMesh(SceneNode* parent, const Model* model) : SceneNode(parent), m_model(model) {}

    // Each material bound once, its components drawn, then unbound.
    void Render(RenderQueue& queue) override;

    // The node of the material, made when missing.
    NodeMaterial& GetMaterialNode(const Material* material);
    void Clear();
    const Model* GetModel() const { return m_model; }
    const std::vector<std::unique_ptr<NodeMaterial>>& GetMaterials() const { return m_materials; }

private:
    const Model* m_model;
    std::vector<std::unique_ptr<NodeMaterial>> m_materials;
};
} // namespace Graphics
