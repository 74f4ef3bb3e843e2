#include "tests/Game/Soak/RandomPlayer.h"
#include "Math/MathUtils.h"
#include "tests/Platform/Support/FakeWindowLayer.h"
#include <GLFW/glfw3.h>
#include <algorithm>
#include <iterator>

namespace
{
// Pages of the shipped game.
const char* const MainMenuName = "MainMenu";
const char* const CharacterSelectName = "CharacterSelect";
const char* const Hud = "HUD";
const char* const PauseName = "Pause";

// Controller buttons and axes in the engine's numbering (Platform/KeyCodes.h).
constexpr int ButtonA = 0;
constexpr int ButtonStart = 7;
constexpr int PadRight = 11;
constexpr int PadDown = 12;
constexpr int PadLeft = 13;
constexpr int FightButtons[] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13};
constexpr int LeftStickX = 0;
constexpr int LeftStickY = 1;
constexpr int Triggers = 2;
constexpr int RightStickY = 3;
constexpr int RightStickX = 4;

// Keys a player fights with: moves, the four abilities (numbers and letters), Space, Tab.
constexpr int FightKeys[] = {GLFW_KEY_UP, GLFW_KEY_DOWN, GLFW_KEY_LEFT,  GLFW_KEY_RIGHT, GLFW_KEY_1,
                             GLFW_KEY_2,  GLFW_KEY_3,    GLFW_KEY_4,     GLFW_KEY_Q,     GLFW_KEY_W,
                             GLFW_KEY_E,  GLFW_KEY_R,    GLFW_KEY_SPACE, GLFW_KEY_TAB};
constexpr int ReloadKeys[] = {GLFW_KEY_F6, GLFW_KEY_F8, GLFW_KEY_F9};

// The window the mouse moves in (the fake's desktop, which the game's window fits in).
constexpr int MouseWidth = 1366;
constexpr int MouseHeight = 768;

// How long a deliberate press is held, in frames.
constexpr int TapFrames = 3;
// Frames waited on the main menu before Play, and on the pause page before leaving it. The
// shortest wait leaves the soak time to count the objects at the menu.
constexpr int MenuWaitLow = 60;
constexpr int MenuWaitHigh = 180;
constexpr int PauseWaitLow = 20;
constexpr int PauseWaitHigh = 240;
// Frames between two tries to leave the pause page.
constexpr int PauseTryFrames = 12;
// Frames a standing-still fight waits for its defeat before developer keys may end it.
constexpr int StandStillPatience = 90 * 60;

// Per-frame chances.
constexpr float StandStillFights = 0.3f; // of all fights
constexpr float SelectPress = 0.04f;     // per controller, on the character selection
constexpr float SelectKey = 0.01f;       // keyboard, on the character selection
constexpr float FightKey = 0.15f;        // a new key press in a fight
constexpr float FightButton = 0.08f;     // a new button per controller in a fight
constexpr float StickChange = 0.05f;     // a controller's sticks turn
constexpr float MouseMove = 0.2f;
constexpr float MouseClick = 0.05f;
constexpr float Wheel = 0.01f;
constexpr float PauseKey = 1.0f / 1800.0f;    // Escape, about once in 30 s of fighting
constexpr float PauseButton = 1.0f / 9000.0f; // a controller's Start
constexpr float RemoveEnemies = 1.0f / 1500.0f;
constexpr float Reload = 1.0f / 30000.0f; // each of F6, F8, F9
constexpr float QuitFromPause = 0.3f;     // of all pauses
} // namespace

RandomPlayer::RandomPlayer(FakeWindowLayer& window) : m_window(window)
{
    for (int id = 0; id < Controllers; ++id)
        m_window.PlugController(id);
}

bool RandomPlayer::Chance(float probability)
{
    return Math::RandUnit() < probability;
}

int RandomPlayer::Between(int low, int high)
{
    return Math::RandomInt(low, high);
}

void RandomPlayer::Step(const std::string& page)
{
    if (page != m_page)
        OnNewPage(page);
    ++m_pageFrames;
    ReleaseDue();
    if (m_pendingSelect >= 0 && (m_pageFrames - m_wait) % PauseTryFrames == PauseTryFrames / 2)
    {
        PressButton(m_pendingSelect, ButtonA, TapFrames);
        m_pendingSelect = -1;
    }
    if (page == MainMenuName)
        MainMenu();
    else if (page == CharacterSelectName)
        CharacterSelect();
    else if (page == Hud)
        Fighting();
    else if (page == PauseName)
        Paused();
}

void RandomPlayer::OnNewPage(const std::string& page)
{
    ReleaseAll();
    m_page = page;
    m_pageFrames = 0;
    m_wait = page == PauseName ? Between(PauseWaitLow, PauseWaitHigh)
                               : Between(MenuWaitLow, MenuWaitHigh);
    m_pendingSelect = -1;
    m_quitFromPause = page == PauseName && Chance(QuitFromPause);
    if (page == Hud)
        m_fight = Chance(StandStillFights) ? Fight::StandStill : Fight::Brawl;
}

void RandomPlayer::MainMenu()
{
    // Play is the first button; nothing moves the selection, so Quit is never chosen.
    if (m_pageFrames != m_wait)
        return;
    if (Chance(0.5f))
        PressKey(GLFW_KEY_ENTER, TapFrames);
    else
        PressButton(0, ButtonA, TapFrames);
}

void RandomPlayer::CharacterSelect()
{
    // Join (Start), look along the characters (pad), pick (A), begin (Start): in any order, so
    // some joins come late and some begin presses come early.
    for (int id = 0; id < Controllers; ++id)
    {
        if (!Chance(SelectPress))
            continue;
        const int draw = Between(0, 3);
        const int button = draw == 0   ? ButtonStart
                           : draw == 1 ? ButtonA
                           : draw == 2 ? PadLeft
                                       : PadRight;
        PressButton(id, button, Between(1, TapFrames));
    }
    if (Chance(SelectKey))
    {
        const int keys[] = {GLFW_KEY_LEFT, GLFW_KEY_RIGHT, GLFW_KEY_ENTER};
        PressKey(keys[Between(0, 2)], TapFrames);
    }
}

void RandomPlayer::Fighting()
{
    if (m_fight == Fight::StandStill)
    {
        // The enemies should win; only a fight they cannot end is ended by the developer key.
        if (m_pageFrames > StandStillPatience)
            DeveloperKeys();
        return;
    }
    DeveloperKeys();

    if (Chance(FightKey))
        PressKey(FightKeys[Between(0, static_cast<int>(std::size(FightKeys)) - 1)], Between(1, 40));
    if (Chance(MouseMove))
        m_window.OnCursorPosition(Between(0, MouseWidth - 1), Between(0, MouseHeight - 1));
    if (Chance(MouseClick))
        PressMouse(Chance(0.7f) ? GLFW_MOUSE_BUTTON_LEFT : GLFW_MOUSE_BUTTON_RIGHT, Between(1, 20));
    if (Chance(Wheel))
        m_window.OnScroll(0.0, Chance(0.5f) ? 1.0 : -1.0);
    for (int id = 0; id < Controllers; ++id)
    {
        if (Chance(FightButton))
            PressButton(id, FightButtons[Between(0, static_cast<int>(std::size(FightButtons)) - 1)],
                        Between(1, 30));
        if (Chance(StickChange))
            SetStick(id, Math::RandRange(-1.0f, 1.0f), Math::RandRange(-1.0f, 1.0f));
        if (Chance(PauseButton))
            PressButton(id, ButtonStart, TapFrames);
    }
    if (Chance(PauseKey))
        PressKey(GLFW_KEY_ESCAPE, TapFrames);
}

void RandomPlayer::Paused()
{
    // Only the player who paused steers the pause page, and the player cannot be seen from
    // here: each try is made by the next player in turn (the keyboard counts as player 0), and
    // the others' presses are ignored by the page.
    if (m_pageFrames < m_wait || (m_pageFrames - m_wait) % PauseTryFrames != 0)
        return;
    const int attempt = (m_pageFrames - m_wait) / PauseTryFrames;
    const int controller = attempt % Controllers;
    // A controller that has not joined the fight can pause it but not move on the pause page:
    // after one round of tries to quit, the tries resume instead.
    if (m_quitFromPause && attempt < Controllers)
    {
        // Down to "Quit to menu", then select it.
        PressButton(controller, PadDown, TapFrames);
        m_pendingSelect = controller;
    }
    else if (controller == 0 && Chance(0.5f))
    {
        PressKey(GLFW_KEY_ESCAPE, TapFrames);
    }
    else
    {
        PressButton(controller, ButtonStart, TapFrames);
    }
}

void RandomPlayer::DeveloperKeys()
{
    if (Chance(RemoveEnemies))
    {
        PressKey(GLFW_KEY_X, TapFrames);
        ++m_developerKeys;
    }
    for (int key : ReloadKeys)
    {
        if (Chance(Reload))
        {
            PressKey(key, TapFrames);
            ++m_developerKeys;
        }
    }
}

void RandomPlayer::PressKey(int glfwKey, int frames)
{
    for (const Held& held : m_keys)
    {
        if (held.code == glfwKey)
            return;
    }
    m_window.OnKey(glfwKey, GLFW_PRESS);
    m_keys.push_back({glfwKey, frames});
}

void RandomPlayer::PressMouse(int button, int frames)
{
    for (const Held& held : m_mouseButtons)
    {
        if (held.code == button)
            return;
    }
    m_window.OnMouseButton(button, GLFW_PRESS);
    m_mouseButtons.push_back({button, frames});
}

void RandomPlayer::PressButton(int controller, int button, int frames)
{
    Platform::JoystickState& state = m_window.joysticks[controller];
    if (state.buttons[button] != 0)
        return;
    state.buttons[button] = 1;
    m_buttons[controller].push_back({button, frames});
}

void RandomPlayer::SetStick(int controller, float x, float y)
{
    Platform::JoystickState& state = m_window.joysticks[controller];
    state.axes[LeftStickX] = x;
    state.axes[LeftStickY] = y;
    // The right stick aims where the left one moves; the triggers stay mostly at rest.
    state.axes[RightStickX] = x;
    state.axes[RightStickY] = -y;
    state.axes[Triggers] = Chance(0.1f) ? Math::RandRange(-1.0f, 1.0f) : 0.0f;
}

void RandomPlayer::ReleaseDue()
{
    auto due = [](Held& held) { return --held.framesLeft < 0; };
    for (auto it = m_keys.begin(); it != m_keys.end();)
    {
        if (due(*it))
        {
            m_window.OnKey(it->code, GLFW_RELEASE);
            it = m_keys.erase(it);
        }
        else
        {
            ++it;
        }
    }
    for (auto it = m_mouseButtons.begin(); it != m_mouseButtons.end();)
    {
        if (due(*it))
        {
            m_window.OnMouseButton(it->code, GLFW_RELEASE);
            it = m_mouseButtons.erase(it);
        }
        else
        {
            ++it;
        }
    }
    for (int id = 0; id < Controllers; ++id)
    {
        std::vector<Held>& buttons = m_buttons[id];
        for (auto it = buttons.begin(); it != buttons.end();)
        {
            if (due(*it))
            {
                m_window.joysticks[id].buttons[it->code] = 0;
                it = buttons.erase(it);
            }
            else
            {
                ++it;
            }
        }
    }
}

void RandomPlayer::ReleaseAll()
{
    for (const Held& held : m_keys)
        m_window.OnKey(held.code, GLFW_RELEASE);
    m_keys.clear();
    for (const Held& held : m_mouseButtons)
        m_window.OnMouseButton(held.code, GLFW_RELEASE);
    m_mouseButtons.clear();
    for (int id = 0; id < Controllers; ++id)
    {
        m_window.PlugController(id);
        m_buttons[id].clear();
    }
}
