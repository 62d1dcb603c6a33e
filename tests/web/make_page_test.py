"""The page build's picture sheets: PNGs the browser shows exactly as the
bitmaps are, and a build that stops where the page's way of marking a face
would differ from the program's; the page's text kept to ASCII; the fonts.
    python3 make_page_test.py WEB-SOURCE-FOLDER RES-FOLDER"""
import html
import io
import json
import pathlib
import struct
import sys
import tempfile
import unittest
import zlib

web, res = (pathlib.Path(arg) for arg in sys.argv[1:3])
sys.path.insert(0, str(web))
sys.dont_write_bytecode = True  # nothing left in the source folder
import make_page  # noqa: E402


def chunks(data):
    """The PNG's chunks as (kind, body)."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at = 8
    while at < len(data):
        (length,) = struct.unpack_from(">I", data, at)
        kind, body = data[at + 4 : at + 8], data[at + 8 : at + 8 + length]
        assert struct.unpack_from(">I", data, at + 8 + length)[0] == zlib.crc32(kind + body)
        yield kind, body
        at += 12 + length


def png_pixels(data):
    """A palette PNG written without filters, as rows of RGB colours."""
    parts = dict((kind, body) for kind, body in chunks(data) if kind != b"IDAT")
    width, height, depth, colour_type = struct.unpack_from(">IIBB", parts[b"IHDR"])
    assert colour_type == 3
    palette = [tuple(parts[b"PLTE"][i : i + 3]) for i in range(0, len(parts[b"PLTE"]), 3)]
    raw = zlib.decompress(b"".join(body for kind, body in chunks(data) if kind == b"IDAT"))
    stride = (width * depth + 7) // 8
    rows = []
    for y in range(height):
        line = raw[y * (stride + 1) : (y + 1) * (stride + 1)]
        assert line[0] == 0
        bits = "".join(f"{byte:08b}" for byte in line[1:])
        rows.append([palette[int(bits[x * depth : (x + 1) * depth], 2)] for x in range(width)])
    return rows


def bmp_pixels(data):
    """A bottom-up 4- or 8-bit BMP (every bitmap the program ships) as rows of
    RGB, and its colour table."""
    pixels_at, header = struct.unpack_from("<II", data, 10)
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    assert bits in (4, 8) and height > 0
    count = struct.unpack_from("<I", data, 46)[0] or 1 << bits
    palette = [tuple(data[14 + header + 4 * i : 17 + header + 4 * i][::-1]) for i in range(count)]
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in reversed(range(height)):
        line = "".join(f"{byte:08b}" for byte in data[pixels_at + stride * y :][:stride])
        rows.append([palette[int(line[x * bits : (x + 1) * bits], 2)] for x in range(width)])
    return rows, palette


class Sheets(unittest.TestCase):
    def test_every_bitmap_cut_from_its_sheet_is_the_bitmap(self):
        sheets, index, four = make_page.pictures(res)
        decoded = [png_pixels(sheet) for sheet in sheets]
        for sheet in sheets:
            kinds = {kind for kind, _ in chunks(sheet)}
            self.assertFalse(kinds & {b"gAMA", b"iCCP", b"sRGB", b"cHRM"}, "no colour management")
        bmps = {int(bmp.name.split("_")[0]): bmp for bmp in res.glob("*.bmp")}
        self.assertEqual(sorted(index["index"]), sorted(bmps))
        for number, (sheet, x, y, width, height) in index["index"].items():
            expected, palette = bmp_pixels(bmps[number].read_bytes())
            cut = [row[x : x + width] for row in decoded[sheet][y : y + height]]
            self.assertEqual(cut, expected, bmps[number].name)
            if number in index["marks"]:
                self.assertEqual(index["marks"][number], "#%02x%02x%02x" % palette[7])
        self.assertEqual(len(four["faces"]), 52)
        # Every table shows the pictures that are no face: the first paint
        # decodes them as one sheet.
        unmarked = {at[0] for number, at in index["index"].items() if number not in index["marks"]}
        self.assertEqual(len(unmarked), 1)

    def test_a_face_with_white_beside_index_1_stops_the_build(self):
        face = next(res.glob("*_hearts_ace.bmp"))
        data = bytearray(face.read_bytes())
        header = struct.unpack_from("<I", data, 14)[0]
        pixels_at = struct.unpack_from("<I", data, 10)[0]
        used = data[pixels_at]  # the corner pixel's index
        for index, why in ((used if used != 1 else 0, "another white"), (1, "no white at 1")):
            with self.subTest(why), tempfile.TemporaryDirectory() as folder:
                copy = bytearray(data)
                colour = b"\xff\xff\xff" if index != 1 else b"\xfe\xff\xff"
                copy[14 + header + 4 * index : 17 + header + 4 * index] = colour
                (pathlib.Path(folder) / face.name).write_bytes(copy)
                with self.assertRaises(SystemExit):
                    make_page.pictures(pathlib.Path(folder))


class AsciiPage(unittest.TestCase):
    Text = "\u3042\uff08</script>\n/[\u8a18]/ \U0001f0a1 plain"

    def test_scripts_and_markup_keep_their_text_in_ascii(self):
        script = make_page.script(self.Text)
        self.assertTrue(script.isascii())
        self.assertNotIn("</script", script)
        # \uXXXX units only, so that a regular expression reads them as the
        # characters (a \u{...} would not be one without the u flag).
        self.assertNotIn("\\u{", script)
        # Read back as JSON, which has the same escapes (\/ too).
        self.assertEqual(json.loads(f'"{script}"'.replace("\n", "\\n")), self.Text)
        markup = make_page.ascii_markup(self.Text)
        self.assertTrue(markup.isascii())
        self.assertEqual(html.unescape(markup), self.Text)


class Fonts(unittest.TestCase):
    def test_woff2_and_the_ascii_cut_draw_the_whole_fonts_glyphs(self):
        # The bet box shows the ASCII cut until the whole fixed font has loaded,
        # and nothing may change when it has: the same outlines and widths.
        from fontTools.ttLib import TTFont

        font = pathlib.Path("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf")
        whole, _ = make_page.font_subset(font, "0123456789\u8a18\u9332", "Whole")
        ascii_cut, metrics = make_page.font_subset(font, "0123456789", "Cut")
        self.assertEqual(whole[:4], b"wOF2")
        faces = [TTFont(io.BytesIO(data)) for data in (whole, ascii_cut)]
        for digit in "0123456789":
            glyphs = [face.getBestCmap()[ord(digit)] for face in faces]
            outlines = [
                face["glyf"][glyph].getCoordinates(face["glyf"])[0].array.tolist()
                for face, glyph in zip(faces, glyphs)
            ]
            self.assertEqual(outlines[0], outlines[1], digit)
            self.assertEqual(*[face["hmtx"][g] for face, g in zip(faces, glyphs)])
        self.assertEqual(metrics["unitsPerEm"], faces[0]["head"].unitsPerEm)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
