#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include "Graphics/Rendering/RenderSubmitter.h"

namespace Graphics
{
RenderQueue::RenderQueue(RenderSubmitter& submitter, Statistics& statistics)
    : m_submitter(submitter), m_statistics(statistics), m_lookup(nullptr),
      m_currentProgram(nullptr), m_queued(0), m_debugDraw(false), m_forward(false)
{
}

RenderQueue::~RenderQueue() = default;

void RenderQueue::Clear()
{
    for (ProgramList& tree : m_trees)
    {
        for (const auto& node : tree)
            node->Clear();
    }
    m_queued = 0;
}

NodeShaderProgram& RenderQueue::GetProgramNode(Tree tree, const ShaderProgram* program)
{
    ProgramList& nodes = m_trees[tree];
    for (const auto& node : nodes)
    {
        if (node->GetProgram() == program)
            return *node;
    }
    nodes.push_back(std::make_unique<NodeShaderProgram>(program));
    return *nodes.back();
}

void RenderQueue::Add(RenderComponent& component)
{
    const Model* model = component.GetModel();
    const Material* material = component.GetMaterial();
    const ShaderProgram* program = component.GetProgram();
    if (model == nullptr || material == nullptr || program == nullptr)
        return;
    Tree tree = Opaque;
    if (component.transparent)
        tree = Transparent;
    else if (model->GetVertexType() == SkinnedVertexType)
        tree = Skinned;
    GetProgramNode(tree, program).GetMeshNode(model).GetMaterialNode(material).Add(&component);
    ++m_queued;
}

void RenderQueue::RenderTreeForward(Tree tree)
{
    for (const auto& node : m_trees[tree])
    {
        m_currentProgram = node->GetProgram();
        m_submitter.UseProgram(m_currentProgram);
        m_submitter.SetForwardUniforms();
        node->Render(*this);
    }
}

void RenderQueue::RenderForward()
{
    m_forward = true;
    m_submitter.SetBlending(false);
    RenderTreeForward(Opaque);
    RenderTreeForward(Skinned);
    m_submitter.SetBlending(true);
    RenderTreeForward(Transparent);
    m_forward = false;
}

void RenderQueue::RenderTreeWith(Tree tree, const ShaderProgram* program,
                                 const CameraComponent* camera)
{
    m_currentProgram = program;
    m_submitter.UseProgram(program);
    for (const auto& node : m_trees[tree])
    {
        m_submitter.SetCameraUniforms(camera);
        node->Render(*this);
    }
}

void RenderQueue::RenderWithProgram(const std::string& programName, const CameraComponent* camera)
{
    if (m_lookup == nullptr)
        return;
    const ShaderProgram* staticProgram = m_lookup(programName, ShaderProgramFile::Static);
    if (staticProgram == nullptr)
        return;
    RenderTreeWith(Opaque, staticProgram, camera);
    const ShaderProgram* skinnedProgram =
        programName.empty() ? nullptr : m_lookup(programName, ShaderProgramFile::Skinned);
    if (skinnedProgram != nullptr)
        RenderTreeWith(Skinned, skinnedProgram, camera);
    else
    {
        m_currentProgram = nullptr;
        m_submitter.UseProgram(nullptr);
    }
}
} // namespace Graphics
