#!/usr/bin/env python3
"""Writes the hand-made fuzz seeds beside this script (the "found-*" files
beside them are inputs libFuzzer found and minimised, and named files this
script does not write are inputs that once broke a target, kept as they
were found): small playfield files for the
fuzz target's tile datafile (BAK = 1, tiles 1..6, FAST = 5, PAL = 8), a few
text tables, a sample and a song for the sound data target, and settings
files."""
import os

here = os.path.dirname(os.path.abspath(__file__))


def playfield(width, height, scenery, rows, magic=b"IZRB", datafile=b"tiles"):
    out = bytearray(magic + bytes([0]))
    out += b"Provbana".ljust(26, b"\0") + b"Test field".ljust(26, b"\0")
    out += datafile.ljust(10, b"\0") + bytes([width, height])
    out += bytes(scenery[i] if i < len(scenery) else 0 for i in range(width * height))
    for row in rows:
        for code, parameter in row:
            out += bytes([code, parameter])
    return bytes(out)


def skip(n):
    return [(0, n)]


seeds = {
    "minimal.zrb": playfield(2, 2, [], [[(255, 0), (255, 1)], skip(2)]),
    "every-code.zrb": playfield(
        6, 5, [0, 1, 2, 254, 255, 0, 255, 255, 0, 0, 0, 3],
        [[(255, 0), (255, 1), (14, 0), (15, 0), (16, 0), (17, 0)],
         [(10, 1), (10, 0), (11, 0), (11, 1), (12, 7), (18, 0)],
         [(0, 1), (13, 0), (0, 2), (13, 1), (0, 1)],
         skip(6),
         [(2, 0), (2, 1), (2, 2), (0, 0), (99, 9), (0, 2)]]),
    "three-bases.zrb": playfield(
        9, 4, [], [[(255, 0), (255, 1), (0, 7)],
                   [(0, 1), (13, 0), (0, 2), (13, 2), (0, 2), (13, 1), (0, 1)],
                   skip(9), [(2, 0)] * 9], magic=b"CZRB"),
    "truncated.zrb": playfield(3, 3, [], [[(255, 0), (255, 1)]]),
    "bad-datafile.zrb": playfield(2, 1, [], [[(255, 0), (255, 1)]], datafile=b"../tiles"),
    # Bytes above 127 in the datafile name: the game reads them as ASCII
    # text, never as the start of a longer UTF-8 sequence.
    "high-byte-datafile.zrb": playfield(2, 1, [], [[(255, 0), (255, 1)]], datafile=b"tiles\xfc"),
}

texts = {
    "lf.txt": b"Spela\nPlay\n\nTillbaka\nBack\n",
    "crlf.txt": b"Spelare %i vann!\r\nPlayer %i wins!\r\nLaddar %s\r\nLoading %s\r\n",
    "lfcr.txt": b"a\n\rb\n\r\n\rc%%%i%s%n",
    "long.txt": b"x" * 300 + b"\r\n\xe5\xe4\xf6\xc5\xc4\xd6\n",
}



def wave(samples, rate=22050):
    """A mono 16-bit PCM WAVE image."""
    import struct
    data = b"".join(struct.pack("<h", v) for v in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def module():
    """A four-channel ProTracker module: one sample, one pattern, two notes."""
    import struct
    out = b"fuzz seed".ljust(20, b"\0")
    out += b"square".ljust(22, b"\0") + struct.pack(">HBBHH", 16, 0, 64, 0, 16)
    out += bytes(30) * 30
    out += bytes([1, 127]) + bytes(128) + b"M.K."
    pattern = bytearray(64 * 4 * 4)
    for row, period in ((0, 428), (16, 320)):
        note = struct.pack(">BBBB", 0x00 | (period >> 8), period & 0xFF, 0x10, 0x00)
        pattern[row * 16:row * 16 + 4] = note
    out += bytes(pattern)
    out += bytes([0x40] * 16 + [0xC0] * 16)
    return out


def ini(text):
    return text.encode("latin-1")


saved_keys = "".join(f"{key} = {code}\n" for key, code in (
    ("left1", 1), ("right1", 4), ("gas1", 19), ("fire1", 17),
    ("left2", 82), ("right2", 83), ("gas2", 85), ("fire2", 84)))

# "WinZorbo.ini" as the game writes it, and as a player or a broken disk may
# leave it.
settings_files = {
    "as-saved.ini": ini("language = se\n\n[keys]\n" + saved_keys +
                        "\n[volume]\nvol0 = 128\nvol1 = 255\n"),
    "joysticks.ini": ini("language = en\n[keys]\nleft1 = 1001\nright1 = 2113\n"
                         "gas1 = 2201\nfire1 = 8099\nleft2 = -1\nright2 = 2147483647\n"
                         "gas2 = 99999999999\nfire2 = 1299\n"),
    "volumes.ini": ini("[volume]\nvol0 = 999\nvol1 = -5\n[volume]\nvol0 = 0x40\n"
                       "vol1 = twelve\n"),
    "odd-lines.ini": ini("# comment\r\n[keys\r\nfire1\r\n= 5\r\n[]\r\n"
                         "language=se\r\n[keys]\r\ngas1 = \r\ngas1 = 30\r\n"
                         "  left1   =   2   \r\n[ volume ]\r\nvol0 = 3"),
    "high-bytes.ini": ini("language = s\xe9\n[k\xfc]\nleft\xff = 3\n[keys]\n"
                          "fire2 = 1\xe5\n" + "x" * 600 + " = 1\n"),
    "empty.ini": b"",
}

# The first byte chooses: even a sample, odd a song.
sounds = {
    "sample.bin": b"\0" + wave([(i % 20 - 10) * 1000 for i in range(200)]),
    "song.bin": b"\1" + module(),
    "empty-song.bin": b"\1",
}

for folder, files in (("corpus/playfield", seeds), ("corpus/text_table", texts),
                      ("corpus/sound_data", sounds), ("corpus/settings", settings_files)):
    os.makedirs(os.path.join(here, folder), exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(here, folder, name), "wb") as f:
            f.write(data)
