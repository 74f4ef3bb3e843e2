-- Drops health pick-ups around its emitter. The emitter component calls "SetOwner" once with
-- its object's id, "OnEmit" once for every pick-up of a drop and "OnEmitInterval" once after
-- each drop, all with the emitter's position.

-- Pick-ups land at most this far from the emitter, at this height.
local scatter = 20
local height = 0.5

local owner = 0
drops = 0

function SetOwner(id)
    owner = id
end

function OnEmit(x, y, z)
    local pickup = Engine.CreateObject(owner, "HealthPickup")
    local dx = (math.random() * 2 - 1) * scatter
    local dz = (math.random() * 2 - 1) * scatter
    Object.Position(owner, pickup, x + dx, height, z + dz)
end

function OnEmitInterval(x, y, z)
    drops = drops + 1
end

-- The Lua system calls Update on every script it runs; the drops need nothing per frame.
function Update(dt)
end
