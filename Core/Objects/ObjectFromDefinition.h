#pragma once
// The one road from a definition to an object: create the object, record its creator, apply its
// definition. Every maker of objects from definitions takes it: core components that mount
// objects, the serializer system (by archetype name and by message) and members that hold a
// child object (Serializer::ReadObject).
//
// Applying: an element with child nodes is an inline definition, whose first child element and
// that element's siblings are the components (an element whose only child is text adds
// nothing). Otherwise the definition named after the object is applied from the object
// definitions (Core/Assets/ObjectDefinitionManager.h); a name no category holds is reported as
// "Invalid object definition: <name>" and leaves the object as it is.
//
// Nesting: a definition whose components create further objects (mounts, child objects) applies
// inside another apply, and one that names its own archetype would nest for ever. Every apply
// counts against one depth; past MaxDefinitionNesting the object gets no components (logged).
//
// Main thread only.
#include "Math/Types.h"
#include <string>

class GameObject;
namespace tinyxml2
{
class XMLElement;
}
namespace Serializer
{
class ObjectDefinition;
}

namespace Core
{
// The deepest nesting of applies; the object one deeper gets no components.
constexpr u32 MaxDefinitionNesting = 32;

// Who asks for an object. The roads share every step; they differ only in the lines a missing
// factory or missing definitions leave, which name the part that asked.
enum class DefinitionRoad
{
    // A core component (a mount): a missing factory is logged as the object definitions' error;
    // while no definitions are loaded, a definition named only by its archetype is reported as
    // not loaded.
    Component,
    // The serializer system: a missing factory is logged as the serializer system's error; a
    // definition no category holds is an error report, whether definitions are loaded or not.
    Serializer,
    // A member holding a child object: as the serializer system, but without a factory nothing
    // is created and nothing logged.
    Member,
};

// Applies the element (inline) or the object's own definition to the object.
void ApplyObjectDefinition(GameObject& object, const tinyxml2::XMLElement* element,
                           DefinitionRoad road = DefinitionRoad::Component);
// Adds the definition's components to the object; a definition that did not parse adds nothing
// (logged).
void ApplyDefinitionAsset(GameObject& object, const Serializer::ObjectDefinition& definition);
// Creates an object of the archetype under the id, records its creator and the script that asked
// for it, and applies the element or the archetype's definition. Null (logged by the factory) when
// there is no factory or the id is 0 or in use.
GameObject* CreateObjectFromDefinition(u32 creatorId, const std::string& archetype, u32 objectId,
                                       const tinyxml2::XMLElement* element = nullptr,
                                       DefinitionRoad road = DefinitionRoad::Component,
                                       u32 creatingScriptId = 0);
// A member's child object: named after the element's tag, created under a fresh id (taken only
// once a factory is there), no creator, the element applied. Null without a factory.
GameObject* CreateObjectFromElement(const tinyxml2::XMLElement& element);
} // namespace Core
