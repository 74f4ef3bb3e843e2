#pragma once
// The leaves of the render queue: the components that share one program, model and material,
// in the order they were added. Clearing keeps the list's capacity, so a frame that draws the
// same scene again allocates nothing.
#include "Graphics/Rendering/SceneNode.h"
#include <vector>

namespace Graphics
{
class Material;
class Model;
class RenderComponent;

class NodeMaterial : public SceneNode
{
public:
    NodeMaterial(SceneNode* parent, const Material* material)
        : SceneNode(parent), m_material(material)
    {
    }

    // Draws every visible component with its object's uniforms.
    void Render(RenderQueue& queue) override;

    void Add(RenderComponent* component) { m_components.push_back(component); }
    void Clear() { m_components.clear(); }
    const Material* GetMaterial() const { return m_material; }
    const std::vector<RenderComponent*>& GetComponents() const { return m_components; }

    // One component of the model: its object's matrices and values, its bones when the model
    // is skinned (and its skeleton for the debug view, see RenderQueue::QueuesSkeletons), the
    // draw and the statistics. An invisible component, or one whose object or
    // transform is gone, draws and counts nothing. The benchmark's baseline walk draws with it
    // too, so both walks do the same work per component.
    static void DrawComponent(RenderQueue& queue, const Model& model, RenderComponent& component);

private:
    const Material* m_material;
    std::vector<RenderComponent*> m_components;
};
} // namespace Graphics
