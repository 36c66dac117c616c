# The two racers of use_race.scr, started together.
../../../vtx32 ../use_race_home.inc >home.txt 2>&1 &
../../../vtx32 ../use_race_sales.inc >sales.txt 2>&1
wait
