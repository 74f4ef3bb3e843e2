#pragma once
// The user-interface system: keeps every page by name, shows one current page (the page it
// replaced keeps updating for its slide-out), routes input and user-interface messages to the
// current page, changes pages, and opens and closes the pause page. It always receives the
// real frame time, also while the game is paused.
//
// The script entries that act at once (add a button or element, move or retexture an element,
// button visibility, the single highlight, the previous page's name) call it directly
// (ScriptApi/ScriptApi_GameState.cpp); the static ones below do nothing (answer 0 or an empty
// name) while no user-interface system exists.
//
// Drawing: the overlay pass asks CollectDrawItems for the active page's elements, measured and
// placed at their display scale, and the call stores each drawn size as the element's hit size.
// It asks through the hooks of Graphics/Rendering/OverlayServices.h (the renderer sits below
// this system), installed in Initialize and removed by the destructor.
// An element that follows a world object (a health bar) is laid out on every such call, over
// the object as the active camera sees it and tinted by the background fade; while the
// graphics system hides the heads-up display it is neither laid out nor drawn, and an element
// whose object is gone is skipped.
//
// Pages are kept by address: a page leaves the system in its destructor, which clears the
// current and previous page whenever they are the leaving page. Main thread only.
#include "Core/SystemComponent.h"
#include "Math/ColorRGBA.h"
#include "Math/Vector2.h"
#include "Platform/KeyCodes.h"
#include <string>
#include <unordered_map>
#include <vector>

namespace Graphics
{
class Material;
}

namespace GameState
{
class ButtonComponent;
class HUDComponent;
class PageComponent;

namespace System
{
class UISystem : public SystemComponent
{
public:
    static constexpr u32 EscapeKey = Platform::Keys::Escape;
    // The game-state system's reload key, never a page press.
    static constexpr u32 ReloadKey = Platform::Keys::F9;
    static constexpr s32 NoPlayer = -1;

    // One quad of the overlay: the shown material, centre and size in window pixels (y up),
    // the alpha and the tint, the carrying object and the element's "Scale" (its text's size).
    struct DrawItem
    {
        const Graphics::Material* material;
        Math::Vector2 centre;
        Math::Vector2 size;
        f32 alpha;
        Math::ColorRGBA colour;
        u32 objectId;
        Math::Vector2 scale;
        bool followsObject; // laid out over a world object (a bar and its icons)
    };

    UISystem();
    ~UISystem() override;

    static UISystem* Instance() { return s_instance; }

    const std::string& GetName() const override
    {
        static const std::string name = "UISystem";
        return name;
    }
    // UpdatePage of the current page, then of the previous one.
    void Update(f32 seconds) override;
    // Installs the overlay hooks and the heads-up move of Core/CoreServices.h.
    void Initialize(u32 launchFlags) override;
    void HandleMessage(Message* message) override;
    // Pages file themselves under their page name (replacing one of that name).
    void Register(GameObjectComponent* component) override;
    void Unregister(GameObjectComponent* component) override;

    PageComponent* GetCurrentPage() const { return m_current; }
    PageComponent* GetPreviousPage() const { return m_previous; }
    PageComponent* FindPage(const std::string& name) const;
    std::size_t GetPageCount() const { return m_pages.size(); }
    // The name of the current page; empty for none.
    std::string GetCurrentPageName() const;

    // Nothing for an unknown page or the current one.
    void ChangePage(const std::string& name);
    // Opens the pause page from "HUD" for the player, or closes it for the player who opened
    // it; nothing without a "Pause" page.
    void TogglePause(u32 player);
    bool IsSingleHighlight() const { return m_singleHighlight; }
    s32 GetHighlightedPlayer() const { return m_highlightedPlayer; }
    void StopSingleHighlight();

    // The operations behind the script entries.
    ButtonComponent* AddButton(const std::string& material, const std::string& function,
                               const std::string& name, f32 x, f32 y, u32 elementFlags);
    u32 AddHudElement(const std::string& material, const std::string& text, f32 x, f32 y,
                      u32 screenFlags, u32 elementFlags);
    // AddButton and AddHudElement of the system, when there is one, for a material that is
    // loaded; one line naming the calling script refuses any other.
    static void AddButtonIfLoaded(const std::string& material, const std::string& function,
                                  const std::string& name, f32 x, f32 y, u32 elementFlags);
    static u32 AddHudElementIfLoaded(const std::string& material, const std::string& text, f32 x,
                                     f32 y, u32 screenFlags, u32 elementFlags);
    // The heads-up element (a HUD element or button) of the object, moved and laid out again or
    // retextured; nothing for an object without one. The camera system moves the cursor's
    // element with the first through Core/CoreServices.h.
    static void SetHudElementPosition(u32 objectId, f32 x, f32 y);
    static void ChangeHudElementTexture(u32 objectId, const std::string& material);
    // The visibility value of the current page's named button; nothing without either.
    static void SetButtonVisibility(const std::string& name, f32 value);
    // The name of the page that was current before the last page change; empty for none.
    static std::string PreviousPageName();

    // The active current page's drawn elements, in list order; elements with alpha 0 or no
    // size are left out. Stores each element's hit size (drawn size over the window size) and
    // the place of each element that follows a world object.
    void CollectDrawItems(std::vector<DrawItem>& items, f32 windowWidth, f32 windowHeight);

private:
    void HandleKey(u32 key, u32 state);
    void HandleAction(Message* message);
    // The cursor object's two forms while the pause page opens or closes under the mouse.
    void ShowCursorObject(bool visible);
    // Players on controllers (0 when no controller is connected).
    static u32 ActivePlayers();
    static u32 ControllerCount();

    std::unordered_map<std::string, PageComponent*> m_pages;
    // The names each page was filed under, so that a page leaves in constant time.
    std::unordered_map<const GameObjectComponent*, std::vector<std::string>> m_namesOfPage;
    bool m_singleHighlight;
    s32 m_highlightedPlayer;
    PageComponent* m_current;
    PageComponent* m_previous;

    static UISystem* s_instance;

    friend class GameState::PageComponent;
};
} // namespace System
} // namespace GameState
