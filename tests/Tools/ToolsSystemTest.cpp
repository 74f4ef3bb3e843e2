// The tools system: its bars, the property editor attached and detached through messages, the
// "Copy" and "Delete" buttons of a component, and an edited object that disappears.
#include "Tools/ToolsSystem.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Editor/AttachPropertyEditorMessage.h"
#include "Core/Messages/Editor/DetachPropertyEditorMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/PropertyModel/PropertyButton.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyBarManager.h"
#include "Tools/PropertyEditor.h"
#include "Tools/ToolsRegistration.h"
#include "TweakBar/BarInspector.h"
#include "tests/Support/ProbeComponent.h"
#include "tests/Support/World.h"
#include <gtest/gtest.h>
#include <memory>
#include <tinyxml2.h>

using namespace Tools;
using Tools::System::ToolsSystem;

namespace
{
constexpr const char* ToolsName = "ToolsSystem";

class ToolsSystemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        tools = std::make_unique<ToolsSystem>();
        tools->Initialize(0);
    }

    GameObject* MakeCrate()
    {
        GameObject* crate = world.Create("Crate");
        crate->AddComponent(world.factory.CreateComponent("TransformComponent"));
        return crate;
    }
    PropertyBar& Bar() { return *tools->GetPropertyEditor()->FindBar(); }
    bool BarHas(const std::string& item) const
    {
        return tools->GetPropertyEditor()->FindBar()->GetBarDefinition().find(item) !=
               std::string::npos;
    }
    // Clicks, as the user would, the button labelled `label` in the options group of the
    // component's group; the click runs after the next drawing pass (here at once, unless only
    // queued).
    void Press(GameObjectComponent* component, const std::string& label, bool run = true)
    {
        PropertyGroup* group = Bar().FindGroup(component);
        ASSERT_NE(group, nullptr);
        PropertyGroup* options = group->GetChildGroups().back();
        for (const auto& entry : options->GetEntries())
        {
            auto* button = dynamic_cast<PropertyButton*>(entry.get());
            if (button != nullptr &&
                button->GetDefinition().find("label='" + label + "'") != std::string::npos)
            {
                ASSERT_TRUE(TweakBar::Click(Bar().GetTweakName(), button->GetName()));
                if (run)
                    TweakBar::RunQueuedCallbacks();
                return;
            }
        }
        FAIL() << "no button " << label;
    }
    // Whether the component's group is shown open.
    bool IsOpen(GameObjectComponent* component)
    {
        PropertyGroup* group = Bar().FindGroup(component);
        TweakBar::EntryView view;
        return group != nullptr &&
               TweakBar::InspectEntry(Bar().GetTweakName(), group->GetName(), view) && view.opened;
    }
    void Send(Message&& message) { tools->HandleMessage(&message); }

    World world;
    std::unique_ptr<ToolsSystem> tools;
};

// What a drawing pass of the bar does: reads every value it shows through the get callbacks.
// Answers how many values it read.
int ReadEveryValue(const std::string& barName, const std::vector<TweakBar::EntryView>& entries)
{
    int read = 0;
    for (const TweakBar::EntryView& entry : entries)
    {
        read += ReadEveryValue(barName, entry.children);
        if (entry.kind != TweakBar::EntryKind::Variable)
            continue;
        double number = 0.0;
        std::string text;
        read += TweakBar::ReadNumber(barName, entry.name, number) ? 1 : 0;
        read += TweakBar::ReadText(barName, entry.name, text) ? 1 : 0;
    }
    return read;
}

int ReadEveryValue(const std::string& barName)
{
    TweakBar::BarView view;
    return TweakBar::InspectBar(barName, view) ? ReadEveryValue(barName, view.entries) : 0;
}

// The name of the first variable of the component's group that takes a number.
std::string FirstNumberEntry(PropertyGroup& group)
{
    for (PropertyGroup* child : group.GetChildGroups())
    {
        for (const auto& entry : child->GetEntries())
        {
            double number = 0.0;
            if (TweakBar::ReadNumber(group.GetBar().GetTweakName(), entry->GetName(), number))
                return entry->GetName();
        }
    }
    return std::string();
}

std::string Xml(GameObjectComponent& component)
{
    tinyxml2::XMLDocument document;
    GameObject::SerializeComponent(document, nullptr, component);
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    return printer.CStr();
}
} // namespace

TEST_F(ToolsSystemTest, MakesBothBarsNamedWithTheProgramWideCounter)
{
    System::PropertyBarManager& bars = *tools->GetBarManager();
    const PropertyBar* property = bars.Find("PropertyEditor", 0);
    const PropertyBar* particle = bars.Find("ParticleEditor", 0);
    ASSERT_TRUE(property != nullptr && particle != nullptr);
    // Exact only in a process of its own, as CTest runs each test.
    EXPECT_EQ(property->GetTweakName(), "PropertyEditor0");
    EXPECT_EQ(particle->GetTweakName(), "ParticleEditor1");
    EXPECT_NE(property->GetBarDefinition().find("label='EditorBar'"), std::string::npos);
    EXPECT_NE(particle->GetBarDefinition().find("visible='false'"), std::string::npos);
    // Titled with its own name, not the layer's numbered one.
    EXPECT_NE(particle->GetBarDefinition().find("label='ParticleEditor'"), std::string::npos);
}

TEST(PropertyBar, PlacesBarsFromTheEdgesAndTheCentre)
{
    PropertyBarParam param;
    param.position[0] = 10.0f;
    param.size[0] = 200.0f;
    param.horizontalAlignment = 1;
    EXPECT_FLOAT_EQ(PlaceBar(param, 1024, 768).x, 814.0f);
    param.position[0] = 0.0f;
    param.size[0] = 0.0f;
    param.horizontalAlignment = 2;
    EXPECT_FLOAT_EQ(PlaceBar(param, 1025, 768).x, 512.0f);
    param.position[1] = 28.0f;
    param.size[1] = 100.0f;
    param.verticalAlignment = 0;
    EXPECT_FLOAT_EQ(PlaceBar(param, 1025, 768).y, 640.0f);
}

TEST_F(ToolsSystemTest, AttachesDetachesAndKeepsOpenThroughMessages)
{
    GameObject* crate = MakeCrate();
    PropertyEditor& editor = *tools->GetPropertyEditor();

    Send(AttachPropertyEditorMessage(0, crate->GetId(), 0, ToolsName));
    EXPECT_EQ(editor.GetEditedId(), crate->GetId());
    EXPECT_TRUE(BarHas("label='Crate'"));
    TweakBar::BarView view;
    ASSERT_TRUE(TweakBar::InspectBar(Bar().GetTweakName(), view));
    EXPECT_EQ(view.label, "Crate");
    EXPECT_TRUE(view.visible);
    EXPECT_NE(Bar().FindGroup(crate->GetComponentList()[0].component), nullptr);

    // Without keep-open any movement closes the bar; a click with no camera picks nothing.
    Send(InputActionMessage(0, 0, 0, KS_TRIGGER, 0));
    EXPECT_EQ(editor.GetEditedId(), crate->GetId());
    Send(InputMoveMessage(0, 3, Math::Vector2(1.0f, 0.0f), KS_PRESSED, 0));
    EXPECT_EQ(editor.GetEditedId(), 0u);
    EXPECT_FALSE(Bar().HasMembers());
    EXPECT_TRUE(BarHas("visible='false'"));
    EXPECT_TRUE(BarHas("label='PropertyBar'"));

    // Kept open, movement leaves it; an id naming no object is ignored; 92 detaches.
    Send(AttachPropertyEditorMessage(0, crate->GetId(), 1, ToolsName));
    Send(InputMoveMessage(0, 0, Math::Vector2(0.0f, 1.0f), KS_PRESSED, 0));
    EXPECT_EQ(editor.GetEditedId(), crate->GetId());
    Send(AttachPropertyEditorMessage(0, crate->GetId() + 1000, 0, ToolsName));
    EXPECT_EQ(editor.GetEditedId(), crate->GetId());
    EXPECT_TRUE(editor.IsKeptOpen());
    Send(DetachPropertyEditorMessage(0, ToolsName));
    EXPECT_EQ(editor.GetEditedId(), 0u);
    EXPECT_FALSE(editor.IsKeptOpen());
}

TEST_F(ToolsSystemTest, CopyAddsAnEqualComponentAndDeleteRemovesIt)
{
    GameObject* crate = MakeCrate();
    auto* transform = crate->GetComponent<TransformComponent>();
    transform->SetPosition(1.0f, 2.0f, 3.0f);
    transform->scale = Math::Vector3(2.0f, 2.0f, 2.0f);
    Send(AttachPropertyEditorMessage(0, crate->GetId(), 0, ToolsName));

    Press(transform, "Copy");
    ASSERT_EQ(crate->GetComponentList().size(), 2u);
    GameObjectComponent* copy = crate->GetComponentList()[1].component;
    EXPECT_EQ(copy->GetName(), "TransformComponent");
    EXPECT_EQ(Xml(*copy), Xml(*transform));
    tools->Update(0.0f);
    EXPECT_NE(Bar().FindGroup(copy), nullptr) << "the refresh shows both";
    EXPECT_TRUE(tools->GetPropertyEditor()->IsKeptOpen());

    // The copy's own Delete takes its rows away from inside the bar's callback, and a value set
    // on it after the click finds its entry gone. The original's opened group stays open, and
    // the bar stays kept open as after every press.
    ASSERT_TRUE(
        TweakBar::SetOpened(Bar().GetTweakName(), Bar().FindGroup(transform)->GetName(), true));
    const std::string copyValue = FirstNumberEntry(*Bar().FindGroup(copy));
    ASSERT_FALSE(copyValue.empty());
    Press(copy, "Delete", false);
    ASSERT_TRUE(TweakBar::SetNumber(Bar().GetTweakName(), copyValue, 5.0));
    TweakBar::RunQueuedCallbacks();
    ASSERT_EQ(crate->GetComponentList().size(), 1u);
    EXPECT_EQ(crate->GetComponentList()[0].component, transform);
    EXPECT_EQ(Bar().FindGroup(copy), nullptr);
    EXPECT_TRUE(IsOpen(transform));
    tools->Update(0.0f);
    EXPECT_EQ(Bar().FindGroup(copy), nullptr);
    EXPECT_TRUE(IsOpen(transform)) << "the refresh after the press keeps it open";
    EXPECT_TRUE(tools->GetPropertyEditor()->IsKeptOpen());
}

// A level's end destroys the object the bar shows: the bar loses its title with the entries,
// detaches at the next update, and the next level's object is shown under its own name.
TEST_F(ToolsSystemTest, DetachesWhenTheEditedObjectIsDestroyed)
{
    const u32 levelStart = Engine::GenerateId();
    GameObject* golem = world.Create("Golem");
    golem->AddComponent(world.factory.CreateComponent("TransformComponent"));
    Send(AttachPropertyEditorMessage(0, golem->GetId(), 0, ToolsName));
    ASSERT_TRUE(BarHas("label='Golem'"));
    world.factory.DestroyObjectsFrom(levelStart);
    EXPECT_FALSE(Bar().HasMembers());
    EXPECT_FALSE(BarHas("label='Golem'")) << "the title goes before the next drawing pass";
    tools->Update(0.0f);
    EXPECT_EQ(tools->GetPropertyEditor()->GetEditedId(), 0u);
    EXPECT_TRUE(BarHas("visible='false'"));
    EXPECT_TRUE(BarHas("label='PropertyBar'"));

    GameObject* crate = MakeCrate();
    Send(AttachPropertyEditorMessage(0, crate->GetId(), 0, ToolsName));
    TweakBar::BarView view;
    ASSERT_TRUE(TweakBar::InspectBar(Bar().GetTweakName(), view));
    EXPECT_EQ(view.label, "Crate");
    EXPECT_TRUE(view.visible);
    EXPECT_TRUE(Bar().HasMembers());
}

// However a shown component goes (its object destroyed by the factory, as a script's or a key's
// destroy message is carried out; the component removed by a script's message; a level's
// objects destroyed together), the bar drops its entries at once: the next drawing pass, which
// comes before the tools system's update, reads no freed value, and a value the user set just
// before is not written into one.
TEST_F(ToolsSystemTest, DropsTheEntriesOfADestroyedComponentBeforeAnyDraw)
{
    const u32 levelStart = Engine::GenerateId();
    for (int route = 0; route < 3; ++route)
    {
        SCOPED_TRACE(route);
        GameObject* crate = MakeCrate();
        const u32 id = crate->GetId();
        auto* transform = crate->GetComponent<TransformComponent>();
        Send(AttachPropertyEditorMessage(0, id, 1, ToolsName));
        PropertyGroup* group = Bar().FindGroup(transform);
        ASSERT_NE(group, nullptr);
        group->SetKey("opened", "1");
        group->ApplyDefinition();
        ASSERT_GT(ReadEveryValue(Bar().GetTweakName()), 0);
        const std::string edited = FirstNumberEntry(*group);
        ASSERT_FALSE(edited.empty());
        ASSERT_TRUE(TweakBar::SetNumber(Bar().GetTweakName(), edited, 5.0));

        if (route == 0)
            world.factory.DestroyObject(id);
        else if (route == 1)
        {
            RemoveComponentMessage remove(0, transform->GetId(), id);
            crate->HandleMessage(&remove);
        }
        else
            world.factory.DestroyObjectsFrom(levelStart);

        EXPECT_FALSE(Bar().HasMembers());
        EXPECT_EQ(ReadEveryValue(Bar().GetTweakName()), 0);
        TweakBar::RunQueuedCallbacks(); // the queued set finds its entry gone
        tools->Update(0.0f);
        if (route == 1)
        {
            EXPECT_EQ(tools->GetPropertyEditor()->GetEditedId(), id) << "still shown";
            EXPECT_EQ(Bar().FindGroup(transform), nullptr);
            world.factory.DestroyObject(id);
            tools->Update(0.0f);
        }
        EXPECT_EQ(tools->GetPropertyEditor()->GetEditedId(), 0u);
    }
}

// Quitting destroys every object with the engine while its systems, the tools system among
// them, still exist. A probe component added first goes last and reads the bar as a drawing
// pass would, after the shown transform is gone.
TEST(ToolsSystemShutdown, DropsTheEntriesOfObjectsDestroyedWithTheEngine)
{
    auto world = std::make_unique<World>();
    Tools::RegisterTools(world->engine);
    // The engine's first system is its log, which it destroys last.
    ASSERT_NE(world->engine.AddSystem("LogSystem"), nullptr);
    auto* tools = static_cast<ToolsSystem*>(world->engine.AddSystem(ToolsName));
    ASSERT_NE(tools, nullptr);
    if (tools->GetPropertyEditor() == nullptr)
        tools->Initialize(0);
    GameObject* crate = world->Create("Crate");
    auto* probe = new ProbeComponent();
    crate->AddComponent(probe);
    crate->AddComponent(world->factory.CreateComponent("TransformComponent"));
    AttachPropertyEditorMessage attach(0, crate->GetId(), 1, ToolsName);
    tools->HandleMessage(&attach);
    const std::string barName = tools->GetPropertyEditor()->FindBar()->GetTweakName();
    ASSERT_GT(ReadEveryValue(barName), 0);

    int readAtShutdown = -1;
    bool entriesAtShutdown = true;
    probe->onShutdown = [&](ProbeComponent&)
    {
        readAtShutdown = ReadEveryValue(barName);
        entriesAtShutdown = tools->GetPropertyEditor()->FindBar()->HasMembers();
    };
    world.reset();
    EXPECT_EQ(readAtShutdown, 0);
    EXPECT_FALSE(entriesAtShutdown);
}
