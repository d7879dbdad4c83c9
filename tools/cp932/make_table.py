#!/usr/bin/env python3
"""Writes puzzles/cp932_table.cpp, the CP932 mapping the program converts
puzzle comments and score pages with, from the C library's own converter
(glibc iconv, reached through ctypes), so that the table gives exactly what
iconv gives.

    python3 tools/cp932/make_table.py > puzzles/cp932_table.cpp

Decoding: every byte pair a lead byte starts, as iconv turns it into one
character. Encoding: the reverse of decoding (the later of two codes for the
same character), then each character where iconv chooses otherwise or where
it takes a character decoding never gives.
"""
import ctypes
import ctypes.util
import sys

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p,
                       ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t),
                       ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t)]
FAILED = ctypes.c_size_t(-1).value


def opener(to, frm):
    cd = libc.iconv_open(to, frm)
    if cd is None or cd == FAILED:
        sys.exit(f"iconv cannot convert {frm.decode()} to {to.decode()}")
    return cd


def convert(cd, data):
    """The bytes iconv makes of `data` as one unit, or None when it refuses."""
    libc.iconv(cd, None, None, None, None)
    src = ctypes.create_string_buffer(data, len(data))
    dst = ctypes.create_string_buffer(16)
    src_p, src_left = ctypes.cast(src, ctypes.c_char_p), ctypes.c_size_t(len(data))
    dst_p, dst_left = ctypes.cast(dst, ctypes.c_char_p), ctypes.c_size_t(16)
    if libc.iconv(cd, ctypes.byref(src_p), ctypes.byref(src_left),
                  ctypes.byref(dst_p), ctypes.byref(dst_left)) == FAILED or src_left.value:
        return None
    return dst.raw[:16 - dst_left.value]


LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))


def main():
    dec = opener(b"UTF-8", b"CP932")
    enc = opener(b"CP932", b"UTF-8")

    decoded = {}  # two-byte code -> code point
    for lead in LEADS:
        for trail in range(256):
            out = convert(dec, bytes([lead, trail]))
            if out is not None:
                text = out.decode("utf-8")
                assert len(text) == 1 and ord(text) < 0x10000, hex(lead << 8 | trail)
                decoded[lead << 8 | trail] = ord(text)
    for byte in range(0x80, 0x100):
        out = convert(dec, bytes([byte]))
        expected = chr(0xFF61 + byte - 0xA1).encode() if 0xA1 <= byte <= 0xDF else None
        assert out == expected, hex(byte)  # half-width katakana, nothing else

    reverse = {}
    for code in sorted(decoded):
        reverse[decoded[code]] = code
    for byte in range(0xA1, 0xE0):
        reverse[0xFF61 + byte - 0xA1] = byte

    overrides = []  # (code point, code) where iconv differs from `reverse`
    ignored = []    # code points iconv drops without a trace
    for cp in range(0x80, 0x110000):
        if 0xD800 <= cp < 0xE000:
            continue
        out = convert(enc, chr(cp).encode("utf-8"))
        if out is None:
            assert cp not in reverse, hex(cp)
            continue
        if out == b"":
            ignored.append(cp)
            continue
        code = int.from_bytes(out, "big")
        if reverse.get(cp) != code:
            overrides.append((cp, code))
    assert ignored == list(range(ignored[0], ignored[-1] + 1)), "ignored characters not one range"

    emit(decoded, overrides, ignored)


def varint(value):
    """`value` as zigzag LEB128: seven bits a byte, lowest first, the top bit
    set while more follow; the lowest bit of the number is the sign."""
    z = value << 1 if value >= 0 else (-value << 1) - 1
    out = bytearray()
    while z >= 0x80:
        out.append(0x80 | (z & 0x7F))
        z >>= 7
    out.append(z)
    return out


def emit(decoded, overrides, ignored):
    rows, runs, characters = [], [], bytearray()
    codes = sorted(decoded)
    previous = 0
    i = 0
    while i < len(codes):
        # The longest stretch of codes next to each other whose characters
        # follow each other as well: a run when it is long.
        j = i
        while (j + 1 < len(codes) and codes[j + 1] == codes[j] + 1
               and decoded[codes[j + 1]] == decoded[codes[j]] + 1):
            j += 1
        if j - i + 1 >= 16:
            runs.append((codes[i], decoded[codes[i]], j - i + 1))
            i = j + 1
            continue
        # Otherwise one character after another, as the difference from the
        # one before (most kanji of the second level follow closely), for as
        # long as the codes are next to each other.
        if rows and rows[-1][0] + rows[-1][1] == codes[i]:
            rows[-1][1] += 1
        else:
            rows.append([codes[i], 1])
        characters += varint(decoded[codes[i]] - previous)
        previous = decoded[codes[i]]
        i += 1

    out = sys.stdout
    out.write("// Made by tools/cp932/make_table.py from the C library's converter; run it\n"
              "// again instead of editing.\n"
              '#include "puzzles/cp932_table.h"\n\n'
              "namespace tavrin::cp932 {\n\n")
    out.write("namespace {\n\n")
    out.write("// Codes next to each other: the first, how many.\n")
    out.write("const Row rows[] = {\n")
    for k in range(0, len(rows), 6):
        out.write("    " + " ".join(f"{{0x{code:04X}, {count}}}," for code, count in rows[k:k + 6]) + "\n")
    out.write("};\n\n")
    out.write("// Their characters.\n")
    out.write("const unsigned char characters[] = {\n")
    for k in range(0, len(characters), 24):
        out.write("    " + " ".join(f"{b}," for b in characters[k:k + 24]) + "\n")
    out.write("};\n\n")
    out.write("// Codes whose characters follow one another: first code, first character,\n"
              "// count.\n")
    out.write("const Run runs[] = {\n")
    for code, cp, count in runs:
        out.write(f"    {{0x{code:04X}, 0x{cp:04X}, {count}}},\n")
    out.write("};\n\n")
    out.write("// Characters whose code is not the reverse of decoding (or that decoding\n"
              "// never gives): character, code (one byte when below 0x100).\n")
    out.write("const Encoding encodings[] = {\n")
    for cp, code in overrides:
        out.write(f"    {{0x{cp:04X}, 0x{code:04X}}},\n")
    out.write("};\n\n")
    out.write("} // namespace\n\n")
    out.write("const std::span<const Row> kRows{rows};\n"
              "const std::span<const unsigned char> kCharacters{characters};\n"
              "const std::span<const Run> kRuns{runs};\n"
              "const std::span<const Encoding> kEncodings{encodings};\n")
    out.write("// Characters that give no bytes at all.\n")
    out.write(f"const Range kIgnored{{0x{ignored[0]:X}, 0x{ignored[-1]:X}}};\n\n")
    out.write("} // namespace tavrin::cp932\n")


if __name__ == "__main__":
    main()
