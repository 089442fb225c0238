#!/usr/bin/env python3
"""Nominal depth an engine reaches in the middle game at a given turn time.

usage: depth_check.py ENGINE MATCH_LOG [MS [POSITIONS [STONES]]]

Takes the games of a match log (vodaro_selfplay --log) longer than STONES + 10
stones, sets up the first STONES stones (default 20) of each with BOARD, lets
the engine think MS milliseconds (default 1000) with show_detail on, and
prints the median and quartiles of the depth its last detail line names.
ENGINE is split on blanks, so "env NAME=VALUE program" works. One engine
process per position, one position at a time.
"""
import re
import statistics
import subprocess
import sys

MOVE = re.compile(r'^\d+,\d+\s*$')
DEPTH = re.compile(r'Depth: (\d+)-(\d+)')


def positions(log, stones, limit):
    found = []
    for line in open(log):
        fields = dict(p.split(' ', 1) for p in line.rstrip('\n').split('\t') if ' ' in p)
        moves = fields.get('stones', '').split()
        if len(moves) > stones + 10:
            found.append((int(fields['rule']), int(fields['size']), moves[:stones]))
    return found[:limit]


def depth_of(engine, rule, size, stones, ms):
    lines = [f'START {size}', f'INFO rule {rule}', f'INFO timeout_turn {ms}', 'INFO show_detail 1', 'BOARD']
    lines += [f'{s},{1 if i % 2 == 0 else 2}' for i, s in enumerate(stones)]
    lines.append('DONE')
    proc = subprocess.Popen(engine.split(), stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    proc.stdin.write('\n'.join(lines) + '\n')
    proc.stdin.flush()
    depth = None
    # END would stop the search: it goes only after the move.
    for line in proc.stdout:
        found = DEPTH.findall(line)
        if found:
            depth = int(found[-1][0])
        if MOVE.match(line):
            break
    proc.stdin.write('END\n')
    proc.stdin.flush()
    proc.wait(timeout=10)
    return depth


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    engine, log = sys.argv[1], sys.argv[2]
    ms = int(sys.argv[3]) if len(sys.argv) > 3 else 1000
    limit = int(sys.argv[4]) if len(sys.argv) > 4 else 40
    stones = int(sys.argv[5]) if len(sys.argv) > 5 else 20
    depths = [d for d in (depth_of(engine, r, s, m, ms) for r, s, m in positions(log, stones, limit))
              if d is not None]
    if len(depths) < 2:
        sys.exit('too few positions with a depth')
    print(f'{len(depths)} positions, nominal depth median {statistics.median(depths)}, '
          f'quartiles {statistics.quantiles(depths, n=4)}')


if __name__ == '__main__':
    main()
