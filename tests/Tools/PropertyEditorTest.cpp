// The property editor's pick: a click with the bars shown attaches the bar to what the user sees
// under the pointer.
#include "Tools/PropertyEditor.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/System/InputSystem.h"
#include "Graphics/Assets/ModelManager.h"
#include "Graphics/Components/RenderComponent.h"
#include "Graphics/Formats/FbxBinWriter.h"
#include "Graphics/GraphicsRegistration.h"
#include "Graphics/System/CameraSystem.h"
#include "Tools/ToolsSystem.h"
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

    const auto clickOn = [&](f32 x, f32 y, f32 z)
    {
        Core::System::InputSystem::SetCursorPosition(
            cameras->WorldToScreen(Math::Point4(x, y, z, 1.0f)));
        InputActionMessage click(0, 0, ToolsSystem::PickAction, KS_TRIGGER, 0);
        tools.HandleMessage(&click);
        return tools.GetPropertyEditor()->GetEditedId();
    };
    EXPECT_EQ(clickOn(5.0f, 1.0f, 0.0f), 0u) << "beside both: nothing";
    EXPECT_EQ(clickOn(0.0f, 1.7f, 0.0f), hero->GetId()) << "the hero's head, above its collider";
    EXPECT_EQ(clickOn(2.5f, 1.0f, -6.0f), wall->GetId()) << "the wall beside the hero";
    EXPECT_EQ(clickOn(0.0f, 0.3f, 0.0f), hero->GetId()) << "the hero's legs, before the wall";
    render->visible = false;
    EXPECT_EQ(clickOn(0.0f, 1.7f, 0.0f), wall->GetId()) << "a hidden figure is not under it";
    Core::System::InputSystem::SetCursorPosition(Math::Vector2(0.0f, 0.0f));
}
