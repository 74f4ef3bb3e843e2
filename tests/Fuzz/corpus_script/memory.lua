local t = {}
for i = 1, 1e8 do t[i] = ("x"):rep(64) .. i end
