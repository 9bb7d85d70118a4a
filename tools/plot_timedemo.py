#!/usr/bin/env python3
"""Frame time across the show as an SVG line chart, from a timedemo's per-frame CSV.

usage: tools/plot_timedemo.py RUN-frames.csv OUT.svg [TITLE]

Every frame is a faint line, the median of each second a bold one; scene changes are marked
with their numbers and the 60 fps budget (16.7 ms) is a dashed line. Plain SVG, so it needs
nothing beyond Python.
"""
import csv
import math
import statistics
import sys

WIDTH, HEIGHT = 960, 360
LEFT, RIGHT, TOP, BOTTOM = 56, 16, 40, 40
BUDGET_MS = 1000 / 60


def read_frames(path):
    with open(path, newline="") as f:
        return [(float(r["clock_s"]), int(r["scene"]), float(r["ms"])) for r in csv.DictReader(f)]


def chart(frames, title):
    # The run's own span and frame rate: the scenes and their times come from the CSV.
    show_seconds = max(1, math.ceil(frames[-1][0]))
    frames_per_second = max(1, round((len(frames) - 1) / max(frames[-1][0] - frames[0][0], 1e-9)))
    top_ms = max(20.0, min(60.0, max(ms for _, _, ms in frames) * 1.05))
    plot_w, plot_h = WIDTH - LEFT - RIGHT, HEIGHT - TOP - BOTTOM
    x = lambda s: LEFT + plot_w * s / show_seconds
    y = lambda ms: TOP + plot_h * (1 - min(ms, top_ms) / top_ms)
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
           f'font-family="sans-serif" font-size="11">',
           f'<rect width="{WIDTH}" height="{HEIGHT}" fill="white"/>',
           f'<text x="{LEFT}" y="18" font-size="13">{title}</text>']
    for ms in range(0, int(top_ms) + 1, 5):
        out.append(f'<line x1="{LEFT}" x2="{WIDTH - RIGHT}" y1="{y(ms):.1f}" y2="{y(ms):.1f}" stroke="#eee"/>')
        out.append(f'<text x="{LEFT - 6}" y="{y(ms) + 4:.1f}" text-anchor="end">{ms}</text>')
    out.append(f'<text x="12" y="{TOP + plot_h / 2}" transform="rotate(-90 12 {TOP + plot_h / 2})" '
               f'text-anchor="middle">ms a frame</text>')
    for s in range(0, show_seconds + 1, 30):
        out.append(f'<text x="{x(s):.1f}" y="{HEIGHT - BOTTOM + 16}" text-anchor="middle">{s} s</text>')
    # Scene changes, numbered midway through each scene's span.
    spans = []
    for clock, scene, _ in frames:
        if not spans or spans[-1][0] != scene:
            spans.append([scene, clock, clock])
        spans[-1][2] = clock
    for scene, start, end in spans:
        out.append(f'<line x1="{x(start):.1f}" x2="{x(start):.1f}" y1="{TOP}" y2="{TOP + plot_h}" stroke="#ccc"/>')
        if scene > 0:
            out.append(f'<text x="{x((start + end) / 2):.1f}" y="{TOP - 4}" text-anchor="middle">{scene}</text>')
    out.append(f'<line x1="{LEFT}" x2="{WIDTH - RIGHT}" y1="{y(BUDGET_MS):.1f}" y2="{y(BUDGET_MS):.1f}" '
               f'stroke="#c33" stroke-dasharray="6 4"/>')
    out.append(f'<text x="{WIDTH - RIGHT - 4}" y="{y(BUDGET_MS) - 4:.1f}" text-anchor="end" fill="#c33">'
               f'16.7 ms = 60 fps</text>')
    every = " ".join(f"{x(c):.1f},{y(ms):.1f}" for c, _, ms in frames)
    out.append(f'<polyline points="{every}" fill="none" stroke="#9bc" stroke-width="0.6"/>')
    seconds = [frames[i:i + frames_per_second] for i in range(0, len(frames), frames_per_second)]
    medians = " ".join(f"{x(statistics.mean(c for c, _, _ in s)):.1f},{y(statistics.median(ms for _, _, ms in s)):.1f}"
                       for s in seconds)
    out.append(f'<polyline points="{medians}" fill="none" stroke="#036" stroke-width="1.6"/>')
    out.append(f'<rect x="{LEFT}" y="{TOP}" width="{plot_w}" height="{plot_h}" fill="none" stroke="#888"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__.strip().splitlines()[2])
    frames = read_frames(sys.argv[1])
    if not frames:
        sys.exit(f"{sys.argv[1]}: no frames")
    title = sys.argv[3] if len(sys.argv) == 4 else "Lumaro timedemo: frame time across the show"
    with open(sys.argv[2], "w") as f:
        f.write(chart(frames, title))


if __name__ == "__main__":
    main()
