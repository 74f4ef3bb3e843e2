// The graphics system on a fake window layer: no context exists, so the GL loader fails and
// the system runs without a renderer, as it must on a machine where GL cannot start.
#include "Graphics/GraphicsSystem.h"
#include "Core/Components/OrbitComponent.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreRegistration.h"
#include "Core/CoreServices.h"
#include "Core/Messages/Graphics/SetBackgroundFadeToMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/MessageTypes.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/RegisteredList.h"
#include "Graphics/GraphicsRegistration.h"
#include "Math/ColorRGBA.h"
#include "Math/MathUtils.h"
#include "Math/PingPongValue.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include "tests/Support/ProbeComponent.h"
#include "tests/Support/RecordingEngineTest.h"
#include "tests/Support/TempFiles.h"
#include <vector>

using Graphics::System::GraphicsSystem;

namespace
{
class NamedComponent : public ProbeComponent
{
public:
    explicit NamedComponent(std::string name) : m_name(std::move(name)) {}
    const std::string& GetName() const override { return m_name; }

private:
    std::string m_name;
};

class GraphicsSystemTest : public RecordingEngineTest
{
protected:
    void SetUp() override
    {
        RecordingEngineTest::SetUp();
        Graphics::RegisterGraphics(*engine);
    }
    GraphicsSystem* Start(std::vector<const char*> args = {})
    {
        args.insert(args.begin(), "quillmere");
        engine->ParseCommandLine(static_cast<int>(args.size()), args.data());
        graphics = static_cast<GraphicsSystem*>(engine->AddSystem("GraphicsSystem"));
        return graphics;
    }
    void Deliver() { messages->Update(0.0f); }
    void Press(u32 key, u32 state)
    {
        engine->SendMessage(new KeyboardMessage(0, key, state, 0), 0.0f);
        Deliver();
    }

    FakeWindowLayer layer;
    GraphicsSystem* graphics = nullptr;
};
} // namespace

TEST_F(GraphicsSystemTest, OpensTheWindowTheSettingsScriptAsksForAndAnnouncesIt)
{
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(layer.openCount, 1);
    EXPECT_EQ(layer.openWidth, 1280) << "the shipped settings script's width";
    EXPECT_EQ(layer.openHeight, 720);
    EXPECT_EQ(layer.title, "Quillmere");
    EXPECT_EQ(graphics->GetRenderWidth(), 1366) << "the desktop size";
    EXPECT_EQ(graphics->GetReferenceWidth(), 1366);
    EXPECT_EQ(graphics->GetReferenceHeight(), 768);
    EXPECT_TRUE(log->Contains("Major: 4 Minor: 5 Rev: 0"));
    EXPECT_TRUE(log->Contains("Error [GraphicsSystem]: ")) << "no context: the loader fails";
    EXPECT_FALSE(graphics->IsRendererReady());
    EXPECT_EQ(graphics->UseShaderProgram("Anything"), 0u);
    EXPECT_EQ(graphics->GetCurrentProgramHandle(), 0u);
    // The input system reads the window through the hooks.
    EXPECT_EQ(Core::WindowWidth(), 1280);
    Deliver();
    EXPECT_EQ(recorder->CountOf(MT_WINDOW_RESIZE), 1u) << "one broadcast; the other is the UI's";
    graphics->Update(1.0f / 60.0f);
    EXPECT_EQ(layer.swaps, 1) << "frames swap (and poll) without a renderer";
}

TEST_F(GraphicsSystemTest, MissingSettingsScriptGivesTheDefaultWindow)
{
    TempFolder folder;
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(layer.openWidth, 1024);
    EXPECT_EQ(layer.openHeight, 768);
    EXPECT_TRUE(log->Contains("could not be loaded"));
}

TEST_F(GraphicsSystemTest, AWindowThatCannotOpenIsReportedAndNothingIsDrawn)
{
    layer.canOpen = false;
    ASSERT_NE(Start(), nullptr);
    EXPECT_TRUE(log->Contains("Couldn't Open Windowed Window!"));
    EXPECT_FALSE(graphics->IsWindowOpen());
    graphics->Update(1.0f / 60.0f);
    EXPECT_EQ(layer.swaps, 0);
}

TEST_F(GraphicsSystemTest, NoVisualSwapsAndPollsWithoutVsyncAndLeavesTheFadeAlone)
{
    ASSERT_NE(Start({"-no_vis"}), nullptr);
    EXPECT_EQ(layer.swapInterval, 0);
    EXPECT_FALSE(log->Contains("Success [GraphicsSystem]"));
    graphics->FadeTo(0.0f, 0.0f, 0.0f, 1.0f);
    graphics->Update(0.5f);
    graphics->Update(0.5f);
    EXPECT_EQ(layer.swaps, 2);
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeRed), 1.0f);
}

TEST_F(GraphicsSystemTest, ClosingTheWindowAsksTheGameToExitAndKeepsItOpen)
{
    ASSERT_NE(Start(), nullptr);
    Deliver();
    layer.OnClose();
    Deliver();
    EXPECT_EQ(recorder->CountOf(MT_GAME_STATE), 1u);
    EXPECT_TRUE(layer.IsOpen());
    // A minimised window (zero size) changes nothing.
    layer.OnResize(0, 300);
    EXPECT_EQ(graphics->GetWindowWidth(), 1280);
    layer.OnResize(800, 600);
    EXPECT_EQ(graphics->GetWindowWidth(), 800);
    EXPECT_TRUE(layer.cursorVisible);
}

TEST_F(GraphicsSystemTest, F1AndF2FlipOnPressesOnlyAndF10IsLogged)
{
    ASSERT_NE(Start(), nullptr);
    Press(258, KS_PRESSED);
    Press(258, KS_RELEASE);
    Press(259, KS_PRESSED);
    EXPECT_FALSE(graphics->AreEditorBarsShown());
    EXPECT_FALSE(graphics->IsDebugDrawOn());
    Press(258, KS_TRIGGER);
    Press(259, KS_TRIGGER);
    EXPECT_TRUE(graphics->AreEditorBarsShown());
    EXPECT_TRUE(graphics->IsDebugDrawOn());
    EXPECT_TRUE(Core::Services().editorBarsShown());
    Press(258, KS_TRIGGER);
    EXPECT_FALSE(graphics->AreEditorBarsShown());
    Press(267, KS_PRESSED);
    EXPECT_FALSE(log->Contains("GraphicsSystem handling keyboard key 'F10'"));
    Press(267, KS_TRIGGER);
    EXPECT_EQ(log->Count("GraphicsSystem handling keyboard key 'F10'"), 1u);
}

TEST_F(GraphicsSystemTest, FadeMovesToTheTargetAndStopsExactlyOnIt)
{
    ASSERT_NE(Start(), nullptr);
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeGreen), 1.0f);
    engine->SendMessage(new SetBackgroundFadeToMessage(0, Math::ColorRGBA(0.0f, 0.5f, 1.0f, 1.0f),
                                                       2.0f, "GraphicsSystem"),
                        0.0f);
    Deliver();
    EXPECT_FLOAT_EQ(graphics->GetFadeRecord(GraphicsSystem::FadeRed).rate, -0.5f);
    EXPECT_FLOAT_EQ(graphics->GetFadeRecord(GraphicsSystem::FadeBlue).rate, 0.0f)
        << "a target equal to the value does not move";
    graphics->Update(1.0f);
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeRed), 0.5f);
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeGreen), 0.75f);
    graphics->Update(1.7f);
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeRed), 0.0f) << "no overshoot";
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeGreen), 0.5f);
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeBlue), 1.0f);

    graphics->FadeTo(0.25f, 0.25f, 0.25f, 0.0f);
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeRed), 0.25f) << "duration 0: at once";
    graphics->SetFade(0.1f, 0.2f, 0.3f);
    EXPECT_FLOAT_EQ(graphics->GetFade(GraphicsSystem::FadeBlue), 0.3f);
}

TEST_F(GraphicsSystemTest, ComponentsAreFiledByTypeNameAndRemovedByPointer)
{
    ASSERT_NE(Start(), nullptr);
    NamedComponent render("RenderComponent");
    NamedComponent light("SpotLightComponent");
    NamedComponent orbit("OrbitComponent");
    NamedComponent other("RenderComponentX");
    for (NamedComponent* component : {&render, &light, &orbit, &other})
        graphics->Register(component);
    using List = GraphicsSystem::ComponentList;
    EXPECT_EQ(graphics->GetComponents(List::RenderComponents).size(), 1u);
    EXPECT_EQ(graphics->GetComponents(List::SpotLightComponents).size(), 1u);
    EXPECT_EQ(graphics->GetComponents(List::OrbitComponents).size(), 1u);
    EXPECT_EQ(GraphicsSystem::ListOfTypeName("RenderComponentX"),
              GraphicsSystem::ComponentListCount);
    NamedComponent stranger("RenderComponent");
    graphics->Unregister(&stranger);
    EXPECT_EQ(graphics->GetComponents(List::RenderComponents).size(), 1u);
    graphics->Unregister(&render);
    EXPECT_TRUE(graphics->GetComponents(List::RenderComponents).empty());
}

// Texts are drawn in the order they joined, whatever left meanwhile; and every join and leave
// costs constant work (counted, not timed), so destroying n texts at shutdown is linear. Each
// text leaves twice (its Shutdown and its destructor): the second finds nothing, at once.
TEST_F(GraphicsSystemTest, TextsKeepTheirOrderAndComeAndGoInConstantWork)
{
    ASSERT_NE(Start(), nullptr);
    constexpr u32 Count = 100000;
    GameFactory& factory = *engine->GetFactory();
    const u32 first = Engine::GenerateId();
    const u64 before = Core::RegisteredListSteps();
    std::vector<GameObjectComponent*> texts;
    texts.reserve(Count);
    for (u32 i = 0; i < Count; ++i)
    {
        GameObject* object = factory.CreateObject("Label", Engine::GenerateId());
        texts.push_back(object->AddComponent(factory.CreateComponent("TextComponent")));
    }
    using List = GraphicsSystem::ComponentList;
    const auto& listed = graphics->GetComponents(List::TextComponents);
    ASSERT_EQ(listed.size(), Count);

    // Every other one of the first ten leaves: the rest keep their order.
    for (u32 i = 0; i < 10; i += 2)
        factory.DestroyObject(texts[i]->GetOwner());
    std::vector<GameObjectComponent*> firstFive(listed.begin(), std::next(listed.begin(), 5));
    EXPECT_EQ(firstFive, (std::vector<GameObjectComponent*>{texts[1], texts[3], texts[5], texts[7],
                                                            texts[9]}));

    factory.DestroyObjectsFrom(first);
    EXPECT_TRUE(listed.empty());
    // One step per join and per leave (two leaves each): a search of the list per leave would
    // take billions.
    EXPECT_LE(Core::RegisteredListSteps() - before, 4ull * Count);
}

TEST_F(GraphicsSystemTest, OrbitsRegisterWithItAndStandStillUnderNoVis)
{
    ASSERT_NE(Start({"-no_vis"}), nullptr);
    Core::RegisterCoreComponents(engine->GetFactory()->GetComponentFactory());
    GameFactory& factory = *engine->GetFactory();
    GameObject* wisp = factory.CreateObject("Wisp", Engine::GenerateId());
    auto* transform = static_cast<TransformComponent*>(
        wisp->AddComponent(factory.CreateComponent("TransformComponent")));
    auto* orbit =
        static_cast<OrbitComponent*>(wisp->AddComponent(factory.CreateComponent("OrbitComponent")));
    using List = GraphicsSystem::ComponentList;
    ASSERT_EQ(graphics->GetComponents(List::OrbitComponents).size(), 1u) << "joined on creation";
    orbit->GetOrbit().radius = 2.0f;
    orbit->SetSpeed(Math::HALF_PI);
    const Math::Point4 start = transform->position;
    graphics->Update(1.0f);
    EXPECT_EQ(transform->position, start) << "components are not updated under -no_vis";
    factory.DestroyObject(wisp->GetId());
    EXPECT_TRUE(graphics->GetComponents(List::OrbitComponents).empty());
}

TEST_F(GraphicsSystemTest, HooksAndWindowHandlersGoWithTheSystem)
{
    ASSERT_NE(Start(), nullptr);
    EXPECT_TRUE(graphics->IsHudShown());
    graphics->SetMouseCursorVisible(false);
    EXPECT_FALSE(layer.cursorVisible);
    Core::Services().setMouseCursorVisible(true);
    EXPECT_TRUE(layer.cursorVisible);
    graphics->ToggleFullScreen();
    EXPECT_EQ(layer.openWidth, 1366) << "full screen takes the desktop size";
    EXPECT_TRUE(log->Contains("Not Open"));
}

// The Graphics script table's at-once entries call the system it finds through Instance.
TEST_F(GraphicsSystemTest, ScriptCallsReachTheFadeTheHudAndTheWindowWhileTheSystemLives)
{
    auto* own = new GraphicsSystem();
    own->Initialize(0);
    ASSERT_EQ(GraphicsSystem::Instance(), own);
    GraphicsSystem::Instance()->SetFade(0.0f, 0.0f, 0.0f);
    for (int channel = 0; channel < GraphicsSystem::FadeChannelCount; ++channel)
    {
        const Math::PingPongValue& fade =
            own->GetFadeRecord(static_cast<GraphicsSystem::FadeChannel>(channel));
        EXPECT_EQ(fade.value, 0.0f);
        EXPECT_EQ(fade.min, 0.0f);
        EXPECT_EQ(fade.max, 0.0f) << "fixed: nothing left to move";
        EXPECT_EQ(fade.rate, 0.0f);
    }
    GraphicsSystem::Instance()->HideHud();
    EXPECT_FALSE(own->IsHudShown());
    GraphicsSystem::Instance()->ShowHud();
    EXPECT_TRUE(own->IsHudShown());
    GraphicsSystem::Instance()->ToggleFullScreen();
    EXPECT_EQ(layer.openWidth, 1366);
    GraphicsSystem::Instance()->CreateSkybox("Skybox");

    delete own;
    EXPECT_EQ(GraphicsSystem::Instance(), nullptr);
}

TEST_F(GraphicsSystemTest, DestructionRemovesTheHooksAndTheWindowAndAsksTheGameToExit)
{
    auto* own = new GraphicsSystem();
    own->Initialize(0);
    EXPECT_EQ(Core::WindowWidth(), 1280);
    delete own;
    EXPECT_EQ(GraphicsSystem::Instance(), nullptr);
    EXPECT_EQ(Core::WindowWidth(), Core::DefaultWindowWidth);
    EXPECT_FALSE(layer.IsOpen());
    layer.OnClose(); // nobody listens any more
    layer.OnResize(10, 10);
    Deliver();
    EXPECT_EQ(recorder->CountOf(MT_GAME_STATE), 1u);
}
