-- The SteamKnight's burning trap: lies for eight seconds and burns what crosses it.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 8, moveRate = 0, numObjsToHit = 0 }
DamageModifier = { value = 8, timeToLast = 0.5, isTemporary = false, enrageModifier = 4 }
-- Flames rise off whatever stands in the trap, a few more with every touch, each taken off
-- again after a moment.
ParticleSystemModifier = { systemName = "BurnHit", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.4,
                           isTemporary = true, value = 0, enrageModifier = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
AbilityScript.Install{ cooldown = 5, objects = { "SteamKnightDamageTrap" },
                       modifiers = { "DamageModifierComponent",
                                     "ParticleSystemModifierComponent" },
                       strengthens = "DamageModifier" }
