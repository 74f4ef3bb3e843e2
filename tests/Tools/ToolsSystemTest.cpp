// The tools system: its bars, the property editor attached and detached through messages, the
// "Copy" and "Delete" buttons of a component, and an edited object that disappears.
#include "Tools/ToolsSystem.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Messages/Editor/AttachPropertyEditorMessage.h"
#include "Core/Messages/Editor/DetachPropertyEditorMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Objects/GameObjectComponent.h"
#include "Core/PropertyModel/PropertyButton.h"
#include "Tools/PropertyBar.h"
#include "Tools/PropertyBarManager.h"
#include "Tools/PropertyEditor.h"
#include "TweakBar/BarInspector.h"
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
    // component's group; the click runs after the next drawing pass.
    void Press(GameObjectComponent* component, const std::string& label)
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
                TweakBar::RunQueuedCallbacks();
                return;
            }
        }
        FAIL() << "no button " << label;
    }
    void Send(Message&& message) { tools->HandleMessage(&message); }

    World world;
    std::unique_ptr<ToolsSystem> tools;
};

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

    Press(copy, "Delete");
    tools->Update(0.0f);
    ASSERT_EQ(crate->GetComponentList().size(), 1u);
    EXPECT_EQ(crate->GetComponentList()[0].component, transform);
    EXPECT_EQ(Bar().FindGroup(copy), nullptr);
}

TEST_F(ToolsSystemTest, EmptiesTheBarWhenTheEditedObjectIsDestroyed)
{
    GameObject* crate = MakeCrate();
    const u32 id = crate->GetId();
    Send(AttachPropertyEditorMessage(0, id, 1, ToolsName));
    ASSERT_TRUE(Bar().HasMembers());
    world.factory.DestroyObject(id);
    tools->Update(0.0f);
    EXPECT_EQ(tools->GetPropertyEditor()->GetEditedId(), 0u);
    EXPECT_FALSE(Bar().HasMembers());
    EXPECT_TRUE(BarHas("label='Crate'")) << "title and visibility stay";
}
