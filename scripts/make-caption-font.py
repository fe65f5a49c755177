#!/usr/bin/python3
"""Cuts the window's caption font out of WenQuanYi Micro Hei: printable ASCII, every other
character in the program's sources, the Chinese of the Qt texts the window can show (listed in
resources/fonts/qt-texts.txt, read from Qt's translation), and the characters FreeType's
automatic hinter measures a Chinese font by, so that the cut font is hinted, and drawn, pixel
for pixel like the whole one. The window then maps 66 KB of font instead of several megabytes.
On a desktop without a Chinese font, Qt draws its menus' and boxes' Chinese from it as well.

Needs Debian's python3-fonttools, fonts-wqy-microhei and qt6-translations-l10n. Run it again
whenever a text of the program gains a character; the window tests check that the font covers
every text the program can show.
Usage: scripts/make-caption-font.py [font file, default Debian's wqy-microhei.ttc]
"""
import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
OUTPUT = ROOT / "resources" / "fonts" / "lanhe-caption-hei.ttf"
FAMILY = "Lanhe Caption Hei"
QT_TEXTS = ROOT / "resources" / "fonts" / "qt-texts.txt"
QT_TRANSLATION = "/usr/share/qt6/translations/qtbase_zh_CN.qm"

# The automatic hinter's blue-zone and standard-width characters for Han (FreeType 2.12).
HINTER_REFERENCE = (
    "他们你來們到和地对對就席我时時會来為能舰說说这這齊"
    "军同已愿既星是景民照现現理用置要軍那配里開雷露面顾"
    "个为人他以们你來個們到和大对對就我时時有来為要說说"
    "主些因它想意理生當看着置者自著裡过还进進過道還里面"
    "田囗"
)
# Name records kept as they are: copyright, trademark, maker, description and licence.
KEPT_NAME_IDS = {0, 2, 5, 7, 8, 10, 11, 12, 13, 14}


# The parts of a compiled Qt translation read here: the block of messages, and in a message
# its end, translation, source text and context, each but the end with a 32-bit length.
QM_MAGIC = bytes.fromhex("3cb86418caef9c95cd211cbf60a1bddd")
QM_MESSAGES = 0x69
MESSAGE_END, TRANSLATION, SOURCE_TEXT, CONTEXT, COMMENT = 1, 3, 6, 7, 8
MESSAGE_FIELDS = {TRANSLATION, SOURCE_TEXT, CONTEXT, COMMENT}
OBSOLETE_FIELD = 5


def read_length(data, position):
    return int.from_bytes(data[position : position + 4], "big"), position + 4


def qm_messages(block):
    """Yields (context, source text, translation) of each message with a translation."""
    fields, position = {}, 0
    while position < len(block):
        tag, position = block[position], position + 1
        if tag == MESSAGE_END:
            if TRANSLATION in fields:
                yield fields.get(CONTEXT, ""), fields.get(SOURCE_TEXT, ""), fields[TRANSLATION]
            fields = {}
        elif tag == OBSOLETE_FIELD:
            position += 4
        elif tag in MESSAGE_FIELDS:
            length, position = read_length(block, position)
            if length == 0xFFFFFFFF:
                continue
            value, position = block[position : position + length], position + length
            fields.setdefault(tag, value.decode("utf-16-be" if tag == TRANSLATION else "utf-8"))
        else:
            sys.exit(f"{QT_TRANSLATION}: a message field of unknown kind {tag}")


def qt_translations():
    data = pathlib.Path(QT_TRANSLATION).read_bytes()
    if not data.startswith(QM_MAGIC):
        sys.exit(f"{QT_TRANSLATION}: not a compiled Qt translation")
    translations, position = {}, len(QM_MAGIC)
    while position < len(data):
        tag = data[position]
        length, position = read_length(data, position + 1)
        if tag == QM_MESSAGES:
            for context, source, translation in qm_messages(data[position : position + length]):
                translations.setdefault((context, source), translation)
        position += length
    return translations


def shown_qt_texts():
    """The Chinese of each Qt text in QT_TEXTS: context and source text, a tab between."""
    translations = qt_translations()
    for line in QT_TEXTS.read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            context, source = line.split("\t")
            if (context, source) not in translations:
                sys.exit(f"{QT_TRANSLATION} has no translation of {context} '{source}'")
            yield translations[(context, source)]


def caption_characters():
    characters = {chr(code) for code in range(0x20, 0x7F)}
    characters.update(HINTER_REFERENCE)
    for text in shown_qt_texts():
        characters.update(text)
    for path in sorted((ROOT / "src").rglob("*")):
        if path.suffix in {".cpp", ".h"}:
            characters.update(c for c in path.read_text(encoding="utf-8") if ord(c) > 0x7F)
    return "".join(sorted(characters))


def cut(source_font, text):
    options = subset.Options()
    options.font_number = 0
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.hinting = True
    options.notdef_outline = True
    options.recalc_bounds = False
    options.recalc_timestamp = False
    options.prune_unicode_ranges = False
    font = subset.load_font(source_font, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    return font


def rename(font: TTFont):
    names = font["name"]
    names.names = [r for r in names.names if r.platformID == 3 and r.langID == 0x409]
    names.names = [r for r in names.names if r.nameID in KEPT_NAME_IDS | {1, 3, 4, 6}]
    for record in names.names:
        if record.nameID in (1, 4):
            record.string = FAMILY
        elif record.nameID == 3:
            record.string = FAMILY + ": the characters of 蓝禾自动关机 from WenQuanYi Micro Hei"
        elif record.nameID == 6:
            record.string = FAMILY.replace(" ", "")


def main():
    source_font = sys.argv[1] if len(sys.argv) > 1 else SOURCE_FONT
    font = cut(source_font, caption_characters())
    rename(font)
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    font.save(str(OUTPUT))
    print(f"{OUTPUT.relative_to(ROOT)}: {OUTPUT.stat().st_size} bytes")


if __name__ == "__main__":
    main()
