i = 0; even = 0; odd = 0; big = 0
do while i < 300000
    if i % 2 * 2 = i then even = even + 1
    else odd = odd + 1
    if i > 150000 & i < 250000 then big = big + 1
    i = i + 1
end
say even + odd + big
