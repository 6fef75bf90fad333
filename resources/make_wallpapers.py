#!/usr/bin/env python3
"""Writes the two default wallpapers, a white and a black 24-bit BMP of
1920 x 1080 pixels, into the given folder.

usage: make_wallpapers.py FOLDER
"""
import os
import struct
import sys

WIDTH, HEIGHT = 1920, 1080


def bmp(colour):
    stride = (WIDTH * 3 + 3) // 4 * 4
    row = bytes(colour) * WIDTH + bytes(stride - WIDTH * 3)
    pixels = row * HEIGHT
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


def main():
    folder = sys.argv[1]
    for name, colour in (("默认白壁纸.bmp", (255, 255, 255)), ("默认黑壁纸.bmp", (0, 0, 0))):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(bmp(colour))


if __name__ == "__main__":
    main()
