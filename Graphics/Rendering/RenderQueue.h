#pragma once
// Every rendered frame the graphics system clears the queue and adds each registered render
// component; the passes then draw it. The queue groups components into three trees (opaque,
// skinned, transparent), each program -> model -> material -> components, so that each
// program, model and material is bound once per pass however many objects share it.
//
// Nodes are keyed by the asset's address, not by its OpenGL name: the grouping is the same, and
// it survives F10 and the switch to full screen, which give the assets new names. Nodes live as
// long as the queue: Clear empties the component lists and keeps the nodes and the lists'
// capacity, so a frame that draws the same scene as the last allocates nothing. Empty nodes are
// not pruned; drawing one binds and unbinds its model and material and draws nothing.
//
// Drawing goes through a RenderSubmitter (OpenGL, or a recorder in tests and benchmarks) and
// counts into the frame statistics it is given. Main thread only.
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/NodeShaderProgram.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Graphics
{
class CameraComponent;
class RenderComponent;
class RenderSubmitter;
class ShaderProgram;

class RenderQueue
{
public:
    enum Tree
    {
        Opaque,
        Skinned,
        Transparent,
        TreeCount,
    };
    using Statistics = System::GraphicsSystem::FrameStatistics;
    // Finds a program by name and category for RenderWithProgram; the graphics system looks in
    // the shader-program manager, tests in their own set.
    using ProgramLookup = const ShaderProgram* (*)(const std::string& name, u32 category);

    RenderQueue(RenderSubmitter& submitter, Statistics& statistics);
    ~RenderQueue();
    RenderQueue(const RenderQueue&) = delete;
    RenderQueue& operator=(const RenderQueue&) = delete;

    // Empties every material node's list; the nodes stay.
    void Clear();
    // Files the component under its tree, program, model and material. A component without a
    // model, material or program is skipped. Visibility is tested when drawing.
    void Add(RenderComponent& component);
    // The forward routine: opaque and skinned trees without blending, then the transparent
    // tree blended without depth writes; each program node with its own program and the
    // forward uniforms.
    void RenderForward();
    // The opaque tree with the named "Static" program and the skinned tree with its "Skinned"
    // variant, each program given the camera's uniforms. No "Static" program: nothing is
    // drawn; no "Skinned" variant: the skinned tree is skipped (program 0 would draw with the
    // fixed function). The transparent tree is not drawn.
    void RenderWithProgram(const std::string& programName, const CameraComponent* camera);

    void SetProgramLookup(ProgramLookup lookup) { m_lookup = lookup; }
    // Shown skeletons (F2): read when skinned components are drawn.
    void SetDebugDraw(bool on) { m_debugDraw = on; }
    bool IsDebugDrawOn() const { return m_debugDraw && m_forward; }
    // Whether drawing a skinned component queues its skeleton for the debug view: only with F2
    // on and only in the forward routine. The geometry and shadow passes draw the same
    // components earlier in the frame, and the debug shapes are drawn once, after the forward
    // routine, so queuing there too would only draw each line again on top of itself.
    bool QueuesSkeletons() const { return m_debugDraw && m_forward; }

    RenderSubmitter& GetSubmitter() const { return m_submitter; }
    Statistics& GetStatistics() const { return m_statistics; }
    // The program the drawing made current last; null for none.
    const ShaderProgram* GetCurrentProgram() const { return m_currentProgram; }
    const std::vector<std::unique_ptr<NodeShaderProgram>>& GetTree(Tree tree) const
    {
        return m_trees[tree];
    }
    // The number of components added since the last Clear.
    u32 GetQueuedCount() const { return m_queued; }

private:
    using ProgramList = std::vector<std::unique_ptr<NodeShaderProgram>>;

    NodeShaderProgram& GetProgramNode(Tree tree, const ShaderProgram* program);
    // Every program node of the tree with its own program and the forward uniforms.
    void RenderTreeForward(Tree tree);
    // Every program node of the tree with the given program and the camera's uniforms.
    void RenderTreeWith(Tree tree, const ShaderProgram* program, const CameraComponent* camera);

    RenderSubmitter& m_submitter;
    Statistics& m_statistics;
    ProgramLookup m_lookup;
    const ShaderProgram* m_currentProgram;
    std::array<ProgramList, TreeCount> m_trees;
    u32 m_queued;
    bool m_debugDraw;
    bool m_forward; // inside RenderForward
};
} // namespace Graphics
