local object = testing.TestClass()
local gc = getmetatable(object).__gc
pcall(gc)
pcall(gc, "text")
pcall(gc, {})
pcall(gc, object)
pcall(gc, object)
pcall(function() return object:GetValue() end)
getmetatable(object).__class = nil
pcall(function() return testing.TestClass.GetValue(object) end)
