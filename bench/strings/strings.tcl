proc main {} {
    set i 0; set n 0; set s ""
    while {$i < 2000000} {
        set s "${s}ab$i"
        incr n
        if {$n == 2000} { set s ""; set n 0 }
        incr i
    }
    puts "\[$s\]"
}
main
