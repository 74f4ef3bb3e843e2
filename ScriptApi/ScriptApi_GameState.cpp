// The GameState table: what state and page scripts use to build menus and the heads-up display,
// move between pages, states and levels, and ask how the player plays. The entries that change
// the current page at once call the user-interface system directly; without it they do nothing
// and answer 0. The active-player entries call the input system.
#include "Core/Log.h"
#include "Core/Messages/Graphics/TextConstructMessage.h"
#include "Core/Messages/UserInterface/ChangeButtonFunctionMessage.h"
#include "Core/Messages/UserInterface/ChangePageMessage.h"
#include "Core/Messages/UserInterface/GameStateMessage.h"
#include "Core/Messages/UserInterface/GoToStateMessage.h"
#include "Core/Messages/UserInterface/NextLevelMessage.h"
#include "Core/Messages/UserInterface/RemoveHudElementMessage.h"
#include "Core/Messages/UserInterface/SetPointerPosMessage.h"
#include "Core/System/InputSystem.h"
#include "Core/TextAlignment.h"
#include "GameState/UISystem.h"
#include "Math/Types.h"
#include "ScriptApi/ScriptApiTables.h"
#include "Scripting/CallThunk.h"
#include "Scripting/CallingScript.h"
#include <cmath>
#include <string>

namespace Scripting
{
namespace
{
constexpr const char* UISystemName = "UISystem";
constexpr const char* GameStateSystemLabel = "GameStateSystem";
// The state GameState.GoToMain switches to.
constexpr const char* MainState = "Main";
constexpr u32 NoTargetId = 0;
constexpr u32 NoSender = 0;

using GameState::System::UISystem;

// A button is placed by its own alignment word; its screen alignment word is always 0.
// A position that is not a finite number would place the element nowhere (and poison the
// layout of the page around it): refused with one line naming the calling script.
bool FinitePosition(const char* entry, f32 x, f32 y)
{
    if (std::isfinite(x) && std::isfinite(y))
        return true;
    Core::Log() << "Error [" << Api::LogName << "]: " << CallingScriptName() << ": GameState."
                << entry << ": the position (" << x << ", " << y
                << ") is not a finite number; nothing added\n";
    return false;
}

void AddButton(const char* material, const char* function, const char* name, f32 x, f32 y,
               s32 horizontal, s32 vertical)
{
    if (!FinitePosition("AddButton", x, y))
        return;
    UISystem::AddButtonIfLoaded(material, function, name, x, y,
                                MakeAlignmentFlags(horizontal, vertical));
}

void SetPointerRelativePosition(u32 controller, f32 x, f32 y)
{
    Api::PostNew<SetPointerPosMessage>(0.0f, NoSender, controller, x, y, std::string(UISystemName));
}

// The first pair anchors the element on the screen, the second shifts it by half its size.
u32 AddHudElement(const char* material, const char* text, f32 x, f32 y, s32 screenHorizontal,
                  s32 screenVertical, s32 elementHorizontal, s32 elementVertical)
{
    if (!FinitePosition("AddHudElement", x, y))
        return 0;
    return UISystem::AddHudElementIfLoaded(material, text, x, y,
                                           MakeAlignmentFlags(screenHorizontal, screenVertical),
                                           MakeAlignmentFlags(elementHorizontal, elementVertical));
}

// The element entries act only while a user-interface system exists.
void SetHudElementPos(u32 objectId, f32 x, f32 y)
{
    if (UISystem::Instance() != nullptr)
        UISystem::SetHudElementPosition(objectId, x, y);
}

void RemoveHudElement(u32 sender, u32 elementId)
{
    Api::PostNew<RemoveHudElementMessage>(0.0f, sender, elementId, NoTargetId);
}

void ChangeHudElementTexture(u32 objectId, const char* material)
{
    if (UISystem::Instance() != nullptr)
        UISystem::ChangeHudElementTexture(objectId, material);
}

// The page is looked up when the message arrives (a page object made in the same call does not
// exist before then); the message names the script for the line that reports a missing page.
void ChangePageDelayed(const char* page, f32 delay)
{
    ChangePageMessage* message =
        TryNewMessage<ChangePageMessage>(Api::LogName, NoSender, std::string(page), NoTargetId);
    if (message != nullptr)
        message->requester = CallingScriptName();
    Api::Post(message, delay);
}

void ChangePage(const char* page)
{
    ChangePageDelayed(page, 0.0f);
}

// Nothing when there is no previous page (or no user-interface system to name it).
void GoToPreviousPage()
{
    const std::string previous = UISystem::PreviousPageName();
    if (!previous.empty())
        Api::PostNew<ChangePageMessage>(0.0f, NoSender, previous, NoTargetId);
}

// The command is passed on unchanged (0 restart, 1 exit, 2 previous, 3 next, 4 pause, 5 resume).
void ChangeStateDelayed(u32 sender, u32 command, f32 delay)
{
    Api::PostNew<GameStateMessage>(delay, sender, command, NoTargetId);
}

void ChangeState(u32 sender, u32 command)
{
    ChangeStateDelayed(sender, command, 0.0f);
}

void GoToNextLevel()
{
    Api::PostNew<NextLevelMessage>(0.0f, NoSender, std::string(GameStateSystemLabel));
}

void SetActivePlayers(s32 count)
{
    if (Core::System::InputSystem* input = Core::System::InputSystem::Instance())
        input->SetActivePlayers(static_cast<u16>(count));
}

// True with no active controller players, which the input system reports whenever no
// controller is connected; true as well before the input system exists.
bool UsingMouse()
{
    const Core::System::InputSystem* input = Core::System::InputSystem::Instance();
    return input == nullptr || input->GetActivePlayers() == 0;
}

void StopSingleHighlight()
{
    if (UISystem* ui = UISystem::Instance())
        ui->StopSingleHighlight();
}

void GoToMainDelayed(f32 delay)
{
    Api::PostNew<GoToStateMessage>(delay, NoSender, std::string(MainState), NoTargetId);
}

void GoToMain()
{
    GoToMainDelayed(0.0f);
}

void ChangeButtonFunctionCall(const char* button, const char* function)
{
    Api::PostNew<ChangeButtonFunctionMessage>(0.0f, NoSender, std::string(button),
                                              std::string(function), std::string(UISystemName));
}

void SetButtonVisibility(const char* button, f32 value)
{
    UISystem::SetButtonVisibility(button, value);
}

void SetElementText(u32 sender, u32 target, const char* text)
{
    Api::PostNew<TextConstructMessage>(0.0f, sender, std::string(text), target);
}
} // namespace

namespace Api
{
void FillGameStateTable(const Namespace& table)
{
    BindFunction<&AddButton>(table, "AddButton");
    BindFunction<&SetPointerRelativePosition>(table, "SetPointerRelativePosition");
    BindFunction<&AddHudElement>(table, "AddHudElement");
    BindFunction<&SetHudElementPos>(table, "SetHudElementPos");
    BindFunction<&RemoveHudElement>(table, "RemoveHudElement");
    BindFunction<&ChangeHudElementTexture>(table, "ChangeHudElementTexture");
    BindFunction<&ChangePage>(table, "ChangePage");
    BindFunction<&GoToPreviousPage>(table, "GoToPreviousPage");
    BindFunction<&ChangeState>(table, "ChangeState");
    BindFunction<&ChangeStateDelayed>(table, "ChangeStateDelayed");
    BindFunction<&ChangePageDelayed>(table, "ChangePageDelayed");
    BindFunction<&GoToNextLevel>(table, "GoToNextLevel");
    BindFunction<&SetActivePlayers>(table, "SetActivePlayers");
    BindFunction<&UsingMouse>(table, "UsingMouse");
    BindFunction<&StopSingleHighlight>(table, "StopSingleHighlight");
    BindFunction<&GoToMain>(table, "GoToMain");
    BindFunction<&GoToMainDelayed>(table, "GoToMainDelayed");
    BindFunction<&ChangeButtonFunctionCall>(table, "ChangeButtonFunctionCall");
    BindFunction<&SetButtonVisibility>(table, "SetButtonVisibility");
    BindFunction<&SetElementText>(table, "SetElementText");
}
} // namespace Api
} // namespace Scripting
