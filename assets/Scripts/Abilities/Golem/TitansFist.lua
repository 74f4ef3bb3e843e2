-- The Golem's titan's fist: a heavy punch that hurts and throws back up to three enemies.
-- The engine reads the tables below when the ability object is set up; the functions it
-- calls by name come from Modules/Ability.lua.

-- The ability object: seconds it lives, units per second, things it may hit (0: any number).
Ability = { lifetime = 0.3, moveRate = 0, numObjsToHit = 3 }
DamageModifier = { value = 25, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
-- A glow bursts off whatever the ability hurts and is taken off again after a moment.
ParticleSystemModifier = { systemName = "HitGlow", xOff = 0, yOff = 1, zOff = 0, timeToLast = 0.6,
                           isTemporary = true, value = 0, enrageModifier = 0 }
KnockbackModifier = { value = 6, timeToLast = 0.3, isTemporary = true, enrageModifier = 0 }

local AbilityScript = require("Modules.Ability")

-- Seconds between two uses, the objects a use creates, the modifiers every ability object
-- carries (by component type name) and the table whose value each level raises by 5.
-- The character's first ability: at each level experience motes spray off the character
-- "LevelUp" is called with (its id), fired or not.
AbilityScript.Install{ cooldown = 0.8, objects = { "GolemTitansFist" },
                       modifiers = { "DamageModifierComponent", "KnockbackModifierComponent",
                                     "ParticleSystemModifierComponent" },
                       strengthens = "DamageModifier", levelUpMotes = true }
