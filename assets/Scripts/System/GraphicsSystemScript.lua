-- Window settings, read once by the graphics system when it opens the window.

fullscreen = false
-- Window size in pixels (used when not full screen).
width = 1280
height = 720

function Update(dt)
end
