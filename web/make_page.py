#!/usr/bin/env python3
"""Writes bluffwick.html: the page template with its style, its scripts, the game
core (its WebAssembly inside), the pictures, a font holding only the characters
the game can show, and the help and licence texts, all in the one file.

With --site, also the same page as a folder to publish on a web server: its
style and scripts as files of their own (its policy then allows its own origin
and nothing else), a manifest that lets it be installed, the icons, and a
service worker that keeps every file for playing offline.

Run by the web build; needs fontTools (Debian's python3-fonttools)."""
import argparse
import base64
import hashlib
import io
import json
import pathlib
import re
import struct
import sys
import zlib

from fontTools import subset
from fontTools.ttLib import TTFont

FontNames = {"proportional": "Bluffwick PGothic", "fixed": "Bluffwick Gothic"}


def replace_once(text, old, new, where):
    """`text` with its one `old` as `new`; stops the build if `old` is not
    there exactly once, so that a changed template cannot go unnoticed."""
    if text.count(old) != 1:
        sys.exit(f"make_page: {where} should hold {old!r} once")
    return text.replace(old, new)


def fill(text, values, where):
    """`text` with each @@NAME@@ as values[NAME]; stops the build if a
    placeholder has no value or a value no placeholder."""
    found = re.findall(r"@@(\w+)@@", text)
    if sorted(found) != sorted(values):
        sys.exit(f"make_page: {where} has the placeholders {found}, not one each of {list(values)}")
    return re.sub(r"@@(\w+)@@", lambda m: values[m.group(1)], text)


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
    # The original's date, not the build's: the same sources give the same page.
    font = TTFont(path, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in (1, 3, 4, 6):
            name = family if record.nameID != 6 else family.replace(" ", "-")
            record.string = name
    # WOFF2: the same outlines in about half the bytes, unpacked by the browser.
    font.flavor = "woff2"
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


# The core's face colours (game/layout.h): a marked face shows its white
# (index 1) as index 7 of its own table.
FaceWhiteIndex = 1
MarkIndex = 7
White = (255, 255, 255)
Suits = ("spades", "hearts", "clubs", "diamonds")


def read_bmp(data, name):
    """A palette BMP (8 or 4 bits) as (width, height, palette, rows of
    indices, top row first)."""
    pixels_at, header_size = struct.unpack_from("<II", data, 10)
    width, raw_height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits not in (4, 8):
        sys.exit(f"make_page: {name} is not a 4- or 8-bit palette bitmap")
    count = struct.unpack_from("<I", data, 46)[0] or 1 << bits
    palette = [
        tuple(data[14 + header_size + 4 * i : 17 + header_size + 4 * i][::-1]) for i in range(count)
    ]
    height = abs(raw_height)
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(height):
        at = pixels_at + stride * (height - 1 - y if raw_height > 0 else y)
        if bits == 8:
            rows.append(list(data[at : at + width]))
        else:
            rows.append([(data[at + (x >> 1)] >> (0 if x & 1 else 4)) & 15 for x in range(width)])
    return width, height, palette, rows


def png(rows):
    """Rows of RGB colours as a palette PNG of the colours used, at the fewest
    bits a pixel that holds them. No gamma or colour profile chunk: the
    browser must show each colour as it is."""
    colours = sorted({colour for row in rows for colour in row})
    if len(colours) > 256:
        sys.exit("make_page: a picture sheet holds more than 256 colours")
    number = {colour: i for i, colour in enumerate(colours)}
    depth = next(bits for bits in (1, 2, 4, 8) if len(colours) <= 1 << bits)
    per_byte = 8 // depth
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter: palette indices gain nothing by one
        indices = [number[colour] for colour in row]
        indices += [0] * (-len(indices) % per_byte)
        for x in range(0, len(indices), per_byte):
            value = 0
            for index in indices[x : x + per_byte]:
                value = value << depth | index
            raw.append(value)

    def chunk(kind, body):
        return (
            struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
        )

    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), depth, 3, 0, 0, 0)
    return b"".join(
        [
            b"\x89PNG\r\n\x1a\n",
            chunk(b"IHDR", header),
            chunk(b"PLTE", b"".join(bytes(colour) for colour in colours)),
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)),
            chunk(b"IEND", b""),
        ]
    )


def pictures(res):
    """The bitmaps as small PNG sheets the browser decodes itself, each bitmap
    found by its resource number as [sheet, x, y, width, height]: the page
    decodes only the sheets the table shows. Each face of the program's deck
    shares a sheet with its four-colour face, side by side, so that the pips
    they share compress to little; every other bitmap (the table, the backs,
    the digits, the mouths: what every table shows) goes on one last sheet,
    as each picture the browser loads costs the first paint about as much as
    its pixels do. Also by each face, the colour its white takes when marked,
    and by each face of the program's, the number of its four-colour face."""
    files = {bmp.name: bmp for bmp in res.glob("*.bmp")}
    by_rest = {name.split("_", 1)[1]: name for name in files}
    bitmaps = {}
    for name, path in files.items():
        width, height, palette, rows = read_bmp(path.read_bytes(), name)
        bitmaps[name] = [[palette[index] for index in row] for row in rows]
        kind = name.split("_")[2 if "_four_" in name else 1]
        if kind in Suits:
            # The page marks a face by turning its pure white pixels to the
            # mark's colour, the same as turning index 1 only if no other
            # index it uses is white.
            used = {index for row in rows for index in row}
            whites = {index for index in used if palette[index] == White}
            if palette[FaceWhiteIndex] != White or whites - {FaceWhiteIndex}:
                sys.exit(f"make_page: in {name} white is not index {FaceWhiteIndex} alone")
            bitmaps[name] = (bitmaps[name], palette[MarkIndex])
    sheets = []
    index = {}
    marks = {}
    faces = {}
    pairs = []
    for name in sorted(files):
        number, rest = name.split("_", 1)
        if rest.startswith("four_"):
            plain = by_rest.get(rest[len("four_") :])
            if plain is None:
                sys.exit(f"make_page: {name} has no face of the program's deck")
            faces[int(plain.split("_")[0])] = int(number)
            pairs.append((plain, name))
    paired = {name for pair in pairs for name in pair}
    for plain, four in pairs:
        (left, left_mark), (right, right_mark) = bitmaps[plain], bitmaps[four]
        if len(left) != len(right) or len(left[0]) != len(right[0]):
            sys.exit(f"make_page: {four} is not the size of {plain}")
        width, height = len(left[0]), len(left)
        index[int(plain.split("_")[0])] = [len(sheets), 0, 0, width, height]
        index[int(four.split("_")[0])] = [len(sheets), width, 0, width, height]
        marks[int(plain.split("_")[0])] = "#%02x%02x%02x" % left_mark
        marks[int(four.split("_")[0])] = "#%02x%02x%02x" % right_mark
        sheets.append(png([a + b for a, b in zip(left, right)]))
    rest = {}
    for name in sorted(files):
        if name in paired:
            continue
        rows = bitmaps[name]
        if isinstance(rows, tuple):
            rows, mark = rows
            marks[int(name.split("_")[0])] = "#%02x%02x%02x" % mark
        rest[int(name.split("_")[0])] = rows
    if rest:
        places, rows = shelves(rest)
        for number, (x, y) in places.items():
            index[number] = [len(sheets), x, y, len(rest[number][0]), len(rest[number])]
        sheets.append(png(rows))
    return sheets, {"index": index, "marks": marks}, {"faces": faces}


def shelves(bitmaps):
    """Bitmaps (rows of colours, by number) packed onto one sheet as the
    widest is wide, tallest first in rows left to right: where each goes, and
    the sheet's rows. Space left over takes a colour the sheet has anyway."""
    width = max(len(rows[0]) for rows in bitmaps.values())
    order = sorted(bitmaps, key=lambda number: (-len(bitmaps[number]), number))
    places = {}
    x = y = shelf = 0
    for number in order:
        w, h = len(bitmaps[number][0]), len(bitmaps[number])
        if x + w > width:
            x, y, shelf = 0, y + shelf, 0
        places[number] = (x, y)
        x += w
        shelf = max(shelf, h)
    spare = bitmaps[order[0]][0][0]
    sheet = [[spare] * width for _ in range(y + shelf)]
    for number, (x, y) in places.items():
        for row, line in enumerate(bitmaps[number]):
            sheet[y + row][x : x + len(line)] = line
    return places, sheet


# The page's text is all ASCII, every other character escaped: a browser
# keeps such a document and its scripts as one byte a character, and reads a
# document with even one character beyond ASCII in it measurably slower.


def ascii_markup(text):
    """Markup with each character beyond ASCII as a character reference."""
    return re.sub(r"[^\x00-\x7f]", lambda m: f"&#x{ord(m.group()):X};", text)


def script(text):
    """A script to put inside <script>: each character beyond ASCII as
    JavaScript's \\uXXXX escapes of its UTF-16 units, which strings, regular
    expressions and comments alike allow, and no "</script" to end it early."""

    def escape(match):
        units = match.group().encode("utf-16-be")
        return "".join(f"\\u{units[i] << 8 | units[i + 1]:04X}" for i in range(0, len(units), 2))

    escaped = re.sub(r"[^\x00-\x7f]", escape, text)
    return escaped.replace("</script", "<\\/script")


# The hosted copy's script files and the inline parts of the template each
# holds, in its order. The body's three are one file: asked for one after
# another as the parser reached each, they cost a slow network a round trip
# apiece. The arrangement comes first, so its "use strict" holds for the whole
# file, as each file's own did for it.
SiteScripts = {
    "bluffwick-assets.js": ["ASSETS"],
    "first-loads.js": ["FIRST_LOADS"],
    "bluffwick-page.js": ["ARRANGE", "CORE", "PAGE"],
}
SitePolicy = (
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; base-uri 'none'; "
    "form-action 'none'; object-src 'none'"
)
Icons = [
    ("bluffwick-192.png", "192x192", "any"),
    ("bluffwick-512.png", "512x512", "any"),
    ("bluffwick-maskable-512.png", "512x512", "maskable"),
]


def write_site(site, template, parts, res, service_worker, own_files, first_fonts):
    """The page as index.html with its parts in files, the manifest, the icons
    and the service worker, its cache named for this build. `first_fonts` are
    the font files the first table shows."""
    site.mkdir(parents=True, exist_ok=True)
    files = {"bluffwick.css": parts["STYLE"].encode(), **own_files}
    # The policy's meta tag stops Chromium's look-ahead for what the page will
    # fetch, so each file was asked for only once the script before it had
    # run: on a slow network, a round trip apiece. The head names the second
    # script and the fonts, asked for at once. A face fetches its font as
    # "crossorigin" does, so the answer is used, not fetched again. The module
    # and the sheet are left to the script: WebKit fetched those twice, and
    # asked for sooner they came no sooner.
    preloads = '<link rel="preload" href="first-loads.js" as="script">\n' + "".join(
        f'<link rel="preload" href="{name}" as="font" type="font/woff2" crossorigin>\n'
        for name in first_fonts
    )
    html = re.sub(
        r"<style>\s*@@STYLE@@\s*</style>",
        '<link rel="stylesheet" href="bluffwick.css">\n'
        + preloads
        + '<link rel="manifest" href="manifest.webmanifest">\n'
        '<link rel="icon" href="bluffwick-192.png">\n'
        '<link rel="apple-touch-icon" href="bluffwick-192.png">\n'
        '<meta name="theme-color" content="#008000">',
        template,
    )
    for name, names in SiteScripts.items():
        html = re.sub(
            rf"<script>\s*@@{names[0]}@@\s*</script>", f'<script src="{name}"></script>', html
        )
        for part in names[1:]:
            html = re.sub(rf"\s*<script>\s*@@{part}@@\s*</script>", "", html)
        files[name] = "\n".join(parts[part] for part in names).encode()
    # Its texts for later come as a file of their own.
    html, blocks = re.subn(
        r'\s*<script type="application/json" id="later">@@LATER@@</script>', "", html
    )
    files["bluffwick-texts.json"] = parts["LATER"].encode()
    html, policies = re.subn(
        r'(http-equiv="Content-Security-Policy"\s+content=")[^"]*"', rf'\g<1>{SitePolicy}"', html
    )
    if (
        policies != 1
        or blocks != 1
        or "@@STYLE@@" in html
        or any(f"@@{p}@@" in html for names in SiteScripts.values() for p in names)
    ):
        sys.exit(
            "make_page: the template's style, scripts or policy are not where the site expects"
        )
    html = replace_once(
        html,
        "<!-- Everything is inside this file: nothing may be fetched. "
        "Only the match in progress and the deck chosen are stored. -->",
        "<!-- Everything comes from this site; the service worker keeps it for offline play. "
        "Only the match in progress and the deck chosen are stored. -->",
        "the template",
    )
    files["index.html"] = fill(
        html, {key: parts[key] for key in ("VERSION", "HOME_PAGE")}, "the site's page"
    ).encode()
    for name, _, _ in Icons:
        files[name] = (res / name).read_bytes()
    files["manifest.webmanifest"] = (
        json.dumps(
            {
                "name": "Bluffwick",
                "short_name": "Bluffwick",
                "lang": "ja",
                "dir": "ltr",
                "start_url": "./",
                "scope": "./",
                "display": "standalone",
                "background_color": "#008000",
                "theme_color": "#008000",
                "icons": [
                    {"src": name, "sizes": sizes, "type": "image/png", "purpose": purpose}
                    for name, sizes, purpose in Icons
                ],
            },
            ensure_ascii=False,
            indent=2,
        )
        + "\n"
    ).encode()
    # The cache is named for what it holds, so a new build replaces it whole.
    digest = hashlib.sha256()
    for name in sorted(files):
        digest.update(name.encode() + b"\0" + files[name] + b"\0")
    precache = ["./"] + sorted([*files, "sw.js"])
    worker = replace_once(
        service_worker, "@@CACHE@@", "bluffwick-" + digest.hexdigest()[:16], "sw.js"
    )
    files["sw.js"] = replace_once(worker, "['@@FILES@@']", json.dumps(precache), "sw.js").encode()
    for name, data in files.items():
        (site / name).write_bytes(data)
    for stale in site.iterdir():
        if stale.name not in files:
            stale.unlink()


def main():
    parser = argparse.ArgumentParser()
    for name in (
        "template",
        "style",
        "page",
        "arrange",
        "first-loads",
        "service-worker",
        "core",
        "res",
        "help-text",
        "speech-lines",
        "proportional-font",
        "fixed-font",
        "licence",
        "facts",
        "out",
    ):
        parser.add_argument("--" + name, required=True, type=pathlib.Path)
    parser.add_argument("--site", type=pathlib.Path, help="also write the hosted copy here")
    args = parser.parse_args()

    template = args.template.read_text(encoding="utf-8")
    # The version, the home page and the core's texts, as the build's
    # bluffwick-page-facts wrote them.
    facts = json.loads(args.facts.read_text(encoding="utf-8"))
    help_text = args.help_text.read_text(encoding="utf-8-sig").replace("\r\n", "\n")
    metrics, lines = speech_lines(args.speech_lines)
    if not all(key in metrics for key in ("height", "ascent", "line")):
        sys.exit(f'make_page: no "# font height H ascent A line L" in {args.speech_lines}')

    # Every character the page can show: the game's texts, the page's own, the
    # help and the font's licence. Both fonts hold all of them: a font cut to
    # fewer characters draws some of the rest a shade differently.
    characters = set(chr(c) for c in range(0x20, 0x7F))
    for text in facts["texts"]:
        characters.update(bytes(text).decode("cp932"))
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
    # Before the first paint the fixed font shows only the bet box's digits:
    # its ASCII, whose glyphs draw as the whole font's do, stands in until the
    # whole font (for the help) has loaded after it.
    fixed_ascii, _ = font_subset(
        args.fixed_font, "".join(chr(c) for c in range(0x20, 0x7F)), FontNames["fixed"]
    )
    font_kinds = (("proportional", proportional), ("fixedAscii", fixed_ascii), ("fixed", fixed))

    sheets, picture_index, four_colour = pictures(args.res)
    assets = {
        "pictures": picture_index,
        "fourColour": four_colour,
        "proportional": proportional_metrics,
        "speech": {key: metrics[key] for key in ("height", "ascent", "line")},
        "speechLines": lines,
    }
    # Read once the table is painted; "<" escaped so the text cannot end its element.
    later_texts = {"help": help_text, "licence": licence}

    def later_json(later):
        return json.dumps(later).replace("<", "\\u003c")

    # The core's script; its module beside it (the name it was linked with).
    module = args.core.with_suffix(".wasm")

    def assets_script(sheet_sources, fonts, **more):
        picture_assets = {**picture_index, "sheets": sheet_sources}
        text = json.dumps({**assets, "pictures": picture_assets, "fonts": fonts, **more})
        return script("const BluffwickAssets = " + text + ";")

    # In the one file the sheets and fonts are base64, which the page turns
    # into bytes itself. What the first table does not show (the faces'
    # sheets, the whole fixed font) waits in the block after the scripts with
    # the texts: every byte before the page's scripts is read before the
    # first paint.
    sources = [{"data": base64.b64encode(sheet).decode()} for sheet in sheets]
    first_sheets = {number for number, *_ in picture_index["index"].values()} - {
        picture_index["index"][face][0] for face in picture_index["marks"]
    }
    fonts = {kind: {"data": base64.b64encode(font).decode()} for kind, font in font_kinds}
    later_fonts = {"fixed": fonts.pop("fixed")}
    parts = {
        "STYLE": args.style.read_text(encoding="utf-8"),
        "CORE": script(args.core.read_text(encoding="utf-8")),
        "ASSETS": assets_script(
            [source if number in first_sheets else None for number, source in enumerate(sources)],
            fonts,
            # The module's bytes, handed to the core: its policy lets it fetch nothing.
            module=base64.b64encode(module.read_bytes()).decode(),
        ),
        "FIRST_LOADS": script(args.first_loads.read_text(encoding="utf-8")),
        "ARRANGE": script(args.arrange.read_text(encoding="utf-8")),
        "PAGE": script(args.page.read_text(encoding="utf-8")),
        "LATER": later_json(
            {
                **later_texts,
                "sheets": {n: source for n, source in enumerate(sources) if n not in first_sheets},
                "fonts": later_fonts,
            }
        ),
        "VERSION": facts["version"],
        "HOME_PAGE": facts["homePage"],
    }
    page = fill(ascii_markup(template), parts, args.template.name)
    if not page.isascii():
        sys.exit("make_page: the page holds a character beyond ASCII")
    args.out.write_text(page, encoding="ascii")
    if args.site:
        service_worker = args.service_worker.read_text(encoding="utf-8")
        # The hosted copy fetches its module, its picture sheets and its fonts
        # as files of their own, all kept by its worker; the core finds its
        # module by the name it was linked with.
        own_files = {module.name: module.read_bytes()}
        sheet_files = {f"pictures-{i}.png": sheet for i, sheet in enumerate(sheets)}
        own_files.update(sheet_files)
        font_files = {
            "proportional": ("bluffwick-pgothic.woff2", proportional),
            "fixedAscii": ("bluffwick-gothic-ascii.woff2", fixed_ascii),
            "fixed": ("bluffwick-gothic.woff2", fixed),
        }
        own_files.update(font_files.values())
        site_parts = {
            **parts,
            "LATER": later_json(later_texts),
            "ASSETS": assets_script(
                [{"file": name} for name in sheet_files],
                {kind: {"file": name} for kind, (name, _) in font_files.items()},
                moduleFile=module.name,
            ),
        }
        write_site(
            args.site,
            ascii_markup(template),
            site_parts,
            args.res,
            service_worker,
            own_files,
            [font_files[kind][0] for kind in ("proportional", "fixedAscii")],
        )


if __name__ == "__main__":
    main()
