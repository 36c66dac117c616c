my ($i, $even, $odd, $big) = (0, 0, 0, 0);
while ($i < 3000000) {
    if (int($i / 2) * 2 == $i) { $even = $even + 1; } else { $odd = $odd + 1; }
    if ($i > 1500000 && $i < 2500000) { $big = $big + 1; }
    $i = $i + 1;
}
print $even + $odd + $big, "\n";
