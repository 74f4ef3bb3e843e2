#include "Core/Objects/ObjectFromDefinition.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include <tinyxml2.h>

namespace Core
{
namespace
{
u32 s_nesting = 0; // ApplyObjectDefinition calls under way
} // namespace

void ApplyObjectDefinition(GameObject& object, const tinyxml2::XMLElement* element)
{
    if (s_nesting >= MaxDefinitionNesting)
    {
        Core::Log() << "Error [ObjectDefinition]: objects made from definitions nest deeper than "
                    << MaxDefinitionNesting << "; " << object.GetName() << " (object "
                    << object.GetId() << ") gets no components\n";
        return;
    }
    struct NestingGuard
    {
        NestingGuard() { ++s_nesting; }
        ~NestingGuard() { --s_nesting; }
    } guard;

    const CoreServices& services = Services();
    if (services.applyDefinition.IsInstalled())
    {
        services.applyDefinition(object, element);
        return;
    }
    if (element != nullptr && element->FirstChild() != nullptr)
    {
        if (const tinyxml2::XMLElement* first = element->FirstChildElement())
            object.Deserialize(first);
        return;
    }
    Core::Log() << "Error [ObjectDefinition]: no object definitions are loaded; "
                << object.GetName() << " (object " << object.GetId() << ") gets no components\n";
}

GameObject* CreateObjectFromDefinition(u32 creatorId, const std::string& archetype, u32 objectId)
{
    GameFactory* factory = g_Engine != nullptr ? g_Engine->GetFactory() : nullptr;
    if (factory == nullptr)
    {
        Core::Log() << "Error [ObjectDefinition]: no game factory to create " << archetype << '\n';
        return nullptr;
    }
    GameObject* object = factory->CreateObject(archetype, objectId);
    if (object == nullptr)
        return nullptr;
    object->SetCreatorId(creatorId);
    ApplyObjectDefinition(*object, nullptr);
    return object;
}
} // namespace Core
