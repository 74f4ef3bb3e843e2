#pragma once
// Loading XML documents the way the whole engine reads them: white space collapsed, nothing
// trusted; and the text the engine writes them as. A document that does not parse (unterminated,
// wrongly nested, nested deeper than the XML library accepts, empty) gives null and a one-line
// reason that names its source, for the caller to log. Files are read only when they are regular
// files within the size limit (Platform/RegularFile.h).
#include <cstddef>
#include <memory>
#include <string>
#include <tinyxml2.h>

namespace Serializer
{
// The size limit of an XML asset file.
constexpr std::size_t MaxXmlFileBytes = 16u * 1024u * 1024u;

std::unique_ptr<tinyxml2::XMLDocument> LoadXmlFile(const std::string& path, std::string& error,
                                                   std::size_t limit = MaxXmlFileBytes);
// Parses length bytes of text (no terminating NUL needed); sourceName names it in the error.
std::unique_ptr<tinyxml2::XMLDocument> ParseXmlText(const char* text, std::size_t length,
                                                    const std::string& sourceName,
                                                    std::string& error);

// The document as the engine writes its XML files: the bytes tinyxml2's SaveFile(path, false)
// writes, indented, ready to be written whole (Platform/AtomicFile.h).
std::string PrintXmlDocument(const tinyxml2::XMLDocument& document);

// The name made fit to be both an XML element name and the name of a definition file (the
// file name up to its first '.'): every character but ASCII letters, digits, '_' and '-'
// becomes '_', and a name that does not start with a letter or '_' gets a '_' in front
// ("9 lives!" gives "_9_lives_"). An empty name stays empty.
std::string CleanXmlName(const std::string& name);
} // namespace Serializer
