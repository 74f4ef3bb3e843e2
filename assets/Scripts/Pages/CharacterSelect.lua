-- Character selection. Controller players join with Start (WantsToPlay), pick a character with
-- the action button and begin with Start once everyone who joined has picked. With the mouse a
-- click picks for player 0 and begins at once. Beginning shows the heads-up display first,
-- then creates each player's character and gives it the player's number.

local joined = {}
local picked = {}

local function Reset()
    joined = {}
    picked = {}
end

-- The number of joined players as the input system counts them: up to the highest one joined.
local function ActiveCount()
    local count = 0
    for player = 0, 3 do
        if joined[player] then
            count = player + 1
        end
    end
    return count
end

local function EveryonePicked()
    local any = false
    for player = 0, 3 do
        if joined[player] then
            if not picked[player] then
                return false
            end
            any = true
        end
    end
    return any
end

local function Begin()
    GameState.ChangePage("HUD")
    -- One camera over the arena frames every character that plays. The camera system keeps its
    -- own default camera active until told otherwise, so the level switches to this one.
    local camera = Engine.CreateObject(0, "ArenaCamera")
    Camera.SwitchTo(0, camera)
    for player = 0, 3 do
        if joined[player] and picked[player] then
            local character = Engine.CreateObject(0, picked[player])
            Logic.SetControllerID(0, character, player, 0)
            Camera.MountMessage(0, camera, character)
            Engine.Output("CharacterSelect: player " .. player .. " plays " .. picked[player])
        end
    end
    Reset()
end

local function Pick(player, kind)
    if GameState.UsingMouse() then
        joined[0] = true
        picked[0] = kind
        Begin()
    elseif joined[player] then
        picked[player] = kind
    end
end

function Load()
    Reset()
end

function UpdatePage(dt)
end

function Clicked()
end

function WantsToPlay(number)
    joined[number - 1] = true
    GameState.SetActivePlayers(ActiveCount())
end

function CanControllerMove(player)
    if joined[player] then
        return 1
    end
    return 0
end

function ControllerMovedToNewButton(player, cell)
end

function ReturnClicked(player)
    GameState.GoToMain()
end

function ResumeClicked(player)
    if EveryonePicked() then
        Begin()
    end
end

-- Buttons.
function PickGolem(player)
    Pick(player, "Golem")
end

function PickMage(player)
    Pick(player, "Mage")
end

function PickSteamKnight(player)
    Pick(player, "SteamKnight")
end

function BackClicked(player)
    GameState.GoToMain()
end

function Update(dt)
end
