-- Debug drawing with F2: the graphics system calls DrawDebug every rendered frame while debug
-- drawing is on, and this script is known to the engine as "geo". The orientation test of the
-- geometry tests reads pitch, yaw and roll from here, in radians (not degrees); change them
-- while the game runs and reload with F6.

pitch = 0.0
yaw = 0.0
roll = 0.0

-- The six geometry tests, each drawn at once with the debug drawing.
function DrawDebug()
    Geometry.TestGroundPlane()
    Geometry.TestDistCircle3Circle3()
    Geometry.TestDistLine3Circle3()
    Geometry.TestCursorSpheres()
    Geometry.TestCameraFrustum()
    Geometry.TestQuaternions()
end

function Update(dt)
end
