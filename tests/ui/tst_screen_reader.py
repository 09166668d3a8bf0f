#!/usr/bin/python3
# A blind player's game by keys, judged by what Orca says: the lobby, choosing, six openings, a
# refused offer, the amounts read out, five more openings, a sale, the slide, the verdict, the
# lobby again and Exit.   usage: on-desktop.sh orca tst_screen_reader.py GAME
import os
import re
import subprocess
import sys
import time

AMOUNT = r"\$\d{1,3}(?:,\d{3})*"
# How each Orca names what the focus lands on: 43 says "push button." and "frame.", 48 "button"
# and, back in a window it has seen, the title alone.
BUTTON = r"(?:push )?button\.?"
WINDOW = r"Zumo or No Zumo(?: frame)?\.?"
ALERT = r"alert Zumo or No Zumo\.?"
transcript = []


def said():
    """Every utterance so far, and whether it was spoken to its end."""
    with open(os.environ["ZUMO_SPEECH_LOG"], encoding="utf-8", errors="replace") as log:
        lines = log.read().splitlines()
    return [(line[5:], i + 1 < len(lines) and lines[i + 1] == "done")
            for i, line in enumerate(lines) if line.startswith("said ")]


def fail(why):
    print("\n".join(transcript) + f"\nFAIL: {why}")
    sys.exit(1)


def hear(key, *expected, limit=30):
    """Presses key (xdotool's name), then listens as a player would: until the expected patterns
    have been said, in order, and the speech has been quiet for a second. What was said, in one
    line."""
    global heard
    if key:  # held as a person holds a key; the game acts when it is let go
        subprocess.run(["xdotool", "keydown", "--clearmodifiers", key], check=True)
        time.sleep(0.1)
        subprocess.run(["xdotool", "keyup", "--clearmodifiers", key], check=True)
    start = changed = time.monotonic()
    new = []
    while True:
        time.sleep(0.05)
        now = time.monotonic()
        if (now_said := said()[heard:]) != new:
            new, changed = now_said, now
        text = " ".join(" ".join(t.split()) for t, _ in new)
        # An utterance not yet done is still being spoken: for as long as it takes, at most.
        quiet = 1 + (len(new[-1][0]) * float(os.environ["ZUMO_SPEECH_MS_PER_CHAR"]) / 1000
                     if new and not new[-1][1] else 0)
        if re.search(".*".join(expected), text) and now - changed >= quiet:
            break
        if now - start > limit:
            transcript.append(f"{key}: {text}")
            fail(f"after {key}, never heard {expected}")
    heard += len(new)
    transcript.append(f"{key}: {text}")
    # The player waited for every word: only Orca's echo of a key may be cut off, by what the key
    # does; nothing the game says may be.
    for t, done in new:
        if not done and not re.fullmatch(r"[\w ]+", t.strip()):
            fail(f"cut off after {key}: {t!r}")
    return text


def amounts(text):
    """The amounts of "N cases remain, holding $A, $B and $C.", checked against N."""
    count, listed = re.search(r"(\d+) cases remain, holding (.*)\.$", text).groups()
    listed = re.findall(AMOUNT, listed)
    if int(count) != len(listed):
        fail(f"{count} cases for {len(listed)} amounts")
    return listed


def open_case(case, offer):
    """Opens the focused case, number case: first where the focus went, the next case or the
    banker's call (with the instruction empty and silent), then what the case held."""
    first = ((ALERT, r"ANN.*the banker is offering you \$\d+\.", r"accept\?", r"Yes " + BUTTON)
             if offer else (rf"{case + 1} " + BUTTON, rf"Case {case + 1}, closed\."))
    text = hear("Return", *first, rf"Case {case} held ({AMOUNT})\.")
    if offer and "pick" in text:
        fail(f"an instruction under the offer: {text!r}")
    return re.search(rf"Case {case} held ({AMOUNT})\.", text).group(1)


heard = len(said())  # Orca's greeting
game = subprocess.Popen([sys.argv[1]], env=dict(os.environ, NWUSERNAME="ann"))
try:
    hear(None, WINDOW)
    hear("Tab", r"New Game " + BUTTON)
    hear("Return", r"Choose your case \(by clicking on the case\)\.", r"reject each bid\.",
         r"Press Tab to reach the cases, and V to hear the amounts still in play\.")
    hear("Tab", r"1 " + BUTTON, r"Case 1, closed\.")
    board = amounts(hear("v", r"25 cases remain, holding .*\$1\."))
    if board != sorted(set(board), key=lambda a: -int(a[1:].replace(",", ""))) or len(board) != 25:
        fail(f"not the value board's order: {board}")
    hear("Return", r"2 " + BUTTON, r"Case 2, closed\.", r"Case 1 is now your case\.",
         r"Now you have to pick 6 cases", r"\$1,000,000 case\.")
    opened = [open_case(case, offer=case == 7) for case in range(2, 8)]
    hear("Escape", r"8 " + BUTTON, r"Case 8, closed\.", r"Now you have to pick 5 cases")
    in_play = amounts(hear("v", r"19 cases remain, holding .*\."))
    if in_play != [a for a in board if a not in opened]:
        fail(f"{in_play} are not the value board without the opened {opened}")
    opened += [open_case(case, offer=case == 12) for case in range(8, 13)]
    hear("Return", ALERT, r"SOLD!", r"OK " + BUTTON)
    hear("Return", r"Case 1, your case, is being opened\.")
    verdict = hear(None, ALERT, r"You accepted the banker's offer\.", rf"Your case contained ({AMOUNT})\.",
                   r"[Tt]hank you for playing Zumo or No Zumo\.", limit=40)  # after the 7.7 s slide
    own = re.search(rf"Your case contained ({AMOUNT})\.", verdict).group(1)
    if own not in in_play or own in opened:
        fail(f"case 1 held {own}, though {opened} were opened and {in_play} were in play")
    hear("Return", WINDOW)
    hear("ctrl+x")
    try:
        status = game.wait(timeout=10)
    except subprocess.TimeoutExpired:
        fail("Ctrl+X did not end the game")
    print("\n".join(transcript))
    if status != 0:
        fail(f"the game exited with {status}")
finally:
    if game.poll() is None:
        game.kill()
