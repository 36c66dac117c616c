i = 0; even = 0; odd = 0; big = 0
do while i < 3000000
    if i % 2 * 2 = i then even = even + 1
    else odd = odd + 1
    if i > 1500000 & i < 2500000 then big = big + 1
    i = i + 1
end
say even + odd + big
