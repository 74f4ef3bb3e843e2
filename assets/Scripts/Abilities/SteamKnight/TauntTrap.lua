-- The SteamKnight's taunting trap (an alternate of its steam pump): every enemy turns on it
-- while it stands.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 6, moveRate = 0, numObjsToHit = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
AbilityScript.Install{ cooldown = 12, objects = { "SteamKnightTauntTrap" },
                       modifiers = {} }
