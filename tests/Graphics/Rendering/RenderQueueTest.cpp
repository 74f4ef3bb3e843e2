// The render queue through a recorder: how components are grouped into the program, model and
// material tree, which tree each goes to, what survives Clear, what is drawn and counted, and
// the skeletons it queues for the debug view.
#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Formats/ShaderProgramFile.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Math/Shapes/Segment3.h"
#include "Math/Shapes/Sphere3.h"
#include "tests/Graphics/Rendering/DrawingWorld.h"
#include "tests/Graphics/Rendering/RenderRecorder.h"

using Graphics::RenderComponent;
using Graphics::RenderQueue;
using Graphics::ShaderProgram;
using Graphics::ShaderProgramFile;

namespace
{
const ShaderProgram* LookUp(const std::string& name, u32 category)
{
    Graphics::ShaderProgramManager* programs = Graphics::ShaderProgramManager::Instance();
    return programs != nullptr ? programs->Find(name, category) : nullptr;
}
} // namespace

class RenderQueueTest : public DrawingWorld
{
protected:
    void SetUp() override
    {
        DrawingWorld::SetUp();
        queue = std::make_unique<RenderQueue>(recorder, statistics);
        queue->SetProgramLookup(&LookUp);
    }
    void TearDown() override
    {
        queue.reset();
        DrawingWorld::TearDown();
    }

    RenderComponent* Drawable(const char* model, const char* material, const char* program,
                              u32 category = ShaderProgramFile::Static)
    {
        GameObject* object = MakeObject(1.0f, 2.0f, 3.0f);
        auto* render = Add<RenderComponent>(object);
        render->SetAssets(Model(model), Material(material), Program(program, category));
        return render;
    }

    RenderRecorder recorder;
    RenderQueue::Statistics statistics;
    std::unique_ptr<RenderQueue> queue;
};

TEST_F(RenderQueueTest, BindsEachProgramModelAndMaterialOnceAndDrawsInAddOrder)
{
    RenderComponent* first = Drawable("Quad", "Default", "Default");
    RenderComponent* other = Drawable("Rock", "Stone", "Default");
    RenderComponent* second = Drawable("Quad", "Default", "Default");
    RenderComponent* lit = Drawable("Quad", "Stone", "Lit");
    for (RenderComponent* component : {first, other, second, lit})
        queue->Add(*component);

    ASSERT_EQ(queue->GetTree(RenderQueue::Opaque).size(), 2u) << "two programs";
    queue->RenderForward();
    EXPECT_EQ(recorder.Subjects(RenderRecorder::Kind::ObjectUniforms),
              (std::vector<const void*>{first, second, other, lit}))
        << "shared program, model and material in add order, then the next model and program";
    EXPECT_EQ(recorder.Count(RenderRecorder::Kind::Program), 2u);
    EXPECT_EQ(recorder.Count(RenderRecorder::Kind::ForwardUniforms), 2u);
    EXPECT_EQ(recorder.Count(RenderRecorder::Kind::BindModel), 3u);
    EXPECT_EQ(recorder.Count(RenderRecorder::Kind::BindMaterial), 3u);
    EXPECT_EQ(recorder.Count(RenderRecorder::Kind::UnbindMaterial), 3u);
    EXPECT_EQ(statistics.staticModels, 4u);
    EXPECT_EQ(statistics.polygons, 2u + 1u + 2u + 2u);
    EXPECT_EQ(recorder.lastModelMatrix.GetTranslation(), Math::Point4(1.0f, 2.0f, 3.0f, 1.0f));
}

TEST_F(RenderQueueTest, TransparentAndSkinnedTreesAndDrawingWithOneProgram)
{
    RenderComponent* still = Drawable("Quad", "Default", "Lit");
    RenderComponent* skinned = Drawable("Hero", "Default", "Lit", ShaderProgramFile::Skinned);
    Add<Graphics::AnimationControllerComponent>(Factory().FindObject(skinned->GetOwner()))
        ->SetModel(Model("Hero"));
    RenderComponent* glass = Drawable("Hero", "Default", "Lit", ShaderProgramFile::Skinned);
    glass->transparent = true;
    for (RenderComponent* component : {glass, skinned, still})
        queue->Add(*component);
    EXPECT_EQ(queue->GetTree(RenderQueue::Opaque).size(), 1u);
    EXPECT_EQ(queue->GetTree(RenderQueue::Skinned).size(), 1u);
    EXPECT_EQ(queue->GetTree(RenderQueue::Transparent).size(), 1u) << "transparent wins";

    queue->RenderForward();
    EXPECT_EQ(recorder.Subjects(RenderRecorder::Kind::ObjectUniforms),
              (std::vector<const void*>{still, skinned, glass}));
    ASSERT_EQ(recorder.Count(RenderRecorder::Kind::Blending), 2u);
    EXPECT_EQ(recorder.calls.front().value, 0u) << "opaque first";
    EXPECT_EQ(recorder.Count(RenderRecorder::Kind::Bones), 1u)
        << "only an object with a controller";
    EXPECT_EQ(statistics.animations, 2u);
    EXPECT_EQ(statistics.staticModels, 1u);

    recorder.calls.clear();
    const Graphics::CameraComponent* camera = nullptr;
    queue->RenderWithProgram("Lit", camera);
    EXPECT_EQ(recorder.Subjects(RenderRecorder::Kind::Program),
              (std::vector<const void*>{Program("Lit", ShaderProgramFile::Static),
                                        Program("Lit", ShaderProgramFile::Skinned)}));
    EXPECT_EQ(recorder.Subjects(RenderRecorder::Kind::ObjectUniforms),
              (std::vector<const void*>{still, skinned}))
        << "the transparent tree is not drawn";

    recorder.calls.clear();
    queue->RenderWithProgram("Flat", camera);
    EXPECT_EQ(recorder.Subjects(RenderRecorder::Kind::ObjectUniforms),
              (std::vector<const void*>{still}))
        << "no Skinned variant: the skinned tree is skipped";
    EXPECT_EQ(recorder.Subjects(RenderRecorder::Kind::Program).back(), nullptr);

    recorder.calls.clear();
    queue->RenderWithProgram("Missing", camera);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST_F(RenderQueueTest, ClearKeepsNodesAndInvisibleOrIncompleteComponentsDrawNothing)
{
    RenderComponent* shown = Drawable("Quad", "Default", "Default");
    queue->Add(*shown);
    const Graphics::NodeShaderProgram* node = queue->GetTree(RenderQueue::Opaque).front().get();
    queue->Clear();
    ASSERT_EQ(queue->GetTree(RenderQueue::Opaque).size(), 1u);
    EXPECT_TRUE(node->GetMeshes().front()->GetMaterials().front()->GetComponents().empty());
    queue->Add(*shown);
    EXPECT_EQ(queue->GetTree(RenderQueue::Opaque).front().get(), node) << "the same nodes reused";

    queue->Clear();
    shown->visible = false;
    queue->Add(*shown);
    RenderComponent* noProgram = Drawable("Quad", "Default", "Missing");
    queue->Add(*noProgram);
    EXPECT_EQ(queue->GetQueuedCount(), 1u) << "a component without a program is not queued";
    RenderComponent* lost = Drawable("Rock", "Default", "Default");
    Factory()
        .FindObject(lost->GetOwner())
        ->RemoveComponent(
            Factory().FindObject(lost->GetOwner())->GetComponent<TransformComponent>()->GetId());
    queue->Add(*lost);

    queue->RenderForward();
    EXPECT_EQ(recorder.Count(RenderRecorder::Kind::Draw), 0u);
    EXPECT_EQ(recorder.Count(RenderRecorder::Kind::BindModel), 2u) << "empty nodes still bind";
    EXPECT_EQ(statistics.staticModels, 0u);
    EXPECT_EQ(statistics.polygons, 0u);
}

TEST_F(RenderQueueTest, F2QueuesEachSkeletonOnceAFrameAtItsObjectsModelMatrix)
{
    Graphics::DebugDrawQueue debug(nullptr);
    RenderComponent* still = Drawable("Quad", "Default", "Lit");
    RenderComponent* hero = Drawable("Hero", "Default", "Lit", ShaderProgramFile::Skinned);
    GameObject* owner = Factory().FindObject(hero->GetOwner());
    owner->GetComponent<TransformComponent>()->SetScale(Math::Vector3(2.0f, 2.0f, 2.0f));
    auto* controller = Add<Graphics::AnimationControllerComponent>(owner);
    controller->SetModel(Model("Hero"));
    controller->Update(0.0f);
    for (RenderComponent* component : {still, hero})
        queue->Add(*component);

    queue->RenderForward();
    EXPECT_EQ(debug.GetCount(), 0u) << "F2 off";
    queue->SetDebugDraw(true);
    queue->RenderWithProgram("Lit", nullptr);
    EXPECT_EQ(debug.GetCount(), 0u) << "the earlier passes leave the skeleton to the forward one";

    queue->RenderForward();
    // Two bones, the tip two units above the root: one line and its two joints, scaled by 2
    // and moved to the object's position (1, 2, 3).
    ASSERT_EQ(debug.GetCount(), 3u);
    const Math::Point4 root(1.0f, 2.0f, 3.0f, 1.0f);
    const Math::Point4 tip(1.0f, 6.0f, 3.0f, 1.0f);
    const std::vector<Graphics::DebugDrawEntry>& entries = debug.GetEntries();
    const auto* bone = dynamic_cast<const Math::Segment3*>(entries[0].shape);
    ASSERT_NE(bone, nullptr);
    EXPECT_EQ(bone->p0, root);
    EXPECT_EQ(bone->p1, tip);
    EXPECT_EQ(entries[0].colour, Math::ColorRGBA(0.0f, 1.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(entries[0].lineWidth, 2.0f);
    const Math::Point4 joints[] = {root, tip};
    for (int i = 0; i < 2; ++i)
    {
        const Graphics::DebugDrawEntry& entry = entries[1 + i];
        const auto* joint = dynamic_cast<const Math::Sphere3*>(entry.shape);
        ASSERT_NE(joint, nullptr);
        EXPECT_EQ(joint->centre, joints[i]);
        EXPECT_FLOAT_EQ(joint->radius, 0.15f);
        EXPECT_EQ(entry.colour, Math::ColorRGBA(1.0f, 0.0f, 0.0f, 1.0f));
        EXPECT_FLOAT_EQ(entry.lineWidth, 1.0f);
    }
    for (const Graphics::DebugDrawEntry& entry : entries)
        EXPECT_FALSE(entry.depthTest) << "bones show through the mesh";
}
