// The property editor's pick: a click with the bars shown attaches the bar to what the user sees
// under the pointer; and the bar of a character in a fight, whose hits mount and remove
// components all the time.
#include "Tools/PropertyEditor.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Object/RemoveComponentMessage.h"
#include "Core/System/InputSystem.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/System/CameraSystem.h"
#include "Tools/PropertyBar.h"
#include "Tools/ToolsSystem.h"
#include "TweakBar/BarInspector.h"
#include "tests/Physics/PhysicsWorld.h"
#include "tests/Support/TempFiles.h"
#include <fstream>
#include <gtest/gtest.h>

namespace
{
using Graphics::System::CameraSystem;
using Tools::System::ToolsSystem;

// A box standing on the origin, 0.8 wide, 2 high and 0.6 deep: a character's figure.
void WriteFigure(const std::string& path)
{
    Graphics::ModelFile model;
    model.hasMesh = true;
    model.vertexCount = 8;
    model.triangleCount = 1;
    for (int corner = 0; corner < 8; ++corner)
    {
        Graphics::StaticVertex vertex{};
        vertex.position[0] = (corner & 1) != 0 ? 0.4f : -0.4f;
        vertex.position[1] = (corner & 2) != 0 ? 2.0f : 0.0f;
        vertex.position[2] = (corner & 4) != 0 ? 0.3f : -0.3f;
        const u08* bytes = reinterpret_cast<const u08*>(&vertex);
        model.vertices.insert(model.vertices.end(), bytes, bytes + sizeof(vertex));
    }
    model.indices = {0, 1, 2};
    const std::vector<u08> encoded = Graphics::FbxBinWriter::Encode(model);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(encoded.data()),
               static_cast<std::streamsize>(encoded.size()));
}

// Clicks, through the tools system, at the screen point of a world point; answers the edited id.
u32 ClickOn(ToolsSystem& tools, CameraSystem& cameras, f32 x, f32 y, f32 z)
{
    Core::System::InputSystem::SetCursorPosition(
        cameras.WorldToScreen(Math::Point4(x, y, z, 1.0f)));
    InputActionMessage click(0, 0, ToolsSystem::PickAction, KS_TRIGGER, 0);
    tools.HandleMessage(&click);
    Core::System::InputSystem::SetCursorPosition(Math::Vector2(0.0f, 0.0f));
    return tools.GetPropertyEditor()->GetEditedId();
}

// A bar's rows as a drawing pass meets them: each entry's name, groups with their open state and
// contents, as name[open](...) or name[closed](...).
std::string Rows(const std::vector<TweakBar::EntryView>& entries)
{
    std::string text;
    for (const TweakBar::EntryView& entry : entries)
    {
        text += (text.empty() ? "" : " ") + entry.name;
        if (entry.kind == TweakBar::EntryKind::Group)
            text +=
                std::string(entry.opened ? "[open](" : "[closed](") + Rows(entry.children) + ")";
    }
    return text;
}

std::string Rows(const Tools::PropertyBar& bar)
{
    TweakBar::BarView view;
    return TweakBar::InspectBar(bar.GetTweakName(), view) ? Rows(view.entries) : "no bar";
}
} // namespace

// A click arrives with the move that brought the pointer onto the object, before the camera
// system's next update: the ray goes through where the pointer is at the click. A character's
// collider is a small sphere about its feet, and its figure above that counts as well. Of two
// objects on the ray the nearer one is taken, whichever was made first.
TEST(PropertyEditor, PicksTheNearestDrawnObjectUnderThePointerAtTheClick)
{
    TempFolder folder;
    PhysicsWorld world;
    Graphics::RegisterGraphics(world.engine);
    auto* cameras = static_cast<CameraSystem*>(world.engine.AddSystem("CameraSystem"));
    ASSERT_NE(cameras, nullptr);
    ToolsSystem tools;
    tools.Initialize(0);
    WriteFigure(folder.Path("Figure.fbxbin"));
    Graphics::ModelManager models;
    Graphics::ModelParam param;
    param.path = folder.Path("Figure.fbxbin");
    const Graphics::Model* figure = models.Add("Figure", param, 0);
    ASSERT_NE(figure, nullptr);

    // The default camera looks from (0, 0, 10) at the origin. The wall behind the hero is made
    // first, so its collider comes first in the physics system's list.
    GameObject* wall = world.Make(TransformAt(0, 1, -6) + Sphere(3.0f), "Wall");
    GameObject* hero = world.Make(TransformAt(0, 0, 0) + Sphere(0.8f), "Hero");
    auto* render =
        static_cast<Graphics::RenderComponent*>(world.factory.CreateComponent("RenderComponent"));
    ASSERT_NE(render, nullptr);
    render->SetAssets(figure, nullptr, nullptr);
    hero->AddComponent(render);

    const auto clickOn = [&](f32 x, f32 y, f32 z) { return ClickOn(tools, *cameras, x, y, z); };
    EXPECT_EQ(clickOn(5.0f, 1.0f, 0.0f), 0u) << "beside both: nothing";
    EXPECT_EQ(clickOn(0.0f, 1.7f, 0.0f), hero->GetId()) << "the hero's head, above its collider";
    EXPECT_EQ(clickOn(2.5f, 1.0f, -6.0f), wall->GetId()) << "the wall beside the hero";
    EXPECT_EQ(clickOn(0.0f, 0.3f, 0.0f), hero->GetId()) << "the hero's legs, before the wall";
    render->visible = false;
    EXPECT_EQ(clickOn(0.0f, 1.7f, 0.0f), wall->GetId()) << "a hidden figure is not under it";
}

// Each hit mounts a component on the picked character and removes it again. The bar keeps the
// rows of the others as they are, an opened group staying open, between any two frames; an
// effect's rows come and go on their own; and the bar is not kept open by any of it, so a click
// elsewhere picks again.
TEST(PropertyEditor, KeepsItsRowsWhileHitsMountAndRemoveComponents)
{
    PhysicsWorld world;
    Graphics::RegisterGraphics(world.engine);
    auto* cameras = static_cast<CameraSystem*>(world.engine.AddSystem("CameraSystem"));
    ASSERT_NE(cameras, nullptr);
    ToolsSystem tools;
    tools.Initialize(0);
    GameObject* wall = world.Make(TransformAt(0, 1, -6) + Sphere(3.0f), "Wall");
    GameObject* golem = world.Make(TransformAt(0, 0, 0) + Sphere(0.8f), "Golem");
    const auto mountEffect = [&]
    {
        GameObjectComponent* effect = world.factory.CreateComponent("TransformComponent");
        golem->AddComponent(effect);
        return effect;
    };
    GameObjectComponent* hit = mountEffect();
    ASSERT_EQ(ClickOn(tools, *cameras, 0.0f, 0.3f, 0.0f), golem->GetId());
    Tools::PropertyBar& bar = *tools.GetPropertyEditor()->FindBar();
    // A component's own rows: its group and the separator after it.
    const auto ownRows = [&](const Tools::PropertyGroup* group)
    {
        if (group == nullptr)
            return std::string("none");
        const auto& entries = bar.GetEntries();
        std::size_t at = 0;
        while (at + 1 < entries.size() && entries[at].get() != group)
            ++at;
        TweakBar::EntryView shown;
        if (at + 1 >= entries.size() ||
            !TweakBar::InspectEntry(bar.GetTweakName(), group->GetName(), shown))
            return std::string("none");
        return " " + Rows(std::vector<TweakBar::EntryView>{shown}) + " " +
               entries[at + 1]->GetName();
    };
    Tools::PropertyGroup* opened = bar.FindGroup(golem->GetComponentList()[1].component);
    ASSERT_NE(opened, nullptr);
    ASSERT_TRUE(TweakBar::SetOpened(bar.GetTweakName(), opened->GetName(), true));
    const std::string hitRows = Rows(bar);
    const std::string hitOwnRows = ownRows(bar.FindGroup(hit));
    ASSERT_NE(hitRows.find(hitOwnRows), std::string::npos) << hitRows;

    // The hit ends before the next drawing pass, by a message as effects remove themselves.
    RemoveComponentMessage end(0, hit->GetId(), golem->GetId());
    golem->HandleMessage(&end);
    std::string withoutHit = hitRows;
    withoutHit.erase(withoutHit.find(hitOwnRows), hitOwnRows.size());
    EXPECT_EQ(Rows(bar), withoutHit) << "only the hit's rows went, before the next draw";
    tools.Update(0.0f);
    EXPECT_EQ(Rows(bar), withoutHit) << "and no refill closed the opened group";
    TweakBar::BarView view;
    ASSERT_TRUE(TweakBar::InspectBar(bar.GetTweakName(), view));
    EXPECT_EQ(view.label, "Golem");
    EXPECT_FALSE(tools.GetPropertyEditor()->IsKeptOpen());

    // The next hit's component gets rows of its own at the end; the others stay as they are.
    hit = mountEffect();
    tools.Update(0.0f);
    EXPECT_NE(bar.FindGroup(hit), nullptr);
    EXPECT_EQ(Rows(bar),
              withoutHit.substr(0, withoutHit.size() - 1) + ownRows(bar.FindGroup(hit)) + ")");

    EXPECT_EQ(ClickOn(tools, *cameras, 2.5f, 1.0f, -6.0f), wall->GetId()) << "not kept open";
}
