CASES = {}
head = '"start" ?\n; '
filler = 'x' * (63990 - len(head) - 1) + '\n'
body = head + filler
assert len(body) == 63990
CASES["limits/cut_at_64000"] = dict(scr=body + '"ABCDEFGHIJKLMNOPQRSTUVWXYZ" ?\n"END" ?\n' + 'y' * 6000)
# CR LF pairs count once, so this CR LF script of 70000 bytes stays under the limit.
crlf = '"crlf" ?\r\n' + (';' + 'z' * 60 + '\r\n') * 1020 + '"tail" ?\r\n'
CASES["limits/crlf_counts_once"] = dict(scr=crlf)
CASES["limits/labels_many"] = dict(scr='GOTO l5999\n' + ''.join(':L%d ' % i for i in range(6000)) + '\n"reached" ?\n')
CASES["limits/nul_byte_ends_script"] = dict(scr='"a" ?\n\x00"b" ?\n')
CASES["limits/deep_parentheses"] = dict(scr='$x = ' + '(' * 5000 + '1' + ')' * 5000 + '\n"not reached"', code=1)
CASES["limits/long_and_chain"] = dict(scr='$x = 1' + ' AND 1' * 5000 + '\n"not reached"', code=1)
CASES["limits/nested_parentheses_ok"] = dict(scr='$x = ' + '(' * 200 + '7' + ')' * 200 + ' $x ?\n')
CASES["limits/string_31998"] = dict(scr='$s = "' + 'a' * 31998 + '" "len ok" ?\n')
CASES["limits/string_31999"] = dict(scr='$s = "' + 'a' * 31999 + '" "not reached" ?\n', code=1)
CASES["limits/token_32000"] = dict(scr='$s = "' + 'a' * 32000 + '" "not reached" ?\n', code=1)
CASES["limits/unterminated_string_long"] = dict(scr='"' + 'q' * 30000)
CASES["limits/unterminated_comment"] = dict(scr='"a" ? ; no end')
