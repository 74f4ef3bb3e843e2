#pragma once
// A player who plays to win, at the window layer: one player's keyboard and mouse, chosen frame by
// frame from what the game shows, as a person at the screen would choose them. No controller is
// plugged in, so the game takes the keyboard and the mouse as player 0's.
//
// Menus: the pointer goes to the main menu's Play button and clicks it, then to the hero's button
// on the character selection (the mouse picks for player 0 and begins at once).
//
// The fight, every frame:
// - Aim: the pointer goes to the ground point of the nearest living enemy as the active camera
//   shows it, worked out anew each frame (wherever the camera is).
// - Fire: the first ability, in turn from the one after the last fired, whose icon is lit (the
//   controller's ready bit, which it takes from the script's "IsCooledDown") and whose reach the
//   nearest enemy is within is selected with its key (1 to 4) and fired with the left button. An
//   escape (the Mage's blink) is fired pointing away from the enemy.
// - Move, with the arrow keys: a hero low on health steps back, to a health pick-up if one lies
//   in the arena, else away from the enemies close to it; otherwise it closes in on the nearest
//   enemy while that is beyond its reach (waiting in the middle for one that strayed out of the
//   arena), letting go early enough that its slide stops it there, and running down one that
//   runs away.
// It never presses a developer key and never pauses.
//
// The engine is read as the screen shows it: the player's character and the enemies (the AI
// system's controllers) with their places and health. Each enemy's loss of health counts as a hit
// of the ability fired last whose object may still be out, so a run can tell how many of the
// aimed abilities hit.
#include <array>
#include <map>
#include <string>
#include <vector>

class FakeWindowLayer;
class TransformComponent;
namespace Logic
{
class HealthContainerComponent;
class SimpleControllerComponent;
} // namespace Logic
namespace Physics
{
class RigidBodyComponent;
}

class AimingPlayer
{
public:
    static constexpr int Slots = 4;

    // An ability as the player uses it: fired when the nearest enemy is within `reach` units of
    // the hero; its object is out for `seconds`.
    struct Ability
    {
        float reach;
        float seconds;
    };
    // What a player knows of a hero: its four abilities in slot order, and the pointer's aim
    // for each (false: the slot is fired pointing away from the nearest enemy, an escape).
    struct Hero
    {
        std::string name;
        // The hero closes in on the nearest enemy until it is this near.
        float engage;
        std::array<Ability, Slots> abilities;
        std::array<bool, Slots> aimed;
    };
    // The heroes the game offers, by the name of their button and of their log lines; null for
    // another name.
    static const Hero* FindHero(const std::string& name);

    struct Tally
    {
        std::array<int, Slots> fired{};   // abilities fired (the ready bit went off after a press)
        std::array<int, Slots> hits{};    // enemies' health losses credited to the slot
        std::array<int, Slots> hitting{}; // firings credited with at least one hit
        int stepsBack = 0;                // times the hero began to step back
        float health = 0.0f;              // the hero's health when last seen
        float lowestHealth = 0.0f;        // and the lowest it had
        float maximumHealth = 0.0f;
    };

    // Without `aim` the pointer is left where it is during the fight (to see what aiming does).
    AimingPlayer(FakeWindowLayer& window, const Hero& hero, bool aim = true);

    // The input of one frame, chosen for the page shown; the engine's frame follows.
    void Step(const std::string& page);

    const Tally& GetTally() const { return m_tally; }
    // Whether the hero (player 0's character) has stood in the arena.
    bool HeroSeen() const { return m_heroSeen; }
    // The mean angle (degrees) between the hero's facing and the direction to the nearest enemy
    // when an aimed ability was fired; 0 before any.
    float GetMeanAimError() const
    {
        return m_aimErrorCount > 0 ? m_aimErrorSum / static_cast<float>(m_aimErrorCount) : 0.0f;
    }
    // A line on standard output about the hero and its aim once a second.
    void SetTrace(bool trace) { m_trace = trace; }

    // An object's place, health and body as the player reads them; null for what it lacks.
    struct Body
    {
        const TransformComponent* transform = nullptr;
        const Logic::HealthContainerComponent* health = nullptr;
        const Physics::RigidBodyComponent* rigidBody = nullptr;
    };

private:
    struct Held
    {
        int code;
        int framesLeft;
    };
    struct Target
    {
        bool found = false;
        float x = 0.0f;
        float z = 0.0f;
        float distance = 0.0f;
        float velocityX = 0.0f; // units per second, from its place a frame before
        float velocityZ = 0.0f;
    };
    struct Firing
    {
        int slot;
        long frame;
        bool hit;
    };

    void OnNewPage(const std::string& page);
    void ClickButton(const std::string& name);
    void Fight();
    Target NearestEnemy(float x, float z) const;
    void Aim(float x, float z);
    void FireReady(const Logic::SimpleControllerComponent& controller,
                   const TransformComponent& hero, const Target& nearest);
    void Move(const Body& hero, const Target& nearest);
    bool Away(float x, float z, float& awayX, float& awayZ) const;
    bool FindPickup(float x, float z, float& pickupX, float& pickupZ) const;
    void CountHits();
    void RememberPlaces();

    bool MoveMouse(float x, float y);
    void PressKey(int glfwKey, int frames);
    void PressMouse(int button, int frames);
    void ReleaseDue();
    void ReleaseAll();

    FakeWindowLayer& m_window;
    const Hero& m_hero;
    bool m_aim;
    bool m_trace = false;
    std::string m_page;
    int m_pageFrames = 0;
    long m_frame = 0;
    bool m_heroSeen = false;
    int m_nextSlot = 0;     // where the look for a ready ability starts
    int m_pendingSlot = -1; // the slot pressed last, until its ready bit goes off or it times out
    int m_pendingFrames = 0;
    bool m_steppingBack = false;
    std::array<bool, 4> m_arrowsHeld{}; // up, down, left, right
    std::vector<Held> m_keys;
    std::vector<Held> m_mouseButtons;
    std::map<unsigned, float> m_enemyHealth;                   // by object id, as last seen
    std::map<unsigned, std::pair<float, float>> m_enemyPlaces; // x and z by object id, last frame
    std::vector<Firing> m_firings;
    float m_lastHealth = 0.0f;
    float m_aimErrorSum = 0.0f;
    int m_aimErrorCount = 0;
    Tally m_tally;
};
