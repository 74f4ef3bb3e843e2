#include "Core/Objects/ObjectFromDefinition.h"
#include "Core/Assets/ObjectDefinition.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Engine.h"
#include "Core/ErrorReport.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include <tinyxml2.h>

namespace Core
{
namespace
{
u32 s_nesting = 0; // ApplyObjectDefinition calls under way

// The error sink writes the report to the log; without an engine the log gets it directly.
void ReportMissingDefinition(const std::string& name)
{
    const ErrorReport report("Invalid object definition: " + name, 0);
    if (g_Engine != nullptr)
        g_Engine->LogError(report);
    else
        Core::Log() << "Error report (level " << report.level << "): " << report.text << '\n';
}

// Creates and fills the object; a fresh id is taken, once a factory is there, when `freshId` is
// set.
GameObject* CreateAndApply(u32 creatorId, const std::string& archetype, u32 objectId, bool freshId,
                           const tinyxml2::XMLElement* element, DefinitionRoad road,
                           u32 creatingScriptId)
{
    GameFactory* factory = Engine::Factory();
    if (factory == nullptr)
    {
        // A member that names nothing leaves its file going on without a line.
        if (road == DefinitionRoad::Component)
            Core::Log() << "Error [ObjectDefinition]: no game factory to create " << archetype
                        << '\n';
        else if (road == DefinitionRoad::Serializer)
            Core::Log() << "Error [SerializerSystem]: no game factory to create " << archetype
                        << '\n';
        return nullptr;
    }
    GameObject* object =
        factory->CreateObject(archetype, freshId ? Engine::GenerateId() : objectId);
    if (object == nullptr)
        return nullptr;
    object->SetCreatorId(creatorId);
    object->SetCreatingScriptId(creatingScriptId);
    ApplyObjectDefinition(*object, element, road);
    return object;
}
} // namespace

void ApplyObjectDefinition(GameObject& object, const tinyxml2::XMLElement* element,
                           DefinitionRoad road)
{
    // The line keeps the serializer system's name, under which it has always been logged.
    if (s_nesting >= MaxDefinitionNesting)
    {
        Core::Log() << "Error [SerializerSystem]: definitions nest deeper than "
                    << MaxDefinitionNesting << " objects; " << object.GetName() << " (object "
                    << object.GetId() << ") gets no components\n";
        return;
    }
    struct NestingGuard
    {
        NestingGuard() { ++s_nesting; }
        ~NestingGuard() { --s_nesting; }
    } guard;

    if (element != nullptr && element->FirstChild() != nullptr)
    {
        // Inline: an element whose only child is text holds no component and adds nothing.
        if (const tinyxml2::XMLElement* first = element->FirstChildElement())
            object.Deserialize(first);
        return;
    }
    const Serializer::ObjectDefinitionManager* manager =
        Serializer::ObjectDefinitionManager::Instance();
    if (manager == nullptr && road == DefinitionRoad::Component)
    {
        Core::Log() << "Error [ObjectDefinition]: no object definitions are loaded; "
                    << object.GetName() << " (object " << object.GetId()
                    << ") gets no components\n";
        return;
    }
    const Serializer::ObjectDefinition* definition =
        manager != nullptr ? manager->FindDefinition(object.GetName()) : nullptr;
    if (definition == nullptr)
    {
        ReportMissingDefinition(object.GetName());
        return;
    }
    ApplyDefinitionAsset(object, *definition);
}

void ApplyDefinitionAsset(GameObject& object, const Serializer::ObjectDefinition& definition)
{
    if (!definition.IsValid())
    {
        Core::Log() << "Error [SerializerSystem]: definition " << definition.GetName()
                    << " did not parse; object " << object.GetId() << " gets no components\n";
        return;
    }
    // A definition without components is a valid, empty object.
    if (const tinyxml2::XMLElement* first = definition.GetFirstComponentElement())
    {
        const GameObject::SourceFileScope source(definition.GetParam().path);
        object.Deserialize(first);
    }
}

GameObject* CreateObjectFromDefinition(u32 creatorId, const std::string& archetype, u32 objectId,
                                       const tinyxml2::XMLElement* element, DefinitionRoad road,
                                       u32 creatingScriptId)
{
    return CreateAndApply(creatorId, archetype, objectId, false, element, road, creatingScriptId);
}

GameObject* CreateObjectFromElement(const tinyxml2::XMLElement& element)
{
    return CreateAndApply(0, element.Name(), 0, true, &element, DefinitionRoad::Member, 0);
}
} // namespace Core
