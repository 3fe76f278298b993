"""Seeded generator of realistic OGN APRS aircraft beacon lines.

Shared by the property tests and the Python benchmark. Each valid line comes
with the values it encodes, so tests can compare parsed attributes with them.
"""

from __future__ import annotations

import random
from dataclasses import dataclass

PROTOCOLS = {"OGFLR": ("FLR", 2), "OGNSKY": ("OGN", 3), "OGADSB": ("ICA", 1)}
RECEIVERS = ["LFMX", "Letzi", "EDDFmlat", "SafeSky", "GLIDERN1", "Koenigsdf", "LSZH2"]
PATHS = ["qAS", "qAR", "qAC", "TCPIP*,qAC"]


@dataclass
class Beacon:
    line: bytes
    callsign: str
    protocol: str
    q_construct: str
    receiver: str
    hms: tuple[int, int, int]
    latitude: float
    longitude: float
    track: float
    speed: float
    altitude: float
    prefix_byte: int
    address: int


def _coordinate(rng: random.Random, width: int, hemispheres: str) -> tuple[str, float]:
    degrees = rng.randrange(90 if width == 2 else 180)
    minutes = rng.randrange(6000) / 100
    hemisphere = rng.choice(hemispheres)
    value = degrees + float(f"{minutes:05.2f}") / 60.0
    if hemisphere in "SW":
        value = -value
    return f"{degrees:0{width}d}{minutes:05.2f}{hemisphere}", value


def _comment(rng: random.Random, identifier: str) -> str:
    tail = [
        f"{rng.randint(-999, 999):+04d}fpm",
        f"{rng.uniform(-9, 9):+.1f}rot",
        f"{rng.uniform(1, 40):.1f}dB",
        f"{rng.randint(0, 9)}e",
        f"{rng.uniform(-20, 20):+.1f}kHz",
        f"gps{rng.randint(1, 9)}x{rng.randint(1, 9)}",
        f"FL{rng.uniform(0, 400):06.2f}",
        "regD-KXYZ modelLS8",
    ]
    rng.shuffle(tail)
    words = tail[: rng.randint(0, len(tail))]
    shape = rng.random()
    if shape < 0.15:
        head = f"!W{rng.randint(0, 9)}{rng.randint(0, 9)}! {identifier}"
        return " " + " ".join([head, *words])
    if shape < 0.25:
        return identifier + (" " + " ".join(words) if words else "")  # glued to the altitude
    return " " + " ".join([identifier, *words])


def valid_beacon(rng: random.Random) -> Beacon:
    protocol = rng.choice(list(PROTOCOLS))
    callsign_prefix, _ = PROTOCOLS[protocol]
    address = rng.randrange(1 << 24)
    prefix_byte = rng.randrange(256)
    callsign = f"{callsign_prefix}{address:06X}"
    path = rng.choice(PATHS)
    parts = path.split(",")
    receiver = rng.choice(RECEIVERS)
    q_construct = parts[0]
    receiver_field = ",".join(parts[1:] + [receiver])
    hms = (rng.randrange(24), rng.randrange(60), rng.randrange(60))
    lat_text, latitude = _coordinate(rng, 2, "NS")
    lon_text, longitude = _coordinate(rng, 3, "EW")
    track, speed = rng.randrange(360), rng.randrange(1000)
    altitude = rng.randrange(-999, 99999)
    identifier = f"id{prefix_byte:02X}{address:06X}"
    comment = _comment(rng, identifier)
    if rng.random() < 0.1:
        comment += "\r\n"
    symbol_table, symbol = rng.choice(["/'", "\\^", "/X", "/g"])
    text = (
        f"{callsign}>{protocol},{q_construct},{receiver_field}:/{hms[0]:02d}{hms[1]:02d}{hms[2]:02d}h"
        f"{lat_text}{symbol_table}{lon_text}{symbol}{track:03d}/{speed:03d}/A={altitude:06d}" + comment
    )
    return Beacon(text.encode(), callsign, protocol, q_construct, receiver_field, hms, latitude, longitude,
                  float(track), float(speed), float(altitude), prefix_byte, address)


def malformed_line(rng: random.Random) -> bytes:
    line = bytearray(valid_beacon(rng).line)
    kind = rng.randrange(5)
    if kind == 0:
        del line[rng.randrange(len(line)):]
    elif kind == 1:
        at = line.index(b":/") + 2
        line[at:at + 2] = b"99"
    elif kind == 2:
        at = line.index(b" id") if b" id" in line else len(line)
        line[at:at + 3] = b" xx"
    elif kind == 3:
        at = line.rindex(b"id") + 3
        line[at:at + 1] = b"G"
    else:
        line[rng.randrange(len(line))] = 0xFF
    return bytes(line)


def corpus(count: int, seed: int = 1, malformed_fraction: float = 0.05) -> list[bytes]:
    rng = random.Random(seed)
    return [malformed_line(rng) if rng.random() < malformed_fraction else valid_beacon(rng).line
            for _ in range(count)]
