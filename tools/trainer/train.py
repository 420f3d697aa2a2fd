#!/usr/bin/env python3
"""Trains the core model tables from the annotated newspaper corpus.

    python3 tools/trainer/train.py [--corpus FILE.xz] [--out data/tables]
                                   [--holdout-day 19980128 --holdout-out build/heldout]

Writes the lexicon, unigram, bigram, part-of-speech, tag-transition and
person-role tables as xz-compressed UTF-8 text in the import formats of the
data tool, plus the person-name automaton source and a README with the
corpus figures. Standard library only; run from the repository root.
"""

import argparse
import collections
import lzma
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import corpus as C  # noqa: E402
import persons as P  # noqa: E402
import tables  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
DEFAULT_CORPUS = os.path.join(REPO, "..", "shared", "corpora", "pd1998", "199801-01to28.utf8.txt.xz")
DEFAULT_GOLD = os.path.join(REPO, "..", "shared", "bench", "pku", "pku_test_gold.utf8")


def load_tag_names():
    path = os.path.join(REPO, "data", "tagset", "KAVEL.map")
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            return [line.split()[0] for line in f if line.split()]
    return ("a wl ad d ag al an b bl c cc dl dg f h i j k m mq l n ng nl nr nr1 nr2 nrf nrj ns nsf "
            "nt nz nw p pba pbei q qt qv r rg rr ry rys ryt ryv rz rzs rzt rzv s t tg u ude1 ude2 "
            "ude3 udeng udh uguo ule ulian uls usuo uyy uzhe uzhi vf v vd vg vi vl vn vshi vx vyou "
            "w wkz wky wj ws wp wb wd wn wm wt ww wf wyy wyz x y z xu xm xs xx mtel mid gn gw gt "
            "ga gr e o").split()


def load_media(path):
    media = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2:
                media[parts[0]] = parts[1]
    return media


def load_supplement(path):
    """The supplementary lexicon: words of two or more Chinese characters from
    the project's sentiment table ("word score" lines), as idioms (four or more
    characters) or adjectives."""
    words = {}
    if not path or not os.path.exists(path):
        return words
    with lzma.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if not parts:
                continue
            w = parts[0]
            if len(w) >= 2 and all("\u4e00" <= ch <= "\u9fff" for ch in w):
                words[w] = "i" if len(w) >= 4 else "a"
    return words


def load_places(path):
    """Place names of the gazetteer ("name level" lines): countries, provinces,
    prefectures and counties (levels 1 to 4) as place words."""
    words = {}
    if not path or not os.path.exists(path):
        return words
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2 and parts[1] in ("1", "2", "3", "4") and len(parts[0]) >= 2:
                words[parts[0]] = "ns"
    return words


def merge_media(tokens, media):
    """Bracketed compounds and single tokens that name a known medium become one
    token carrying the medium's tag."""
    out = []
    i = 0
    while i < len(tokens):
        group = tokens[i][2]
        if group is not None:
            j = i
            while j < len(tokens) and tokens[j][2] == group:
                j += 1
            text = "".join(t[0] for t in tokens[i:j])
            if text in media:
                out.append([text, "media:" + media[text], None])
                i = j
                continue
        if tokens[i][0] in media:
            out.append([tokens[i][0], "media:" + media[tokens[i][0]], None])
        else:
            out.append(tokens[i])
        i += 1
    return out


class Unit:
    """What one corpus token or one person name contributes to the sequences."""
    __slots__ = ("core", "pos", "extra", "roles", "is_name", "last_tag")

    def __init__(self):
        self.core, self.pos, self.extra, self.roles = [], [], [], []
        self.is_name = False
        self.last_tag = None


class Trainer:
    def __init__(self, tag_names, media):
        self.tag_names = set(tag_names)
        self.media = media
        self.common_words = set()
        self.unigram = collections.Counter()
        self.bigram = collections.Counter()
        self.pos = collections.Counter()
        self.context = collections.Counter()
        self.role_emit = collections.Counter()
        self.role_trans = collections.Counter()
        self.role_sents = []
        self.tag_map = collections.defaultdict(collections.Counter)
        self.unmapped = collections.Counter()
        self.name_kinds = collections.Counter()
        self.compounds = collections.Counter()
        self.sentences = 0
        self.day = None
        self.day_words = collections.defaultdict(collections.Counter)
        self.corpus_tokens = 0

    def fine(self, word, ctag, prev):
        tag = C.fine_tag(word, ctag, prev)
        if tag is None or tag not in self.tag_names:
            self.unmapped[ctag] += 1
            tag = "n"
        self.tag_map[ctag][tag] += 1
        return tag

    def word_unit(self, word, ctag, prev):
        u = Unit()
        if ctag.startswith("media:"):
            tag = ctag[6:]
            self.tag_map["(media list)"][tag] += 1
            u.core, u.pos, u.roles = [word], [(word, tag)], [[word, P.OTHER]]
            u.last_tag = tag
            return u
        tag = self.fine(word, ctag, prev)
        for w, cls in C.normalise(word, ctag):
            if cls is not None:
                t = C.CLASS_TAGS[w]
            elif ctag == "w" and w != C.DASH_RUN:
                t = C.PUNCT_TAGS.get(w, "w")
            else:
                t = tag
            u.core.append(w)
            u.pos.append((w, t))
            u.roles.append([w, P.OTHER])
            u.last_tag = t
        return u

    def name_unit(self, kind, words):
        u = Unit()
        u.is_name = True
        self.name_kinds[kind] += 1
        if kind == "cn":
            sur, given = words
            u.roles = [[sur, P.SUR]] + [list(r) for r in P.given_roles(given, self.common_words)]
            u.pos = [(C.CLASS_PERSON, "nr")]
        elif kind == "jp":
            if len(words) == 1:
                sur = P.japanese_surname_of(words[0])
                words = [sur, words[0][len(sur):]]
            sur, given = words
            u.roles = [[sur, P.JS]] + [[c, P.JG] for c in given]
            u.pos = [(C.CLASS_PERSON, "nrj")]
        elif kind == "pre":
            u.roles = [[words[0], P.PRE], [words[1], P.SUR]]
            u.pos = [(C.CLASS_PERSON, "nr")]
        elif kind == "jpsur":
            u.roles = [[words[0], P.JS]]
            u.pos = [(words[0], "nrj")]
        elif kind == "sur":
            u.roles = [[words[0], P.SUR]]
            u.pos = [(words[0], "nr1")]
        elif kind == "given":
            u.roles = [list(r) for r in P.given_roles(words[0], self.common_words)] \
                if len(words[0]) <= 2 else [[c, P.OTHER] for c in words[0]]
            u.pos = [(w, "nr2") for w, _ in u.roles]
        else:  # transliterated
            name = words[0]
            parts = name.split("·")
            core = []
            for k, part in enumerate(parts):
                if k:
                    core.append("·")
                if part:
                    core.append(part)
            u.core = core
            u.roles = [list(r) for r in P.foreign_roles(name)]
            u.pos = [(name, "nrf")] if len(core) == 1 else [(C.CLASS_PERSON, "nrf")]
            u.last_tag = "nrf"
            return u
        u.core = [w for w, _ in u.roles]
        u.last_tag = u.pos[-1][1]
        return u

    def paragraph_units(self, tokens):
        tokens = merge_media(tokens, self.media)
        units = []
        prev = None
        for kind, idx in P.group_names(tokens):
            if kind == "word":
                word, ctag, _ = tokens[idx[0]]
                u = self.word_unit(word, ctag, prev)
            else:
                u = self.name_unit(kind, [tokens[i][0] for i in idx])
            prev = u.last_tag
            units.append(u)
        return units

    @staticmethod
    def sentences_of(units):
        """Splits a paragraph where the engine ends a sentence: after a closing
        punctuation mark preceded by at least five words; closing quotes stay."""
        sent = []
        count = 0
        i = 0
        while i < len(units):
            u = units[i]
            sent.append(u)
            count += len(u.core)
            i += 1
            if u.last_tag in C.SENTENCE_END_TAGS and count > 5:
                while i < len(units) and units[i].last_tag == "wyy":
                    sent.append(units[i])
                    i += 1
                yield sent
                sent, count = [], 0
        if sent:
            yield sent

    def add_paragraph(self, tokens, day=None):
        self.corpus_tokens += len(tokens)
        self.day = day
        for group in {t[2] for t in tokens if t[2] is not None}:
            self.compounds[group[1] or "?"] += 1
        for sent in self.sentences_of(self.paragraph_units(tokens)):
            self.add_sentence(sent)

    def add_sentence(self, units):
        self.sentences += 1
        core = [C.SENT_BEGIN]
        pos = [(C.SENT_BEGIN, "wl")]
        roles = [[C.SENT_BEGIN, P.BEG]]
        spans = []
        for u in units:
            core += u.core
            pos += u.pos
            if u.is_name:
                spans.append((len(roles), len(roles) + len(u.roles) - 1))
            roles += u.roles
            for w, t in u.extra:
                self.pos[(w, t)] += 1
        core.append(C.SENT_END)
        pos.append((C.SENT_END, "wl"))
        roles.append([C.SENT_END, P.END])
        P.mark_context(roles, spans)
        self.day_words[self.day].update(core[1:-1])
        for w in core:
            self.unigram[w] += 1
        for a, b in zip(core, core[1:]):
            self.bigram[(a, b)] += 1
        for w, t in pos:
            self.pos[(w, t)] += 1
        for (_, a), (_, b) in zip(pos, pos[1:]):
            self.context[(a, b)] += 1
        self.role_sents.append(roles)

    def count_roles(self):
        """Counts role emissions and transitions. A word keeps a context role
        (before, after or between names) only where that role is a habit of the
        word; elsewhere it is an ordinary word, so that a name may follow or
        precede any word (the tagger cannot give a context role to a word the
        role table does not list)."""
        habit = collections.Counter()
        total = collections.Counter()
        for roles in self.role_sents:
            for w, r in roles:
                total[w] += 1
                if r in P.CONTEXT_ROLES:
                    habit[w] += 1
        for roles in self.role_sents:
            for item in roles:
                w, r = item
                if r in P.CONTEXT_ROLES and not P.is_context_habit(habit[w], total[w]):
                    item[1] = P.OTHER
            for w, r in roles:
                self.role_emit[(w, r)] += 1
            for (_, a), (_, b) in zip(roles, roles[1:]):
                self.role_trans[(a, b)] += 1
        self.role_sents = []


def read_corpus(path):
    with lzma.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            para_id, tokens = C.parse_paragraph(line)
            if tokens:
                yield para_id, tokens


def write_holdout(outdir, day, paragraphs, trainer):
    os.makedirs(outdir, exist_ok=True)
    with open(os.path.join(outdir, day + ".gold.txt"), "w", encoding="utf-8") as gold, \
            open(os.path.join(outdir, day + ".txt"), "w", encoding="utf-8") as plain, \
            open(os.path.join(outdir, day + ".fine.txt"), "w", encoding="utf-8") as fine:
        for para_id, tokens, raw in paragraphs:
            gold.write(raw)
            plain.write("".join(t[0] for t in tokens) + "\n")
            out = []
            prev = None
            for kind, idx in P.group_names(tokens):
                words = [tokens[i][0] for i in idx]
                if kind == "word":
                    tag = C.fine_tag(words[0], tokens[idx[0]][1], prev) or "n"
                    out.append("%s/%s" % (words[0], tag))
                else:
                    tag = {"cn": "nr", "pre": "nr", "jp": "nrj", "foreign": "nrf",
                           "jpsur": "nrj", "sur": "nr1", "given": "nr2"}[kind]
                    out.append("%s/%s" % ("".join(words), tag))
                prev = tag
            fine.write(para_id + "  " + "  ".join(out) + "\n")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--corpus", default=DEFAULT_CORPUS)
    ap.add_argument("--out", default=os.path.join(REPO, "data", "tables"))
    ap.add_argument("--media", default=os.path.join(REPO, "data", "tables", "media.words"),
                    help="hand-written media list; copied to OUT when OUT is elsewhere")
    ap.add_argument("--holdout-day", default=None, help="a day (YYYYMMDD) left out of training")
    ap.add_argument("--holdout-out", default=os.path.join(REPO, "build", "heldout"))
    ap.add_argument("--supplement", default=os.path.join(REPO, "data", "sentiment", "sentiment.txt.xz"),
                    help="supplementary lexicon (the project's sentiment table); '' for none")
    ap.add_argument("--places", default=os.path.join(REPO, "data", "location", "location.txt"),
                    help="gazetteer whose place names widen the lexicon; '' for none")
    ap.add_argument("--oov-gold", default=DEFAULT_GOLD, help="segmented text for the OOV figure")
    args = ap.parse_args()
    started = time.time()

    tag_names = load_tag_names()
    media = load_media(args.media)
    os.makedirs(args.out, exist_ok=True)
    media_copy = os.path.join(args.out, "media.words")
    if not os.path.exists(media_copy) or not os.path.samefile(args.media, media_copy):
        shutil.copyfile(args.media, media_copy)
    trainer = Trainer(tag_names, media)

    train, held = [], []
    with lzma.open(args.corpus, "rt", encoding="utf-8") as f:
        for line in f:
            para_id, tokens = C.parse_paragraph(line)
            if not tokens:
                continue
            if args.holdout_day and para_id.startswith(args.holdout_day):
                held.append((para_id, tokens, line))
            else:
                train.append((para_id[:8], tokens))
    for _, tokens in train:
        for word, ctag, _ in tokens:
            if ctag != "nr":
                trainer.common_words.add(word)
    P.learn_transliteration(t for _, t in train)
    for day, tokens in train:
        trainer.add_paragraph(tokens, day)

    trainer.count_roles()
    supplement = load_supplement(args.supplement)
    supplement.update(load_places(args.places))
    figures = tables.write_all(trainer, args, tag_names, media, held, supplement)
    figures["supplementary words offered"] = len(supplement)
    if held:
        write_holdout(args.holdout_out, args.holdout_day, held, trainer)
        figures["held-out paragraphs"] = len(held)
    figures["seconds"] = round(time.time() - started, 1)
    tables.write_readme(args.out, figures, trainer, args)
    for k, v in figures.items():
        if not isinstance(v, (dict, list)):
            print("%s: %s" % (k, v))
    return 0


if __name__ == "__main__":
    sys.exit(main())
