#!/usr/bin/env python3
"""Runs two bluffwick-lab builds on the same inputs and compares every byte.

usage: scripts/compare-lab.py OLD_LAB NEW_LAB

Each case feeds both builds the same arguments and standard input and compares
stdout, stderr and the exit status. The simulator's deals_per_second line is a
clock reading and is left out. Prints one line per case and a total; exits 1 on
any difference.
"""
import hashlib
import itertools
import random
import re
import subprocess
import sys


def all_hands():
    return "".join(" ".join(map(str, h)) + "\n" for h in itertools.combinations(range(52), 5))


def bet_lines():
    rows = []
    rolls = [0, 1, 2, 9, 10, 29, 30, 39, 40, 50, 54, 55, 59, 60, 64, 65, 69, 70, 73, 74, 79, 80]
    rolls += [84, 85, 89, 90, 91, 93, 94, 95, 96, 97, 98, 99, 32767]
    rng = random.Random(1)
    for category, money, dealer, draws, bluff, kicker in itertools.product(
        range(11), range(1, 40), range(2), range(6), range(2), range(2)
    ):
        for r1 in rolls:
            r = [r1, rng.randrange(32768), rng.randrange(32768), rng.randrange(32768)]
            rows.append(
                f"{category} {money} {dealer} {draws} {bluff} {kicker} {' '.join(map(str, r))}\n"
            )
    return "".join(rows)


def discard_lines():
    rng = random.Random(2)
    rows = []
    for hand in itertools.combinations(range(52), 5):
        hand = list(hand)
        rng.shuffle(hand)
        draws = [rng.randrange(32768) for _ in range(3)]
        rows.append(" ".join(map(str, hand + draws)) + "\n")
    return "".join(rows)


BAD_LINES = [
    "1 2 3 4\n",
    "1 2 3 4 52\n",
    "1 1 2 3 4\n",
    "a b c d e\n",
    "0 1 2 3 4 5\n",
    "\n\n-1 2 3 4 5\n",
    "0 1 2 3 4\r\n\r\n5 6 7 8 9\n",
    " 0\t1 2 3 4 \n",
]


def cases():
    yield "eval all hands", ["eval"], all_hands()
    for k, text in enumerate(BAD_LINES):
        yield f"eval input {k}", ["eval"], text
        yield f"discards input {k}", ["discards"], text.replace("\n", " 0 0 0\n")
        yield f"bet input {k}", ["bet"], text.replace("\n", " 0 0 0 0 0\n")
    yield "eval extra argument", ["eval", "x"], ""
    for seed, n in [(0, 1000), (1, 1000), (12345, 500), (4294967295, 500), (7, 0)]:
        yield f"rand {seed} {n}", ["rand", str(seed), str(n)], ""
    for args in [[], ["1"], ["-1", "5"], ["4294967296", "1"], ["1", "x"], ["1", "2147483648"]]:
        yield "rand " + " ".join(args), ["rand"] + args, ""
    rng = random.Random(3)
    for t in [0, 1, 86399, 1234567890, 2147483647] + [rng.randrange(2**31) for _ in range(200)]:
        yield f"shuffle {t}", ["shuffle", str(t)], ""
    for args in [[], ["-1"], ["2147483648"], ["1", "2"], ["0x10"]]:
        yield "shuffle " + " ".join(args), ["shuffle"] + args, ""
    yield "bet sweep", ["bet"], bet_lines()
    yield "bet out of range", ["bet"], "11 1 0 0 0 0 0 0 0 0\n"
    yield "bet money 40", ["bet"], "1 40 0 0 0 0 0 0 0 0\n"
    yield "discards all hands", ["discards"], discard_lines()
    sims = [
        "--matches 3 --seed 1 --check --trace",
        "--matches 3 --player careful --seed 2 --time 1234567890 --check --trace",
        "--matches 2 --player careful --seed 5 --time 86399 --check --trace",
        "--matches 300 --player random --seed 7 --check",
        "--matches 300 --player careful --seed 8 --time 1234567890 --check",
        "--matches 50 --time 4000000000 --seed 9223372036854775807",
        "--matches 0 --trace",
        "--matches x",
        "--player lazy",
        "--seed",
        "--time 1 --time 2",
        "--bogus",
    ]
    for s in sims:
        yield "simulate " + s, ["simulate"] + s.split(), ""
    yield "no mode", [], ""
    yield "unknown mode", ["poker"], ""
    yield "help", ["--help"], ""


SPEED = re.compile(rb"^deals_per_second: [0-9]+\n", re.M)


def run(lab, args, text):
    done = subprocess.run([lab] + args, input=text.encode(), capture_output=True)
    return SPEED.sub(b"", done.stdout), done.stderr, done.returncode


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    old_lab, new_lab = sys.argv[1:]
    differ = 0
    total = 0
    for name, args, text in cases():
        old = run(old_lab, args, text)
        new = run(new_lab, args, text)
        total += 1
        digest = hashlib.sha256(old[0]).hexdigest()[:12]
        same = old == new
        differ += 0 if same else 1
        print(
            f"{'same' if same else 'DIFFERENT'}  exit {old[2]}  {len(old[0]):>9} bytes  "
            f"sha256 {digest}  {name}"
        )
    print(f"{total - differ} of {total} cases byte for byte the same")
    sys.exit(1 if differ else 0)


if __name__ == "__main__":
    main()
