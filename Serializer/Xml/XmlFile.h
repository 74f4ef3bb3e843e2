#pragma once
// Loading XML documents the way the whole engine reads them: white space collapsed, nothing
// trusted. A document that does not parse (unterminated, wrongly nested, nested deeper than
// the XML library accepts, empty) gives null and a one-line reason that names its source, for
// the caller to log. Files are read only when they are regular files within the size limit
// (Serializer/Xml/RegularFile.h).
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
} // namespace Serializer
