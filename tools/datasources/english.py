#!/usr/bin/env python3
"""Builds the English tables' text sources from WordNet and the hand list of
function words.

    english.py [WORDNET_DIR]      (default /usr/share/wordnet)

Writes into data/English/:
  english_words.txt.xz  "word<TAB>count": the dictionary, word list and
                        unigram source (each import reads what it needs)
  english_pos.txt.xz    "word<TAB>tag<TAB>freq" with the fine tag names
  irregular.txt         "irregular<TAB>regular" from WordNet's *.exc lists
Reads data/English/function_words.txt and data/English/ne.txt (hand lists).

Only single tokens are kept: the English parser splits text at blanks,
hyphens and other delimiters, so WordNet's collocations could never match.
Counts are the sense-tagged counts of cntlist.rev plus one, so every word
has at least 1.
"""
import collections
import lzma
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "data", "English")
# WordNet's parts of speech and synset types -> fine tags
POS_FILES = {"noun": "n", "verb": "v", "adj": "a", "adv": "d"}
SS_TYPE_TAG = {"1": "n", "2": "v", "3": "a", "4": "d", "5": "a"}
WORD = re.compile(r"^[a-z0-9][a-z0-9.']*$")


def read_hand_list(path):
    """Lines "word tag freq"; "#" starts a comment line."""
    rows = []
    with open(path, encoding="utf-8") as src:
        for line in src:
            if not line.strip() or line.startswith("#"):
                continue
            word, tag, freq = line.split()
            rows.append((word, tag, int(freq)))
    return rows


def read_tagset():
    with open(os.path.join(ROOT, "data", "tagset", "KAVEL.map"), encoding="utf-8") as src:
        return {line.split()[0] for line in src if line.strip()}


def write_xz(path, lines):
    with lzma.open(path, "wt", encoding="utf-8", preset=9) as out:
        out.writelines(lines)


def main(argv):
    wordnet = argv[1] if len(argv) > 1 else "/usr/share/wordnet"
    tags = read_tagset()

    # Sense-tagged counts per (lemma, tag) from the concordance counts.
    tag_counts = collections.Counter()
    with open(os.path.join(wordnet, "cntlist.rev"), encoding="utf-8") as src:
        for line in src:
            sense_key, _, count = line.split()
            lemma, _, rest = sense_key.partition("%")
            tag_counts[(lemma, SS_TYPE_TAG[rest[0]])] += int(count)

    # Lemmas of the four index files: every (word, tag) gets its count + 1.
    pos = {}
    for name, tag in POS_FILES.items():
        with open(os.path.join(wordnet, "index." + name), encoding="utf-8") as src:
            for line in src:
                if line.startswith(" "):
                    continue  # licence header
                lemma = line.split(" ", 1)[0]
                if WORD.match(lemma):
                    pos[(lemma, tag)] = tag_counts[(lemma, tag)] + 1

    # Function words override WordNet's tags for the same spelling.
    function_words = read_hand_list(os.path.join(OUT, "function_words.txt"))
    hand = collections.defaultdict(list)
    for word, tag, freq in function_words:
        if tag not in tags:
            raise ValueError("unknown tag %s for %s" % (tag, word))
        hand[word].append((tag, freq))
    for word, entries in hand.items():
        for tag in POS_FILES.values():
            pos.pop((word, tag), None)
        for tag, freq in entries:
            pos[(word, tag)] = freq
    for word, tag, _ in read_hand_list(os.path.join(OUT, "ne.txt")):
        if tag not in tags:
            raise ValueError("unknown tag %s for %s in ne.txt" % (tag, word))

    counts = collections.Counter()
    for (word, _), freq in pos.items():
        counts[word] += freq

    # Irregular forms: the first base form of each exception line; both sides
    # must be words of the dictionary, so missing ones are added with count 1.
    irregular = {}
    for name in POS_FILES:
        with open(os.path.join(wordnet, name + ".exc"), encoding="utf-8") as src:
            for line in src:
                fields = line.split()
                if len(fields) < 2:
                    continue
                form, base = fields[0], fields[1]
                if form == base or not WORD.match(form) or not WORD.match(base):
                    continue
                irregular.setdefault(form, base)
    for form, base in irregular.items():
        counts.setdefault(form, 1)
        counts.setdefault(base, 1)

    write_xz(os.path.join(OUT, "english_words.txt.xz"),
             ("%s\t%d\n" % (w, counts[w]) for w in sorted(counts)))
    write_xz(os.path.join(OUT, "english_pos.txt.xz"),
             ("%s\t%s\t%d\n" % (w, t, f) for (w, t), f in sorted(pos.items())))
    with open(os.path.join(OUT, "irregular.txt"), "w", encoding="utf-8") as out:
        out.writelines("%s\t%s\n" % (f, b) for f, b in sorted(irregular.items()))

    print("words %d, POS lines %d, irregular forms %d" % (len(counts), len(pos), len(irregular)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
