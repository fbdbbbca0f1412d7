#!/usr/bin/env bash
# Remakes the files of this folder. Needs gpsbabel, ImageMagick and exiftool
# (apt-get install gpsbabel imagemagick libimage-exiftool-perl), and g++ with libheif-dev for
# the HEIF pictures. The outputs are committed;
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

# Phone-like JPEG: no IFD0 DateTime, only DateTimeOriginal and DateTimeDigitized, and a position
# in the southern and western hemispheres.
convert -size 200x150 gradient:'#80c0f0-#206030' -quality 85 phone-gps.jpg
exiftool -q -overwrite_original -n -JFIF:all= -ExifByteOrder=II -Make='Trackalbum Test' -Model='Phone 1' \
  -DateTimeOriginal='2026:05:17 09:38:40' -CreateDate='2026:05:17 09:38:40' -GPSLatitudeRef=S -GPSLatitude=33.4489 \
  -GPSLongitudeRef=W -GPSLongitude=70.6693 -GPSStatus=A phone-gps.jpg

# A camera photo edited after the outing, as editors save it: JFIF, then an XMP APP1 before the
# Exif APP1, and a DateTime that is the time of the edit.
convert -size 160x120 gradient:'#f0a040-#402010' -quality 85 edited-camera.jpg
exiftool -q -overwrite_original -n -ExifByteOrder=MM -Make='Trackalbum Test' -Model='Camera 3' \
  -ModifyDate='2026:06:01 20:15:00' -DateTimeOriginal='2026:05:17 09:44:30' -CreateDate='2026:05:17 09:44:30' \
  -XMP:CreatorTool='Trackalbum Test Editor' edited-camera.jpg
python3 - edited-camera.jpg <<'PY'
import sys
path = sys.argv[1]
data = open(path, 'rb').read()
segments, i = [], 2
while data[i + 1] != 0xDA:
    length = data[i + 2] << 8 | data[i + 3]
    segments.append(data[i:i + 2 + length])
    i += 2 + length
xmp = [s for s in segments if s[1] == 0xE1 and s[4:8] == b'http']
exif = [s for s in segments if s[1] == 0xE1 and s[4:10] == b'Exif\0\0']
rest = [s for s in segments if s not in xmp and s not in exif]
open(path, 'wb').write(data[:2] + rest[0] + xmp[0] + exif[0] + b''.join(rest[1:]) + data[i:])
PY

# HEIF pictures as phones write them, by a small program over libheif: HEVC, the turn recorded
# in the file (irot), an embedded thumbnail, and an Exif item copied from a JPEG header written
# by exiftool. Shown upright, each picture has a red top quarter and a green bottom quarter.
cat >"$work/make_heif.cpp" <<'CPP'
#include <libheif/heif.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
// make_heif OUT WIDTH HEIGHT ORIENTATION THUMBNAIL_BOX [EXIF_FILE]; ORIENTATION 1 or 6; AV1
// for an OUT ending in .avif, else HEVC.
static void Check(heif_error error) {
    if (error.code != heif_error_Ok) { std::fprintf(stderr, "%s\n", error.message); std::exit(1); }
}
int main(int argc, char** argv) {
    if (argc < 6) return 2;
    const int width = std::atoi(argv[2]), height = std::atoi(argv[3]), orientation = std::atoi(argv[4]);
    heif_image* image = nullptr;
    Check(heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image));
    Check(heif_image_add_plane(image, heif_channel_interleaved, width, height, 8));
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int row = orientation == 6 ? x : y, shown = orientation == 6 ? width : height;
            const bool top = row < shown / 4, bottom = row >= shown * 3 / 4;
            uint8_t* p = plane + y * stride + 3 * x;
            p[0] = top ? 224 : 32, p[1] = bottom ? 160 : 48, p[2] = top || bottom ? 32 : 176;
        }
    }
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    const std::string out = argv[1];
    const bool av1 = out.size() > 5 && out.substr(out.size() - 5) == ".avif";
    Check(heif_context_get_encoder_for_format(context, av1 ? heif_compression_AV1 : heif_compression_HEVC, &encoder));
    heif_encoder_set_lossy_quality(encoder, 60);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = static_cast<heif_orientation>(orientation);
    heif_image_handle* handle = nullptr;
    Check(heif_context_encode_image(context, image, encoder, options, &handle));
    if (std::atoi(argv[5]) > 0) Check(heif_context_encode_thumbnail(context, image, handle, encoder, options, std::atoi(argv[5]), nullptr));
    if (argc > 6) {
        std::ifstream in(argv[6], std::ios::binary);
        std::vector<char> exif((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Check(heif_context_add_exif_metadata(context, handle, exif.data(), static_cast<int>(exif.size())));
    }
    Check(heif_context_write_to_file(context, argv[1]));
    return 0;
}
CPP
g++ -O1 -std=c++17 "$work/make_heif.cpp" -o "$work/make_heif" -lheif
exif_block() {  # JPEG header written by exiftool -> "Exif\0\0" and the TIFF structure
  python3 - "$1" "$2" <<'PY'
import sys
data, i = open(sys.argv[1], 'rb').read(), 2
while True:
    length = data[i + 2] << 8 | data[i + 3]
    if data[i + 1] == 0xE1 and data[i + 4:i + 10] == b'Exif\0\0':
        open(sys.argv[2], 'wb').write(data[i + 4:i + 2 + length])
        break
    i += 2 + length
PY
}
# Stored on its side, turned by the file; its Exif orientation 6 says the same turn again.
convert -size 8x8 xc:gray "$work/exif-turned.jpg"
exiftool -q -overwrite_original -n -Orientation=6 -Make='Trackalbum Test' -Model='Phone 2' \
  -ModifyDate='2026:05:17 09:37:10' -DateTimeOriginal='2026:05:17 09:37:10' -CreateDate='2026:05:17 09:37:10' \
  -GPSLatitudeRef=N -GPSLatitude=35.3652 -GPSLongitudeRef=E -GPSLongitude=138.7311 -GPSStatus=A "$work/exif-turned.jpg"
exif_block "$work/exif-turned.jpg" "$work/turned.exif"
"$work/make_heif" phone-turned.heic 320 240 6 160 "$work/turned.exif"
# A HEIF named .JPG, stored upright and without a thumbnail, whose Exif orientation 6 (copied
# from a camera JPEG, as converters do) must not turn it; only DateTimeOriginal.
convert -size 8x8 xc:gray "$work/exif-named.jpg"
exiftool -q -overwrite_original -n -ExifByteOrder=MM -Orientation=6 -DateTimeOriginal='2026:05:17 09:41:05' "$work/exif-named.jpg"
exif_block "$work/exif-named.jpg" "$work/named.exif"
"$work/make_heif" heif-named.JPG 200 120 1 0 "$work/named.exif"

# A picture made of a grid of two tiles (as phones store large pictures), built box by box
# around the coded picture of heif-named.JPG; and the same grid declaring 20000 x 20000 pixels
# in its own data while its ispe property says 400 x 120.
python3 - <<'PY'
import struct
u16 = lambda v: struct.pack('>H', v)
u32 = lambda v: struct.pack('>I', v)
def box(kind, payload): return u32(8 + len(payload)) + kind + payload
def full(kind, version, flags, payload): return box(kind, bytes([version]) + flags.to_bytes(3, 'big') + payload)
def find_box(data, kind, start=0):
    at = data.index(kind, start) - 4
    return at, data[at:at + struct.unpack('>I', data[at:at + 4])[0]]
# The coded picture and its decoder configuration from a single-picture file.
source = open('heif-named.JPG', 'rb').read()
_, hvcC = find_box(source, b'hvcC')
at, iloc = find_box(source, b'iloc')
version, sizes = iloc[8], iloc[12:14]
assert sizes == b'\x44\x00' or sizes == b'\x44\x40', sizes
p = 14
count = struct.unpack('>H' if version < 2 else '>I', iloc[p:p + (2 if version < 2 else 4)])[0]
p += 2 if version < 2 else 4
coded = None
for _ in range(count):
    item = struct.unpack('>H', iloc[p:p + 2])[0]; p += 2
    if version >= 1: p += 2
    base = struct.unpack('>I', iloc[p + 2:p + 6])[0] if sizes[1] >> 4 else 0
    p += 2 + (4 if sizes[1] >> 4 else 0)
    extents = struct.unpack('>H', iloc[p:p + 2])[0]; p += 2
    for _ in range(extents):
        offset, length = struct.unpack('>II', iloc[p:p + 8]); p += 8
        if item == 1: coded = source[base + offset:base + offset + length]
assert coded
def grid_file(width, height):
    grid = bytes([0, 0, 0, 1]) + u16(width) + u16(height)  # one row of two tiles
    def meta(data_at):
        infe = lambda item, kind, flags: full(b'infe', 2, flags, u16(item) + u16(0) + kind + b'\0')
        location = lambda item, method, offset, length: u16(item) + u16(method) + u16(0) + u16(1) + u32(offset) + u32(length)
        ispe = lambda w, h: full(b'ispe', 0, 0, u32(w) + u32(h))
        return full(b'meta', 0, 0,
            full(b'hdlr', 0, 0, b'\0' * 4 + b'pict' + b'\0' * 13) + full(b'pitm', 0, 0, u16(3)) +
            full(b'iloc', 1, 0, b'\x44\x00' + u16(3) + location(1, 0, data_at, len(coded)) +
                 location(2, 0, data_at, len(coded)) + location(3, 1, 0, len(grid))) +
            full(b'iinf', 0, 0, u16(3) + infe(1, b'hvc1', 1) + infe(2, b'hvc1', 1) + infe(3, b'grid', 0)) +
            full(b'iref', 0, 0, box(b'dimg', u16(3) + u16(2) + u16(1) + u16(2))) +
            box(b'iprp', box(b'ipco', hvcC + ispe(200, 120) + ispe(400, 120)) +
                full(b'ipma', 0, 0, u32(3) + u16(1) + b'\x02\x81\x02' + u16(2) + b'\x02\x81\x02' + u16(3) + b'\x01\x03')) +
            box(b'idat', grid))
    ftyp = box(b'ftyp', b'heic\0\0\0\0mif1heic')
    head = ftyp + meta(0)
    return ftyp + meta(len(head) + 8) + box(b'mdat', coded)
open('heif-grid.heic', 'wb').write(grid_file(400, 120))
open('heif-grid-huge.heic', 'wb').write(grid_file(20000, 20000))
PY

# Broken and hostile variants of phone-turned.heic, pictures coded at 1600 x 1600 whose ispe
# property says 200 x 120, and two "ftyp" files that hold no picture.
"$work/make_heif" "$work/large.heic" 1600 1600 1 0
# The same in AV1 (AVIF): a plain picture, and one coded larger than its ispe says.
"$work/make_heif" phone.avif 200 120 1 0
"$work/make_heif" "$work/large.avif" 1600 1600 1 0
python3 - "$work/large.heic" "$work/large.avif" <<'PY'
import struct, sys
good = open('phone-turned.heic', 'rb').read()
# Cut inside the coded picture data (the mdat box at the end).
mdat = good.rindex(b'mdat') - 4
open('heif-truncated.heic', 'wb').write(good[:mdat + (len(good) - mdat) // 2])
# The Exif item's extent moved past the end of the file.
exif = good.index(b'\0\0\0\x06Exif\0\0')
at = good.index(struct.pack('>I', exif), good.index(b'iloc'))
open('heif-exif-outside.heic', 'wb').write(good[:at] + struct.pack('>I', len(good) + 4096) + good[at + 4:])
# The picture declares 20000 x 20000 pixels (its ispe property) in a file of 2 KB.
ispe = good.index(b'ispe')  # the primary picture's, listed before the thumbnail's
open('heif-huge.heic', 'wb').write(good[:ispe + 8] + struct.pack('>II', 20000, 20000) + good[ispe + 16:])
for source, target in ((sys.argv[1], 'heif-coded-larger.heic'), (sys.argv[2], 'avif-coded-larger.avif')):
    large = open(source, 'rb').read()
    ispe = large.index(b'ispe')
    open(target, 'wb').write(large[:ispe + 8] + struct.pack('>II', 200, 120) + large[ispe + 16:])
def box(kind, payload):
    return struct.pack('>I', 8 + len(payload)) + kind + payload
moov = box(b'moov', box(b'mvhd', bytes(100)))
# An MP4 video, and an image sequence without a still picture (brands msf1, hevc).
open('video.mp4', 'wb').write(box(b'ftyp', b'mp42\0\0\0\0isommp42') + moov + box(b'mdat', bytes(64)))
open('sequence.heic', 'wb').write(box(b'ftyp', b'msf1\0\0\0\0msf1hevciso8') + moov + box(b'mdat', bytes(64)))
PY
