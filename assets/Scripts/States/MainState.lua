-- The main state: where the game starts. Load runs when the state is entered (start loading
-- its asset batch here); the engine calls Initialize once the batch is in, UpdateState every
-- frame after that, and Free then Unload when the state is left.

function Load()
end

-- The music command that starts a track from its beginning, looped.
local MUSIC_PLAY = 0

function Initialize()
    -- The background music plays through the game; pausing and resuming toggle it.
    Audio.MusicMessage(0, "backgroundMusicLoop", MUSIC_PLAY)
end

function UpdateState(dt)
end

function Free()
end

function Unload()
end

function Update(dt)
end
