#include "Graphics/Components/RenderComponent.h"
#include "Core/Components/SystemRegistration.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Graphics/SetMaterialMessage.h"
#include "Core/Messages/Graphics/SetModelMessage.h"
#include "Core/Messages/Graphics/SetVisibleMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/MemberTable.h"
#include "Graphics/Assets/Material.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/Assets/Model.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Assets/ShaderProgram.h"
#include "Graphics/Assets/ShaderProgramManager.h"
#include "Graphics/Components/AnimationControllerComponent.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlReader.h"

QUILL_DEFINE_TYPE_RECORD(Graphics::RenderComponent, &TypeRecordOf<GameObjectComponent>(), false)

namespace Graphics
{
namespace
{
const char* const LogName = "RenderComponent";
constexpr u32 AssetCategory = 0;

const Model* FindModel(const std::string& name)
{
    ModelManager* models = ModelManager::Instance();
    return models != nullptr ? models->Find(name, AssetCategory) : nullptr;
}

const Material* FindMaterial(const std::string& name)
{
    MaterialManager* materials = MaterialManager::Instance();
    return materials != nullptr ? materials->Find(name, AssetCategory) : nullptr;
}

// Skinned models draw with the "Skinned" variant of a program, every other with "Static".
u32 ProgramCategoryOf(const Model* model)
{
    return model != nullptr && model->GetVertexType() == SkinnedVertexType
               ? ShaderProgramFile::Skinned
               : ShaderProgramFile::Static;
}
} // namespace

RenderComponent::RenderComponent()
    : GameObjectComponent(true), visible(true), debugColor(1.0f, 1.0f, 1.0f, 1.0f),
      intensity(1.0f, 1.0f, 1.0f), transparent(false), alpha(1.0f),
      bloomEmissiveColor(1.0f, 1.0f, 1.0f), bloomEmissiveExposure(0.0f), bloomEmissiveScale(0.0f),
      bloomGlobalColor(0.0f, 0.0f, 0.0f), bloomGlobalExposure(0.0f), bloomGlobalScale(0.0f),
      m_model(nullptr), m_material(nullptr), m_program(nullptr)
{
    Core::RegisterWithSystem(SystemName, this);
}

RenderComponent::~RenderComponent()
{
    Core::UnregisterFromSystem(SystemName, this);
}

const MemberTable<RenderComponent>& RenderComponent::Members()
{
    using namespace MemberFlag;
    QUILL_MEMBER_TABLE(table, RenderComponent, ReadRule::ByTag,
                       QUILL_MEMBER(RenderComponent, visible, Written).Tag("Visible"),
                       QUILL_MEMBER(RenderComponent, debugColor, Written).Tag("DebugColor"),
                       QUILL_MEMBER(RenderComponent, transparent, Written).Tag("Transparent"));
    return table;
}

void RenderComponent::Shutdown()
{
    Core::UnregisterFromSystem(SystemName, this);
}

void RenderComponent::Deserialize(Serializer::XmlReader& reader)
{
    std::string model;
    std::string material;
    std::string program;
    Serializer::ReadString(reader, model, "Model");
    Serializer::ReadString(reader, material, "Material");
    Serializer::ReadString(reader, program, "ShaderProgram");
    ReadMembers(reader, *this, Members());
    SetModel(model, FallbackModel);
    SetMaterial(material);
    SetProgram(program);
}

void RenderComponent::Serialize(Serializer::XmlWriter& writer)
{
    if (m_model != nullptr)
        Serializer::WriteString(writer, m_model->GetName(), "Model");
    if (m_material != nullptr)
        Serializer::WriteString(writer, m_material->GetName(), "Material");
    if (m_program != nullptr)
        Serializer::WriteString(writer, m_program->GetName(), "ShaderProgram");
    WriteMembers(writer, *this, Members());
}

void RenderComponent::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case SetVisibleMessage::Type:
        visible = static_cast<SetVisibleMessage*>(message)->visible;
        break;
    case SetModelMessage::Type:
    {
        SetModel(static_cast<SetModelMessage*>(message)->modelName, FallbackAsset);
        // The animation controller follows the model.
        GameFactory* factory = Engine::Factory();
        const GameObject* owner = factory != nullptr ? factory->FindObject(m_owner) : nullptr;
        if (owner != nullptr)
        {
            if (auto* controller = owner->GetComponent<AnimationControllerComponent>())
                controller->SetModel(m_model);
        }
        break;
    }
    case SetMaterialMessage::Type:
        SetMaterial(static_cast<SetMaterialMessage*>(message)->materialName);
        break;
    default:
        break;
    }
}

void RenderComponent::ResetBloom()
{
    bloomEmissiveColor = Math::Vector3(0.0f, 0.0f, 0.0f);
    bloomEmissiveExposure = 0.0f;
    bloomEmissiveScale = 0.0f;
    bloomGlobalColor = Math::Vector3(0.0f, 0.0f, 0.0f);
    bloomGlobalExposure = 0.0f;
    bloomGlobalScale = 0.0f;
}

void RenderComponent::SetModel(const std::string& name, const char* fallback)
{
    const Model* model = FindModel(name);
    if (model == nullptr)
        model = FindModel(fallback);
    if (model == nullptr)
    {
        Core::Log() << "Error [" << LogName << "]: model '" << name << "' and its fallback '"
                    << fallback << "' are not loaded; the model stays\n";
        return;
    }
    m_model = model;
    // The same program name in the category of the new model.
    if (m_program != nullptr)
        SetProgram(m_program->GetName());
}

void RenderComponent::SetMaterial(const std::string& name)
{
    const Material* material = FindMaterial(name);
    if (material == nullptr)
        material = FindMaterial(FallbackAsset);
    if (material == nullptr)
    {
        Core::Log() << "Error [" << LogName << "]: material '" << name << "' and '" << FallbackAsset
                    << "' are not loaded; the material stays\n";
        return;
    }
    m_material = material;
}

void RenderComponent::SetProgram(const std::string& name)
{
    ShaderProgramManager* programs = ShaderProgramManager::Instance();
    if (programs == nullptr)
        return;
    const u32 category = ProgramCategoryOf(m_model);
    const ShaderProgram* program = programs->Find(name, category);
    if (program == nullptr)
        program = programs->Find(FallbackAsset, category);
    if (program == nullptr)
    {
        Core::Log() << "Error [" << LogName << "]: program '" << name << "' and '" << FallbackAsset
                    << "' are not loaded in category " << category << "; the program stays\n";
        return;
    }
    m_program = program;
}
} // namespace Graphics
