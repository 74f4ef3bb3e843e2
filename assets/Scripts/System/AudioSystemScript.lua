-- Audio settings and the sounds the audio system loads at start-up. Volumes run from 0 to 1.

muted = false
musicVolume = 0.8
effectVolume = 1.0

local CharacterAudio = require("Modules.CharacterAudio")

-- Music and sound effects by name. Music files are below "assets/Audio/Music/", effect files
-- below "assets/Audio/Sound Effects/". Type 0 loads a streamed music track, type 1 a sound
-- effect held in memory.
local MUSIC, EFFECT = CharacterAudio.MUSIC, CharacterAudio.EFFECT
CharacterAudio.ListSounds{
    -- Looped through every state; pausing and resuming the game pause and resume it.
    { name = "backgroundMusicLoop", file = "backgroundMusicLoop.ogg", type = MUSIC },
    -- A page's selection sound.
    { name = "abilitySelect", file = "abilitySelect.wav", type = EFFECT },
}

function Update(dt)
end
