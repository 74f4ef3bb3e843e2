#include "Logic/Effects/FlashEffectComponent.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Components/IntensityComponent.h"

QUILL_DEFINE_TYPE_RECORD(Logic::FlashEffectComponent, &TypeRecordOf<Logic::EffectComponent>(),
                         false)

namespace Logic
{
namespace
{
constexpr f32 White = 1.0f;
} // namespace

FlashEffectComponent::FlashEffectComponent()
    : start(1.0f, 1.0f, 1.0f), stop(1.0f, 1.0f, 1.0f), rate(1.0f, 1.0f, 1.0f), m_intensityId(0)
{
}

void FlashEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
}

bool FlashEffectComponent::Bind()
{
    return GetOwnerObject() != nullptr;
}

void FlashEffectComponent::Apply()
{
    GameObject* owner = GetOwnerObject();
    auto* flash = owner != nullptr ? Make<Graphics::IntensityComponent>() : nullptr;
    if (flash == nullptr)
        return;
    const f32 from[] = {start.x, start.y, start.z};
    const f32 to[] = {stop.x, stop.y, stop.z};
    const f32 seconds[] = {rate.x, rate.y, rate.z};
    for (u32 c = 0; c < 3; ++c)
    {
        if (seconds[c] == 0.0f)
            flash->channels[c].Set(from[c], to[c], to[c], 0.0f, false, false);
        else
            flash->channels[c].Set(from[c], to[c], from[c], (to[c] - from[c]) / seconds[c], false,
                                   false);
    }
    owner->AddComponent(flash);
    m_intensityId = flash->GetId();
}

void FlashEffectComponent::Remove()
{
    GameObject* owner = GetOwnerObject();
    if (m_applied && m_isTemporary && owner != nullptr)
    {
        if (m_intensityId != 0)
            owner->RemoveComponent(m_intensityId);
        if (auto* white = Make<Graphics::IntensityComponent>())
        {
            for (u32 c = 0; c < 3; ++c)
                white->channels[c].Set(White, White, White, 0.0f, false, false);
            owner->AddComponent(white);
            Core::PostNew<RemoveComponentMessage>(GetName().c_str(), ResetSeconds, m_id,
                                                  white->GetId(), m_owner);
        }
    }
    m_intensityId = 0;
}
} // namespace Logic
