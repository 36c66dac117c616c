i = 0
do while i < 10000000
    i = i + 1
end
say i
