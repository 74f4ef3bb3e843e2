Ability = { lifetime = 2, moveRate = 20, numObjsToHit = 1 }
DamageModifier = { value = 15, timeToLast = 0.5, isTemporary = false, enrageModifier = 10 }
Character = { enraged = true }
local made = 0
function Load() Engine.Output("load") end
function Initialize() made = Engine.CreateObject(0, "Nothing") end
function UpdateState(dt) end
function Free() end
function Unload() if made ~= 0 then Engine.DestroyRecentObjects(0, made) end end
function UpdatePage(dt) end
function CanControllerMove(player) return 1 end
function ControllerMovedToNewButton(player, cell) end
function PlayButton(player) GameState.ChangePage("Nothing") end
function ReturnClicked(player) end
function ResumeClicked(player) end
function GetModifierCount() return 1 end
function GetModifier(i) return "DamageModifierComponent" end
function ActivateAbility(character) return true end
function IsCooledDown() return true end
function OnCollide(bolt, other) end
function LevelUp() DamageModifier.value = DamageModifier.value + 5 end
function EnrageAbility() Character.enraged = true end
function UnEnrageAbility() Character.enraged = false end
local owner = 0
function SetOwner(id) owner = id end
function OnEmit(x, y, z) Engine.CreateObject(owner, "Nothing") end
function OnEmitInterval(x, y, z) end
function Update(dt) end
