# Hostile input: every case ends with a clean result or a script error, never a crash, a hang
# or unbounded growth. Inputs larger than a script may be are made by the case's set-up.
CASES = {}


def generated(name, body, main, **extra):
    """A case whose main script CALLs `name`, which the set-up writes from `body` (Python)."""
    setup = "python3 - <<'EOF'\nopen(%r, 'wb').write((%s).encode('latin-1'))\nEOF\n" % (name, body)
    return dict(scr=main, setup=setup, **extra)


# Nesting 10000 deep of every kind of block: the tenth level is the limit.
CASES["hostile/nest_if_10000"] = generated(
    "deep.scr", "'IF 1\\n' * 10000 + '\"not reached\" ?\\n'", '"start" ?\nCALL "deep.scr"\n', code=1)
CASES["hostile/nest_while_10000"] = generated(
    "deep.scr", "'WHILE 1\\n' * 10000", '"start" ?\nCALL "deep.scr"\n', code=1)
CASES["hostile/nest_do_10000"] = generated(
    "deep.scr", "'DO\\n' * 10000", '"start" ?\nCALL "deep.scr"\n', code=1)
CASES["hostile/nest_call_10000"] = dict(
    scr='"start" ?\nCALL "nest_call_10000.scr"\n"not reached" ?\n', code=1)
CASES["hostile/nest_function_10000"] = generated(
    "deep.scr", "'$x = ' + 'EXISTKEY(\\n' * 10000 + '\"x\"' + ')' * 10000 + '\\n\"not reached\" ?\\n'",
    '"start" ?\nCALL "deep.scr"\n', code=1)
# A forward GOTO into 3000 levels of each block counts them past the block stacks; closing
# statements after it close levels that hold no position.
CASES["hostile/goto_into_9000_blocks"] = generated(
    "deep.scr",
    "'IF 1 GOTO in ENDIF\\n' + 'IF 1 WHILE 1 DO ' * 3000 + ':in\\n\"inside\" ?\\n'"
    " + 'UNTIL 0 LOOP ENDIF ' * 500 + 'ELSE \"else skipped\" ? ENDIF\\n\"done\" ?\\n'",
    'CALL "deep.scr"\n"back" ?\n')

# 100000 labels: the file is cut at 64000 characters, so the last labels do not exist.
CASES["hostile/labels_100000"] = dict(
    scr='CALL "early.scr"\n"back" ?\nCALL "late.scr"\n"not reached" ?\n',
    setup="python3 - <<'EOF'\n"
          "labels = ''.join(':L%d\\n' % i for i in range(100000))\n"
          "open('early.scr', 'w').write('GOTO L5000\\n' + labels)\n"
          "open('late.scr', 'w').write('GOTO L99999\\n' + labels)\n"
          "EOF\n",
    code=1)

# 2000 variables of 31998 characters each (64 MB of text; an append keeps one character
# free), then one character too many.
CASES["hostile/vars_2000_of_31999"] = generated(
    "vars.scr",
    "'$s = \"' + 'v' * 31998 + '\"\\n' + ''.join('$v%d = $s\\n' % i for i in range(2000))"
    " + '\"made\" ?\\n$v1999 = $v1999 + \"x\"\\n\"not reached\" ?\\n'",
    'CALL "vars.scr"\n', code=1)
CASES["hostile/name_32000"] = generated(
    "long.scr", "'$' + 'n' * 32000 + ' = 1\\n\"not reached\" ?\\n'", 'CALL "long.scr"\n', code=1)
CASES["hostile/number_32000_digits"] = generated(
    "long.scr", "'$x = ' + '9' * 32000 + '\\n\"not reached\" ?\\n'", 'CALL "long.scr"\n', code=1)
CASES["hostile/label_32000"] = generated(
    "long.scr", "':' + 'l' * 32000 + '\\n\"not reached\" ?\\n'", 'CALL "long.scr"\n', code=1)

# Texts that never end, at the end of a statement that needs more.
CASES["hostile/unterminated_condition"] = dict(scr='"start" ?\nIF "abc')
CASES["hostile/unterminated_expression"] = dict(scr='"start" ?\n$a = (1 +', code=1)
CASES["hostile/unterminated_goto"] = dict(scr='"start" ?\nGOTO "nowhere', code=1)
# NUL and Ctrl+Z end a called script's text wherever they stand, even inside a string.
CASES["hostile/nul_and_ctrl_z_in_called_scripts"] = dict(
    scr='CALL "zero.scr"\n"back" ?\nCALL "ctrlz.scr"\n"back again" ?\n',
    files={"zero.scr": '"before" ?\n"in\x00side" ?\n"after" ?\n',
           "ctrlz.scr": '"before" ?\n"in\x1aside" ?\n"after" ?\n'})

# Registry key paths as long as a text can grow, and keys as deep as the registry allows.
CASES["hostile/key_path_31998"] = dict(scr='$a = "' + '\\k' * 1599 + '"\n' + r'''$k = "HKEY_CURRENT_USER" + $a + $a + $a + $a + $a + $a + $a + $a + $a + $a + "x"
; Refused everywhere, with the platform's own status (POSIX 87, Windows 234).
"add refused " + (ADDKEY($k) <> 0) ?
"exist refused " + (EXISTKEY($k) <> 0) ?
"write refused " + (WRITEVALUE($k, "v", "x", "REG_SZ") <> 0) ?
"read [" + READVALUE($k, "v") + "] " + (@ERROR <> 0) ?
"enum [" + ENUMKEY($k, 0) + "] " + (@ERROR <> 0) ?
"delete refused " + (DELKEY($k) <> 0) ?
"deltree refused " + (DELTREE($k) <> 0) ?
$k = $k + "k"
"not reached" ?
''', code=1)
CASES["hostile/key_depth_500"] = dict(scr=r'''$p = "a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\a\"
$p = $p + $p + $p + $p + $p + $p + $p + $p + $p + $p + $p + $p + $p + $p + $p
$k = "HKEY_CURRENT_USER\" + $p + "end"
"add " + ADDKEY($k) ?
"write " + WRITEVALUE($k, "v", "x", "REG_SZ") ?
"read " + READVALUE($k, "v") ?
"save " + SAVEKEY("HKEY_CURRENT_USER\a", "deep.hiv") ?
"deltree " + DELTREE("HKEY_CURRENT_USER\a") ?
"gone " + EXISTKEY($k) ?
"restore " + ADDKEY("HKEY_CURRENT_USER\a") + LOADKEY("HKEY_CURRENT_USER\a", "deep.hiv") ?
"read back " + READVALUE($k, "v") ?
; One level past what the registry allows.
$k = "HKEY_CURRENT_USER\" + $p + $p
"too deep " + ADDKEY($k) ?
''', only="posix\nWine's ANSI registry calls refuse key paths over 260 characters (234)\n")
CASES["hostile/enum_extreme_indices"] = dict(scr=r'''$k = "HKEY_CURRENT_USER\Software\Enum"
$r = ADDKEY($k + "\one") + WRITEVALUE($k, "v", "x", "REG_SZ")
"key -1 [" + ENUMKEY($k, -1) + "] " + @ERROR ?
"key max [" + ENUMKEY($k, 2147483647) + "] " + @ERROR ?
"key min [" + ENUMKEY($k, -2147483648) + "] " + @ERROR ?
"key wrap [" + ENUMKEY($k, 4294967296) + "] " + @ERROR ?
"key 0 [" + ENUMKEY($k, 0) + "] " + @ERROR ?
"value -1 [" + ENUMVALUE($k, -1) + "] " + @ERROR ?
"value max [" + ENUMVALUE($k, 2147483647) + "] " + @ERROR ?
"value 0 [" + ENUMVALUE($k, 0) + "] " + @ERROR ?
''')

# Integers at their extremes in the text functions and the file slots.
CASES["hostile/chr_and_substr_extremes"] = dict(scr=r'''? "chr -1 " + LEN(CHR(-1)) + " 256 " + LEN(CHR(256)) + " max " + LEN(CHR(2147483647)) + " min " + LEN(CHR(-2147483648))
? "[" + SUBSTR("abc", -2147483648, 2147483647) + "][" + SUBSTR("abc", 2147483647, 2147483647) + "]"
? "[" + SUBSTR("abc", 3, 2147483647) + "][" + SUBSTR("abc", 1, -2147483648) + "][" + SUBSTR("abc", -1, 3) + "]"
? "[" + SUBSTR("abc", 2, 4294967297) + "][" + SUBSTR("", 1, 1) + "]"
? "instr " + INSTR("abc", "abcd") + " " + INSTR("", "") + " " + INSTR("aaa", "aa")
? "open " + OPEN(-1, "x") + " " + OPEN(2147483647, "x") + " " + OPEN(-2147483648, "x")
? "read [" + READLINE(-1) + "] " + @ERROR + " [" + READLINE(2147483647) + "] " + @ERROR
? "close " + CLOSE(-2147483648) + " " + CLOSE(0)
''')
# 31998 characters, then SUBSTR and INSTR over all of them.
CASES["hostile/long_text_functions"] = dict(scr='$s = "' + 'ab' * 15999 + '"\n' + r'''? "" + LEN($s) + " " + LEN(SUBSTR($s, 1, 2147483647)) + " " + SUBSTR($s, 31997, 5)
? "" + INSTR($s, "ba") + " " + INSTR($s, SUBSTR($s, 2, 31997)) + " " + INSTR($s, $s + "") + " [" + INSTR(SUBSTR($s, 2, 100), $s) + "]"
$t = SUBSTR($s, 1, 31998) + "x"
? "not reached"
''', code=1)
# READLINE through files that are not text: NUL, CR, Ctrl+Z and 0xFF bytes, a folder, an
# empty file and a file whose one line has 100000 characters.
CASES["hostile/readline_binary"] = dict(
    scr=r'''$n = 0
? "open " + OPEN(1, "binary.dat")
$line = READLINE(1)
WHILE @ERROR = 0
    $n = $n + 1
    $line = READLINE(1)
LOOP
? "lines " + $n + " end " + @ERROR
? "empty " + OPEN(2, "empty.dat") + " [" + READLINE(2) + "] " + @ERROR
? "folder " + OPEN(3, "folder") + " [" + READLINE(3) + "] " + @ERROR
? "long " + OPEN(4, "long.dat")
$line = READLINE(4)
? "not reached"
''',
    setup="python3 - <<'EOF'\n"
          "import random, os\n"
          "random.seed(7)\n"
          "data = bytes(random.randrange(256) for _ in range(200000))\n"
          "open('binary.dat', 'wb').write(data)\n"
          "open('empty.dat', 'wb').close()\n"
          "os.mkdir('folder')\n"
          "open('long.dat', 'wb').write(b'y' * 100000)\n"
          "EOF\n",
    code=1)
# A profile file of 100000 sections: the last section is found and written to. (A bare file
# name would be looked for in the Windows folder.)
CASES["hostile/profile_100000_sections"] = dict(
    scr=r'''? "[" + READPROFILESTRING(".\\big.ini", "s99999", "k") + "]"
? "[" + READPROFILESTRING(".\\big.ini", "s50000", "missing") + "]"
? "write " + WRITEPROFILESTRING(".\\big.ini", "s99999", "k", "changed")
? "[" + READPROFILESTRING(".\\big.ini", "s99999", "k") + "]"
? "write new " + WRITEPROFILESTRING(".\\big.ini", "new", "k", "v")
? "[" + READPROFILESTRING(".\\big.ini", "new", "k") + "]"
? "sections " + LEN(READPROFILESTRING(".\\big.ini", "", ""))
''',
    setup="python3 - <<'EOF'\n"
          "open('big.ini', 'w').write(''.join('[s%d]\\nk=v%d\\n' % (i, i) for i in range(100000)))\n"
          "EOF\n")
