i = even = odd = big = 0
while i < 300000:
    if i // 2 * 2 == i:
        even = even + 1
    else:
        odd = odd + 1
    if i > 150000 and i < 250000:
        big = big + 1
    i = i + 1
print(even + odd + big)
