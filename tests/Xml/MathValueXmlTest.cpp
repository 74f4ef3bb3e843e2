#include "Xml/MathValueXml.h"
#include "Math/ColorRGBA.h"
#include "Math/MathUtils.h"
#include "Math/Matrix4.h"
#include "Math/PingPongValue.h"
#include "Math/Point4.h"
#include "Math/Quaternion.h"
#include "Math/SphericalCoordinate.h"
#include "Math/Vector2.h"
#include "Math/Vector3.h"
#include "Math/Vector4.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include "XmlTestDocument.h"
#include <gtest/gtest.h>

using namespace Serializer;

namespace
{
// Two quaternions are the same rotation when their matrices agree (q and -q both qualify).
void ExpectSameRotation(const Math::Quaternion& a, const Math::Quaternion& b)
{
    Math::Matrix4 ma, mb;
    a.ToMatrix4(ma);
    b.ToMatrix4(mb);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(ma.m[i], mb.m[i], 1e-5f) << "element " << i;
}

Math::Quaternion FromEulerDegrees(f32 x, f32 y, f32 z)
{
    Math::Quaternion q;
    q.FromEuler(x, y, z, false);
    return q;
}
} // namespace

TEST(MathValueXml, PointsGetWOneAndDirectionsWZero)
{
    XmlTestDocument xml(R"(<C><p a="1" b="2" c="3" d="7"/><v a="4" b="5" c="6" d="7"/></C>)");
    XmlReader reader(xml.root, true);
    Math::Point4 point(0, 0, 0, 9);
    Math::Vector4 vector(0, 0, 0, 9);
    ReadPoint4(reader, point, "p");
    ReadVector4(reader, vector, "v");
    EXPECT_EQ(point, Math::Point4(1, 2, 3, 1));
    EXPECT_EQ(vector, Math::Vector4(4, 5, 6, 0));
}

TEST(MathValueXml, MissingOrBrokenPartsKeepTheirValues)
{
    XmlTestDocument xml(R"(<C><a X="1"/><b X="x" Y="5"/><c/></C>)");
    XmlReader reader(xml.root, true);
    Math::Vector3 a(7, 8, 9);
    Math::Vector2 b(7, 8);
    Math::Point4 c(7, 8, 9, 0);
    ReadVector3(reader, a, "");
    ReadVector2(reader, b, "");
    ReadPoint4(reader, c, "");
    EXPECT_EQ(a, Math::Vector3(1, 8, 9));
    EXPECT_EQ(b, Math::Vector2(7, 5));
    EXPECT_EQ(c, Math::Point4(7, 8, 9, 1));
    EXPECT_EQ(reader.CurrentElement(), nullptr);
}

TEST(MathValueXml, AMisnamedCompoundIsNotReadAndDoesNotMove)
{
    XmlTestDocument xml(R"(<C><scale X="2" Y="2" Z="2"/></C>)");
    XmlReader reader(xml.root, true);
    Math::Point4 position;
    ReadPoint4(reader, position, "position");
    EXPECT_EQ(position, Math::Point4());
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "scale");
}

TEST(MathValueXml, ColoursAreReadFrom255AndOnlyReadChannelsRescale)
{
    XmlTestDocument xml(R"(<C><c R="255" G="128" B="0"/><d R="51" G="102" B="153" A="204"/></C>)");
    XmlReader reader(xml.root, true);
    Math::ColorRGBA colour(0.5f, 0.5f, 0.5f, 0.25f);
    ReadColorRGBA(reader, colour, "c");
    EXPECT_EQ(colour.r, 1.0f);
    EXPECT_EQ(colour.g, 128.0f / 255.0f);
    EXPECT_EQ(colour.b, 0.0f);
    EXPECT_EQ(colour.a, 0.25f) << "an alpha not in the file keeps its value";
    ReadColorRGBA(reader, colour, "d");
    EXPECT_EQ(colour, Math::ColorRGBA(0.2f, 0.4f, 0.6f, 0.8f));
}

TEST(MathValueXml, QuaternionsAreReadWithTheFirstAngleNegated)
{
    XmlTestDocument xml(R"(<C><q X="90" Y="0" Z="0"/><r Y="30"/><s/></C>)");
    XmlReader reader(xml.root, true);
    Math::Quaternion q, r, s(0, 1, 0, 0);
    ReadQuaternion(reader, q, "q");
    ReadQuaternion(reader, r, "r");
    ReadQuaternion(reader, s, "s");
    Math::Quaternion expected;
    expected.FromEuler(-Math::HALF_PI, 0.0f, 0.0f, true);
    EXPECT_EQ(q, expected);
    // Missing angles are 0: the one attribute is the first angle, negated.
    EXPECT_EQ(r, FromEulerDegrees(-30.0f, 0.0f, 0.0f));
    EXPECT_EQ(s, Math::Quaternion()) << "no angles at all is no rotation";
}

TEST(MathValueXml, SphericalCoordinatesReadDegreesAndNormalise)
{
    XmlTestDocument xml(R"(<C><s perspective="1" radius="5" phi="90" theta="-90"/>
        <t perspective="2" radius="0"/></C>)");
    XmlReader reader(xml.root, true);
    Math::SphericalCoordinate s;
    ReadSphericalCoordinate(reader, s, "s");
    EXPECT_EQ(s.perspective, Math::SphericalCoordinate::ORBIT);
    EXPECT_EQ(s.radius, 5.0f);
    EXPECT_NEAR(s.phi, Math::HALF_PI, 1e-6f);
    EXPECT_NEAR(s.theta, Math::THREE_HALVES_PI, 1e-5f) << "wrapped into [0, 2 PI)";

    Math::SphericalCoordinate t(1.0f, 2.0f, 3.0f, Math::Point4(), 3);
    ReadSphericalCoordinate(reader, t, "t");
    EXPECT_EQ(t.perspective, Math::SphericalCoordinate::ORBIT) << "2 counts as orbit";
    EXPECT_EQ(t.radius, Math::SphericalCoordinate::MIN_RADIUS);
    EXPECT_EQ(t.phi, 1.0f) << "angles not in the file are not converted again";
    EXPECT_EQ(t.theta, 2.0f);
}

TEST(MathValueXml, PingPongValuesAreSetFromSevenParts)
{
    XmlTestDocument xml(R"(<C><p a="2" b="1" c="5" d="0.5" e="99" f="1" g="0"/>
        <q a="0" b="10"/></C>)");
    XmlReader reader(xml.root, true);
    Math::PingPongValue p;
    ReadPingPongValue(reader, p, "p");
    EXPECT_EQ(p.min, 1.0f);
    EXPECT_EQ(p.max, 2.0f);
    EXPECT_EQ(p.value, 2.0f) << "clamped by Set";
    EXPECT_EQ(p.rate, 0.5f);
    EXPECT_TRUE(p.stopAtMin);
    EXPECT_FALSE(p.stopAtMax);

    Math::PingPongValue q(1.0f, 2.0f, 1.5f, 3.0f, false, true);
    ReadPingPongValue(reader, q, "q");
    EXPECT_EQ(q.min, 0.0f);
    EXPECT_EQ(q.max, 10.0f);
    EXPECT_EQ(q.value, 1.5f) << "parts not in the file keep their values";
    EXPECT_EQ(q.rate, 3.0f);
    EXPECT_TRUE(q.stopAtMax);
}

TEST(MathValueXml, FloatTuplesComeFromOneAttributeText)
{
    XmlTestDocument xml(R"(<C><e a="1 2" b="3 4 5" c="6 7 8 9" d="1 x 3"/><f/></C>)");
    XmlReader reader(xml.root, true);
    Math::Vector2 a;
    Math::Vector3 b, d(7, 7, 7);
    Math::Vector4 c;
    ReadAttributeFloat2(reader, a);
    ReadAttributeFloat3(reader, b);
    ReadAttributeFloat4(reader, c);
    ReadAttributeFloat3(reader, d, true);
    EXPECT_EQ(a, Math::Vector2(1, 2));
    EXPECT_EQ(b, Math::Vector3(3, 4, 5));
    EXPECT_EQ(c, Math::Vector4(6, 7, 8, 9));
    EXPECT_EQ(d, Math::Vector3(7, 7, 7)) << "a text that does not parse stores nothing";
    EXPECT_STREQ(TagOf(reader.CurrentElement()), "f");
}

TEST(MathValueXml, WritersUseShortNumbersAndFixedAttributeNames)
{
    WrittenDocument out;
    WriteVector3(out.writer, Math::Vector3(1.0f, 2.5f, 1000000.0f), "scale");
    WriteVector3(out.writer, Math::Point4(1, 2, 3, 1), "position");
    WriteVector2(out.writer, Math::Vector2(0.5f, -4.0f), "");
    WriteColorRGBA(out.writer, Math::ColorRGBA(1.0f, 0.5f, 0.0f, 1.0f), "colour");
    WriteSphericalCoordinate(
        out.writer, Math::SphericalCoordinate(Math::HALF_PI, 0.0f, 2.0f, Math::Point4(), 1),
        "view");
    WriteQuaternion(out.writer, Math::Quaternion(), "");
    EXPECT_EQ(PrintCompact(*out.parent),
              "<P><scale X=\"1\" Y=\"2.5\" Z=\"1e+06\"/><position X=\"1\" Y=\"2\" Z=\"3\"/>"
              "<Vector2 X=\"0.5\" Y=\"-4\"/><colour R=\"255\" G=\"127.5\" B=\"0\" A=\"255\"/>"
              "<view perspective=\"1\" radius=\"2\" phi=\"90\" theta=\"0\"/>"
              "<Quaternion X=\"0\" Y=\"0\" Z=\"0\"/></P>");
}

TEST(MathValueXml, EveryValueKindSurvivesWriteThenRead)
{
    const Math::Vector2 vector2(-1.5f, 1024.0f);
    const Math::Vector3 vector3(0.125f, -7.0f, 3.25f);
    const Math::Vector4 vector4(1.0f, 2.0f, -3.0f, 0.0f);
    const Math::Point4 point(-4.5f, 0.0f, 9.0f, 1.0f);
    const Math::ColorRGBA colour(1.0f, 0.2f, 0.4f, 0.6f);
    const Math::SphericalCoordinate spherical(1.2f, 4.0f, 7.5f, Math::Point4(), 1);

    WrittenDocument out;
    WriteVector2(out.writer, vector2, "a");
    WriteVector3(out.writer, vector3, "b");
    WriteVector3(out.writer, vector4, "c");
    WriteVector3(out.writer, point, "d");
    WriteColorRGBA(out.writer, colour, "e");
    WriteSphericalCoordinate(out.writer, spherical, "f");

    XmlReader reader = out.Reader();
    Math::Vector2 readVector2;
    Math::Vector3 readVector3;
    Math::Vector4 readVector4(9, 9, 9, 9);
    Math::Point4 readPoint(9, 9, 9, 9);
    Math::ColorRGBA readColour;
    Math::SphericalCoordinate readSpherical;
    ReadVector2(reader, readVector2, "a");
    ReadVector3(reader, readVector3, "b");
    ReadVector4(reader, readVector4, "c");
    ReadPoint4(reader, readPoint, "d");
    ReadColorRGBA(reader, readColour, "e");
    ReadSphericalCoordinate(reader, readSpherical, "f");
    EXPECT_EQ(readVector2, vector2);
    EXPECT_EQ(readVector3, vector3);
    EXPECT_EQ(readVector4, vector4);
    EXPECT_EQ(readPoint, point);
    EXPECT_NEAR(readColour.r, colour.r, 1e-6f);
    EXPECT_NEAR(readColour.g, colour.g, 1e-6f);
    EXPECT_NEAR(readColour.b, colour.b, 1e-6f);
    EXPECT_NEAR(readColour.a, colour.a, 1e-6f);
    EXPECT_EQ(readSpherical.perspective, spherical.perspective);
    EXPECT_EQ(readSpherical.radius, spherical.radius);
    // Degrees are written with six digits.
    EXPECT_NEAR(readSpherical.phi, spherical.phi, 1e-5f);
    EXPECT_NEAR(readSpherical.theta, spherical.theta, 1e-5f);
}

TEST(MathValueXml, QuaternionsSurviveWriteThenRead)
{
    const Math::Quaternion rotations[] = {
        Math::Quaternion(),
        FromEulerDegrees(90.0f, 0.0f, 0.0f),
        FromEulerDegrees(0.0f, 45.0f, 0.0f),
        FromEulerDegrees(0.0f, 0.0f, -120.0f),
        FromEulerDegrees(30.0f, -60.0f, 15.0f),
        FromEulerDegrees(170.0f, 10.0f, -100.0f),
    };
    for (const Math::Quaternion& rotation : rotations)
    {
        WrittenDocument out;
        WriteQuaternion(out.writer, rotation, "orientation");
        XmlReader reader = out.Reader();
        Math::Quaternion read(0, 0, 0, 0);
        ReadQuaternion(reader, read, "orientation");
        SCOPED_TRACE(PrintCompact(*out.parent));
        ExpectSameRotation(read, rotation);
    }
}
