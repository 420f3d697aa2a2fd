#!/usr/bin/env python3
"""Segmentation accuracy on the PKU bakeoff test.

Runs kavel-segment over the test text and scores its words against the gold
segmentation: precision, recall, F1, and the recall of words inside and outside
the training word list (IV and OOV recall). The bakeoff writes a Chinese person
name as surname and given name ("江  泽民"); the second figure splits every
recognised Chinese name (tag nr) after its surname before scoring.

    python3 bench/pku_score.py [--build build] [--bench ../shared/bench/pku]
"""
import argparse
import os
import subprocess
import sys

COMPOUND_SURNAMES = {
    "欧阳", "司马", "上官", "诸葛", "东方", "皇甫", "尉迟", "公孙", "慕容", "长孙",
    "宇文", "司徒", "夏侯", "轩辕", "令狐", "端木", "独孤", "南宫", "西门", "呼延",
}


def spans(words):
    """Character spans (start, end) of a word sequence."""
    out = []
    pos = 0
    for w in words:
        out.append((pos, pos + len(w)))
        pos += len(w)
    return out


def split_name(word):
    if len(word) < 2 or len(word) > 4:
        return [word]
    cut = 2 if word[:2] in COMPOUND_SURNAMES and len(word) > 2 else 1
    return [word[:cut], word[cut:]]


def parse_tagged(line):
    """Words and tags of one line of tagged output ("word/tag word/tag ...")."""
    result = []
    for token in line.split():
        if token.startswith("[") and "]/" in token:
            word, tag = token[1:].rsplit("]/", 1)
        elif "/" in token[1:]:
            word, tag = token.rsplit("/", 1)
        else:
            word, tag = token, ""
        result.append((word, tag))
    return result


def score(test_lines, gold_lines, train_words):
    totals = {"gold": 0, "test": 0, "correct": 0, "oov": 0, "oov_hit": 0, "iv": 0, "iv_hit": 0}
    for test_words, gold_words in zip(test_lines, gold_lines):
        if "".join(test_words) != "".join(gold_words):
            # A line whose characters differ cannot be aligned: count it as all wrong.
            totals["gold"] += len(gold_words)
            totals["test"] += len(test_words)
            for w in gold_words:
                totals["oov" if w not in train_words else "iv"] += 1
            continue
        test_spans = set(spans(test_words))
        gold_spans = spans(gold_words)
        totals["gold"] += len(gold_spans)
        totals["test"] += len(test_spans)
        for w, s in zip(gold_words, gold_spans):
            hit = s in test_spans
            totals["correct"] += hit
            if w in train_words:
                totals["iv"] += 1
                totals["iv_hit"] += hit
            else:
                totals["oov"] += 1
                totals["oov_hit"] += hit
    p = totals["correct"] / max(totals["test"], 1)
    r = totals["correct"] / max(totals["gold"], 1)
    f = 2 * p * r / max(p + r, 1e-12)
    return {
        "P": p, "R": r, "F1": f,
        "OOV rate": totals["oov"] / max(totals["gold"], 1),
        "OOV recall": totals["oov_hit"] / max(totals["oov"], 1),
        "IV recall": totals["iv_hit"] / max(totals["iv"], 1),
    }


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(here)
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--build", default=os.path.join(root, "build"))
    ap.add_argument("--data", help="directory holding Data (default: the build directory)")
    ap.add_argument("--bench", default=os.path.join(root, "..", "shared", "bench", "pku"))
    ap.add_argument("--save", help="write the segmented test text here")
    args = ap.parse_args()

    program = os.path.join(args.build, "src", "programs", "kavel_segment", "kavel-segment")
    test_file = os.path.join(args.bench, "pku_test.utf8")
    with open(os.path.join(args.bench, "pku_test_gold.utf8"), encoding="utf-8") as f:
        gold = [line.split() for line in f.read().split("\n")]
    with open(os.path.join(args.bench, "pku_training_words.utf8"), encoding="utf-8") as f:
        train_words = set(w.strip() for w in f if w.strip())
    with open(test_file, encoding="utf-8") as f:
        raw = f.read().split("\n")

    # Blank lines of the test text carry no words; the program writes one
    # output line per input line.
    out = subprocess.run([program, "--quiet", "--data", args.data or args.build, test_file],
                         check=True, capture_output=True, text=True).stdout.split("\n")
    if len(out) < len(raw):
        out += [""] * (len(raw) - len(out))
    tagged = [parse_tagged(line) for line in out[: len(raw)]]
    if args.save:
        with open(args.save, "w", encoding="utf-8") as f:
            f.write("\n".join("  ".join(w for w, _ in line) for line in tagged))

    raw_words = [[w for w, _ in line] for line in tagged]
    split_words = [[piece for w, t in line for piece in (split_name(w) if t == "nr" else [w])]
                   for line in tagged]
    gold = gold[: len(raw)]
    for label, words in (("raw", raw_words), ("names split at the surname", split_words)):
        s = score(words, gold, train_words)
        print(f"{label:28s} P {s['P']:.4f}  R {s['R']:.4f}  F1 {s['F1']:.4f}  "
              f"OOV recall {s['OOV recall']:.4f}  IV recall {s['IV recall']:.4f}  "
              f"(OOV rate {s['OOV rate']:.4f})")


if __name__ == "__main__":
    sys.exit(main())
