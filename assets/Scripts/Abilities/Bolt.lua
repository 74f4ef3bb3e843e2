-- A character's bolt: a projectile that flies ahead for up to two seconds and hurts the first
-- thing it touches. The engine reads the tables below when the bolt object is set up, and
-- calls the functions by name.

-- How hard a bolt hits: 15 health, shown for half a second; "enrageModifier" is added while
-- the character is enraged.
DamageModifier = { value = 15, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
-- A glow bursts off whatever the ability hurts and is taken off again after a moment.
ParticleSystemModifier = { systemName = "HitGlow", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.4,
                           isTemporary = true, value = 0, enrageModifier = 0 }

-- The bolt object: seconds it lives, units per second, things it may hit.
Ability = { lifetime = 2, moveRate = 20, numObjsToHit = 1 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
AbilityScript.Install{ cooldown = 0.75, objects = { "Bolt" },
                       modifiers = { "DamageModifierComponent",
                                     "ParticleSystemModifierComponent" },
                       strengthens = "DamageModifier" }
