#!/usr/bin/python3
"""Generates small TrueType fonts with chosen names and embedding permissions.

    make_test_fonts.py OUTDIR                 the standard test set
    make_test_fonts.py OUTDIR --bench N       N benchmark faces in families of four
                                              styles in seven character sets
    make_test_fonts.py OUTDIR --one-style N   N benchmark faces of one style in one
                                              character set
    make_test_fonts.py OUTDIR --two-languages N
                                              N benchmark faces as --bench makes them,
                                              named in English and Japanese

Each font has a handful of glyphs, the family and style names given, and the
OS/2 fsType given; a style name with "Bold" makes it bold, with "Light"
light, with "Italic" italic. Fonts whose code-page ranges name several scripts are reported by the
font service once per character set. A family or full name may be a dict of
names by language: the name table then names the face in each of them, on the
Windows platform only, as the font service reads it.
"""
import os
import sys
import zlib

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

# OS/2 ulCodePageRange1 bits.
LATIN1, LATIN2, CYRILLIC, GREEK, TURKISH = 1 << 0, 1 << 1, 1 << 2, 1 << 3, 1 << 4
BALTIC, VIETNAMESE = 1 << 7, 1 << 8
JAPANESE, CHINESE_SIMPLIFIED = 1 << 17, 1 << 18
SYMBOL = 1 << 31
# The character sets a real text family covers.
REAL_CODE_PAGES = LATIN1 | LATIN2 | CYRILLIC | GREEK | TURKISH | BALTIC | VIETNAMESE
# A real text family's styles, each with its full name's suffix.
REAL_STYLES = [("Regular", ""), ("Bold", " Bold"), ("Italic", " Italic"), ("Bold Italic", " Bold Italic")]


def real_family(family, fs_types=(0, 0, 0, 0)):
    return [(family, style, family + suffix, fs_type, REAL_CODE_PAGES)
            for (style, suffix), fs_type in zip(REAL_STYLES, fs_types)]


# How each language words the four styles in a full name: Japanese faces keep
# the English words, Russian and Chinese ones have their own.
STYLE_SUFFIXES = {
    "en": [suffix for _, suffix in REAL_STYLES],
    "ja": [suffix for _, suffix in REAL_STYLES],
    "ru": ["", " Полужирный", " Курсив", " Полужирный Курсив"],
    "zh": ["", " 粗体", " 斜体", " 粗斜体"],
}


def named_family(families, code_pages, worded_as=None):
    """A real family named in each language of `families` (language -> name),
    its styles worded as each language, or the one `worded_as` maps it to,
    words them."""
    worded_as = worded_as or {}
    return [(dict(families), style,
             {language: name + STYLE_SUFFIXES[worded_as.get(language, language)][index]
              for language, name in families.items()},
             0, code_pages)
            for index, (style, _) in enumerate(REAL_STYLES)]


# family, style, full name, fsType, code pages. The full name is the face
# name the library keys its entries by.
STANDARD_SET = [
    ("Glyphor Test Sans", "Regular", "Glyphor Test Sans", 0, LATIN1 | LATIN2 | CYRILLIC | GREEK),
    ("Glyphor Test Sans", "Bold", "Glyphor Test Sans Bold", 0, LATIN1 | LATIN2 | CYRILLIC | GREEK),
    ("Glyphor Test Restricted", "Regular", "Glyphor Test Restricted", 2, LATIN1),
    ("Glyphor Test Preview", "Regular", "Glyphor Test Preview", 4, LATIN1),
    ("Glyphor Test Mixed", "Regular", "Glyphor Test Mixed", 6, LATIN1),
    ("Glyphor Test Editable", "Regular", "Glyphor Test Editable", 8, LATIN1),
    ("Glyphor Test NoSubset", "Regular", "Glyphor Test NoSubset", 258, LATIN1),
    ("Glyphor Test Bitmaps", "Regular", "Glyphor Test Bitmaps", 0x0202, LATIN1),
    # Several usage permissions at once, of which the least restrictive applies.
    *[("Glyphor Test Usage %d" % fs_type, "Regular", "Glyphor Test Usage %d" % fs_type, fs_type, LATIN1)
      for fs_type in (10, 12, 14, 0x104, 0x20C)],
    # Two families that report one face name; the restricted one differs so
    # that the entry shows which family was taken.
    ("Glyphor Test Twin A", "Regular", "Glyphor Test Twin", 0, LATIN1),
    ("Glyphor Test Twin B", "Regular", "Glyphor Test Twin", 2, LATIN1),
    # A family name of 31 characters, the longest the font service reports.
    ("Glyphor Test Thirty One Chars X", "Regular", "Glyphor Test Thirty One Chars X", 0, LATIN1),
    # Shaped as real text families are; each style with its own permission,
    # so that an entry shows which face was measured.
    *real_family("Glyphor Test Family", (0, 2, 4, 8)),
    # Two faces of one weight and slant: in disjoint character sets, and
    # with the one's character sets inside the other's.
    ("Glyphor Test Halves", "West", "Glyphor Test Halves West", 0, LATIN1 | LATIN2),
    ("Glyphor Test Halves", "East", "Glyphor Test Halves East", 2, CYRILLIC | GREEK),
    ("Glyphor Test Nested", "Narrow", "Glyphor Test Nested Narrow", 4, LATIN1),
    ("Glyphor Test Nested", "Wide", "Glyphor Test Nested Wide", 0, LATIN1 | LATIN2 | CYRILLIC | GREEK),
    # Two weights that a font matcher telling only bold from not bold takes
    # for one: Wine realises Light for Regular's Latin report, and Regular
    # only for its Cyrillic one.
    ("Glyphor Test Weights", "Regular", "Glyphor Test Weights", 0, LATIN1 | CYRILLIC),
    ("Glyphor Test Weights", "Light", "Glyphor Test Weights Light", 0, LATIN1),
]

UNITS_PER_EM = 1000
ADVANCE = 600
# The printable ASCII characters, which every face draws, with a Cyrillic
# and a Greek letter.
TEXT_CHARACTERS = list(range(0x21, 0x7F)) + [0x416, 0x391]
# A symbol font's characters, in the private area that symbol encodings use.
SYMBOL_CHARACTERS = list(range(0xF021, 0xF07F))

# Faces whose glyphs differ from every other face's boxes, so that a face
# drawn in the one can be told from the other; and a symbol font.
LINES_FACE = "Glyphor Test Lines"
DINGBATS_FACE = "Glyphor Test Dingbats"
SHAPED_SET = [
    ("Glyphor Test Lines", "Regular", LINES_FACE, 0, LATIN1),
    ("Glyphor Test Dingbats", "Regular", DINGBATS_FACE, 0, SYMBOL),
]


def outline(*contours):
    pen = TTGlyphPen(None)
    for points in contours:
        pen.moveTo(points[0])
        for point in points[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph()


def box_glyph():
    return outline([(50, 0), (50, 700), (ADVANCE - 50, 700), (ADVANCE - 50, 0)])


def lines_glyph():
    return outline([(80, 0), (80, 700), (160, 700), (160, 0)], [(400, 0), (400, 500), (480, 500), (480, 0)])


def diamond_glyph():
    return outline([(300, 0), (60, 350), (300, 700), (540, 350)])


def missing_glyph():
    # An empty frame: what a face without a character draws.
    return outline([(50, 0), (50, 700), (550, 700), (550, 0)], [(100, 50), (500, 50), (500, 650), (100, 650)])


def ascii_name(name):
    """The name a face's files and PostScript name go by: its English one in
    ASCII, or, where that leaves nothing, one made of its names."""
    english = name if isinstance(name, str) else name.get("en", "")
    spelt = english.encode("ascii", "replace").decode().replace("?", "")
    return spelt if spelt.strip() else "Glyphor Named %08X" % zlib.crc32(repr(name).encode())


def build_font(family, style, full_name, fs_type, code_pages):
    symbol = full_name == DINGBATS_FACE
    characters = SYMBOL_CHARACTERS if symbol else TEXT_CHARACTERS
    shape = diamond_glyph if symbol else lines_glyph if full_name == LINES_FACE else box_glyph
    space = 0xF020 if symbol else 0x20
    glyph_order = [".notdef", "space"] + ["g%04X" % c for c in characters]
    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.setupGlyphOrder(glyph_order)
    fb.setupCharacterMap({space: "space", **{c: "g%04X" % c for c in characters}})
    if symbol:
        # A Windows symbol encoding (3, 0) in place of the Unicode one.
        for table in fb.font["cmap"].tables:
            table.platEncID = 0 if table.platformID == 3 else table.platEncID
    glyphs = {name: shape() for name in glyph_order}
    glyphs[".notdef"] = missing_glyph()
    glyphs["space"] = TTGlyphPen(None).glyph()
    fb.setupGlyf(glyphs)
    fb.setupHorizontalMetrics({name: (ADVANCE, 50) for name in glyph_order})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({
        "familyName": family,
        "styleName": style,
        "uniqueFontIdentifier": full_name,
        "fullName": full_name,
        "psName": file_name(family, style)[:63],
    }, mac=isinstance(full_name, str))
    bold, italic = "Bold" in style, "Italic" in style
    fb.setupOS2(
        fsType=fs_type,
        usWeightClass=700 if bold else 300 if "Light" in style else 400,
        fsSelection=(0x20 if bold else 0) | (0x01 if italic else 0) or 0x40,
        sTypoAscender=800, sTypoDescender=-200, sTypoLineGap=0,
        usWinAscent=800, usWinDescent=200,
        ulCodePageRange1=code_pages, ulCodePageRange2=0,
        ulUnicodeRange1=0 if symbol else (1 << 0) | (1 << 7) | (1 << 9),
        usFirstCharIndex=min(characters + [space]), usLastCharIndex=max(characters),
    )
    fb.font["head"].macStyle = (1 if bold else 0) | (2 if italic else 0)
    fb.setupPost(keepGlyphNames=False)  # smaller files
    return fb


def file_name(family, style):
    return ascii_name(family).replace(" ", "") + ("" if style == "Regular" else "-" + style.replace(" ", ""))


def save_set(out_dir, folder, fonts):
    """Builds each font of a set into a folder of OUTDIR ("" for OUTDIR itself)."""
    os.makedirs(os.path.join(out_dir, folder), exist_ok=True)
    for family, style, full_name, fs_type, code_pages in fonts:
        path = os.path.join(out_dir, folder, file_name(family, style) + ".ttf")
        build_font(family, style, full_name, fs_type, code_pages).save(path)


# --- case twins: two faces whose names differ only in case, and so share one
# registry value; made with the standard set, in OUTDIR/case_twins, which only
# the tests of that sharing register.
CASE_TWINS = [
    ("Glyphor Case Twin A", "Regular", "Glyphor Case Twin", 0, LATIN1),
    ("Glyphor Case Twin B", "Regular", "GLYPHOR CASE TWIN", 0, LATIN1),
]

# --- faces named in several languages, in OUTDIR/languages, which only the
# tests of such faces register: English and Japanese, English and Russian,
# Chinese alone, and two faces whose names differ only by an accent. The
# Japanese and Chinese ones cover their code pages, which also gives them
# vertical forms.
LANGUAGES_SET = [
    *named_family({"en": "Glyphor Gothic", "ja": "グリフォ ゴシック"}, LATIN1 | LATIN2 | CYRILLIC | GREEK | JAPANESE),
    *named_family({"en": "Glyphor Serif", "ru": "Глифор Антиква"}, REAL_CODE_PAGES),
    # The test system's font service (Wine's) reports a face by its name in
    # the system's language or in English only: the one Chinese name is given
    # for English too, so that it is reported in every locale, as Windows
    # reports a face named in one language alone.
    *named_family({"zh": "格利福宋体", "en": "格利福宋体"}, LATIN1 | CHINESE_SIMPLIFIED, worded_as={"en": "zh"}),
    *real_family("Café Probe"),
    *real_family("Cafe Probe"),
]


def main(argv):
    if len(argv) not in (2, 4) or (len(argv) == 4 and argv[2] not in ("--bench", "--one-style", "--two-languages")):
        sys.stderr.write(__doc__)
        return 2
    out_dir = argv[1]
    os.makedirs(out_dir, exist_ok=True)
    if len(argv) == 2:
        fonts = STANDARD_SET + SHAPED_SET
    elif argv[2] == "--bench":
        count = int(argv[3])
        fonts = [face for i in range((count + 3) // 4) for face in real_family("Glyphor Family %04d" % i)][:count]
    elif argv[2] == "--two-languages":
        count = int(argv[3])
        fonts = [face for i in range((count + 3) // 4)
                 for face in named_family({"en": "Glyphor Twofold %04d" % i, "ja": "グリフォ 二重 %04d" % i},
                                          REAL_CODE_PAGES)][:count]
    else:
        count = int(argv[3])
        fonts = [("Glyphor Bench %05d" % i, "Regular", "Glyphor Bench %05d" % i, 0, LATIN1) for i in range(count)]
    save_set(out_dir, "", fonts)
    if len(argv) == 2:
        save_set(out_dir, "case_twins", CASE_TWINS)
        save_set(out_dir, "languages", LANGUAGES_SET)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
