#!/usr/bin/env python3
"""Writes the PE checksum of a program into its header. The linker computes it, but the load
configuration entry is entered after linking (SetLoadConfig.cmake), and a stale checksum would
come back corrected when a signature is removed, so the stripped program would not be the
program as built."""
import struct
import sys


def pe_checksum(image: bytearray, field: int) -> int:
    image[field:field + 4] = b"\0\0\0\0"
    padded = image + (b"\0" if len(image) % 2 else b"")
    total = sum(struct.unpack("<%dH" % (len(padded) // 2), padded))
    while total > 0xFFFF:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)


def main(path: str) -> None:
    with open(path, "rb") as program:
        image = bytearray(program.read())
    (header,) = struct.unpack_from("<I", image, 60)  # e_lfanew: the "PE\0\0" signature
    field = header + 24 + 64  # CheckSum in the optional header, for PE32 and PE32+ alike
    struct.pack_into("<I", image, field, pe_checksum(image, field))
    with open(path, "r+b") as program:
        program.write(image)


if __name__ == "__main__":
    main(sys.argv[1])
