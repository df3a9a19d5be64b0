#!/usr/bin/env python3
"""Writes the demo's sample sound: a short chord, 16-bit mono WAV.

It also gives the demo package its size: the download engine refuses
packages below 1 MiB.
"""
import math
import struct
import sys
import wave

RATE = 44100
SECONDS = 15
NOTES = (261.63, 329.63, 392.00)  # C major

def main(path):
    frames = bytearray()
    total = RATE * SECONDS
    for n in range(total):
        t = n / RATE
        envelope = min(1.0, t * 4) * min(1.0, (SECONDS - t) * 2)
        value = sum(math.sin(2 * math.pi * f * t) for f in NOTES) / len(NOTES)
        frames += struct.pack('<h', int(value * envelope * 12000))
    with wave.open(path, 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))

if __name__ == '__main__':
    main(sys.argv[1])
