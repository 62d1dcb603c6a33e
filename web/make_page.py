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
import gzip
import hashlib
import io
import json
import pathlib
import re
import sys

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


def pictures(res):
    """The bitmaps in one gzip stream, each found by its resource number, and
    the four-colour deck: by each face of the program's, the number of its
    four-colour face. A four-colour face is stored as its bytes XOR those of
    the program's face (an index entry's fourth number): the two differ only
    in some pips and the colour table, so that compresses to little."""
    index = []
    blob = bytearray()
    faces = {}
    files = {bmp.name: bmp for bmp in res.glob("*.bmp")}
    by_rest = {name.split("_", 1)[1]: name for name in files}
    for name in sorted(files):
        data = files[name].read_bytes()
        number, rest = name.split("_", 1)
        entry = [int(number), len(blob), len(data)]
        if rest.startswith("four_"):
            plain = by_rest.get(rest[len("four_") :])
            if plain is None:
                sys.exit(f"make_page: {name} has no face of the program's deck")
            plain_number = int(plain.split("_")[0])
            faces[plain_number] = int(number)
            plain_data = files[plain].read_bytes()
            if len(plain_data) == len(data):
                xor = int.from_bytes(data, "big") ^ int.from_bytes(plain_data, "big")
                data = xor.to_bytes(len(data), "big")
                entry.append(plain_number)
        index.append(entry)
        blob += data
    return {
        "index": index,
        "data": base64.b64encode(gzip.compress(bytes(blob), 9, mtime=0)).decode(),
    }, {"faces": faces}


def script(text):
    return text.replace("</script", "<\\/script")


# The hosted copy's files for each inline part of the template, in its order.
SiteScripts = {
    "CORE": "bluffwick-core.js",
    "ASSETS": "bluffwick-assets.js",
    "ARRANGE": "arrange.js",
    "PAGE": "page.js",
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


def write_site(site, template, parts, res, service_worker):
    """The page as index.html with its parts in files, the manifest, the icons
    and the service worker, its cache named for this build."""
    site.mkdir(parents=True, exist_ok=True)
    files = {"bluffwick.css": parts["STYLE"].encode()}
    html = re.sub(
        r"<style>\s*@@STYLE@@\s*</style>",
        '<link rel="stylesheet" href="bluffwick.css">\n'
        '<link rel="manifest" href="manifest.webmanifest">\n'
        '<link rel="icon" href="bluffwick-192.png">\n'
        '<link rel="apple-touch-icon" href="bluffwick-192.png">\n'
        '<meta name="theme-color" content="#008000">',
        template,
    )
    for part, name in SiteScripts.items():
        text = parts[part]
        html = re.sub(
            rf"<script>\s*@@{part}@@\s*</script>", f'<script src="{name}"></script>', html
        )
        files[name] = text.encode()
    html, policies = re.subn(
        r'(http-equiv="Content-Security-Policy"\s+content=")[^"]*"', rf'\g<1>{SitePolicy}"', html
    )
    if policies != 1 or "@@STYLE@@" in html or any(f"@@{p}@@" in html for p in SiteScripts):
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
    # help and the font's licence.
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

    bitmaps, four_colour = pictures(args.res)
    assets = {
        "pictures": bitmaps,
        "fourColour": four_colour,
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
        "ARRANGE": script(args.arrange.read_text(encoding="utf-8")),
        "PAGE": script(args.page.read_text(encoding="utf-8")),
        "VERSION": facts["version"],
        "HOME_PAGE": facts["homePage"],
    }
    args.out.write_text(fill(template, parts, args.template.name), encoding="utf-8")
    if args.site:
        service_worker = args.service_worker.read_text(encoding="utf-8")
        write_site(args.site, template, parts, args.res, service_worker)


if __name__ == "__main__":
    main()
