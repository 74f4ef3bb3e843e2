#pragma once
// A character's experience and level. While levels are left, experience goes into the
// threshold of the current level; when a threshold is used up the level rises, the excess
// carries into the next threshold and every ability of the object has its script's "LevelUp"
// called with the object's id (with several levels at once, the highest level's calls come
// first), so that a script can show the level-up on its character whether or not it has fired
// yet. With every level done, experience fills the container itself.
//
// Written form: the container's three values, the level and the level count (unnamed
// integers), then one float per level named "experienceToNextLevel.<index>" (brackets would
// not make an XML name, and the file could not be read back). A negative count
// reads as 0; a count beyond the thresholds the file holds keeps those present (logged).
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/Containers/ContainerComponent.h"
#include <vector>

namespace Logic
{
class ExperienceContainerComponent : public ContainerComponent
{
public:
    static constexpr const char* LevelUpFunction = "LevelUp";
    static constexpr const char* ThresholdTag = "experienceToNextLevel";

    ExperienceContainerComponent();

    QUILL_COMPONENT_TYPE(ExperienceContainerComponent)
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;
    void Add(f32 experience) override;

    s32 GetLevel() const { return m_level; }
    s32 GetLevelCount() const { return static_cast<s32>(m_thresholds.size()); }
    // What is left to gain in each level's threshold.
    const std::vector<f32>& GetThresholds() const { return m_thresholds; }
    void SetLevels(s32 level, const std::vector<f32>& thresholds);

private:
    void CallLevelUp();

    s32 m_level;
    std::vector<f32> m_thresholds; // one per level
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::ExperienceContainerComponent)
