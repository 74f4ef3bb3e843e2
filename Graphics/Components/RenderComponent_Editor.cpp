// The render component's editor panel: the model and material drop-downs and the model's counts.
#include "Core/Engine.h"
#include "Core/Messages/Graphics/SetModelMessage.h"
#include "Core/PropertyModel/PropertyGroup.h"
#include "Graphics/Assets/Material.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Components/RenderComponent.h"

namespace Graphics
{
namespace
{
constexpr u32 AssetCategory = 0;

RenderComponent& RenderOf(void* clientData)
{
    return *static_cast<RenderComponent*>(
        static_cast<Tools::PropertyMember*>(clientData)->GetBoundValue());
}

template <class Manager> Tools::SharedEnumType CategoryEnum(const Manager* manager)
{
    Tools::SharedEnumType shared;
    if (const auto* category = manager != nullptr ? manager->GetCategory(AssetCategory) : nullptr)
        shared = Tools::SharedEnumType{category->editorValues.Get(), category->editorType,
                                       category->editorValueCount};
    return shared;
}

template <class Asset> void GetIndex(const Asset* asset, void* value)
{
    *static_cast<s32*>(value) = asset != nullptr ? static_cast<s32>(asset->GetIndex()) : 0;
}

void GetModelChoice(void* value, void* clientData)
{
    GetIndex(RenderOf(clientData).GetModel(), value);
}

// As a SetModelMessage: the program follows the model's vertex type and the animation
// controller takes the new model.
void SetModelChoice(const void* value, void* clientData)
{
    const auto* entry = static_cast<const Tools::PropertyEnum*>(clientData);
    const std::string name = entry->LabelOf(*static_cast<const s32*>(value));
    if (name.empty())
        return;
    SetModelMessage message(0, name, 0);
    RenderOf(clientData).HandleMessage(&message);
    Tools::RequestPropertyRebuild();
}

void GetMaterialChoice(void* value, void* clientData)
{
    GetIndex(RenderOf(clientData).GetMaterial(), value);
}

void SetMaterialChoice(const void* value, void* clientData)
{
    const auto* entry = static_cast<const Tools::PropertyEnum*>(clientData);
    const std::string name = entry->LabelOf(*static_cast<const s32*>(value));
    if (name.empty())
        return;
    RenderOf(clientData).SetMaterial(name);
    Tools::RequestPropertyRebuild();
}

// Read-only counts of the model; 0 without one.
template <u32 (Model::*Count)() const> void GetModelCount(void* value, void* clientData)
{
    const Model* model = RenderOf(clientData).GetModel();
    *static_cast<u32*>(value) = model != nullptr ? (model->*Count)() : 0u;
}
} // namespace

void RenderComponent::BuildEditor(Tools::PropertyGroup& group)
{
    using namespace Tools;
    group.AddEnumOfType("Model", this, CategoryEnum(ModelManager::Instance()), &SetModelChoice,
                        &GetModelChoice);
    PropertyGroup* counts = group.AddGroup("Model Data");
    counts->AddUnsigned("Polygons", this, nullptr, nullptr,
                        &GetModelCount<&Model::GetTriangleCount>);
    counts->AddUnsigned("Vertices", this, nullptr, nullptr, &GetModelCount<&Model::GetVertexCount>);
    counts->AddUnsigned("Indices", this, nullptr, nullptr, &GetModelCount<&Model::GetIndexCount>);
    counts->Define();
    group.AddEnumOfType("Material", this, CategoryEnum(MaterialManager::Instance()),
                        &SetMaterialChoice, &GetMaterialChoice);
    AddComponentOptions(this, group);
}
} // namespace Graphics
