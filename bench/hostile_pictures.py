#!/usr/bin/env python3
"""Writes two small picture files that cost a careless decoder dearly:

  rle8.bmp  1,080 bytes: an RLE8 bitmap declaring 16000 x 4000 pixels whose data
            is one end-of-bitmap code;
  scans.jpg about 160 KB: a progressive greyscale JPEG of 8000 x 8000 in 505 scans
            (the DC scan, then every AC coefficient alone in eight
            successive-approximation scans), all coefficients zero.

Usage: hostile_pictures.py <folder>
"""
import os
import struct
import sys


def rle8_bmp():
    width, height = 16000, 4000
    palette = b"".join(struct.pack("<BBBB", i, i, i, 0) for i in range(256))
    data = b"\x00\x01"  # end of bitmap
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + palette + data


class Bits:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, value, count):
        for i in range(count - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)
                self.acc = 0
                self.n = 0

    def finish(self):
        if self.n:
            self.put((1 << (8 - self.n)) - 1, 8 - self.n)
        return bytes(self.out)


def segment(marker, payload):
    return struct.pack(">BBH", 0xFF, marker, len(payload) + 2) + payload


def progressive_jpeg():
    size = 8000
    blocks = (size // 8) ** 2
    out = bytearray(b"\xff\xd8")
    out += segment(0xDB, b"\x00" + bytes([1] * 64))
    out += segment(0xC2, struct.pack(">BHHB", 8, size, size, 1) + b"\x01\x11\x00")
    # One code each: DC difference category 0, and an end-of-band run of 2^14 or more.
    out += segment(0xC4, b"\x00" + bytes([1] + [0] * 15) + b"\x00")
    out += segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\xe0")

    def scan(ss, se, ah, al, body):
        return segment(0xDA, bytes([1, 1, 0x00, ss, se, (ah << 4) | al])) + body

    dc = Bits()
    for _ in range(blocks):
        dc.put(0, 1)
    out += scan(0, 0, 0, 0, dc.finish())

    ac = Bits()
    left = blocks
    while left:
        run = min(left, 32767)
        ac.put(0, 1)
        ac.put(run - (1 << 14), 14)
        left -= run
    ac_body = ac.finish()
    for k in range(1, 64):
        out += scan(k, k, 0, 7, ac_body)
        for a in range(7, 0, -1):
            out += scan(k, k, a, a - 1, ac_body)
    out += b"\xff\xd9"
    return bytes(out)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "rle8.bmp"), "wb") as f:
        f.write(rle8_bmp())
    with open(os.path.join(folder, "scans.jpg"), "wb") as f:
        f.write(progressive_jpeg())


if __name__ == "__main__":
    main()
