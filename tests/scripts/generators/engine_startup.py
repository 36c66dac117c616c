CASES = {}
show_vars = '"n=" + $n + " s=" + $s + " e=" + $e + " d=" + $d + " b=[" + $b + "]" ?\n$n + 1 ? $d + 1 ? $e + 1 ? "k:" + ($s + 1) ?\n'
CASES["startup/command_line_variables"] = dict(
    scr=show_vars, args=["$n=42", "$s=abc", "$e=", "$d=-7", "$b", "{script}"])
CASES["startup/variables_only_runs_nothing"] = dict(scr='"not run" ?\n', args=["$n=42", "$s=abc"])
CASES["startup/duplicate_variable_first_wins"] = dict(scr='$x ?\n', args=["$x=1", "$x=2", "{script}"])
CASES["startup/integer_rule"] = dict(
    scr='$a ? $a + 1 ? $b + 1 ? $c + 1 ? $d ?\n',
    args=["$a=1 2", "$b=5-3", "$c=1.5", "$d=x=y", "{script}"])
CASES["startup/usage_anywhere"] = dict(scr='"not run" ?\n', args=["{script}", "/h"])
CASES["startup/usage_question"] = dict(scr='"not run" ?\n', args=["/?x"])
CASES["startup/upper_h_is_a_script"] = dict(scr='"not run" ?\n', args=["/H"], code=1)
CASES["startup/scr_appended"] = dict(
    scr='"main" ?\n', args=["logon"], files={"logon.SCR": '"logon ran" ?\n'})
CASES["startup/dot_kept"] = dict(
    scr='', args=["logon.txt"], files={"logon.txt": '"txt ran" ?\n'})
CASES["startup/dot_in_folder_name"] = dict(
    scr='', args=["dir.two\\logon"], files={"dir.two/logon.SCR": '"nested ran" ?\n'})
CASES["startup/scripts_in_turn_share_variables"] = dict(
    scr='$v = "from first" EXIT 4\n', args=["{script}", "second.scr"],
    files={"second.scr": '$v ? @ERROR ?\n'}, code=4)
CASES["startup/second_script_missing"] = dict(
    scr='"first" ?\n', args=["{script}", "missing", "{script}"], code=1)
CASES["startup/exit_code"] = dict(scr='EXIT 3\n', code=3)
CASES["startup/exit_negative_and_text"] = dict(scr='EXIT "12abc"\n', code=12)
CASES["startup/no_exit_is_zero"] = dict(scr='"text"')
CASES["startup/missing_script"] = dict(scr='', args=["missing"], code=1)
CASES["startup/default_script"] = dict(
    scr='', args=[], files={"VALTRIX.SCR": '"default ran" ?\n'})
CASES["startup/no_default_script"] = dict(scr='', args=[], code=1)
