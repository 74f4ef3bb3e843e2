-- The sounds of the mage: one per ability, plus the sounds every player character shares. The
-- audio response component loads the listed sounds and calls the event functions below.

local EFFECT = 1
local sounds = {
    { name = "mageAbility0", file = "mageAbility0.wav", type = EFFECT },
    { name = "mageAbility1", file = "mageAbility1.wav", type = EFFECT },
    { name = "mageAbility2", file = "mageAbility2.wav", type = EFFECT },
    { name = "mageAbility3", file = "mageAbility3.wav", type = EFFECT },
    { name = "playerDamaged", file = "playerDamaged.wav", type = EFFECT },
    { name = "playerDeath", file = "playerDeath.wav", type = EFFECT },
    { name = "playerRespawn", file = "playerRespawn.wav", type = EFFECT },
    { name = "playerStep", file = "playerStep.wav", type = EFFECT },
    { name = "playerSelect", file = "playerSelect.wav", type = EFFECT },
    { name = "finalKill", file = "finalKill.wav", type = EFFECT },
    { name = "victory", file = "victory.wav", type = EFFECT },
    { name = "defeat", file = "defeat.wav", type = EFFECT },
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

-- The effect command that plays a sound.
local PLAY = 0

local function Play(name)
    Audio.EffectMessage(0, name, PLAY)
end

-- Every event also leaves a line in the log, so a play-through can be followed there. A run of
-- steps writes one line: a step more than this many seconds (of the wall clock, whole seconds)
-- after the last one starts a new run. This script gets no frame updates to count time with.
local STEP_PAUSE = 1
local lastStep = nil

local function Say(text)
    Engine.Output("Mage: " .. text)
end

function OnLoad()
end

function OnAbility0()
    Say("ability 1 fired")
    Play("mageAbility0")
end

function OnAbility1()
    Say("ability 2 fired")
    Play("mageAbility1")
end

function OnAbility2()
    Say("ability 3 fired")
    Play("mageAbility2")
end

function OnAbility3()
    Say("ability 4 fired")
    Play("mageAbility3")
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
