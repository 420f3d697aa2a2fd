#!/usr/bin/env python3
"""Builds the sentiment word list: one "word score" line per word, a
positive score for a positive word and a negative one for a negative word.

    sentiment.py [SENTIMENT_DIR]   (default ../shared/corpora/sentiment)

Writes data/sentiment/sentiment.txt.xz, the source of "sentiment.pdat"
(first token) and "sentiment.ung" (word and score), the same form that the
sentiment-dictionary import of the library reads.

- The emotion ontology gives strength 1..9 and polarity; its first sense of
  a word decides. Neutral words and words of both polarities are left out.
- Words only in the positive or negative lists score +3 or -3; a word found
  in lists of both polarities is left out.
- Only words made of Chinese characters that GBK can encode are kept (no
  blanks, punctuation, letters or digits).
"""
import lzma
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "data", "sentiment")
LIST_SCORE = 3
POSITIVE = ["hownet_positive_emotion.txt", "hownet_positive_evaluation.txt",
            "ntusd_positive.txt", "tsinghua_positive.txt"]
NEGATIVE = ["hownet_negative_emotion.txt", "hownet_negative_evaluation.txt",
            "ntusd_negative.txt", "tsinghua_negative.txt"]
HANZI = re.compile("^[\u4e00-\u9fff\u3007]+$")


def usable(word):
    if not HANZI.match(word):
        return False
    try:
        word.encode("gbk")
        return True
    except UnicodeEncodeError:
        return False


def read_list(path):
    """One word a line; a byte-order mark, CRLF and a header are tolerated
    (a header line holds a tab or an ASCII count and fails `usable`)."""
    words = set()
    with open(path, encoding="utf-8-sig") as src:
        for line in src:
            word = line.strip()
            if usable(word):
                words.add(word)
    return words


def read_ontology(path):
    scores = {}
    with open(path, encoding="utf-8-sig") as src:
        next(src)  # header
        for line in src:
            fields = line.rstrip("\r\n").split("\t")
            if len(fields) < 7:
                continue
            word = fields[0].strip()
            if word in scores or not usable(word):
                continue
            try:
                strength, polarity = int(fields[5]), int(fields[6])
            except ValueError:
                continue
            if polarity == 1:
                scores[word] = strength
            elif polarity == 2:
                scores[word] = -strength
            else:
                scores[word] = 0  # first sense neutral or both: left out below
    return {w: s for w, s in scores.items() if s != 0}


def main(argv):
    src = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(ROOT), "shared", "corpora", "sentiment")
    scores = read_ontology(os.path.join(src, "dutir_emotion_ontology.tsv"))
    from_ontology = len(scores)
    positive = set().union(*(read_list(os.path.join(src, f)) for f in POSITIVE))
    negative = set().union(*(read_list(os.path.join(src, f)) for f in NEGATIVE))
    for word in positive ^ negative:
        if word not in scores:
            scores[word] = LIST_SCORE if word in positive else -LIST_SCORE

    os.makedirs(OUT, exist_ok=True)
    with lzma.open(os.path.join(OUT, "sentiment.txt.xz"), "wt", encoding="utf-8", preset=9) as out:
        out.writelines("%s %d\n" % (w, scores[w]) for w in sorted(scores))
    plus = sum(1 for s in scores.values() if s > 0)
    print("sentiment words %d (%d positive, %d negative; %d from the ontology)"
          % (len(scores), plus, len(scores) - plus, from_ontology))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
