#include "Logic/Effects/ParticleSystemEffectComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/MountObjectCreateMessage.h"
#include "Core/Messages/Object/MountObjectRemoveMessage.h"
#include "Math/Point4.h"

QUILL_DEFINE_TYPE_RECORD(Logic::ParticleSystemEffectComponent,
                         &TypeRecordOf<Logic::EffectComponent>(), false)

namespace Logic
{
ParticleSystemEffectComponent::ParticleSystemEffectComponent()
    : offset(0.0f, 0.0f, 0.0f, 0.0f), m_mountedId(0)
{
}

void ParticleSystemEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
}

bool ParticleSystemEffectComponent::Bind()
{
    return GetOwnerObject() != nullptr;
}

void ParticleSystemEffectComponent::Apply()
{
    const Math::Point4 point(offset + Math::Vector4(0.0f, 0.0f, 0.0f, 1.0f));
    m_mountedId = GenerateIdLocked();
    PostNew<MountObjectCreateMessage>(m_id, m_mountedId, systemName, point, m_owner);
}

void ParticleSystemEffectComponent::Remove()
{
    constexpr bool Destroy = true;
    if (m_applied && m_isTemporary && m_mountedId != 0)
        PostNew<MountObjectRemoveMessage>(m_id, m_mountedId, Destroy, m_owner);
    m_mountedId = 0;
}
} // namespace Logic
