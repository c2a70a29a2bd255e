#!/usr/bin/python3
# Cuts src/widgets/fonts/NxuiCjkSubset.ttf from the system's WenQuanYi Micro Hei: only the glyphs
# of the program's own Chinese texts (the English texts show some too, "开启/关闭" and the like)
# and the few the font hinter measures the font on, so that the program's texts never open the
# 5 MB CJK font. Run it again when a text gains a CJK character (the widget tests say so). Needs
# Debian's fonttools and fonts-wqy-microhei.
import pathlib
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection

FAMILY = "NxUI CJK Subset"
SOURCE = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

# FreeType's auto-hinter (slight hinting, the desktop's default) measures a CJK font's stem width on
# 田 and its top and bottom zones on these characters (its CJK blue strings). Without them it
# measures the subset differently and some glyphs come out a pixel apart from the full font's.
HINTER_REFERENCE = (
    "田"
    "他们你來們到和地对對就席我时時會来為能舰說说这這齊军同已愿既星是景民照现現理用置要軍那配里開雷露面顾"
    "个为人他以们你來個們到和大对對就我时時有来為要說说主些因它想意理生當看着置者自著裡过还进進過道還里面"
)

repo = pathlib.Path(__file__).resolve().parent.parent


def is_cjk(c):
    code = ord(c)
    return 0x2E80 <= code <= 0x9FFF or 0xF900 <= code <= 0xFAFF or 0xFF00 <= code <= 0xFFEF


# Every CJK character of a string literal of the program, in either language.
texts = set()
for source in sorted((repo / "src").rglob("*")):
    if source.suffix in (".h", ".cpp"):
        for literal in re.findall(r'"((?:[^"\\\n]|\\.)*)"', source.read_text(encoding="utf-8")):
            texts.update(c for c in literal if is_cjk(c))
if not texts:
    sys.exit("make-cjk-subset: no CJK characters in the program's texts")
characters = sorted(texts | set(HINTER_REFERENCE))

font = TTCollection(SOURCE).fonts[0]  # face 0: WenQuanYi Micro Hei (1: the monospaced face)
options = subset.Options()
options.hinting = True  # the same outlines and instructions as the full font: the same pixels
options.name_IDs = ["*"]
options.name_languages = ["*"]
options.notdef_outline = True
options.glyph_names = False
subsetter = subset.Subsetter(options)
subsetter.populate(unicodes=[ord(c) for c in characters])
subsetter.subset(font)

# A family of its own, so that fontconfig and Qt never take it for the full font.
names = font["name"]
for record in list(names.names):
    if record.nameID in (1, 3, 4, 16, 17, 18):
        names.removeNames(nameID=record.nameID)
for platform in ((3, 1, 0x409), (1, 0, 0)):
    names.setName(FAMILY, 1, *platform)
    names.setName(FAMILY, 3, *platform)
    names.setName(FAMILY, 4, *platform)
    names.setName(FAMILY.replace(" ", ""), 6, *platform)

# The same bytes on every run: the source's dates, not today's.
font.recalcTimestamp = False
out = repo / "src/widgets/fonts/NxuiCjkSubset.ttf"
out.parent.mkdir(parents=True, exist_ok=True)
font.save(str(out))
print(f"{out.relative_to(repo)}: {len(characters)} characters, {out.stat().st_size} bytes")
