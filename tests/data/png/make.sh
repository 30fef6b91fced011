#!/usr/bin/env bash
# Makes the PNG files of the PNG reading tests, each beside the same image
# saved as BMP by the same tool (an image with alpha laid over white).
# Needs ImageMagick and Debian's python3 with Pillow (python3-pil); the files are kept in git, so
# the tests themselves need neither.
set -euo pipefail
cd "$(dirname "$0")"
rm -f im_*.png im_*.bmp pil_*.png pil_*.bmp

src=$(mktemp --suffix=.png)
trap 'rm -f "$src"' EXIT
convert -size 37x23 -seed 7 plasma:fractal "$src"

convert "$src" -colors 16 PNG8:im_palette.png
convert "$src" -colorspace Gray -depth 8 PNG:im_grey.png
convert "$src" -colorspace Gray -depth 2 PNG:im_grey2.png
convert "$src" -depth 16 PNG48:im_rgb16.png
convert "$src" \( -size 37x23 gradient:white-black \) -alpha off -compose CopyOpacity -composite \
  PNG32:im_alpha.png
convert "$src" -interlace PNG PNG24:im_interlaced.png
for f in im_*.png; do
  if [ "$f" = im_alpha.png ]; then
    convert "$f" -background white -flatten BMP3:"${f%.png}.bmp"
  else
    convert "$f" -type TrueColor BMP3:"${f%.png}.bmp"
  fi
done

/usr/bin/python3 - "$src" <<'PY'
import sys
from PIL import Image
src = Image.open(sys.argv[1]).convert("RGB")
w, h = src.size

pal = src.quantize(colors=12)
pal.save("pil_palette.png")
pal.convert("RGB").save("pil_palette.bmp")

# A palette whose colour 0 is transparent (tRNS).
pal.save("pil_palette_trns.png", transparency=0)
trns = Image.open("pil_palette_trns.png").convert("RGBA")
flat = Image.alpha_composite(Image.new("RGBA", (w, h), "white"), trns)
flat.convert("RGB").save("pil_palette_trns.bmp")

grey = src.convert("L")
grey.save("pil_grey.png")
grey.convert("RGB").save("pil_grey.bmp")

mono = src.convert("1")
mono.save("pil_mono.png")
mono.convert("RGB").save("pil_mono.bmp")

# 16 bits a sample holding v * 257, which is v at 8 bits.
wide = Image.new("I;16", (w, h))
wide.putdata([v * 257 for v in grey.getdata()])
wide.save("pil_grey16.png")
grey.convert("RGB").save("pil_grey16.bmp")

rgba = src.copy()
rgba.putalpha(Image.linear_gradient("L").resize((w, h)))
rgba.save("pil_alpha.png")
Image.alpha_composite(Image.new("RGBA", (w, h), "white"), rgba).convert("RGB").save("pil_alpha.bmp")
PY
