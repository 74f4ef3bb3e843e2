#include "Graphics/Rendering/NodeMaterial.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Rendering/DebugDrawQueue.h"
#include "Graphics/Rendering/RenderQueue.h"
#include "Graphics/Rendering/RenderSubmitter.h"
#include "Math/Matrix4.h"

namespace Graphics
{
namespace
{
// Below this determinant the model matrix counts as singular (a zero scale).
constexpr f32 InverseTolerance = 0.00001f;
} // namespace

void NodeMaterial::Render(RenderQueue& queue)
{
    const auto* mesh = static_cast<const NodeMesh*>(GetParent());
    const Model* model = mesh != nullptr ? mesh->GetModel() : nullptr;
    if (model == nullptr)
        return;
    for (RenderComponent* component : m_components)
        DrawComponent(queue, *model, *component);
}

void NodeMaterial::DrawComponent(RenderQueue& queue, const Model& model, RenderComponent& component)
{
    if (!component.visible)
        return;
    GameFactory* factory = Engine::Factory();
    const GameObject* owner =
        factory != nullptr ? factory->FindObject(component.GetOwner()) : nullptr;
    if (owner == nullptr)
        return;
    const auto* transform = owner->GetComponent<TransformComponent>();
    if (transform == nullptr)
        return;

    const Math::Matrix4 modelMatrix = transform->GetTranslationMatrix() *
                                      transform->GetRotationMatrix() *
                                      Math::Matrix4::Scale(transform->GetScale());
    Math::Matrix4 normalMatrix;
    modelMatrix.Inverse(normalMatrix, InverseTolerance);
    RenderSubmitter& submitter = queue.GetSubmitter();
    submitter.SetObjectUniforms(component, modelMatrix, normalMatrix);

    const bool skinned = model.GetVertexType() == SkinnedVertexType;
    if (skinned)
    {
        const auto* controller = owner->GetComponent<AnimationControllerComponent>();
        if (controller != nullptr && controller->GetBoneCount() > 0)
        {
            submitter.SetBoneMatrices(controller->GetPoses().data(), controller->GetBoneCount());
            DebugDrawQueue* debugQueue = DebugDrawQueue::Instance();
            if (queue.QueuesSkeletons() && debugQueue != nullptr)
                controller->QueueSkeleton(modelMatrix, *debugQueue);
        }
    }
    submitter.Draw(model);

    RenderQueue::Statistics& statistics = queue.GetStatistics();
    if (model.GetVertexType() == StaticVertexType)
        ++statistics.staticModels;
    else
        ++statistics.animations;
    statistics.polygons += model.GetTriangleCount();
}
} // namespace Graphics
