#!/usr/bin/env python3
"""Accuracy on a day of the annotated corpus that the model never saw.

Trains the core tables on every day but one, compiles a data set from them
next to the build's own, segments and tags the held-out day's plain text and
scores it against the day's annotation:

  - segmentation precision, recall and F1 (person names counted as one word,
    as the engine writes them);
  - tagging accuracy over the correctly segmented words, compared in the
    coarse corpus tag set (the engine's fine tag goes through PKU.map);
  - person names: a name is a word tagged nr, nrf or nrj; matched by exact span.

    python3 bench/heldout_eval.py [--holdout-day 19980128] [--build build]
                                  [--work build/heldout] [--no-train]
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NAME_TAGS = {"nr", "nrf", "nrj"}
TAGGING_BAR = 0.94
PERSON_BAR = 0.85

# Data files made from the trained tables; every other file is the build's.
TABLES = ["coredict.words", "coredict.unigram", "coredict.bigram", "coredict.pos",
          "tag.context", "person.roles", "person.context"]
BUILT = ["CoreDict.pdat", "CoreDict.unig", "BiWord.big", "CoreDict.pos", "KAVEL.ctx",
         "KAVEL.ctx.shw", "nr.role", "nr.ctx", "nr.ctx.shw", "nr.fsa"]


def run(cmd, log=None, **kw):
    if log is None:
        subprocess.run(cmd, check=True, **kw)
        return
    with open(log, "w") as f:
        result = subprocess.run(cmd, stdout=f, stderr=subprocess.STDOUT, **kw)
    if result.returncode != 0:
        with open(log, errors="replace") as f:
            sys.stderr.write(f.read()[-2000:])
        raise SystemExit("failed: " + " ".join(cmd))


def to_gbk(src, out):
    """GBK copy of a UTF-8 (optionally xz-compressed) source."""
    with open(out, "wb") as f:
        xz = subprocess.Popen(["xz", "-dc", src], stdout=subprocess.PIPE)
        iconv = subprocess.run(["iconv", "-f", "UTF-8", "-t", "GBK"], stdin=xz.stdout, stdout=f)
        xz.stdout.close()
        if xz.wait() != 0 or iconv.returncode != 0:
            raise SystemExit("cannot convert " + src)


def build_data(build, work):
    """Compiles work/Data from the tables in work/tables."""
    src_data = os.path.join(build, "Data")
    data = os.path.join(work, "Data")
    gbk = os.path.join(work, "data-src")
    tool = os.path.join(build, "tools", "datatool", "kavel-data")
    if os.path.isdir(data):
        shutil.rmtree(data)
    shutil.copytree(src_data, data, ignore=lambda d, names: BUILT if d == src_data else [])
    os.makedirs(gbk, exist_ok=True)
    g = {}
    for name in TABLES:
        g[name] = os.path.join(gbk, name)
        to_gbk(os.path.join(work, "tables", name + ".xz"), g[name])
    d = lambda name: os.path.join(data, name)  # noqa: E731
    tagset = d("KAVEL.map")
    # (output, kavel-data arguments), in dependency order.
    steps = [
        ("CoreDict.pdat", ["pdat-import", g["coredict.words"], d("CoreDict.pdat"), "0"]),
        ("CoreDict.unig", ["unigram-import", g["coredict.unigram"], d("CoreDict.pdat"),
                           d("CoreDict.unig")]),
        ("BiWord.big", ["bigram-import", g["coredict.bigram"], d("CoreDict.pdat"),
                        d("BiWord.big"), "--at"]),
        ("CoreDict.pos", ["pos-import", g["coredict.pos"], d("CoreDict.pdat"),
                          d("CoreDict.pos"), tagset]),
        ("KAVEL.ctx", ["ctx-build", g["tag.context"], d("KAVEL.ctx"), tagset]),
        ("nr.role", ["pos-import", g["person.roles"], d("CoreDict.pdat"), d("nr.role")]),
        ("nr.ctx", ["ctx-build", g["person.context"], d("nr.ctx"), "--ids", "23"]),
        ("nr.fsa", ["fsa-import", os.path.join(work, "tables", "person.fsa.txt"), d("nr.fsa")]),
    ]
    for name, step in steps:
        run([tool] + step, log=os.path.join(gbk, name + ".log"), cwd=gbk)


def parse_gold(line):
    """Words and corpus tags of an annotated line (compound brackets dropped)."""
    out = []
    for field in line.split()[1:]:
        if field.startswith("[") and len(field) > 1:
            field = field[1:]
        if "]" in field and field.rfind("]") > field.rfind("/"):
            field = field[:field.rfind("]")]
        word, _, tag = field.rpartition("/")
        if word:
            out.append((word, tag))
    return out


def parse_fine(line):
    """Words and fine tags of a line of DAY.fine.txt."""
    out = []
    for field in line.split()[1:]:
        word, _, tag = field.rpartition("/")
        out.append((word, tag))
    return out


def gold_units(fine, gold):
    """(start, end, fine tag, corpus tag) of each gold word, in characters.
    A joined name takes the corpus tag nr when its parts are persons."""
    units = []
    pos = 0
    j = 0
    for word, fine_tag in fine:
        text, tags = "", []
        while len(text) < len(word) and j < len(gold):
            text += gold[j][0]
            tags.append(gold[j][1])
            j += 1
        if text != word:
            raise ValueError("annotation and joined words disagree at " + word)
        tag = tags[0] if len(tags) == 1 else ("nr" if "nr" in tags else tags[-1])
        units.append((pos, pos + len(word), fine_tag, tag))
        pos += len(word)
    return units


def predicted_units(record, text):
    """(start, end, fine tag) of the engine's words in characters of text."""
    raw = text.encode("utf-8")
    char_at = {}
    c = 0
    for b in range(len(raw) + 1):
        if b == len(raw) or (raw[b] & 0xC0) != 0x80:
            char_at[b] = c
            c += 1
    out = []
    for w in record.get("words", []):
        s, n = w["start"], w["length"]
        if s in char_at and s + n in char_at and n > 0:
            out.append((char_at[s], char_at[s + n], w.get("pos", "")))
    return out


def load_map(path):
    with open(path, encoding="ascii") as f:
        return [line.split()[0] if line.split() else "" for line in f]


def prf(hit, pred, gold):
    p = hit / pred if pred else 0.0
    r = hit / gold if gold else 0.0
    return p, r, (2 * p * r / (p + r) if p + r else 0.0)


def score(texts, fine_lines, gold_lines, records, fine_to_coarse):
    t = dict(gold=0, pred=0, hit=0, tag_hit=0, name_gold=0, name_pred=0, name_hit=0, lines_bad=0)
    confusion = {}
    for i, text in enumerate(texts):
        gold = gold_units(parse_fine(fine_lines[i]), parse_gold(gold_lines[i]))
        pred = predicted_units(records.get(i + 1, {}), text)
        gspan = {(s, e): (ft, ct) for s, e, ft, ct in gold}
        t["gold"] += len(gold)
        t["pred"] += len(pred)
        if "".join(text[s:e] for s, e, _ in pred) != text:
            t["lines_bad"] += 1
        for s, e, ptag in pred:
            if (s, e) in gspan:
                t["hit"] += 1
                want = gspan[(s, e)][1]
                got = fine_to_coarse.get(ptag, ptag)
                if got == want:
                    t["tag_hit"] += 1
                else:
                    confusion[(want, got)] = confusion.get((want, got), 0) + 1
        gnames = {(s, e) for s, e, ft, _ in gold if ft in NAME_TAGS}
        pnames = {(s, e) for s, e, pt in pred if pt in NAME_TAGS}
        t["name_gold"] += len(gnames)
        t["name_pred"] += len(pnames)
        t["name_hit"] += len(gnames & pnames)
    return t, confusion


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--holdout-day", default="19980128")
    ap.add_argument("--build", default=os.path.join(REPO, "build"),
                    help="build directory with Data, kavel-data and kavel-segment")
    ap.add_argument("--work", default=None, help="output directory (default BUILD/heldout)")
    ap.add_argument("--no-train", action="store_true",
                    help="reuse the tables and held-out files of an earlier run")
    args = ap.parse_args()
    build = os.path.abspath(args.build)
    work = os.path.abspath(args.work or os.path.join(build, "heldout"))
    day = args.holdout_day
    os.makedirs(work, exist_ok=True)

    started = time.time()
    if not args.no_train:
        print("training without %s ..." % day, flush=True)
        run([sys.executable, os.path.join(REPO, "tools", "trainer", "train.py"),
             "--holdout-day", day, "--out", os.path.join(work, "tables"), "--holdout-out", work],
            log=os.path.join(work, "train.log"), cwd=REPO)
    print("compiling %s/Data ..." % work, flush=True)
    build_data(build, work)

    plain = os.path.join(work, day + ".txt")
    out = os.path.join(work, day + ".out.jsonl")
    print("segmenting %s ..." % plain, flush=True)
    segment = os.path.join(build, "src", "programs", "kavel_segment", "kavel-segment")
    with open(out, "w") as f:
        subprocess.run([segment, "--data", work, "--json", "-q", plain], stdout=f, check=True)

    def lines(name):
        with open(os.path.join(work, name), encoding="utf-8") as f:
            return [line.rstrip("\n") for line in f]
    texts = lines(day + ".txt")
    fine_lines = lines(day + ".fine.txt")
    gold_lines = lines(day + ".gold.txt")
    records = {}
    with open(out, encoding="utf-8") as f:
        for line in f:
            if line.strip():
                rec = json.loads(line)
                records[rec["line"]] = rec
    fine_names = load_map(os.path.join(work, "Data", "KAVEL.map"))
    coarse_names = load_map(os.path.join(work, "Data", "PKU.map"))
    fine_to_coarse = dict(zip(fine_names, coarse_names))

    t, confusion = score(texts, fine_lines, gold_lines, records, fine_to_coarse)
    p, r, f1 = prf(t["hit"], t["pred"], t["gold"])
    tag_acc = t["tag_hit"] / t["hit"] if t["hit"] else 0.0
    np_, nr_, nf1 = prf(t["name_hit"], t["name_pred"], t["name_gold"])
    print("held-out day %s: %d paragraphs, %d gold words, %d words out (%d lines misaligned)"
          % (day, len(texts), t["gold"], t["pred"], t["lines_bad"]))
    print("segmentation   P %.4f  R %.4f  F1 %.4f" % (p, r, f1))
    print("tagging        %.4f of %d correctly segmented words  (bar %.2f: %s)"
          % (tag_acc, t["hit"], TAGGING_BAR, "met" if tag_acc >= TAGGING_BAR else "MISSED"))
    print("person names   P %.4f  R %.4f  F1 %.4f  (%d gold, %d found, %d exact)  (bar %.2f: %s)"
          % (np_, nr_, nf1, t["name_gold"], t["name_pred"], t["name_hit"], PERSON_BAR,
             "met" if nf1 >= PERSON_BAR else "MISSED"))
    top = sorted(confusion.items(), key=lambda kv: -kv[1])[:10]
    print("tag confusions (gold -> engine): " +
          ", ".join("%s->%s %d" % (g, e, n) for (g, e), n in top))
    print("took %.1f s" % (time.time() - started))


if __name__ == "__main__":
    main()
