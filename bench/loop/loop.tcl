proc main {} {
    set i 0
    while {$i < 10000000} { set i [expr {$i + 1}] }
    puts $i
}
main
