-- The Mage's laser: a fast beam that burns through up to two enemies.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 0.8, moveRate = 30, numObjsToHit = 2 }
DamageModifier = { value = 18, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
-- A burst of the ability's colour flies off whatever it hurts and is taken off again after a
-- moment.
ParticleSystemModifier = { systemName = "LaserHit", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.4,
                           isTemporary = true, value = 0, enrageModifier = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
-- The character's first ability: at each level experience motes spray off the character
-- "LevelUp" is called with (its id), fired or not.
AbilityScript.Install{ cooldown = 0.5, objects = { "MageLaser" },
                       modifiers = { "DamageModifierComponent",
                                     "ParticleSystemModifierComponent" },
                       strengthens = "DamageModifier", levelUpMotes = true }
