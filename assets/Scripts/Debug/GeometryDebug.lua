-- Debug drawing with F2: the graphics system calls DrawDebug every rendered frame while debug
-- drawing is on. The orientation test of the geometry tests reads pitch, yaw and roll
-- (radians) from here; change them while the game runs and reload with F6.

pitch = 0.0
yaw = 0.0
roll = 0.0

function DrawDebug()
end

function Update(dt)
end
