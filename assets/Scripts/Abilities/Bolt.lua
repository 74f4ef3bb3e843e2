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

Character = { enraged = false }

-- Seconds between two bolts.
local cooldown = 0.75
local sinceFired = cooldown

-- The modifiers every bolt object carries, by component type name.
local modifiers = { "DamageModifierComponent", "ParticleSystemModifierComponent" }

function GetModifierCount()
  return #modifiers
end

function GetModifier(i)
  return modifiers[i]
end

-- Fired by the character's controller: spawns a bolt with the character as its creator.
function ActivateAbility(character)
  if sinceFired < cooldown then
    return false
  end
  sinceFired = 0
  Engine.CreateObject(character, "Bolt")
  return true
end

function IsCooledDown()
  return sinceFired >= cooldown
end

function Update(seconds)
  sinceFired = sinceFired + seconds
end

function OnCollide(bolt, other)
end

function LevelUp()
  DamageModifier.value = DamageModifier.value + 5
end

function EnrageAbility()
  Character.enraged = true
end

function UnEnrageAbility()
  Character.enraged = false
end
