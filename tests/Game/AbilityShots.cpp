// Screenshots of one hero's abilities in the real game at its default camera: the game started as
// a player starts it (main menu, Play, a click on the hero), input through the fake window layer
// over a real window (Xvfb). Before each ability the waves' enemies are taken away and one melee
// enemy is put in its path; the hero (given health that does not run out) walks a few steps to
// face a side of the screen, the pointer rests there, and the ability is selected and fired.
// Frames after the press are read back and written, half size, as OUT/<hero>-<slot>-<frame>.png.
// Tab swaps the alternates in after the fourth.
//
//   ability_shots HERO OUT [-log FILE]
//
// SHOTS_ONLY=<slot> fires that slot only; SHOTS_CROP=1 writes the middle of the window at full
// size instead; SHOTS_WALK=Left|Right|Up turns the hero that way; SHOTS_ENEMY=<units> sets how
// far ahead the enemy stands (6).
//
// Run from the repository's root (the game reads assets/ from there). Exit status: 0 written,
// 1 failed, 2 a wrong command line, 77 no display.
#include "AI/AIControllerComponent.h"
#include "AI/AISystem.h"
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Game/Registration.h"
#include "GameState/UISystem.h"
#include "Graphics/Formats/PngImage.h"
#include "Graphics/Formats/PngWriter.h"
#include "Graphics/GraphicsSystem.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/LogicSystem.h"
#include "Math/MathUtils.h"
#include "Platform/Window.h"
#include "tests/Game/Soak/SoakWindowLayer.h"
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
constexpr f32 FrameSeconds = 1.0f / 60.0f;
constexpr int TapFrames = 4;
constexpr int PageTimeout = 600;
// Reference units of the page layout.
constexpr f32 ReferenceWidth = 1366.0f;
constexpr f32 ReferenceHeight = 768.0f;
// Frames after a press that are read back.
const int ShotFrames[] = {3, 6, 10, 16, 24, 36};
constexpr f32 LastingHealth = 1.0e9f;

struct Driver
{
    Engine* engine = nullptr;
    SoakWindowLayer* window = nullptr;
    int width = 0;
    int height = 0;

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            engine->StepFrame(FrameSeconds);
    }
    std::string Page() const
    {
        const GameState::System::UISystem* ui = GameState::System::UISystem::Instance();
        return ui != nullptr ? ui->GetCurrentPageName() : std::string();
    }
    bool WaitPage(const std::string& page)
    {
        for (int i = 0; i < PageTimeout; ++i)
        {
            if (Page() == page)
                return true;
            Frames(1);
        }
        std::printf("AbilityShots: no page %s (at %s)\n", page.c_str(), Page().c_str());
        return false;
    }
    void Key(int key, int frames = TapFrames)
    {
        window->OnKey(key, GLFW_PRESS);
        Frames(frames);
        window->OnKey(key, GLFW_RELEASE);
        Frames(1);
    }
    // The game's cursor follows the pointer by steps: the pointer is sent there frame by frame.
    void Point(int x, int y)
    {
        for (int i = 0; i < 12; ++i)
        {
            window->OnCursorPosition(x, y);
            Frames(1);
        }
    }
    void Click(int frames = TapFrames)
    {
        window->OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
        Frames(frames);
        window->OnMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_RELEASE);
    }
    void Shot(const std::string& path)
    {
        std::vector<u08> rgb(std::size_t(width) * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        Graphics::PngWriter::Description image;
        if (std::getenv("SHOTS_CROP") != nullptr)
        {
            // The middle half of the window at full size.
            image.width = static_cast<u32>(width / 2);
            image.height = static_cast<u32>(height / 2);
            image.colorType = Graphics::PngRgb;
            image.rows.resize(std::size_t(image.width) * image.height * 3);
            for (u32 y = 0; y < image.height; ++y)
                for (u32 x = 0; x < image.width; ++x)
                    for (u32 c = 0; c < 3; ++c)
                        image.rows[(std::size_t(y) * image.width + x) * 3 + c] =
                            rgb[((std::size_t(height) - 1 - (y + height / 4)) * width +
                                 (x + width / 4)) *
                                    3 +
                                c];
            Graphics::PngWriter::Save(image, path);
            return;
        }
        image.width = static_cast<u32>(width / 2);
        image.height = static_cast<u32>(height / 2);
        image.colorType = Graphics::PngRgb;
        image.rows.resize(std::size_t(image.width) * image.height * 3);
        for (u32 y = 0; y < image.height; ++y)
            for (u32 x = 0; x < image.width; ++x)
                for (u32 c = 0; c < 3; ++c)
                {
                    // Rows come bottom first; two by two pixels make one.
                    const std::size_t top = std::size_t(height - 1 - 2 * y);
                    const std::size_t below = top - 1;
                    const std::size_t left = 2 * x;
                    int sum = rgb[(top * width + left) * 3 + c] +
                              rgb[(top * width + left + 1) * 3 + c] +
                              rgb[(below * width + left) * 3 + c] +
                              rgb[(below * width + left + 1) * 3 + c];
                    image.rows[(std::size_t(y) * image.width + x) * 3 + c] =
                        static_cast<u08>((sum + 2) / 4);
                }
        Graphics::PngWriter::Save(image, path);
    }
    GameObject* Find(u32 id) const { return engine->GetFactory()->FindObject(id); }
    u32 Create(const char* archetype)
    {
        const u32 id = Engine::GenerateId();
        engine->SendMessage(new ObjectCreateMessage(0, id, archetype, 0), 0.0f);
        Frames(1);
        return id;
    }
    // Every enemy of the waves goes, so that none stands in front of the ability.
    void ClearEnemies()
    {
        std::vector<u32> owners;
        if (AI::System::AISystem* ai = AI::System::AISystem::Instance())
            for (const AI::AIControllerComponent* controller : ai->GetAIControllers())
                owners.push_back(controller->GetOwner());
        for (u32 id : owners)
            engine->GetFactory()->DestroyObject(id);
        Frames(1);
    }
    TransformComponent* TransformOf(u32 id) const
    {
        GameObject* object = Find(id);
        return object != nullptr ? object->GetComponent<TransformComponent>() : nullptr;
    }
};

bool Run(const std::string& hero, const std::string& out, const std::string& log,
         SoakWindowLayer& window)
{
    Math::SeedRand(7);
    Engine* engine = new Engine();
    g_Engine = engine;
    Game::RegisterSubsystems(*engine);
    const char* const arguments[] = {"ability_shots", "-out", log.c_str()};
    engine->ParseCommandLine(static_cast<int>(std::size(arguments)), arguments);
    engine->Initialize();
    Driver d;
    d.engine = engine;
    d.window = &window;
    auto* graphics =
        static_cast<Graphics::System::GraphicsSystem*>(engine->GetSystem("GraphicsSystem"));
    d.width = graphics->GetWindowWidth();
    d.height = graphics->GetWindowHeight();
    bool ok = d.WaitPage("MainMenu");
    d.Frames(30);
    d.Point(d.width / 2, static_cast<int>(d.height / 2 - 0.05f * ReferenceHeight));
    d.Click();
    ok = ok && d.WaitPage("CharacterSelect");
    d.Frames(30);
    const f32 buttonX = hero == "Golem" ? -0.3f : hero == "Mage" ? 0.0f : 0.3f;
    const int bx = static_cast<int>(d.width / 2 + buttonX * ReferenceWidth);
    const int by = static_cast<int>(d.height / 2 - 0.1f * ReferenceHeight);
    d.Point(bx, by);
    d.Click();
    ok = ok && d.WaitPage("HUD");
    d.Frames(30);
    std::vector<u32> players = Logic::System::LogicSystem::PlayerObjectIds();
    if (!ok || players.empty())
    {
        std::printf("AbilityShots: no player\n");
        delete engine;
        return false;
    }
    const u32 player = players.front();
    if (auto* health = d.Find(player)->GetComponent<Logic::HealthContainerComponent>())
    {
        health->SetMaximumStorage(LastingHealth);
        health->Add(LastingHealth);
    }
    const char* const walkEnv = std::getenv("SHOTS_WALK");
    const std::string walk = walkEnv != nullptr ? walkEnv : "Right";
    const int walkKey = walk == "Left" ? GLFW_KEY_LEFT
                        : walk == "Up" ? GLFW_KEY_UP
                                       : GLFW_KEY_RIGHT;
    const f32 enemyDistance =
        std::getenv("SHOTS_ENEMY") ? std::atof(std::getenv("SHOTS_ENEMY")) : 6.0f;
    const int slots = hero == "SteamKnight" ? 6 : 4;
    for (int slot = 1; slot <= slots; ++slot)
    {
        if (slot == 5)
            d.Key(GLFW_KEY_TAB);
        if (const char* only = std::getenv("SHOTS_ONLY"))
            if (std::atoi(only) != slot)
                continue;
        const int key = GLFW_KEY_1 + (slot <= 4 ? slot - 1 : slot - 4);
        // Back to the middle, facing the side: a short walk turns the hero.
        d.ClearEnemies();
        if (TransformComponent* t = d.TransformOf(player))
            t->SetPosition(0.0f, 0.0f, 0.0f);
        d.Point(walk == "Left" ? d.width / 2 - 300
                : walk == "Up" ? d.width / 2
                               : d.width / 2 + 300,
                walk == "Up" ? d.height / 2 - 200 : d.height / 2);
        window.OnKey(walkKey, GLFW_PRESS);
        d.Frames(8);
        window.OnKey(walkKey, GLFW_RELEASE);
        d.Frames(20);
        TransformComponent* t = d.TransformOf(player);
        const u32 enemy = d.Create("CharacterAIMelee");
        if (TransformComponent* e = d.TransformOf(enemy))
        {
            const Math::Point4 at = t->GetPosition();
            const f32 dx = walk == "Left" ? -1.0f : walk == "Up" ? 0.0f : 1.0f;
            const f32 dz = walk == "Up" ? -1.0f : 0.0f;
            e->SetPosition(at.x + dx * enemyDistance, 0.0f, at.z + dz * enemyDistance);
        }
        d.Key(key);
        d.Click();
        int done = 0;
        for (int frame : ShotFrames)
        {
            d.Frames(frame - done);
            done = frame;
            char name[256];
            std::snprintf(name, sizeof(name), "%s/%s-%d-%02d.png", out.c_str(), hero.c_str(), slot,
                          frame);
            d.Shot(name);
        }
        d.Frames(60);
        engine->GetFactory()->DestroyObject(enemy);
        d.Frames(60 * 7);
    }
    delete engine;
    return ok;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::printf("usage: %s HERO OUT [-log FILE]\n", argv[0]);
        return 2;
    }
    const std::string log = argc >= 5 ? argv[4] : "ability_shots_log.txt";
    if (std::getenv("DISPLAY") == nullptr)
        return 77;
    if (!Platform::InitializeWindowing())
        return 1;
    bool ok = false;
    {
        SoakWindowLayer window;
        ok = Run(argv[1], argv[2], log, window);
    }
    Platform::TerminateWindowing();
    return ok ? 0 : 1;
}
