#!/usr/bin/env bash
# Remakes the files of this folder. Needs gpsbabel, ImageMagick and exiftool
# (apt-get install gpsbabel imagemagick libimage-exiftool-perl). The outputs are committed;
# the tests never run this.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A receiver's NMEA log of a short hill walk: 120 fixes 10 s apart, up 60 m and down again,
# with a pause at the top.
python3 - >"$work/walk.nmea" <<'PY'
import math
def sentence(body):
    check = 0
    for c in body: check ^= ord(c)
    return "$%s*%02X" % (body, check)
def angle(value, degree_digits):
    d = int(abs(value)); m = (abs(value) - d) * 60
    return "%0*d%07.4f" % (degree_digits, d, m)
lat, lon, ele = 35.360600, 138.727400, 812.0
for i in range(120):
    s = 9 * 3600 + 30 * 60 + i * 10
    hms = "%02d%02d%02d.00" % (s // 3600, s // 60 % 60, s % 60)
    moving = not 55 <= i < 65
    if moving:
        lat += 0.000105 * (1 if i < 60 else -0.8)
        lon += 0.000060 + 0.00002 * math.sin(i / 7.0)
        ele += 1.1 if i < 55 else -1.0
    print(sentence("GPGGA,%s,%s,N,%s,E,1,08,0.9,%.1f,M,39.4,M,," % (hms, angle(lat, 2), angle(lon, 3), ele)))
    print(sentence("GPRMC,%s,A,%s,N,%s,E,%.1f,%.1f,170526,,,A" % (hms, angle(lat, 2), angle(lon, 3), 2.3 if moving else 0.0, 45.0)))
PY
gpsbabel -i nmea -f "$work/walk.nmea" -o gpx,gpxver=1.1 -F gpsbabel-walk-11.gpx
gpsbabel -i nmea -f "$work/walk.nmea" -x simplify,count=25 -x transform,rte=trk,del -o gpx,gpxver=1.0 -F gpsbabel-route-10.gpx

# Camera-like JPEGs: EXIF first (no JFIF), IFD0 DateTime, a thumbnail, an orientation.
# The portrait is stored lying on its side (orientation 6); its top edge is red when upright.
convert -size 240x320 xc:'#3070b0' -fill '#e02020' -draw 'rectangle 0,0 239,79' \
  -fill '#20a040' -draw 'rectangle 0,240 239,319' "$work/upright.png"
convert "$work/upright.png" -rotate -90 -quality 90 camera-portrait.jpg
convert camera-portrait.jpg -resize 160x120 "$work/thumb.jpg"
exiftool -q -overwrite_original -n -JFIF:all= -ExifByteOrder=II -Make='Trackalbum Test' -Model='Pipeline 1' \
  -ModifyDate='2026:05:17 09:41:27' -DateTimeOriginal='2026:05:17 09:41:27' -CreateDate='2026:05:17 09:41:27' \
  -Orientation=6 -XResolution=72 -YResolution=72 -ResolutionUnit=2 '-ThumbnailImage<='"$work/thumb.jpg" camera-portrait.jpg

# Motorola byte order, as some makers write it, upright.
convert -size 200x150 gradient:'#f0d000-#004080' -quality 85 camera-motorola.jpg
exiftool -q -overwrite_original -n -JFIF:all= -ExifByteOrder=MM -Make='Trackalbum Test' -Model='Pipeline 2' \
  -ModifyDate='2026:05:17 10:02:03' -DateTimeOriginal='2026:05:17 10:02:03' -Orientation=1 camera-motorola.jpg

# A camera whose clock was never set writes zeros: no time to read.
convert -size 160x120 plasma:fractal -seed 7 -quality 80 unset-clock.jpg 2>/dev/null || convert -size 160x120 xc:gray -quality 80 unset-clock.jpg
exiftool -q -overwrite_original -n -JFIF:all= -Make='Trackalbum Test' -ModifyDate='0000:00:00 00:00:00' unset-clock.jpg
