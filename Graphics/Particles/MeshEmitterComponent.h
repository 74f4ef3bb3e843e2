#pragma once
// An emitter shape. Particles are born on the vertices (or, interpolated, inside the triangles) of
// a model and fly along its normals. The model is found by name in the model manager, "Default"
// when the name matches none. With AttachToModel the model of the owner's render component is
// used instead, each step: the vertex is turned by the owner's transform matrix and the normal
// by its inverse; an owner without a render component, model or transform sets nothing. A
// missing model, one without triangles or a triangle past the index data sets nothing. Keys
// after the base: Mesh, Interpolate, AttachToModel.
#include "Core/Objects/ComponentTypeId.h"
#include "Graphics/Particles/ParticleEmitterComponent.h"
#include <string>

namespace Graphics
{
class Model;

class MeshEmitterComponent : public ParticleEmitterComponent
{
public:
    MeshEmitterComponent();
    MeshEmitterComponent(const MeshEmitterComponent& other) = default;

    QUILL_COMPONENT_TYPE(MeshEmitterComponent)

    // The members in written order: the base's keys, then the shape's.
    static const MemberTable<MeshEmitterComponent>& Members();
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

protected:
    // The shape's editor entries after the base panel.
    void BuildShapeEditor(Tools::PropertyGroup& group) override;
    void UpdateBasis(f32 dt) override;
    void EmitParticle(Particle& particle) override;

private:
    // The "Mesh" drop-down: the model's index; choosing one takes that model and its name.
    static void GetMeshChoice(void* value, void* clientData);
    static void SetMeshChoice(const void* value, void* clientData);
    std::string meshName_;
    bool interpolate_;
    bool attachToModel_;
    bool hasModel_;
    u32 modelIndex_;
    const Model* model_; // this step's model, not owned
    // With AttachToModel: this step's owner transform matrix and its inverse.
    Math::Matrix4 attachedMatrix_;
    Math::Matrix4 attachedInverse_;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::MeshEmitterComponent)
