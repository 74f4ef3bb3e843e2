#include "Graphics/Rendering/NodeMesh.h"
#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/Rendering/RenderSubmitter.h"

namespace Graphics
{
void NodeMesh::Render(RenderQueue& queue)
{
    RenderSubmitter& submitter = queue.GetSubmitter();
    for (const auto& node : m_materials)
    {
        submitter.BindMaterial(*node->GetMaterial());
        node->Render(queue);
        submitter.UnbindMaterial(*node->GetMaterial());
    }
}

NodeMaterial& NodeMesh::GetMaterialNode(const Material* material)
{
    for (const auto& node : m_materials)
    {
        if (node->GetMaterial() == material)
            return *node;
    }
    m_materials.push_back(std::make_unique<NodeMaterial>(this, material));
    return *m_materials.back();
}

void NodeMesh::Clear()
{
    for (const auto& node : m_materials)
        node->Clear();
}
} // namespace Graphics
