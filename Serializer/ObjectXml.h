#pragma once
// Members that hold a whole child object. Such a member is an element that either names an
// object definition ("<Lantern/>") or holds the components inline ("<Lantern><TransformComponent>
// ...</TransformComponent></Lantern>"); the element's tag is the child's archetype either way.
#include "Math/Types.h"

namespace tinyxml2
{
class XMLElement;
}

namespace Serializer
{
class XmlReader;

// True when the element's tag names a definition of the object category, or when the element's
// first child node has a child of its own (an inline definition: components holding members).
// A null element, or one without children that names no definition, is not an object element.
bool IsObjectElement(const tinyxml2::XMLElement* element);

// With no current element: nothing. On an element that is no object element: id = 0 and the
// cursor stays. Otherwise creates an object named after the tag under a fresh id, applies the
// element (inline) or the archetype's definition, stores the id and moves the cursor on.
void ReadObject(XmlReader& reader, u32& objectId);
} // namespace Serializer
