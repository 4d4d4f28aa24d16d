#!/usr/bin/env python3
"""Authoring aid for data/voice_patterns.txt: writes the pattern strings of
every voice from a small description of its figures, deterministically.

The build never runs this script; the committed data file is the source of
truth. Run it only to re-author the strings:
    python3 tools/author_voice_patterns.py > data/voice_patterns.txt
Voices u and O are the two given strings and are copied through unchanged.
"""

import random
import sys

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

class Voice:
    def __init__(self, letter, family, zeros, figure, length, palette, motifs,
                 dense, dense_at, opening=80, tail=(20, 160), home=None):
        assert len(figure) == 20, (letter, figure)
        self.letter = letter
        self.family = family
        self.zeros = zeros
        self.figure = figure
        self.length = length
        self.palette = palette
        self.motifs = motifs
        self.dense = dense
        self.dense_at = dense_at
        self.opening = opening
        self.tail = tail
        self.home = home


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

VOICES = [
    # Interval pairs: + and - answer with a third or a fourth, Y and Z with a
    # fifth or a sixth, each only when its partner interval is in the scale.
    Voice("1", "interval", 80, "+++++++++++++++-----", 1967, "++--+-YZ",
          ["+++++-----", "++--", "+-+-", "+++-", "YY++", "--++"],
          ["++++----", "+-+-YZYZ"], 0.62),
    Voice("3", "interval", 80, "YYYYYYYYYYYYYYYZZZZZ", 1967, "YYZZYZ+-",
          ["YYYYYZZZZZ", "YZYZ", "YYZZ", "YY++", "ZZ--", "YYYZ"],
          ["YYYYZZZZ", "YZYZ++--"], 0.78),
    Voice("4", "interval", 0, "--------------------", 1968, "--+ZY-",
          ["------++++", "--ZZ", "-Z-Z", "----", "-+-+", "--YY"],
          ["----++++", "-Z-Z-Y-Y"], 0.35),
    Voice("6", "interval", 0, "XXXXZZZZZZZZZZZZXXXX", 1968, "ZZYX+-",
          ["XXXXZZZZ", "ZZZZXXXX", "ZYZY", "XXZZ", "ZZ--", "XZXZ"],
          ["ZZZZXXXX", "ZYZYXXXX"], 0.86),
    # Voice 2: plain intervals and random neighbour steps (V).
    Voice("2", "voice2", 177, "V00000000000V0000000", 1967, "VVV+-ZY",
          ["V000V000", "V0V0", "+000-000", "Z000Y000", "V00+00-0", "VV00"],
          ["V0V0+0-0", "VV0VZ0Y0"], 0.7, opening=60),
    # Scale-step lines: each character is a number of scale degrees.
    Voice("7", "scale", 0, "CCDDCCDDCCDDEEFFEEFF", 1968, "CCDDEEFF+-AB",
          ["CCDD", "EEFF", "CDCD", "EFEF", "CCDDEEFF", "ACBD", "CECE", "DFDF"],
          ["CDCDEFEF", "ACBDCEDF"], SCALE_DENSE_MIDDLE),
    Voice("8", "scale", 0, "GGHHGGHHGGHHGGHHGGHH", 1968, "GGHHEF+-",
          ["GGHH", "GHGH", "GGGGHHHH", "EGFH", "GG00HH00", "CGDH"],
          ["GHGHEFEF", "+-YZQWABCDEFGH"], 0.44),
    Voice("P", "scale", 0, "ZYZYZYZYZYZYZYZYZYZY", 1967, "ZYZY+-QW",
          ["ZYZY", "YYZZ", "ZZYY", "Y+Z-", "QWQW", "ZYQW"],
          ["ZYQWBA", "+-ZYQW"], 0.56),
    Voice("Q", "scale", 0, "-+-+-+-+-+-+-+-+-+-+", 1967, "+-+-YZQW",
          ["-+-+", "+-+-", "YZYZ", "WQWQ", "-+Y-+Z", "--++"],
          ["+-YZQWAB", "-+ZYWQ"], 0.4),
    Voice("R", "scale", 20, "++--++--++--++--++--", 1968, "++--YZ",
          ["++--", "YYZZ", "+Y+Y--ZZ", "++++----", "+-", "QQWW"],
          ["++--YYZZQQWW"], 0.62),
    Voice("S", "scale", 20, "YYZZYYZZYYZZYYZZYYZZ", 1968, "YYZZQW+-",
          ["YYZZ", "QQWW", "YZYZ", "YYQQZZWW", "Y+Z-"],
          ["YZQWAB", "YYZZ"], 0.47),
    Voice("T", "scale", 20, "QQWW--++--++--++QQWW", 1968, "QQWW+-AB",
          ["QQWW", "--++", "AABB", "QWQW", "QQ--WW++"],
          ["QWAB-+", "QQWW"], 0.53),
    Voice("q", "scale", 0, "EEFFEEFFEEFFCCDDCCDD", 1968, "EEFFCCDD",
          ["EEFF", "CCDD", "EFCD", "GGHH", "EEFFCCDD", "ECFD"],
          ["EFCDGH", "ECFDGH"], 0.38),
    Voice("r", "scale", 0, "XXXXXXXXXXXXXXXXXXXX", 1968, "XXXX+-YZ",
          ["XXXX", "XX+X", "XX-X", "X+X-", "XXXXYXXXXZ", "XX00XX00"],
          ["X+X-XYXZ", "XXXX+-"], 0.6),
    # Arpeggio voices: chord tones above the melody note in the bass; V is a
    # random tone, X the note itself.
    Voice("5", "arpeggio", 26, "VAXVQXV+AVXAVVAXVQXV", 1968, "VVVVAAXXQQ+",
          ["VVVV", "XXXX", "AAAA", "QAQA", "AXAX", "VAXV", "XQX"],
          ["QAQAQAQA", "XXXXXXXXVVVV", "A+A+AQ"], ARPEGGIO_DENSE_END, home="V"),
    Voice("v", "arpeggio", 0, "VWXV+AVQAV-XVVWXV+AV", 1968, "VVVVWWXX+AQ-",
          ["VVVV", "WXWX", "+A+A", "Q-Q-", "VWXV", "XXXX"],
          ["WQWQWQWQ", "+A+A-X", "XXXXVVVV"], 0.9, home="V"),
    Voice("w", "arpeggio", 26, "VZXV-XVWAVYAVVZXV-XV", 1968, "VVVVZZXX-WAY",
          ["VVVV", "ZXZX", "-W-W", "YAYA", "VZXV", "AAAA"],
          ["Z-Z-Z-Z-", "YAYAWA", "AAAAVVVV"], 0.88, home="V"),
    Voice("x", "arpeggio", 0, "VYXVYAVZAVZXVVYXVYAV", 1968, "VVVVYYXXAZ",
          ["VVVV", "YXYX", "ZAZA", "YYYY", "VYXV", "XXXX"],
          ["YAYAYAYA", "ZXZXZA", "XXXXXXXXVVVV"], 0.95, home="V"),
    Voice("y", "arpeggio", 26, "V-XVZXVYAVWAVV-XVZXV", 1968, "VVVV--XXZYAW",
          ["VVVV", "-X-X", "ZYZY", "WAWA", "V-XV", "AAAA"],
          ["-Z-Z-Z-Z", "YAWAYA", "VVVVXXXX"], 0.91, home="V"),
    Voice("z", "arpeggio", 0, "V+XVWAV-AVQXVV+XVWAV", 1968, "VVVV++XXWA-Q",
          ["VVVV", "+X+X", "WAWA", "-AQX", "V+XV", "QQQQ"],
          ["+W+W+W+W", "-AQX-A", "XXXXVVVV"], 0.89, home="V"),
    # Harmony voices: - a third up, + a third up where the fourth below is in
    # the scale, X the melody note itself, all inside the voice's register.
    Voice("a", "harmony", 104, "XXXX--------XXXX----", 1968, "XX--+",
          ["XXXX----", "----XXXX", "XX--XX--", "X-X-", "++XX"],
          ["XXXX----", "XX--++--"], 0.66),
    Voice("b", "harmony", 104, "----XXXX----XXXX----", 1968, "XX--+",
          ["----XXXX", "--XX++XX", "-X-X", "XXXX----", "+X+X"],
          ["----XXXX", "--++XXXX"], 0.43),
    Voice("c", "harmony", 104, "XXXX--------XXXX----", 1968, "X---+",
          ["XXXX----", "--------", "X--X", "XX++", "-+-+"],
          ["XX--XX--", "----++++"], 0.74),
    Voice("d", "harmony", 104, "----XXXX----XXXX----", 1968, "XX-+",
          ["----XXXX", "XXXX", "-X-+", "++--", "X+X-"],
          ["-X-X+X+X", "----XXXX"], 0.37),
    Voice("e", "harmony", 104, "XXXX--------XXXX----", 1968, "XX--++",
          ["XXXX----", "XX--", "++XX--XX", "X-"],
          ["XXXX--++", "X-X-X+X+"], 0.58),
    Voice("f", "harmony", 104, "----XXXX----XXXX----", 1968, "X--+",
          ["----XXXX", "--XX", "-+-X", "++++----"],
          ["----XXXX++XX", "-X-X"], 0.82),
    Voice("g", "harmony", 104, "XXXX--------XXXX----", 1968, "XXX-+",
          ["XXXX----", "X---", "XX++XX--", "-X-X"],
          ["XXXX----XXXX++++", "X-X-"], 0.5),
    Voice("h", "harmony", 104, "----XXXX----XXXX----", 1968, "XX--+",
          ["----XXXX", "---X", "+--X+--X", "XXXX"],
          ["--XX--XX", "+X-X"], 0.69),
    Voice("i", "harmony", 104, "XXXX--------XXXX----", 1968, "XX-+",
          ["XXXX----", "XX+-", "X+X+X-X-", "----"],
          ["XXXX----", "XX++XX--"], 0.41),
    Voice("j", "harmony", 104, "----XXXX----XXXX----", 1968, "X--+",
          ["----XXXX", "-X+X", "----++++", "XX--"],
          ["----XXXX----++++", "-X-X"], 0.77),
    # Band harmony: a third or a sixth, a fourth or a fifth against the melody
    # note brought into the low band; X the note itself.
    Voice("A", "band", 168, "X0000000000000000000", 1968, "XXX+-YZ",
          ["X0000000", "X000X000", "+000-000", "X0Y0", "XZ00"],
          ["X0X0+0-0", "X00YX00Z"], 0.72, opening=40),
    Voice("B", "band", 168, "+0000X00000000X000X0", 1968, "XX+-YZ",
          ["+0000X00", "X000X0", "+0-0", "Y00Z00", "X0+0"],
          ["+0X0+0X0", "Y0Z0X0X0"], 0.55, opening=60),
    Voice("C", "band", 1, "Y+Z-0Y+Z-0Y+Z-0Y+Z-0", 1968, "Y+Z-X",
          ["Y+Z-0", "Y+Z-", "+-YZ", "YY00ZZ00", "X+X-"],
          ["Y+Z-Y+Z-", "YZ+-X"], 0.64),
    Voice("D", "band", 196, "X00000000000000000X+", 1968, "XX+-YZ",
          ["X000000X+", "X00+", "Y000Z000", "X0-0"],
          ["X0X+X0X-", "Y0Z0"], 0.48, opening=40),
    Voice("E", "band", 104, "-YZ+ZXXY-YZ+XYXZXYXZ", 1968, "XY-Z+",
          ["-YZ+", "ZXXY", "XYXZ", "-YZ+ZXXY", "XY"],
          ["-YZ+ZXXY", "XYXZXYXZ"], 0.81),
    Voice("F", "band", 1, "+X-X0+X-X0+X-X0+X-X0", 1968, "X+-YZ",
          ["+X-X0", "+X-X", "YXZX0", "XX00", "+0-0"],
          ["+X-X+X-X", "YXZXYXZX"], 0.39),
    Voice("H", "band", 169, "+0-000X0-0Y00ZX0--00", 1968, "X+-YZ-",
          ["+0-000X0", "-0Y00Z", "X0--00", "+0-0"],
          ["+0-0X0-0", "Y0Z0X0--"], 0.6, opening=40),
    Voice("I", "band", 1, "X-X+0X-X+0X-X+0X-X+0", 1968, "X-+YZ",
          ["X-X+0", "X-X+", "XYXZ0", "X0X0", "-+"],
          ["X-X+X-X+", "XYXZ"], 0.7),
    Voice("J", "band", 5, "X0000X0000X0000X0000", 1968, "XXX+-YZ",
          ["X0000", "X000X000", "X0000+0000", "Y0000Z0000"],
          ["X0X0X0X0", "X0+0X0-0"], 0.52),
    Voice("K", "band", 5, "+0000+0000+0000+0000", 1968, "++X-YZ",
          ["+0000", "+000+000", "+0000-0000", "Y0000+0000"],
          ["+0+0+0+0", "+0X0+0-0"], 0.75),
    Voice("L", "band", 1, "-Z+YY-Z+YY-Z+YY-Z+YY", 1968, "-Z+YX",
          ["-Z+YY", "-Z+Y", "YY00", "-Z00+Y00", "X-X+"],
          ["-Z+YY-Z+YY", "-Z-Z+Y+Y"], 0.45),
    Voice("N", "band", 172, "--0Y000X00+Y0+Z00000", 1968, "-Y+ZX",
          ["--0Y000X", "00+Y0+Z", "-0Y0", "X0+0"],
          ["--0Y+Y0Z", "-Y-Y+Z"], 0.67, opening=40),
    Voice("W", "band", 0, "-Y-Y-Y-Y-Y-Y-Y-Y-Y-Y", 1968, "-Y-Y+ZX",
          ["-Y-Y", "-Y", "+Z+Z", "-Y-YX000", "YY--"],
          ["-Y-Y-Y-Y", "+Z+Z-Y-Y"], 0.57),
    Voice("Z", "band", 180, "X000000000000000X000", 1968, "XXX+-YZ",
          ["X000000000", "X000X000", "X0+0", "Y000Z000"],
          ["X000X000", "X0Y0X0Z0"], 0.84, opening=40),
    # Tonic answers: only tonic notes sound; + a third, - a sixth, Z a fifth,
    # Y a fourth (y, in s only, reads as Y).
    Voice("s", "tonic", 0, "-y+Z-y+Z-y+Z-y+Z-y+Z", 1853, "-y+Z-+ZY",
          ["-y+Z", "-y", "+Z+Z", "-Y+Z", "y-y-", "ZZ++"],
          ["-y+Z-y+Z", "+Z-y"], 0.63),
    Voice("t", "tonic", 0, "Y+Y+Y+Y+Y+Y+Y+Y+Y+Y+", 1853, "Y+Y+-Z",
          ["Y+Y+", "Y+", "-Z-Z", "Y+-Z", "YY++"],
          ["Y+Y+Y+Y+", "-ZY+"], 0.46),
    # Split voices: ornaments one or two scale degrees from the melody note;
    # V a step up or down at random.
    Voice("k", "split", 212, "+-+-00ZY00+-+-00ZY00", 1967, "+-ZYV",
          ["+-+-", "ZY00", "V0V0", "+0-0Z0Y0", "+-ZY"],
          ["+-+-ZYZY", "V+V-"], 0.55, opening=60),
    Voice("l", "split", 148, "Z0Y0V0V0Z0Y0V0V0+0-0", 1967, "ZY+-V",
          ["Z0Y0", "V0V0", "+0-0", "ZYZY", "V00V00"],
          ["Z0Y0V0V0", "ZY+-"], 0.73, opening=60),
    # U and V sound only on the shortest notes, as a random neighbour step.
    Voice("U", "alternation", 0, "V0V0V0V0V0V0V0V0V0V0", 1967, "V",
          ["V0V0V0V0", "V00V00", "VV00VV00", "V000V000", "V0V00V0V"],
          ["V0V0V0V0V0V0", "VV0VV0"], 0.62),
    Voice("V", "alternation", 0, "0V0V0V0V0V0V0V0V0V0V", 1967, "V",
          ["0V0V0V0V", "0V00V0", "00VV00VV", "0V000V00", "V0V00V"],
          ["0V0V0V0V0V0V", "0VV0VV"], 0.4),
]

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
