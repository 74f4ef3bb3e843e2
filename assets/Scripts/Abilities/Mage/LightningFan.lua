-- The Mage's lightning fan: three bolts fanned out ahead that hurt and briefly stun.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 0.6, moveRate = 25, numObjsToHit = 1 }
DamageModifier = { value = 12, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
-- A burst of the ability's colour flies off whatever it hurts and is taken off again after a
-- moment.
ParticleSystemModifier = { systemName = "LightningHit", xOff = 0, yOff = 1, zOff = 0,
                           timeToLast = 0.4, isTemporary = true, value = 0, enrageModifier = 0 }
StunModifier = { value = 0, timeToLast = 0.5, isTemporary = true, enrageModifier = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
AbilityScript.Install{ cooldown = 3,
                       objects = { "MageLightningBolt", "MageLightningBoltLeft",
                                   "MageLightningBoltRight" },
                       modifiers = { "DamageModifierComponent", "StunModifierComponent",
                                     "ParticleSystemModifierComponent" },
                       strengthens = "DamageModifier" }
