#!/usr/bin/env python3
"""Reads an OpenRaster file as a painting program that knows only the
baseline format would, with Python's own zip and XML readers, and prints the
layer names from top to bottom. Exits non-zero naming the first rule broken."""
import struct
import sys
import xml.etree.ElementTree as ET
import zipfile


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG")
    return struct.unpack(">II", data[16:24])


def check(path):
    raw = open(path, "rb").read()
    with zipfile.ZipFile(path) as ora:
        if ora.testzip() is not None:
            return "a damaged entry"
        first = ora.infolist()[0]
        if first.filename != "mimetype" or first.compress_type != zipfile.ZIP_STORED or first.extra:
            return "mimetype is not the first entry, stored, without extra fields"
        if raw[30:38] != b"mimetype" or raw[38:54] != b"image/openraster":
            return "the type cannot be read at its fixed place"
        image = ET.fromstring(ora.read("stack.xml"))
        if image.tag != "image" or image.get("xres") != "96" or image.get("yres") != "96":
            return "the image element or its resolution is wrong"
        size = (int(image.get("w")), int(image.get("h")))
        for element in image.iter():
            if element.tag not in ("image", "stack", "layer"):
                return "stack.xml holds " + element.tag
        names = []
        for layer in image.iter("layer"):
            if png_size(ora.read(layer.get("src"))) != size:
                return layer.get("src") + " is not the image's size"
            names.append(layer.get("name"))
        if png_size(ora.read("mergedimage.png")) != size:
            return "the merged image is not the image's size"
        if max(png_size(ora.read("Thumbnails/thumbnail.png"))) > 256:
            return "the thumbnail is larger than 256 pixels"
    print("|".join(names))
    return None


if __name__ == "__main__":
    problem = check(sys.argv[1])
    if problem:
        print(problem, file=sys.stderr)
        sys.exit(1)
