// The particle editor over a temporary asset tree: what each button does to the edited object
// and to the effect files, and how effect names are chosen, renamed and cleaned.
#include "Tools/ParticleEditor.h"
#include "Core/Assets/ObjectDefinitionManager.h"
#include "Core/Messages/Editor/AttachParticleEditorMessage.h"
#include "Serializer/SerializerSystem.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyEditor.h"
#include "Tools/ToolsSystem.h"
#include "TweakBar/BarInspector.h"
#include "tests/Graphics/Particles/ParticleWorld.h"
#include "tests/Platform/Support/FileSizeLimit.h"
#include "tests/Support/TempFiles.h"
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <tinyxml2.h>

using namespace Tools;
using Serializer::ObjectDefinitionManager;

namespace
{
std::string ReadSource(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The repository's two templates, read before the test enters its own folder.
const std::string DataTemplatePath = "assets/ParticleEffects/ParticleData/DefaultParticleData.xml";
const std::string EmitterTemplatePath =
    "assets/ParticleEffects/ParticleEmitters/__DefaultParticleEmitter__.xml";
const std::string EffectFolder = "assets/ParticleEffects/";

class ParticleEditorTest : public testing::Test
{
protected:
    ParticleEditorTest()
        : dataTemplate(ReadSource(DataTemplatePath)),
          emitterTemplate(ReadSource(EmitterTemplatePath))
    {
    }

    void SetUp() override
    {
        assets.Write(DataTemplatePath, dataTemplate);
        assets.Write(EmitterTemplatePath, emitterTemplate);
        assets.Write("assets/ParticleEffects/ParticleEmitters/Cube.xml",
                     "<Cube><CubeEmitterComponent><ParticleData>DefaultParticleData"
                     "</ParticleData></CubeEmitterComponent></Cube>");
        assets.Write(EffectFolder + "ParticleEffect.xml",
                     "<ParticleEffect>" + ParticleXml::Transform() + "</ParticleEffect>");
        assets.Write(EffectFolder + "Taken.xml", "<Taken/>");
        assets.MakeFolder("assets/Objects");
        stage = std::make_unique<ParticleWorld>();
        serializer = std::make_unique<Serializer::System::SerializerSystem>();
        serializer->Initialize(0);
        tools = std::make_unique<System::ToolsSystem>();
        tools->Initialize(0);
        object = stage->Make(ParticleXml::Transform(1.0f, 2.0f, 3.0f), "Workbench");
        AttachParticleEditorMessage attach(0, object->GetId(), "ToolsSystem");
        tools->HandleMessage(&attach);
    }
    void TearDown() override
    {
        tools.reset();
        serializer.reset();
        stage.reset();
    }

    ParticleEditor& Editor() { return *tools->GetParticleEditor(); }
    ObjectDefinitionManager& Definitions() { return *ObjectDefinitionManager::Instance(); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const GameObject::ComponentEntry& entry : object->GetComponentList())
            names.push_back(entry.component->GetName());
        return names;
    }
    // The element names under the root of an effect file, the root's own name first.
    static std::vector<std::string> FileElements(const std::string& name)
    {
        tinyxml2::XMLDocument document;
        std::vector<std::string> names;
        if (document.LoadFile((EffectFolder + name + ".xml").c_str()) != tinyxml2::XML_SUCCESS)
            return names;
        names.push_back(document.RootElement()->Name());
        for (auto* e = document.RootElement()->FirstChildElement(); e; e = e->NextSiblingElement())
            names.push_back(e->Name());
        return names;
    }
    // Every name in the effect folder, hidden ones (a temporary left behind) included.
    static std::vector<std::string> EffectFolderNames()
    {
        std::vector<std::string> names;
        for (boost::filesystem::directory_iterator entry(EffectFolder), end; entry != end; ++entry)
            names.push_back(entry->path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The file as tinyxml2 saves it once parsed, which for a file it saved is the file itself.
    static std::string Resaved(const std::string& path)
    {
        tinyxml2::XMLDocument document;
        document.LoadFile(path.c_str());
        const std::string copy = TempPath("quill-resaved-%%%%-%%%%.xml");
        document.SaveFile(copy.c_str(), false);
        const std::string bytes = ReadFile(copy);
        std::remove(copy.c_str());
        return bytes;
    }
    // What a fresh definition manager finds in the tree.
    static bool Reloads(const std::string& name)
    {
        ObjectDefinitionManager fresh;
        fresh.LoadAll(0);
        const Serializer::ObjectDefinition* found =
            fresh.Find(name, ObjectDefinitionManager::EffectCategory);
        return found != nullptr && found->IsValid();
    }

    const std::string dataTemplate;
    const std::string emitterTemplate;
    TempFolder assets; // entered first: the engine and its log live inside it
    std::unique_ptr<ParticleWorld> stage;
    std::unique_ptr<Serializer::System::SerializerSystem> serializer;
    std::unique_ptr<System::ToolsSystem> tools;
    GameObject* object = nullptr;
};
} // namespace

TEST_F(ParticleEditorTest, ButtonsGiveTheComponentsAndFilesTheyName)
{
    EXPECT_EQ(Editor().GetEditedObject(), object->GetId());
    EXPECT_TRUE(tools->GetPropertyEditor()->IsKeptOpen());

    Editor().New();
    EXPECT_EQ(Names(), (std::vector<std::string>{"TransformComponent", "ParticleSystemComponent",
                                                 "PointEmitterComponent"}));
    Editor().ImportEmitterChoice().name = "Cube";
    Editor().ImportEmitter();
    Editor().ImportDataChoice().name = "DefaultParticleData";
    Editor().ImportData();

    // Transform, then every data, then emitters by shape, whatever order they came in.
    Editor().Save();
    EXPECT_EQ(Editor().SaveName(), "ParticleEffect0");
    EXPECT_EQ(FileElements("ParticleEffect0"),
              (std::vector<std::string>{"ParticleEffect0", "TransformComponent",
                                        "ParticleSystemComponent", "ParticleSystemComponent",
                                        "PointEmitterComponent", "CubeEmitterComponent"}));
    ASSERT_NE(Editor().GetCurrentEffect(), nullptr);
    EXPECT_TRUE(Reloads("ParticleEffect0"));

    Editor().ClearEmitters();
    EXPECT_EQ(Names(), (std::vector<std::string>{"TransformComponent", "ParticleSystemComponent",
                                                 "ParticleSystemComponent"}));
    Editor().ClearData();
    EXPECT_EQ(Names(), std::vector<std::string>{"TransformComponent"});

    // Loading with nothing chosen does nothing; loading the saved effect brings it back.
    Editor().LoadChoice().name.clear();
    Editor().Load();
    EXPECT_EQ(Names().size(), 1u);
    Editor().LoadChoice().name = "ParticleEffect0";
    Editor().Load();
    EXPECT_EQ(Names().size(), 6u) << "the effect's own transform comes with it";
    Editor().ClearAll();
    EXPECT_EQ(Names().size(), 2u);
    Editor().ImportEffectChoice().name = "ParticleEffect0";
    Editor().ImportEffect();
    EXPECT_EQ(Names().size(), 7u);

    // A destroyed object stops every button.
    stage->world.factory.DestroyObject(object->GetId());
    Editor().New();
    Editor().SaveAs();
    EXPECT_FALSE(Reloads("ParticleEffect1"));
}

TEST_F(ParticleEditorTest, NamesAreUniqueRenamedAndCleaned)
{
    Editor().New();
    EXPECT_EQ(Editor().NewName(), "ParticleEffect0");
    Editor().NewName().clear();
    Editor().New();
    EXPECT_EQ(Editor().NewName(), "ParticleEffect0") << "nothing is saved yet";

    Editor().Save();
    Editor().SaveName() = "Renamed";
    Editor().Save();
    EXPECT_FALSE(Reloads("ParticleEffect0"));
    EXPECT_TRUE(Reloads("Renamed"));
    EXPECT_EQ(Editor().GetCurrentEffect()->GetName(), "Renamed");

    // A rename onto an existing effect is refused: the work goes to a name of its own.
    Editor().SaveName() = "Taken";
    Editor().Save();
    EXPECT_EQ(Editor().SaveName(), "Taken0");
    EXPECT_EQ(FileElements("Taken"), std::vector<std::string>{"Taken"});
    EXPECT_TRUE(Reloads("Taken0"));
    EXPECT_TRUE(Reloads("Renamed"));

    Editor().SaveAsName() = "9 lives!";
    Editor().SaveAs();
    EXPECT_EQ(Editor().SaveName(), "_9_lives_");
    EXPECT_EQ(FileElements("_9_lives_").front(), "_9_lives_");
    EXPECT_TRUE(Reloads("_9_lives_"));
}

TEST_F(ParticleEditorTest, PanelsSaveTheirComponentAndRefillTheBar)
{
    Editor().New();
    tools->Update(0.0f);
    PropertyBar* bar = tools->GetPropertyEditor()->FindBar();
    ASSERT_NE(bar, nullptr);
    GameObjectComponent* emitter = object->GetComponentList()[2].component;
    ASSERT_EQ(emitter->GetName(), "PointEmitterComponent");
    PropertyGroup* panel = bar->FindGroup(emitter);
    ASSERT_NE(panel, nullptr);
    PropertyGroup* save = panel->GetChildGroups().back()->GetChildGroups().back();
    ASSERT_NE(save->GetDefinition().find("label='Save Emitter'"), std::string::npos);

    PropertyEditor::SaveName() = "Spray";
    const auto& button = save->GetEntries().back();
    ASSERT_TRUE(TweakBar::Click(bar->GetTweakName(), button->GetName()));
    TweakBar::RunQueuedCallbacks();
    EXPECT_TRUE(PropertyEditor::SaveName().empty());
    ObjectDefinitionManager fresh;
    fresh.LoadAll(0);
    EXPECT_NE(fresh.Find("Spray", ObjectDefinitionManager::EmitterCategory), nullptr);

    // The particle editor's emitter list now offers it.
    Editor().ImportEmitterChoice().name = "Spray";
    Editor().ImportEmitter();
    EXPECT_EQ(Names().back(), "PointEmitterComponent");
    EXPECT_EQ(Names().size(), 4u);
}

TEST_F(ParticleEditorTest, ASaveOnAFullDiskLeavesTheEffectFileAsItWas)
{
    const std::string path = EffectFolder + "ParticleEffect.xml";
    const std::string before = ReadFile(path);
    const std::vector<std::string> folderBefore = EffectFolderNames();
    Editor().LoadChoice().name = "ParticleEffect";
    Editor().Load();
    Editor().ImportDataChoice().name = "DefaultParticleData";
    Editor().ImportData();

    {
        FileSizeLimit limit(64);
        if (!limit.IsActive())
            GTEST_SKIP() << "the file size limit cannot be set here";
        Editor().Save();
    }
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(EffectFolderNames(), folderBefore) << "no temporary is left";
    EXPECT_TRUE(stage->log.Contains("the effect ParticleEffect could not be written to " + path +
                                    " (writing failed: File too large)"))
        << stage->log.Text();
    EXPECT_TRUE(Reloads("ParticleEffect"));

    // With room the save goes through, in the form tinyxml2 has always saved.
    Editor().Save();
    const std::string after = ReadFile(path);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, Resaved(path));
    EXPECT_EQ(FileElements("ParticleEffect"),
              (std::vector<std::string>{"ParticleEffect", "TransformComponent",
                                        "ParticleSystemComponent"}));
    EXPECT_EQ(EffectFolderNames(), folderBefore);
}
