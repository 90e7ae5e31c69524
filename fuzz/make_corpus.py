#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/.

Small, valid and slightly odd files of every kind the targets read, so that
the fuzzer starts from the parsers' interesting paths instead of from nothing.
Run it again after changing it; the files it writes are kept in the repository.
"""
import base64
import gzip
import io
import pathlib
import struct
import zipfile
import zlib

HERE = pathlib.Path(__file__).resolve().parent / "corpus"


def write(target, name, data):
    folder = HERE / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


# --- metadata files ---------------------------------------------------------

def profiles():
    grid = "".join(f"{c}{r}={(c + r) % 4 + 1}\n" for r in range(6) for c in range(7))
    write("fuzz_profile", "default.dat", f"[TILEDATA]\nSETNAME=Stone Floors\nCREATOR=Someone\n{grid}".encode())
    write("fuzz_profile", "crlf_quoted.dat",
          b'[tiledata]\r\n  SetName = "Crypt Halls" \r\ncreator=\'Q\'\r\n00 = 2 \r\n10=X\r\n; note\r\n')
    write("fuzz_profile", "duplicates.dat",
          b"[TILEDATA]\n00=1\n00=2\n[Other]\n01=5\n[TileData]\n01=3\nSETNAME=second\n")
    write("fuzz_profile", "utf16.dat", "\ufeff[TILEDATA]\r\nSETNAME=Gr\u00fcfte\r\n11=4\r\n".encode("utf-16-le"))
    write("fuzz_profile", "utf8_bom.dat", "\ufeff[TILEDATA]\nCREATOR=Ma\u00eft\u00e9 \u00c9\nsetname=\u00e9\n".encode())
    write("fuzz_profile", "latin1.dat", "[TILEDATA]\nCREATOR=Jos\u00e9\n20=3\n".encode("latin-1"))
    write("fuzz_profile", "long_value.dat", b"[TILEDATA]\nSETNAME=" + b"N" * 300 + b"\n[unclosed\n=no key\n00\n")


# --- bitmaps ---------------------------------------------------------------

def dib(width, height, bits=24, compression=0, palette=b"", pixels=None, colours=0):
    stride = (width * bits + 31) // 32 * 4
    if pixels is None:
        row = bytes((x * 37 + 11) & 0xFF for x in range(width * bits // 8 or 1))
        pixels = (row.ljust(stride, b"\0")[:stride]) * height
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels), 2835, 2835,
                         colours, 0)
    return header + palette + pixels


def bmp_file(info, pixel_offset):
    return b"BM" + struct.pack("<IHHI", 14 + len(info), 0, 0, pixel_offset) + info


def bitmaps():
    write("fuzz_tileset", "rgb24.bmp", bmp_file(dib(5, 3), 54))
    grey = b"".join(struct.pack("<BBBB", i * 17, i * 17, i * 17, 0) for i in range(16))
    write("fuzz_tileset", "pal4.bmp", bmp_file(dib(6, 2, bits=4, palette=grey, colours=16), 54 + len(grey)))
    pal8 = b"".join(struct.pack("<BBBB", i, 255 - i, i // 2, 0) for i in range(4))
    rle = bytes([3, 1, 2, 2, 0, 0, 4, 3, 0, 1])  # runs, end of line, end of bitmap
    write("fuzz_tileset", "rle8.bmp", bmp_file(dib(5, 2, bits=8, compression=1, palette=pal8, pixels=rle,
                                                   colours=4), 54 + len(pal8)))
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    write("fuzz_tileset", "bitfields16.bmp",
          bmp_file(dib(3, 2, bits=16, compression=3, palette=masks), 54 + len(masks)))
    core = struct.pack("<IHHHH", 12, 2, 2, 1, 24) + bytes(range(12)) + b"\0\0" * 2
    write("fuzz_tileset", "core.bmp", bmp_file(core, 26))
    # Pixels said to start at the file's first byte: cutting out a corner once wrote the header past its end.
    write("fuzz_tileset", "offset_in_header.bmp",
          bmp_file(dib(17, 1, bits=1, palette=b"\0" * 8, pixels=b"\xff" * 4, colours=2), 0))
    # The last row without its padding, as some writers leave it; Qt would leave that row uninitialised.
    write("fuzz_tileset", "unpadded_last_row.bmp", bmp_file(dib(3, 2), 54)[:-3])
    # Two million pixels wide and one high, nearly none of them stored.
    write("fuzz_tileset", "wide_short.bmp", bmp_file(dib(2_000_000, 1, pixels=b"\x11" * 16), 54))


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, colour_type, rows, extra=b"", depth=8, interlace=0):
    channels = {2: 3, 3: 1, 6: 4, 0: 1, 4: 2}[colour_type]
    row_bytes = (width * channels * depth + 7) // 8
    raw = b"".join(b"\0" + row[:row_bytes] for row in rows)
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, interlace)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + extra + png_chunk(b"IDAT", zlib.compress(raw))
            + png_chunk(b"IEND", b""))


def pngs():
    write("fuzz_tileset", "rgb.png", png(4, 3, 2, [bytes(range(y * 12, y * 12 + 12)) for y in range(3)]))
    write("fuzz_tileset", "alpha.png", png(2, 2, 6, [b"\xff\0\0\x80\0\xff\0\xff", b"\0\0\xff\0\xff\xff\xff\x40"]))
    plte = png_chunk(b"PLTE", b"\0\0\0\xff\xff\xff\x80\x20\x10")
    trns = png_chunk(b"tRNS", b"\xff\x00")
    write("fuzz_tileset", "palette.png", png(3, 2, 3, [b"\0\1\2", b"\2\1\0"], plte + trns))
    # Sixteen bits a channel decode to eight bytes a pixel; grey with alpha; one bit a pixel.
    write("fuzz_tileset", "deep.png", png(3, 2, 6, [bytes(range(24)), bytes(range(24, 48))], depth=16))
    write("fuzz_tileset", "grey_alpha.png", png(2, 2, 4, [b"\x10\xff\x80\x40", b"\xf0\0\x20\x80"]))
    # An interlaced picture is filtered pass by pass: one byte a row of each pass, all filter 0.
    write("fuzz_tileset", "interlaced.png",
          b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 2, 1, 0, 0, 0, 1))
          + png_chunk(b"IDAT", zlib.compress(b"\0\x80\0\x80\0\xc0")) + png_chunk(b"IEND", b""))
    # 2^32 - 1 pixels each way: too large, though no int holds the size.
    write("fuzz_tileset", "largest.png", b"\x89PNG\r\n\x1a\n"
          + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 2**32 - 1, 2**32 - 1, 8, 2, 0, 0, 0)) + png_chunk(b"IEND", b""))
    # A frame in a multiple-image network graphic: its own header, then the chunks of a picture.
    mhdr = png_chunk(b"MHDR", struct.pack(">7I", 4, 3, 1, 1, 1, 1, 1))
    picture = png(4, 3, 2, [bytes(range(y * 12, y * 12 + 12)) for y in range(3)])[8:]
    write("fuzz_tileset", "frame.mng", b"\x8aMNG\r\n\x1a\n" + mhdr + picture + png_chunk(b"MEND", b""))
    # Found by fuzzing: a frame holding a picture 0x9C000000 pixels wide and none high.
    write("fuzz_tileset", "flat_frame.mng", base64.b64decode(
        "ik1ORw0KGgoAAAAcTUhEUgAAAAQAAAADAAAAAQAAAAEAAAABAAAAAQAAAAEvtxffAAAADUlIRFKcAAAAAAAAAAgCAAAAO5Y5kQAAAC9JREFUeJxj"
        "YGBkYmZhZWPn4OTiZuDh5eMXEBQSFhEVE2eQkJSSlpGVk1dQVFIGAB/XAnfNHa2tAAAAAElFTkSuQmCCAAAAAE1FTkQhIPfV"))


# --- the other formats of Qt's image plugins ---------------------------------

def netpbm():
    write("fuzz_tileset", "text.ppm", b"P3\n# two by two\n2 2\n255\n255 0 0  0 255 0\n0 0 255  255 255 255\n")
    write("fuzz_tileset", "raw.ppm", b"P6\n3 1\n65535\n" + bytes(range(18)))
    write("fuzz_tileset", "raw.pgm", b"P5 4 2 15\n" + bytes([0, 5, 10, 15, 15, 10, 5, 0]))
    write("fuzz_tileset", "text.pbm", b"P1\n5 2\n1 0 1 0 1\n0 1 0 1 0\n")
    write("fuzz_tileset", "raw.pbm", b"P4\n9 2\n" + bytes([0xAA, 0x80, 0x55, 0x00]))


def x11():
    write("fuzz_tileset", "mark.xbm", b"#define mark_width 9\n#define mark_height 2\n"
          b"static unsigned char mark_bits[] = {\n 0xff, 0x01, 0x55, 0x00 };\n")
    write("fuzz_tileset", "mark.xpm", b'/* XPM */\nstatic char *mark[] = {\n"3 2 3 1",\n"  c None",\n'
          b'". c #ff0000",\n"# c blue",\n" .#",\n"#. "\n};\n')


def tga():
    # Uncompressed true colour, the one kind Qt reads, known by its footer. An identification
    # field keeps the header from starting as an icon directory does.
    header = struct.pack("<BBBHHBHHHHBB", 4, 0, 2, 0, 0, 0, 0, 0, 2, 2, 24, 0) + b"tile"
    write("fuzz_tileset", "plain.tga", header + bytes(range(12)) + b"\0" * 8 + b"TRUEVISION-XFILE.\0")


def wbmp():
    write("fuzz_tileset", "mark.wbmp", b"\0\0\x0a\x02" + b"\xaa\x80\x55\x40")


def ico():
    # One bitmap picture (its mask after it) and one PNG picture, in an icon and a cursor.
    bitmap = dib(2, 4, bits=32)  # twice the picture's height: the mask rows follow its own
    picture = png(2, 2, 6, [b"\xff\0\0\x80\0\xff\0\xff", b"\0\0\xff\0\xff\xff\xff\x40"])
    def directory(kind, images):
        out, offset = struct.pack("<HHH", 0, kind, len(images)), 6 + 16 * len(images)
        for width, height, data in images:
            out += struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(data), offset)
            offset += len(data)
        return out + b"".join(data for _, _, data in images)
    write("fuzz_tileset", "two.ico", directory(1, [(2, 2, bitmap), (2, 2, picture)]))
    write("fuzz_tileset", "arrow.cur", directory(2, [(2, 2, bitmap)]))


def icns():
    # A PNG element, and an old-style run-length coded 16 x 16 one with its mask.
    picture = png(4, 3, 2, [bytes(range(y * 12, y * 12 + 12)) for y in range(3)])
    channel = b"\xfd\x11\xfc\x22\x00\x33"  # runs of 128 and 127 pixels, then one literal: 256
    elements = [(b"ic07", picture), (b"is32", channel * 3), (b"s8mk", b"\xff" * 256)]
    body = b"".join(kind + struct.pack(">I", 8 + len(data)) + data for kind, data in elements)
    write("fuzz_tileset", "two.icns", b"icns" + struct.pack(">I", 8 + len(body)) + body)


def tiffs():
    # Little-endian, uncompressed RGB in one strip; big-endian, PackBits-coded grey.
    def tiff(order, width, height, samples, bits, compression, photometric, data):
        entries = [(256, 3, 1, width), (257, 3, 1, height), (258, 3, 1, bits), (259, 3, 1, compression),
                   (262, 3, 1, photometric), (273, 4, 1, 8), (277, 3, 1, samples), (278, 3, 1, height),
                   (279, 4, 1, len(data))]
        ifd_at = 8 + len(data) + len(data) % 2
        ifd = struct.pack(order + "H", len(entries))
        for tag, kind, count, value in entries:
            kind = 4 if value > 0xFFFF else kind  # a long where a short cannot hold it
            packed = struct.pack(order + "H", value) + b"\0\0" if kind == 3 else struct.pack(order + "I", value)
            ifd += struct.pack(order + "HHI", tag, kind, count) + packed
        magic = b"II*\0" if order == "<" else b"MM\0*"
        return magic + struct.pack(order + "I", ifd_at) + data + b"\0" * (len(data) % 2) + ifd + b"\0\0\0\0"
    write("fuzz_tileset", "rgb.tif", tiff("<", 3, 2, 3, 8, 1, 2, bytes(range(18))))
    write("fuzz_tileset", "packbits.tif", tiff(">", 4, 2, 1, 8, 32773, 1, b"\xfd\x40" + b"\x03\x01\x02\x03\x04"))
    # Wider and higher than Qt's reader can say; the directory still tells.
    write("fuzz_tileset", "largest.tif", tiff("<", 2**32 - 1, 2**32 - 1, 1, 8, 1, 1, bytes(4)))


def svgs():
    drawing = (b'<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30" viewBox="0 0 40 30">'
               b'<rect x="2" y="2" width="20" height="10" fill="#c02020"/>'
               b'<circle cx="28" cy="18" r="8" fill="none" stroke="blue" stroke-width="2"/>'
               b'<path d="M2 28 L20 16 Q30 28 38 4 Z" fill="green" opacity="0.5"/>'
               b'<text x="4" y="26" font-size="8">Crypt</text></svg>\n')
    write("fuzz_tileset", "shapes.svg", drawing)
    write("fuzz_tileset", "gradient.svg",
          b'<?xml version="1.0"?>\n<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">'
          b'<defs><linearGradient id="g"><stop offset="0" stop-color="red"/><stop offset="1" stop-color="#00f"/>'
          b'</linearGradient></defs><rect width="16" height="16" fill="url(#g)"/>'
          b'<use href="#g"/><g transform="rotate(30 8 8)"><ellipse cx="8" cy="8" rx="6" ry="3"/></g></svg>\n')
    write("fuzz_tileset", "shapes.svgz", gzip.compress(drawing, mtime=0))


# Written by Qt's encoder: a 4 x 3 colour picture, lossless and at quality 50.
WEBP_LOSSLESS = bytes.fromhex(
    "524946463e000000574542505650384c310000002f038000005f40906d33ac03d5dfe20ec3231048f2271b619cf9ef41"
    "0ab0bb000401244a29a430dc0a2b8c1ad1ffa02e0700")
WEBP_LOSSY = bytes.fromhex(
    "524946464a00000057454250565038203e0000007002009d012a0400030002c04c25b002744c807a00648002cdacbc2c"
    "00fdb71c6b93fe17921396f6b64dd25a147ec9dd9718f4465cc6137a3cf201208000")


def webps():
    write("fuzz_tileset", "lossless.webp", WEBP_LOSSLESS)
    write("fuzz_tileset", "lossy.webp", WEBP_LOSSY)


def lzw_uncompressed(pixels, min_code_size=2):
    # A clear code before every index keeps the code width fixed: valid, if wasteful.
    clear, end, width = 1 << min_code_size, (1 << min_code_size) + 1, min_code_size + 1
    codes = [c for p in pixels for c in (clear, p)] + [end]
    value = bit_count = 0
    out = bytearray()
    for code in codes:
        value |= code << bit_count
        bit_count += width
        while bit_count >= 8:
            out.append(value & 0xFF)
            value >>= 8
            bit_count -= 8
    if bit_count:
        out.append(value & 0xFF)
    blocks = b"".join(bytes([len(out[i:i + 255])]) + out[i:i + 255] for i in range(0, len(out), 255))
    return bytes([min_code_size]) + blocks + b"\0"


def gifs():
    table = b"\0\0\0\xff\xff\xff\xc0\x20\x20\x20\x20\xc0"
    screen = b"GIF89a" + struct.pack("<HHBBB", 3, 2, 0x81, 0, 0) + table
    image = b"\x2c" + struct.pack("<HHHHB", 0, 0, 3, 2, 0) + lzw_uncompressed([0, 1, 2, 3, 2, 1])
    write("fuzz_tileset", "plain.gif", screen + image + b"\x3b")
    control = b"\x21\xf9\x04\x01\x00\x00\x02\x00"  # index 2 transparent
    comment = b"\x21\xfe\x05hello\x00"
    interlaced = b"\x2c" + struct.pack("<HHHHB", 0, 0, 3, 2, 0x40) + lzw_uncompressed([3, 3, 1, 0, 0, 2])
    write("fuzz_tileset", "transparent_two_frames.gif", screen + comment + control + image + interlaced + b"\x3b")
    # Qt gives the frame's 3 x 2 pixels as the size, and decodes onto the whole 8000 x 8000 screen.
    large = b"GIF89a" + struct.pack("<HHBBB", 8000, 8000, 0x81, 0, 0) + table
    write("fuzz_tileset", "large_screen.gif", large + image + b"\x3b")


JPEG_COLOUR = bytes.fromhex(
    "ffd8ffe000104a46494600010101006400640000ffdb004300100b0c0e0c0a100e0d0e1211101318281a181616183123"
    "251d283a333d3c3933383740485c4e404457453738506d51575f626768673e4d71797064785c656763ffdb0043011112"
    "121815182f1a1a2f63423842636363636363636363636363636363636363636363636363636363636363636363636363"
    "6363636363636363636363636363ffc00011080008001003012200021101031101ffc4001f0000010501010101010100"
    "000000000000000102030405060708090a0bffc400b5100002010303020403050504040000017d010203000411051221"
    "31410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a25262728292a3435363738393a"
    "434445464748494a535455565758595a636465666768696a737475767778797a838485868788898a9293949596979899"
    "9aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1"
    "f2f3f4f5f6f7f8f9faffc4001f0100030101010101010101010000000000000102030405060708090a0bffc400b51100"
    "020102040403040705040400010277000102031104052131061241510761711322328108144291a1b1c109233352f015"
    "6272d10a162434e125f11718191a262728292a35363738393a434445464748494a535455565758595a63646566676869"
    "6a737475767778797a82838485868788898a92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4"
    "c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5e6e7e8e9eaf2f3f4f5f6f7f8f9faffda000c03010002110311003f00a1"
    "6fa174f92b4edf42e9f2514567571353b9cf97e2eae9a9ffd9")

JPEG_GREY_PROGRESSIVE = bytes.fromhex(
    "ffd8ffe000104a46494600010101006400640000ffdb004300100b0c0e0c0a100e0d0e1211101318281a181616183123"
    "251d283a333d3c3933383740485c4e404457453738506d51575f626768673e4d71797064785c656763ffc2000b080008"
    "001001011100ffc4001500010100000000000000000000000000000304ffda00080101000000012a7fffc40018100002"
    "03000000000000000000000000000001020304ffda000801010001050259c8d2cfffc400141001000000000000000000"
    "00000000000010ffda0008010100063f023fffc400161001010100000000000000000000000000010041ffda00080101"
    "00013f21532165ffda0008010100000010bfffc40017100003010000000000000000000000000000012111ffda000801"
    "0100013f106d18c9a3ffd9")


def jpegs():
    # Written by Qt's encoder at quality 50: a 16 x 8 colour gradient, and the
    # same in grey as a progressive JPEG.
    write("fuzz_tileset", "colour.jpg", JPEG_COLOUR)
    # The same with a first scan of one component only, which its decoder takes in whole before any row.
    scan = JPEG_COLOUR.index(b"\xff\xda")
    write("fuzz_tileset", "one_component_scan.jpg",
          JPEG_COLOUR[:scan + 2] + b"\0\x08\x01" + JPEG_COLOUR[scan + 5:scan + 7] + JPEG_COLOUR[scan + 11:])
    write("fuzz_tileset", "grey_progressive.jpg", JPEG_GREY_PROGRESSIVE)
    # One pixel wider than libjpeg reads, which Qt reports as no size at all.
    frame = JPEG_COLOUR.index(b"\xff\xc0")
    write("fuzz_tileset", "beyond_libjpeg.jpg",
          JPEG_COLOUR[:frame + 7] + struct.pack(">H", 65501) + JPEG_COLOUR[frame + 9:])


# --- metafiles -------------------------------------------------------------

def words(*values):
    return struct.pack("<%dH" % len(values), *[v & 0xFFFF for v in values])


def record(function, params=b""):
    if len(params) % 2:
        params += b"\0"
    return struct.pack("<IH", 3 + len(params) // 2, function) + params


def colour(r, g, b):
    return words(r | g << 8, b)


def metafile(records, objects, box=None, units_per_inch=96):
    body = b"".join(records) + record(0)
    largest = max(struct.unpack_from("<I", r)[0] for r in records + [record(0)])
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, 9 + len(body) // 2, objects, largest, 0)
    if box is None:
        return header + body
    left, top, right, bottom = box
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, left, top, right, bottom, units_per_inch, 0)
    checksum = 0
    for (w,) in struct.iter_unpack("<H", placeable):
        checksum ^= w
    return placeable + struct.pack("<H", checksum) + header + body


def text_record(x, y, text):
    return record(0x0521, words(len(text)) + text.ljust(len(text) + len(text) % 2, b"\0") + words(y, x))


def font(height, face, weight=400, italic=0, escapement=0):
    return record(0x02FB, words(height, 0, escapement, escapement, weight) + bytes([italic, 0, 0, 0, 0, 0, 0, 0])
                  + face.ljust(32, b"\0"))


def metafiles():
    pen = record(0x02FA, words(0, 2, 0) + colour(10, 20, 200))
    brush = record(0x02FC, words(0) + colour(200, 40, 10) + words(0))
    hatched = record(0x02FC, words(2) + colour(0, 120, 0) + words(3))
    select = lambda slot: record(0x012D, words(slot))
    delete = lambda slot: record(0x01F0, words(slot))
    window = [record(0x020B, words(0, 0)), record(0x020C, words(60, 80))]
    shapes = [
        record(0x041B, words(50, 70, 5, 5)),                      # rectangle
        record(0x0418, words(40, 60, 10, 20)),                    # ellipse
        record(0x061C, words(8, 8, 55, 75, 30, 30)),              # rounded rectangle
        record(0x0817, words(10, 70, 50, 10, 55, 75, 5, 5)),      # arc
        record(0x081A, words(0, 40, 30, 80, 60, 80, 0, 0)),       # pie
        record(0x0830, words(60, 0, 0, 80, 60, 80, 0, 0)),        # chord
    ]
    lines = [
        record(0x0214, words(5, 5)), record(0x0213, words(55, 75)),
        record(0x0324, words(4, 10, 10, 70, 10, 40, 50, 10, 10)),              # polygon
        record(0x0325, words(3, 0, 59, 40, 0, 79, 59)),                        # polyline
        record(0x0538, words(2, 3, 3, 0, 0, 20, 0, 0, 20, 30, 30, 50, 30, 30, 50)),  # two polygons
        record(0x041F, colour(0, 0, 0) + words(30, 40)),          # one pixel
    ]
    write("fuzz_tileset", "shapes_placeable.wmf",
          metafile(window + [pen, select(0), brush, select(1)] + shapes + [delete(1), hatched, select(1)] + lines,
                   2, box=(0, 0, 80, 60)))
    write("fuzz_tileset", "shapes_plain.wmf",
          metafile([record(0x0103, words(1)), pen, select(0), brush, select(1)] + shapes[:3] + lines[2:4], 2))
    write("fuzz_tileset", "text.wmf", metafile(window + [
        record(0x0209, colour(0, 0, 0)), record(0x0201, colour(255, 255, 0)), record(0x0102, words(2)),
        record(0x012E, words(24)), font(-14, b"Arial", 700), select(0), text_record(4, 20, b"Crypt"),
        font(12, b"Times New Roman", 400, italic=1, escapement=450), select(1),
        record(0x0A32, words(40, 4, 5, 4) + words(0, 0, 80, 60) + b"Halls\0" + words(7, 7, 7, 7, 7)),
    ], 2, box=(0, 0, 800, 600), units_per_inch=1440))
    bitmap = dib(4, 4)
    write("fuzz_tileset", "bitmap.wmf", metafile(window + [
        record(0x0B41, words(0x0020, 0x00CC, 4, 4, 0, 0, 60, 80, 0, 0) + bitmap),           # stretched bitmap
        record(0x0F43, words(0x0020, 0x00CC, 0, 4, 4, 0, 0, 20, 20, 10, 10) + bitmap),     # stretched DIB
        record(0x0940, words(0x0020, 0x00CC, 0, 0, 4, 4, 30, 30) + bitmap),                # copied bitmap
        record(0x061D, words(0x0021, 0x00F0, 10, 10, 45, 65)),                              # pattern fill
    ], 0, box=(0, 0, 80, 60)))
    pattern = dib(8, 8, bits=1, palette=b"\0\0\0\0\xff\xff\xff\0")
    palette = record(0x00F7, words(0x300, 2) + b"\x10\x20\x30\0\xf0\xe0\xd0\0")
    write("fuzz_tileset", "objects.wmf", metafile(window + [
        record(0x0142, words(5, 0) + pattern), select(0), palette, record(0x0234, words(1)), record(0x0035),
        record(0x001E), record(0x0416, words(50, 70, 10, 10)), shapes[0], record(0x0127, words(-1)),
        record(0x0104, words(7)), record(0x0106, words(2)), record(0x0107, words(3)),
        record(0x0626, words(15, 4) + b"abcd"), delete(0), delete(1),
    ], 2, box=(0, 0, 80, 60)))
    # libwmf refuses flood fills on its drawing surface: a seed for the refusal path.
    write("fuzz_tileset", "flood_fill.wmf", metafile(window + [shapes[0],
        record(0x0419, colour(0, 0, 0) + words(30, 40)), record(0x0548, words(1) + colour(0, 0, 0) + words(30, 40)),
    ], 0, box=(0, 0, 80, 60)))
    write("fuzz_tileset", "rle_pattern.wmf", metafile(window + [
        record(0x0B41, words(0x0020, 0x00CC, 2, 5, 0, 0, 60, 80, 0, 0)
               + dib(5, 2, bits=8, compression=1, palette=b"\0\0\xff\0\xff\0\0\0", colours=2,
                     pixels=bytes([5, 1, 0, 0, 5, 0, 0, 1]))),
    ], 0, box=(0, 0, 80, 60)))


# --- maptile documents ---------------------------------------------------------

def ora(entries):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        for name, data in entries:
            stored = name == "mimetype" or name.endswith(".png")
            # A fixed time keeps the files the same from one run to the next.
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            archive.writestr(info, data, zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED)
    return buffer.getvalue()


def stack(width, height, layers):
    listed = "".join(f'<layer name="{name}" src="{src}" x="0" y="0"/>' for name, src in layers)
    return f'<image version="0.0.5" w="{width}" h="{height}" xres="96" yres="96"><stack>{listed}</stack></image>'


# An empty stored block: it unpacks to nothing, yet a reader must go through it.
EMPTY_BLOCK = b"\0\0\0\xff\xff"


def deflated_after(padding_blocks, data):
    """Raw deflate data that unpacks to data only after padding_blocks empty blocks."""
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    return EMPTY_BLOCK * padding_blocks + packer.compress(data) + packer.flush()


def zip_raw(entries, claimed=None, zip64_claim=None, comment=b""):
    """A zip archive of (name, data, padding_blocks) entries, deflated after that many
    empty blocks, or stored when padding_blocks is None. Its end record claims claimed
    entries (all of them unless given), a zip64 record before it zip64_claim when given,
    and comment follows it."""
    out, central = b"", b""
    for name, data, padding in entries:
        method, packed = (0, data) if padding is None else (8, deflated_after(padding, data))
        encoded = name.encode()
        fields = struct.pack("<HHHHHIII", 20, 0, method, 0, 0x21, zlib.crc32(data), len(packed), len(data))
        central += (b"PK\1\2" + struct.pack("<H", 20) + fields
                    + struct.pack("<HHHHHII", len(encoded), 0, 0, 0, 0, 0, len(out)) + encoded)
        out += b"PK\3\4" + fields + struct.pack("<HH", len(encoded), 0) + encoded + packed
    count = len(entries) if claimed is None else claimed
    body = out + central
    if zip64_claim is not None:
        record = len(body)
        body += b"PK\6\6" + struct.pack("<QHHIIQQQQ", 44, 45, 45, 0, 0, zip64_claim, zip64_claim, len(central), len(out))
        body += b"PK\6\7" + struct.pack("<IQI", 0, record, 1)
    return body + b"PK\5\6" + struct.pack("<HHHHIIH", 0, 0, count, count, len(central), len(out), len(comment)) + comment


def documents():
    # One space: the smallest maptile, so each input is quick to read and write again.
    grey = png(144, 144, 2, [bytes((x * 7 + y) & 0xFF for x in range(432)) for y in range(144)])
    clear = png(144, 144, 6, [bytes(576)] * 144)
    layers = [("Credit", "data/credit.png"), ("Maptile number", "data/maptile-number.png"),
              ("Speed values", "data/speed-values.png"), ("Subtiles", "data/subtiles.png")]
    font = 'family="Liberation Sans" points="{}" bold="1" italic="0" underline="0" strikeout="0" colour="#ffffff"'
    state = ('<maptile xmlns="https://cryptwright.example.org/ns/maptile" version="1" columns="1" rows="1" '
             'master="data/subtiles.png"><mapnum>7</mapnum><designer>Ann &amp; Bo</designer>'
             f'<mapnum-font {font.format(15.75)}/><speed-font {font.format(20.25)}/>'
             '<speed column="0" row="0">1/T</speed><later-addition/></maptile>')
    ours = [("mimetype", b"image/openraster"), ("stack.xml", stack(144, 144, layers))]
    ours += [(src, grey if name == "Subtiles" else clear) for name, src in layers]
    ours += [("mergedimage.png", grey), ("Thumbnails/thumbnail.png", grey)]
    write("fuzz_document", "maptile.ora", ora(ours + [("cryptwright/maptile.xml", state)]))
    write("fuzz_document", "newer.ora", ora(ours + [("cryptwright/maptile.xml", state.replace('"1" col', '"2" col'))]))
    # Found by fuzzing: a master whose header claims 2^31 - 1 pixels each way.
    widest = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 2**31 - 1, 2**31 - 1, 8, 2, 0, 0, 0))
              + png_chunk(b"IEND", b""))
    write("fuzz_document", "widest_master.ora",
          ora([(name, widest if name == "data/subtiles.png" else data) for name, data in ours]
              + [("cryptwright/maptile.xml", state)]))
    # Shapes that once made work grow without bound: a layer listed over and over, its picture's entry
    # starting with empty blocks; a merged picture whose pixels follow empty blocks; entries by the
    # thousand; a merged picture giving its resolution twice, 72 then 96 pixels an inch.
    credit = clear
    repeated = stack(144, 144, [("Credit", "data/credit.png")] * 101)
    write("fuzz_document", "repeated_layers.ora",
          zip_raw([("mimetype", b"image/openraster", None), ("stack.xml", repeated.encode(), 0),
                   ("data/credit.png", credit, 2000), ("mergedimage.png", grey, None)]))
    raw = b"".join(b"\0" + bytes((x * 7 + y) & 0xFF for x in range(432)) for y in range(144))
    padded_idat = b"\x78\x01" + deflated_after(8000, raw) + struct.pack(">I", zlib.adler32(raw))
    padded = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 144, 144, 8, 2, 0, 0, 0))
              + png_chunk(b"IDAT", padded_idat) + png_chunk(b"IEND", b""))
    write("fuzz_document", "padded_merged.ora",
          ora([(name, padded if name == "mergedimage.png" else data) for name, data in ours]))
    # A merged picture of 2^32 - 1 pixels each way, more than the archive's own size of it holds.
    largest = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 2**32 - 1, 2**32 - 1, 8, 2, 0, 0, 0))
               + png_chunk(b"IEND", b""))
    write("fuzz_document", "largest_merged.ora",
          ora([(name, largest if name == "mergedimage.png" else data) for name, data in ours]))
    write("fuzz_document", "many_entries.ora",
          zip_raw([("mimetype", b"image/openraster", None)] + [(f"{i}", b"x", None) for i in range(1001)]))
    # Directories that hide their size: 0xffff entries claimed without the zip64 record it stands for,
    # a zip64 record claiming 300,000 behind an end record in the comment claiming one, and 1,001
    # entries of which the end record owns to five.
    plain = [(name, data if isinstance(data, bytes) else data.encode(), None)
             for name, data in ours + [("cryptwright/maptile.xml", state)]]
    write("fuzz_document", "count_without_zip64.ora", zip_raw(plain, claimed=0xFFFF))
    first = 46 + len(plain[0][0])
    local = sum(30 + len(name) + len(data) for name, data, _ in plain)
    hidden = b"PK\5\6" + struct.pack("<HHHHIIH", 0, 0, 1, 1, first, local, 0)
    write("fuzz_document", "hidden_end_record.ora", zip_raw(plain, claimed=0xFFFF, zip64_claim=300000, comment=hidden))
    write("fuzz_document", "understated_count.ora",
          zip_raw([("mimetype", b"image/openraster", None)] + [(f"{i}", b"x", None) for i in range(1000)], claimed=5))
    phys = png_chunk(b"pHYs", struct.pack(">IIB", 2835, 2835, 1)) + png_chunk(b"pHYs", struct.pack(">IIB", 3780, 3780, 1))
    twice = png(144, 144, 2, [bytes((x * 7 + y) & 0xFF for x in range(432)) for y in range(144)], phys)
    write("fuzz_document", "double_phys.ora",
          ora([(name, twice if name == "mergedimage.png" else data) for name, data in ours]
              + [("cryptwright/maptile.xml", state)]))
    merged = png(150, 160, 6, [bytes((x * 3 + y) & 0xFF for x in range(600)) for y in range(160)])
    nested = '<image w="150" h="160"><stack><stack name="group"><layer src="data/a.png" x="5" y="9"/></stack></stack></image>'
    write("fuzz_document", "painted.ora", ora([("mimetype", b"image/openraster"), ("stack.xml", nested),
                                               ("data/a.png", png(2, 2, 2, [bytes(6)] * 2)), ("mergedimage.png", merged)]))


if __name__ == "__main__":
    documents()
    profiles()
    bitmaps()
    pngs()
    gifs()
    jpegs()
    netpbm()
    x11()
    tga()
    wbmp()
    ico()
    icns()
    tiffs()
    svgs()
    webps()
    metafiles()
