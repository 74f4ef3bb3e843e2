// The particle effect system ties emitters to the data of their name on their object, keeps
// finishing copies of emitters and data that go until their last particle has died, and files
// every component once however often it is read.
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Graphics/Particles/ParticleDebugShapes.h"
#include "Graphics/Particles/PointEmitterComponent.h"
#include "Math/Shapes/Shape.h"
#include "tests/Graphics/Particles/ParticleWorld.h"
#include "tests/Platform/Support/FileSizeLimit.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <gtest/gtest.h>

using namespace Graphics;
using namespace ParticleXml;
using System::ParticleEffectSystem;

namespace
{
// Ten particles at once that live 0.5 s.
std::string Fire(const std::string& data = "Fire")
{
    return Point(data, Count(10, 10));
}

// Every name in a folder, hidden ones (a temporary left behind) included.
std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (boost::filesystem::directory_iterator entry(folder), end; entry != end; ++entry)
        names.push_back(entry->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The bytes tinyxml2 saves for a definition of the component under that root name, as the
// particle editor's saves have always written them.
std::string SavedBytes(GameObjectComponent& component, const std::string& root)
{
    tinyxml2::XMLDocument document;
    document.InsertEndChild(document.NewDeclaration());
    tinyxml2::XMLElement* element = document.NewElement(root.c_str());
    document.InsertEndChild(element);
    GameObject::SerializeComponent(document, element, component);
    const std::string path = TempPath("quill-saved-%%%%-%%%%.xml");
    document.SaveFile(path.c_str(), false);
    const std::string bytes = ReadFile(path);
    std::remove(path.c_str());
    return bytes;
}

std::size_t Copies(const ParticleEffectSystem& system)
{
    std::size_t copies = 0;
    for (const auto& object : system.GetEffects())
        for (const auto& entry : object.second)
            copies += entry.second.emitters.size();
    return copies;
}
} // namespace

TEST(ParticleEffectSystem, EmittersMatchTheirDataAndOutliveTheirObjectAsCopies)
{
    ParticleWorld w;
    GameObject* object = w.Make(Transform() + Data("Fire", "Dot", 0.5f) + Fire() + Fire());
    const ParticleEffectSystem::Entry* entry = w.system->FindRegistered(object->GetId(), "Fire");
    ASSERT_NE(entry, nullptr);
    ASSERT_EQ(entry->emitters.size(), 2u);
    EXPECT_NE(entry->data, nullptr);
    w.Step();
    for (ParticleEmitterComponent* emitter : entry->emitters)
    {
        EXPECT_EQ(emitter->GetParticleSystem(), entry->data);
        EXPECT_EQ(emitter->GetPool().GetLiveCount(), 10u);
        EXPECT_EQ(emitter->GetRenderCount(), 10u);
    }

    // The object goes: two non-emitting copies with one copy of the data stay.
    const u32 id = object->GetId();
    w.world.factory.DestroyObject(id);
    EXPECT_TRUE(w.system->GetRegistered().empty());
    const ParticleEffectSystem::Entry* finishing = w.system->FindEffect(id, "Fire");
    ASSERT_NE(finishing, nullptr);
    ASSERT_EQ(finishing->emitters.size(), 2u);
    EXPECT_NE(finishing->data, nullptr);
    for (ParticleEmitterComponent* copy : finishing->emitters)
    {
        EXPECT_FALSE(copy->IsPlaying());
        EXPECT_EQ(copy->GetPool().GetLiveCount(), 10u);
        EXPECT_EQ(copy->GetParticleSystem(), finishing->data);
    }
    // They fly on without emitting, and go with their last particle (0.5 s of life).
    w.Step(10);
    EXPECT_EQ(Copies(*w.system), 2u);
    w.Step(10);
    EXPECT_TRUE(w.system->GetEffects().empty());
}

TEST(ParticleEffectSystem, EmittersWaitForDataReadAfterThemAndNamesStayUniquePerObject)
{
    ParticleWorld w;
    GameObject* object = w.Make(Transform() + Fire() + Data("Fire") + Data("Fire") + Data("Fire"));
    // The second and third data of the name become Fire0 and Fire1.
    const auto* fire = w.system->FindRegistered(object->GetId(), "Fire");
    ASSERT_NE(fire, nullptr);
    EXPECT_EQ(fire->emitters.size(), 1u);
    ASSERT_NE(w.system->FindRegistered(object->GetId(), "Fire0"), nullptr);
    ASSERT_NE(w.system->FindRegistered(object->GetId(), "Fire1"), nullptr);
    EXPECT_EQ(w.system->FindRegistered(object->GetId(), "Fire0")->data->GetDataName(), "Fire0");

    // An emitter read before any data waits without data, and is not stepped.
    GameObject* waiting = w.Make(Transform() + Fire("Smoke"));
    auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(waiting);
    EXPECT_EQ(emitter->GetParticleSystem(), nullptr);
    EXPECT_EQ(emitter->GetDataId(), w.system->GetDisabledId());
    w.Step();
    EXPECT_EQ(emitter->GetPool().GetLiveCount(), 0u);
    // Its data joins the entry and the emitter starts.
    w.Read(waiting, Data("Smoke"));
    EXPECT_NE(emitter->GetParticleSystem(), nullptr);
    EXPECT_EQ(emitter->GetDataName(), "Smoke");
    w.Step();
    EXPECT_EQ(emitter->GetPool().GetLiveCount(), 10u);

    // "{Disable}" is never filed; a waiting entry goes with its last emitter.
    GameObject* idle = w.Make(Transform() + Fire("{Disable}"));
    EXPECT_TRUE(w.system->GetRegistered().count(idle->GetId()) == 0);
    const u32 lonely = w.Make(Transform() + Fire("Nobody"))->GetId();
    w.world.factory.DestroyObject(lonely);
    EXPECT_EQ(w.system->GetRegistered().count(lonely), 0u);
    EXPECT_TRUE(w.system->GetEffects().empty());
}

TEST(ParticleEffectSystem, ReadingAgainKeepsTheOneEntryAndTheName)
{
    ParticleWorld w;
    GameObject* object = w.Make(Transform() + Data("Fire") + Data("Fire") + Fire());
    auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(object);
    std::vector<ParticleSystemComponent*> data;
    for (const auto& entry : object->GetComponentList())
        if (auto* d = dynamic_cast<ParticleSystemComponent*>(entry.component))
            data.push_back(d);
    ASSERT_EQ(data.size(), 2u);
    // The renamed data read again under its file's name is not renamed against itself.
    ParticleWorld::Reread(*data[1], "<ParticleData>Fire</ParticleData>"
                                    "<ParticleTexture>Dot</ParticleTexture>");
    EXPECT_EQ(data[1]->GetDataName(), "Fire0");
    ParticleWorld::Reread(*data[0], "<ParticleData>Fire</ParticleData>"
                                    "<ParticleTexture>Dot</ParticleTexture>");
    EXPECT_EQ(data[0]->GetDataName(), "Fire");
    EXPECT_EQ(w.system->GetRegistered().at(object->GetId()).size(), 2u);

    // The emitter read again is stepped once per step, not twice.
    ParticleWorld::Reread(*emitter,
                          "<ParticleData>Fire</ParticleData>" + Count(0, 10) + Rate(45, 45));
    EXPECT_EQ(w.system->FindRegistered(object->GetId(), "Fire")->emitters.size(), 1u);
    w.Step();
    EXPECT_EQ(emitter->GetPool().GetLiveCount(), 1u);
    // Under another data name it moves, leaving no finishing copy.
    ParticleWorld::Reread(*emitter, "<ParticleData>Fire0</ParticleData>" + Count(0, 10));
    EXPECT_TRUE(w.system->FindRegistered(object->GetId(), "Fire")->emitters.empty());
    EXPECT_EQ(w.system->FindRegistered(object->GetId(), "Fire0")->emitters.size(), 1u);
    EXPECT_TRUE(w.system->GetEffects().empty());
}

TEST(ParticleEffectSystem, DataLeavingTurnsItsEmittersIntoCopiesAndScriptsDestroyThem)
{
    ParticleWorld w;
    GameObject* object = w.Make(Transform() + Fire() + Data("Fire", "Dot", 5.0f));
    auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(object);
    auto* data = ParticleWorld::First<ParticleSystemComponent>(object);
    w.Step();
    object->RemoveComponent(data->GetId());
    EXPECT_EQ(emitter->GetDataName(), ParticleEmitterComponent::DisabledDataName);
    EXPECT_EQ(emitter->GetParticleSystem(), nullptr);
    EXPECT_EQ(Copies(*w.system), 1u);
    EXPECT_EQ(w.system->GetRegistered().count(object->GetId()), 0u);

    // The editor switching an emitter to "{Disable}" stops it and leaves its particles flying.
    GameObject* other = w.Make(Transform() + Data("Fire", "Dot", 5.0f) + Fire());
    auto* switched = ParticleWorld::First<ParticleEmitterComponent>(other);
    w.Step();
    w.system->ChangeEmitterData(switched, "{Disable}");
    EXPECT_FALSE(switched->IsPlaying());
    EXPECT_EQ(Copies(*w.system), 2u);
    // Back to its data: an empty pool, playing again.
    w.system->ChangeEmitterData(switched, "Fire");
    EXPECT_TRUE(switched->IsPlaying());
    EXPECT_EQ(switched->GetPool().GetLiveCount(), 0u);
    EXPECT_EQ(switched->GetParticleSystem(), ParticleWorld::First<ParticleSystemComponent>(other));

    // Graphics.DestroyParticleEffects removes every finishing effect; registered ones stay.
    w.system->DestroyParticleEffects();
    EXPECT_TRUE(w.system->GetEffects().empty());
    EXPECT_EQ(w.system->FindRegistered(other->GetId(), "Fire")->emitters.size(), 1u);
}

TEST(ParticleEffectSystem, UniqueNamesAvoidFinishingEffectsAndRenamesMoveEntries)
{
    ParticleWorld w;
    GameObject* object = w.Make(Transform() + Data("Fire", "Dot", 5.0f) + Fire() + Data("Smoke"));
    auto* fire = ParticleWorld::First<ParticleSystemComponent>(object);
    auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(object);
    EXPECT_EQ(w.system->MakeUniqueDataName(fire, "{Disable}"), "Default");
    EXPECT_EQ(w.system->MakeUniqueDataName(fire, "Fire"), "Fire");
    EXPECT_EQ(w.system->MakeUniqueDataName(fire, "Smoke"), "Smoke0");
    // A finishing effect under a name keeps that name taken.
    w.Step();
    w.system->ChangeEmitterData(emitter, "{Disable}");
    ASSERT_NE(w.system->FindEffect(object->GetId(), "Fire"), nullptr);
    EXPECT_EQ(w.system->MakeUniqueDataName(fire, "Fire"), "Fire0");

    w.system->ChangeEmitterData(emitter, "Fire");
    w.system->RenameParticleData(fire, "Flame");
    EXPECT_EQ(w.system->FindRegistered(object->GetId(), "Fire"), nullptr);
    ASSERT_NE(w.system->FindRegistered(object->GetId(), "Flame"), nullptr);
    EXPECT_EQ(emitter->GetDataName(), "Flame");
    EXPECT_EQ(w.system->FindEffect(object->GetId(), "Fire"), nullptr);
    EXPECT_NE(w.system->FindEffect(object->GetId(), "Flame"), nullptr);
}

TEST(ParticleEffectSystem, DataWithoutItsTextureIsLoggedAndLeavesItsEmittersIdle)
{
    ParticleWorld w;
    GameObject* object = w.Make(Transform() + Data("Fire", "Missing") + Fire(), "Torch");
    EXPECT_EQ(w.log.Count("particle texture \"Missing\" of object"), 1u) << w.log.Text();
    EXPECT_TRUE(w.log.Contains("Torch"));
    w.Step();
    EXPECT_EQ(ParticleWorld::First<ParticleEmitterComponent>(object)->GetPool().GetLiveCount(), 0u);
    w.world.factory.DestroyObject(object->GetId());
    w.Step();
    EXPECT_TRUE(w.system->GetEffects().empty());
}

namespace
{
struct ShapeRecorder : ParticleDebugShapes
{
    void Add(const Math::Shape&, const Math::ColorRGBA&, f32, bool) override { ++shapes; }
    int shapes = 0;
};
} // namespace

TEST(ParticleEffectSystem, QueuesTheShapeOfEveryRegisteredEmitterWhenAsked)
{
    ParticleWorld w;
    w.Make(Transform() + Data("Fire") + Fire() + Fire("Waiting"));
    w.Step();
    ShapeRecorder recorder;
    w.system->QueueDebugShapes(recorder);
    // The point emitters' marker and three axes each, waiting ones too.
    EXPECT_EQ(recorder.shapes, 8);
}

TEST(ParticleEditorSaves, NeverOverwriteAndRefuseNamesThatLeaveTheFolder)
{
    ParticleWorld w;
    TempFolder folder;
    const std::string emitters = "assets/ParticleEffects/ParticleEmitters/";
    const std::string data = "assets/ParticleEffects/ParticleData/";
    GameObject* object = w.Make(Transform() + Data("Glow") + Point("Glow", Count(1, 4)));
    auto* emitter = ParticleWorld::First<ParticleEmitterComponent>(object);
    auto* glow = ParticleWorld::First<ParticleSystemComponent>(object);

    EXPECT_EQ(emitter->SaveEmitter(""), "ParticleEmitterComponent");
    EXPECT_EQ(emitter->SaveEmitter(""), "ParticleEmitterComponent0");
    EXPECT_EQ(emitter->SaveEmitter("ParticleEmitterComponent"), "ParticleEmitterComponent1");
    folder.Write(data + "Glow.xml", "<Glow/>");
    EXPECT_EQ(glow->SaveData("Glow"), "Glow0");
    EXPECT_EQ(ReadFile(folder.Path(data + "Glow.xml")), "<Glow/>");
    for (const char* bad : {"../Escape", "a/b", "a\\b"})
    {
        EXPECT_EQ(emitter->SaveEmitter(bad), "");
        EXPECT_TRUE(w.log.Contains(std::string("save name \"") + bad + "\" refused"));
    }

    // The saved file holds the component under a root of its name and reads back the same.
    tinyxml2::XMLDocument saved;
    ASSERT_EQ(saved.LoadFile(folder.Path(emitters + "ParticleEmitterComponent0.xml").c_str()),
              tinyxml2::XML_SUCCESS);
    EXPECT_STREQ(saved.RootElement()->Name(), "ParticleEmitterComponent0");
    const tinyxml2::XMLElement* element = saved.RootElement()->FirstChildElement();
    ASSERT_NE(element, nullptr);
    EXPECT_STREQ(element->Name(), "PointEmitterComponent");
    GameObject* copy = w.world.Create("Copy");
    copy->Deserialize(element);
    auto* read = ParticleWorld::First<ParticleEmitterComponent>(copy);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetPool().GetCapacity(), 4u);
    EXPECT_EQ(read->GetDataName(), "Glow");
}

TEST(ParticleEditorSaves, AFullDiskLeavesNoFileBehindAndSaysSo)
{
    ParticleWorld w;
    TempFolder folder;
    const std::string data = "assets/ParticleEffects/ParticleData/";
    GameObject* object = w.Make(Transform() + Data("Glow") + Point("Glow", Count(1, 4)));
    auto* glow = ParticleWorld::First<ParticleSystemComponent>(object);
    folder.Write(data + "Glow.xml", "<Glow/>");

    std::string saved = "not tried";
    {
        FileSizeLimit limit(16);
        if (!limit.IsActive())
            GTEST_SKIP() << "the file size limit cannot be set here";
        saved = glow->SaveData("Glow");
    }
    EXPECT_EQ(saved, "");
    EXPECT_EQ(FolderNames(data), std::vector<std::string>{"Glow.xml"})
        << "neither a cut file nor a temporary is left";
    EXPECT_EQ(ReadFile(data + "Glow.xml"), "<Glow/>");
    EXPECT_TRUE(
        w.log.Contains("could not write " + data + "Glow0.xml (writing failed: File too large)"))
        << w.log.Text();
    EXPECT_FALSE(w.log.Contains("Saved " + data + "Glow0.xml"));

    // With room the same save writes what it always wrote.
    EXPECT_EQ(glow->SaveData("Glow"), "Glow0");
    EXPECT_EQ(ReadFile(data + "Glow0.xml"), SavedBytes(*glow, "Glow0"));
    EXPECT_TRUE(w.log.Contains("Saved " + data + "Glow0.xml"));
}

TEST(ParticleEditorSaves, NamesThatCannotNameADefinitionAreCleanedAndEverySaveReadsBack)
{
    ParticleWorld w;
    TempFolder folder;
    const std::string data = "assets/ParticleEffects/ParticleData/";
    GameObject* object = w.Make(Transform() + Data("Glow") + Point("Glow", Count(1, 4)));
    auto* glow = ParticleWorld::First<ParticleSystemComponent>(object);

    const std::pair<const char*, const char*> names[] = {
        {"a b", "a_b"}, {"1abc", "_1abc"}, {"x<y", "x_y"}, {"Glow", "Glow"}};
    for (const auto& [typed, clean] : names)
    {
        EXPECT_EQ(glow->SaveData(typed), clean);
        EXPECT_EQ(w.log.Contains(std::string("save name \"") + typed +
                                 "\" cannot name a definition; saving as " + clean),
                  std::string(typed) != clean)
            << w.log.Text();
        EXPECT_TRUE(w.log.Contains("Saved " + data + clean + ".xml"));
    }
    EXPECT_EQ(FolderNames(data),
              (std::vector<std::string>{"Glow.xml", "_1abc.xml", "a_b.xml", "x_y.xml"}));

    // Start-up reads every one of them.
    Serializer::ObjectDefinitionManager fresh;
    fresh.LoadAll(0);
    EXPECT_EQ(fresh.GetUsableCount(Serializer::ObjectDefinitionManager::DataCategory), 4u);
    for (const auto& [typed, clean] : names)
    {
        const Serializer::ObjectDefinition* definition =
            fresh.Find(clean, Serializer::ObjectDefinitionManager::DataCategory);
        ASSERT_NE(definition, nullptr) << clean;
        EXPECT_TRUE(definition->IsValid()) << clean;
        EXPECT_STREQ(definition->GetDocument()->RootElement()->Name(), clean);
    }
    EXPECT_FALSE(w.log.Contains("does not parse")) << w.log.Text();
}
