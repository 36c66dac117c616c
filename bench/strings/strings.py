i = 0
n = 0
s = ""
while i < 2000000:
    s = s + "ab" + str(i)
    n = n + 1
    if n == 2000:
        s = ""
        n = 0
    i = i + 1
print("[" + s + "]")
