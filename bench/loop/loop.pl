my $i = 0;
while ($i < 10000000) { $i = $i + 1; }
print "$i\n";
