# Four runs of the program at once, each writing 100 keys to one file.
for p in a b c d; do "$VTX32_HELPERS/vtx32" writer.scr "\$p=$p" >"out-$p" & done
wait
