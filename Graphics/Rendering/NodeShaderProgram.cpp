#include "Graphics/Rendering/NodeShaderProgram.h"
#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/Rendering/RenderSubmitter.h"

namespace Graphics
{
void NodeShaderProgram::Render(RenderQueue& queue)
{
    RenderSubmitter& submitter = queue.GetSubmitter();
    for (const auto& node : m_meshes)
    {
        submitter.BindModel(*node->GetModel());
        node->Render(queue);
        submitter.UnbindModel(*node->GetModel());
    }
}

NodeMesh& NodeShaderProgram::GetMeshNode(const Model* model)
{
    for (const auto& node : m_meshes)
    {
        if (node->GetModel() == model)
            return *node;
    }
    m_meshes.push_back(std::make_unique<NodeMesh>(this, model));
    return *m_meshes.back();
}

void NodeShaderProgram::Clear()
{
    for (const auto& node : m_meshes)
        node->Clear();
}
} // namespace Graphics
