#pragma once
// Reading and writing the math value types through the XML reader and writer.
//
// Conventions (the element rule and attribute order are those of XmlReader.h):
// - A compound value takes its parts from its element's attribute values by position, whatever
//   the attributes are called; extra attributes are ignored. A part without an attribute, or
//   whose attribute does not parse, keeps its current value (and is not rescaled).
// - Points get w = 1 and directions w = 0 on reading; neither writes w.
// - Angles are degrees in files and radians in memory; colours are 0 to 255 in files and 0 to 1
//   in memory.
// - Quaternions are stored as Euler angles (Math::Quaternion::FromEuler order) with the first
//   angle negated: the reader negates it back, which is what stored files rely on.
// - Attribute values are written with six significant digits ("%g"), the perspective of a
//   spherical coordinate as an integer.
namespace Math
{
class ColorRGBA;
class PingPongValue;
class Point4;
class Quaternion;
class SphericalCoordinate;
class Vector2;
class Vector3;
class Vector4;
} // namespace Math

namespace Serializer
{
class XmlReader;
class XmlWriter;

// Element names of the writers when the member name is empty.
constexpr const char* DefaultVector2Tag = "Vector2";
constexpr const char* DefaultVector3Tag = "Vector3";
constexpr const char* DefaultQuaternionTag = "Quaternion";
constexpr const char* DefaultColorTag = "ColorRGBA";
constexpr const char* DefaultSphericalTag = "SphericalCoordinate";
constexpr const char* DefaultPingPongTag = "PingPongValue";

// Attributes 1-2: x, y.
void ReadVector2(XmlReader& reader, Math::Vector2& value, const char* name);
// Attributes 1-3: x, y, z.
void ReadVector3(XmlReader& reader, Math::Vector3& value, const char* name);
// Attributes 1-3: x, y, z; then w = 0 whatever a fourth attribute says.
void ReadVector4(XmlReader& reader, Math::Vector4& value, const char* name);
// Attributes 1-3: x, y, z; then w = 1.
void ReadPoint4(XmlReader& reader, Math::Point4& value, const char* name);
// Attributes 1-4: r, g, b, a from 0 to 255.
void ReadColorRGBA(XmlReader& reader, Math::ColorRGBA& value, const char* name);
// Attributes 1-3: Euler angles in degrees (missing ones 0); the first is negated.
void ReadQuaternion(XmlReader& reader, Math::Quaternion& value, const char* name);
// Attributes: perspective (unsigned), radius, phi and theta in degrees; then normalised.
void ReadSphericalCoordinate(XmlReader& reader, Math::SphericalCoordinate& value, const char* name);
// Attributes: min, max, value, rate, an unused unsigned, stopAtMin and stopAtMax ("0"/"1");
// then Math::PingPongValue::Set, which restarts the value.
void ReadPingPongValue(XmlReader& reader, Math::PingPongValue& value, const char* name);

// Two, three or four floats separated by white space from the current attribute's one text;
// all of them or none are stored. Then steps on as the attribute readers of PlainValueXml.h.
void ReadAttributeFloat2(XmlReader& reader, Math::Vector2& value, bool advanceElement = false);
void ReadAttributeFloat3(XmlReader& reader, Math::Vector3& value, bool advanceElement = false);
void ReadAttributeFloat4(XmlReader& reader, Math::Vector4& value, bool advanceElement = false);

// Attributes "X", "Y".
void WriteVector2(XmlWriter& writer, const Math::Vector2& value, const char* name);
// Attributes "X", "Y", "Z".
void WriteVector3(XmlWriter& writer, const Math::Vector3& value, const char* name);
// x, y, z of a direction or a point as "X", "Y", "Z"; w is not written.
void WriteVector3(XmlWriter& writer, const Math::Vector4& value, const char* name);
// Attributes "X", "Y", "Z": the Euler angles in degrees, the first negated (see above).
void WriteQuaternion(XmlWriter& writer, const Math::Quaternion& value, const char* name);
// Attributes "R", "G", "B", "A" from 0 to 255.
void WriteColorRGBA(XmlWriter& writer, const Math::ColorRGBA& value, const char* name);
// Attributes "perspective", "radius", "phi", "theta" (angles in degrees).
// Attributes in the order ReadPingPongValue takes them: min, max, value, rate, an unused 0, then
// the two stop flags as 0 or 1.
void WritePingPongValue(XmlWriter& writer, const Math::PingPongValue& value, const char* name);
void WriteSphericalCoordinate(XmlWriter& writer, const Math::SphericalCoordinate& value,
                              const char* name);
} // namespace Serializer
