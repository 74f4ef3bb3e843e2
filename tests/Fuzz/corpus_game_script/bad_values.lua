Ability = { lifetime = 0/0, moveRate = -1e309, numObjsToHit = -1 }
DamageModifier = { value = 1e300, timeToLast = {}, isTemporary = 3, enrageModifier = 0/0 }
Character = { enraged = 1 }
function CanControllerMove() return 0/0 end
function GetModifierCount() return 2^31 - 1 end
function GetModifier(i) return {} end
function ActivateAbility() return "yes" end
function IsCooledDown() return 0/0 end
