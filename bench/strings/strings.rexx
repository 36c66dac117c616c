i = 0; n = 0; s = ""
do while i < 2000000
    s = s || "ab" || i
    n = n + 1
    if n = 2000 then do; s = ""; n = 0; end
    i = i + 1
end
say "[" || s || "]"
