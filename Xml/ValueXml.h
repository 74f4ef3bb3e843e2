#pragma once
// One element reader and one element writer per value type, chosen by overload, so that code
// walking a list of members (Core/Reflection/MemberTable.h) need not name each reader. Each
// overload forwards to the reader or writer of PlainValueXml.h or MathValueXml.h and keeps its
// conventions: the element rule on reading, the type's default tag when the name is empty.
//
// The field's type decides the form: a Math::Point4 reads with w = 1 and a Math::Vector4 with
// w = 0 (neither writes w); a quaternion is Euler degrees with the first angle negated; a colour
// is 0 to 255 in the file.
#include <string>

namespace Math
{
class ColorRGBA;
class Point4;
class Quaternion;
class Vector2;
class Vector3;
class Vector4;
} // namespace Math

namespace Serializer
{
class XmlReader;
class XmlWriter;

void ReadValue(XmlReader& reader, bool& value, const char* name);
void ReadValue(XmlReader& reader, int& value, const char* name);
void ReadValue(XmlReader& reader, unsigned int& value, const char* name);
void ReadValue(XmlReader& reader, float& value, const char* name);
void ReadValue(XmlReader& reader, double& value, const char* name);
void ReadValue(XmlReader& reader, std::string& value, const char* name);
void ReadValue(XmlReader& reader, Math::Vector2& value, const char* name);
void ReadValue(XmlReader& reader, Math::Vector3& value, const char* name);
void ReadValue(XmlReader& reader, Math::Vector4& value, const char* name);
void ReadValue(XmlReader& reader, Math::Point4& value, const char* name);
void ReadValue(XmlReader& reader, Math::Quaternion& value, const char* name);
void ReadValue(XmlReader& reader, Math::ColorRGBA& value, const char* name);

void WriteValue(XmlWriter& writer, bool value, const char* name);
void WriteValue(XmlWriter& writer, int value, const char* name);
void WriteValue(XmlWriter& writer, unsigned int value, const char* name);
void WriteValue(XmlWriter& writer, float value, const char* name);
void WriteValue(XmlWriter& writer, double value, const char* name);
void WriteValue(XmlWriter& writer, const std::string& value, const char* name);
void WriteValue(XmlWriter& writer, const Math::Vector2& value, const char* name);
void WriteValue(XmlWriter& writer, const Math::Vector3& value, const char* name);
void WriteValue(XmlWriter& writer, const Math::Vector4& value, const char* name);
void WriteValue(XmlWriter& writer, const Math::Point4& value, const char* name);
void WriteValue(XmlWriter& writer, const Math::Quaternion& value, const char* name);
void WriteValue(XmlWriter& writer, const Math::ColorRGBA& value, const char* name);
} // namespace Serializer
