function Load() while true do end end
function UpdatePage(dt) local t = {} for i = 1, 1e9 do t[i] = string.rep("x", 4096) .. i end end
function GetModifierCount() return string.rep("x", 2^30) end
function ActivateAbility() while true do pcall(function() while true do end end) end end
