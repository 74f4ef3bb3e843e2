// The page's input: grid moves of controller players, presses, the mouse's clicks and hovers,
// and the per-frame highlights of the pointers.
#include "Core/CoreServices.h"
#include "Core/Engine.h"
#include "Core/Log.h"
#include "Core/Messages/Audio/AudioEffectMessage.h"
#include "Core/Messages/Input/InputActionMessage.h"
#include "Core/Messages/Input/InputCodes.h"
#include "Core/Messages/Input/InputMoveMessage.h"
#include "Core/Messages/PostNew.h"
#include "Core/System/InputSystem.h"
#include "GameState/ButtonComponent.h"
#include "GameState/HUDComponent.h"
#include "GameState/PageComponent.h"
#include "GameState/UISystem.h"
#include "Scripting/LuaComponent.h"
#include <cmath>

namespace GameState
{
namespace
{
const char* const LogName = "PageComponent";
constexpr u32 Play = 0;
constexpr f32 Shown = 1.0f;
constexpr f32 Hidden = 0.0f;
constexpr u32 NoTargetId = 0;

System::UISystem* UI()
{
    return System::UISystem::Instance();
}

u32 ActivePlayers()
{
    const Core::System::InputSystem* input = Core::System::InputSystem::Instance();
    return input != nullptr ? input->GetActivePlayers() : 0;
}

u32 ControllerCount()
{
    const Core::System::InputSystem* input = Core::System::InputSystem::Instance();
    return input != nullptr ? input->GetControllerCount() : 0;
}

bool SingleHighlightFor(u32 player, bool& other)
{
    const System::UISystem* ui = UI();
    const bool on = ui != nullptr && ui->IsSingleHighlight();
    other = on && ui->GetHighlightedPlayer() != static_cast<s32>(player);
    return on;
}
} // namespace

void PageComponent::HandleMessage(Message* message)
{
    if (message == nullptr || m_buttons.empty())
        return;
    if (message->type == InputMoveMessage::Type)
    {
        const auto* move = static_cast<const InputMoveMessage*>(message);
        bool other = false;
        SingleHighlightFor(move->player, other);
        if (move->state != KS_TRIGGER || move->player >= PlayerCount ||
            move->player >= ActivePlayers() || other)
            return;
        if (MoveSelection(move->player, move->direction))
            PlaySelectSound();
    }
    else if (message->type == InputActionMessage::Type)
    {
        HandleAction(*static_cast<const InputActionMessage*>(message));
    }
}

void PageComponent::HandleAction(const InputActionMessage& action)
{
    const u32 player = action.player;
    if (action.state != KS_TRIGGER || player >= PlayerCount)
        return;
    const u32 active = ActivePlayers();
    if (player < active)
    {
        bool other = false;
        SingleHighlightFor(player, other);
        if (!other && PageAction(player, action.action))
            PlaySelectSound();
        return;
    }
    // Mouse play.
    if (action.action == ActionPress && ControllerCount() == 0)
    {
        if (ClickUnderCursor())
            PlaySelectSound();
    }
    else if (action.action == ActionBack && active == 0)
    {
        CallScript("ReturnClicked", static_cast<s32>(player));
    }
    else if (action.action == ActionResume && active == 0 && m_pageName == CharacterSelectPage)
    {
        CallScript("ResumeClicked", static_cast<s32>(player));
    }
}

bool PageComponent::PageAction(u32 player, u32 action)
{
    const s32 number = static_cast<s32>(player);
    switch (action)
    {
    case ActionSelect:
        if (ButtonComponent* button = ButtonInCell(GetSelection(player)))
            CallScript(button->functionName.c_str(), number);
        return true;
    case ActionReturn:
        if (m_pageName == CharacterSelectPage)
            CallScript("ReturnClicked", number);
        return true;
    case ActionBack:
        if (m_pageName == PausePage)
            CallScript("ResumeClicked", number);
        return true;
    case ActionStart:
        if (m_pageName == CharacterSelectPage)
            CallScript("ResumeClicked", number);
        return true;
    default:
        return false;
    }
}

s16 PageComponent::FindMoveTarget(s16 from, const Math::Vector2& direction) const
{
    auto has = [this](s16 cell) { return ButtonInCell(cell) != nullptr; };
    // The first cell with a button from `start` stepping by `step`, within the row that starts
    // at `rowStart`.
    auto scan = [&](s16 start, s16 step, s16 rowStart) -> s16
    {
        for (s16 cell = start; cell >= rowStart && cell < rowStart + GridColumns; cell += step)
        {
            if (has(cell))
                return cell;
        }
        return NoSelection;
    };
    auto rowOf = [](s16 cell) { return static_cast<s16>(cell - cell % GridColumns); };
    if (direction.y < 0.0f || direction.y > 0.0f)
    {
        const bool down = direction.y < 0.0f;
        const s16 target = static_cast<s16>(down ? from + GridColumns : from - GridColumns);
        if (target < 0 || target >= GridCells)
            return NoSelection;
        if (has(target))
            return target;
        // Down looks right first, up looks left first, both within the target's row.
        const s16 first = down ? 1 : -1;
        const s16 row = rowOf(target);
        const s16 found = scan(static_cast<s16>(target + first), first, row);
        return found != NoSelection ? found : scan(static_cast<s16>(target - first), -first, row);
    }
    if (direction.x > 0.0f)
    {
        const s16 target = static_cast<s16>(from + 1);
        if (target % GridColumns == 0 || target >= GridCells)
            return NoSelection;
        return scan(target, 1, rowOf(target));
    }
    if (direction.x < 0.0f)
    {
        if (from % GridColumns == 0)
            return NoSelection;
        return scan(static_cast<s16>(from - 1), -1, rowOf(from));
    }
    return NoSelection;
}

bool PageComponent::MoveSelection(u32 player, const Math::Vector2& direction)
{
    if (player >= PlayerCount)
        return false;
    // A missing CanControllerMove allows the move (the script component reports it).
    s32 allowed = 1;
    if (m_script != nullptr)
        m_script->CallIntReturnInt("CanControllerMove", static_cast<s32>(player), allowed);
    if (allowed == 0)
        return false;
    const s16 from = m_selection[player];
    s16 target = NoSelection;
    if (from == NoSelection)
    {
        for (s16 cell = 0; cell < GridCells && target == NoSelection; ++cell)
            target = ButtonInCell(cell) != nullptr ? cell : NoSelection;
    }
    else
    {
        target = FindMoveTarget(from, direction);
    }
    if (target == NoSelection)
        return false;
    m_selection[player] = target;
    if (m_script != nullptr)
        m_script->CallWithIntAndShort("ControllerMovedToNewButton", static_cast<s32>(player),
                                      target);
    return true;
}

ButtonComponent* PageComponent::ButtonUnderCursor() const
{
    const f32 width = static_cast<f32>(Core::WindowWidth());
    const f32 height = static_cast<f32>(Core::WindowHeight());
    if (width <= 0.0f || height <= 0.0f)
        return nullptr;
    // The cursor is in window pixels from the top; element positions grow upwards.
    const Math::Vector2& cursor = Core::System::InputSystem::GetCursorPosition();
    const f32 u = cursor.x / width;
    const f32 v = 1.0f - cursor.y / height;
    for (HUDComponent* element : m_elements)
    {
        auto* button = dynamic_cast<ButtonComponent*>(element);
        // Unlike a plain hit test over every button, a hidden one (alpha 0) is skipped: it is not
        // drawn, so the mouse must not press or hover what the player cannot see.
        if (button == nullptr || button->alpha <= 0.0f)
            continue;
        if (std::fabs(u - button->windowPosition.x) <= button->hitSize.x / 2.0f &&
            std::fabs(v - button->windowPosition.y) <= button->hitSize.y / 2.0f)
            return button;
    }
    return nullptr;
}

bool PageComponent::ClickUnderCursor()
{
    ButtonComponent* button = ButtonUnderCursor();
    if (button == nullptr)
        return false;
    Core::Log() << LogName << ": page " << m_pageName << " calls " << button->functionName << '\n';
    CallScript(button->functionName.c_str(), static_cast<s32>(Play));
    return true;
}

bool PageComponent::HoverUnderCursor()
{
    ButtonComponent* button = ButtonUnderCursor();
    if (button == nullptr)
    {
        m_hovered = 0;
        return false;
    }
    HighlightFor(*button, 0, false);
    const bool changed = button->GetOwner() != m_hovered;
    m_hovered = button->GetOwner();
    return changed;
}

void PageComponent::PlaySelectSound()
{
    Core::Log() << "Page playing audio effect\n";
    if (g_Engine != nullptr)
        Core::PostNew<AudioEffectMessage>(LogName, 0.0f, m_id, SelectSound, Play, NoTargetId);
}

void PageComponent::HighlightFor(ButtonComponent& button, u32 player, bool showPointer)
{
    button.Highlight();
    HUDComponent* pointer = GetPointer(player);
    if (!showPointer || pointer == nullptr)
        return;
    pointer->boundObject = button.GetOwner();
    pointer->pointerShown = true;
    pointer->alpha = Shown;
}

void PageComponent::UpdatePage(f32 seconds)
{
    if (m_script != nullptr)
        m_script->CallWithFloat("UpdatePage", seconds);

    System::UISystem* ui = UI();
    const bool current = ui != nullptr && ui->GetCurrentPage() == this;
    // The script may have changed the page's buttons; walk a copy.
    std::vector<ButtonComponent*>& buttons = m_buttonWalk;
    buttons.clear();
    for (auto& [name, button] : m_buttons)
        buttons.push_back(button);
    for (ButtonComponent* button : buttons)
    {
        if (!button->IsHighlighted())
            continue;
        button->Unhighlight();
        if (HUDComponent* first = m_pointers[0])
        {
            first->pointerShown = false;
            first->alpha = Hidden;
        }
    }
    for (ButtonComponent* button : buttons)
    {
        button->Slide(seconds, current);
        if (!current)
            m_active = false;
    }

    if (!current || buttons.empty())
        return;
    const u32 active = ActivePlayers();
    const bool single = ui->IsSingleHighlight();
    if (!single || active == 0)
    {
        if (ControllerCount() == 0)
        {
            if (HoverUnderCursor())
                PlaySelectSound();
            HidePointers();
        }
        else
        {
            for (u32 player = 0; player < active && player < PlayerCount; ++player)
            {
                if (ButtonComponent* button = ButtonInCell(m_selection[player]))
                    HighlightFor(*button, player, true);
            }
        }
    }
    else
    {
        const s32 highlighted = ui->GetHighlightedPlayer();
        for (u32 player = 0; player < PlayerCount; ++player)
        {
            if (m_pointers[player] != nullptr)
                m_pointers[player]->alpha = Hidden;
        }
        if (highlighted >= 0 && highlighted < static_cast<s32>(PlayerCount))
        {
            const u32 player = static_cast<u32>(highlighted);
            if (ButtonComponent* button = ButtonInCell(m_selection[player]))
                HighlightFor(*button, player, true);
        }
    }
    if (m_pageName == CharacterSelectPage)
        HidePointers();
}
} // namespace GameState
