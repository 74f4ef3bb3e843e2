-- The SteamKnight's slowing trap (an alternate of its burning trap): glue that halves the
-- speed of what crosses it.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 8, moveRate = 0, numObjsToHit = 0 }
SpeedModifier = { value = 0.5, timeToLast = 2, isTemporary = true, enrageModifier = 0 }
-- Glue drips off whatever wades through the trap, a few more with every touch, each taken off
-- again after a moment.
ParticleSystemModifier = { systemName = "GlueHit", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.4,
                           isTemporary = true, value = 0, enrageModifier = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
-- The speed factor is what the trap slows its victims to: a level leaves it as it is.
AbilityScript.Install{ cooldown = 5, objects = { "SteamKnightSlowTrap" },
                       modifiers = { "SpeedModifierComponent", "ParticleSystemModifierComponent" } }
