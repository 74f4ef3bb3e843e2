-- The first level as the play-through plays it: the level's own state script, run as it is, and
-- a switch for the heads-up display that the test works from outside. The play-through copies
-- this file beside the level's script in a copy of the assets and names it in that copy's state
-- list instead of the level's script; the shipped game never loads it.
--
-- While the file that QUILL_HUD_SWITCH names exists, the heads-up display is hidden
-- (Graphics.HideHud); once it is gone, it shows again (Graphics.ShowHud). Each change is logged,
-- so that the test knows when to look.

dofile("assets/Scripts/States/LevelState.lua")

local levelUpdate = UpdateState
local switchFile = os.getenv("QUILL_HUD_SWITCH")
local hidden = false

local function SwitchWanted()
    if switchFile == nil or switchFile == "" then
        return false
    end
    local file = io.open(switchFile, "r")
    if file == nil then
        return false
    end
    file:close()
    return true
end

function UpdateState(dt)
    levelUpdate(dt)
    local wanted = SwitchWanted()
    if wanted == hidden then
        return
    end
    hidden = wanted
    if hidden then
        Graphics.HideHud()
        Engine.Output("PlayThrough: heads-up display hidden")
    else
        Graphics.ShowHud()
        Engine.Output("PlayThrough: heads-up display shown")
    end
end
