// Covers: HealthContainerComponent, GraphicsSystem, CameraSystem.
// The heads-up health bars as a player sees them: the whole game drawn by its renderer on a
// display of the test's own, the shipped Golem and a hurt melee enemy placed in front of the
// camera, and the frame read back. With the heads-up display shown, the fill of each bar (the
// Golem's green, the enemy's red) lies above its object and the objects are drawn; with it
// hidden through the scripts' hook no bar pixel is left and the objects still show; shown again,
// the bars are back. The frames are written beside the test's build output for review.
#include "Core/Messages/Object/AddComponentMessage.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/System/CameraSystem.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/LogicSystem.h"
#include "tests/Graphics/Rendering/SceneRendering.h"
#include "tests/ScriptApi/Support/GameFrameWorld.h"
#include "tests/Support/TempFiles.h"
#include <cstdio>
#include <gtest/gtest.h>

using namespace SceneFile;

namespace
{
// Frames drawn after a change before the one that is read.
constexpr int SettleFrames = 4;
// A bar fill pixel: the Golem's fill is pure green, the enemy's a strong red (210, 40, 30); the
// models, the ability icons and the pages hold nothing this pure.
constexpr int Strong = 195;
constexpr int Weak = 50;
// A bar is a few dozen pixels wide and a few high: this many of its colour are plenty.
constexpr int MinBarPixels = 20;
// The bars' heights over their objects' feet (assets/Objects/HealthBar*.xml), and how far up or
// down from the height's screen point their pixels are looked for.
constexpr f32 GolemBarHeight = 3.0f;
constexpr f32 EnemyBarHeight = 2.5f;
constexpr int BarSlack = 24;
// The characters stand this far ahead of the camera (on the ground) and this far to each side,
// low enough on the screen to stay clear of the main menu's title.
constexpr f32 Ahead = 8.0f;
constexpr f32 Aside = 4.0f;
// How long the blow's health effect lasts (a blow's effect is short and not given back).
constexpr f32 BlowSeconds = 0.1f;
// A drawn object changes at least this many pixels around its place from the empty scene.
constexpr int MinObjectPixels = 50;
constexpr int ChangeThreshold = 24;

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<u08> rgb; // bottom row first

    // The pixel at window coordinates from the top left.
    const u08* At(int x, int yFromTop) const
    {
        return &rgb[(std::size_t(height - 1 - yFromTop) * width + x) * BytesPerPixel];
    }
};

// Pixels from the top left, x in [left, right), y in [top, bottom), inside the picture.
struct Box
{
    int left, top, right, bottom;
};

Box Clip(const Picture& picture, Box box)
{
    return {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, picture.width),
            std::min(box.bottom, picture.height)};
}

enum class Fill
{
    Green,
    Red
};

bool IsFill(const u08* p, Fill fill)
{
    const int r = p[0], g = p[1], b = p[2];
    return fill == Fill::Green ? (g >= Strong && r <= Weak && b <= Weak)
                               : (r >= Strong && g <= Weak && b <= Weak);
}

int CountFill(const Picture& picture, Box box, Fill fill)
{
    box = Clip(picture, box);
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            count += IsFill(picture.At(x, y), fill) ? 1 : 0;
    return count;
}

int CountChanged(const Picture& before, const Picture& after, Box box)
{
    box = Clip(after, box);
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
        {
            const u08* a = before.At(x, y);
            const u08* b = after.At(x, y);
            count +=
                (std::abs(a[0] - b[0]) > ChangeThreshold ||
                 std::abs(a[1] - b[1]) > ChangeThreshold || std::abs(a[2] - b[2]) > ChangeThreshold)
                    ? 1
                    : 0;
        }
    return count;
}

void Save(const Picture& picture, const std::string& path)
{
    Graphics::PngWriter::Description image;
    image.width = static_cast<u32>(picture.width);
    image.height = static_cast<u32>(picture.height);
    image.colorType = Graphics::PngRgb;
    const std::size_t row = std::size_t(picture.width) * BytesPerPixel;
    image.rows.resize(picture.rgb.size());
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.rgb.begin() + static_cast<std::ptrdiff_t>(y * row), row,
                    image.rows.begin() +
                        static_cast<std::ptrdiff_t>((picture.height - 1 - y) * row));
    Graphics::PngWriter::Save(image, path);
}
} // namespace

TEST(HealthBarScreenshot, BarsShowAboveTheirObjectsAndHideWithTheHud)
{
    OwnDisplay display;
    std::string reason;
    if (!display.Start(reason))
        GTEST_SKIP() << reason;
    const std::string log = TempPath("health-bar-log-%%%%%%.txt");
    {
        GameFrameWorld world(log, GameFrameWorld::Display::Drawn);
        ASSERT_TRUE(world.IsDrawing()) << "the game's renderer did not start on the display";
        Engine& engine = world.GetEngine();
        auto* graphics =
            static_cast<Graphics::System::GraphicsSystem*>(engine.GetSystem("GraphicsSystem"));
        auto* cameras = Graphics::System::CameraSystem::Instance();
        ASSERT_NE(cameras, nullptr);
        const int width = graphics->GetWindowWidth();
        const int height = graphics->GetWindowHeight();
        auto grab = [&]()
        {
            world.Frames(SettleFrames);
            Picture picture;
            picture.width = width;
            picture.height = height;
            picture.rgb.assign(std::size_t(width) * height * BytesPerPixel, 0);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadBuffer(GL_BACK);
            glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
            return picture;
        };
        const Picture empty = grab();

        // The two characters, made as a script makes them, then put in front of the camera.
        auto create = [&](const char* archetype)
        {
            const u32 id = Engine::GenerateId();
            engine.SendMessage(new ObjectCreateMessage(0, id, archetype, 0), 0.0f);
            return id;
        };
        const u32 golemId = create("Golem");
        const u32 enemyId = create("CharacterAIMelee");
        world.Frames(1);
        GameObject* golem = engine.GetFactory()->FindObject(golemId);
        GameObject* enemy = engine.GetFactory()->FindObject(enemyId);
        ASSERT_NE(golem, nullptr);
        ASSERT_NE(enemy, nullptr);
        Graphics::CameraComponent& camera = *cameras->GetActiveCamera();
        auto place = [&](GameObject* object, f32 aside)
        {
            const Math::Vector4 flat = Math::Vector4(camera.look.x, 0.0f, camera.look.z, 0.0f);
            const Math::Point4 eye = camera.GetEye();
            Math::Point4 at = Math::Point4(eye + flat * (Ahead / std::max(flat.Length(), 0.01f)) +
                                           camera.right * aside);
            at.y = 0.0f;
            object->GetComponent<TransformComponent>()->position = at;
            return at;
        };
        // Hurt the enemy as a blow does: a health effect of half its health handed to it in a
        // component message. Its bar shows once it is below full health.
        auto* health = enemy->GetComponent<Logic::HealthContainerComponent>();
        ASSERT_NE(health, nullptr);
        GameObjectComponent* blow = Logic::System::LogicSystem::MakeEffect(
            "HealthEffectComponent", BlowSeconds, 0.5f * health->GetCurrentStorage(), false);
        ASSERT_NE(blow, nullptr);
        engine.SendMessage(new AddComponentMessage(0, blow, enemyId, 0), 0.0f);
        world.Frames(1);
        ASSERT_LT(health->GetFraction(), 1.0f) << "the blow took health";
        ASSERT_GT(health->GetFraction(), 0.0f) << "the enemy lives";

        struct Seen
        {
            GameObject* object;
            Fill fill;
            f32 barHeight;
            const char* name;
        };
        const Seen seen[] = {{golem, Fill::Green, GolemBarHeight, "the Golem"},
                             {enemy, Fill::Red, EnemyBarHeight, "the enemy"}};
        auto check = [&](const Picture& picture, bool barsShown)
        {
            for (const Seen& s : seen)
            {
                const Math::Point4 at = s.object->GetComponent<TransformComponent>()->position;
                const Math::Vector2 screen = cameras->WorldToScreen(at);
                const int x = static_cast<int>(screen.x);
                const int y = static_cast<int>(screen.y);
                ASSERT_TRUE(x > 0 && x < width && y > 0 && y < height) << s.name << " in view";
                const int half = width / 10;
                const Box around{x - half, y - height / 3, x + half, y + height / 20};
                EXPECT_GE(CountChanged(empty, picture, around), MinObjectPixels)
                    << s.name << " is drawn";
                const Math::Vector2 barScreen = cameras->WorldToScreen(
                    Math::Point4(at + Math::Vector4(0.0f, s.barHeight, 0.0f, 0.0f)));
                const int barY = static_cast<int>(barScreen.y);
                ASSERT_LT(barY + BarSlack, y) << s.name << "'s bar is looked for above it";
                const Box above{x - half, barY - BarSlack, x + half, barY + BarSlack};
                const int bar = CountFill(picture, above, s.fill);
                if (barsShown)
                    EXPECT_GE(bar, MinBarPixels) << s.name << "'s bar above it";
                else
                    EXPECT_EQ(bar, 0) << s.name << "'s bar with the heads-up display hidden";
            }
        };

        place(golem, -Aside);
        place(enemy, Aside);
        const Picture shown = grab();
        Save(shown, QUILL_SCREENSHOT_DIR "/HealthBarsShown.png");
        check(shown, true);

        Graphics::System::GraphicsSystem::Instance()->HideHud();
        place(golem, -Aside);
        place(enemy, Aside);
        const Picture hidden = grab();
        Save(hidden, QUILL_SCREENSHOT_DIR "/HealthBarsHidden.png");
        check(hidden, false);
        const Box whole{0, 0, width, height};
        EXPECT_EQ(CountFill(hidden, whole, Fill::Green), 0) << "no Golem's bar on the screen";
        EXPECT_EQ(CountFill(hidden, whole, Fill::Red), 0) << "no enemy's bar on the screen";

        Graphics::System::GraphicsSystem::Instance()->ShowHud();
        place(golem, -Aside);
        place(enemy, Aside);
        const Picture again = grab();
        check(again, true);
    }
    std::remove(log.c_str());
}
