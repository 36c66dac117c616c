local i, n, s = 0, 0, ""
while i < 2000000 do
    s = s .. "ab" .. i
    n = n + 1
    if n == 2000 then s = ""; n = 0 end
    i = i + 1
end
print("[" .. s .. "]")
