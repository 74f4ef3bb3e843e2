#include "Xml/XmlFile.h"
#include "Platform/RegularFile.h"
#include <cctype>

namespace Serializer
{
namespace
{
std::unique_ptr<tinyxml2::XMLDocument> NewDocument()
{
    return std::make_unique<tinyxml2::XMLDocument>(true, tinyxml2::COLLAPSE_WHITESPACE);
}

// tinyxml2 reports the error's name and line, which is what a reader of the log needs.
std::unique_ptr<tinyxml2::XMLDocument> Reject(const tinyxml2::XMLDocument& document,
                                              const std::string& sourceName, std::string& error)
{
    error = "Failed to parse XML (" + sourceName + "): " + document.ErrorStr();
    return nullptr;
}
} // namespace

std::unique_ptr<tinyxml2::XMLDocument> LoadXmlFile(const std::string& path, std::string& error,
                                                   std::size_t limit)
{
    std::string text;
    std::string reason;
    if (!ReadRegularFile(path, limit, text, reason))
    {
        error = "Failed to read XML (" + path + "): " + reason;
        return nullptr;
    }
    std::unique_ptr<tinyxml2::XMLDocument> document = NewDocument();
    if (document->Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS)
        return Reject(*document, path, error);
    return document;
}

std::unique_ptr<tinyxml2::XMLDocument> ParseXmlText(const char* text, std::size_t length,
                                                    const std::string& sourceName,
                                                    std::string& error)
{
    std::unique_ptr<tinyxml2::XMLDocument> document = NewDocument();
    if (!text)
    {
        error = "Failed to parse XML (" + sourceName + "): no text";
        return nullptr;
    }
    if (document->Parse(text, length) != tinyxml2::XML_SUCCESS)
        return Reject(*document, sourceName, error);
    return document;
}

std::string PrintXmlDocument(const tinyxml2::XMLDocument& document)
{
    tinyxml2::XMLPrinter printer(nullptr, false);
    document.Print(&printer);
    // CStrSize counts the terminating NUL.
    return std::string(printer.CStr(), static_cast<std::size_t>(printer.CStrSize() - 1));
}

std::string CleanXmlName(const std::string& name)
{
    std::string clean;
    clean.reserve(name.size() + 1);
    for (const char c : name)
    {
        const unsigned char u = static_cast<unsigned char>(c);
        const bool allowed = std::isalnum(u) != 0 || c == '_' || c == '-' || c == '.';
        clean += allowed ? c : '_';
    }
    // An XML name starts with a letter or '_'; '-' and '.' may only follow.
    if (!clean.empty() && std::isalpha(static_cast<unsigned char>(clean[0])) == 0 &&
        clean[0] != '_')
        clean.insert(clean.begin(), '_');
    // The definition's name is the file name up to its first '.', so a '.' would lose the rest.
    for (char& c : clean)
    {
        if (c == '.')
            c = '_';
    }
    return clean;
}
} // namespace Serializer
