#!/usr/bin/env bash
# Checks the About window's banner picture (banner.jpg beside this script, or
# the file given): prints its JPEG markers, then fails unless it starts with
# SOI; carries Exif (APP1), XMP (APP1), Photoshop (APP13) and Adobe (APP14)
# segments before its first frame header; is progressive (SOF2) with three
# components sampled 1x1; is 303 x 93 pixels; ends with EOI; and djpeg
# decodes it to a 303 x 93 picture without a single warning.
#
# Needs python3 and libjpeg-turbo-progs (djpeg).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
picture=${1:-$here/banner.jpg}
[ -r "$picture" ] || { echo "check_banner.sh: cannot read $picture" >&2; exit 1; }

python3 - "$picture" <<'PYTHON'
import struct
import sys

path = sys.argv[1]
with open(path, "rb") as f:
    data = f.read()

NAMES = {0xD8: "SOI", 0xD9: "EOI", 0xDA: "SOS", 0xDB: "DQT", 0xC4: "DHT",
         0xDD: "DRI", 0xFE: "COM", 0xC0: "SOF0", 0xC1: "SOF1", 0xC2: "SOF2"}
STANDALONE = {0xD8, 0xD9} | set(range(0xD0, 0xD8)) | {0x01}
# Frame headers: C0-CF except DHT (C4), JPG (C8) and DAC (CC).
FRAMES = set(range(0xC0, 0xD0)) - {0xC4, 0xC8, 0xCC}
SIGNATURES = [(0xE1, b"Exif\0\0", "Exif"),
              (0xE1, b"http://ns.adobe.com/xap/1.0/\0", "XMP"),
              (0xED, b"Photoshop 3.0\0", "Photoshop"),
              (0xEE, b"Adobe", "Adobe")]

problems = []
def fail(text):
    problems.append(text)

def name(code):
    if code in NAMES:
        return NAMES[code]
    if 0xE0 <= code <= 0xEF:
        return "APP%d" % (code - 0xE0)
    if 0xD0 <= code <= 0xD7:
        return "RST%d" % (code - 0xD0)
    return "0x%02X" % code

def kind(code, body):
    for marker, signature, label in SIGNATURES:
        if code == marker and body.startswith(signature):
            return label
    return ""

def entropy_end(at):
    """Offset of the next marker after entropy-coded data starting at at."""
    while at + 1 < len(data):
        if data[at] == 0xFF and data[at + 1] != 0x00 and not 0xD0 <= data[at + 1] <= 0xD7 \
                and data[at + 1] != 0xFF:
            return at
        at += 1
    return len(data)

segments = []  # (offset, code, body)
at = 0
if data[:2] != b"\xff\xd8":
    fail("does not start with SOI")
else:
    while at < len(data):
        if data[at] != 0xFF:
            fail("expected a marker at offset %d" % at)
            break
        while at + 1 < len(data) and data[at + 1] == 0xFF:
            at += 1  # fill bytes
        if at + 1 >= len(data):
            fail("file ends inside a marker")
            break
        code = data[at + 1]
        if code in STANDALONE:
            segments.append((at, code, b""))
            at += 2
            if code == 0xD9:
                break
            if 0xD0 <= code <= 0xD7:
                at = entropy_end(at)
            continue
        if at + 4 > len(data):
            fail("file ends inside the length of %s at offset %d" % (name(code), at))
            break
        length = struct.unpack(">H", data[at + 2:at + 4])[0]
        if length < 2 or at + 2 + length > len(data):
            fail("%s at offset %d has a bad length %d" % (name(code), at, length))
            break
        segments.append((at, code, data[at + 4:at + 2 + length]))
        at += 2 + length
        if code == 0xDA:
            at = entropy_end(at)

for offset, code, body in segments:
    line = "%8d  %-5s" % (offset, name(code))
    if code not in STANDALONE:
        line += " length %5d" % (len(body) + 2)
    label = kind(code, body)
    if label:
        line += "  " + label
    if code in FRAMES and len(body) >= 6:
        precision, height, width, count = struct.unpack(">BHHB", body[:6])
        line += "  %d-bit %dx%d, %d components" % (precision, width, height, count)
        for i in range(count):
            ident, sampling, table = body[6 + 3 * i:9 + 3 * i]
            line += " [%d: %dx%d q%d]" % (ident, sampling >> 4, sampling & 15, table)
    if code == 0xDA and body:
        n = body[0]
        line += "  %d component(s), spectral %d-%d, bits %d/%d" % (
            n, body[1 + 2 * n], body[2 + 2 * n], body[3 + 2 * n] >> 4, body[3 + 2 * n] & 15)
    print(line.rstrip())

codes = [code for _, code, _ in segments]
if segments and codes[0] != 0xD8:
    fail("the first marker is not SOI")
frames = [i for i, code in enumerate(codes) if code in FRAMES]
if not frames:
    fail("no frame header (SOF)")
else:
    first = frames[0]
    found = {kind(code, body) for _, code, body in segments[:first]}
    for _, _, label in SIGNATURES:
        if label not in found:
            fail("no %s segment before the frame header" % label)
    if len(frames) > 1:
        fail("more than one frame header")
    _, code, body = segments[first]
    if code != 0xC2:
        fail("the frame header is %s, not SOF2 (progressive)" % name(code))
    if len(body) < 6:
        fail("the frame header is too short")
    else:
        precision, height, width, count = struct.unpack(">BHHB", body[:6])
        if precision != 8:
            fail("precision is %d bits, not 8" % precision)
        if (width, height) != (303, 93):
            fail("size is %dx%d, not 303x93" % (width, height))
        if count != 3 or len(body) < 6 + 3 * count:
            fail("%d components, not 3" % count)
        else:
            for i in range(count):
                ident, sampling = body[6 + 3 * i], body[7 + 3 * i]
                if sampling != 0x11:
                    fail("component %d is sampled %dx%d, not 1x1" % (ident, sampling >> 4, sampling & 15))
for _, code, body in segments:
    if kind(code, body) == "Adobe" and (len(body) < 12 or body[11] != 1):
        fail("the Adobe segment does not state the YCbCr transform")
if codes.count(0xDA) < 2:
    fail("fewer than two scans; not a progressive picture")
if not codes or codes[-1] != 0xD9:
    fail("does not end with EOI")
elif segments[-1][0] + 2 != len(data):
    fail("%d bytes follow EOI" % (len(data) - segments[-1][0] - 2))

for problem in problems:
    print("check_banner.sh: %s: %s" % (path, problem), file=sys.stderr)
sys.exit(1 if problems else 0)
PYTHON

# djpeg reports corrupt or truncated data as warnings on stderr but may still
# exit with 0, so any output on stderr counts as a failure.
command -v djpeg >/dev/null || { echo "check_banner.sh: djpeg not found (libjpeg-turbo-progs)" >&2; exit 1; }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/check_banner.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
errors=$scratch/errors
if ! djpeg -pnm -outfile "$scratch/decoded.ppm" "$picture" 2>"$errors"; then
    echo "check_banner.sh: djpeg failed on $picture: $(cat "$errors")" >&2
    exit 1
fi
if [ -s "$errors" ]; then
    echo "check_banner.sh: djpeg warns about $picture: $(cat "$errors")" >&2
    exit 1
fi
header=$(head -c 14 "$scratch/decoded.ppm" | tr '\n' ' ')
if [ "$header" != "P6 303 93 255 " ]; then
    echo "check_banner.sh: djpeg decoded $picture to \"$header\", not a 303x93 colour picture" >&2
    exit 1
fi
echo "$picture: OK"
