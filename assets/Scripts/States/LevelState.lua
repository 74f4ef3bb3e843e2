-- The first level. Initialize makes the character selection, the heads-up display and the
-- pause menu and shows the character selection; its page creates the players' characters.
-- When the first players are in, the state creates the "ArenaWaves" object, whose wave script
-- places the enemy spawners over time, and the "HealthPickupEmitter", which drops health
-- pick-ups into the arena while the fight lasts. Every frame the state watches how the match stands:
-- defeat when no player lives, victory when no enemy or spawner remains, each only once players
-- (or enemies) have been seen. Either shows a line on the heads-up display and returns to the
-- main state.

local firstObject = 0
local playersSeen = false
local enemiesSeen = false
local finished = false
local wavesStarted = false

-- How long the closing line stays before the main menu returns (seconds).
local closingDelay = 2

function Load()
    Engine.Output("Level1: loading")
    AssetLoader.LoadAssetBatch("Level1", false)
end

function Initialize()
    Engine.Output("Level1: initialized")
    playersSeen = false
    enemiesSeen = false
    finished = false
    wavesStarted = false
    firstObject = Engine.CreateObject(0, "CharacterSelectPage")
    -- The arena: its floor, its lamps and the sky, all made after the first object so that
    -- leaving the level takes them away. The camera comes with the characters (the page's).
    Engine.CreateObject(0, "Arena")
    for _, lamp in ipairs({"Centre", "North", "South"}) do
        Engine.CreateObject(0, "ArenaLight" .. lamp)
    end
    Graphics.CreateSkybox("Skybox")
    Engine.CreateObject(0, "HudPage")
    Engine.CreateObject(0, "PausePage")
    GameState.ChangePage("CharacterSelect")
end

local function Finish(text)
    finished = true
    Engine.Output("Level1: " .. text)
    GameState.AddHudElement("Panel", text, 0, 0.1, 0, 0, 0, 0)
    GameState.GoToMainDelayed(closingDelay)
end

function UpdateState(dt)
    if finished then
        return
    end
    local living = Logic.GetLivingPlayerCount()
    local enemies = Logic.GetAICount() + Logic.GetSpawnerCount()
    if living > 0 then
        playersSeen = true
    end
    if playersSeen and not wavesStarted then
        -- Made after the level's first object, so leaving the level destroys them too.
        wavesStarted = true
        Engine.CreateObject(0, "ArenaWaves")
        Engine.CreateObject(0, "HealthPickupEmitter")
        Engine.Output("Level1: waves started")
    end
    if enemies > 0 then
        enemiesSeen = true
    end
    if playersSeen and living == 0 then
        Finish("Defeat")
    elseif enemiesSeen and enemies == 0 then
        Finish("Victory")
    end
end

function Free()
    Engine.Output("Level1: freed")
end

function Unload()
    Engine.Output("Level1: unloaded")
    if firstObject ~= 0 then
        Engine.DestroyRecentObjects(0, firstObject)
        firstObject = 0
    end
end

function Update(dt)
end
