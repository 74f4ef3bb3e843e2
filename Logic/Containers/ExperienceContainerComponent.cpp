#include "Logic/Containers/ExperienceContainerComponent.h"
#include "Core/Log.h"
#include "Core/Objects/GameObject.h"
#include "Logic/Abilities/AbilityComponent.h"
#include "Scripting/LuaComponent.h"
#include "Xml/ValueXml.h"
#include "Xml/XmlReader.h"
#include <algorithm>

QUILL_DEFINE_TYPE_RECORD(Logic::ExperienceContainerComponent,
                         &TypeRecordOf<Logic::ContainerComponent>(), false)

namespace Logic
{
ExperienceContainerComponent::ExperienceContainerComponent() : m_level(0) {}

void ExperienceContainerComponent::SetLevels(s32 level, const std::vector<f32>& thresholds)
{
    m_thresholds = thresholds;
    m_level = std::clamp(level, 0, GetLevelCount());
}

void ExperienceContainerComponent::Deserialize(Serializer::XmlReader& reader)
{
    ContainerComponent::Deserialize(reader);
    // A level, a count and that many thresholds: a list, which a member table cannot hold.
    s32 level = 0;
    s32 count = 0;
    Serializer::ReadValue(reader, level, "");
    Serializer::ReadValue(reader, count, "");
    count = std::max(count, 0);
    std::vector<f32> thresholds;
    // The count is the file's word: only the thresholds actually there are taken.
    while (static_cast<s32>(thresholds.size()) < count && reader.CurrentElement() != nullptr)
    {
        f32 threshold = 0.0f;
        Serializer::ReadValue(reader, threshold, "");
        thresholds.push_back(threshold);
    }
    if (static_cast<s32>(thresholds.size()) < count)
    {
        Core::Log() << "Error [ExperienceContainerComponent]: object " << m_owner << " names "
                    << count << " levels but holds " << static_cast<u32>(thresholds.size())
                    << " thresholds; those present are kept\n";
    }
    if (level < 0 || level > static_cast<s32>(thresholds.size()))
    {
        Core::Log() << "Error [ExperienceContainerComponent]: object " << m_owner << ": level "
                    << level << " is outside 0 to " << static_cast<u32>(thresholds.size())
                    << ", clamped\n";
    }
    SetLevels(level, thresholds);
}

void ExperienceContainerComponent::Serialize(Serializer::XmlWriter& writer)
{
    ContainerComponent::Serialize(writer);
    Serializer::WriteValue(writer, m_level, "");
    Serializer::WriteValue(writer, GetLevelCount(), "");
    for (std::size_t i = 0; i < m_thresholds.size(); ++i)
    {
        const std::string tag = std::string(ThresholdTag) + "." + std::to_string(i);
        Serializer::WriteValue(writer, m_thresholds[i], tag.c_str());
    }
}

void ExperienceContainerComponent::Add(f32 experience)
{
    if (m_level >= GetLevelCount())
    {
        AddClamped(experience);
        return;
    }
    f32& threshold = m_thresholds[static_cast<std::size_t>(m_level)];
    threshold -= experience;
    if (threshold > 0.0f)
        return;
    const f32 excess = -threshold;
    ++m_level;
    Add(excess);
    CallLevelUp();
}

void ExperienceContainerComponent::CallLevelUp()
{
    const GameObject* owner = GetOwnerObject();
    if (owner == nullptr)
        return;
    for (GameObjectComponent* component : owner->GetComponents(ComponentTypeId<AbilityComponent>()))
    {
        auto* ability = dynamic_cast<AbilityComponent*>(component);
        if (Scripting::LuaComponent* script = ability != nullptr ? ability->GetScript() : nullptr)
            script->CallWithUnsigned(LevelUpFunction, owner->GetId());
    }
}
} // namespace Logic
