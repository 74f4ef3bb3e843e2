-- The SteamKnight's slowing trap (an alternate of its burning trap): glue that halves the
-- speed of what crosses it.
-- The engine reads the tables below when the ability object is set up and calls the
-- functions by name: the controller "ActivateAbility" and "IsCooledDown", the ability object
-- "OnCollide", the modifiers "GetModifierCount" and "GetModifier", levels "LevelUp", the rage
-- "EnrageAbility" and "UnEnrageAbility", the scripting system "Update".

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 8, moveRate = 0, numObjsToHit = 0 }
SpeedModifier = { value = 0.5, timeToLast = 2, isTemporary = true, enrageModifier = 0 }
-- Glue drips off whatever wades through the trap, a few more with every touch, each taken off
-- again after a moment.
ParticleSystemModifier = { systemName = "GlueHit", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.4,
                           isTemporary = true, value = 0, enrageModifier = 0 }

Character = { enraged = false }

-- Seconds between two uses.
local cooldown = 5
local sinceFired = cooldown

-- The modifiers every ability object carries, by component type name.
local modifiers = { "SpeedModifierComponent", "ParticleSystemModifierComponent" }

function GetModifierCount()
    return #modifiers
end

function GetModifier(i)
    return modifiers[i]
end

-- Fired by the character's controller with the character's id.
function ActivateAbility(character)
    if sinceFired < cooldown then
        return false
    end
    sinceFired = 0
    Engine.CreateObject(character, "SteamKnightSlowTrap")
    return true
end

function IsCooledDown()
    return sinceFired >= cooldown
end

function Update(seconds)
    sinceFired = sinceFired + seconds
end

-- Every contact of the ability object; the modifiers do the work.
function OnCollide(abilityObject, other)
end

-- Each level makes the ability a little stronger.
-- The speed factor is what the trap slows its victims to: a level leaves it as it is.
function LevelUp()
end

function EnrageAbility()
    Character.enraged = true
end

function UnEnrageAbility()
    Character.enraged = false
end
