#!/usr/bin/env python3
"""Authoring aid for data/voice_patterns.txt: writes the pattern strings of
every voice from a small description of its figures, deterministically.

The voices it describes are in tools/voice_pattern_sources.txt. The build
never runs this script; the committed data file is the source of
truth. Run it only to re-author the strings:
    python3 tools/author_voice_patterns.py > data/voice_patterns.txt
Voices u and O are the two given strings and are copied through unchanged.
"""

import os
import random
import sys
from dataclasses import dataclass

LINE = 100

GIVEN_U = (
    "00000000000000000000000000VQXVAXVXAV+AVVQXVAXVXAV+AVVQXVAXVXAV+AVVQXVAXVXAV+AVVQXVAXVXAV+AVVQXVAXVXA"
    "V+AVQQQQ00QQVVVV00VV++++00++VVVV00VVXXXX00XXVVVV00VVAAAA00AAVVVV00VV000000Q0000AV000V000Y0ZZZ000000A"
    "AXA0000000A0XX00+VV000000V00VVVVVV00V0000W00Q000000000000X0000+00000000VVVV0000000000000000000000000"
    "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
    "0000000000000000000000X000Y0000000000000Q00X0000+0Q00000000+V0000VA+00AQ00V000000VVVVVVV0000V0000000"
    "0VVVVY000000000A0000000000AVVA0000000A00++++0000000000000Q00QVA00V00ZZZ000A0Y0000000000000WQ0V+X00X0"
    "00000V000VVVVVV0V00000AQ0A000000000X0000+000VV00000000000000AQ00V000X+000X0000W0XQ00000000VVVV000000"
    "0000000000000A00+000AV00V0XXXX000000VVVVVVV00V00V00V00XQX000A00V00XV000000000000Y0X00000000000000000"
    "0000000000Y00-0000000X0000+00YZ0000000000000V000VV00000000000V0VVVVVV0V00V00VQA000AXX0000000-0000000"
    "000000XQXV0000Q0V0XXXX0VV000000V00000Q0Q00Y00V0A000ZZ00000Z0000000Q000A000A0000VVVVXXXX0000VVVVVVVVV"
    "VVVVVVVVVVV0000XXXXXXXX0000AAAAAAAA0000XXXXXXXX0000AAAAAAAA0000XXXXXXXX+Q00VV00000V00VVVVVVV00V00V00"
    "-00Z00000X0000++A+0000000000000XXAA0Y0000V0V00+0000000000X00000000000000VV00V000000AA+00XZY00A00+X00"
    "XXXX000V000V0VVVVVV000V00V000A000000000000V00X000-X+A0VVVV00X00000000000000000X00W000AY00000000X0000"
    "+00000000000000000000V00V0000X00V000V00VVVVVVV0000V000Q000-0Z00XAA0000000000000000000A00XVV0++++0X00"
    "000000000000000Y000YZ0V0A0VZZ0VV0-0Q00A0000VVVV0W00VQ+A000000V00V00VVVVVV00V00V00000000X0000+0000000"
    "00QAQ000000AQX+00W00X00000V00000000000X000000000000000000000000000000000X0X000XXXX0AV000V000VVVVVVVV"
    "000000V00V00000X00000Y0000V0X000000XQX000000000000000X0X00VVY0VVVV000Y00ZX0000+A00000000000000000000"
    "00V0000V00000V000V00VVVVVVV0000V00VXQ0-0W00000000000000000000XAX000XQ0XXXX0AV0000QAQAQAQAQAQAQAVQQAQ"
    "AQAAVZ-Z-Z-Z-000000VQ000000AV000000QA000000AVZ-Z-Z-VQQAAQAQAVQAQAQAQAQAAQAQVQXXXXXXXXXXVVVVVVVVVVVVV"
    "VVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVVV0000000000000000000000"
)

GIVEN_O = (
    "-+-+-+-+-+-+-+-+-+-+WQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQWQ00000000000000000000"
    "0000000000000000000000000000000000000000000000000000000000000000000000000+0000+000000+00000000000+0-"
    "000+-0-0000-00000000W000W000000000Q00W0Q-00000000000000000000000000+--000000000000W000000000000000+0"
    "-0+0000000-+000000--00000+Q0000000+000000+000W000000000000000Q00W000W0W0000-0000-000000000000+000000"
    "00000000-++0000000000000000000-00000000-00000000000-00+0000000Q000000-000000W000W0000000W0000W0Q00-0"
    "00000000000000000000000++00000+0-00000000000000+0000000+00+0-00000000000+000000000000+-00000+000000W"
    "0Q0000Q0000000000WW0-+000000000000000000000000000000+++00000000000Q00000000000000-++000000000000000-"
    "00000+0WQ000000+000000-000000000QQ0+0000000-00000Q0000000+0000+00000000000000--+000000000-00000+-000"
    "00000000000000-000000000000000+0000-0000-000000W00-0000-0W0W+0-00000000000Q0000+0+000000000000000+00"
    "00W0-00000-000000000000000000000-+0000+00000000000000000000+000000-+0000--0-+ZYWQBADCFE-+ZYWQBADCFE-"
    "+ZYWQBADCFE-+ZYWQBADCFE-+ZYWQBADCFE-+ZYWQBADCFE-+ZYWQBADCFE-+ZYWQBADCFE0000000Q00Q00+0000000-00W00+0"
    "00000000000000000000000---0000000000000000Q000000000000-+00000QW00000000000+00000000000+0000+0000000"
    "00000-000Q000000000-0-00Q0Q0W0-000000000000000000000000000000000000000-++000000-+000-0000000+0000000"
    "000+000000000000000+00W0000+000000Q00Q00000000W00W0Q0Q00-0000000000-0000000W0000000000-00000000000-0"
    "00000000+00000000-0000000000000000+000-+00+0000000-000000W0W00+00Q+000000000W00+0-000000000000000000"
    "-+000+0000000000-0+00000000Q0000000000000000000+Q000000000000-00000-00000+000000000000-000Q000000000"
    "-00-0W0Q00000+-00+00000000000000000000000-+-0000000000000000000000-000-0-00000000000000000000000-000"
    "00000W00+000000Q00+00000000+00Q0W0000-000+00000000-0000+0-00000000+00000000000+000000000000000000000"
    "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
    "0000000000000000000000000000000000000000000000000000000000000000000"
)

# Moves a figure into a neighbouring register of its family, the way the given
# O string answers "-+-+" with "WQWQ".
COMPANIONS = {
    "interval": {"+": "Y", "-": "Z", "Y": "+", "Z": "-"},
    "voice2": {"+": "Z", "-": "Y", "Z": "+", "Y": "-"},
    "scale": {"+": "Q", "-": "W", "Y": "A", "Z": "B", "Q": "C", "W": "D",
              "A": "E", "B": "F", "C": "G", "D": "H", "E": "Y", "F": "Z",
              "G": "+", "H": "-"},
    "arpeggio": {"Q": "W", "W": "Z", "Z": "Y", "Y": "-", "-": "+", "+": "A",
                 "A": "Q"},
    "harmony": {"-": "+", "+": "-"},
    "band": {"+": "Y", "-": "Z", "Y": "+", "Z": "-"},
    "tonic": {"+": "Z", "Z": "+", "-": "Y", "Y": "-", "y": "-"},
    "split": {"+": "Z", "-": "Y", "Z": "+", "Y": "-"},
    "alternation": {},
}

# How much of each kind of segment a family's strings hold between the
# opening and the tail: long rests, sparse single instructions, repeated
# figures, and blocks of held instructions ("QQQQ00QQVVVV00VV").
FAMILY_STYLE = {
    "interval": dict(density=0.11, rest=(40, 140), long=(100, 200), weights=(3, 4, 3, 0)),
    "voice2": dict(density=0.07, rest=(60, 180), long=(120, 220), weights=(4, 5, 2, 0)),
    "scale": dict(density=0.10, rest=(40, 150), long=(100, 200), weights=(3, 6, 2, 0)),
    "arpeggio": dict(density=0.17, rest=(30, 100), long=(100, 150), weights=(2, 5, 4, 2)),
    "harmony": dict(density=0.11, rest=(50, 150), long=(100, 200), weights=(3, 4, 3, 0)),
    "band": dict(density=0.09, rest=(50, 170), long=(100, 220), weights=(4, 5, 2, 0)),
    "tonic": dict(density=0.12, rest=(30, 120), long=(100, 160), weights=(2, 4, 4, 0)),
    "split": dict(density=0.09, rest=(50, 160), long=(100, 200), weights=(3, 5, 2, 0)),
    "alternation": dict(density=0.10, rest=(40, 140), long=(100, 180), weights=(3, 3, 4, 0)),
}

@dataclass
class Voice:
    letter: str
    family: str
    zeros: int
    figure: str
    length: int
    palette: str
    motifs: list
    dense: list
    dense_at: float
    opening: int = 80
    tail: tuple = (20, 160)
    home: str = None

    def __post_init__(self):
        assert len(self.figure) == 20, (self.letter, self.figure)


def read_voices(path):
    """Reads the voice descriptions of voice_pattern_sources.txt."""
    voices = []
    with open(path) as source:
        for line in source:
            fields = line.split()
            if not fields or fields[0].startswith("#"):
                continue
            letter, family, zeros, figure, length, palette, motifs, dense, dense_at = fields[:9]
            extra = dict(field.split("=", 1) for field in fields[9:])
            voices.append(Voice(letter, family, int(zeros), figure, int(length), palette,
                                motifs.split(","), dense.split(","), float(dense_at),
                                opening=int(extra.get("opening", 80)), home=extra.get("home")))
    return voices


def period_of(figure):
    for p in range(1, len(figure)):
        if all(figure[i] == figure[i + p] for i in range(len(figure) - p)):
            return p
    return len(figure)


def vary(rng, figure, palette, rate, rest_rate=0.2):
    out = []
    for c in figure:
        if c != "0" and rng.random() < rate:
            out.append("0" if rng.random() < rest_rate else rng.choice(palette))
        else:
            out.append(c)
    return "".join(out)


def companion(voice, figure):
    table = COMPANIONS[voice.family]
    return "".join(table.get(c, c) for c in figure)


def opening(rng, voice):
    """The first figure, carried on by its own period with a few changes,
    sometimes answered by its companion figure."""
    p = period_of(voice.figure)
    cycle = voice.figure[:p]
    text = voice.figure
    answered = False
    while len(text) < voice.opening:
        if not answered and len(text) >= voice.opening // 2 and rng.random() < 0.4:
            text += companion(voice, cycle) * max(1, 8 // p)
            answered = True
        else:
            text += vary(rng, cycle, voice.palette, 0.06 if p > 4 else 0.0)
    return text


def rest(rng, style):
    return "0" * rng.randint(*style["rest"])


def sparse(rng, voice, style):
    out = []
    for _ in range(rng.randint(80, 260)):
        if out and out[-1] != "0":
            out.append("0")
        elif rng.random() < style["density"]:
            roll = rng.random()
            if roll < 0.6:
                out.append(rng.choice(voice.palette))
            elif roll < 0.85:
                out.append(rng.choice(voice.palette) * rng.randint(2, 4))
            else:
                motif = rng.choice(voice.motifs)
                out.append(motif[: rng.randint(2, len(motif))])
        else:
            out.append("0")
    return "".join(out)


def figures(rng, voice):
    motif = rng.choice(voice.motifs)
    gap = rng.choice(["", "", "0", "00", "0000"])
    parts = [vary(rng, motif, voice.palette, 0.12) for _ in range(rng.randint(2, 5))]
    if rng.random() < 0.35:
        parts.append(companion(voice, motif))
    return gap.join(parts) + "0" * rng.randint(3, 12)


def blocks(rng, voice):
    home = voice.home or voice.palette[0]
    held = [c for c in dict.fromkeys(voice.palette) if c != home]
    text = ""
    for c in rng.sample(held, min(len(held), rng.randint(2, 4))):
        text += c * 4 + "00" + c * 2 + home * 4 + "00" + home * 2
    return text + "0" * rng.randint(4, 12)


def dense(rng, voice, size):
    text = ""
    while len(text) < size:
        motif = rng.choice(voice.dense)
        text += vary(rng, motif, voice.palette, 0.05) * rng.randint(1, 4)
        text += rng.choice(["", "", "0", "000000"])
    return text[:size]


def middle(rng, voice, size):
    style = FAMILY_STYLE[voice.family]
    text = ""
    last = None
    while len(text) < size:
        kind = rng.choices(["rest", "sparse", "figures", "blocks"], style["weights"])[0]
        if kind == last == "rest":
            continue
        last = kind
        if kind == "rest":
            text += rest(rng, style)
        elif kind == "sparse":
            text += sparse(rng, voice, style)
        elif kind == "figures":
            text += figures(rng, voice)
        else:
            text += blocks(rng, voice)
    return text[:size]


def author(voice):
    rng = random.Random("brisolt-" + voice.letter)
    head = "0" * voice.zeros + opening(rng, voice)
    tail = "0" * rng.randint(*voice.tail)
    dense_size = rng.randint(90, 200)
    body = voice.length - len(head) - len(tail) - dense_size
    before = int(body * voice.dense_at)
    long_rest = "0" * rng.randint(*FAMILY_STYLE[voice.family]["long"])
    split = rng.randint(before // 4, max(before // 4, before // 2))
    text = (head
            + middle(rng, voice, split)
            + long_rest
            + middle(rng, voice, max(0, before - split - len(long_rest)))
            + dense(rng, voice, dense_size))
    text += middle(rng, voice, voice.length - len(tail) - len(text))
    text = (text + tail)[: voice.length]
    text += "0" * (voice.length - len(text))
    assert text.startswith("0" * voice.zeros + voice.figure), voice.letter
    return text


ARPEGGIO_DENSE_END = 0.93
SCALE_DENSE_MIDDLE = 0.5

VOICES = read_voices(os.path.join(os.path.dirname(os.path.abspath(__file__)), "voice_pattern_sources.txt"))

FAMILY_NOTE = {
    "interval": "interval pairs",
    "voice2": "voice 2",
    "scale": "scale-step line",
    "arpeggio": "arpeggio",
    "harmony": "harmony",
    "band": "band harmony",
    "tonic": "tonic answers",
    "split": "split voice",
    "alternation": "split voice",
}

HEADER = """\
# Pattern strings of the voices: one character per planned melody note.
#
# Each entry is a line "voice <letter>", then the string in lines of at most
# 100 characters, then an empty line. Lines beginning with '#' are comments.
# A string may hold only 0 + - A..H O Q V W X Y Z, and y (voice s only);
# '0' silences the voice for its note, the other characters are instructions
# read by the voice's renderer. Leading '0's, the first figure and the length
# of every string are recorded with the voice in voice_table.txt.
#
# u and O are the two given strings. The others were authored with
# tools/author_voice_patterns.py, which carries each voice's opening figure on
# with variations, long rests, sparse single instructions and one dense
# passage; this file, not the script, is what the program uses.
"""


def entry(letter, text, note):
    lines = [f"# {letter}: {note}, {len(text)} characters", f"voice {letter}"]
    lines += [text[i:i + LINE] for i in range(0, len(text), LINE)]
    return "\n".join(lines) + "\n"


def main():
    assert len(GIVEN_U) == 1968 and len(GIVEN_O) == 1967
    authored = {v.letter: (author(v), FAMILY_NOTE[v.family]) for v in VOICES}
    authored["u"] = (GIVEN_U, "arpeggio, given")
    authored["O"] = (GIVEN_O, "scale-step line, given")
    order = "12345678OPQRSTqrabcdefghijuvwxyzABCDEFHIJKLNWZstklUV"
    sys.stdout.write(HEADER)
    for letter in order:
        text, note = authored[letter]
        sys.stdout.write("\n" + entry(letter, text, note))


if __name__ == "__main__":
    main()
