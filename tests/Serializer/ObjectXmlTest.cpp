// Members that hold a child object: which elements count as objects and what reading one does
// to the reader's cursor.
#include "Serializer/ObjectXml.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/Objects/ObjectFromDefinition.h"
#include "Serializer/SerializerSystem.h"
#include "Xml/XmlReader.h"
#include "tests/Support/TempFiles.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tinyxml2.h>

using Serializer::System::SerializerSystem;

namespace
{
// Holds one child object, read through ReadObject (as mounts and spawners hold theirs).
class ChildComponent : public GameObjectComponent
{
public:
    ChildComponent() : GameObjectComponent(true) {}
    static const std::string& GetTypeName()
    {
        static const std::string name = "ChildComponent";
        return name;
    }
    u32 GetType() const override { return 0x43484C44; }
    const std::string& GetName() const override { return GetTypeName(); }
    void Shutdown() override {}
    void Deserialize(Serializer::XmlReader& reader) override
    {
        Serializer::ReadObject(reader, child);
    }
    void Serialize(Serializer::XmlWriter&) override {}
    void HandleMessage(Message*) override {}

    u32 child = 0;
};

class ObjectXmlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        assets.Write("assets/Objects/Lantern.xml",
                     "<Lantern><TransformComponent><position X=\"0\" Y=\"2\" Z=\"0\"/>"
                     "</TransformComponent></Lantern>");
        assets.Write("assets/ParticleEffects/Smoke.xml", "<Smoke><TestComponent/></Smoke>");
        // A definition that holds an object of its own archetype.
        assets.Write("assets/Objects/Matryoshka.xml",
                     "<Matryoshka><ChildComponent><Matryoshka/></ChildComponent></Matryoshka>");
        engine = std::make_unique<Engine>();
        g_Engine = engine.get();
        Core::RegisterCore(*engine);
        engine->GetFactory()->GetComponentFactory().Register<ChildComponent>(
            ComponentFactory::LogicPool);
        system = std::make_unique<SerializerSystem>();
        system->Initialize(0);
    }
    void TearDown() override
    {
        system.reset();
        engine.reset();
        g_Engine = nullptr;
    }

    // The members of a component element holding the given elements.
    const tinyxml2::XMLElement* Members(const std::string& xml)
    {
        document.Parse(("<Holder>" + xml + "</Holder>").c_str());
        return document.RootElement();
    }

    TempFolder assets;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<SerializerSystem> system;
    tinyxml2::XMLDocument document;
};
} // namespace

TEST_F(ObjectXmlTest, WhichElementsAreObjects)
{
    const struct
    {
        const char* xml;
        bool isObject;
    } cases[] = {
        {"<Lantern/>", true},                      // names a definition
        {"<Lantern>ignored text</Lantern>", true}, // still names one
        {"<Torch><TransformComponent><p/></TransformComponent></Torch>", true}, // inline
        {"<Torch><TransformComponent/></Torch>", false}, // a component without members
        {"<Torch>text</Torch>", false},
        {"<Torch/>", false},
        {"<Smoke/>", false}, // particle definitions are not object definitions
    };
    for (const auto& c : cases)
        EXPECT_EQ(Serializer::IsObjectElement(Members(c.xml)->FirstChildElement()), c.isObject)
            << c.xml;
    EXPECT_FALSE(Serializer::IsObjectElement(nullptr));
}

TEST_F(ObjectXmlTest, ReadObjectBuildsANamedObjectAndMovesOn)
{
    Serializer::XmlReader reader(Members("<Lantern/><next/>"), true);
    u32 id = 0;
    Serializer::ReadObject(reader, id);
    GameObject* lantern = engine->GetFactory()->FindObject(id);
    ASSERT_NE(lantern, nullptr);
    EXPECT_EQ(lantern->GetName(), "Lantern");
    EXPECT_EQ(lantern->GetComponentList().size(), 1u);
    ASSERT_NE(reader.CurrentElement(), nullptr);
    EXPECT_STREQ(reader.CurrentElement()->Name(), "next");
}

TEST_F(ObjectXmlTest, ReadObjectBuildsAnInlineObject)
{
    Serializer::XmlReader reader(
        Members("<Torch><TestComponent><a/></TestComponent><TransformComponent/></Torch>"), true);
    u32 id = 0;
    Serializer::ReadObject(reader, id);
    GameObject* torch = engine->GetFactory()->FindObject(id);
    ASSERT_NE(torch, nullptr);
    EXPECT_EQ(torch->GetName(), "Torch");
    EXPECT_EQ(torch->GetComponentList().size(), 2u);
    EXPECT_EQ(reader.CurrentElement(), nullptr);
}

TEST_F(ObjectXmlTest, ReadObjectOnANonObjectGivesZeroAndStays)
{
    Serializer::XmlReader reader(Members("<Torch/>"), true);
    u32 id = 99;
    Serializer::ReadObject(reader, id);
    EXPECT_EQ(id, 0u);
    ASSERT_NE(reader.CurrentElement(), nullptr);
    EXPECT_STREQ(reader.CurrentElement()->Name(), "Torch");

    // Past the last element nothing is read and the id is left alone.
    Serializer::XmlReader empty(Members(""), true);
    id = 99;
    Serializer::ReadObject(empty, id);
    EXPECT_EQ(id, 99u);
}

TEST_F(ObjectXmlTest, ADefinitionHoldingItsOwnArchetypeStopsNesting)
{
    LogFileCapture log;
    GameObject* outer = SerializerSystem::CreateObject(0, "Matryoshka", Engine::GenerateId());
    ASSERT_NE(outer, nullptr);
    u32 depth = 1;
    for (const GameObject* doll = outer; doll != nullptr && !doll->GetComponentList().empty();
         ++depth)
        doll = engine->GetFactory()->FindObject(
            static_cast<ChildComponent*>(doll->GetComponentList()[0].component)->child);
    EXPECT_EQ(depth, Core::MaxDefinitionNesting + 1);
    EXPECT_NE(log.Text().find("Error [SerializerSystem]: definitions nest deeper than 32 objects; "
                              "Matryoshka (object "),
              std::string::npos);
}

TEST_F(ObjectXmlTest, EveryEntryStopsNestingAtTheSameDepth)
{
    // The dolls in the chain from the outer one down to the first without components.
    const auto dolls = [&](const GameObject* doll)
    {
        u32 count = 1;
        for (; doll != nullptr && !doll->GetComponentList().empty(); ++count)
            doll = engine->GetFactory()->FindObject(
                static_cast<ChildComponent*>(doll->GetComponentList()[0].component)->child);
        return count;
    };
    LogFileCapture log;
    GameObject* applied = engine->GetFactory()->CreateObject("Matryoshka", Engine::GenerateId());
    SerializerSystem::ApplyDefinition(*applied, nullptr);
    EXPECT_EQ(dolls(applied), Core::MaxDefinitionNesting + 1);

    Serializer::XmlReader reader(Members("<Matryoshka/>"), true);
    u32 member = 0;
    Serializer::ReadObject(reader, member);
    EXPECT_EQ(dolls(engine->GetFactory()->FindObject(member)), Core::MaxDefinitionNesting + 1);

    // A core component's road (a mount) counts against the same depth.
    EXPECT_EQ(dolls(Core::CreateObjectFromDefinition(0, "Matryoshka", Engine::GenerateId())),
              Core::MaxDefinitionNesting + 1);
    const std::string text = log.Text();
    const std::string line = "Error [SerializerSystem]: definitions nest deeper than 32 objects; "
                             "Matryoshka (object ";
    u32 lines = 0;
    for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++lines;
    EXPECT_EQ(lines, 3u);
}
