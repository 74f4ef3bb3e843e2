-- The SteamKnight's steam pump: a cloud of steam that swells, scalds and pushes enemies
-- five units away from the knight.
-- The engine reads the tables below when the ability object is set up and calls the
-- functions by name: the controller "ActivateAbility" and "IsCooledDown", the ability object
-- "OnCollide", the modifiers "GetModifierCount" and "GetModifier", levels "LevelUp", the rage
-- "EnrageAbility" and "UnEnrageAbility", the scripting system "Update".

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 0.6, moveRate = 0, numObjsToHit = 0 }
DamageModifier = { value = 12, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
-- A burst of the ability's colour flies off whatever it hurts and is taken off again after a
-- moment.
ParticleSystemModifier = { systemName = "SteamHit", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.4,
                           isTemporary = true, value = 0, enrageModifier = 0 }

-- The cloud grows to this scale over this many seconds.
ScaleEffect = { value = 2, timeToLast = 0.5 }
-- How far from the knight the steam pushes what it hits.
steamKnockDistance = 5

Character = { enraged = false }

-- Seconds between two uses.
local cooldown = 6
local sinceFired = cooldown

-- The modifiers every ability object carries, by component type name.
local modifiers = { "DamageModifierComponent", "ParticleSystemModifierComponent" }

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
    Engine.CreateObject(character, "SteamKnightSteamPump")
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
function LevelUp()
    DamageModifier.value = DamageModifier.value + 5
end

function EnrageAbility()
    Character.enraged = true
end

function UnEnrageAbility()
    Character.enraged = false
end
