-- What the audio scripts share: the sound list the audio system and the audio response
-- component read through "GetAudioCount", "GetAudioName", "GetAudioFilename" and
-- "GetAudioType", the play command, and the event handlers of a player character.

local CharacterAudio = {}

-- Sound types: a streamed music track, or a sound effect held in memory.
CharacterAudio.MUSIC = 0
CharacterAudio.EFFECT = 1

-- The effect command that plays a sound.
local PLAY = 0

-- Every event also leaves a line in the log, so a play-through can be followed there. A run of
-- steps writes one line: a step more than this many seconds (of the wall clock, whole seconds)
-- after the last one starts a new run. These scripts get no frame updates to count time with.
local STEP_PAUSE = 1

-- A sound effect whose file is its name with ".wav".
function CharacterAudio.Effect(name)
    return { name = name, file = name .. ".wav", type = CharacterAudio.EFFECT }
end

function CharacterAudio.Play(name)
    Audio.EffectMessage(0, name, PLAY)
end

-- Defines the global functions that list `sounds` (entries of name, file and type), by index
-- from 1.
function CharacterAudio.ListSounds(sounds)
    function GetAudioCount()
        return #sounds
    end

    -- A reader of one field of the entry at an index.
    local function Reader(field)
        return function(index)
            return sounds[index][field]
        end
    end
    GetAudioName = Reader("name")
    GetAudioFilename = Reader("file")
    GetAudioType = Reader("type")
end

-- Defines the sound list and every event handler of a player character: `character` names it
-- in the log ("Golem: hurt"), `prefix` begins the names of its four ability sounds
-- ("golemAbility0" to "golemAbility3"); the other sounds every player character shares.
function CharacterAudio.InstallPlayer(character, prefix)
    local Effect, Play = CharacterAudio.Effect, CharacterAudio.Play
    local abilities = {}
    for index = 0, 3 do
        abilities[index] = prefix .. "Ability" .. index
    end
    CharacterAudio.ListSounds{
        Effect(abilities[0]), Effect(abilities[1]), Effect(abilities[2]), Effect(abilities[3]),
        Effect("playerDamaged"), Effect("playerDeath"), Effect("playerRespawn"),
        Effect("playerStep"), Effect("playerSelect"), Effect("finalKill"), Effect("victory"),
        Effect("defeat"),
    }

    local lastStep = nil

    local function Say(text)
        Engine.Output(character .. ": " .. text)
    end

    function OnLoad()
    end

    -- "ability 1 fired" for OnAbility0, and so on.
    for index = 0, 3 do
        _ENV["OnAbility" .. index] = function()
            Say("ability " .. (index + 1) .. " fired")
            Play(abilities[index])
        end
    end

    function OnDamaged()
        Say("hurt")
        Play("playerDamaged")
    end

    function OnDeath()
        Say("died")
        Play("playerDeath")
    end

    function OnRespawn()
        Say("revived")
        Play("playerRespawn")
    end

    function OnMove()
        local now = os.time()
        if lastStep == nil or now - lastStep > STEP_PAUSE then
            Say("moving")
        end
        lastStep = now
        Play("playerStep")
    end

    function OnSelect()
        Play("playerSelect")
    end

    function OnFinalKill()
        Play("finalKill")
    end

    function OnVictory()
        Say("victory")
        Play("victory")
    end

    function OnDefeat()
        Say("defeat")
        Play("defeat")
    end

    function Update(dt)
    end
end

return CharacterAudio
