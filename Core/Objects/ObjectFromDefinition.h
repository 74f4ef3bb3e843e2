#pragma once
// Objects that core components create from definitions (mounted weapons, a camera rig). The
// definitions belong to the serializer system, above the core, which fills objects through the
// applyDefinition service hook (Core/CoreServices.h). Without it an inline definition (an
// element with children) is still read here, but a definition named only by its archetype
// cannot be found: the object stays empty and the log says so. Main thread only.
#include "Math/Types.h"
#include <string>

class GameObject;
namespace tinyxml2
{
class XMLElement;
}

namespace Core
{
// Objects made from definitions that mount further objects nest; nesting stops at this depth
// (deeper objects get no components), so a document that nests without end cannot exhaust
// the stack.
constexpr u32 MaxDefinitionNesting = 32;

// Applies the element (or the object's own definition) to the object, through the hook when it
// is installed.
void ApplyObjectDefinition(GameObject& object, const tinyxml2::XMLElement* element);
// Creates an object of the archetype under the id, records its creator and applies the
// archetype's definition. Null (logged by the factory) when there is no factory or the id is 0
// or in use.
GameObject* CreateObjectFromDefinition(u32 creatorId, const std::string& archetype, u32 objectId);
} // namespace Core
