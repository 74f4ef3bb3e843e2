function Update(dt) while true do pcall(function() while true do end end) end end
function B() return true end
function I(n) return n * 2 end
function S(n) return ("x"):rep(n) end
settings = {speed = 2, name = "fast"}
