#pragma once
// The object definitions of the game, loaded from four folders at start-up:
//
//   category  enumeration          folder
//   0         "ObjectDefinition"   assets/Objects
//   1         "EffectDefinition"   assets/ParticleEffects
//   2         "DataDefinition"     assets/ParticleEffects/ParticleData
//   3         "EmitterDefinition"  assets/ParticleEffects/ParticleEmitters
//
// Each ".xml" file of a folder (not its subfolders) becomes a definition named after the file
// name up to its first '.'; folders are read in name order, and when two files share a name
// ("Enemy.xml", "Enemy.old.xml") the first one listed is kept. A file whose name has the same
// hash as a name already held is refused with one line naming both files. Folders are relative to
// the working directory. The particle categories hold their documents only; the particle subsystem
// reads their content.
//
// The manager sits with the core, so that the core's road from a definition to an object
// (Core/Objects/ObjectFromDefinition.h) finds definitions by name itself; the serializer system
// above it owns the one instance, loads it and reloads it on F8.
#include "Core/Assets/AssetManager.h"
#include "Core/Assets/ObjectDefinition.h"
#include <set>
#include <string>

namespace Serializer
{
namespace System
{
class SerializerSystem;
}

class ObjectDefinitionManager : public AssetManager<ObjectDefinition, ObjectDefinitionParam>
{
public:
    enum CategoryId : u32
    {
        ObjectCategory = 0,
        EffectCategory = 1,
        DataCategory = 2,
        EmitterCategory = 3,
        CategoryCount = 4,
    };

    struct CategoryInfo
    {
        const char* name; // the editor enumeration's name
        const char* folder;
    };
    static const CategoryInfo Categories[CategoryCount];

    // Extension of definition files, case-sensitive.
    static constexpr const char* DefinitionExtension = ".xml";

    // The manager the serializer system owns, or null while it does not exist.
    static ObjectDefinitionManager* Instance() { return s_instance; }

    // Sets up the four categories and adds every definition file not yet present, then rebuilds
    // each category's enumeration. May run again: present definitions keep their documents and
    // files added since are loaded. The flag word is not used.
    void LoadAll(u32 launchFlags) override;
    // Nothing: every definition is loaded by LoadAll.
    void Load(const std::string&, u32) override {}

    // The definition of that name from the first category, in index order, that holds one;
    // null for the empty name or a name no category holds.
    ObjectDefinition* FindDefinition(const std::string& name) const;
    // Renames the definition's file and files the definition under the new name, then rebuilds
    // the category's enumeration. Refused, with a log line and nothing changed, when the old
    // file is missing, a file of the new name exists or the new name is taken.
    bool RenameDefinition(const std::string& oldName, const std::string& newName, u32 category);
    // Definitions of the category that parsed.
    u32 GetUsableCount(u32 category) const override;

protected:
    // Set by the owner: the serializer system, or a core test's stage that keeps definitions of
    // its own.
    static ObjectDefinitionManager* s_instance;

private:
    friend class System::SerializerSystem;

    // Files and folders already reported, so that a second LoadAll stays quiet about them.
    std::set<std::string> m_reportedPaths;
};
} // namespace Serializer
