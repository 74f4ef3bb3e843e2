-- The main state: where the game starts. Load runs when the state is entered and loads the
-- state's asset batch at once, so Initialize follows when the batch is in; it makes the main
-- menu and shows it. Unload destroys everything Initialize made (the objects from the first
-- one on). Load calls nothing that acts at once on the user interface: the first state is
-- entered before the user-interface system exists.

local firstObject = 0
-- The mouse cursor object, made once for the whole game: the camera system keeps it under the
-- mouse (its arrow on the screen, its transform on the ground the characters turn to). Made
-- before the menu's objects, so that leaving a state does not destroy it. 0 until the camera
-- system is there to make it.
local cursor = 0
-- The music command that starts a track from its beginning, looped.
local MUSIC_PLAY = 0

function Load()
    AssetLoader.LoadAssetBatch("Main", false)
end

function Initialize()
    Engine.Output("Main: initialized")
    if cursor == 0 then
        cursor = Camera.CreateCursor()
    end
    firstObject = Engine.CreateObject(0, "MainMenuPage")
    GameState.ChangePage("MainMenu")
    -- The background music plays from the main menu on; pausing and resuming toggle it.
    Audio.MusicMessage(0, "backgroundMusicLoop", MUSIC_PLAY)
end

function UpdateState(dt)
end

function Free()
end

function Unload()
    if firstObject ~= 0 then
        Engine.DestroyRecentObjects(0, firstObject)
        firstObject = 0
    end
end

function Update(dt)
end
