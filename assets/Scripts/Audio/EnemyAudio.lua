-- The sounds of an enemy: its attack, being hit and dying. The audio response component loads
-- the listed sounds and calls the event functions below.

local EFFECT = 1
local sounds = {
    { name = "enemyAttack", file = "enemyAttack.wav", type = EFFECT },
    { name = "enemyDamaged", file = "enemyDamaged.wav", type = EFFECT },
    { name = "enemyDeath", file = "enemyDeath.wav", type = EFFECT },
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

function OnLoad()
end

function OnAbility0()
    Play("enemyAttack")
end

function OnDamaged()
    Play("enemyDamaged")
end

function OnDeath()
    -- Logged so that a play-through sees each kill.
    Engine.Output("Enemy: died")
    Play("enemyDeath")
end

function Update(dt)
end
