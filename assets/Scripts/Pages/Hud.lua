-- The heads-up display's page script: the characters' bars are elements of their own objects,
-- which join this page when they are made, so the page itself does nothing.

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

function Update(dt)
end
