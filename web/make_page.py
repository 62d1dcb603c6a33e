#!/usr/bin/env python3
"""Writes bluffwick.html: the page template with its style, its scripts, the game
core (its WebAssembly inside), the pictures, a font holding only the characters
the game can show, and the help and licence texts, all in the one file.

Run by the web build; needs fontTools (Debian's python3-fonttools)."""
import argparse
import base64
import gzip
import io
import json
import pathlib
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FontNames = {"proportional": "Bluffwick PGothic", "fixed": "Bluffwick Gothic"}


def literals(path):
    """The string literals of a C++ source, its comments left out."""
    text = re.sub(r"//[^\n]*|/\*.*?\*/", "", path.read_text(encoding="utf-8"), flags=re.S)
    return [m.group(1) for m in re.finditer(r'"((?:[^"\\\n]|\\.)*)"', text)]


def speech_lines(path):
    """The table of the program's speech lines: metrics, then text -> its lines."""
    metrics = {}
    table = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("# font "):
            for key, value in re.findall(r"(\w+) (\d+)", line):
                metrics[key] = int(value)
        if line.startswith("#"):
            continue
        if line:
            text, *lines = line.split("\t")
            table[text.replace("\\n", "\n")] = lines
    return metrics, table


def font_subset(path, characters, family):
    """The font cut down to `characters`, renamed: a cut-down font is a derived
    program, which may not go by the original's name."""
    options = subset.Options()
    options.hinting = False
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6]
    options.name_languages = ["*"]
    font = TTFont(path)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in (1, 3, 4, 6):
            name = family if record.nameID != 6 else family.replace(" ", "-")
            record.string = name
    out = io.BytesIO()
    font.save(out)
    return out.getvalue(), {
        "unitsPerEm": font["head"].unitsPerEm,
        "ascent": font["OS/2"].usWinAscent,
        "descent": font["OS/2"].usWinDescent,
        "averageWidth": font["OS/2"].xAvgCharWidth,
    }


def licence_text(copyright_file):
    """The IPA licence from Debian's copyright file, as plain text."""
    text = copyright_file.read_text(encoding="utf-8")
    match = re.search(r"^License: IPA-1\n((?: .*\n?)+)", text, flags=re.M)
    if not match:
        sys.exit(f"make_page: no IPA licence in {copyright_file}")
    lines = [line[1:] for line in match.group(1).splitlines()]
    return "\n".join("" if line == "." else line for line in lines)


def script(text):
    return text.replace("</script", "<\\/script")


def main():
    parser = argparse.ArgumentParser()
    for name in (
        "template",
        "style",
        "page",
        "record",
        "core",
        "res",
        "help-text",
        "speech-lines",
        "proportional-font",
        "fixed-font",
        "licence",
        "rc",
        "home-page-from",
        "out",
    ):
        parser.add_argument("--" + name, required=True, type=pathlib.Path)
    parser.add_argument("--texts-from", nargs="+", type=pathlib.Path, required=True)
    args = parser.parse_args()

    template = args.template.read_text(encoding="utf-8")
    version = re.search(r'VALUE "ProductVersion", "([^"]+)"', args.rc.read_text(encoding="utf-8"))
    home = re.search(
        r'HomePageAddress\[\] = L"([^"]+)"', args.home_page_from.read_text(encoding="utf-8")
    )
    if not version or not home:
        sys.exit("make_page: no version in the resource script or no home page address")
    help_text = args.help_text.read_text(encoding="utf-8-sig").replace("\r\n", "\n")
    metrics, lines = speech_lines(args.speech_lines)
    if not all(key in metrics for key in ("height", "ascent", "line")):
        sys.exit(f'make_page: no "# font height H ascent A line L" in {args.speech_lines}')

    # Every character the page can show: the game's texts, the page's own, the
    # help and the font's licence.
    characters = set(chr(c) for c in range(0x20, 0x7F))
    for source in args.texts_from:
        for literal in literals(source):
            characters.update(literal)
    for text, broken in lines.items():
        characters.update(text)
    characters.update(re.sub(r"<[^>]*>|@@\w+@@", "", template))
    characters.update(help_text)
    licence = licence_text(args.licence)
    characters.update(licence)
    characters.discard("\n")
    text = "".join(sorted(characters))
    proportional, proportional_metrics = font_subset(
        args.proportional_font, text, FontNames["proportional"]
    )
    fixed, _ = font_subset(args.fixed_font, text, FontNames["fixed"])

    # The bitmaps, all in one gzip stream, each found by its resource number.
    index = []
    blob = bytearray()
    for bmp in sorted(args.res.glob("*.bmp")):
        data = bmp.read_bytes()
        index.append([int(bmp.name.split("_")[0]), len(blob), len(data)])
        blob += data
    assets = {
        "pictures": {
            "index": index,
            "data": base64.b64encode(gzip.compress(bytes(blob), 9, mtime=0)).decode(),
        },
        "fonts": {
            "proportional": base64.b64encode(proportional).decode(),
            "fixed": base64.b64encode(fixed).decode(),
        },
        "proportional": proportional_metrics,
        "speech": {key: metrics[key] for key in ("height", "ascent", "line")},
        "speechLines": lines,
        "help": help_text,
        "licence": licence,
    }

    parts = {
        "STYLE": args.style.read_text(encoding="utf-8"),
        "CORE": script(args.core.read_text(encoding="utf-8")),
        "ASSETS": script("const BluffwickAssets = " + json.dumps(assets, ensure_ascii=False) + ";"),
        "RECORD": script(args.record.read_text(encoding="utf-8")),
        "PAGE": script(args.page.read_text(encoding="utf-8")),
        "VERSION": version.group(1),
        "HOME_PAGE": home.group(1),
    }
    page = re.sub(r"@@(\w+)@@", lambda m: parts[m.group(1)], template)
    args.out.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
