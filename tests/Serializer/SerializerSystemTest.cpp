// Object definitions end to end: a temporary asset tree is loaded by the serializer system,
// objects are built from it by name and by message, destroyed by message, and rebuilt from
// edited files after F8.
#include "Serializer/SerializerSystem.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Components/ObjectMountsComponent.h"
#include "Core/Components/OrbitComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/Engine.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/Object/ObjectDestroyMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/Reflection/HashTypeName.h"
#include "Serializer/SerializerRegistration.h"
#include "tests/Support/TempFiles.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tinyxml2.h>
#include <vector>

using Serializer::ObjectDefinition;
using Serializer::ObjectDefinitionManager;
using Serializer::System::SerializerSystem;

namespace
{
const std::string TransformXml = "<TransformComponent><position X=\"1\" Y=\"2\" Z=\"3\"/>"
                                 "</TransformComponent>";
const std::string TestXml = "<TestComponent/>";

std::string Definition(const std::string& root, const std::string& components)
{
    return "<?xml version=\"1.0\"?>\n<" + root + ">" + components + "</" + root + ">\n";
}

// Type names of the object's components in the order it holds them.
std::vector<std::string> ComponentNames(const GameObject* object)
{
    std::vector<std::string> names;
    if (object != nullptr)
    {
        for (const GameObject::ComponentEntry& entry : object->GetComponentList())
            names.push_back(entry.component->GetName());
    }
    return names;
}

const std::vector<std::string> TransformOnly = {"TransformComponent"};

class SerializerSystemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        assets.Write("assets/Objects/Crate.xml", Definition("Crate", TestXml + TransformXml));
        assets.Write("assets/Objects/Enemy.xml", Definition("Enemy", TransformXml));
        assets.Write("assets/Objects/Enemy.old.xml", Definition("Enemy", TestXml));
        assets.Write("assets/Objects/Shared.xml", Definition("Shared", TransformXml));
        assets.Write("assets/Objects/Notes.txt", "not a definition");
        assets.Write("assets/ParticleEffects/Shared.xml", Definition("Shared", TestXml));
        assets.Write("assets/ParticleEffects/Sparks.xml", Definition("Sparks", TransformXml));
        assets.Write("assets/ParticleEffects/ParticleData/Dust.xml", Definition("Dust", TestXml));
        assets.Write("assets/ParticleEffects/ParticleEmitters/Puff.xml",
                     Definition("Puff", TestXml));
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
    ObjectDefinitionManager& Manager() { return *ObjectDefinitionManager::Instance(); }
    GameFactory& Factory() { return *engine->GetFactory(); }

    void Press(u32 key, u32 state)
    {
        KeyboardMessage message(0, key, state, 0);
        system->HandleMessage(&message);
    }

    TempFolder assets; // entered first: the engine and the log live inside it
    LogFileCapture log;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<SerializerSystem> system;
};
} // namespace

TEST_F(SerializerSystemTest, StartUpLoadsTheFourFoldersIntoTheirCategories)
{
    Start();
    EXPECT_EQ(SerializerSystem::Instance(), system.get());
    ASSERT_EQ(Manager().GetCategoryCount(), 4u);
    const std::vector<std::vector<std::string>> expected = {
        {"Crate", "Enemy", "Shared"}, {"Shared", "Sparks"}, {"Dust"}, {"Puff"}};
    const char* enumerations[] = {"ObjectDefinition", "EffectDefinition", "DataDefinition",
                                  "EmitterDefinition"};
    for (u32 category = 0; category < 4; ++category)
    {
        SCOPED_TRACE(category);
        const auto* record = Manager().GetCategory(category);
        std::vector<std::string> names;
        for (const ObjectDefinition* definition : record->assets)
            names.push_back(definition->GetName());
        EXPECT_EQ(names, expected[category]);
        EXPECT_EQ(record->name, enumerations[category]);
        EXPECT_EQ(record->editorValueCount, expected[category].size());
    }
    EXPECT_EQ(Manager().GetCategoryDirectory(0, true), "assets/Objects/");
    EXPECT_EQ(Manager().Find("Dust", 2)->GetParam().path,
              "assets/ParticleEffects/ParticleData/Dust.xml");
}

TEST_F(SerializerSystemTest, OfTwoFilesWithOneStemTheFirstListedIsKept)
{
    Start();
    // "Enemy.old.xml" sorts before "Enemy.xml".
    const ObjectDefinition* enemy = Manager().Find("Enemy", 0);
    ASSERT_NE(enemy, nullptr);
    EXPECT_EQ(enemy->GetParam().path, "assets/Objects/Enemy.old.xml");
    EXPECT_EQ(ComponentNames(SerializerSystem::CreateObject(0, "Enemy", Engine::GenerateId())),
              std::vector<std::string>{"TestComponent"});
    EXPECT_NE(log.Text().find("SerializerSystem: assets/Objects/Enemy.xml skipped, the definition "
                              "Enemy comes from assets/Objects/Enemy.old.xml"),
              std::string::npos);
}

TEST_F(SerializerSystemTest, ObjectsFolderWinsAndHasObjectDefinitionAsksOnlyIt)
{
    Start();
    EXPECT_EQ(Manager().FindDefinition("Shared"), Manager().Find("Shared", 0));
    EXPECT_TRUE(SerializerSystem::HasObjectDefinition("Crate"));
    EXPECT_FALSE(SerializerSystem::HasObjectDefinition("Sparks"));
    EXPECT_NE(Manager().FindDefinition("Sparks"), nullptr);
    EXPECT_NE(Manager().FindDefinition("Puff"), nullptr);
    EXPECT_EQ(Manager().FindDefinition(""), nullptr);
    EXPECT_EQ(Manager().FindDefinition("Notes"), nullptr);
}

TEST_F(SerializerSystemTest, CreateObjectBuildsTheComponentsInFileOrder)
{
    Start();
    const u32 id = Engine::GenerateId();
    GameObject* crate = SerializerSystem::CreateObject(77, "Crate", id);
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(crate->GetId(), id);
    EXPECT_EQ(crate->GetName(), "Crate");
    EXPECT_EQ(crate->GetCreatorId(), 77u);
    EXPECT_EQ(ComponentNames(crate),
              (std::vector<std::string>{"TestComponent", "TransformComponent"}));
    auto* transform =
        static_cast<TransformComponent*>(crate->GetComponent(TransformComponent().GetType()));
    ASSERT_NE(transform, nullptr);
    EXPECT_EQ(transform->position, Math::Point4(1, 2, 3, 1));
    // Particle definitions build objects by name as well.
    EXPECT_EQ(ComponentNames(SerializerSystem::CreateObject(0, "Sparks", Engine::GenerateId())),
              TransformOnly);
}

TEST_F(SerializerSystemTest, CreateMessageMakesTheSenderTheCreator)
{
    Start();
    GameObject* player = Factory().CreateObject("Player", Engine::GenerateId());
    const u32 reserved = GenerateIdLocked();
    ObjectCreateMessage create(player->GetId(), reserved, "Crate", 0);
    system->HandleMessage(&create);
    GameObject* crate = Factory().FindObject(reserved);
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(crate->GetCreatorId(), player->GetId());
    EXPECT_EQ(ComponentNames(crate),
              (std::vector<std::string>{"TestComponent", "TransformComponent"}));

    // The same reserved id twice: the factory refuses, the first object stays as it was.
    system->HandleMessage(&create);
    EXPECT_EQ(Factory().FindObject(reserved), crate);
    EXPECT_EQ(crate->GetComponentList().size(), 2u);
}

TEST_F(SerializerSystemTest, DestroyMessageDestroysAtOnce)
{
    Start();
    const u32 id = Engine::GenerateId();
    SerializerSystem::CreateObject(0, "Crate", id);
    ObjectDestroyMessage destroy(0, id, 0);
    system->HandleMessage(&destroy);
    EXPECT_EQ(Factory().FindObject(id), nullptr);
    // Destroying again, or an id that never existed, does nothing.
    system->HandleMessage(&destroy);
    ObjectDestroyMessage unknown(0, 0xFFFFFF00u, 0);
    system->HandleMessage(&unknown);
}

TEST_F(SerializerSystemTest, MissingDefinitionIsReportedAndLeavesTheObjectEmpty)
{
    Start();
    const u32 reserved = GenerateIdLocked();
    ObjectCreateMessage create(5, reserved, "Ghost", 0);
    system->HandleMessage(&create);
    GameObject* ghost = Factory().FindObject(reserved);
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->GetName(), "Ghost");
    EXPECT_TRUE(ghost->GetComponentList().empty());
    EXPECT_NE(log.Text().find("Error report (level 0): Invalid object definition: Ghost\n"),
              std::string::npos);
}

TEST_F(SerializerSystemTest, UnparseableDefinitionIsLoggedAndBuildsNothing)
{
    assets.Write("assets/Objects/Broken.xml", "<Broken><TransformComponent></Broken>");
    assets.Write("assets/Objects/Empty.xml", "");
    Start();
    // Still registered, so that F8 can mend it in place.
    EXPECT_TRUE(SerializerSystem::HasObjectDefinition("Broken"));
    EXPECT_FALSE(Manager().Find("Broken", 0)->IsValid());
    GameObject* broken = SerializerSystem::CreateObject(0, "Broken", Engine::GenerateId());
    ASSERT_NE(broken, nullptr);
    EXPECT_TRUE(broken->GetComponentList().empty());
    EXPECT_TRUE(SerializerSystem::CreateObject(0, "Empty", Engine::GenerateId())
                    ->GetComponentList()
                    .empty());
    // Other definitions are unaffected.
    EXPECT_EQ(ComponentNames(SerializerSystem::CreateObject(0, "Crate", Engine::GenerateId())),
              (std::vector<std::string>{"TestComponent", "TransformComponent"}));

    const std::string text = log.Text();
    EXPECT_NE(text.find("Error [SerializerSystem]: object definition Broken "
                        "(assets/Objects/Broken.xml) does not parse: "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Error [SerializerSystem]: definition Broken did not parse; object "),
              std::string::npos);
    EXPECT_NE(text.find("object definition Empty (assets/Objects/Empty.xml) does not parse"),
              std::string::npos);
}

TEST_F(SerializerSystemTest, RootWithoutComponentsIsAValidEmptyObject)
{
    assets.Write("assets/Objects/Marker.xml", Definition("Marker", "just text"));
    Start();
    GameObject* marker = SerializerSystem::CreateObject(0, "Marker", Engine::GenerateId());
    ASSERT_NE(marker, nullptr);
    EXPECT_TRUE(marker->GetComponentList().empty());
    EXPECT_EQ(log.Text().find("Marker did not parse"), std::string::npos);
}

TEST_F(SerializerSystemTest, F8ReloadsEditedFilesForObjectsCreatedAfterwards)
{
    Start();
    GameObject* before = SerializerSystem::CreateObject(0, "Crate", Engine::GenerateId());
    assets.Write("assets/Objects/Crate.xml", Definition("Crate", TransformXml));
    assets.Write("assets/Objects/Late.xml", Definition("Late", TransformXml));

    // Held, released and other keys do not reload.
    Press(SerializerSystem::ReloadKey, KS_PRESSED);
    Press(SerializerSystem::ReloadKey, KS_RELEASE);
    Press(SerializerSystem::ReloadKey + 1, KS_TRIGGER);
    EXPECT_EQ(
        ComponentNames(SerializerSystem::CreateObject(0, "Crate", Engine::GenerateId())).size(),
        2u);

    Press(SerializerSystem::ReloadKey, KS_TRIGGER);
    EXPECT_EQ(ComponentNames(SerializerSystem::CreateObject(0, "Crate", Engine::GenerateId())),
              TransformOnly);
    EXPECT_EQ(before->GetComponentList().size(), 2u)
        << "existing objects keep what they were built with";
    EXPECT_FALSE(SerializerSystem::HasObjectDefinition("Late")) << "new files wait for LoadAll";

    const std::string text = log.Text();
    const std::string line = "SerializerSystem::HandleMessage is handling F8 key trigger\n";
    const std::size_t first = text.find(line);
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(text.find(line, first + 1), std::string::npos) << "one line per press";
}

TEST_F(SerializerSystemTest, F8MendsABrokenDefinitionInPlace)
{
    assets.Write("assets/Objects/Broken.xml", "<Broken><TransformComponent></Broken>");
    Start();
    const ObjectDefinition* broken = Manager().Find("Broken", 0);
    assets.Write("assets/Objects/Broken.xml", Definition("Broken", TransformXml));
    Press(SerializerSystem::ReloadKey, KS_TRIGGER);
    EXPECT_EQ(Manager().Find("Broken", 0), broken);
    EXPECT_TRUE(broken->IsValid());
    EXPECT_EQ(ComponentNames(SerializerSystem::CreateObject(0, "Broken", Engine::GenerateId())),
              TransformOnly);
}

TEST_F(SerializerSystemTest, LoadAllAgainAddsOnlyNewFiles)
{
    Start();
    const ObjectDefinition* crate = Manager().Find("Crate", 0);
    assets.Write("assets/Objects/Late.xml", Definition("Late", TransformXml));
    Manager().LoadAll(0);
    EXPECT_EQ(Manager().Find("Crate", 0), crate);
    EXPECT_TRUE(SerializerSystem::HasObjectDefinition("Late"));
    EXPECT_EQ(Manager().GetCategory(0)->assets.size(), 4u);
    EXPECT_EQ(Manager().GetCategory(0)->editorValueCount, 4u);
}

TEST_F(SerializerSystemTest, InlineElementAppliesOnlyItsOwnComponents)
{
    Start();
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(
                  ("<Crate>" + TransformXml + "</Crate><Crate>text only</Crate><Crate/>").c_str()),
              tinyxml2::XML_SUCCESS);
    const tinyxml2::XMLElement* inline_ = document.FirstChildElement();
    const tinyxml2::XMLElement* textOnly = inline_->NextSiblingElement();
    const tinyxml2::XMLElement* named = textOnly->NextSiblingElement();

    GameObject* a = Factory().CreateObject("Crate", Engine::GenerateId());
    SerializerSystem::ApplyDefinition(*a, inline_);
    EXPECT_EQ(ComponentNames(a), TransformOnly);

    GameObject* b = Factory().CreateObject("Crate", Engine::GenerateId());
    SerializerSystem::ApplyDefinition(*b, textOnly);
    EXPECT_TRUE(b->GetComponentList().empty());

    GameObject* c = Factory().CreateObject("Crate", Engine::GenerateId());
    SerializerSystem::ApplyDefinition(*c, named);
    EXPECT_EQ(ComponentNames(c), (std::vector<std::string>{"TestComponent", "TransformComponent"}));
}

TEST_F(SerializerSystemTest, ApplyDefinitionAssetAddsToWhatTheObjectHas)
{
    Start();
    GameObject* object = SerializerSystem::CreateObject(0, "Sparks", Engine::GenerateId());
    SerializerSystem::ApplyDefinitionAsset(*object, *Manager().Find("Puff", 3));
    EXPECT_EQ(ComponentNames(object),
              (std::vector<std::string>{"TransformComponent", "TestComponent"}));
}

TEST_F(SerializerSystemTest, WithoutTheSystemNothingIsDefined)
{
    EXPECT_EQ(ObjectDefinitionManager::Instance(), nullptr);
    EXPECT_FALSE(SerializerSystem::HasObjectDefinition("Crate"));
    GameObject* crate = SerializerSystem::CreateObject(0, "Crate", Engine::GenerateId());
    ASSERT_NE(crate, nullptr);
    EXPECT_TRUE(crate->GetComponentList().empty());
    EXPECT_NE(log.Text().find("Invalid object definition: Crate"), std::string::npos);
}

TEST_F(SerializerSystemTest, DestructorReleasesTheManager)
{
    Start();
    system.reset();
    EXPECT_EQ(SerializerSystem::Instance(), nullptr);
    EXPECT_EQ(ObjectDefinitionManager::Instance(), nullptr);
    EXPECT_FALSE(SerializerSystem::HasObjectDefinition("Crate"));
}

TEST_F(SerializerSystemTest, F8ReloadsTheDefinitionsAfterABrokenOne)
{
    // "Broken" sorts before "Crate": a definition that stops parsing must not stop the reload.
    assets.Write("assets/Objects/Broken.xml", Definition("Broken", TransformXml));
    Start();
    assets.Write("assets/Objects/Broken.xml", "<Broken><TransformComponent></Broken>");
    assets.Write("assets/Objects/Crate.xml", Definition("Crate", TransformXml));
    Press(SerializerSystem::ReloadKey, KS_TRIGGER);
    EXPECT_TRUE(SerializerSystem::CreateObject(0, "Broken", Engine::GenerateId())
                    ->GetComponentList()
                    .empty());
    EXPECT_EQ(ComponentNames(SerializerSystem::CreateObject(0, "Crate", Engine::GenerateId())),
              TransformOnly);
    EXPECT_NE(
        log.Text().find("object definition Broken (assets/Objects/Broken.xml) does not parse"),
        std::string::npos);
}

// The whole road through the engine: messages posted through it are delivered by the message
// system in the next frame, the create message's sender becomes the creator before the
// definition is read (so a relative placement finds it), and F8 reloads for later objects.
TEST(SerializerSystemThroughTheEngine, CreateByMessagePlacesBesideTheSenderAndF8Reloads)
{
    const auto spawnPoint = [](const std::string& offset)
    {
        return Definition("SpawnPoint", "<TransformComponent><position " + offset +
                                            "/><orientation X=\"0\" Y=\"0\" Z=\"0\"/>"
                                            "<scale X=\"1\" Y=\"1\" Z=\"1\"/>"
                                            "<relativeToCreator>1</relativeToCreator>"
                                            "</TransformComponent>");
    };
    TempFolder assets;
    assets.Write("assets/Objects/Anchor.xml",
                 Definition("Anchor", "<TransformComponent><position X=\"10\" Y=\"0\" Z=\"0\"/>"
                                      "<orientation X=\"0\" Y=\"0\" Z=\"0\"/>"
                                      "<scale X=\"2\" Y=\"2\" Z=\"2\"/></TransformComponent>"));
    assets.Write("assets/Objects/SpawnPoint.xml", spawnPoint("X=\"1\" Y=\"0\" Z=\"0\""));
    LogFileCapture log;
    Engine engine;
    g_Engine = &engine;
    Core::RegisterCore(engine);
    Serializer::RegisterSerializer(engine);
    for (const char* name : {"MessagingSystem", "FileSystem", "SerializerSystem"})
        ASSERT_NE(engine.AddSystem(name), nullptr) << name;
    const u32 transformType = HashTypeName(TransformComponent::GetTypeName().c_str());
    const auto positionOf = [&](u32 id)
    {
        const GameObject* object = engine.GetFactory()->FindObject(id);
        const auto* transform =
            object != nullptr
                ? static_cast<const TransformComponent*>(object->GetComponent(transformType))
                : nullptr;
        return transform != nullptr ? transform->position : Math::Point4(-1, -1, -1, -1);
    };

    GameObject* anchor = SerializerSystem::CreateObject(0, "Anchor", Engine::GenerateId());
    ASSERT_NE(anchor, nullptr);
    const u32 first = GenerateIdLocked();
    engine.SendMessage(new ObjectCreateMessage(anchor->GetId(), first, "SpawnPoint", 0), 0.0f);
    engine.StepFrame(1.0f / 60.0f);
    ASSERT_NE(engine.GetFactory()->FindObject(first), nullptr);
    EXPECT_EQ(engine.GetFactory()->FindObject(first)->GetCreatorId(), anchor->GetId());
    // One unit right in units of the combined scales (2 + 1), from the anchor at x = 10.
    EXPECT_EQ(positionOf(first), Math::Point4(13, 0, 0, 1));

    assets.Write("assets/Objects/SpawnPoint.xml", spawnPoint("X=\"0\" Y=\"1\" Z=\"0\""));
    engine.SendMessage(new KeyboardMessage(0, SerializerSystem::ReloadKey, KS_TRIGGER, 0), 0.0f);
    const u32 second = GenerateIdLocked();
    engine.SendMessage(new ObjectCreateMessage(anchor->GetId(), second, "SpawnPoint", 0), 0.0f);
    engine.StepFrame(1.0f / 60.0f);
    EXPECT_EQ(positionOf(second), Math::Point4(10, 3, 0, 1));
    EXPECT_EQ(positionOf(first), Math::Point4(13, 0, 0, 1)) << "built before the reload";

    engine.SendMessage(new ObjectDestroyMessage(0, first, 0), 0.0f);
    engine.StepFrame(1.0f / 60.0f);
    EXPECT_EQ(engine.GetFactory()->FindObject(first), nullptr);
    EXPECT_NE(engine.GetFactory()->FindObject(second), nullptr);
    EXPECT_NE(log.Text().find("SerializerSystem::HandleMessage is handling F8 key trigger\n"),
              std::string::npos);
}

TEST(SerializerRegistration, TheEngineCreatesBothSystemsByName)
{
    TempFolder assets;
    assets.Write("assets/Objects/Crate.xml", Definition("Crate", TransformXml));
    Engine engine;
    g_Engine = &engine;
    Serializer::RegisterSerializer(engine);
    SystemComponent* files = engine.AddSystem("FileSystem");
    SystemComponent* serializer = engine.AddSystem("SerializerSystem");
    ASSERT_NE(files, nullptr);
    ASSERT_NE(serializer, nullptr);
    EXPECT_EQ(files->GetName(), "FileSystem");
    EXPECT_EQ(serializer, SerializerSystem::Instance());
    // Initialised on creation: the definitions are there.
    EXPECT_TRUE(SerializerSystem::HasObjectDefinition("Crate"));
    EXPECT_EQ(engine.AddSystem("SerializerSystem"), serializer);
}

TEST(ShippedAssets, EveryDefinitionParsesAndTheObjectsBuild)
{
    TempFolder scratch; // only to come back to the current folder afterwards
    boost::filesystem::current_path(QUILL_ASSET_ROOT);
    LogFileCapture log;
    Engine engine;
    g_Engine = &engine;
    Core::RegisterCore(engine);
    SerializerSystem system;
    system.Initialize(0);
    const ObjectDefinitionManager& manager = *ObjectDefinitionManager::Instance();
    for (u32 category = 0; category < manager.GetCategoryCount(); ++category)
    {
        EXPECT_FALSE(manager.GetCategory(category)->assets.empty()) << "category " << category;
        for (const ObjectDefinition* definition : manager.GetCategory(category)->assets)
            EXPECT_TRUE(definition->IsValid()) << definition->GetParam().path;
    }
    // The particle editor's templates.
    EXPECT_NE(manager.Find("DefaultParticleData", ObjectDefinitionManager::DataCategory), nullptr);
    EXPECT_NE(manager.Find("__DefaultParticleEmitter__", ObjectDefinitionManager::EmitterCategory),
              nullptr);

    GameObject* player = SerializerSystem::CreateObject(0, "Player", Engine::GenerateId());
    GameObject* camera =
        SerializerSystem::CreateObject(player->GetId(), "Camera", Engine::GenerateId());
    // The anchor carries its camera rig and a wisp as mounts.
    EXPECT_EQ(ComponentNames(player),
              (std::vector<std::string>{"TransformComponent", "ObjectMountsComponent"}));
    ASSERT_EQ(ComponentNames(camera), TransformOnly);
    auto* rig = static_cast<TransformComponent*>(camera->GetComponentList()[0].component);
    EXPECT_TRUE(rig->updateRelativeToCreator);
    // Tilted down: the rig's forward axis (-z) points below the horizon.
    EXPECT_LT(rig->orientation.Rotate(Math::Vector4(0, 0, -1, 0)).y, 0.0f);

    const auto* mounts = player->GetComponent<ObjectMountsComponent>();
    ASSERT_NE(mounts, nullptr);
    const GameObject* mountedRig =
        engine.GetFactory()->FindObject(mounts->FindMountByName("Camera"));
    GameObject* wisp = engine.GetFactory()->FindObject(mounts->FindMountByName("Wisp"));
    ASSERT_NE(mountedRig, nullptr);
    ASSERT_NE(wisp, nullptr);
    EXPECT_EQ(mountedRig->GetCreatorId(), player->GetId());
    EXPECT_EQ(ComponentNames(wisp),
              (std::vector<std::string>{"TransformComponent", "OrbitComponent"}));
    // A quarter turn per second about a point two units above the anchor, wherever it stands.
    player->GetComponent<TransformComponent>()->position = Math::Point4(10, 0, 0, 1);
    wisp->GetComponent<OrbitComponent>()->Update(1.0f);
    EXPECT_EQ(wisp->GetComponent<TransformComponent>()->GetTransformMatrix().GetTranslation(),
              Math::Point4(11.5f, 2, 0, 1));
    EXPECT_EQ(log.Text().find("Error"), std::string::npos) << "no definition reports a failure";
}
