#include "Xml/ValueXml.h"
#include "Math/ColorRGBA.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include "Xml/MathValueXml.h"
#include "Xml/PlainValueXml.h"

namespace Serializer
{
void ReadValue(XmlReader& reader, bool& value, const char* name)
{
    ReadBool(reader, value, name);
}

void ReadValue(XmlReader& reader, int& value, const char* name)
{
    ReadInt(reader, value, name);
}

void ReadValue(XmlReader& reader, unsigned int& value, const char* name)
{
    ReadElement(reader, value, name);
}

void ReadValue(XmlReader& reader, float& value, const char* name)
{
    ReadElement(reader, value, name);
}

void ReadValue(XmlReader& reader, double& value, const char* name)
{
    ReadDouble(reader, value, name);
}

void ReadValue(XmlReader& reader, std::string& value, const char* name)
{
    ReadString(reader, value, name);
}

void ReadValue(XmlReader& reader, Math::Vector2& value, const char* name)
{
    ReadVector2(reader, value, name);
}

void ReadValue(XmlReader& reader, Math::Vector3& value, const char* name)
{
    ReadVector3(reader, value, name);
}

void ReadValue(XmlReader& reader, Math::Vector4& value, const char* name)
{
    ReadVector4(reader, value, name);
}

void ReadValue(XmlReader& reader, Math::Point4& value, const char* name)
{
    ReadPoint4(reader, value, name);
}

void ReadValue(XmlReader& reader, Math::Quaternion& value, const char* name)
{
    ReadQuaternion(reader, value, name);
}

void ReadValue(XmlReader& reader, Math::ColorRGBA& value, const char* name)
{
    ReadColorRGBA(reader, value, name);
}

void WriteValue(XmlWriter& writer, bool value, const char* name)
{
    WriteBool(writer, value, name);
}

void WriteValue(XmlWriter& writer, int value, const char* name)
{
    WriteInt(writer, value, name);
}

void WriteValue(XmlWriter& writer, unsigned int value, const char* name)
{
    WriteUnsigned(writer, value, name);
}

void WriteValue(XmlWriter& writer, float value, const char* name)
{
    WriteFloat(writer, value, name);
}

void WriteValue(XmlWriter& writer, double value, const char* name)
{
    WriteDouble(writer, value, name);
}

void WriteValue(XmlWriter& writer, const std::string& value, const char* name)
{
    WriteString(writer, value, name);
}

void WriteValue(XmlWriter& writer, const Math::Vector2& value, const char* name)
{
    WriteVector2(writer, value, name);
}

void WriteValue(XmlWriter& writer, const Math::Vector3& value, const char* name)
{
    WriteVector3(writer, value, name);
}

void WriteValue(XmlWriter& writer, const Math::Vector4& value, const char* name)
{
    WriteVector3(writer, value, name);
}

void WriteValue(XmlWriter& writer, const Math::Point4& value, const char* name)
{
    WriteVector3(writer, static_cast<const Math::Vector4&>(value), name);
}

void WriteValue(XmlWriter& writer, const Math::Quaternion& value, const char* name)
{
    WriteQuaternion(writer, value, name);
}

void WriteValue(XmlWriter& writer, const Math::ColorRGBA& value, const char* name)
{
    WriteColorRGBA(writer, value, name);
}
} // namespace Serializer
