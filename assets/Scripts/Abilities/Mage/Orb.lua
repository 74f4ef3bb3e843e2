-- The Mage's orb: a slow ball that hurts everything it passes through and slows it down.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 3, moveRate = 6, numObjsToHit = 0 }
DamageModifier = { value = 10, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
-- A burst of the ability's colour flies off whatever it hurts and is taken off again after a
-- moment.
ParticleSystemModifier = { systemName = "OrbHit", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.4,
                           isTemporary = true, value = 0, enrageModifier = 0 }
SpeedModifier = { value = 0.5, timeToLast = 2, isTemporary = true, enrageModifier = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
AbilityScript.Install{ cooldown = 8, objects = { "MageOrb" },
                       modifiers = { "DamageModifierComponent", "SpeedModifierComponent",
                                     "ParticleSystemModifierComponent" },
                       strengthens = "DamageModifier" }
