i=0; n=0; s=""
while (( i < 2000000 )); do
    s="${s}ab$i"
    n=$((n + 1))
    if (( n == 2000 )); then s=""; n=0; fi
    i=$((i + 1))
done
echo "[$s]"
