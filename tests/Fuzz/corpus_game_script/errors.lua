local function Fail(name) return function() error("hostile in " .. name) end end
for _, name in ipairs{"Load", "Initialize", "UpdateState", "Free", "Unload", "UpdatePage",
                      "CanControllerMove", "PlayButton", "GetModifierCount", "GetModifier",
                      "ActivateAbility", "OnCollide", "LevelUp", "SetOwner", "OnEmit",
                      "OnEmitInterval", "Update"} do
  _G[name] = Fail(name)
end
