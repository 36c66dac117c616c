proc main {} {
    set i 0; set even 0; set odd 0; set big 0
    while {$i < 3000000} {
        if {$i / 2 * 2 == $i} { incr even } else { incr odd }
        if {$i > 1500000 && $i < 2500000} { incr big }
        incr i
    }
    puts [expr {$even + $odd + $big}]
}
main
