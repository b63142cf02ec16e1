"""Prints the structure of a Standard MIDI File as mido reads it, one line per track.

Usage: python3 midi_structure.py FILE.mid
Output:
    type=1 ticks_per_beat=768 tracks=3 seconds=1.250000
    track 0: messages=3 ticks=0 end_of_track=1 last=end_of_track
    ...
mido raises on a malformed file (a chunk shorter than its length, a data byte above 127),
which makes the exit status non-zero.
"""
import sys

import mido


def main(path):
    midi = mido.MidiFile(path)
    print(f"type={midi.type} ticks_per_beat={midi.ticks_per_beat} tracks={len(midi.tracks)} "
          f"seconds={midi.length:.6f}")
    for number, track in enumerate(midi.tracks):
        ticks = sum(message.time for message in track)
        ends = sum(1 for message in track if message.type == "end_of_track")
        last = track[-1].type if len(track) else "none"
        print(f"track {number}: messages={len(track)} ticks={ticks} end_of_track={ends} last={last}")


if __name__ == "__main__":
    main(sys.argv[1])
