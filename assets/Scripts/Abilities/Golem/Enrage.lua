-- The Golem's rage: for eight seconds its abilities are stronger (each adds its
-- "enrageModifier") and its earthquake grows.
-- The engine reads the tables below when the ability object is set up and calls the
-- functions by name: the controller "ActivateAbility" and "IsCooledDown", the ability object
-- "OnCollide", the modifiers "GetModifierCount" and "GetModifier", levels "LevelUp", the rage
-- "EnrageAbility" and "UnEnrageAbility", the scripting system "Update".

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 0.2, moveRate = 0, numObjsToHit = 1 }
EnrageModifier = { value = 1.5, timeToLast = 8, isTemporary = true, enrageModifier = 0 }

Character = { enraged = false }

-- Seconds between two uses.
local cooldown = 20
local sinceFired = cooldown

-- The modifiers every ability object carries, by component type name.
local modifiers = { "EnrageModifierComponent" }

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
    Engine.CreateObject(character, "GolemEnrage")
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

-- A level leaves the rage as it is: its value is the factor of the Golem's size while
-- enraged, not a strength, and the abilities the rage strengthens grow with their own levels.
function LevelUp()
end

function EnrageAbility()
    Character.enraged = true
end

function UnEnrageAbility()
    Character.enraged = false
end
