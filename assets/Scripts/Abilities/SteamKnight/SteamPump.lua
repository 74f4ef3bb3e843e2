-- The SteamKnight's steam pump: a cloud of steam that swells, scalds and pushes enemies
-- five units away from the knight.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

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

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
AbilityScript.Install{ cooldown = 6, objects = { "SteamKnightSteamPump" },
                       modifiers = { "DamageModifierComponent",
                                     "ParticleSystemModifierComponent" },
                       strengthens = "DamageModifier" }
