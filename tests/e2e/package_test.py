#!/usr/bin/env python3
"""Checks the portable zip made by scripts/make-package.py from the built program.

    package_test.py OBJDUMP BLUFFWICK.EXE MAKE-PACKAGE.PY WORK-FOLDER

The names are read from the zip's raw headers, not through zipfile, so a missing
UTF-8 flag cannot be papered over by a tolerant reader.
"""
import os
import struct
import subprocess
import sys
import zipfile

FAILURES = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        FAILURES.append(what)


def raw_entries(data):
    """(name bytes, flags) of every local header and every central directory entry."""
    local, central = [], []
    at = 0
    while data[at : at + 4] == b"PK\x03\x04":
        (flags,) = struct.unpack_from("<H", data, at + 6)
        (size,) = struct.unpack_from("<I", data, at + 18)
        name_len, extra_len = struct.unpack_from("<HH", data, at + 26)
        local.append((data[at + 30 : at + 30 + name_len], flags))
        at += 30 + name_len + extra_len + size
    while data[at : at + 4] == b"PK\x01\x02":
        (flags,) = struct.unpack_from("<H", data, at + 8)
        name_len, extra_len, comment_len = struct.unpack_from("<HHH", data, at + 28)
        central.append((data[at + 46 : at + 46 + name_len], flags))
        at += 46 + name_len + extra_len + comment_len
    return local, central


def imported_dlls(objdump, exe):
    listing = subprocess.run(
        [objdump, "-p", exe], check=True, capture_output=True, text=True
    ).stdout
    return sorted(
        {
            line.split(":", 1)[1].strip().lower()
            for line in listing.splitlines()
            if "DLL Name:" in line
        }
    )


def main(argv):
    objdump, exe, maker, work = argv[1:]
    os.makedirs(work, exist_ok=True)
    help_text = os.path.join(os.path.dirname(exe), "説明.txt")
    out = os.path.join(work, "Bluffwick.zip")
    if os.path.exists(out):
        os.remove(out)
    subprocess.run([sys.executable, maker, exe, help_text, out], check=True)
    data = open(out, "rb").read()

    wanted = ["Bluffwick/bluffwick.exe", "Bluffwick/説明.txt", "Bluffwick/readme.txt"]
    local, central = raw_entries(data)
    for table, where in ((local, "local headers"), (central, "central directory")):
        names = [name.decode("utf-8") for name, _ in table]
        check(names == wanted, "%s name exactly %s (found %s)" % (where, wanted, names))
        for name, flags in table:
            if name == "Bluffwick/説明.txt".encode("utf-8"):
                check(
                    flags & 0x800 != 0,
                    "%s: 説明.txt is stored as UTF-8 bytes with the UTF-8 flag (bit 11)" % where,
                )

    with zipfile.ZipFile(out) as archive:
        check(archive.testzip() is None, "every entry's CRC checks")
        program = archive.read(wanted[0])
        check(
            program == open(exe, "rb").read(), "bluffwick.exe is the built program, byte for byte"
        )
        (pe,) = struct.unpack_from("<I", program, 0x3C)
        check(
            program[pe : pe + 4] == b"PE\0\0"
            and struct.unpack_from("<II", program, pe + 12) == (0, 0),
            "the zipped bluffwick.exe is stripped (no symbol table)",
        )
        check(
            archive.read(wanted[1]) == open(help_text, "rb").read(),
            "説明.txt is the built help text, byte for byte",
        )
        readme = archive.read(wanted[2])
    check(
        readme.startswith(b"\xef\xbb\xbf")
        and b"\r\n" in readme
        and b"\n" not in readme.replace(b"\r\n", b""),
        "readme.txt is UTF-8 with a byte-order mark and CRLF line ends",
    )
    check(
        "bluffwick.exe".encode() in readme and "説明.txt".encode("utf-8") in readme,
        "readme.txt names the program and the help file",
    )
    check(
        open(help_text, "rb").read().startswith(b"\xef\xbb\xbf"),
        "説明.txt carries a UTF-8 byte-order mark",
    )
    help_words = open(help_text, "rb").read().decode("utf-8-sig")
    keys = ["Enter", "1～5", "↑ / ↓", "+ / -", "F：", "F1", "Ctrl+C", "Tab / Shift+Tab", "Space"]
    check(all(key in help_words for key in keys), "説明.txt lists the keys %s" % keys)
    told = ["賭け数が大きすぎるようだな", "少ないほうの持ち金ちょうどまで", "150 %", "200 %"]
    check(
        all(words in help_words for words in told),
        "説明.txt tells the refused bet, the drop of ▼ and the window at 150 %% and 200 %% (%s)"
        % told,
    )

    # Ready to run on any Windows: no DLL of the compiler beside it is needed.
    system = {
        "kernel32.dll",
        "user32.dll",
        "gdi32.dll",
        "shell32.dll",
        "ole32.dll",
        "oleaut32.dll",
        "advapi32.dll",
        "comctl32.dll",
        "comdlg32.dll",
        "shlwapi.dll",
        "msvcrt.dll",
        "uuid.dll",
        "oleacc.dll",
        "imm32.dll",
        "usp10.dll",
    }
    dlls = imported_dlls(objdump, exe)
    foreign = [dll for dll in dlls if dll not in system and not dll.startswith("api-ms-win-")]
    check(
        dlls and not foreign,
        "bluffwick.exe imports only system DLLs (%s; others: %s)" % (", ".join(dlls), foreign),
    )

    print("%s: %d failure(s)" % ("FAILED" if FAILURES else "PASSED", len(FAILURES)))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
