-- The main menu's page script. Play enters the level (the next state), Quit ends the game.

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
end

function ResumeClicked(player)
end

-- Buttons.
function PlayClicked(player)
    GameState.ChangeState(0, 3) -- GSM_NEXT
end

function QuitClicked(player)
    GameState.ChangeState(0, 1) -- GSM_EXIT
end

function Update(dt)
end
