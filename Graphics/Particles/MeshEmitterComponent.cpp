#include "Graphics/Particles/MeshEmitterComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/PropertyModel/PropertyCallbacks.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Components/RenderComponent.h"
#include "Math/MathUtils.h"
#include <cstring>

QUILL_DEFINE_TYPE_RECORD(Graphics::MeshEmitterComponent,
                         &TypeRecordOf<Graphics::ParticleEmitterComponent>(), false)

namespace Graphics
{
namespace
{
// Used when the named model is not loaded.
const char* const FallbackModel = "Default";
// The model category the mesh is looked up in.
constexpr u32 ModelCategory = 0;
// A vertex record starts with its position and its normal, three floats each.
constexpr u32 PositionAndNormalBytes = 6 * sizeof(f32);
// Below this determinant an attached object's matrix counts as singular.
constexpr f32 InverseEpsilon = 0.00001f;

// The model of the manager's category at that index, or null.
const Model* ModelAt(u32 index)
{
    const ModelManager* models = ModelManager::Instance();
    const auto* category = models != nullptr ? models->GetCategory(ModelCategory) : nullptr;
    if (category == nullptr || index >= category->assets.size())
        return nullptr;
    return category->assets[index];
}

// Position and normal of vertex i, false when the model cannot give them.
bool ReadVertex(const Model& model, u32 index, Math::Vector4& position, Math::Vector4& normal)
{
    if (index >= model.GetVertexCount() || model.GetStride() < PositionAndNormalBytes)
        return false;
    f32 values[6];
    std::memcpy(values, model.GetVertex(index), sizeof(values));
    position = Math::Vector4(values[0], values[1], values[2], 0.0f);
    normal = Math::Vector4(values[3], values[4], values[5], 0.0f);
    return true;
}
} // namespace

MeshEmitterComponent::MeshEmitterComponent()
    : ParticleEmitterComponent(MeshShape), meshName_(), interpolate_(false), attachToModel_(false),
      hasModel_(false), modelIndex_(0), model_(nullptr), attachedMatrix_(), attachedInverse_()
{
}

const MemberTable<MeshEmitterComponent>& MeshEmitterComponent::Members()
{
    using namespace MemberFlag;
    // Once the name is read, the model is looked up; the fallback keeps its own index, and no
    // model at all leaves the shape setting nothing.
    static constexpr void (*FindModel)(MeshEmitterComponent&) = [](MeshEmitterComponent& mesh)
    {
        ModelManager* models = ModelManager::Instance();
        const Model* model =
            models != nullptr ? models->Find(mesh.meshName_, ModelCategory) : nullptr;
        if (model == nullptr && models != nullptr)
            model = models->Find(FallbackModel, ModelCategory);
        mesh.hasModel_ = model != nullptr;
        mesh.modelIndex_ = model != nullptr ? model->GetIndex() : 0;
    };
    QUILL_LINKED_MEMBER_TABLE(
        table, MeshEmitterComponent, ReadRule::ByTag,
        MemberLinks<MeshEmitterComponent>::Extending<ParticleEmitterComponent>(),
        QUILL_MEMBER(MeshEmitterComponent, meshName_, Written).Tag("Mesh").Then(FindModel),
        QUILL_MEMBER(MeshEmitterComponent, interpolate_, Written).Tag("Interpolate"),
        QUILL_MEMBER(MeshEmitterComponent, attachToModel_, Written).Tag("AttachToModel"));
    return table;
}

void MeshEmitterComponent::Deserialize(Serializer::XmlReader& reader)
{
    ReadMembers(reader, *this, Members());
}

void MeshEmitterComponent::Serialize(Serializer::XmlWriter& writer)
{
    WriteMembers(writer, *this, Members());
}

void MeshEmitterComponent::UpdateBasis(f32)
{
    model_ = nullptr;
    if (!attachToModel_)
    {
        model_ = hasModel_ ? ModelAt(modelIndex_) : nullptr;
        return;
    }
    // Attached emitters take the model the owner is drawn with, placed by the owner's transform.
    GameFactory* factory = Engine::Factory();
    const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
    const RenderComponent* render =
        owner != nullptr ? owner->GetComponent<RenderComponent>() : nullptr;
    const TransformComponent* transform =
        owner != nullptr ? owner->GetComponent<TransformComponent>() : nullptr;
    if (render == nullptr || render->GetModel() == nullptr || transform == nullptr)
        return;
    model_ = render->GetModel();
    modelIndex_ = model_->GetIndex();
    attachedMatrix_ = transform->GetTransformMatrix();
    attachedMatrix_.Inverse(attachedInverse_, InverseEpsilon);
}

void MeshEmitterComponent::EmitParticle(Particle& particle)
{
    if (model_ == nullptr)
        return;
    const u32 triangles = model_->GetTriangleCount();
    if (triangles == 0)
        return;
    const u32 triangle =
        static_cast<u32>(Math::RoundToInt(Math::RandUnit() * static_cast<f32>(triangles - 1)));
    if (3u * static_cast<u64>(triangle) + 2u >= model_->GetIndexCount())
        return;
    const u32* corners = model_->GetTriangle(triangle);
    Math::Vector4 position;
    Math::Vector4 normal;
    if (!interpolate_)
    {
        const s32 corner = Math::RandomInt(0, 2);
        if (!ReadVertex(*model_, corners[corner], position, normal))
            return;
    }
    else
    {
        f32 a = Math::RandUnit();
        f32 b = Math::RandUnit();
        if (a + b > 1.0f)
        {
            a = 1.0f - a;
            b = 1.0f - b;
        }
        Math::Vector4 p1, p2, unused;
        if (!ReadVertex(*model_, corners[0], position, normal) ||
            !ReadVertex(*model_, corners[1], p1, unused) ||
            !ReadVertex(*model_, corners[2], p2, unused))
            return;
        position = position * a + p1 * b + p2 * (1.0f - a - b);
    }
    if (attachToModel_)
    {
        // The fourth component is 0, so the owner's matrix turns and scales the vertex but does
        // not move it.
        position = attachedMatrix_ * position;
        normal = attachedInverse_ * normal;
    }
    // The position's fourth component stays 0, as the model's vertex gives it.
    particle.position = Math::Point4(position);
    particle.direction = normal;
}
void MeshEmitterComponent::GetMeshChoice(void* value, void* clientData)
{
    const auto* mesh = static_cast<const MeshEmitterComponent*>(
        static_cast<Tools::PropertyMember*>(clientData)->GetBoundValue());
    *static_cast<s32*>(value) = static_cast<s32>(mesh->modelIndex_);
}

void MeshEmitterComponent::SetMeshChoice(const void* value, void* clientData)
{
    const auto* entry = static_cast<const Tools::PropertyEnum*>(clientData);
    auto* mesh = static_cast<MeshEmitterComponent*>(entry->GetBoundValue());
    const ModelManager* models = ModelManager::Instance();
    const Model* model =
        models != nullptr
            ? models->Find(entry->LabelOf(*static_cast<const s32*>(value)), ModelCategory)
            : nullptr;
    if (model == nullptr)
        return;
    mesh->meshName_ = model->GetName();
    mesh->hasModel_ = true;
    mesh->modelIndex_ = model->GetIndex();
}

void MeshEmitterComponent::BuildShapeEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    SharedEnumType models;
    const ModelManager* manager = ModelManager::Instance();
    if (const auto* category = manager != nullptr ? manager->GetCategory(ModelCategory) : nullptr)
        models = SharedEnumType{category->editorValues.Get(), category->editorType,
                                category->editorValueCount};
    group.AddEnumOfType("Mesh", this, models, &SetMeshChoice, &GetMeshChoice);
    group.AddBool("Interpolate Triangles", &interpolate_, nullptr, &SetBoolCallback,
                  &GetBoolCallback);
    group.AddBool("Attach To Object", &attachToModel_, nullptr, &SetBoolCallback, &GetBoolCallback);
}

} // namespace Graphics
