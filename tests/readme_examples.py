#!/usr/bin/env python3
"""Runs the README's command examples, cut short, so an example the program no longer takes
fails CI. Each line of a ```sh block that starts the program (./run.sh, build/*/lumaro) runs
with the built program, offscreen and ending a fraction of a second after its start; the
ffmpeg and plot lines that follow them run on what they wrote. Build, test, install and
web lines are left to their own tests. Paths under /tmp and relative names land in one
scratch folder.

usage: tests/readme_examples.py README PROGRAM
"""
import os
import re
import shlex
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAMS = re.compile(r'^(\./run\.sh|build/[a-z]+/lumaro)$')
SKIPPED = ('./test.sh', 'cmake', 'sudo', 'scripts/', 'python3', 'ctest', 'npm')


def commands(readme):
    """The example lines, comments cut off, in the order they appear."""
    inside, found = False, []
    for line in open(readme, encoding='utf-8'):
        if line.startswith('```'):
            inside = line.strip() == '```sh' and not inside
            continue
        text = line.split('  #')[0].strip()
        if inside and text:
            found.append(text)
    return found


def shortened(arguments, scratch):
    """The program's arguments, offscreen, to 0.2 s after the start and not looping, paths in
    the scratch folder."""
    out, start = ['-headless'], 0.0
    for a in arguments:
        a = a.replace('/tmp/', scratch + '/')
        if a.startswith('-start='):
            start = float(a[7:])
        if a.startswith('-end=') or a in ('-window', '-headless', '-loop'):  # -loop would never end
            continue
        out.append(a)
    if not any(a.startswith('-stills=') for a in out):
        out.append('-end=%g' % min(329, start + 0.2))
    return out


def run(line, program, scratch):
    words = shlex.split(line)
    if PROGRAMS.match(words[0]):
        command = [program] + shortened(words[1:], scratch)
        if '-web' in words:
            return None
    elif words[0] == 'ffmpeg':
        command = ['ffmpeg', '-v', 'error', '-y'] + [w.replace('/tmp/', scratch + '/') for w in words[1:]]
    elif words[0] == 'tools/plot_timedemo.py':
        command = [sys.executable, os.path.join(HERE, '..', words[0])] + words[1:]
    else:
        return None
    return subprocess.run(command, cwd=scratch, env=dict(os.environ, SDL_AUDIODRIVER='dummy'),
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, timeout=120)


def main():
    readme, program = sys.argv[1], os.path.abspath(sys.argv[2])
    failures = ran = 0
    with tempfile.TemporaryDirectory() as scratch:
        for line in commands(readme):
            if line.startswith(SKIPPED):
                continue
            result = run(line, program, scratch)
            if result is None:
                continue
            ran += 1
            if result.returncode != 0:
                failures += 1
                print('FAIL %s: exit %d: %s' % (line, result.returncode, result.stderr.strip()[-400:]))
    print('%d README examples run, %d failed' % (ran, failures))
    return 1 if failures or ran == 0 else 0


if __name__ == '__main__':
    sys.exit(main())
