#include "Logic/Effects/FloatingTextEffectComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Graphics/TextConstructMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/Components/IntensityComponent.h"
#include "Logic/Movement/ConstantMoveComponent.h"
#include "Math/MathUtils.h"
#include "Serializer/SerializerSystem.h"

QUILL_DEFINE_TYPE_RECORD(Logic::FloatingTextEffectComponent,
                         &TypeRecordOf<Logic::EffectComponent>(), false)

namespace Logic
{
namespace
{
constexpr u32 NoTarget = 0;
// Where the text appears, relative to its object: a side offset in [-0.75, 0.75] and a height
// in [1, 3]; its size is a factor in [0.66, 1.33].
constexpr f32 SideSpan = 1.5f;
constexpr f32 SideStart = -0.75f;
constexpr f32 HeightSpan = 2.0f;
constexpr f32 HeightStart = 1.0f;
constexpr f32 SizeSpan = 0.67f;
constexpr f32 SizeStart = 0.66f;

f32 Draw()
{
    return static_cast<f32>(Math::Rand()) / static_cast<f32>(Math::RAND_LIMIT);
}

f32 Channel(const Math::Vector4& v, u32 index)
{
    const f32 values[] = {v.x, v.y, v.z, v.w};
    return values[index];
}
} // namespace

FloatingTextEffectComponent::FloatingTextEffectComponent()
    : m_startColour(0.0f, 0.0f, 0.0f, 0.0f), m_endColour(0.0f, 0.0f, 0.0f, 0.0f),
      m_rate(0.0f, 0.0f, 0.0f, 0.0f), m_textId(0)
{
}

void FloatingTextEffectComponent::Setup(f32 timeToLast, const std::string& text,
                                        const Math::Vector4& startColour,
                                        const Math::Vector4& endColour, const Math::Vector4& rate,
                                        bool isTemporary)
{
    EffectComponent::Setup(timeToLast, 0.0f, isTemporary, false);
    m_text = text;
    m_startColour = startColour;
    m_endColour = endColour;
    m_rate = rate;
}

void FloatingTextEffectComponent::Deserialize(Serializer::XmlReader& reader)
{
    EffectComponent::Deserialize(reader);
}

bool FloatingTextEffectComponent::Bind()
{
    return GetOwnerObject() != nullptr;
}

void FloatingTextEffectComponent::Apply()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr || m_textId != 0)
        return;
    // Made once: the archetype's name is longer than a string keeps without the heap, and a text
    // is made for every hit.
    static const std::string archetype(TextArchetype);
    const u32 textId = GenerateIdLocked();
    GameObject* text = Serializer::System::SerializerSystem::CreateObject(m_id, archetype, textId);
    if (text == nullptr)
    {
        Core::Log() << "Error [FloatingTextEffectComponent]: no " << TextArchetype
                    << " object for the text \"" << m_text << "\" on object " << m_owner << '\n';
        return;
    }
    m_textId = textId;

    const f32 dx = Draw() * SideSpan + SideStart;
    const f32 dy = Draw() * HeightSpan + HeightStart;
    const f32 size = Draw() * SizeSpan + SizeStart;
    Math::Point4 at;
    if (const auto* place = owner->GetComponent<TransformComponent>())
        at = place->GetPosition();
    at = Math::Point4(at + Math::Vector4(dx, dy, 0.0f, 0.0f));
    if (auto* transform = text->GetComponent<TransformComponent>())
    {
        transform->SetPosition(at);
        transform->SetScale(Math::Vector3(size, size, size));
    }
    Core::Log() << "Putting " << m_text << " on screen at " << at << '\n';
    PostNew<TextConstructMessage>(m_id, m_text, textId);

    if (auto* fade = Make<Graphics::IntensityComponent>())
    {
        for (u32 c = 0; c < Graphics::IntensityComponent::ChannelCount; ++c)
            fade->channels[c].Set(Channel(m_startColour, c), Channel(m_endColour, c),
                                  Channel(m_startColour, c), Channel(m_rate, c), false, false);
        text->AddComponent(fade);
    }
    if (auto* move = Make<ConstantMoveComponent>())
    {
        Math::Vector4 direction(dx, dy, 0.0f, 0.0f);
        direction.Normalize();
        move->SetDirection(direction);
        move->SetMoveValue(m_timeToLast > 0.0f ? 1.0f / m_timeToLast : 0.0f);
        text->AddComponent(move);
    }
}

void FloatingTextEffectComponent::DestroyText()
{
    // A text object that is gone already (shut-down destroys the newest objects first, so the
    // text goes before the object it floats over) needs no message.
    if (m_textId != 0 && FindObject(m_textId) != nullptr)
        PostNew<ObjectDestroyMessage>(m_id, m_textId, NoTarget);
    m_textId = 0;
}

void FloatingTextEffectComponent::Remove()
{
    DestroyText();
}

void FloatingTextEffectComponent::Shutdown()
{
    EffectComponent::Shutdown();
    DestroyText();
}
} // namespace Logic
