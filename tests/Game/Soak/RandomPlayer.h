#pragma once
// Random play at the window layer: keys, the mouse and four controllers, drawn from the engine's
// generator (Math::Rand) one frame at a time. What it does depends on the page shown, so that a
// long run keeps going round the game: it starts a level from the main menu, joins, picks and
// begins on the character selection, fights (or, in some fights, stands still until defeat),
// pauses now and then and either resumes or quits to the menu. Developer keys are rare: X (every
// computer-controlled character removed) once in a while during a fight, so that fights end in
// victory too, and the reload keys F6, F8 and F9 seldom.
#include <array>
#include <string>
#include <vector>

class FakeWindowLayer;

class RandomPlayer
{
public:
    static constexpr int Controllers = 4;

    // Plugs the four controllers into the window layer.
    explicit RandomPlayer(FakeWindowLayer& window);

    // The input of one frame, chosen for the page shown. Held keys and buttons are released after
    // a few frames, and everything is released when the page changes.
    void Step(const std::string& page);

    // How often each developer key was pressed, for the run's summary.
    int GetDeveloperKeyPresses() const { return m_developerKeys; }

private:
    struct Held
    {
        int code;
        int framesLeft;
    };
    // The way one fight is played, drawn when the heads-up display appears.
    enum class Fight
    {
        Brawl,     // every player moves and fires at random
        StandStill // nobody moves, so the enemies win
    };

    void OnNewPage(const std::string& page);
    void MainMenu();
    void CharacterSelect();
    void Fighting();
    void Paused();
    void DeveloperKeys();

    void PressKey(int glfwKey, int frames);
    void PressMouse(int button, int frames);
    void PressButton(int controller, int button, int frames);
    void ReleaseAll();
    void ReleaseDue();
    void SetStick(int controller, float x, float y);

    static bool Chance(float probability);
    static int Between(int low, int high);

    FakeWindowLayer& m_window;
    std::string m_page;
    int m_pageFrames = 0;
    int m_wait = 0; // frames before the page's next deliberate press
    Fight m_fight = Fight::Brawl;
    bool m_quitFromPause = false;
    int m_pendingSelect = -1; // the controller that selects "Quit to menu" next, or -1
    std::vector<Held> m_keys;
    std::vector<Held> m_mouseButtons;
    std::array<std::vector<Held>, Controllers> m_buttons;
    int m_developerKeys = 0;
};
