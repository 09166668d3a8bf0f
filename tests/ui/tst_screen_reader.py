#!/usr/bin/python3
# A blind player's game, played by keys with Orca, judged by what Orca says: from the lobby through
# choosing, six openings, a refused offer, the amounts read out, five more, a sale, the slide and
# the closing message, back to the lobby and out.
# usage: on-desktop.sh orca tst_screen_reader.py GAME
import os
import re
import subprocess
import sys
import time

LOG = os.environ["ZUMO_SPEECH_LOG"]
MS_PER_CHAR = float(os.environ["ZUMO_SPEECH_MS_PER_CHAR"])
AMOUNT = r"\$\d{1,3}(?:,\d{3})*"
transcript = []


def utterances():
    """Everything said so far: (text, spoken to the end)."""
    with open(LOG, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n")
    said = []
    for line in lines:
        if line.startswith("said "):
            said.append([line[5:], False])
        elif line == "done" and said:
            said[-1][1] = True
    return said


def fail(why):
    if game.poll() is None:
        game.kill()
    print("\n".join(transcript))
    print(f"FAIL: {why}", file=sys.stderr)
    sys.exit(1)


heard_until = len(utterances())  # Orca's greeting


def hear(key, *expected, limit=30):
    """Presses key (xdotool's name; None for none), then listens as a player would, until every
    expected pattern has been said, in order, and the speech has been quiet for a second. Returns
    what was said, in one line."""
    global heard_until
    if key:
        subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)
    start = time.monotonic()
    last_change, seen = start, None
    while True:
        time.sleep(0.05)
        now = time.monotonic()
        said = utterances()[heard_until:]
        if said != seen:
            seen, last_change = said, now
        text = " ".join(" ".join(t.split()) for t, _ in said)
        matched = re.search(".*".join(expected), text) if expected else True
        # Until the last utterance has been said to its end, or for as long as it takes to say.
        speaking = said and not said[-1][1]
        quiet = 1.0 + (len(said[-1][0]) * MS_PER_CHAR / 1000 if speaking else 0)
        if matched and now - last_change >= quiet:
            break
        if now - start > limit:
            transcript.append(f"{key}: {text}")
            fail(f"after {key}, never heard: {expected}")
    heard_until += len(said)
    transcript.append(f"{key}: {text}")
    # A key cuts off Orca's echo of the one before; nothing else may be cut off, by the game or by
    # Orca's reaction to it, since the player waited for every word.
    for t, done in said:
        if not done and not re.fullmatch(r"[\w ]+ ", t):
            fail(f"cut off after {key}: {t!r}")
    return text


def amounts(text):
    match = re.search(r"(\d+) cases remain, holding (.*)\.$", text)
    if not match:
        fail(f"no amounts in {text!r}")
    listed = re.findall(AMOUNT, match.group(2))
    if int(match.group(1)) != len(listed):
        fail(f"{match.group(1)} cases for {len(listed)} amounts")
    return listed


def value(amount):
    return int(amount[1:].replace(",", ""))


game = subprocess.Popen([sys.argv[1]], env=dict(os.environ, NWUSERNAME="ann"))
hear(None, r"Zumo or No Zumo frame\.")

# Lobby commands are commands one presses; the board introduces itself and how to begin.
hear("Tab", r"New Game push button\.")
hear("Return", r"Zumo or No Zumo frame\.", r"Choose your case \(by clicking on the case\)\.",
     r"reject each bid\.", r"Press Tab to reach the cases, and V to hear the amounts still in play\.")
hear("Tab", r"1 push button\.", r"Case 1, closed\.")
# The value board, in its order: all 25 amounts, largest first.
board = amounts(hear("v", r"25 cases remain, holding .*\$1\."))
if board != sorted(board, key=value, reverse=True) or len(set(board)) != 25:
    fail(f"not the value board: {board}")

hear("Return", r"Case 1 is now your case\.", r"Now you have to pick 6 cases", r"\$1,000,000 case\.",
     r"2 push button\.", r"Case 2, closed\.")


def open_case(case, offer):
    """Opens the focused case, which is case; the last of a stage brings the banker's offer."""
    then = (r"alert Zumo or No Zumo\.", r"hmmm.*ANN.*the banker is offering you \$\d+\.",
            r"Do you accept\?") if offer else (rf"{case + 1} push button\.", rf"Case {case + 1}, closed\.")
    text = hear("Return", rf"Case {case} held ({AMOUNT})\.", *then)
    # While the banker waits for an answer, the instruction is empty, and silent.
    if offer and "pick" in text:
        fail(f"an instruction under the offer: {text!r}")
    return re.search(rf"Case {case} held ({AMOUNT})\.", text).group(1)


opened = [open_case(case, offer=case == 7) for case in range(2, 8)]
hear("Escape", r"Zumo or No Zumo frame\.", r"Now you have to pick 5 cases", r"8 push button\.",
     r"Case 8, closed\.")
in_play = amounts(hear("v", r"19 cases remain, holding .*\."))
if in_play != [a for a in board if a not in opened]:
    fail(f"{in_play} are not the value board without the opened {opened}")

opened += [open_case(case, offer=case == 12) for case in range(8, 13)]
hear("Return", r"alert Zumo or No Zumo\.", r"SOLD!", r"OK push button\.")
hear("Return", r"Case 1, your case, is being opened\.")
# The slide takes 7.7 s; then the verdict, read whole.
verdict = hear(None, r"alert Zumo or No Zumo\.", r"You accepted the banker's offer\.",
               rf"Your case contained ({AMOUNT})\.", r"[Tt]hank you for playing Zumo or No Zumo\.",
               limit=40)
own = re.search(rf"Your case contained ({AMOUNT})\.", verdict).group(1)
if own not in in_play or own in opened:
    fail(f"case 1 held {own}, though {opened} were opened and {in_play} were in play")
hear("Return", r"Zumo or No Zumo frame\.")
hear("ctrl+x")
try:
    status = game.wait(timeout=10)
except subprocess.TimeoutExpired:
    game.kill()
    fail("Ctrl+X did not end the game")
print("\n".join(transcript))
if status != 0:
    fail(f"the game exited with {status}")
