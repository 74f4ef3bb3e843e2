-- The Mage's laser: a fast beam that burns through up to two enemies.
-- The engine reads the tables below when the ability object is set up and calls the
-- functions by name: the controller "ActivateAbility" and "IsCooledDown", the ability object
-- "OnCollide", the modifiers "GetModifierCount" and "GetModifier", levels "LevelUp", the rage
-- "EnrageAbility" and "UnEnrageAbility", the scripting system "Update".

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 0.8, moveRate = 30, numObjsToHit = 2 }
DamageModifier = { value = 18, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
-- A burst of the ability's colour flies off whatever it hurts and is taken off again after a
-- moment.
ParticleSystemModifier = { systemName = "LaserHit", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.4,
                           isTemporary = true, value = 0, enrageModifier = 0 }

Character = { enraged = false }

-- Seconds between two uses.
local cooldown = 0.5
local sinceFired = cooldown

-- Seconds the level-up motes fly before they are taken off the character.
local levelUpMotesSeconds = 1.5

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
    Engine.CreateObject(character, "MageLaser")
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

-- Each level makes the ability a little stronger. This is the character's first ability, so
-- experience motes spray off the character it is called with (its id), fired or not.
function LevelUp(character)
    DamageModifier.value = DamageModifier.value + 5
    if character ~= nil then
        Object.MountToObject(character, character, "ExperienceMotes")
        Object.UnmountFromObjectByArchetypeDelayed(character, character, "ExperienceMotes", true,
                                                   levelUpMotesSeconds)
    end
end

function EnrageAbility()
    Character.enraged = true
end

function UnEnrageAbility()
    Character.enraged = false
end
