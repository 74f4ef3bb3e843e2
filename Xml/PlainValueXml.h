#pragma once
// Reading and writing plain values (integers, floats, doubles, booleans, strings and lists of
// them) through the XML reader and writer. Text forms: TextConversion.h.
//
// Element readers apply the element rule of XmlReader.h: with no current element, or a name
// that differs from the current tag, nothing is read and the cursor stays; otherwise the
// element's text is parsed and the cursor moves on, also when the text is missing or does not
// parse. A value that is not read keeps what it had, so defaults set by the caller survive.
//
// Attribute readers take the current attribute by position, whatever its name, parse it and
// step on with XmlReader::NextAttribute(advanceElement); without a current attribute they do
// nothing.
//
// A list has no element of its own: its items are consecutive sibling elements with one tag;
// the list writers give every item the default tag of its type ("s32", "double", "str").
#include <string>
#include <vector>

namespace Serializer
{
class XmlReader;
class XmlWriter;

// Default element names of the writers when the member name is empty.
constexpr const char* DefaultBoolTag = "bool";
constexpr const char* DefaultUnsignedTag = "u32";
constexpr const char* DefaultFloatTag = "f32";
constexpr const char* DefaultIntTag = "s32";
constexpr const char* DefaultDoubleTag = "double";
constexpr const char* DefaultStringTag = "str";

// The element's text parsed as T; provided for int, unsigned int, float and double.
template <typename T> void ReadElement(XmlReader& reader, T& value, const char* name);
void ReadInt(XmlReader& reader, int& value, const char* name);
void ReadDouble(XmlReader& reader, double& value, const char* name);
// The element's text as it stands; an element without text leaves the string unchanged.
void ReadString(XmlReader& reader, std::string& value, const char* name);
// An integer (non-zero is true) or the words "true" and "false"; other text changes nothing.
void ReadBool(XmlReader& reader, bool& value, const char* name);

// Appends the run of sibling elements that share the current element's tag (which must match
// the name) and stops on the first element with another tag. An item whose text does not parse
// is appended as 0, so list positions stay those of the file.
void ReadIntList(XmlReader& reader, std::vector<int>& values, const char* name);
void ReadDoubleList(XmlReader& reader, std::vector<double>& values, const char* name);
void ReadStringList(XmlReader& reader, std::vector<std::string>& values, const char* name);

void ReadAttributeString(XmlReader& reader, std::string& value, bool advanceElement = false);
void ReadAttributeInt(XmlReader& reader, int& value, bool advanceElement = false);
void ReadAttributeUnsigned(XmlReader& reader, unsigned int& value, bool advanceElement = false);
void ReadAttributeFloat(XmlReader& reader, float& value, bool advanceElement = false);
void ReadAttributeDouble(XmlReader& reader, double& value, bool advanceElement = false);
// The numbers 0 and 1; any other text changes nothing.
void ReadAttributeBool(XmlReader& reader, bool& value, bool advanceElement = false);
// Appends every remaining attribute of the current element (0 for one that does not parse),
// then moves to the next element; without a current attribute only moves on.
void ReadAttributeIntList(XmlReader& reader, std::vector<int>& values);
// Parses the attributes into consecutive slots, at most slotCount of them (a slot whose
// attribute does not parse keeps its value), skips the rest and moves to the next element;
// without a current attribute only moves on.
void ReadAttributeIntArray(XmlReader& reader, int* slots, unsigned int slotCount);

// Text "0" or "1".
void WriteBool(XmlWriter& writer, bool value, const char* name);
void WriteUnsigned(XmlWriter& writer, unsigned int value, const char* name);
// Eight significant digits.
void WriteFloat(XmlWriter& writer, float value, const char* name);
void WriteInt(XmlWriter& writer, int value, const char* name);
// Eight significant digits.
void WriteDouble(XmlWriter& writer, double value, const char* name);
// The characters up to the first NUL.
void WriteString(XmlWriter& writer, const std::string& value, const char* name);
// One element per item, in order, each with its type's default tag; an empty list writes
// nothing.
void WriteIntList(XmlWriter& writer, const std::vector<int>& values);
void WriteDoubleList(XmlWriter& writer, const std::vector<double>& values);
void WriteStringList(XmlWriter& writer, const std::vector<std::string>& values);
} // namespace Serializer
