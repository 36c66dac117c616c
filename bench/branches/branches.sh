i=0; even=0; odd=0; big=0
while (( i < 3000000 )); do
    if (( i / 2 * 2 == i )); then even=$((even + 1)); else odd=$((odd + 1)); fi
    if (( i > 1500000 && i < 2500000 )); then big=$((big + 1)); fi
    i=$((i + 1))
done
echo $((even + odd + big))
