# Makes the page's own face, Tavimo Gothic: IPA P Gothic cut down to the characters of the
# program's texts (the window's captions, labels, messages and accessible texts, the page's
# own), so that every browser draws them with the metrics of MS P Gothic that the window's
# layout is made for, whatever faces its system has. Run by the build (src/platform/web/).
#   python3 subset_font.py SOURCE_ROOT FONT OUT.woff2
# The IPA Font License lets a derived font be passed on under the same licence and under a name
# other than the original's: hence the face's own name, and the licence beside it in the page.
import glob
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

root, font_path, out_path = sys.argv[1:4]
# Where the program's texts are written: the model, the handlers, the shared binding parts
# (accessible texts) and the page's binding and page. Any character there is kept; one that only
# a comment uses costs a few bytes.
sources = [path for pattern in ("src/model/*", "src/window/*", "src/commands/*", "src/search/*",
                                "src/platform/*.cpp", "src/platform/*.h",
                                "src/platform/web/*.cpp", "src/platform/web/*.h",
                                "src/platform/web/index.html")
           for path in sorted(glob.glob(os.path.join(root, pattern)))]
characters = {chr(c) for c in range(0x20, 0x7F)}  # digits, the E of exponents, ASCII texts
for path in sources:
    with open(path, encoding="utf-8") as source:
        characters.update(c for c in source.read() if ord(c) > 0x7F)

font = TTFont(font_path)
cmap = font.getBestCmap()
missing = sorted(c for c in characters if ord(c) not in cmap)
if missing:
    # The browser draws these from the system's faces; say so rather than fail the build.
    print("subset_font.py: not in %s: %s" % (os.path.basename(font_path), "".join(missing)))

options = subset.Options()
options.flavor = "woff2"
options.layout_features = ["*"]  # vertical forms, proportional widths: as the original has them
options.name_IDs = [0, 7, 8, 9, 10, 11, 12, 13, 14]  # copyright, licence; the names set below
options.name_languages = ["*"]
subsetter = subset.Subsetter(options)
subsetter.populate(unicodes=[ord(c) for c in characters])
subsetter.subset(font)

names = font["name"]
for record in [r for r in names.names if r.nameID in (1, 2, 3, 4, 6, 16, 17)]:
    names.removeNames(nameID=record.nameID)
for name_id, text in ((1, "Tavimo Gothic"), (2, "Regular"), (3, "Tavimo Gothic Regular"),
                      (4, "Tavimo Gothic"), (6, "TavimoGothic-Regular")):
    names.setName(text, name_id, 3, 1, 0x409)
    names.setName(text, name_id, 1, 0, 0)
names.setName("Derived from IPA P Gothic (IPAfont) by keeping only the characters of Tavimo's "
              "texts; under the IPA Font License v1.0 (tavimo-gothic-LICENSE.txt).", 10, 3, 1,
              0x409)
font.flavor = "woff2"
font.save(out_path)
