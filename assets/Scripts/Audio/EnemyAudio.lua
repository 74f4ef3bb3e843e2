-- The sounds of an enemy: its attack, being hit and dying. The audio response component loads
-- the listed sounds and calls the event functions below.

local CharacterAudio = require("Modules.CharacterAudio")
local Effect, Play = CharacterAudio.Effect, CharacterAudio.Play

CharacterAudio.ListSounds{ Effect("enemyAttack"), Effect("enemyDamaged"), Effect("enemyDeath") }

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
