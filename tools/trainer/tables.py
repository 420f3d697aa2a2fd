"""Writing the trained tables and the figures that describe them."""

import collections
import os

import corpus as C
import persons as P
import lzma

MAX_TABLE_BYTES = 8 * 1024 * 1024


def write_xz(path, lines):
    data = "".join(lines).encode("utf-8")
    with lzma.open(path + ".tmp", "wb", preset=9 | lzma.PRESET_EXTREME) as f:
        f.write(data)
    os.replace(path + ".tmp", path)
    return os.path.getsize(path)


def build_lexicon(trainer, media):
    """Every storable corpus word, every GB2312 character, the special words,
    punctuation and the media names; most frequent first."""
    words = {w for w in trainer.unigram if C.is_storable(w)}
    extra = list(C.SPECIAL_WORDS) + sorted(media) + C.gb2312_characters() + C.ASCII_PUNCT
    words.update(w for w in extra if C.is_storable(w))
    return sorted(words, key=lambda w: (-trainer.unigram.get(w, 0), w))


def unigram_lines(trainer, lexicon, media):
    lines = []
    for w in lexicon:
        n = trainer.unigram.get(w, 0)
        if n == 0 and w in media:
            n = 1
        if n > 0:
            lines.append("%s\t%d\n" % (w, n))
    return lines


def bigram_lines(trainer, known):
    pairs = [(a, b, n) for (a, b), n in trainer.bigram.items() if a in known and b in known]
    pairs.sort()
    threshold = 1
    while True:
        lines = ["%s@%s\t%d\n" % p for p in pairs if p[2] >= threshold]
        # A rough size guard: text of this kind compresses to well under a fifth.
        if len("".join(lines).encode("utf-8")) < MAX_TABLE_BYTES * 4 or threshold > 50:
            return lines, threshold, len(pairs)
        threshold += 1


def pos_lines(trainer, lexicon, known, media):
    counts = collections.Counter({k: v for k, v in trainer.pos.items() if k[0] in known})
    for w, t in C.CLASS_TAGS.items():
        if counts[(w, t)] == 0:
            counts[(w, t)] = 1
    for w, t in media.items():
        if C.is_storable(w) and counts[(w, t)] == 0:
            counts[(w, t)] = 1
    order = {w: i for i, w in enumerate(lexicon)}
    rows = sorted((k for k, v in counts.items() if v > 0), key=lambda k: (order[k[0]], k[1]))
    return ["%s\t%s\t%d\n" % (w, t, counts[(w, t)]) for w, t in rows]


def role_lines(trainer, known):
    marked = {w for (w, r) in trainer.role_emit if r != P.OTHER}
    rows = sorted((w, r, n) for (w, r), n in trainer.role_emit.items() if w in marked and w in known)
    return ["%s\t%d\t%d\n" % row for row in rows]


def coverage(tokens_lists, trainer, known):
    """Share of the normalised tokens of the given paragraphs found in `known`."""
    probe = type(trainer)(trainer.tag_names, trainer.media)
    probe.common_words = trainer.common_words
    total = found = 0
    for tokens in tokens_lists:
        for u in probe.paragraph_units(tokens):
            for w in u.core:
                total += 1
                found += w in known
    return found / total if total else 0.0


def gold_oov(path, known):
    if not path or not os.path.exists(path):
        return None
    total = oov = 0
    missing = collections.Counter()
    with open(path, encoding="utf-8") as f:
        for line in f:
            for w in line.split():
                total += 1
                pieces = C.normalise(w, None)
                if w in known or (len(pieces) == 1 and pieces[0][0] in known):
                    continue
                oov += 1
                missing[w] += 1
    return oov, total, missing.most_common(15)


def write_all(trainer, args, tag_names, media, held, supplement=None):
    os.makedirs(args.out, exist_ok=True)
    # Words of the supplementary lexicon that the corpus lacks enter like the
    # media names: once, with their tag.
    media = dict(media)
    for w, t in (supplement or {}).items():
        if w not in media and trainer.unigram.get(w, 0) == 0 and C.is_storable(w):
            media[w] = t
    lexicon = build_lexicon(trainer, media)
    known = set(lexicon)
    fig = collections.OrderedDict()
    sizes = collections.OrderedDict()

    def emit(name, lines):
        sizes[name] = write_xz(os.path.join(args.out, name), lines)
        if sizes[name] >= MAX_TABLE_BYTES:
            raise SystemExit("%s is %d bytes, over the limit" % (name, sizes[name]))
        return len(lines)

    emit("coredict.words.xz", ["%s\n" % w for w in lexicon])
    fig["lexicon words"] = len(lexicon)
    fig["distinct corpus words (normalised)"] = sum(1 for w in trainer.unigram if C.is_storable(w))
    fig["unigram entries"] = emit("coredict.unigram.xz", unigram_lines(trainer, lexicon, media))
    blines, threshold, npairs = bigram_lines(trainer, known)
    fig["word pairs kept"] = emit("coredict.bigram.xz", blines)
    fig["distinct word pairs"] = npairs
    fig["pair count threshold"] = threshold
    fig["pos records"] = emit("coredict.pos.xz", pos_lines(trainer, lexicon, known, media))
    ctx = sorted(trainer.context.items())
    fig["tag transitions"] = emit("tag.context.xz", ["%s\t%s\t%d\n" % (a, b, n) for (a, b), n in ctx])
    fig["person role records"] = emit("person.roles.xz", role_lines(trainer, known))
    rtrans = sorted(trainer.role_trans.items())
    fig["person role transitions"] = emit("person.context.xz", ["%d\t%d\t%d\n" % (a, b, n) for (a, b), n in rtrans])
    with open(os.path.join(args.out, "person.fsa.txt"), "w", encoding="utf-8") as f:
        f.write(P.automaton_text())

    fig["training sentences"] = trainer.sentences
    fig["training corpus tokens"] = trainer.corpus_tokens
    total = sum(trainer.unigram.values())
    found = sum(n for w, n in trainer.unigram.items() if w in known)
    fig["training tokens covered by the lexicon"] = "%.4f" % (found / total)
    days = sorted(trainer.day_words)
    if len(days) > 1:
        last = trainer.day_words[days[-1]]
        seen = set(w for d in days[:-1] for w in trainer.day_words[d])
        static = {w for w in known if w not in trainer.unigram} | set(C.SPECIAL_WORDS) | set(media)
        static.update(C.gb2312_characters())
        hit = sum(n for w, n in last.items() if w in seen or w in static)
        fig["tokens of the last training day (%s) covered by the other days' lexicon" % days[-1]] = \
            "%.4f" % (hit / sum(last.values()))
    if held:
        fig["held-out tokens covered by the lexicon"] = "%.4f" % coverage([t for _, t, _ in held], trainer, known)
    g = gold_oov(args.oov_gold, known)
    if g:
        fig["bakeoff gold OOV rate"] = "%.4f (%d of %d tokens)" % (g[1] and g[0] / g[1], g[0], g[1])
        fig["frequent bakeoff OOV words"] = " ".join("%s(%d)" % m for m in g[2])
    fig["sizes"] = sizes
    return fig


def write_readme(outdir, fig, trainer, args):
    sizes = fig.get("sizes", {})
    lines = [
        "# Core model tables",
        "",
        "Trained by `tools/trainer/train.py` from the annotated People's Daily corpus of January 1998",
        "(`../shared/corpora/pd1998/199801-01to28.utf8.txt.xz`, Peking University annotation, research",
        "use; not copied here). Regenerate with `python3 tools/trainer/train.py` from the repository root.",
        "`media.words` is written by hand. All files are UTF-8; the `.xz` files are the import sources of",
        "the data tool (it decompresses them and converts the text to GBK).",
        "",
        "| file | lines | what |",
        "|---|---|---|",
        "| coredict.words.xz | word | core lexicon, most frequent first; a word's line is its handle order |",
        "| coredict.unigram.xz | word TAB count | word frequencies over the normalised training sequence |",
        "| coredict.bigram.xz | first@second TAB count | adjacent word pairs, sentence start/end words included |",
        "| coredict.pos.xz | word TAB tag TAB count | tag counts per word (fine tag names of data/tagset/KAVEL.map) |",
        "| tag.context.xz | previous-tag TAB tag TAB count | tag transitions; sentence start and end are `wl` |",
        "| person.roles.xz | word TAB role TAB count | person-role counts per word (role ids below) |",
        "| person.context.xz | previous-role TAB role TAB count | person-role transitions |",
        "| person.fsa.txt | automaton source | person-name automaton; odd lines are labels |",
        "| media.words | name TAB tag | media names (gn paper, gw web, gt television, ga agency, gr radio) |",
        "",
        "Normalisation: tokens made of digits and numerals (with 万/亿, sign, decimal point, percent, 第)",
        "become 未##数; a number with a time unit tagged as a time becomes 未##时; letter strings become",
        "未##串; tokens mixing such runs with other characters are cut the way the atom segmenter cuts",
        "them; runs of dashes or ellipsis marks become ———. A Chinese person name is presented as its",
        "surname followed by the single characters of its given name (a two-character given name that",
        "is also a common word stays whole); in the tag sequence the whole name is one 未##人 word.",
        "Paragraphs are cut into sentences after 。！？；… once five words precede.",
        "",
        "Person roles: " + "; ".join("%d %s" % (r, n) for r, n in sorted(P.ROLE_NAMES.items())) + ".",
        "The automaton leaves its start state only on name roles; accepting states give tag 24",
        "(Chinese), 27 (transliterated) or 28 (Japanese).",
        "",
        "## Figures of the last training run",
        "",
        "Command: `%s`" % " ".join(["python3 tools/trainer/train.py"] +
                                   (["--holdout-day", args.holdout_day] if args.holdout_day else [])),
        "",
    ]
    for k, v in fig.items():
        if k != "sizes":
            lines.append("- %s: %s" % (k, v))
    lines.append("- compressed sizes: " + ", ".join("%s %d KiB" % (k, (v + 1023) // 1024) for k, v in sizes.items()))
    lines.append("- compounds in brackets by outer tag: " +
                 ", ".join("%s %d" % kv for kv in trainer.compounds.most_common()))
    lines.append("- person names by kind: " + ", ".join("%s %d" % kv for kv in trainer.name_kinds.most_common()))
    role_totals = collections.Counter()
    for (_, r), n in trainer.role_emit.items():
        role_totals[r] += n
    lines.append("- person roles learned (tokens): " +
                 ", ".join("%d %d" % (r, role_totals[r]) for r in sorted(role_totals)))
    lines += ["", "Corpus tag to fine tag (token counts):", "", "| corpus tag | fine tags |", "|---|---|"]
    for ctag, c in sorted(trainer.tag_map.items(), key=lambda kv: -sum(kv[1].values())):
        lines.append("| %s | %s |" % (ctag, ", ".join("%s %d" % kv for kv in c.most_common())))
    lines.append("")
    lines.append("Unmapped corpus tags: " + (", ".join("%s %d" % kv for kv in trainer.unmapped.items()) or "none") + ".")
    lines.append("")
    with open(os.path.join(outdir, "README.md"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
