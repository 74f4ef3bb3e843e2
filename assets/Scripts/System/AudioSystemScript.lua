-- Audio settings and the sounds the audio system loads at start-up. Volumes run from 0 to 1.

muted = false
musicVolume = 0.8
effectVolume = 1.0

-- Music and sound effects by name. Music files are below "assets/Audio/Music/", effect files
-- below "assets/Audio/Sound Effects/". Type 0 loads a streamed music track, type 1 a sound
-- effect held in memory.
local MUSIC = 0
local EFFECT = 1
local sounds = {
    -- Looped through every state; pausing and resuming the game pause and resume it.
    { name = "backgroundMusicLoop", file = "backgroundMusicLoop.ogg", type = MUSIC },
    -- A page's selection sound.
    { name = "abilitySelect", file = "abilitySelect.wav", type = EFFECT },
}

function GetAudioCount()
    return #sounds
end

function GetAudioName(index)
    return sounds[index].name
end

function GetAudioFilename(index)
    return sounds[index].file
end

function GetAudioType(index)
    return sounds[index].type
end

function Update(dt)
end
