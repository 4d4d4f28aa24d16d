#!/usr/bin/python3
"""Reads a MIDI file with mido and prints what the tests check, as JSON."""
import json
import sys

import mido

midi = mido.MidiFile(sys.argv[1])
tracks = []
for track in midi.tracks:
    tick = 0
    info = {"name": track.name, "texts": [], "tempos": [], "keys": [], "programs": [], "notes": []}
    started = {}
    for message in track:
        tick += message.time
        if message.type == "text":
            info["texts"].append(message.text)
        elif message.type == "set_tempo":
            info["tempos"].append(message.tempo)
        elif message.type == "key_signature":
            info["keys"].append(message.key)
        elif message.type == "program_change":
            info["programs"].append(message.program)
        elif message.type == "note_on" and message.velocity > 0:
            started[(message.channel, message.note)] = (tick, message.velocity)
        elif message.type == "note_off" or (message.type == "note_on" and message.velocity == 0):
            on_tick, velocity = started.pop((message.channel, message.note))
            info["notes"].append({"note": message.note, "on": on_tick, "off": tick, "velocity": velocity})
    info["notes"].sort(key=lambda n: (n["on"], n["note"]))
    info["unended"] = len(started)
    tracks.append(info)
print(json.dumps({"type": midi.type, "ticks_per_beat": midi.ticks_per_beat, "tracks": tracks}))
