#pragma once
// An emitter shape. Reads, writes and emits nothing, not even the base keys: a cube emitter from
// a file has no pool and never emits.
#include "Graphics/Particles/ParticleEmitterComponent.h"

namespace Graphics
{
class CubeEmitterComponent : public ParticleEmitterComponent
{
public:
    CubeEmitterComponent();
    CubeEmitterComponent(const CubeEmitterComponent& other) = default;

    static const std::string& GetTypeName()
    {
        static const std::string name = "CubeEmitterComponent";
        return name;
    }
    static u32 GetSize() { return static_cast<u32>(sizeof(CubeEmitterComponent)); }

    u32 GetType() const override;
    const std::string& GetName() const override { return GetTypeName(); }
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

protected:
    void EmitParticle(Particle& particle) override;
};
} // namespace Graphics

QUILL_DECLARE_TYPE_RECORD(Graphics::CubeEmitterComponent)
