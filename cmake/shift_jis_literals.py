#!/usr/bin/env python3
"""Copies a C++ source, writing every non-ASCII character of its narrow string
and character literals as its code page 932 bytes in octal escapes.

    shift_jis_literals.py IN OUT

The copy compiles to the bytes -fexec-charset=CP932 gives, with any compiler,
clang included. Comments, ASCII, existing escapes and the line breaks stay as
they are, and a #line names IN, so diagnostics point at the real file. Octal,
because a hex escape would run on into a following letter a-f.
"""
import os
import re
import sys

Word = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
# A preprocessing number, so that the ' of 1'000 opens no character literal.
Number = re.compile(r"\.?[0-9](?:[eEpP][+-]|'[0-9A-Za-z_]|[0-9A-Za-z_.])*")
Prefixes = {"u8", "u", "U", "L"}


def fail(text, at, path, why):
    line = text.count("\n", 0, at) + 1
    column = at - text.rfind("\n", 0, at)
    sys.exit(f"{path}:{line}:{column}: error: {why}")


def code_page_932(text, at, path):
    try:
        data = text[at].encode("cp932")
    except UnicodeEncodeError:
        fail(text, at, path, f"U+{ord(text[at]):04X} has no Shift-JIS (code page 932) code")
    return "".join(f"\\{byte:03o}" for byte in data)


def end_of_comment(text, at):
    if text.startswith("//", at):
        end = text.find("\n", at)
        return len(text) if end < 0 else end
    end = text.find("*/", at + 2)
    return len(text) if end < 0 else end + 2


def copy_raw_literal(text, at, path, narrow, out):
    """A raw literal, its R at `at`; it cannot hold escapes."""
    opening = text.index("(", at)
    closing = ")" + text[at + 2 : opening] + '"'
    end = text.find(closing, opening)
    if end < 0:
        fail(text, at, path, "unterminated raw string literal")
    end += len(closing)
    if narrow and any(ord(c) > 127 for c in text[at:end]):
        fail(text, at, path, "non-ASCII text in a raw literal; write it as an ordinary literal")
    out.append(text[at:end])
    return end


def copy_literal(text, at, path, narrow, out):
    """A quoted literal, its opening quote at `at`."""
    quote = text[at]
    k = at + 1
    while k < len(text) and text[k] != quote and text[k] != "\n":
        k += 2 if text[k] == "\\" else 1
    if k >= len(text) or text[k] != quote:
        fail(text, at, path, "unterminated literal")
    for j in range(at, k + 1):
        out.append(code_page_932(text, j, path) if narrow and ord(text[j]) > 127 else text[j])
    return k + 1


def convert(text, path):
    out = []
    at = 0
    while at < len(text):
        c = text[at]
        if text.startswith("//", at) or text.startswith("/*", at):
            end = end_of_comment(text, at)
            out.append(text[at:end])
            at = end
        elif c in "\"'":
            at = copy_literal(text, at, path, True, out)
        elif (word := Word.match(text, at)) or (word := Number.match(text, at)):
            name, end = word.group(), word.end()
            raw = name.endswith("R") and name[:-1] in Prefixes | {""}
            if raw and text.startswith('"', end):
                out.append(name[:-1])
                at = copy_raw_literal(text, end - 1, path, name == "R", out)
            elif name in Prefixes and end < len(text) and text[end] in "\"'":
                out.append(name)
                at = copy_literal(text, end, path, False, out)
            else:
                out.append(name)
                at = end
        else:
            out.append(c)
            at += 1
    return "".join(out)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: shift_jis_literals.py IN OUT")
    source, target = sys.argv[1:]
    with open(source, encoding="utf-8", newline="") as f:
        text = f.read()
    named = source.replace("\\", "\\\\").replace('"', '\\"')
    converted = f'#line 1 "{named}"\n' + convert(text, source)
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    with open(target + ".tmp", "w", encoding="utf-8", newline="") as f:
        f.write(converted)
    os.replace(target + ".tmp", target)


if __name__ == "__main__":
    main()
