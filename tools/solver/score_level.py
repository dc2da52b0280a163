#!/usr/bin/env python3
"""Judges one level by the whole criterion of docs/levels.md.

    tools/solver/score_level.py BUILD_DIR LEVEL [FILE] [--jobs J] [--seed S] [--stats]

Lets the novice, the average and the skilled player try the level 20 times
each, and the average player once more with its keys 4 ticks later, and prints
their wins, the band each has to meet for the level's place in the set, and
whether the level meets the criterion. Without FILE it judges built-in level
LEVEL; with FILE it judges that level text as if it stood at place LEVEL, which
is how a new layout is tried before it replaces the old one. --stats adds where
the lost attempts ended. The four runs go J at a time (default 2). --seed plays
other attempts than the test does: a level that meets the criterion only for
the test's seeds has no margin.
"""
import argparse
import os
import re
import subprocess
from concurrent.futures import ThreadPoolExecutor

# The average player's keys arrive after 12 ticks; the cliff run gives it 4 more
# and lets it lose at most a quarter of the attempts' worth of its wins
# (kCliffReactionTicks and cliffLosses in solver/player_model).
LATER_REACTION = 16
CLIFF_LOSSES = 5
RUNS = (('novice', []), ('average', []), ('skilled', []),
        ('later', ['--reaction', str(LATER_REACTION)]))


def play(tool, source, name, extra):
    player = 'average' if name == 'later' else name
    out = subprocess.run([tool, 'playtest', *source, '--player', player, '--attempts', '20',
                          '--stats', *extra], capture_output=True, text=True, check=True).stdout
    won = int(re.search(r'^won (\d+) of', out, re.M).group(1))
    band = re.search(r'^# needed for its place in the set: (\d+) of \d+(?:, at most (\d+))?',
                     out, re.M)
    near = re.search(r'^# lost ones ended near: (.*)$', out, re.M)
    return {'won': won, 'least': int(band.group(1)),
            'most': int(band.group(2)) if band.group(2) else 20,
            'near': near.group(1) if near else ''}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('build')
    parser.add_argument('level', type=int)
    parser.add_argument('file', nargs='?')
    parser.add_argument('--jobs', type=int, default=2)
    parser.add_argument('--seed', type=int)
    parser.add_argument('--stats', action='store_true')
    args = parser.parse_args()
    tool = os.path.join(args.build, 'tools', 'ferlan-tool')
    source = [args.file, '--as-level', str(args.level)] if args.file else ['--level',
                                                                            str(args.level)]
    if args.seed is not None:
        source += ['--seed', str(args.seed)]
    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        futures = [pool.submit(play, tool, source, name, extra) for name, extra in RUNS]
        results = dict(zip((name for name, _ in RUNS), (f.result() for f in futures)))

    met = True
    for name, _ in RUNS[:3]:
        r = results[name]
        ok = r['least'] <= r['won'] <= r['most']
        met = met and ok
        most = f', at most {r["most"]}' if r['most'] < 20 else ''
        print(f'{name:8} {r["won"]:2} of 20 (needs {r["least"]}{most}) {"ok" if ok else "short"}')
    lost = results['average']['won'] - results['later']['won']
    ok = lost <= CLIFF_LOSSES
    met = met and ok
    print(f'later    {results["later"]["won"]:2} of 20 (loses {lost}, at most {CLIFF_LOSSES}) '
          f'{"ok" if ok else "cliff"}')
    if args.stats:
        for name, _ in RUNS:
            if results[name]['near']:
                print(f'# {name} lost near: {results[name]["near"]}')
    wins = '/'.join(str(results[name]['won']) for name, _ in RUNS)
    print(f'level {args.level}: {wins} {"meets" if met else "misses"} the criterion')
    return 0 if met else 1


if __name__ == '__main__':
    raise SystemExit(main())
