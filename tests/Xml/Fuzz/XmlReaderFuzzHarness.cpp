#include "tests/Xml/Fuzz/XmlReaderFuzzHarness.h"
#include "Math/ColorRGBA.h"
#include "Math/PingPongValue.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/SphericalCoordinate.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"
#include "Xml/XmlFile.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Serializer;

namespace
{
// Element reader kinds tried in turn on a component's members.
constexpr int ElementReaderKinds = 16;
// Slots of the attribute array reader: fewer than many elements have, to exercise skipping.
constexpr unsigned int ArraySlots = 3;

void Fail(const char* what)
{
    std::fprintf(stderr, "XML reader made no progress: %s\n", what);
    std::abort();
}

// Reads the member under the cursor with the reader of the given kind and writes it back.
void ReadAndWriteMember(XmlReader& reader, XmlWriter& writer, int kind)
{
    const char* any = "";
    switch (kind)
    {
    case 0:
    {
        int v = 0;
        ReadInt(reader, v, any);
        WriteInt(writer, v, any);
        break;
    }
    case 1:
    {
        unsigned int v = 0;
        ReadElement(reader, v, any);
        WriteUnsigned(writer, v, any);
        break;
    }
    case 2:
    {
        float v = 0;
        ReadElement(reader, v, any);
        WriteFloat(writer, v, any);
        break;
    }
    case 3:
    {
        double v = 0;
        ReadDouble(reader, v, any);
        WriteDouble(writer, v, any);
        break;
    }
    case 4:
    {
        bool v = false;
        ReadBool(reader, v, any);
        WriteBool(writer, v, any);
        break;
    }
    case 5:
    {
        std::string v;
        ReadString(reader, v, any);
        WriteString(writer, v, any);
        break;
    }
    case 6:
    {
        Math::Vector2 v;
        ReadVector2(reader, v, any);
        WriteVector2(writer, v, any);
        break;
    }
    case 7:
    {
        Math::Vector3 v;
        ReadVector3(reader, v, any);
        WriteVector3(writer, v, any);
        break;
    }
    case 8:
    {
        Math::Vector4 v;
        ReadVector4(reader, v, any);
        WriteVector3(writer, v, any);
        break;
    }
    case 9:
    {
        Math::Point4 v;
        ReadPoint4(reader, v, any);
        WriteVector3(writer, v, any);
        break;
    }
    case 10:
    {
        Math::ColorRGBA v;
        ReadColorRGBA(reader, v, any);
        WriteColorRGBA(writer, v, any);
        break;
    }
    case 11:
    {
        Math::Quaternion v;
        ReadQuaternion(reader, v, any);
        WriteQuaternion(writer, v, any);
        break;
    }
    case 12:
    {
        Math::SphericalCoordinate v;
        ReadSphericalCoordinate(reader, v, any);
        WriteSphericalCoordinate(writer, v, any);
        break;
    }
    case 13:
    {
        Math::PingPongValue v;
        ReadPingPongValue(reader, v, any);
        break;
    }
    case 14:
    {
        std::vector<int> v;
        ReadIntList(reader, v, any);
        WriteIntList(writer, v);
        break;
    }
    default:
    {
        std::vector<std::string> v;
        ReadStringList(reader, v, any);
        WriteStringList(writer, v);
        break;
    }
    }
}

// Takes one attribute with an attribute reader of the given kind.
void ReadAttribute(XmlReader& reader, int kind, bool advanceElement)
{
    switch (kind % 9)
    {
    case 0:
    {
        int v = 0;
        ReadAttributeInt(reader, v, advanceElement);
        break;
    }
    case 1:
    {
        unsigned int v = 0;
        ReadAttributeUnsigned(reader, v, advanceElement);
        break;
    }
    case 2:
    {
        float v = 0;
        ReadAttributeFloat(reader, v, advanceElement);
        break;
    }
    case 3:
    {
        double v = 0;
        ReadAttributeDouble(reader, v, advanceElement);
        break;
    }
    case 4:
    {
        bool v = false;
        ReadAttributeBool(reader, v, advanceElement);
        break;
    }
    case 5:
    {
        std::string v;
        ReadAttributeString(reader, v, advanceElement);
        break;
    }
    case 6:
    {
        Math::Vector2 v;
        ReadAttributeFloat2(reader, v, advanceElement);
        break;
    }
    case 7:
    {
        Math::Vector3 v;
        ReadAttributeFloat3(reader, v, advanceElement);
        break;
    }
    default:
    {
        Math::Vector4 v;
        ReadAttributeFloat4(reader, v, advanceElement);
        break;
    }
    }
}

// One component's Deserialize: every member read with some reader, each read moving on.
void ReadComponent(const tinyxml2::XMLElement* component, XmlWriter& writer, int firstKind)
{
    XmlReader reader(component, true);
    for (int kind = firstKind; reader.CurrentElement(); ++kind)
    {
        const tinyxml2::XMLElement* before = reader.CurrentElement();
        if (kind % 4 == 0)
        {
            std::vector<int> values;
            if (kind % 8 == 0)
                ReadAttributeIntList(reader, values);
            else
            {
                int slots[ArraySlots] = {};
                ReadAttributeIntArray(reader, slots, ArraySlots);
            }
        }
        else
        {
            ReadAttribute(reader, kind, true);
            if (reader.CurrentElement() != before)
                continue;
            ReadAndWriteMember(reader, writer, kind % ElementReaderKinds);
        }
        if (reader.CurrentElement() == before)
            Fail("an element read with the empty name stayed on its element");
    }
}

// Visits every element with the nested-element calling pattern; returns the count visited.
std::size_t WalkTree(XmlReader& reader)
{
    std::size_t visited = 0;
    while (const tinyxml2::XMLElement* element = reader.CurrentElement())
    {
        ++visited;
        while (reader.CurrentAttribute())
            ReadAttribute(reader, static_cast<int>(visited), false);
        reader.NextElement();
        if (reader.CurrentElement() == element)
            Fail("NextElement stayed on its element");
        if (reader.EnterElement())
            visited += WalkTree(reader);
        reader.LeaveElement();
    }
    return visited;
}

std::size_t CountElements(const tinyxml2::XMLElement* element)
{
    std::size_t count = 0;
    for (; element; element = element->NextSiblingElement())
        count += 1 + CountElements(element->FirstChildElement());
    return count;
}
} // namespace

void RunXmlReaderFuzzInput(const std::uint8_t* data, std::size_t size)
{
    std::string error;
    auto document = ParseXmlText(reinterpret_cast<const char*>(data), size, "fuzz input", error);
    if (!document)
        return;
    const tinyxml2::XMLElement* object = document->RootElement();
    if (!object)
        return;

    tinyxml2::XMLDocument output;
    tinyxml2::XMLElement* written = CreateElement(output, object->Name());
    AppendChild(output, written);
    XmlWriter writer(output, written);
    int firstKind = 0;
    for (const tinyxml2::XMLElement* component = object->FirstChildElement(); component;
         component = component->NextSiblingElement())
        ReadComponent(component, writer, firstKind++);

    XmlReader walker(object, false);
    if (WalkTree(walker) != 1 + CountElements(object->FirstChildElement()))
        Fail("the nested walk missed or repeated elements");

    tinyxml2::XMLPrinter printer;
    output.Print(&printer);
}
