#include "Xml/MathValueXml.h"
#include "Math/ColorRGBA.h"
#include "Math/MathUtils.h"
#include "Math/PingPongValue.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/SphericalCoordinate.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include "Xml/TextConversion.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <tinyxml2.h>

namespace Serializer
{
namespace
{
// Colours are 0 to 255 in files.
constexpr f32 ColorFileScale = 255.0f;

// Parses the current attribute into value and steps to the next attribute of the same element.
// False, with value untouched, when there is no attribute left or its text does not parse.
template <typename T> bool TakeAttribute(XmlReader& reader, T& value)
{
    const tinyxml2::XMLAttribute* attribute = reader.CurrentAttribute();
    if (!attribute)
        return false;
    const bool parsed = ParseWholeText(attribute->Value(), value);
    if (!parsed)
        reader.NoteBadValue(attribute->Value());
    reader.NextAttribute(false);
    return parsed;
}

void TakeAngleAttribute(XmlReader& reader, f32& radians)
{
    f32 degrees = 0.0f;
    if (TakeAttribute(reader, degrees))
        radians = degrees * Math::DEG_TO_RAD;
}

void TakeColorAttribute(XmlReader& reader, f32& channel)
{
    f32 fileValue = 0.0f;
    if (TakeAttribute(reader, fileValue))
        channel = fileValue / ColorFileScale;
}

void ReadXYZ(XmlReader& reader, Math::Vector4& value)
{
    TakeAttribute(reader, value.x);
    TakeAttribute(reader, value.y);
    TakeAttribute(reader, value.z);
}

// Parses count floats from the current attribute's one text into parts; steps on either way.
void ReadAttributeFloats(XmlReader& reader, f32* parts, int count, bool advanceElement)
{
    const tinyxml2::XMLAttribute* attribute = reader.CurrentAttribute();
    if (!attribute)
        return;
    if (!ParseFloats(attribute->Value(), parts, count))
        reader.NoteBadValue(attribute->Value());
    reader.NextAttribute(advanceElement);
}

// A negative zero would print as "-0"; files hold a plain 0.
void SetNumber(tinyxml2::XMLElement* element, const char* attribute, f32 value)
{
    const f32 written = value == 0.0f ? 0.0f : value;
    element->SetAttribute(attribute, FormatNumber(written, AttributeDigits).c_str());
}

void WriteXYZ(XmlWriter& writer, const char* name, const char* defaultName, f32 x, f32 y, f32 z)
{
    tinyxml2::XMLElement* element = writer.AppendElement(name, defaultName);
    SetNumber(element, "X", x);
    SetNumber(element, "Y", y);
    SetNumber(element, "Z", z);
}
} // namespace

void ReadVector2(XmlReader& reader, Math::Vector2& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    TakeAttribute(reader, value.x);
    TakeAttribute(reader, value.y);
    reader.NextElement();
}

void ReadVector3(XmlReader& reader, Math::Vector3& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    TakeAttribute(reader, value.x);
    TakeAttribute(reader, value.y);
    TakeAttribute(reader, value.z);
    reader.NextElement();
}

void ReadVector4(XmlReader& reader, Math::Vector4& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    ReadXYZ(reader, value);
    value.w = 0.0f;
    reader.NextElement();
}

void ReadPoint4(XmlReader& reader, Math::Point4& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    ReadXYZ(reader, value);
    value.w = 1.0f;
    reader.NextElement();
}

void ReadColorRGBA(XmlReader& reader, Math::ColorRGBA& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    // Only the channels read are rescaled: dividing a kept channel again would corrupt it.
    TakeColorAttribute(reader, value.r);
    TakeColorAttribute(reader, value.g);
    TakeColorAttribute(reader, value.b);
    TakeColorAttribute(reader, value.a);
    reader.NextElement();
}

void ReadQuaternion(XmlReader& reader, Math::Quaternion& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    Math::Vector3 degrees;
    TakeAttribute(reader, degrees.x);
    TakeAttribute(reader, degrees.y);
    TakeAttribute(reader, degrees.z);
    const Math::Vector3 radians = degrees * Math::DEG_TO_RAD;
    value.FromEuler(-radians.x, radians.y, radians.z, true);
    reader.NextElement();
}

void ReadSphericalCoordinate(XmlReader& reader, Math::SphericalCoordinate& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    unsigned int perspective = 0;
    if (TakeAttribute(reader, perspective))
        value.perspective = static_cast<s32>(perspective);
    TakeAttribute(reader, value.radius);
    // Angles not in the file stay as they are; only the ones read are converted.
    TakeAngleAttribute(reader, value.phi);
    TakeAngleAttribute(reader, value.theta);
    value.Normalize();
    reader.NextElement();
}

void ReadPingPongValue(XmlReader& reader, Math::PingPongValue& value, const char* name)
{
    if (!reader.Accepts(name))
        return;
    // Parts missing from the file keep their current values.
    f32 min = value.min;
    f32 max = value.max;
    f32 current = value.value;
    f32 rate = value.rate;
    unsigned int unused = 0; // stored files carry a fifth part that nothing reads
    bool stopAtMin = value.stopAtMin;
    bool stopAtMax = value.stopAtMax;
    TakeAttribute(reader, min);
    TakeAttribute(reader, max);
    TakeAttribute(reader, current);
    TakeAttribute(reader, rate);
    TakeAttribute(reader, unused);
    TakeAttribute(reader, stopAtMin);
    TakeAttribute(reader, stopAtMax);
    value.Set(min, max, current, rate, stopAtMin, stopAtMax);
    reader.NextElement();
}

void ReadAttributeFloat2(XmlReader& reader, Math::Vector2& value, bool advanceElement)
{
    f32 parts[2] = {value.x, value.y};
    ReadAttributeFloats(reader, parts, 2, advanceElement);
    value = Math::Vector2(parts[0], parts[1]);
}

void ReadAttributeFloat3(XmlReader& reader, Math::Vector3& value, bool advanceElement)
{
    f32 parts[3] = {value.x, value.y, value.z};
    ReadAttributeFloats(reader, parts, 3, advanceElement);
    value = Math::Vector3(parts[0], parts[1], parts[2]);
}

void ReadAttributeFloat4(XmlReader& reader, Math::Vector4& value, bool advanceElement)
{
    f32 parts[4] = {value.x, value.y, value.z, value.w};
    ReadAttributeFloats(reader, parts, 4, advanceElement);
    value = Math::Vector4(parts[0], parts[1], parts[2], parts[3]);
}

void WriteVector2(XmlWriter& writer, const Math::Vector2& value, const char* name)
{
    tinyxml2::XMLElement* element = writer.AppendElement(name, DefaultVector2Tag);
    SetNumber(element, "X", value.x);
    SetNumber(element, "Y", value.y);
}

void WriteVector3(XmlWriter& writer, const Math::Vector3& value, const char* name)
{
    WriteXYZ(writer, name, DefaultVector3Tag, value.x, value.y, value.z);
}

void WriteVector3(XmlWriter& writer, const Math::Vector4& value, const char* name)
{
    WriteXYZ(writer, name, DefaultVector3Tag, value.x, value.y, value.z);
}

void WriteQuaternion(XmlWriter& writer, const Math::Quaternion& value, const char* name)
{
    // The reader negates the first angle, so it is stored negated: reading gives value back.
    const Math::Vector3 degrees = value.ToEuler(false);
    WriteXYZ(writer, name, DefaultQuaternionTag, -degrees.x, degrees.y, degrees.z);
}

void WriteColorRGBA(XmlWriter& writer, const Math::ColorRGBA& value, const char* name)
{
    tinyxml2::XMLElement* element = writer.AppendElement(name, DefaultColorTag);
    SetNumber(element, "R", value.r * ColorFileScale);
    SetNumber(element, "G", value.g * ColorFileScale);
    SetNumber(element, "B", value.b * ColorFileScale);
    SetNumber(element, "A", value.a * ColorFileScale);
}

void WritePingPongValue(XmlWriter& writer, const Math::PingPongValue& value, const char* name)
{
    tinyxml2::XMLElement* element = writer.AppendElement(name, DefaultPingPongTag);
    SetNumber(element, "Min", value.min);
    SetNumber(element, "Max", value.max);
    SetNumber(element, "Value", value.value);
    SetNumber(element, "Rate", value.rate);
    element->SetAttribute("Unused", 0);
    element->SetAttribute("StopAtMin", value.stopAtMin ? 1 : 0);
    element->SetAttribute("StopAtMax", value.stopAtMax ? 1 : 0);
}

void WriteSphericalCoordinate(XmlWriter& writer, const Math::SphericalCoordinate& value,
                              const char* name)
{
    tinyxml2::XMLElement* element = writer.AppendElement(name, DefaultSphericalTag);
    element->SetAttribute("perspective", value.perspective);
    SetNumber(element, "radius", value.radius);
    SetNumber(element, "phi", value.phi * Math::RAD_TO_DEG);
    SetNumber(element, "theta", value.theta * Math::RAD_TO_DEG);
}
} // namespace Serializer
