-- Input settings, run once by the input system when it starts. Keyboard, mouse and controller
-- mappings are the engine's own; this script is where input tweaks start.

function Update(dt)
end
