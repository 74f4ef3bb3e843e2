-- The Golem's earthbound armour: stone that follows the Golem for a while, shields it and
-- makes it harder to push.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 4, moveRate = 0, numObjsToHit = 0 }
AbsorbModifier = { value = 40, timeToLast = 4, isTemporary = true, enrageModifier = 0 }
ToughnessModifier = { value = 2, timeToLast = 4, isTemporary = true, enrageModifier = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
AbilityScript.Install{ cooldown = 10, objects = { "GolemEarthboundArmor" },
                       modifiers = { "AbsorbModifierComponent", "ToughnessModifierComponent" },
                       strengthens = "AbsorbModifier" }
