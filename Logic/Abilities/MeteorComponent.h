#pragma once
// A falling meteor's own script: read from the definition (one string element, the script file
// below "assets/Scripts/"), it is asked to "SpawnDrops"(x, z) at the meteor's ground position
// when the meteor goes, and is released after that. Answers its own type id "MeteorComponent".
#include "Core/Objects/ComponentTypeId.h"
#include "Logic/LogicComponent.h"
#include <string>

template <typename Owner> struct MemberTable;

namespace Logic
{
class MeteorComponent : public LogicComponent
{
public:
    QUILL_COMPONENT_TYPE(MeteorComponent)
    static constexpr const char* SpawnFunction = "SpawnDrops";
    static constexpr const char* FileTag = "filename";

    MeteorComponent();
    // Leaves the logic system, has the script spawn the drops, then removes the script.
    void Shutdown() override;
    // The members in written order: the script file.
    static const MemberTable<MeteorComponent>& Members();
    // Creates the script and loads the file the element names.
    void Deserialize(Serializer::XmlReader& reader) override;
    void Serialize(Serializer::XmlWriter& writer) override;

private:
    void ReleaseScript();

    u32 m_scriptId; // component id of the script; 0 for none
    std::string m_fileName;
};
} // namespace Logic

QUILL_DECLARE_TYPE_RECORD(Logic::MeteorComponent)
