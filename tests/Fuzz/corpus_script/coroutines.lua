local co = coroutine.wrap(function() while true do coroutine.yield(testing.TestClass()) end end)
for i = 1, 100 do co() end
function Update() local c = coroutine.create(function() while true do end end) coroutine.resume(c) end
