-- The Golem's earthquake: the ground shakes around it, hurting and stunning what stands
-- close; an enraged Golem's earthquake grows to twice its size.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 0.5, moveRate = 0, numObjsToHit = 0 }
DamageModifier = { value = 15, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
-- A glow bursts off whatever the ability hurts and is taken off again after a moment.
ParticleSystemModifier = { systemName = "HitGlow", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.6,
                           isTemporary = true, value = 0, enrageModifier = 0 }
StunModifier = { value = 0, timeToLast = 1.5, isTemporary = true, enrageModifier = 0 }

-- The enraged earthquake grows to this scale over this many seconds.
endingScaleEffectValue = 2
timeToReachEndScale = 0.5

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
AbilityScript.Install{ cooldown = 6, objects = { "GolemEarthquake" },
                       enragedObjects = { "GolemEnragedEarthquake" },
                       modifiers = { "DamageModifierComponent", "StunModifierComponent",
                                     "ParticleSystemModifierComponent" },
                       strengthens = "DamageModifier" }
