-- The pause menu. Every way out resumes the game (the pause flag outlives a change of state):
-- Resume returns to the heads-up display, Quit to menu ends the level.

local resume = 5 -- GSM_RESUME

local function Resume()
    GameState.StopSingleHighlight()
    GameState.ChangeState(0, resume)
    GameState.ChangePage("HUD")
end

function Load()
end

function UpdatePage(dt)
end

function Clicked()
end

function WantsToPlay(number)
end

function CanControllerMove(player)
    return 1
end

function ControllerMovedToNewButton(player, cell)
end

function ReturnClicked(player)
    Resume()
end

function ResumeClicked(player)
    Resume()
end

-- Buttons.
function ResumeButton(player)
    Resume()
end

function QuitToMenuButton(player)
    GameState.StopSingleHighlight()
    GameState.ChangeState(0, resume)
    GameState.GoToMain()
end

function Update(dt)
end
