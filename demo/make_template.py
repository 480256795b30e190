#!/usr/bin/env python3
"""Writes the demo's synthetic firmware template image, an S-record file.

It stands in for the gateway firmware in the demo workspace only and holds no
firmware: S2 records of 32 bytes of made-up data in a few areas, two of them
inside the address ranges of configuration banks 1 (0x388000) and 2
(0x398000), one in bank 3's range and others elsewhere, after an S0 header and
before an S8 end record. Lines end with CR LF. Usage: make_template.py OUTPUT
"""
import sys

AREAS = [  # (first address, number of 32-byte records)
    (0x380000, 64),   # program area before the banks
    (0x388000, 64),   # bank 1, an older configuration
    (0x390000, 32),   # between the banks
    (0x398000, 32),   # bank 2
    (0x3A8000, 8),    # bank 3, which the gateway does not use
    (0x3FFF80, 4),    # the vectors at the top of the address space
]


def record(kind, address_bytes, address, data):
    body = address.to_bytes(address_bytes, "big") + bytes(data)
    count = len(body) + 1
    checksum = ~(count + sum(body)) & 0xFF
    return "S%s%02X%s%02X\r\n" % (kind, count, body.hex().upper(), checksum)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    lines = [record("0", 2, 0, b"Brax_Traslate synthetic demo")]
    for first, count in AREAS:
        for r in range(count):
            address = first + 32 * r
            lines.append(record("2", 3, address, [(address * 7 + i * 13) & 0xFF for i in range(32)]))
    lines.append(record("8", 3, 0x380000, b""))
    with open(sys.argv[1], "w", newline="") as out:
        out.write("".join(lines))


if __name__ == "__main__":
    main()
