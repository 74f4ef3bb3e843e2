#include "tests/Game/PlayToWin/AimingPlayer.h"
#include "AI/AIControllerComponent.h"
#include "AI/AISystem.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/InputSystem.h"
#include "GameState/ButtonComponent.h"
#include "GameState/PageComponent.h"
#include "GameState/UISystem.h"
#include "Graphics/System/CameraSystem.h"
#include "Logic/Containers/HealthContainerComponent.h"
#include "Logic/Controllers/SimpleControllerComponent.h"
#include "Logic/LogicSystem.h"
#include "Logic/Modifiers/HealthModifierComponent.h"
#include "Math/Quaternion.h"
#include "Physics/RigidBodyComponent.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
// Pages of the shipped game.
const char* const MainMenuName = "MainMenu";
const char* const CharacterSelectName = "CharacterSelect";
const char* const Hud = "HUD";
const char* const PlayButton = "Play";

// Frames a page is shown before its button is clicked (the buttons slide in); a click the page
// did not take is made again this many frames later.
constexpr int ClickWait = 60;
constexpr int ClickRetry = 45;
// Frames a button or key is held.
constexpr int TapFrames = 2;
// The pointer moves at most this fraction of the window per frame (the game moves its cursor by
// at most half the window per event).
constexpr float MouseReach = 0.4f;

// A press whose ready bit has not gone off after this many frames did not fire.
constexpr int FireTimeout = 8;
// Frames the pointer points away before an escape is fired.
constexpr int TurnFrames = 3;
// How far past the hero an escape points, in units.
constexpr float EscapeReach = 8.0f;

// Below this health fraction the hero steps back: to a health pick-up if one lies in the arena,
// else away from the enemies close to it.
constexpr float LowHealth = 0.35f;
// Enemies closer than this are the ones stepped back from.
constexpr float ThreatRange = 7.0f;
// How far one step back goes, in units.
constexpr float StepBack = 6.0f;
// The hero keeps within this distance of the arena's centre when stepping back.
constexpr float ArenaKeep = 24.0f;
// An arrow is held while the wanted direction leans this much along its axis.
constexpr float ArrowLean = 0.35f;
const char* const PickupName = "HealthPickup";
// Enemies farther than this from the arena's centre are not chased (a character is pulled back
// into the arena beyond 55 units).
constexpr float ChaseLimit = 54.0f;
// An enemy moving away from the hero faster than this (units per second) runs away; it is run
// down at about the second speed.
constexpr float FleeingSpeed = 1.0f;
constexpr float RunDownSpeed = 12.0f;

// A hit counts for a firing up to this many frames after its object's time is out (the object
// is made a frame or two after the press, and the damage shows a frame after the touch).
constexpr long HitSlackFrames = 6;
constexpr float FramesPerSecond = 60.0f;

// The arrow keys in the order of m_arrowsHeld: up moves along -z, down +z, left -x, right +x
// (the stance's flat direction of the move).
constexpr int Arrows[] = {GLFW_KEY_UP, GLFW_KEY_DOWN, GLFW_KEY_LEFT, GLFW_KEY_RIGHT};
constexpr int SlotKeys[AimingPlayer::Slots] = {GLFW_KEY_1, GLFW_KEY_2, GLFW_KEY_3, GLFW_KEY_4};

// What a player learns of each hero by playing it: the reach of each ability (from the hero to
// where its object gets, as the object definitions place and move them) and how long its object
// is out. The Mage's blink alone is an escape.
const AimingPlayer::Hero Heroes[] = {
    // Titan's fist (1.5 ahead, radius 1), armour, earthquake (radius 4), rage.
    {"Golem",
     2.5f,
     {{{3.2f, 0.3f}, {4.0f, 4.0f}, {4.5f, 0.5f}, {4.0f, 0.2f}}},
     {{true, true, true, true}}},
    // Laser (30 units/s for 0.8 s), blink (an escape from an enemy at arm's reach), lightning fan
    // (25 units/s for 0.6 s), orb (6 units/s for 3 s).
    {"Mage",
     12.0f,
     {{{22.0f, 0.8f}, {2.5f, 0.25f}, {14.0f, 0.6f}, {16.0f, 3.0f}}},
     {{true, false, true, true}}},
    // Lance thrust (a dash of 6 units), damage trap (1.5 ahead, 8 s), steam pump (2 ahead,
    // radius 1.5), fissure (12 units/s for 1.2 s).
    {"SteamKnight",
     3.0f,
     {{{6.0f, 0.3f}, {3.0f, 8.0f}, {3.5f, 0.6f}, {12.0f, 1.2f}}},
     {{true, true, true, true}}},
};

const GameObject* FindObject(u32 id)
{
    GameFactory* factory = Engine::Factory();
    return factory != nullptr ? factory->FindObject(id) : nullptr;
}

// Player 0's controller, or null while no character plays.
Logic::SimpleControllerComponent* HeroController()
{
    AI::System::AISystem* ai = AI::System::AISystem::Instance();
    if (ai == nullptr)
        return nullptr;
    for (Logic::SimpleControllerComponent* player : ai->GatherPlayerControllers())
    {
        if (player != nullptr && player->GetPlayerNumber() == 0)
            return player;
    }
    return nullptr;
}

AimingPlayer::Body BodyOf(u32 objectId)
{
    AimingPlayer::Body body;
    if (const GameObject* object = FindObject(objectId))
    {
        body.transform = object->GetComponent<TransformComponent>();
        body.health = object->GetComponent<Logic::HealthContainerComponent>();
        body.rigidBody = object->GetComponent<Physics::RigidBodyComponent>();
    }
    return body;
}

// The angle in degrees between the hero's facing and the flat direction to a point.
float FacingError(const TransformComponent& hero, float x, float z)
{
    const Math::Vector4 facing =
        hero.GetOrientation().Rotate(Math::Vector4(0.0f, 0.0f, 1.0f, 0.0f));
    const Math::Point4& at = hero.GetPosition();
    const float dx = x - at.x;
    const float dz = z - at.z;
    const float lengths =
        std::sqrt((facing.x * facing.x + facing.z * facing.z) * (dx * dx + dz * dz));
    if (lengths <= 0.0f)
        return 0.0f;
    const float cosine = std::clamp((facing.x * dx + facing.z * dz) / lengths, -1.0f, 1.0f);
    return std::acos(cosine) * 180.0f / 3.14159265f;
}
} // namespace

const AimingPlayer::Hero* AimingPlayer::FindHero(const std::string& name)
{
    for (const Hero& hero : Heroes)
    {
        if (hero.name == name)
            return &hero;
    }
    return nullptr;
}

AimingPlayer::AimingPlayer(FakeWindowLayer& window, const Hero& hero, bool aim)
    : m_window(window), m_hero(hero), m_aim(aim)
{
}

void AimingPlayer::Step(const std::string& page)
{
    ++m_frame;
    if (page != m_page)
        OnNewPage(page);
    ++m_pageFrames;
    ReleaseDue();
    if (page == MainMenuName)
        ClickButton(PlayButton);
    else if (page == CharacterSelectName)
        ClickButton(m_hero.name);
    else if (page == Hud)
        Fight();
}

void AimingPlayer::OnNewPage(const std::string& page)
{
    ReleaseAll();
    m_page = page;
    m_pageFrames = 0;
    m_pendingSlot = -1;
    m_steppingBack = false;
}

// The page is laid out as the overlay pass lays it out to draw it: under "-no_vis" nothing is
// drawn, and a button never drawn has no size to be clicked within. The pointer goes to the
// button's centre, rests there, and the left button clicks.
void AimingPlayer::ClickButton(const std::string& name)
{
    if (m_pageFrames < ClickWait)
        return;
    GameState::System::UISystem* ui = GameState::System::UISystem::Instance();
    const GameState::PageComponent* page = ui != nullptr ? ui->GetCurrentPage() : nullptr;
    GameState::ButtonComponent* button = page != nullptr ? page->FindButton(name) : nullptr;
    if (button == nullptr)
        return;
    const float width = static_cast<float>(Core::WindowWidth());
    const float height = static_cast<float>(Core::WindowHeight());
    std::vector<GameState::System::UISystem::DrawItem> items;
    ui->CollectDrawItems(items, width, height);
    const float x = button->windowPosition.x * width;
    const float y = (1.0f - button->windowPosition.y) * height;
    const bool there = MoveMouse(x, y);
    if (there && (m_pageFrames - ClickWait) % ClickRetry == ClickRetry - 1)
        PressMouse(GLFW_MOUSE_BUTTON_LEFT, TapFrames);
}

void AimingPlayer::Fight()
{
    Logic::SimpleControllerComponent* controller = HeroController();
    const Body hero = controller != nullptr ? BodyOf(controller->GetOwner()) : Body();
    if (hero.transform == nullptr || hero.health == nullptr)
        return;
    if (!m_heroSeen || hero.health->GetCurrentStorage() < m_tally.lowestHealth)
        m_tally.lowestHealth = hero.health->GetCurrentStorage();
    m_tally.health = hero.health->GetCurrentStorage();
    m_tally.maximumHealth = hero.health->GetMaximumStorage();
    m_heroSeen = true;
    if (hero.health->GetCurrentStorage() <= 0.0f)
    {
        ReleaseAll();
        return;
    }
    CountHits();
    const Math::Point4& at = hero.transform->GetPosition();
    const Target nearest = NearestEnemy(at.x, at.z);

    // The pointer: on the nearest enemy, or away from it for an escape about to be fired.
    if (m_pendingSlot >= 0 && !m_hero.aimed[m_pendingSlot] && nearest.found)
    {
        const float dx = at.x - nearest.x;
        const float dz = at.z - nearest.z;
        const float length = std::max(std::sqrt(dx * dx + dz * dz), 0.001f);
        Aim(at.x + dx / length * EscapeReach, at.z + dz / length * EscapeReach);
    }
    else if (nearest.found && m_aim)
    {
        Aim(nearest.x, nearest.z);
    }

    FireReady(*controller, *hero.transform, nearest);
    Move(hero, nearest);
    RememberPlaces();

    if (m_trace && m_tally.health < m_lastHealth)
        std::printf("PlayToWin: trace %5.1f s hero lost %.0f health, %.0f left\n",
                    static_cast<float>(m_frame) / FramesPerSecond, m_lastHealth - m_tally.health,
                    m_tally.health);
    m_lastHealth = m_tally.health;
    if (m_trace && m_frame % 60 == 0)
    {
        const Math::Vector4 velocity =
            hero.rigidBody != nullptr ? hero.rigidBody->GetVelocity() : Math::Vector4();
        std::map<std::string, int> kinds;
        if (const AI::System::AISystem* ai = AI::System::AISystem::Instance())
        {
            for (const AI::AIControllerComponent* enemy : ai->GetAIControllers())
            {
                if (const GameObject* object = FindObject(enemy->GetOwner()))
                    ++kinds[object->GetName()];
            }
        }
        std::string enemies;
        for (const auto& [name, count] : kinds)
            enemies += " " + name.substr(name.find("AI") + 2) + ":" + std::to_string(count);
        std::printf("PlayToWin: trace %5.1f s hero (%.1f, %.1f) health %.0f speed %.2f, "
                    "nearest %.1f away, facing off %.0f degrees;%s\n",
                    static_cast<float>(m_frame) / FramesPerSecond, at.x, at.z,
                    hero.health->GetCurrentStorage(), velocity.Length(), nearest.distance,
                    nearest.found ? FacingError(*hero.transform, nearest.x, nearest.z) : 0.0f,
                    enemies.c_str());
    }
}

AimingPlayer::Target AimingPlayer::NearestEnemy(float x, float z) const
{
    Target nearest;
    const AI::System::AISystem* ai = AI::System::AISystem::Instance();
    if (ai == nullptr)
        return nearest;
    for (const AI::AIControllerComponent* enemy : ai->GetAIControllers())
    {
        const Body body = BodyOf(enemy->GetOwner());
        if (body.transform == nullptr ||
            (body.health != nullptr && body.health->GetCurrentStorage() <= 0.0f))
            continue;
        const Math::Point4& at = body.transform->GetPosition();
        const float distance = std::sqrt((at.x - x) * (at.x - x) + (at.z - z) * (at.z - z));
        if (!nearest.found || distance < nearest.distance)
        {
            nearest = Target{true, at.x, at.z, distance, 0.0f, 0.0f};
            const auto last = m_enemyPlaces.find(enemy->GetOwner());
            if (last != m_enemyPlaces.end())
            {
                nearest.velocityX = (at.x - last->second.first) * FramesPerSecond;
                nearest.velocityZ = (at.z - last->second.second) * FramesPerSecond;
            }
        }
    }
    return nearest;
}

// The pointer on the ground point (x, 0, z) as the active camera shows it now.
void AimingPlayer::Aim(float x, float z)
{
    Graphics::System::CameraSystem* cameras = Graphics::System::CameraSystem::Instance();
    if (cameras == nullptr)
        return;
    const Math::Vector2 pixel = cameras->WorldToScreen(Math::Point4(x, 0.0f, z, 1.0f));
    MoveMouse(pixel.x, pixel.y);
}

void AimingPlayer::FireReady(const Logic::SimpleControllerComponent& controller,
                             const TransformComponent& hero, const Target& nearest)
{
    if (m_pendingSlot >= 0)
    {
        ++m_pendingFrames;
        const bool escape = !m_hero.aimed[m_pendingSlot];
        if (escape && m_pendingFrames == TurnFrames)
        {
            PressKey(SlotKeys[m_pendingSlot], TapFrames);
            PressMouse(GLFW_MOUSE_BUTTON_LEFT, TapFrames);
        }
        if (!controller.IsReady(static_cast<u32>(m_pendingSlot)))
        {
            ++m_tally.fired[m_pendingSlot];
            m_firings.push_back({m_pendingSlot, m_frame, false});
            m_pendingSlot = -1;
        }
        else if (m_pendingFrames > FireTimeout + (escape ? TurnFrames : 0))
        {
            m_pendingSlot = -1;
        }
        return;
    }
    if (!nearest.found || !m_keys.empty() || !m_mouseButtons.empty())
        return;
    for (int step = 0; step < Slots; ++step)
    {
        const int slot = (m_nextSlot + step) % Slots;
        if (!controller.IsReady(static_cast<u32>(slot)) ||
            nearest.distance > m_hero.abilities[slot].reach)
            continue;
        m_pendingSlot = slot;
        m_pendingFrames = 0;
        m_nextSlot = (slot + 1) % Slots;
        if (m_hero.aimed[slot])
        {
            m_aimErrorSum += FacingError(hero, nearest.x, nearest.z);
            ++m_aimErrorCount;
            PressKey(SlotKeys[slot], TapFrames);
            PressMouse(GLFW_MOUSE_BUTTON_LEFT, TapFrames);
        }
        return;
    }
}

// Where the hero should go this frame, and how far: to a health pick-up or back from the enemies
// when low on health, towards the nearest enemy while it is out of the hero's reach; nowhere
// otherwise. The arrows push the hero that way; a hero let go slides on under its drag (its
// speed falls to `damping` times itself each second, so it slides speed / -ln(damping) units),
// so the arrows are let go while the slide would carry it there.
void AimingPlayer::Move(const Body& hero, const Target& nearest)
{
    const Math::Point4& at = hero.transform->GetPosition();
    const float maximum = hero.health->GetMaximumStorage();
    const float fraction = maximum > 0.0f ? hero.health->GetCurrentStorage() / maximum : 1.0f;
    float goX = 0.0f;
    float goZ = 0.0f;
    float distance = 0.0f;
    float closing = 0.0f; // the goal's own speed towards the hero
    const bool low = fraction < LowHealth;
    if (low && FindPickup(at.x, at.z, goX, goZ))
    {
        goX -= at.x;
        goZ -= at.z;
        distance = std::sqrt(goX * goX + goZ * goZ);
    }
    else if (low && Away(at.x, at.z, goX, goZ))
    {
        distance = StepBack;
    }
    else if (nearest.found && nearest.distance > m_hero.engage &&
             std::sqrt(nearest.x * nearest.x + nearest.z * nearest.z) > ChaseLimit)
    {
        // An enemy that strayed beyond the arena comes back in its own time: the hero waits for
        // it in the middle (the arena's bound would only pull it back in at the edge).
        goX = -at.x;
        goZ = -at.z;
        distance = std::sqrt(at.x * at.x + at.z * at.z);
    }
    else if (nearest.found && nearest.distance > m_hero.engage)
    {
        goX = nearest.x - at.x;
        goZ = nearest.z - at.z;
        distance = nearest.distance - m_hero.engage;
        closing = -(nearest.velocityX * goX + nearest.velocityZ * goZ) / nearest.distance;
    }
    const bool steppingBack = low && distance > 0.0f;
    if (steppingBack && !m_steppingBack)
        ++m_tally.stepsBack;
    m_steppingBack = steppingBack;

    std::array<bool, 4> wanted{};
    const float length = std::sqrt(goX * goX + goZ * goZ);
    if (length > 0.0f && distance > 0.0f)
    {
        goX /= length;
        goZ /= length;
        // The speed along the way, and how far it would slide.
        float slide = 0.0f;
        if (hero.rigidBody != nullptr && hero.rigidBody->linearDamping > 0.0f &&
            hero.rigidBody->linearDamping < 1.0f)
        {
            const Math::Vector4& velocity = hero.rigidBody->GetVelocity();
            const float along = velocity.x * goX + velocity.z * goZ;
            slide = std::max(along + closing, 0.0f) / -std::log(hero.rigidBody->linearDamping);
        }
        // An enemy that runs away is run down: letting go early would only fall behind, and the
        // push steers the hero's motion onto the line to it, so that it cuts inside the enemy's
        // turns rather than circling behind it.
        if (closing < -FleeingSpeed && hero.rigidBody != nullptr)
        {
            slide = 0.0f;
            const Math::Vector4& velocity = hero.rigidBody->GetVelocity();
            goX = goX * RunDownSpeed - velocity.x;
            goZ = goZ * RunDownSpeed - velocity.z;
            const float steer = std::max(std::sqrt(goX * goX + goZ * goZ), 0.001f);
            goX /= steer;
            goZ /= steer;
        }
        if (slide < distance)
            wanted = {goZ<-ArrowLean, goZ> ArrowLean, goX<-ArrowLean, goX> ArrowLean};
    }
    for (std::size_t i = 0; i < wanted.size(); ++i)
    {
        if (wanted[i] != m_arrowsHeld[i])
        {
            m_window.OnKey(Arrows[i], wanted[i] ? GLFW_PRESS : GLFW_RELEASE);
            m_arrowsHeld[i] = wanted[i];
        }
    }
}

// Away from every enemy within the threat range, the closest weighing most, and back towards the
// middle when the arena's edge comes close; false when no enemy is that close.
bool AimingPlayer::Away(float x, float z, float& awayX, float& awayZ) const
{
    awayX = 0.0f;
    awayZ = 0.0f;
    bool threatened = false;
    const AI::System::AISystem* ai = AI::System::AISystem::Instance();
    if (ai == nullptr)
        return false;
    for (const AI::AIControllerComponent* enemy : ai->GetAIControllers())
    {
        const Body body = BodyOf(enemy->GetOwner());
        if (body.transform == nullptr)
            continue;
        const float dx = x - body.transform->GetPosition().x;
        const float dz = z - body.transform->GetPosition().z;
        const float squared = std::max(dx * dx + dz * dz, 0.01f);
        if (squared > ThreatRange * ThreatRange)
            continue;
        threatened = true;
        awayX += dx / squared;
        awayZ += dz / squared;
    }
    const float fromCentre = std::sqrt(x * x + z * z);
    if (threatened && fromCentre > ArenaKeep)
    {
        const float pull = std::sqrt(awayX * awayX + awayZ * awayZ);
        awayX -= x / fromCentre * pull;
        awayZ -= z / fromCentre * pull;
    }
    return threatened;
}

// The nearest health pick-up (an object of that name with a health modifier, which the logic
// system lists); false for none.
bool AimingPlayer::FindPickup(float x, float z, float& pickupX, float& pickupZ) const
{
    const Logic::System::LogicSystem* logic = Logic::System::LogicSystem::Instance();
    if (logic == nullptr)
        return false;
    bool found = false;
    float best = 0.0f;
    const u32 modifierFamily = ComponentTypeId<Logic::ModifierComponent>();
    for (const Logic::LogicComponent* entry : logic->GetEntries())
    {
        if (entry == nullptr || entry->GetType() != modifierFamily ||
            dynamic_cast<const Logic::HealthModifierComponent*>(entry) == nullptr)
            continue;
        const GameObject* owner = FindObject(entry->GetOwner());
        const auto* transform = owner != nullptr && owner->GetName() == PickupName
                                    ? owner->GetComponent<TransformComponent>()
                                    : nullptr;
        if (transform == nullptr)
            continue;
        const Math::Point4& at = transform->GetPosition();
        const float squared = (at.x - x) * (at.x - x) + (at.z - z) * (at.z - z);
        if (!found || squared < best)
        {
            found = true;
            best = squared;
            pickupX = at.x;
            pickupZ = at.z;
        }
    }
    return found;
}

// Where every enemy stands now, for its speed in the next frame.
void AimingPlayer::RememberPlaces()
{
    m_enemyPlaces.clear();
    const AI::System::AISystem* ai = AI::System::AISystem::Instance();
    if (ai == nullptr)
        return;
    for (const AI::AIControllerComponent* enemy : ai->GetAIControllers())
    {
        const Body body = BodyOf(enemy->GetOwner());
        if (body.transform != nullptr)
            m_enemyPlaces[enemy->GetOwner()] = {body.transform->GetPosition().x,
                                                body.transform->GetPosition().z};
    }
}

// Every enemy's loss of health since the last frame is a hit, credited to the ability fired last
// whose object may still be out.
void AimingPlayer::CountHits()
{
    std::map<unsigned, float> seen;
    if (const AI::System::AISystem* ai = AI::System::AISystem::Instance())
    {
        for (const AI::AIControllerComponent* enemy : ai->GetAIControllers())
        {
            const Body body = BodyOf(enemy->GetOwner());
            if (body.health != nullptr)
                seen[enemy->GetOwner()] = body.health->GetCurrentStorage();
        }
    }
    for (const auto& [id, now] : seen)
    {
        const auto before = m_enemyHealth.find(id);
        if (before == m_enemyHealth.end() || !(now < before->second))
            continue;
        for (auto firing = m_firings.rbegin(); firing != m_firings.rend(); ++firing)
        {
            const long out =
                static_cast<long>(m_hero.abilities[firing->slot].seconds * FramesPerSecond) +
                HitSlackFrames;
            if (m_frame - firing->frame > out)
                continue;
            ++m_tally.hits[firing->slot];
            if (!firing->hit)
                ++m_tally.hitting[firing->slot];
            firing->hit = true;
            break;
        }
    }
    m_enemyHealth = std::move(seen);
    // Firings whose objects are long gone are forgotten.
    const long longest = static_cast<long>(8.0f * FramesPerSecond) + HitSlackFrames;
    m_firings.erase(std::remove_if(m_firings.begin(), m_firings.end(),
                                   [this, longest](const Firing& firing)
                                   { return m_frame - firing.frame > longest; }),
                    m_firings.end());
}

// One event per frame towards the point, each within the reach the game's cursor follows; true
// once the game's cursor is there.
bool AimingPlayer::MoveMouse(float x, float y)
{
    const float width = static_cast<float>(Core::WindowWidth());
    const float height = static_cast<float>(Core::WindowHeight());
    x = std::clamp(x, 0.0f, std::max(width - 1.0f, 0.0f));
    y = std::clamp(y, 0.0f, std::max(height - 1.0f, 0.0f));
    const Math::Vector2& cursor = Core::System::InputSystem::GetCursorPosition();
    const float stepX = std::clamp(x - cursor.x, -width * MouseReach, width * MouseReach);
    const float stepY = std::clamp(y - cursor.y, -height * MouseReach, height * MouseReach);
    m_window.OnCursorPosition(cursor.x + stepX, cursor.y + stepY);
    return std::fabs(x - cursor.x) < 1.0f && std::fabs(y - cursor.y) < 1.0f;
}

void AimingPlayer::PressKey(int glfwKey, int frames)
{
    m_window.OnKey(glfwKey, GLFW_PRESS);
    m_keys.push_back({glfwKey, frames});
}

void AimingPlayer::PressMouse(int button, int frames)
{
    m_window.OnMouseButton(button, GLFW_PRESS);
    m_mouseButtons.push_back({button, frames});
}

void AimingPlayer::ReleaseDue()
{
    auto release = [](std::vector<Held>& held, auto&& up)
    {
        for (auto it = held.begin(); it != held.end();)
        {
            if (--it->framesLeft < 0)
            {
                up(it->code);
                it = held.erase(it);
            }
            else
            {
                ++it;
            }
        }
    };
    release(m_keys, [this](int code) { m_window.OnKey(code, GLFW_RELEASE); });
    release(m_mouseButtons, [this](int code) { m_window.OnMouseButton(code, GLFW_RELEASE); });
}

void AimingPlayer::ReleaseAll()
{
    for (const Held& held : m_keys)
        m_window.OnKey(held.code, GLFW_RELEASE);
    m_keys.clear();
    for (const Held& held : m_mouseButtons)
        m_window.OnMouseButton(held.code, GLFW_RELEASE);
    m_mouseButtons.clear();
    for (std::size_t i = 0; i < m_arrowsHeld.size(); ++i)
    {
        if (m_arrowsHeld[i])
            m_window.OnKey(Arrows[i], GLFW_RELEASE);
        m_arrowsHeld[i] = false;
    }
}
