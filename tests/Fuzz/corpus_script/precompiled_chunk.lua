local ok = load(string.dump(function() return 1 end))
assert(ok == nil)
assert(debug.sethook == nil and debug.setupvalue == nil and debug.getregistry == nil)
