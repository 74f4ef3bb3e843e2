-- The Golem's rage: for eight seconds its abilities are stronger (each adds its
-- "enrageModifier") and its earthquake grows.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 0.2, moveRate = 0, numObjsToHit = 1 }
EnrageModifier = { value = 1.5, timeToLast = 8, isTemporary = true, enrageModifier = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
-- A level leaves the rage as it is: its value is the factor of the Golem's size while
-- enraged, not a strength, and the abilities the rage strengthens grow with their own levels.
AbilityScript.Install{ cooldown = 20, objects = { "GolemEnrage" },
                       modifiers = { "EnrageModifierComponent" } }
