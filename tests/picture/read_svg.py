#!/usr/bin/python3
"""Reads a piano-roll SVG with Python's XML parser (so the file must be
well-formed XML) and prints what the tests check, as JSON: the size, the
title, and per row the melody's marks, the other voices' notes and the
phrase numbers."""
import json
import re
import sys
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"
root = ElementTree.parse(sys.argv[1]).getroot()
assert root.tag == SVG + "svg", root.tag
rows = []
for row in root.iter(SVG + "g"):
    if row.get("class") != "row":
        continue
    melody = [{"x": float(mark.get("x")), "y": float(mark.get("y")), "width": float(mark.get("width")),
               "height": float(mark.get("height"))}
              for mark in row.iter() if mark.get("class") == "melody"]
    voices = {}
    for path in row.iter(SVG + "path"):
        if path.get("class") == "voice":
            voice = path.get("data-voice")
            voices[voice] = voices.get(voice, 0) + len(re.findall("M", path.get("d")))
    phrases = [int(text.text) for text in row.iter(SVG + "text") if text.get("class") == "phrase-number"]
    rows.append({"melody": melody, "voices": voices, "phrases": phrases})
title = root.find(SVG + "title")
print(json.dumps({
    "width": float(root.get("width")), "height": float(root.get("height")),
    "title": title.text if title is not None else "",
    "texts": ["".join(text.itertext()) for text in root.iter(SVG + "text")],
    "melodyMarks": sum(1 for element in root.iter() if element.get("class") == "melody"),
    "rows": rows}))
