#!/usr/bin/env bash
# Draws the About window's banner, "HOLLOW CHIME": silver serif capitals over
# an ornamental bar on a dark blue ground, 303 x 93 pixels. Writes
# banner.jpg beside this script as a progressive JPEG with three components
# at full resolution (no chroma subsampling) that carries Exif, XMP,
# Photoshop/IPTC and Adobe segments ahead of the image data, so the picture
# exercises the decoder's handling of all of them. Then runs check_banner.sh.
#
# Needs the Debian packages imagemagick (convert), fonts-dejavu-core,
# libjpeg-turbo-progs (cjpeg, djpeg), libimage-exiftool-perl (exiftool) and
# python3 (for check_banner.sh). The output is the same byte for byte on
# every run with the same versions of these tools.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
output=$here/banner.jpg
font=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf

for tool in convert cjpeg exiftool; do
    command -v "$tool" >/dev/null || { echo "make_banner.sh: $tool not found" >&2; exit 1; }
done
[ -r "$font" ] || { echo "make_banner.sh: font $font not found (fonts-dejavu-core)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/make_banner.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# One thread keeps blurs and gradients identical from run to run.
export MAGICK_THREAD_LIMIT=1

width=303
height=93
initialSize=33   # point size of each word's first letter
restSize=25      # point size of the other letters (small capitals)
letterGap=1.5    # extra pixels between letters
wordGap=11       # pixels between the two words
baseline=45      # baseline of the title
barY=68          # centre line of the ornamental bar
barX=151         # centre of the bar's middle diamond

# Advance width in pixels of a text at a point size, from ImageMagick's own
# font metrics, so the title can be centred however the letters are sized.
advance() {
    local size=$1 text=$2 value
    value=$(convert xc: -font "$font" -pointsize "$size" -kerning "$letterGap" \
                -debug annotate -annotate 0 "$text" null: 2>&1 \
            | sed -n 's/.*Metrics: text: .*; width: \([0-9.]*\);.*/\1/p' | head -n 1)
    [ -n "$value" ] || { echo "make_banner.sh: could not measure \"$text\"" >&2; exit 1; }
    echo "$value"
}

add() { awk -v a="$1" -v b="$2" -v c="$3" 'BEGIN { print a + b + c }'; }

# The title as pieces: a large initial, then small capitals, for each word.
pieces=("$initialSize:H" "$restSize:OLLOW" "gap" "$initialSize:C" "$restSize:HIME")
widths=()
total=0
for piece in "${pieces[@]}"; do
    if [ "$piece" = gap ]; then w=$wordGap; else w=$(advance "${piece%%:*}" "${piece#*:}"); fi
    widths+=("$w")
    total=$(add "$total" "$w" "$letterGap")
done
x=$(awk -v w="$width" -v t="$total" -v k="$letterGap" 'BEGIN { print (w - t + k) / 2 }')
annotations=()
for i in "${!pieces[@]}"; do
    piece=${pieces[$i]}
    if [ "$piece" != gap ]; then
        annotations+=(-pointsize "${piece%%:*}" -annotate "+$(printf %.0f "$x")+$baseline" "${piece#*:}")
    fi
    x=$(add "$x" "${widths[$i]}" "$letterGap")
done

# Masks: white where the title and the bar are.
convert -size ${width}x${height} xc:black -font "$font" -kerning "$letterGap" -fill white \
    "${annotations[@]}" title-mask.png
convert -size ${width}x${height} xc:black -fill white -stroke none \
    -draw "polygon $((barX-10)),$barY $barX,$((barY-6)) $((barX+10)),$barY $barX,$((barY+6))" \
    -draw "polygon $((barX-21)),$barY $((barX-17)),$((barY-3)) $((barX-13)),$barY $((barX-17)),$((barY+3))" \
    -draw "polygon $((barX+21)),$barY $((barX+17)),$((barY-3)) $((barX+13)),$barY $((barX+17)),$((barY+3))" \
    -draw "polygon $((barX-24)),$((barY-2)).4 30,$barY $((barX-24)),$((barY+1)).6" \
    -draw "polygon $((barX+24)),$((barY-2)).4 272,$barY $((barX+24)),$((barY+1)).6" \
    -draw "circle 25,$barY 27.2,$barY" \
    -draw "circle 277,$barY 279.2,$barY" \
    bar-mask.png
convert title-mask.png bar-mask.png -compose lighten -composite mask.png

# Silver: each shape gets a polished-metal ramp, bright above a dark
# horizon and light again below it; the title's ramp follows its letters.
capTop=$((baseline - 25))
horizon=$((baseline - 11))
convert -size ${width}x${capTop} xc:'#ffffff' \
    -size ${width}x$((horizon - capTop)) gradient:'#ffffff'-'#aeb6c4' \
    -size ${width}x$((baseline + 2 - horizon)) gradient:'#5f6878'-'#eef1f6' \
    -size ${width}x$((height - baseline - 2)) xc:'#eef1f6' -append title-silver.png
convert -size ${width}x$((barY - 6)) xc:'#f6f8fb' \
    -size ${width}x6 gradient:'#f6f8fb'-'#9aa3b2' \
    -size ${width}x7 gradient:'#7a8394'-'#dfe4ec' \
    -size ${width}x$((height - barY - 7)) xc:'#dfe4ec' -append bar-silver.png
convert bar-silver.png title-silver.png \
    \( -size ${width}x$((barY - 9)) xc:white -size ${width}x$((height - barY + 9)) xc:black -append \) \
    -compose over -composite silver.png

# Ground: dark blue, lighter towards the middle.
convert -size 420x200 radial-gradient:'#1a3878'-'#040a1e' \
    -gravity center -crop ${width}x${height}+0+0 +repage ground.png

# Layers, bottom up: ground, soft drop shadow, dark rim, silver, thin frame.
convert mask.png -blur 0x2 -level 0,60% shadow.png
convert mask.png -morphology Dilate Disk:1.2 rim.png
convert ground.png \
    \( -size ${width}x${height} xc:'#00000a' shadow.png -alpha off -compose CopyOpacity -composite \
       -geometry +2+2 \) -compose over -composite \
    \( -size ${width}x${height} xc:'#0a1230' rim.png -alpha off -compose CopyOpacity -composite \) \
       -compose over -composite \
    \( silver.png mask.png -alpha off -compose CopyOpacity -composite \) -compose over -composite \
    \( -size ${width}x${height} xc:none -fill none -stroke '#8f9ab0' -strokewidth 1 \
       -draw "rectangle 3.5,3.5 $((width - 4)).5,$((height - 4)).5" \
       -channel A -evaluate multiply 0.45 +channel \) -compose over -composite \
    -alpha off -depth 8 banner.ppm

# Progressive, 1x1 sampling for every component: text edges stay crisp.
cjpeg -quality 95 -sample 1x1 -progressive -optimize -outfile banner.jpg banner.ppm

# Adobe segment: "Adobe", version 100, flags0 0, flags1 0, transform 1 (YCbCr).
printf 'Adobe\000\144\000\000\000\000\001' > adobe.bin

# No JFIF segment: the colour transform is stated by the Adobe segment.
# Compact=NoPadding keeps the XMP packet free of its usual 2 KB of blanks.
exiftool -q -overwrite_original -api Compact=NoPadding \
    -JFIF:all= \
    -Exif:ImageDescription='Hollow Chime banner' \
    -Exif:Software='make_banner.sh' \
    -Exif:XResolution=96 -Exif:YResolution=96 -Exif:ResolutionUnit=inches \
    -Exif:ColorSpace=sRGB -Exif:ExifImageWidth=$width -Exif:ExifImageHeight=$height \
    -XMP-dc:Title='Hollow Chime' \
    -XMP-dc:Description='Hollow Chime banner' \
    -XMP-xmp:CreatorTool='make_banner.sh' \
    -IPTC:ObjectName='Hollow Chime' \
    -IPTC:Caption-Abstract='Hollow Chime banner' \
    '-Adobe<=adobe.bin' \
    banner.jpg

"$here/check_banner.sh" banner.jpg
cp banner.jpg "$output"
echo "wrote $output ($(wc -c < "$output") bytes)"
