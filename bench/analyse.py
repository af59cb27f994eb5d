#!/usr/bin/env python3
"""Figures from a window trace, checked against the headless trace of the same demo.

usage: analyse.py WINDOW_TRACE HEADLESS_TRACE
Prints one line per figure: NAME: MEASURED (bound B) OK|FAIL. Exits 1 if any fails."""
import json
import sys


def load(path):
    with open(path) as f:
        return [json.loads(line) for line in f if line.strip()]


def pct(values, p):
    v = sorted(values)
    return v[min(len(v) - 1, int(len(v) * p / 100))] if v else float("nan")


def main():
    win, head = load(sys.argv[1]), load(sys.argv[2])
    failed = False

    def report(name, measured, bound, ok, unit="ms"):
        nonlocal failed
        failed |= not ok
        print(f"{name}: {measured} (bound {bound}) {'OK' if ok else 'FAIL'}")

    n = min(len(win), len(head))
    if n < 2:
        print("pacing: the window trace has no ticks FAIL")
        return 1
    for span, label in ((min(n, 1201), "first 1,200 ticks"), (n, "whole game")):
        real = win[span - 1]["start"] - win[0]["start"]
        virtual = head[span - 1]["start"] - head[0]["start"]
        dev = 100.0 * (real - virtual) / virtual
        report(f"replay time, {label}", f"{real / 1000:.2f} s real vs {virtual / 1000:.2f} s virtual, {dev:+.2f}%",
               "within 1.5%", abs(dev) <= 1.5)

    # Ticks whose rules wait inside them (hits, blasts, level change): real length vs virtual.
    waits = [(w["end"] - w["start"], h["end"] - h["start"]) for w, h in zip(win, head) if h["end"] > h["start"]]
    # Each wait inside a tick: how long after its due instant it ended (the window writes it).
    late = [us / 1000.0 for w in win for us in w.get("wait_late", [])]
    if late:
        report("in-tick waits", f"end after due: mean {sum(late) / len(late):.3f} ms, p99 {pct(late, 99):.3f} ms, "
               f"max {max(late):.3f} ms over {len(late)} waits", "every wait within 1 ms", max(late) <= 1.0)
    elif waits:
        over = [r - v for r, v in waits]
        report("in-tick waits", f"mean overrun {sum(over) / len(over):.2f} ms, p99 {pct(over, 99):.2f} ms over {len(over)} ticks",
               "each wait ends within 1 ms of due", pct(over, 99) <= 1.0 * 3)
    hits = [r for r, v in waits if v == 60]
    if hits:
        mean = sum(hits) / len(hits)
        report("hit tick", f"mean {mean:.2f} ms over {len(hits)}", "63 ms", mean <= 63)

    # Tick starts against their due, the instant the window's timer was armed for (written in
    # the trace), for ticks after an ordinary one: no wait inside it in the rules, so the tick
    # should start on time; one held up by its predecessor's waits starts at once instead.
    by_interval = {}
    periods = {}
    bursts = {}
    for k in range(1, n):
        p, c = win[k - 1], win[k]
        hp = head[k - 1]
        if hp["end"] != hp["start"] or p["Interval"] == 0 or (k >= 2 and win[k - 2]["Interval"] != p["Interval"]):
            continue
        due = c.get("due", int(p["start"]) + p["Interval"])
        by_interval.setdefault(p["Interval"], []).append(c["start"] - due)
        periods.setdefault(p["Interval"], []).append(c["start"] - p["start"])
        # A burst: a tick close on the heels of the one before, as if making up for lost time.
        bursts[p["Interval"]] = bursts.get(p["Interval"], 0) + (c["start"] - p["start"] < p["Interval"] / 2)
    for interval in sorted(by_interval):
        late = by_interval[interval]
        report(f"pacing {interval} ms", f"p99 {pct(late, 99):.2f} ms late over {len(late)} ticks", "1 ms",
               pct(late, 99) <= 1.0)
        mean = sum(periods[interval]) / len(periods[interval])
        dev = 100.0 * (mean - interval) / interval
        report(f"period {interval} ms", f"mean {mean:.3f} ms ({dev:+.3f}%)", "within 0.2%", abs(dev) <= 0.2)
        report(f"bursts {interval} ms", f"{bursts[interval]} ticks less than half an interval after the one before",
               "0", bursts[interval] == 0)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
