#pragma once
// A node of the render queue's tree: program, then model, then material, then components.
// Each node owns its children; the assets and components it points to belong to others.
namespace Graphics
{
class RenderQueue;

class SceneNode
{
public:
    explicit SceneNode(SceneNode* parent) : m_parent(parent) {}
    virtual ~SceneNode() = default;
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;

    // Draws the node's subtree through the queue's submitter.
    virtual void Render(RenderQueue& queue) = 0;

    SceneNode* GetParent() const { return m_parent; }

private:
    SceneNode* m_parent;
};
} // namespace Graphics
