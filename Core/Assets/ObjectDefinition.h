#pragma once
// One object definition file held as its parsed XML document.
//
// File form: any root element (its tag and attributes are not read) standing for the object;
// its child elements are the object's components in order, each tagged with the component's
// type name ("TransformComponent"); a component element's children are its members, read by
// the component's Deserialize. The definition's name (the archetype) is the file name up to its
// first '.'. Documents are parsed with entities processed and whitespace collapsed.
//
// A file that does not parse stays registered, so that F8 can mend it in place once the file
// is fixed; its parse error is logged with the file name, and applying it creates nothing.
#include "Core/Assets/AssetManager.h"
#include <memory>
#include <string>

namespace tinyxml2
{
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

namespace Serializer
{
struct ObjectDefinitionParam
{
    std::string path; // the full path of the definition file
};

class ObjectDefinition : public Asset<ObjectDefinitionParam>
{
public:
    ObjectDefinition();
    ~ObjectDefinition() override;

    // Parses the file into a new document. True whatever the parse gives; a failure is logged.
    bool Load() override;
    void Unload() override;
    // Parses the file again into the same document; true, a failure is logged.
    bool Reload() override;

    // Null only after Unload.
    const tinyxml2::XMLDocument* GetDocument() const { return m_document.get(); }
    // True when the last parse succeeded.
    bool IsValid() const;
    // True when the file at `path` would make a valid definition: it is read and parsed as a
    // definition's Load reads it and has a root element. False with the reason otherwise.
    static bool ReadsBack(const std::string& path, std::string& reason);
    // The first component element (the root's first child element), or null when the document
    // did not parse or holds no component.
    const tinyxml2::XMLElement* GetFirstComponentElement() const;

private:
    // Parses the file into m_document and logs a failure.
    void Parse();

    std::unique_ptr<tinyxml2::XMLDocument> m_document;
};
} // namespace Serializer
