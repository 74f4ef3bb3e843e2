// The transform component: reading it from a definition (also relative to its creator),
// writing it back, the messages that move it, and the matrices that follow a creator chain.
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/OrientationSetMessage.h"
#include "Core/Messages/Gameplay/PositionSetMessage.h"
#include "Core/Messages/Gameplay/ScaleSetMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/TypeRegistry.h"
#include "Math/MathUtils.h"
#include "Xml/XmlReader.h"
#include "Xml/XmlWriter.h"
#include <gtest/gtest.h>
#include <string>
#include <tinyxml2.h>

namespace
{
// Wraps members in a component element, as they stand in a definition file.
std::string Component(const std::string& members)
{
    return "<TransformComponent>" + members + "</TransformComponent>";
}

std::string Members(const std::string& position, const std::string& orientation,
                    const std::string& scale, int relative, int follow)
{
    return "<position " + position + "/><orientation " + orientation + "/><scale " + scale +
           "/><relativeToCreator>" + std::to_string(relative) +
           "</relativeToCreator><updateRelativeToCreator>" + std::to_string(follow) +
           "</updateRelativeToCreator>";
}

// Reads the component element's members into the transform, as a definition would.
void Read(TransformComponent& transform, const std::string& componentXml)
{
    tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
    ASSERT_EQ(document.Parse(componentXml.c_str()), tinyxml2::XML_SUCCESS) << componentXml;
    Serializer::XmlReader reader(document.RootElement(), true);
    transform.Deserialize(reader);
}

void ExpectPoint(const Math::Vector4& actual, f32 x, f32 y, f32 z, f32 w)
{
    EXPECT_NEAR(actual.x, x, 1e-5f);
    EXPECT_NEAR(actual.y, y, 1e-5f);
    EXPECT_NEAR(actual.z, z, 1e-5f);
    EXPECT_NEAR(actual.w, w, 1e-5f);
}

Math::Quaternion FromEulerDegrees(f32 x, f32 y, f32 z)
{
    Math::Quaternion q;
    q.FromEuler(x * Math::DEG_TO_RAD, y * Math::DEG_TO_RAD, z * Math::DEG_TO_RAD, true);
    return q;
}

class TransformComponentTest : public testing::Test
{
protected:
    void SetUp() override
    {
        engine = new Engine();
        g_Engine = engine;
        Core::RegisterCore(*engine);
        factory = engine->GetFactory();
    }
    void TearDown() override
    {
        delete engine;
        g_Engine = nullptr;
    }

    // An object with a transform (made by the component factory, as definitions make it).
    TransformComponent& MakeObject(u32 creatorId = 0)
    {
        GameObject* object = factory->CreateObject("Thing", Engine::GenerateId());
        object->SetCreatorId(creatorId);
        auto* transform =
            static_cast<TransformComponent*>(factory->CreateComponent("TransformComponent"));
        object->AddComponent(transform);
        return *transform;
    }
    u32 ObjectOf(const TransformComponent& transform) const { return transform.GetOwner(); }

    Engine* engine = nullptr;
    GameFactory* factory = nullptr;
};
} // namespace

TEST_F(TransformComponentTest, ReadsItsFiveMembersInOrder)
{
    TransformComponent transform;
    Read(transform, Component(Members("X=\"1\" Y=\"2\" Z=\"3\"", "X=\"0\" Y=\"90\" Z=\"0\"",
                                      "X=\"2\" Y=\"3\" Z=\"4\"", 0, 1)));
    ExpectPoint(transform.position, 1, 2, 3, 1);
    EXPECT_EQ(transform.orientation, FromEulerDegrees(0, 90, 0));
    EXPECT_EQ(transform.scale, Math::Vector3(2, 3, 4));
    EXPECT_FALSE(transform.relativeToCreator);
    EXPECT_TRUE(transform.updateRelativeToCreator);
}

TEST_F(TransformComponentTest, ElementTagsAreNotChecked)
{
    TransformComponent transform;
    Read(transform,
         Component("<where A=\"4\" B=\"5\" C=\"6\"/><turn/><size X=\"3\" Y=\"3\" Z=\"3\"/>"
                   "<a>1</a><b>0</b>"));
    ExpectPoint(transform.position, 4, 5, 6, 1);
    EXPECT_EQ(transform.scale, Math::Vector3(3, 3, 3));
    EXPECT_TRUE(transform.relativeToCreator);
}

TEST_F(TransformComponentTest, MissingTrailingMembersKeepTheirDefaults)
{
    TransformComponent transform;
    Read(transform, Component("<position X=\"7\" Y=\"0\" Z=\"0\"/>"));
    ExpectPoint(transform.position, 7, 0, 0, 1);
    EXPECT_EQ(transform.orientation, Math::Quaternion());
    EXPECT_EQ(transform.scale, Math::Vector3(1, 1, 1));
}

TEST_F(TransformComponentTest, RelativeToCreatorOffsetsByTheCombinedScaleAndTakesItsOrientation)
{
    struct Case
    {
        const char* what;
        f32 creatorTurnY; // degrees
        Math::Vector4 expected;
    };
    // Offset (1, 0, 0) in units of (creator scale 2 + own scale 1): 3 units.
    const Case cases[] = {
        {"unturned creator", 0.0f, Math::Vector4(13, 0, 0, 1)},
        {"creator turned 90 degrees about Y", 90.0f, Math::Vector4(10, 0, -3, 1)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        TransformComponent& creator = MakeObject();
        creator.position = Math::Point4(10, 0, 0, 1);
        creator.scale = Math::Vector3(2, 2, 2);
        creator.orientation = FromEulerDegrees(0, c.creatorTurnY, 0);
        TransformComponent& child = MakeObject(ObjectOf(creator));
        Read(child, Component(Members("X=\"1\" Y=\"0\" Z=\"0\"", "X=\"0\" Y=\"0\" Z=\"45\"",
                                      "X=\"1\" Y=\"1\" Z=\"1\"", 1, 0)));
        ExpectPoint(child.position, c.expected.x, c.expected.y, c.expected.z, c.expected.w);
        EXPECT_EQ(child.orientation, creator.orientation) << "the orientation read is dropped";
    }
}

TEST_F(TransformComponentTest, RelativeToCreatorWithoutACreatorTransformKeepsWhatWasRead)
{
    const std::string xml = Component(Members("X=\"1\" Y=\"0\" Z=\"0\"", "X=\"0\" Y=\"0\" Z=\"45\"",
                                              "X=\"1\" Y=\"1\" Z=\"1\"", 1, 0));
    // No creator; a creator id naming nothing; a creator without a transform.
    GameObject* bare = factory->CreateObject("Bare", Engine::GenerateId());
    for (u32 creatorId : {0u, 0xFFFFFF00u, bare->GetId()})
    {
        SCOPED_TRACE(creatorId);
        TransformComponent& transform = MakeObject(creatorId);
        Read(transform, xml);
        ExpectPoint(transform.position, 1, 0, 0, 1);
        EXPECT_EQ(transform.orientation, FromEulerDegrees(0, 0, 45));
    }
}

TEST_F(TransformComponentTest, MatricesFollowAChainOfCreatorsOnlyWhileFlagged)
{
    TransformComponent& top = MakeObject();
    TransformComponent& middle = MakeObject(ObjectOf(top));
    TransformComponent& lower = MakeObject(ObjectOf(middle));
    TransformComponent& leaf = MakeObject(ObjectOf(lower));
    top.position = Math::Point4(100, 0, 0, 1);
    middle.position = Math::Point4(0, 10, 0, 1);
    lower.position = Math::Point4(0, 0, 1, 1);
    leaf.position = Math::Point4(0.5f, 0, 0, 1);
    middle.updateRelativeToCreator = lower.updateRelativeToCreator = true;

    EXPECT_EQ(leaf.GetTransformMatrix().GetTranslation(), Math::Point4(0.5f, 0, 0, 1))
        << "flag clear: the creator is ignored";
    leaf.updateRelativeToCreator = true;
    EXPECT_EQ(leaf.GetTransformMatrix().GetTranslation(), Math::Point4(100.5f, 10, 1, 1));
    EXPECT_EQ(leaf.GetTranslationMatrix().GetTranslation(), Math::Point4(100.5f, 10, 1, 1));

    // A creator's turn carries its children round: a quarter turn about Z at the top.
    top.orientation = FromEulerDegrees(0, 0, 90);
    Math::Matrix4 chain;
    chain.Compose(top.position, top.orientation, Math::Vector3(1, 1, 1));
    for (TransformComponent* link : {&middle, &lower, &leaf})
    {
        Math::Matrix4 own;
        own.Compose(link->position, link->orientation, Math::Vector3(1, 1, 1));
        chain = chain * own;
    }
    EXPECT_EQ(leaf.GetTransformMatrix(), chain);
    // (0.5, 10, 1) below the top, turned a quarter about Z: (-10, 0.5, 1).
    EXPECT_EQ(leaf.GetTransformMatrix().GetTranslation(), Math::Point4(90, 0.5f, 1, 1));
    EXPECT_EQ(leaf.GetRotationMatrix(), Math::Matrix4::FromQuaternion(top.orientation));
}

TEST_F(TransformComponentTest, ScaleIsNotPartOfTheTransformMatrix)
{
    TransformComponent& transform = MakeObject();
    transform.position = Math::Point4(1, 2, 3, 1);
    transform.orientation = FromEulerDegrees(10, 20, 30);
    const Math::Matrix4 unscaled = transform.GetTransformMatrix();
    transform.scale = Math::Vector3(2, 2, 2);
    EXPECT_EQ(transform.GetTransformMatrix(), unscaled);
}

TEST_F(TransformComponentTest, ACreatorLoopDoesNotHang)
{
    TransformComponent& a = MakeObject();
    TransformComponent& b = MakeObject(ObjectOf(a));
    factory->FindObject(ObjectOf(a))->SetCreatorId(ObjectOf(b));
    a.updateRelativeToCreator = b.updateRelativeToCreator = true;
    a.position = Math::Point4(1, 0, 0, 1);
    b.position = Math::Point4(1, 0, 0, 1);
    // Each link adds one unit; the chain is cut after MaxCreatorChain links.
    EXPECT_NEAR(a.GetTransformMatrix().GetTranslation().x,
                static_cast<f32>(TransformComponent::MaxCreatorChain), 1e-3f);
}

TEST_F(TransformComponentTest, PositionScaleAndOrientationMessages)
{
    TransformComponent& transform = MakeObject();
    PositionSetMessage position(1, Math::Vector4(4, 5, 6, 0), ObjectOf(transform));
    transform.HandleMessage(&position);
    ExpectPoint(transform.position, 4, 5, 6, 0); // all four components are taken

    ScaleSetMessage scale(1, Math::Vector3(2, 3, 4), ObjectOf(transform));
    transform.HandleMessage(&scale);
    EXPECT_EQ(transform.scale, Math::Vector3(2, 3, 4));

    OrientationSetMessage turn(1, Math::Vector3(0, 90, 0), ObjectOf(transform));
    transform.HandleMessage(&turn);
    EXPECT_EQ(transform.orientation, FromEulerDegrees(0, 90, 0));
}

TEST_F(TransformComponentTest, MessageAnglesAreNotNegatedButFileAnglesAre)
{
    const auto fromMessage = [&](const Math::Vector3& angles)
    {
        TransformComponent transform;
        OrientationSetMessage turn(1, angles, 0);
        transform.HandleMessage(&turn);
        return transform.orientation;
    };
    const auto fromFile = [&](const char* angles)
    {
        TransformComponent transform;
        Read(transform, Component(std::string("<position X=\"0\" Y=\"0\" Z=\"0\"/><orientation ") +
                                  angles + "/>"));
        return transform.orientation;
    };
    EXPECT_EQ(fromMessage({0, 90, 0}), fromFile("X=\"0\" Y=\"90\" Z=\"0\""));
    EXPECT_NE(fromMessage({90, 0, 0}), fromFile("X=\"90\" Y=\"0\" Z=\"0\""));
    EXPECT_EQ(fromMessage({-90, 0, 0}), fromFile("X=\"90\" Y=\"0\" Z=\"0\""));
}

TEST_F(TransformComponentTest, OtherMessagesChangeNothing)
{
    // The direction messages on either side of the three it handles belong to other components.
    for (const u32 type : {u32(MT_DIRECTION_SET), u32(MT_DIRECTION_ADD), u32(MT_OBJECT_CREATE)})
    {
        SCOPED_TRACE(type);
        TransformComponent transform;
        Message other(1, type, 0, static_cast<u32>(sizeof(Message)));
        transform.HandleMessage(&other);
        transform.HandleMessage(nullptr);
        ExpectPoint(transform.position, 0, 0, 0, 1);
        EXPECT_EQ(transform.orientation, Math::Quaternion());
        EXPECT_EQ(transform.scale, Math::Vector3(1, 1, 1));
    }
}

TEST_F(TransformComponentTest, XmlRoundTripKeepsEveryMember)
{
    TransformComponent original;
    original.position = Math::Point4(1.5f, -2, 1000000, 1);
    original.orientation = FromEulerDegrees(30, -45, 60);
    original.scale = Math::Vector3(0.25f, 2, 3);
    original.relativeToCreator = true;
    original.updateRelativeToCreator = true;

    tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
    tinyxml2::XMLElement* element = document.NewElement("TransformComponent");
    document.InsertEndChild(element);
    Serializer::XmlWriter writer(document, element);
    original.Serialize(writer);

    // The element names are the ones definition files use.
    std::string tags;
    for (const tinyxml2::XMLElement* member = element->FirstChildElement(); member != nullptr;
         member = member->NextSiblingElement())
        tags += std::string(member->Name()) + " ";
    EXPECT_EQ(tags, "position orientation scale relativeToCreator updateRelativeToCreator ");

    TransformComponent copy; // no creator: the relative flag does not move it
    Serializer::XmlReader reader(element, true);
    copy.Deserialize(reader);
    ExpectPoint(copy.position, 1.5f, -2, 1000000, 1);
    EXPECT_NEAR(copy.orientation.w, original.orientation.w, 1e-4f);
    EXPECT_NEAR(copy.orientation.x, original.orientation.x, 1e-4f);
    EXPECT_NEAR(copy.orientation.y, original.orientation.y, 1e-4f);
    EXPECT_NEAR(copy.orientation.z, original.orientation.z, 1e-4f);
    EXPECT_EQ(copy.scale, original.scale);
    EXPECT_TRUE(copy.relativeToCreator);
    EXPECT_TRUE(copy.updateRelativeToCreator);
}

TEST_F(TransformComponentTest, SetPositionFromPointOrCoordinates)
{
    TransformComponent transform;
    transform.SetPosition(Math::Point4(1, 2, 3, 0));
    ExpectPoint(transform.position, 1, 2, 3, 0);
    transform.SetPosition(4, 5, 6);
    ExpectPoint(transform.position, 4, 5, 6, 0); // w is kept
}

TEST_F(TransformComponentTest, UniformScaleShowsTheMeanAndSetsAllAxes)
{
    TransformComponent transform;
    transform.scale = Math::Vector3(1, 2, 3);
    EXPECT_FLOAT_EQ(transform.GetUniformScale(), 2.0f);
    transform.SetUniformScale(3.0f);
    EXPECT_EQ(transform.scale, Math::Vector3(3, 3, 3));
}

TEST_F(TransformComponentTest, TypeRecordReflectsPositionAndScaleAndCopiesIds)
{
    InitializeTypeRegistry();
    const TypeRecord& record = TypeRecordOf<TransformComponent>();
    EXPECT_EQ(record.GetName(), "TransformComponent");
    ASSERT_EQ(record.GetMemberCount(), 2u);
    EXPECT_EQ(record.GetMember("position").GetType(), &TypeRecordOf<Math::Point4>());
    EXPECT_EQ(record.GetMember("scale").GetType(), &TypeRecordOf<Math::Vector3>());

    TransformComponent source;
    source.SetOwner(42);
    source.scale = Math::Vector3(5, 6, 7);
    const auto* scale = reinterpret_cast<const Math::Vector3*>(
        reinterpret_cast<const char*>(&source) + record.GetMember("scale").GetOffset());
    EXPECT_EQ(*scale, Math::Vector3(5, 6, 7));

    alignas(TransformComponent) unsigned char block[sizeof(TransformComponent)];
    ASSERT_NE(record.GetConstruct(), nullptr);
    auto* copy = static_cast<TransformComponent*>(record.GetConstruct()(block, &source));
    EXPECT_EQ(copy->GetId(), source.GetId());
    EXPECT_EQ(copy->GetOwner(), 42u);
    EXPECT_EQ(copy->scale, source.scale);
    record.GetDestroy()(copy);
}
