local get, set = testing.TestClass.GetValue, testing.TestClass.SetValue
for _, value in ipairs{1, "x", {}, true, testing.TestClass, testing.TestClass.values} do
    pcall(get, value)
    pcall(set, value, 3)
end
pcall(get)
pcall(set)
local object = testing.TestClass()
object:SetValue(2^40)
object:SetValue(0/0)
object:SetValue(-1/0)
test.b(2^63) test.b(0/0) test.a("x") test.a(nil)
Engine.Output(nil) Engine.Output({}) Engine.Output("line\nError [Fake]: forged")
Input.MoveMessage() Logic.SetDeathCounter(1, 2, 3, 4, 5)
TestFunction(1, 2)
