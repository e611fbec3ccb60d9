"""Writes N small TrueType fonts, each a family of its own, for the benchmark.

    make-bench-fonts.py N FOLDER

Each font is a Latin subset (the characters that the character map shows
under the usual Windows code pages) of a regular face that Debian ships,
renamed to a family name of its own. The faces are taken in turn, so that
neighbouring rows of the list differ in shape as in a real collection. The
names vary in their first words, so that sorting them is not a walk through
numbers in order. Nothing is downloaded.
"""

import io
import logging
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCES = [
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf",
]

# ASCII, Latin-1, Latin Extended-A (Central European letters) and the
# punctuation of code pages 1250 and 1252.
CODEPOINTS = (
    list(range(0x20, 0x7F))
    + list(range(0xA0, 0x180))
    + [0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E,
       0x2020, 0x2021, 0x2022, 0x2026, 0x2030, 0x2039, 0x203A, 0x20AC, 0x2122,
       0x02C6, 0x02C7, 0x02D8, 0x02D9, 0x02DB, 0x02DC, 0x02DD]
)

FIRST = ["Amber", "Basalt", "Cedar", "Dune", "Ember", "Fjord", "Granite",
         "Harbor", "Iris", "Juniper", "Kestrel", "Linden", "Meadow", "Nimbus",
         "Opal", "Prairie", "Quartz", "Rowan", "Sierra", "Tundra", "Umber",
         "Vale", "Willow", "Xenon", "Yarrow", "Zephyr"]
SECOND = ["Sans", "Serif", "Grotesk", "Antiqua", "Mono", "Display", "Text",
          "Book", "Script", "Slab", "Gothic", "Roman"]
# Family names that Windows keeps must stay under 32 characters.
MAX_FAMILY = 31

# Name records that carry the family; all of them are rewritten.
FAMILY_NAME_IDS = (1, 3, 4, 6, 16, 17)


def family_name(index):
    first = FIRST[index % len(FIRST)]
    second = SECOND[(index // len(FIRST)) % len(SECOND)]
    name = f"{first} {second} {index:05d}"
    assert len(name) <= MAX_FAMILY
    return name


def subset_bytes(path):
    options = subset.Options()
    options.layout_features = []
    options.hinting = False
    options.name_IDs = ["*"]
    options.notdef_outline = True
    options.drop_tables += ["FFTM"]
    font = TTFont(path)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=CODEPOINTS)
    subsetter.subset(font)
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def renamed(data, family):
    font = TTFont(io.BytesIO(data))
    names = font["name"]
    names.names = [n for n in names.names if n.nameID not in FAMILY_NAME_IDS]
    postscript = family.replace(" ", "")
    for platform, encoding, language in ((3, 1, 0x409), (1, 0, 0)):
        names.setName(family, 1, platform, encoding, language)
        names.setName("Regular", 2, platform, encoding, language)
        names.setName(f"{postscript};bench", 3, platform, encoding, language)
        names.setName(family, 4, platform, encoding, language)
        names.setName(postscript, 6, platform, encoding, language)
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def main(argv):
    if len(argv) != 3 or not argv[1].isdigit() or int(argv[1]) < 1:
        sys.exit("usage: make-bench-fonts.py N FOLDER   (N >= 1)")
    count = int(argv[1])
    if count > 99999:
        sys.exit("make-bench-fonts.py: at most 99999 fonts")
    folder = Path(argv[2])
    logging.basicConfig(level=logging.ERROR)
    folder.mkdir(parents=True, exist_ok=True)
    faces = [subset_bytes(path) for path in SOURCES]
    for index in range(count):
        family = family_name(index)
        data = renamed(faces[index % len(faces)], family)
        (folder / f"bench-{index:05d}.ttf").write_bytes(data)
    print(f"{count} fonts in {folder}")


if __name__ == "__main__":
    main(sys.argv)
