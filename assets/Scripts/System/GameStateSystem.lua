-- The game's states, in the order the game-state system knows them: the first is entered at
-- start-up, and GSM_NEXT goes from one to the one after it (the last wraps to the first). Each
-- state is a script of its own below assets/Scripts/ with the callbacks Load, Initialize,
-- UpdateState(dt), Free and Unload; its name is what GoToState messages and GameState.GoToMain
-- ("Main") ask for.
local states = {
    { name = "Main", file = "States/MainState.lua" },
    { name = "Level1", file = "States/LevelState.lua" },
}

function GetScriptCount()
    return #states
end

function GetScriptFilename(index)
    return states[index].file
end

function GetScriptName(index)
    return states[index].name
end

function Update(dt)
end
