#pragma once
// Makes a game object drawable: the model, material and shader program it is drawn with and
// the per-object values the shaders read (intensity, alpha, bloom). The graphics system queues
// every registered render component on each rendered frame (Graphics/Rendering/RenderQueue.h).
//
// XML, by tag and in this order: "Model", "Material", "ShaderProgram" (names), "Visible",
// "DebugColor" (0-255), "Transparent". A model that is not loaded falls back to "Quad", a
// material to "Default"; the program is looked up in the "Skinned" category for a skinned model
// and in "Static" otherwise, "Default" of that category when the name is not there. When a
// fallback is missing too the field stays null and the queue skips the component.
//
// Messages: 43 visibility, 44 model (the animation controller gets the new model as well), 45
// material. The bloom values are reset on every updated frame and set again by glow
// components; intensity and alpha are driven by intensity components and fade actions. Colours
// are 0-1 in memory. Main thread only.
#include "Core/Objects/ComponentTypeId.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Reflection/TypeRecord.h"
#include "Math/ColorRGBA.h"
#include "Math/Vector3.h"
#include <string>

template <typename Owner> struct MemberTable;

namespace Graphics
{
class Material;
class Model;
class ShaderProgram;

class RenderComponent : public GameObjectComponent
{
public:
    static constexpr const char* SystemName = "GraphicsSystem";
    // What a name that is not loaded falls back to.
    static constexpr const char* FallbackModel = "Quad";
    static constexpr const char* FallbackAsset = "Default";

    // No assets, visible, white, opaque, alpha 1; registered with the graphics system.
    RenderComponent();
    RenderComponent(const RenderComponent&) = delete;
    RenderComponent& operator=(const RenderComponent&) = delete;
    ~RenderComponent() override;

    QUILL_COMPONENT_TYPE(RenderComponent)
    // The written flags and colour after the three asset names.
    static const MemberTable<RenderComponent>& Members();

    void Shutdown() override;
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void HandleMessage(Message* message) override;
    // "Model" and "Material" drop-downs and the model's read-only counts, then the options
    // group.
    void BuildEditor(Tools::PropertyGroup& group) override;

    // Once per updated frame, before the glow components add theirs.
    void ResetBloom();

    // The model of that name (fallback when missing: the given one); the program is looked up
    // again under its own name in the category that fits the new model. A model that cannot be
    // found at all leaves everything as it was (logged).
    void SetModel(const std::string& name, const char* fallback);
    void SetMaterial(const std::string& name);
    // The program of that name in the category of the current model, "Default" when missing.
    void SetProgram(const std::string& name);

    const Model* GetModel() const { return m_model; }
    const Material* GetMaterial() const { return m_material; }
    const ShaderProgram* GetProgram() const { return m_program; }
    // Direct assignment, for code that already holds the assets (tests, tools).
    void SetAssets(const Model* model, const Material* material, const ShaderProgram* program)
    {
        m_model = model;
        m_material = material;
        m_program = program;
    }

    bool visible;
    Math::ColorRGBA debugColor;
    Math::Vector3 intensity;
    bool transparent;
    f32 alpha;
    Math::Vector3 bloomEmissiveColor;
    f32 bloomEmissiveExposure;
    f32 bloomEmissiveScale;
    Math::Vector3 bloomGlobalColor;
    f32 bloomGlobalExposure;
    f32 bloomGlobalScale;

private:
    const Model* m_model;
    const Material* m_material;
    const ShaderProgram* m_program;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::RenderComponent)
