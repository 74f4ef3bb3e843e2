#include "GameState/UISystem.h"
#include "Core/Components/TransformComponent.h"
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Graphics/SetVisibleMessage.h"
#include "Core/Messages/Graphics/WindowResizeMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/Input/KeyboardMessage.h"
#include "Core/Messages/Object/ObjectCreateMessage.h"
#include "Core/Messages/PostNew.h"
#include "Core/Messages/UserInterface/AddHudElementMessage.h"
#include "Core/Messages/UserInterface/ChangeButtonFunctionMessage.h"
#include "Core/Messages/UserInterface/ChangePageMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Messages/UserInterface/RemoveHudElementMessage.h"
#include "Core/Messages/UserInterface/SetHudVisibleMessage.h"
#include "Core/Messages/UserInterface/SetPointerPosMessage.h"
#include "Core/Objects/GameFactory.h"
#include "Core/Objects/GameObject.h"
#include "Core/System/InputSystem.h"
#include "GameState/ButtonComponent.h"
#include "GameState/HUDComponent.h"
#include "GameState/PageComponent.h"
#include "Graphics/Assets/MaterialManager.h"
#include "Graphics/GraphicsSystem.h"
#include "Graphics/Rendering/OverlayLayout.h"
#include "Graphics/Rendering/OverlayServices.h"
#include "Graphics/System/CameraSystem.h"
#include "Scripting/CallingScript.h"
#include <algorithm>

namespace GameState
{
namespace System
{
UISystem* UISystem::s_instance = nullptr;

namespace
{
// The part named by the log lines of this file.
constexpr const char* LogName = "UISystem";
constexpr u32 NoTarget = 0;
constexpr f32 Shown = 1.0f;
constexpr f32 Hidden = 0.0f;
// Buttons added by a script all take the first grid cell.
constexpr s16 ScriptButtonCell = 0;
// The player who opens the pause page with Escape.
constexpr u32 KeyboardPlayer = 0;

HUDComponent* ElementOf(u32 objectId)
{
    GameFactory* factory = Engine::Factory();
    GameObject* object = factory != nullptr ? factory->FindObject(objectId) : nullptr;
    if (object == nullptr)
        return nullptr;
    if (HUDComponent* element = object->GetComponent<HUDComponent>())
        return element;
    return object->GetComponent<ButtonComponent>();
}

// Whether a script's element may use the material: false, with one line naming the script,
// when the materials are loaded and that one is not among them (the element would show the
// default material in its place). Without a material manager nothing can be told.
bool MaterialLoaded(const char* entry, const std::string& material)
{
    const Graphics::MaterialManager* materials = Graphics::MaterialManager::Instance();
    if (materials == nullptr || materials->Find(material, 0) != nullptr)
        return true;
    Core::Log() << "Error [UISystem]: " << Scripting::CallingScriptName() << ": GameState." << entry
                << ": material \"" << material << "\" is not loaded; nothing added\n";
    return false;
}

// Elements that follow world objects (the health bars over characters) are placed where the
// object is seen, every frame the overlay draws. What that needs is read once per frame.
struct FollowFrame
{
    bool hudShown;
    Math::ColorRGBA fade;
    Graphics::System::CameraSystem* cameras;
};

FollowFrame ReadFollowFrame()
{
    // Without a graphics system the display counts as shown and nothing is faded.
    FollowFrame frame{true, Math::ColorRGBA(1.0f, 1.0f, 1.0f, 1.0f),
                      Graphics::System::CameraSystem::Instance()};
    using Graphics::System::GraphicsSystem;
    if (const GraphicsSystem* graphics = GraphicsSystem::Instance())
    {
        frame.hudShown = graphics->IsHudShown();
        frame.fade = Math::ColorRGBA(graphics->GetFade(GraphicsSystem::FadeRed),
                                     graphics->GetFade(GraphicsSystem::FadeGreen),
                                     graphics->GetFade(GraphicsSystem::FadeBlue), 1.0f);
    }
    return frame;
}

enum class Follow
{
    None,        // laid out by its page (a pointer on a button included)
    WorldObject, // drawn where the followed object is seen
    Lost,        // its object or that object's transform is gone: not laid out, not drawn
};

// What the element follows. The bound object of a pointer is a button, which the pointer
// follows only while shown (and rests at its own place otherwise), so a bound object that is a
// button never counts as a world object. A lost object is skipped quietly: a bar belongs to its
// object and leaves the page with it, so this lasts at most until that object's shutdown, and a
// log line per frame would bury the log.
Follow FollowedObject(const HUDComponent& element, GameFactory* factory,
                      const TransformComponent*& transform)
{
    if (element.boundObject == 0 || element.pointerShown)
        return Follow::None;
    const GameObject* object =
        factory != nullptr ? factory->FindObject(element.boundObject) : nullptr;
    if (object != nullptr && object->GetComponent<ButtonComponent>() != nullptr)
        return Follow::None;
    transform = object != nullptr ? object->GetComponent<TransformComponent>() : nullptr;
    return transform != nullptr ? Follow::WorldObject : Follow::Lost;
}

// The object's translation on the screen (window pixels from the top, flipped upwards), moved
// by the element's relative position, then the element's own edge on that anchor.
void PlaceOverObject(HUDComponent& element, const TransformComponent& followed,
                     Graphics::System::CameraSystem& cameras, f32 width, f32 height)
{
    const Math::Vector2 screen =
        cameras.WorldToScreen(followed.GetTranslationMatrix().GetTranslation());
    const Math::Vector2 anchor = Graphics::OverlayLayout::FollowPosition(
        screen, height, element.relativePosition,
        Math::Vector2(Graphics::ReferenceWidth, Graphics::ReferenceHeight));
    element.AlignAt(anchor, width, height);
}

// The hooks of Graphics/Rendering/OverlayServices.h: pixels become window fractions, the unit
// the overlay draws in.
Graphics::OverlayQuad MakeOverlayQuad(const UISystem::DrawItem& item, f32 width, f32 height)
{
    Graphics::OverlayQuad quad;
    quad.material = item.material;
    quad.centre = Math::Vector2(item.centre.x / width, item.centre.y / height);
    quad.size = Math::Vector2(item.size.x / width, item.size.y / height);
    quad.scale = item.scale;
    quad.alpha = item.alpha;
    quad.colour = item.colour;
    quad.objectId = item.objectId;
    quad.followsObject = item.followsObject;
    return quad;
}

void HookCollectPageQuads(std::vector<Graphics::OverlayQuad>& quads, f32 width, f32 height)
{
    UISystem* ui = UISystem::Instance();
    if (ui == nullptr || width <= 0.0f || height <= 0.0f)
        return;
    // Reused every frame (main thread only), so steady frames do not allocate.
    static std::vector<UISystem::DrawItem> items;
    items.clear();
    ui->CollectDrawItems(items, width, height);
    for (const UISystem::DrawItem& item : items)
        quads.push_back(MakeOverlayQuad(item, width, height));
}

bool HookElementQuad(u32 objectId, Graphics::OverlayQuad& quad, f32 width, f32 height)
{
    GameFactory* factory = Engine::Factory();
    GameObject* object = factory != nullptr ? factory->FindObject(objectId) : nullptr;
    HUDComponent* element = object != nullptr ? object->GetComponent<HUDComponent>() : nullptr;
    if (element == nullptr || width <= 0.0f || height <= 0.0f)
        return false;
    // An element on its own (the cursor's) is laid out where it is drawn.
    element->UpdateLayout(width, height);
    const Math::Vector2 size = element->GetSize();
    element->hitSize = Math::Vector2(size.x / width, size.y / height);
    if (element->alpha <= 0.0f || size.x <= 0.0f || size.y <= 0.0f)
        return false;
    quad = MakeOverlayQuad({element->GetShownMaterial(), element->pixelPosition, size,
                            element->alpha, element->colour, objectId, element->scale, false},
                           width, height);
    return true;
}
} // namespace

UISystem::UISystem()
    : m_singleHighlight(false), m_highlightedPlayer(NoPlayer), m_current(nullptr),
      m_previous(nullptr)
{
    m_name = "UISystem";
    s_instance = this;
}

UISystem::~UISystem()
{
    Graphics::OverlayServices& overlay = Graphics::GetOverlayServices();
    overlay.collectPageQuads.Remove(&HookCollectPageQuads);
    overlay.elementQuad.Remove(&HookElementQuad);
    Core::Services().setHudElementPosition.Remove(&UISystem::SetHudElementPosition);
    if (s_instance == this)
        s_instance = nullptr;
}

void UISystem::Initialize(u32)
{
    Graphics::OverlayServices& overlay = Graphics::GetOverlayServices();
    overlay.collectPageQuads.Install(&HookCollectPageQuads);
    overlay.elementQuad.Install(&HookElementQuad);
    // The same move for the camera system, which places the cursor's element every update.
    Core::Services().setHudElementPosition.Install(&UISystem::SetHudElementPosition);
}

void UISystem::Register(GameObjectComponent* component)
{
    if (component == nullptr || component->GetName() != PageComponent::GetTypeName())
        return;
    auto* page = static_cast<PageComponent*>(component);
    m_pages[page->GetPageName()] = page;
    std::vector<std::string>& names = m_namesOfPage[page];
    if (std::find(names.begin(), names.end(), page->GetPageName()) == names.end())
        names.push_back(page->GetPageName());
    m_previous = nullptr;
}

void UISystem::Unregister(GameObjectComponent* component)
{
    if (component == nullptr)
        return;
    const auto filed = m_namesOfPage.find(component);
    if (filed != m_namesOfPage.end())
    {
        for (const std::string& name : filed->second)
        {
            const auto entry = m_pages.find(name);
            if (entry != m_pages.end() && entry->second == component)
                m_pages.erase(entry);
        }
        m_namesOfPage.erase(filed);
    }
    // Also when a page of the same name has replaced it in the map.
    if (m_current == component)
        m_current = nullptr;
    if (m_previous == component)
        m_previous = nullptr;
    if (m_pages.empty())
        m_current = nullptr;
}

PageComponent* UISystem::FindPage(const std::string& name) const
{
    const auto found = m_pages.find(name);
    return found != m_pages.end() ? found->second : nullptr;
}

std::string UISystem::GetCurrentPageName() const
{
    return m_current != nullptr ? m_current->GetPageName() : std::string();
}

u32 UISystem::ActivePlayers()
{
    const Core::System::InputSystem* input = Core::System::InputSystem::Instance();
    return input != nullptr ? input->GetActivePlayers() : 0;
}

u32 UISystem::ControllerCount()
{
    const Core::System::InputSystem* input = Core::System::InputSystem::Instance();
    return input != nullptr ? input->GetControllerCount() : 0;
}

void UISystem::Update(f32 seconds)
{
    if (m_current == nullptr)
        return;
    m_current->UpdatePage(seconds);
    // The current page's script may have changed or removed the previous page.
    if (m_previous != nullptr)
        m_previous->UpdatePage(seconds);
}

void UISystem::ChangePage(const std::string& name)
{
    PageComponent* page = FindPage(name);
    if (page == nullptr || page == m_current)
        return;
    m_previous = m_current;
    m_current = page;
    Core::Log() << "UISystem: current page " << name << '\n';
    page->Open();
    // Load may have changed pages again; close what is previous now.
    if (m_previous != nullptr && m_previous != m_current)
        m_previous->Close();
}

void UISystem::StopSingleHighlight()
{
    m_singleHighlight = false;
    m_highlightedPlayer = NoPlayer;
}

void UISystem::ShowCursorObject(bool visible)
{
    // Without a cursor object there is nothing to show or hide.
    const u32 cursor = Core::Services().cursorObjectId();
    if (cursor == 0)
        return;
    Core::PostNew<SetVisibleMessage>(LogName, 0.0f, m_id, visible, cursor);
    Core::PostNew<SetHudVisibleMessage>(LogName, 0.0f, m_id, visible ? Hidden : Shown, cursor);
}

void UISystem::TogglePause(u32 player)
{
    PageComponent* pause = FindPage(PageComponent::PausePage);
    if (pause == nullptr)
        return;
    if (m_previous != nullptr)
        m_previous->SetActive(false);
    if (m_current != pause)
    {
        if (m_current == nullptr || m_current->GetPageName() != PageComponent::HudPage)
            return;
        m_previous = m_current;
        m_previous->SetActive(false);
        m_current = pause;
        m_current->SetActive(true);
        // Logged as every change of page is, so the log shows when the game was paused.
        Core::Log() << "UISystem: current page " << pause->GetPageName() << '\n';
        m_singleHighlight = true;
        m_highlightedPlayer = static_cast<s32>(player);
        Core::PostNew<GameStateMessage>(LogName, 0.0f, m_id, GSM_PAUSE, NoTarget);
        if (ActivePlayers() == 0)
            ShowCursorObject(false);
        return;
    }
    if (static_cast<s32>(player) != m_highlightedPlayer)
        return;
    PageComponent* hud = FindPage(PageComponent::HudPage);
    if (hud == nullptr)
        return;
    m_previous = m_current;
    m_previous->SetActive(false);
    StopSingleHighlight();
    m_current = hud;
    m_current->SetActive(true);
    Core::Log() << "UISystem: current page " << hud->GetPageName() << '\n';
    Core::PostNew<GameStateMessage>(LogName, 0.0f, m_id, GSM_RESUME, NoTarget);
    if (ActivePlayers() == 0)
        ShowCursorObject(true);
}

void UISystem::HandleKey(u32 key, u32 state)
{
    if (m_current == nullptr || state != KS_TRIGGER)
        return;
    if (key != ReloadKey)
        m_current->CallScript("Clicked");
    const bool paused = g_Engine != nullptr && g_Engine->IsPaused();
    if (key == EscapeKey && !paused)
        TogglePause(KeyboardPlayer);
}

void UISystem::HandleAction(Message* message)
{
    const auto* action = static_cast<const InputActionMessage*>(message);
    if (m_current == nullptr)
        return;
    if (action->state == KS_TRIGGER)
        m_current->CallScript("Clicked");
    if (action->state == KS_TRIGGER && action->action == PageComponent::ActionStart &&
        action->player < PageComponent::PlayerCount)
    {
        TogglePause(action->player);
        if (ControllerCount() > 0 && m_current != nullptr &&
            m_current->GetPageName() == PageComponent::CharacterSelectPage)
            m_current->CallScript("WantsToPlay", static_cast<s32>(action->player + 1));
    }
    if (m_current != nullptr)
        m_current->HandleMessage(message);
}

void UISystem::HandleMessage(Message* message)
{
    if (message == nullptr)
        return;
    switch (message->type)
    {
    case GameStateMessage::Type:
        if (static_cast<GameStateMessage*>(message)->command == GSM_EXIT)
            m_current = nullptr;
        break;
    case AddHudElementMessage::Type:
        if (m_current != nullptr)
        {
            const auto* add = static_cast<AddHudElementMessage*>(message);
            m_current->AddHudElement(
                add->elementId, add->materialName, add->text, Math::Vector2(add->x, add->y),
                static_cast<u16>(add->screenAlignment), static_cast<u16>(add->elementAlignment));
        }
        break;
    case RemoveHudElementMessage::Type:
        if (m_current != nullptr)
            m_current->RemoveHudElement(static_cast<RemoveHudElementMessage*>(message)->elementId);
        break;
    case ChangePageMessage::Type:
    {
        const auto* change = static_cast<ChangePageMessage*>(message);
        if (FindPage(change->pageName) == nullptr)
            Core::Log() << "Error [UISystem]: "
                        << (change->requester.empty() ? std::string("a message")
                                                      : change->requester)
                        << ": GameState.ChangePage: page \"" << change->pageName
                        << "\" does not exist; the current page stays "
                        << (m_current != nullptr ? m_current->GetPageName() : std::string("none"))
                        << '\n';
        ChangePage(change->pageName);
        break;
    }
    case ChangeButtonFunctionMessage::Type:
    {
        const auto* change = static_cast<ChangeButtonFunctionMessage*>(message);
        ButtonComponent* button =
            m_current != nullptr ? m_current->FindButton(change->buttonName) : nullptr;
        if (button != nullptr)
            button->SetFunction(change->functionName);
        break;
    }
    case SetPointerPosMessage::Type:
    {
        const auto* pointer = static_cast<SetPointerPosMessage*>(message);
        HUDComponent* element =
            m_current != nullptr ? m_current->GetPointer(pointer->controller) : nullptr;
        if (element != nullptr)
            element->relativePosition = Math::Vector2(pointer->x, pointer->y);
        break;
    }
    case KeyboardMessage::Type:
    {
        const auto* key = static_cast<KeyboardMessage*>(message);
        HandleKey(key->keyCode, key->state);
        break;
    }
    case InputMoveMessage::Type:
        if (m_current != nullptr)
        {
            if (static_cast<InputMoveMessage*>(message)->state == KS_TRIGGER)
                m_current->CallScript("Clicked");
            if (m_current != nullptr)
                m_current->HandleMessage(message);
        }
        break;
    case InputActionMessage::Type:
        HandleAction(message);
        break;
    case WindowResizeMessage::Type:
    {
        const auto* resize = static_cast<WindowResizeMessage*>(message);
        for (auto& [name, page] : m_pages)
            page->LayOut(resize->windowSize.x, resize->windowSize.y);
        break;
    }
    default:
        break;
    }
}

ButtonComponent* UISystem::AddButton(const std::string& material, const std::string& function,
                                     const std::string& name, f32 x, f32 y, u32 elementFlags)
{
    if (m_current == nullptr)
        return nullptr;
    return m_current->AddButton(material, function, name, Math::Vector2(x, y), 0,
                                static_cast<u16>(elementFlags), ScriptButtonCell);
}

u32 UISystem::AddHudElement(const std::string& material, const std::string& text, f32 x, f32 y,
                            u32 screenFlags, u32 elementFlags)
{
    if (g_Engine == nullptr)
        return 0;
    const u32 id = GenerateIdLocked();
    Core::PostNew<ObjectCreateMessage>(LogName, 0.0f, m_id, id, PageComponent::HudElementArchetype,
                                       NoTarget);
    Core::PostNew<AddHudElementMessage>(LogName, 0.0f, m_id, id, material, text, x, y, screenFlags,
                                        elementFlags, NoTarget);
    return id;
}

void UISystem::CollectDrawItems(std::vector<DrawItem>& items, f32 width, f32 height)
{
    if (m_current == nullptr || !m_current->IsActive())
        return;
    GameFactory* factory = Engine::Factory();
    const FollowFrame frame = ReadFollowFrame();
    for (HUDComponent* element : m_current->GetElements())
    {
        const Math::Vector2 size = element->GetSize();
        if (width > 0.0f && height > 0.0f)
            element->hitSize = Math::Vector2(size.x / width, size.y / height);
        Math::ColorRGBA colour = element->colour;
        const TransformComponent* followed = nullptr;
        const Follow follow = FollowedObject(*element, factory, followed);
        switch (follow)
        {
        case Follow::None:
            break;
        case Follow::Lost:
            continue;
        case Follow::WorldObject:
            // While the heads-up display is hidden such elements keep their last place.
            if (!frame.hudShown || frame.cameras == nullptr)
                continue;
            PlaceOverObject(*element, *followed, *frame.cameras, width, height);
            colour.r *= frame.fade.r;
            colour.g *= frame.fade.g;
            colour.b *= frame.fade.b;
            break;
        }
        if (element->alpha <= 0.0f || size.x <= 0.0f || size.y <= 0.0f)
            continue;
        Math::Vector2 centre = element->pixelPosition;
        // A pointer follows the button it stands on, offset by its own position.
        if (element->pointerShown && factory != nullptr)
        {
            const GameObject* followed = factory->FindObject(element->boundObject);
            const ButtonComponent* button =
                followed != nullptr ? followed->GetComponent<ButtonComponent>() : nullptr;
            if (button != nullptr)
                centre =
                    button->pixelPosition + Math::Vector2(element->relativePosition.x * width,
                                                          element->relativePosition.y * height);
        }
        if (const auto* button = dynamic_cast<const ButtonComponent*>(element))
            centre.x += button->slide.x * width;
        items.push_back({element->GetShownMaterial(), centre, size, element->alpha, colour,
                         element->GetOwner(), element->scale, follow == Follow::WorldObject});
    }
}
// What the GameState script table asks at once.
void UISystem::AddButtonIfLoaded(const std::string& material, const std::string& function,
                                 const std::string& name, f32 x, f32 y, u32 elementFlags)
{
    UISystem* ui = UISystem::Instance();
    if (ui != nullptr && MaterialLoaded("AddButton", material))
        ui->AddButton(material, function, name, x, y, elementFlags);
}

u32 UISystem::AddHudElementIfLoaded(const std::string& material, const std::string& text, f32 x,
                                    f32 y, u32 screenFlags, u32 elementFlags)
{
    UISystem* ui = UISystem::Instance();
    return ui != nullptr && MaterialLoaded("AddHudElement", material)
               ? ui->AddHudElement(material, text, x, y, screenFlags, elementFlags)
               : 0;
}

void UISystem::SetHudElementPosition(u32 objectId, f32 x, f32 y)
{
    if (HUDComponent* element = ElementOf(objectId))
    {
        element->relativePosition = Math::Vector2(x, y);
        element->UpdateLayout();
    }
}

void UISystem::ChangeHudElementTexture(u32 objectId, const std::string& material)
{
    if (HUDComponent* element = ElementOf(objectId))
        element->SetMaterial(material);
}

void UISystem::SetButtonVisibility(const std::string& name, f32 value)
{
    UISystem* ui = UISystem::Instance();
    PageComponent* page = ui != nullptr ? ui->GetCurrentPage() : nullptr;
    if (ButtonComponent* button = page != nullptr ? page->FindButton(name) : nullptr)
        button->alpha = value;
}

std::string UISystem::PreviousPageName()
{
    UISystem* ui = UISystem::Instance();
    PageComponent* previous = ui != nullptr ? ui->GetPreviousPage() : nullptr;
    return previous != nullptr ? previous->GetPageName() : std::string();
}
} // namespace System
} // namespace GameState
