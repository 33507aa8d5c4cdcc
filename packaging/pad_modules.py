#!/usr/bin/python3
"""Pads Windows modules in place to the 8-byte boundary a signature starts on.

    pad_modules.py MODULE...

Authenticode appends its certificate table at an 8-byte boundary, padding a
module that ends elsewhere, and removing a signature leaves that padding. A
module padded before it is signed comes back byte for byte when its signature
is removed, so a signed release compares with an unsigned rebuild. Each
padded module gets its PE checksum made again; one already aligned is left
as it is.
"""
import array
import struct
import sys

ALIGNMENT = 8
# The checksum's place in the optional header, the same in PE32 and PE32+.
CHECKSUM_OFFSET = 64


def pe_checksum(data, checksum_at):
    """The PE image checksum of `data` (of even length), its own field counted as zero."""
    words = array.array("H", data)
    if sys.byteorder == "big":
        words.byteswap()
    total = sum(words) - words[checksum_at // 2] - words[checksum_at // 2 + 1]
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


def pad(path):
    with open(path, "rb") as module:
        data = bytearray(module.read())
    if data[:2] != b"MZ" or len(data) < 0x40:
        raise SystemExit("pad_modules.py: %s is not a Windows module" % path)
    header = struct.unpack_from("<I", data, 0x3C)[0]
    if data[header:header + 4] != b"PE\0\0":
        raise SystemExit("pad_modules.py: %s has no PE header" % path)
    if len(data) % ALIGNMENT == 0:
        return
    data += bytes(-len(data) % ALIGNMENT)
    checksum_at = header + 4 + 20 + CHECKSUM_OFFSET
    struct.pack_into("<I", data, checksum_at, pe_checksum(data, checksum_at))
    with open(path, "wb") as module:
        module.write(data)


if __name__ == "__main__":
    for path in sys.argv[1:]:
        pad(path)
