"""Several threads on one object: conflicts fail cleanly, reads are whole."""

import threading

from conftest import LINE, beacon_args, make_id
from volarion import volarion_native as vn

BORROW_ERRORS = {"Already borrowed", "Already mutably borrowed"}


def hammer(workers, rounds=3000):
    """Runs each worker in its own thread; returns unexpected failures."""
    failures = []
    barrier = threading.Barrier(len(workers))

    def run(work):
        barrier.wait()
        for i in range(rounds):
            try:
                work(i)
            except RuntimeError as error:
                if str(error) not in BORROW_ERRORS:
                    failures.append(error)
            except BaseException as error:  # noqa: BLE001 - anything else is a fault
                failures.append(error)

    threads = [threading.Thread(target=run, args=(w,)) for w in workers]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return failures


def test_beacon_id_reads_are_never_half_written():
    states = [make_id(0x06, 0x111111), make_id(0xC5, 0x222222)]
    texts = {repr(s) for s in states}
    shared = vn.OGNBeaconID(states[0].prefix, states[0].icao_address)
    seen_bad = []

    def write(i):
        state = states[i % 2]
        shared.prefix = state.prefix
        shared.icao_address = state.icao_address

    def read(_):
        text = repr(shared)
        # Prefix and address are written by separate setters, so a reader may
        # see either prefix with either address, but never a torn field.
        if not any(text.startswith(t.split(", icao_address")[0]) for t in texts):
            seen_bad.append(text)
        shared == states[0]

    assert hammer([write, write, read, read]) == []
    assert seen_bad == []


def test_beacon_reads_see_one_whole_state():
    a = vn.AircraftBeacon(**beacon_args(callsign="A" * 40, receiver="A" * 40))
    shared = vn.AircraftBeacon(**beacon_args(callsign="A" * 40, receiver="A" * 40))
    bad = []

    def write(i):
        shared.callsign = "A" * 40 if i % 2 else "B" * 25
        shared.ogn_beacon_id = make_id(0x06 if i % 2 else 0x05)

    def read(_):
        callsign = shared.callsign
        if callsign not in ("A" * 40, "B" * 25):
            bad.append(callsign)
        text = repr(shared)
        if not (text.startswith('PyAircraftBeacon { callsign: "' + "A" * 40 + '"')
                or text.startswith('PyAircraftBeacon { callsign: "' + "B" * 25 + '"')):
            bad.append(text)
        shared == a

    assert hammer([write, write, read, read]) == []
    assert bad == []


def test_parallel_parses_match_single_threaded_results():
    import beacon_lines

    lines = beacon_lines.corpus(2000, seed=7) + [LINE]

    def parse_all():
        out = []
        for line in lines:
            try:
                out.append(repr(vn.parse_ogn_aprs_aircraft_beacon(line)))
            except ValueError as error:
                out.append(str(error))
        return out

    expected = parse_all()
    results = [None] * 4

    def worker(k):
        results[k] = parse_all()

    threads = [threading.Thread(target=worker, args=(k,)) for k in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert all(r == expected for r in results)
