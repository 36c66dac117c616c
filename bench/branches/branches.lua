local i, even, odd, big = 0, 0, 0, 0
while i < 3000000 do
    if i // 2 * 2 == i then even = even + 1 else odd = odd + 1 end
    if i > 1500000 and i < 2500000 then big = big + 1 end
    i = i + 1
end
print(even + odd + big)
