#pragma once
// A cursor over one XML element and its descendants, through which components and asset files
// read their members.
//
// Conventions:
// - A member is one element whose tag is the member's name. The empty name matches whatever
//   element stands under the cursor; an element with another tag is not read and the cursor
//   does not move, so members may be left out of a file but must not be reordered.
// - Each element reader that reads moves on with NextElement. Compound values take their parts
//   from the element's attribute values by position; attribute names are never looked at.
// - The cursor walks siblings under the element the reader was built over and never climbs
//   above it. Moving on from that element itself ends the walk: there is no current element
//   and every read is a no-op, so no loop over the reader can run for ever.
// - Calling pattern for nested elements: read the element's attributes, let the cursor move on,
//   then EnterElement descends into the element just read; LeaveElement comes back to where the
//   cursor stood before entering (the sibling after the entered element).
// - The reader never changes the document, which must outlive it. Failures are silent no-ops
//   here; callers that need to know test CurrentElement. A value whose text does not parse as a
//   whole is noted (member and text) for the caller to report, since the reader cannot log.
#include <string>
#include <vector>

namespace tinyxml2
{
class XMLAttribute;
class XMLElement;
} // namespace tinyxml2

namespace Serializer
{
class XmlReader
{
public:
    // Without standOnFirstChild the cursor stands on the element itself, with it on the
    // element's first child element (component readers: the first member element). A null
    // element gives a reader with nothing to read.
    XmlReader(const tinyxml2::XMLElement* element, bool standOnFirstChild);

    // Null when the walk has ended.
    const tinyxml2::XMLElement* CurrentElement() const { return m_current; }
    const tinyxml2::XMLAttribute* CurrentAttribute() const { return m_attribute; }
    // The current element's text, or null when there is no element or it has no text.
    const char* CurrentText() const;
    // The element rule: there is a current element and the name is empty or equals its tag.
    bool Accepts(const char* name) const;

    // Moves to the next sibling (standing on its first attribute) and remembers the first
    // child of the element left, for EnterElement.
    void NextElement();
    // Moves to the next attribute; when the attributes have run out, advanceElement is set and
    // the element has no text, moves on to the next element as well.
    void NextAttribute(bool advanceElement);
    // Descends into the first child of the element last left by NextElement (or, right after
    // construction with standOnFirstChild, of the element under the cursor). False when there
    // is none: the cursor then stands on nothing until LeaveElement.
    bool EnterElement();
    // Returns to where the cursor stood at the matching EnterElement, on its first attribute.
    // Without a matching EnterElement nothing happens.
    void LeaveElement();

    // A member value whose text did not parse; the member kept what it had.
    struct BadValue
    {
        std::string member; // the element's tag
        std::string text;
    };
    // Notes the text as a bad value of the current element.
    void NoteBadValue(const char* text);
    const std::vector<BadValue>& GetBadValues() const { return m_badValues; }

private:
    void StandOn(const tinyxml2::XMLElement* element);

    const tinyxml2::XMLElement* m_root;
    const tinyxml2::XMLElement* m_current;
    const tinyxml2::XMLAttribute* m_attribute;
    const tinyxml2::XMLElement* m_pendingChild;
    std::vector<const tinyxml2::XMLElement*> m_stack;
    std::vector<BadValue> m_badValues;
};
} // namespace Serializer
