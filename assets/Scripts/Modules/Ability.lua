-- What every ability script shares: the cooldown, the list of modifiers its ability objects
-- carry, the levels and the rage flag. An ability script keeps its own data (the tables the
-- engine reads when the ability object is set up) and hands the rest to Install:
--
--     local AbilityScript = require("Modules.Ability")
--     AbilityScript.Install{ cooldown = 6, objects = { "GolemEarthquake" },
--                            modifiers = { "DamageModifierComponent" },
--                            strengthens = "DamageModifier" }
--
-- Install defines the globals the engine calls by name: the controller "ActivateAbility" and
-- "IsCooledDown", the ability object "OnCollide", the modifiers "GetModifierCount" and
-- "GetModifier", levels "LevelUp", the rage "EnrageAbility" and "UnEnrageAbility", the
-- scripting system "Update"; and the table "Character", whose "enraged" the rage sets.

local AbilityScript = {}

-- Seconds the level-up motes fly before they are taken off the character.
local levelUpMotesSeconds = 1.5

-- Settings of Install:
--   cooldown        seconds between two uses; the first use needs no wait
--   modifiers       the component type names every ability object carries
--   objects         the objects a use creates, in order, with the character as their creator
--   enragedObjects  those created instead while the character is enraged (default: objects)
--   strengthens     the name of the global table whose value each level raises by 5 (none:
--                   a level changes nothing)
--   levelUpMotes    true for a character's first ability: each level sprays experience motes
--                   off the character "LevelUp" is called with
function AbilityScript.Install(settings)
    local cooldown = settings.cooldown
    local sinceFired = cooldown
    local modifiers = settings.modifiers
    local objects = settings.objects
    local enragedObjects = settings.enragedObjects or objects
    local strengthens = settings.strengthens
    local levelUpMotes = settings.levelUpMotes

    Character = { enraged = false }

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
        for _, name in ipairs(Character.enraged and enragedObjects or objects) do
            Engine.CreateObject(character, name)
        end
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

    function LevelUp(character)
        if strengthens ~= nil then
            local strengthened = _ENV[strengthens]
            strengthened.value = strengthened.value + 5
        end
        if levelUpMotes then
            AbilityScript.SprayLevelUpMotes(character)
        end
    end

    function EnrageAbility()
        Character.enraged = true
    end

    function UnEnrageAbility()
        Character.enraged = false
    end
end

-- Sprays experience motes off the character (its id) of a level-up, for a character's first
-- ability; nothing without a character.
function AbilityScript.SprayLevelUpMotes(character)
    if character ~= nil then
        Object.MountToObject(character, character, "ExperienceMotes")
        Object.UnmountFromObjectByArchetypeDelayed(character, character, "ExperienceMotes", true,
                                                   levelUpMotesSeconds)
    end
end

return AbilityScript
