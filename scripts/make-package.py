#!/usr/bin/env python3
"""Writes the portable zip of the game from a built bluffwick.exe and its help text.

    make-package.py BLUFFWICK.EXE HELP.TXT OUT.ZIP

Python's zipfile marks every non-ASCII name with the UTF-8 flag (bit 11): without
it Windows reads the name in the local code page, garbles 説明.txt and the Help
command no longer finds the file. Debian's zip does not set the flag.
"""
import os
import sys
import time
import zipfile

FOLDER = "Bluffwick/"

# Notepad on any Windows reads UTF-8 with a byte-order mark and CRLF line ends.
README = """Bluffwick
ファイブカード・ドローポーカー。しゃべる口のコンピューターと 1 対 1 で勝負します。
Five-card draw poker, heads-up against a computer drawn as a talking mouth.

遊び方 / To play
  このフォルダーの bluffwick.exe をダブルクリックしてください。インストールは不要です。
  Double-click bluffwick.exe in this folder. Nothing needs installing.

  初めての起動では、ショートカットを作る場所（デスクトップ、スタートメニュー、
  スタートアップ）を尋ねます。
  On its first start it asks where to make shortcuts: desktop, Start menu, Startup.

ルールと操作 / Rules and controls
  説明.txt をご覧ください（メニューの「ヘルプ」からも開けます）。
  See 説明.txt (also opened by the Help menu).

設定 / Settings
  設定は bluffwick.exe と同じフォルダーの bluffwick.ini に保存されます。
  書き込みのできるフォルダーに置いてください。
  Settings are kept in bluffwick.ini beside bluffwick.exe: keep the folder writable.
"""


def readme_bytes():
    return b"\xef\xbb\xbf" + README.replace("\n", "\r\n").encode("utf-8")


def add(archive, name, data, mtime):
    info = zipfile.ZipInfo(FOLDER + name, date_time=time.localtime(mtime)[:6])
    info.compress_type = zipfile.ZIP_DEFLATED
    info.external_attr = 0o644 << 16
    archive.writestr(info, data)


def main(argv):
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    exe, help_text, out = argv[1:]
    entries = []
    for path, name in ((exe, "bluffwick.exe"), (help_text, "説明.txt")):
        with open(path, "rb") as source:
            entries.append((name, source.read(), os.path.getmtime(path)))
    entries.append(("readme.txt", readme_bytes(), os.path.getmtime(exe)))

    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    partial = out + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data, mtime in entries:
            add(archive, name, data, mtime)
    # Refuse to hand out a zip whose Japanese name would be garbled on Windows.
    with zipfile.ZipFile(partial) as archive:
        for info in archive.infolist():
            if not info.filename.isascii() and not info.flag_bits & 0x800:
                os.remove(partial)
                sys.exit("make-package: %s lacks the UTF-8 name flag" % info.filename)
    os.replace(partial, out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
