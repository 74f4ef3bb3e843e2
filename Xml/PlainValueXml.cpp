#include "Xml/PlainValueXml.h"
#include "Xml/TextConversion.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <cstring>
#include <string>
#include <tinyxml2.h>

namespace Serializer
{
namespace
{
constexpr const char* AnyTag = "";
constexpr const char* TrueWord = "true";
constexpr const char* FalseWord = "false";

// Reads the run of siblings sharing the first one's tag. Every item read moves the cursor on
// (or ends the walk), so the loop always finishes.
template <typename T, typename ReadItem>
void ReadList(XmlReader& reader, std::vector<T>& values, const char* name, ReadItem readItem)
{
    if (!reader.Accepts(name))
        return;
    const char* listTag = reader.CurrentElement()->Name();
    while (reader.CurrentElement() && std::strcmp(reader.CurrentElement()->Name(), listTag) == 0)
    {
        T item{};
        readItem(reader, item, AnyTag);
        values.push_back(item);
    }
}

template <typename T> void ReadAttributeValue(XmlReader& reader, T& value, bool advanceElement)
{
    const tinyxml2::XMLAttribute* attribute = reader.CurrentAttribute();
    if (!attribute)
        return;
    if (!ParseWholeText(attribute->Value(), value))
        reader.NoteBadValue(attribute->Value());
    reader.NextAttribute(advanceElement);
}
} // namespace

template <typename T> void ReadElement(XmlReader& reader, T& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    const char* text = reader.CurrentText();
    if (text != nullptr && !ParseWholeText(text, value))
        reader.NoteBadValue(text);
    reader.NextElement();
}

template void ReadElement<int>(XmlReader&, int&, const char*);
template void ReadElement<unsigned int>(XmlReader&, unsigned int&, const char*);
template void ReadElement<float>(XmlReader&, float&, const char*);
template void ReadElement<double>(XmlReader&, double&, const char*);

void ReadInt(XmlReader& reader, int& value, const char* name)
{
    ReadElement(reader, value, name);
}

void ReadDouble(XmlReader& reader, double& value, const char* name)
{
    ReadElement(reader, value, name);
}

void ReadString(XmlReader& reader, std::string& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    if (const char* text = reader.CurrentText())
        value = text;
    reader.NextElement();
}

void ReadBool(XmlReader& reader, bool& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    const char* text = reader.CurrentText();
    int number = 0;
    if (ParseWholeText(text, number))
        value = number != 0;
    else if (text && std::strcmp(text, TrueWord) == 0)
        value = true;
    else if (text && std::strcmp(text, FalseWord) == 0)
        value = false;
    else if (text)
        reader.NoteBadValue(text);
    reader.NextElement();
}

void ReadIntList(XmlReader& reader, std::vector<int>& values, const char* name)
{
    ReadList(reader, values, name, ReadInt);
}

void ReadDoubleList(XmlReader& reader, std::vector<double>& values, const char* name)
{
    ReadList(reader, values, name, ReadDouble);
}

void ReadStringList(XmlReader& reader, std::vector<std::string>& values, const char* name)
{
    ReadList(reader, values, name, ReadString);
}

void ReadAttributeString(XmlReader& reader, std::string& value, bool advanceElement)
{
    const tinyxml2::XMLAttribute* attribute = reader.CurrentAttribute();
    if (!attribute)
        return;
    value = attribute->Value();
    reader.NextAttribute(advanceElement);
}

void ReadAttributeInt(XmlReader& reader, int& value, bool advanceElement)
{
    ReadAttributeValue(reader, value, advanceElement);
}

void ReadAttributeUnsigned(XmlReader& reader, unsigned int& value, bool advanceElement)
{
    ReadAttributeValue(reader, value, advanceElement);
}

void ReadAttributeFloat(XmlReader& reader, float& value, bool advanceElement)
{
    ReadAttributeValue(reader, value, advanceElement);
}

void ReadAttributeDouble(XmlReader& reader, double& value, bool advanceElement)
{
    ReadAttributeValue(reader, value, advanceElement);
}

void ReadAttributeBool(XmlReader& reader, bool& value, bool advanceElement)
{
    ReadAttributeValue(reader, value, advanceElement);
}

void ReadAttributeIntList(XmlReader& reader, std::vector<int>& values)
{
    while (reader.CurrentAttribute())
    {
        int item = 0;
        ReadAttributeInt(reader, item, false);
        values.push_back(item);
    }
    reader.NextElement();
}

void ReadAttributeIntArray(XmlReader& reader, int* slots, unsigned int slotCount)
{
    if (!slots)
        slotCount = 0;
    for (unsigned int index = 0; reader.CurrentAttribute(); ++index)
    {
        if (index < slotCount)
            ReadAttributeInt(reader, slots[index], false);
        else
            reader.NextAttribute(false);
    }
    reader.NextElement();
}

void WriteBool(XmlWriter& writer, bool value, const char* name)
{
    writer.AppendTextElement(name, DefaultBoolTag, value ? "1" : "0");
}

void WriteUnsigned(XmlWriter& writer, unsigned int value, const char* name)
{
    writer.AppendTextElement(name, DefaultUnsignedTag, std::to_string(value));
}

void WriteFloat(XmlWriter& writer, float value, const char* name)
{
    writer.AppendTextElement(name, DefaultFloatTag, FormatNumber(value, ElementTextDigits));
}

void WriteInt(XmlWriter& writer, int value, const char* name)
{
    writer.AppendTextElement(name, DefaultIntTag, std::to_string(value));
}

void WriteDouble(XmlWriter& writer, double value, const char* name)
{
    writer.AppendTextElement(name, DefaultDoubleTag, FormatNumber(value, ElementTextDigits));
}

void WriteString(XmlWriter& writer, const std::string& value, const char* name)
{
    writer.AppendTextElement(name, DefaultStringTag, value.c_str());
}

void WriteIntList(XmlWriter& writer, const std::vector<int>& values)
{
    for (int value : values)
        WriteInt(writer, value, DefaultIntTag);
}

void WriteDoubleList(XmlWriter& writer, const std::vector<double>& values)
{
    for (double value : values)
        WriteDouble(writer, value, DefaultDoubleTag);
}

void WriteStringList(XmlWriter& writer, const std::vector<std::string>& values)
{
    for (const std::string& value : values)
        WriteString(writer, value, DefaultStringTag);
}
} // namespace Serializer
