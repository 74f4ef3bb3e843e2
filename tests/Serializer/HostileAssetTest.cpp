// Covers: ObjectDefinitionManager, FileReader, SerializerSystem.
// Strange files among the assets: a named pipe, a file above its size limit, a loop of
// symbolic links, two names with one hash, values that do not parse, a second component, an
// unknown component, a missing object folder. Each is refused or reported with a line naming
// the file, and start-up goes on.
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Serializer/FileReader.h"
#include "Serializer/SerializerSystem.h"
#include "Xml/XmlFile.h"
#include "tests/Support/TempFiles.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using Serializer::ObjectDefinitionManager;
using Serializer::System::SerializerSystem;

namespace
{
std::string Definition(const std::string& root, const std::string& components)
{
    return "<" + root + ">" + components + "</" + root + ">";
}

class HostileAssetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        engine = std::make_unique<Engine>();
        g_Engine = engine.get();
        Core::RegisterCore(*engine);
    }
    void TearDown() override
    {
        system.reset();
        engine.reset();
        g_Engine = nullptr;
    }
    void Start()
    {
        system = std::make_unique<SerializerSystem>();
        system->Initialize(0);
    }

    TempFolder assets;
    LogFileCapture log;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<SerializerSystem> system;
};
} // namespace

TEST_F(HostileAssetTest, PipesOversizedFilesAndLinkLoopsAreRefusedWithTheirReason)
{
    assets.Write("assets/Objects/Crate.xml", Definition("Crate", "<TestComponent/>"));
    ASSERT_EQ(0, mkfifo(assets.Path("assets/Objects/Fifo.xml").c_str(), 0600));
    assets.Write("assets/Objects/Huge.xml",
                 "<Huge>" + std::string(Serializer::MaxXmlFileBytes, ' ') + "</Huge>");
    ASSERT_EQ(0, symlink("LoopB.xml", assets.Path("assets/Objects/LoopA.xml").c_str()));
    ASSERT_EQ(0, symlink("LoopA.xml", assets.Path("assets/Objects/LoopB.xml").c_str()));

    // A pipe without a writer would block a plain open for ever.
    Start();
    ObjectDefinitionManager& manager = *ObjectDefinitionManager::Instance();
    EXPECT_TRUE(manager.FindDefinition("Crate")->IsValid());
    EXPECT_EQ(1u, manager.GetUsableCount(ObjectDefinitionManager::ObjectCategory));
    {
        FileReader pipe(assets.Path("assets/Objects/Fifo.xml"));
        EXPECT_FALSE(pipe.IsOpen());
        FileReader missing("Models/Missing.bin");
    }
    system.reset();
    const std::string text = log.Text();
    EXPECT_NE(text.find("(assets/Objects/Fifo.xml) cannot be read: not a regular file (a named "
                        "pipe)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("(assets/Objects/Huge.xml) cannot be read: its size (" +
                        std::to_string(Serializer::MaxXmlFileBytes + 13) + " bytes) is above"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("(assets/Objects/LoopA.xml) cannot be read: too many links"),
              std::string::npos);
    EXPECT_NE(text.find("Fifo.xml: not a regular file (a named pipe)"), std::string::npos);
    EXPECT_NE(text.find("Models/Missing.bin: not found"), std::string::npos);
}

TEST_F(HostileAssetTest, ANameWithAnotherNamesHashIsRefusedAndLookupsCheckTheName)
{
    ASSERT_EQ(HashTypeName("Crate49415"), HashTypeName("Crate118129"));
    assets.Write("assets/Objects/Crate118129.xml", Definition("Crate118129", "<TestComponent/>"));
    assets.Write("assets/Objects/Crate49415.xml",
                 Definition("Crate49415", "<TransformComponent/>"));
    Start();
    // Loading again (as the default batch does) reports nothing new.
    ObjectDefinitionManager::Instance()->LoadAll(0);

    GameObject* first = system->CreateObject(0, "Crate118129", Engine::GenerateId());
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(1u, first->GetComponentList().size());
    EXPECT_EQ("TestComponent", first->GetComponentList()[0].component->GetName());
    EXPECT_EQ(nullptr, ObjectDefinitionManager::Instance()->FindDefinition("Crate49415"));
    system.reset();
    const std::string text = log.Text();
    const std::string refusal = "assets/Objects/Crate49415.xml refused: its name Crate49415 has "
                                "the same hash as Crate118129 from assets/Objects/Crate118129.xml";
    const std::size_t at = text.find(refusal);
    EXPECT_NE(at, std::string::npos) << text;
    EXPECT_EQ(std::string::npos, text.find(refusal, at + 1)) << text;
}

TEST_F(HostileAssetTest, BadValuesSecondAndUnknownComponentsAreLoggedWithTheFile)
{
    assets.Write("assets/Objects/Crate.xml",
                 Definition("Crate", "<TransformComponent><position X=\"nan\" Y=\"1e999\" "
                                     "Z=\"--3\"/><orientation X=\"1,5\"/><scale X=\"2\" Y=\"2\" "
                                     "Z=\"2\"/><relative>maybe</relative></TransformComponent>"
                                     "<TransformComponent/><Gizmo/>"));
    Start();
    GameObject* crate = system->CreateObject(0, "Crate", Engine::GenerateId());
    ASSERT_NE(crate, nullptr);
    const auto* transform =
        static_cast<const TransformComponent*>(crate->GetComponentList().at(0).component);
    EXPECT_EQ(0.0f, transform->GetPosition().x);
    EXPECT_EQ(0.0f, transform->GetPosition().y);
    EXPECT_EQ(0.0f, transform->GetPosition().z);
    EXPECT_EQ(2.0f, transform->GetScale().x);
    system.reset();
    const std::string text = log.Text();
    const std::string prefix = "Error [GameObject]: assets/Objects/Crate.xml: object Crate, "
                               "component TransformComponent, member ";
    for (const char* value : {"position: the value \"nan\"", "position: the value \"1e999\"",
                              "position: the value \"--3\"", "orientation: the value \"1,5\"",
                              "relative: the value \"maybe\""})
        EXPECT_NE(text.find(prefix + value + " does not parse"), std::string::npos) << value << '\n'
                                                                                    << text;
    EXPECT_NE(text.find("assets/Objects/Crate.xml: object Crate has a second TransformComponent"),
              std::string::npos);
    EXPECT_NE(text.find("Unknown component type (Gizmo) in (Crate), skipped; file "
                        "assets/Objects/Crate.xml"),
              std::string::npos);
}

TEST_F(HostileAssetTest, AMissingObjectFolderIsLoggedOnce)
{
    Start();
    ObjectDefinitionManager::Instance()->LoadAll(0);
    system.reset();
    const std::string text = log.Text();
    const std::string line = "the folder assets/Objects does not exist";
    const std::size_t at = text.find(line);
    EXPECT_NE(at, std::string::npos) << text;
    EXPECT_EQ(std::string::npos, text.find(line, at + 1));
}
