-- The main state: where the game starts. Load runs when the state is entered (start loading
-- its asset batch here); the engine calls Initialize once the batch is in, UpdateState every
-- frame after that, and Free then Unload when the state is left.

function Load()
end

function Initialize()
end

function UpdateState(dt)
end

function Free()
end

function Unload()
end

function Update(dt)
end
