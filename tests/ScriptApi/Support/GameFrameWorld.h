#pragma once
// The whole game at play, for the game-frame benchmark and the test that a steady frame takes
// nothing from the heap: every system the game creates, the shipped assets read from the working
// directory, and four player characters (Golem, Mage, SteamKnight, Golem) with 200 enemies of the
// five shipped kinds in a ring around them, chasing and attacking. The players stand still and
// their health is too large to run out, so the fight neither ends nor changes its size.
//
// Headless, the window layer refuses to open a window and the game runs with "-no_vis": no
// graphics asset loads and nothing is drawn. Drawn, the game opens its window on the display
// (Xvfb in the suite) as it does for a player, loads its models, materials and textures, and
// its renderer draws every frame: the characters, their health bars and the particle effects.
#include "Core/Components/TransformComponent.h"
#include "Core/Engine.h"
#include "Core/Messages/Gameplay/SetPlayerNumberMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Graphics/GraphicsSystem.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Math/MathUtils.h"
#include "Platform/Window.h"
#include "ScriptApi/SubsystemRegistration.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include <cmath>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

class GameFrameWorld
{
public:
    static constexpr f32 FrameSeconds = 1.0f / 60.0f;
    static constexpr int Enemies = 200;
    // Frames run after start-up and after clearing: the start-up batches load.
    static constexpr int StartFrames = 30;
    // Frames run after the characters are made: the enemies reach the players and start
    // fighting.
    static constexpr int EngageFrames = 180;
    // Frames after the fight has started in which the pools, the kept storage and the caches
    // grow to their steady size: the number of projectiles, glows and texts alive at once peaks
    // some 300 to 500 frames in (the kept storage grows with it), and from some 800 frames on
    // only rare growth is left.
    static constexpr int WarmUpFrames = 1200;

    enum class Display
    {
        Headless,
        Drawn,
    };

    // Starts the engine, logging to `logFile`; the working directory must be the repository's
    // root (the engine reads assets/ from there). Drawn needs a display: see IsDrawing.
    explicit GameFrameWorld(const std::string& logFile, Display display = Display::Headless)
    {
        if (display == Display::Headless)
        {
            m_fakeWindow = std::make_unique<FakeWindowLayer>();
            m_fakeWindow->canOpen = false;
        }
        else
        {
            m_windowing = Platform::InitializeWindowing();
        }
        m_engine = std::make_unique<Engine>();
        Scripting::RegisterAllSubsystems(*m_engine);
        const char* const headless[] = {"game_frame", "-no_vis", "-out", logFile.c_str()};
        const char* const drawn[] = {"game_frame", "-out", logFile.c_str()};
        if (display == Display::Headless)
            m_engine->ParseCommandLine(static_cast<int>(std::size(headless)), headless);
        else
            m_engine->ParseCommandLine(static_cast<int>(std::size(drawn)), drawn);
        m_engine->Initialize();
        Frames(StartFrames);
    }
    ~GameFrameWorld()
    {
        m_engine.reset();
        if (m_windowing)
            Platform::TerminateWindowing();
    }

    // True when the renderer draws the frames: a window opened and its renderer started.
    bool IsDrawing()
    {
        auto* graphics =
            static_cast<Graphics::System::GraphicsSystem*>(m_engine->GetSystem("GraphicsSystem"));
        return m_fakeWindow == nullptr && graphics != nullptr && graphics->IsRendererReady();
    }
    GameFrameWorld(const GameFrameWorld&) = delete;
    GameFrameWorld& operator=(const GameFrameWorld&) = delete;

    Engine& GetEngine() { return *m_engine; }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            m_engine->StepFrame(FrameSeconds);
    }

    bool IsPopulated() const { return m_firstCharacter != 0; }

    // Makes the players and the enemies (once) and runs the frames in which the fight starts.
    void Populate()
    {
        if (m_firstCharacter != 0)
            return;
        Math::SeedRand(1);
        std::vector<u32> players;
        m_firstCharacter = Engine::GetLastId() + 1;
        for (const char* kind : PlayerNames)
            players.push_back(Create(kind));
        std::vector<u32> enemies;
        for (int i = 0; i < Enemies; ++i)
            enemies.push_back(Create(EnemyKinds[i % static_cast<int>(std::size(EnemyKinds))]));
        Frames(1);
        for (std::size_t i = 0; i < players.size(); ++i)
        {
            Post(new SetPlayerNumberMessage(0, static_cast<u32>(i), players[i]));
            Place(players[i], PlayerSpacing * (static_cast<f32>(i) - 1.5f), 0.0f);
            GameObject* player = m_engine->GetFactory()->FindObject(players[i]);
            if (auto* health = player != nullptr
                                   ? player->GetComponent<Logic::HealthContainerComponent>()
                                   : nullptr)
            {
                health->SetMaximumStorage(LastingHealth);
                health->Add(LastingHealth);
            }
        }
        for (u32 id : enemies)
        {
            const f32 angle = Math::RandRange(0.0f, 2.0f * Math::PI);
            const f32 radius = Math::RandRange(RingInner, RingOuter);
            Place(id, radius * std::cos(angle), radius * std::sin(angle));
        }
        Frames(EngageFrames);
    }

    // Destroys the characters and everything they made, leaving the engine as it started.
    void Clear()
    {
        if (m_firstCharacter == 0)
            return;
        m_engine->GetFactory()->DestroyObjectsFrom(m_firstCharacter);
        m_firstCharacter = 0;
        Frames(StartFrames);
    }

private:
    static constexpr const char* PlayerNames[] = {"Golem", "Mage", "SteamKnight", "Golem"};
    static constexpr const char* EnemyKinds[] = {"CharacterAIMelee", "CharacterAIRanged",
                                                 "CharacterAISpeedy", "CharacterAITank",
                                                 "CharacterAIFlock"};
    // Health nobody can take away within a run.
    static constexpr f32 LastingHealth = 1.0e9f;
    // Enemies stand in a ring around the players; the players a few units apart.
    static constexpr f32 RingInner = 8.0f;
    static constexpr f32 RingOuter = 20.0f;
    static constexpr f32 PlayerSpacing = 3.0f;
    // A message sent to no object in particular.
    static constexpr u32 NoTargetId = 0;

    void Post(Message* message) { m_engine->SendMessage(message, 0.0f); }

    // Creates an object from its definition as a script does, and returns its id.
    u32 Create(const char* archetype)
    {
        const u32 id = Engine::GenerateId();
        Post(new ObjectCreateMessage(0, id, archetype, NoTargetId));
        return id;
    }

    void Place(u32 id, f32 x, f32 z)
    {
        GameObject* object = m_engine->GetFactory()->FindObject(id);
        if (auto* transform =
                object != nullptr ? object->GetComponent<TransformComponent>() : nullptr)
            transform->SetPosition(x, 0.0f, z);
    }

    std::unique_ptr<FakeWindowLayer> m_fakeWindow; // headless only
    bool m_windowing = false;                      // drawn: the windowing library started
    std::unique_ptr<Engine> m_engine;
    u32 m_firstCharacter = 0; // the first id of the characters and what they made; 0 when none
};
