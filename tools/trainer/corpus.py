"""Reading the annotated corpus, normalising words the way the atom segmenter
presents them, and mapping the corpus tags onto the engine's fine tag set."""

import re

SENT_BEGIN = "始##始"
SENT_END = "末##末"
CLASS_STRING = "未##串"
CLASS_PERSON = "未##人"
CLASS_PLACE = "未##地"
CLASS_ORG = "未##团"
CLASS_TIME = "未##时"
CLASS_NUMBER = "未##数"
CLASS_OTHER = "未##专"
DASH_RUN = "———"

SPECIAL_WORDS = [SENT_BEGIN, SENT_END, CLASS_STRING, CLASS_PERSON, CLASS_PLACE,
                 CLASS_ORG, CLASS_TIME, CLASS_NUMBER, CLASS_OTHER,
                 "“", "”", "‘", "’", DASH_RUN, "一"]

# Tags the class words carry in the part-of-speech table.
CLASS_TAGS = {CLASS_NUMBER: "m", CLASS_TIME: "t", CLASS_STRING: "x",
              CLASS_PERSON: "nr", CLASS_PLACE: "ns", CLASS_ORG: "nt",
              CLASS_OTHER: "nz", SENT_BEGIN: "wl", SENT_END: "wl"}

DIGITS = set("0123456789０１２３４５６７８９")
CN_NUMERALS = set("零〇○一二三四五六七八九十百千万亿两壹贰叁肆伍陆柒捌玖拾佰仟")
BIG_UNITS = set("万亿")
NUM_CONNECTORS = set(".．·／/％%‰±+＋-－∶:：,，")
TIME_UNITS = ("月份", "点钟", "年", "月", "日", "号", "时", "分", "秒", "点")


def is_letter(ch):
    return ("a" <= ch <= "z") or ("A" <= ch <= "Z") or ("ａ" <= ch <= "ｚ") or ("Ａ" <= ch <= "Ｚ")


# Characters that repeat into one dash-like atom at run time.
REPEAT_PUNCT = set("—…－-～")

PUNCT_TAGS = {}
for _chars, _tag in (("（〔［｛《【〖〈(<[{", "wkz"), ("）〕］｝》】〗〉)>]}", "wky"),
                     ("。．.", "wj"), ("…", "ws"), ("—－‐～-~", "wp"), ("％‰%", "wb"),
                     ("，,", "wd"), ("、", "wn"), ("：∶:", "wm"), ("！!", "wt"),
                     ("？?", "ww"), ("；;", "wf"), ("”’』」", "wyy"), ("“‘『「", "wyz")):
    for _c in _chars:
        PUNCT_TAGS[_c] = _tag

# Tags after which a sentence ends at run time.
SENTENCE_END_TAGS = {"wj", "ws", "wt", "ww", "wf"}

BASE_TAGS = {"n": "n", "v": "v", "u": "u", "d": "d", "vn": "vn", "m": "m", "p": "p",
             "a": "a", "r": "r", "ns": "ns", "c": "c", "q": "q", "t": "t", "f": "f",
             "j": "j", "b": "b", "ad": "ad", "l": "l", "i": "i", "Ng": "ng", "s": "s",
             "nz": "nz", "nt": "nt", "an": "an", "y": "y", "Vg": "vg", "z": "z",
             "k": "k", "vd": "vd", "nx": "x", "Tg": "tg", "Ag": "ag", "Dg": "dg",
             "o": "o", "h": "h", "e": "e", "Rg": "rg", "Bg": "b", "Mg": "m",
             "vvn": "vn", "na": "n", "Yg": "y", "nr": "nr", "w": "w"}

PARTICLES = {"的": "ude1", "地": "ude2", "得": "ude3", "等": "udeng", "等等": "udeng",
             "的话": "udh", "过": "uguo", "了": "ule", "连": "ulian", "说": "uls",
             "所": "usuo", "似的": "uyy", "一样": "uyy", "一般": "uyy", "般": "uyy",
             "着": "uzhe", "之": "uzhi"}
PRONOUNS = {}
for _words, _tag in (("我 你 您 他 她 它 我们 你们 他们 她们 它们 咱们 咱 自己 自个儿 人家 大家 彼此 本人 俺", "rr"),
                     ("这 那 此 该 各 每 这些 那些 其 某 某些 本 另 这个 那个 其他 其它 其余 一切 所有", "rz"),
                     ("这里 那里 这儿 那儿 此地 此处", "rzs"), ("这时 那时 此时 当时 此后", "rzt"),
                     ("这么 那么 这样 那样 如此 这般 那般", "rzv"), ("谁 什么 哪 哪个 哪些 多少 几", "ry"),
                     ("哪里 哪儿", "rys"), ("何时 几时", "ryt"), ("怎么 怎样 如何 怎么样 为什么 为何", "ryv")):
    for _w in _words.split():
        PRONOUNS[_w] = _tag
COORDINATORS = set("和 与 及 以及 或 或者 并 并且 而 而且 同".split())
TIME_QUANTIFIERS = set("年 月 日 天 周 星期 小时 分钟 秒 秒钟 世纪 年代 季度 夜".split())
VERB_QUANTIFIERS = set("次 遍 趟 回 番 顿 阵 下 场 轮".split())
DIRECTIONAL = set("来 去 上 下 进 出 回 过 起 开 到 上来 下来 起来 出来 进来 回来 过来 上去 下去 出去 进去 回去 过去 开来 下去".split())
FORMAL_VERBS = set("进行 加以 给予 予以 作出 做出 给以 举行".split())


def fine_tag(word, ctag, prev_fine):
    """Fine tag of a corpus word with corpus tag `ctag`; `prev_fine` is the fine
    tag of the word before it (or None)."""
    if ctag == "w":
        return PUNCT_TAGS.get(word[0], "w")
    if ctag == "u":
        return PARTICLES.get(word, "u")
    if ctag == "p":
        return {"把": "pba", "将": "pba", "被": "pbei"}.get(word, "p")
    if ctag == "v":
        if word == "是":
            return "vshi"
        if word == "有":
            return "vyou"
        if word in FORMAL_VERBS:
            return "vx"
        if word in DIRECTIONAL and prev_fine in ("v", "vf", "vx", "vyou"):
            return "vf"
        return "v"
    if ctag == "r":
        return PRONOUNS.get(word, "r")
    if ctag == "c":
        return "cc" if word in COORDINATORS else "c"
    if ctag == "q":
        if word in TIME_QUANTIFIERS:
            return "qt"
        if word in VERB_QUANTIFIERS:
            return "qv"
        return "q"
    return BASE_TAGS.get(ctag)


def parse_paragraph(line):
    """Returns (paragraph id, tokens); each token is [word, corpus tag, group],
    group being None or (group number, outer tag) for bracketed compounds."""
    fields = line.split()
    if not fields:
        return None, []
    para_id = fields[0].rpartition("/")[0]
    tokens = []
    group = None
    ngroup = 0
    for field in fields[1:]:
        opens = field.startswith("[") and len(field) > 1 and "/" in field
        if opens:
            field = field[1:]
            ngroup += 1
            group = [ngroup, None]
        closing = None
        m = re.match(r"^(.*/[A-Za-z]+)\]([A-Za-z]+)$", field)
        if m and group is not None:
            field, closing = m.group(1), m.group(2)
        word, _, tag = field.rpartition("/")
        if not word:
            continue
        tokens.append([word, tag, group])
        if closing is not None:
            group[1] = closing
            group = None
    for tok in tokens:
        if tok[2] is not None:
            tok[2] = tuple(tok[2])
    return para_id, tokens


def _is_number_text(word):
    """Digits, numerals, units 万/亿, decimal point, sign, percent: one number atom."""
    body = word[1:] if word[0] in "第" and len(word) > 1 else word
    if not any(c in DIGITS for c in body):
        return False
    return all(c in DIGITS or c in CN_NUMERALS or c in NUM_CONNECTORS for c in body)


def _is_time_text(word):
    for unit in TIME_UNITS:
        if word.endswith(unit) and len(word) > len(unit):
            head = word[:-len(unit)]
            return all(c in DIGITS or c in CN_NUMERALS for c in head)
    return False


def _is_letter_run(word):
    return any(is_letter(c) for c in word) and \
        all(is_letter(c) or c in DIGITS or c in "—－-.．／/&＆·" for c in word)


def _split_pieces(word):
    """Cuts a word that mixes digit or letter runs with other characters into
    the pieces the atom segmenter produces."""
    pieces = []
    cur = ""
    kind = None
    for c in word:
        k = "a" if (c in DIGITS or is_letter(c) or (kind == "a" and (c in BIG_UNITS or c in "．.％%"))) else "o"
        if kind is not None and k != kind:
            pieces.append((kind, cur))
            cur = ""
        kind = k
        cur += c
    if cur:
        pieces.append((kind, cur))
    return pieces


def normalise(word, ctag):
    """The words (with their corpus tag kinds) that stand for one corpus token in
    the training sequence. Returns a list of (word, class or None)."""
    if len(word) > 1 and all(c in REPEAT_PUNCT for c in word):
        return [(DASH_RUN, None)]
    if ctag == "w":
        if len(word) > 1 and all(c in REPEAT_PUNCT for c in word):
            return [(DASH_RUN, None)]
        if len(word) > 1:
            return [(c, None) for c in word]
        return [(word, None)]
    if _is_number_text(word):
        return [(CLASS_NUMBER, "m")]
    if ctag in ("t", None) and _is_time_text(word):
        return [(CLASS_TIME, "t")]
    if ctag in ("m", None) and len(word) > 1 and all(c in CN_NUMERALS for c in word):
        return [(CLASS_NUMBER, "m")]
    if _is_letter_run(word):
        return [(CLASS_STRING, "x")]
    if any(c in DIGITS or is_letter(c) for c in word):
        out = []
        for kind, text in _split_pieces(word):
            if kind == "a":
                if _is_letter_run(text):
                    out.append((CLASS_STRING, "x"))
                else:
                    out.append((CLASS_NUMBER, "m"))
            else:
                out.append((text, None))
        return out
    return [(word, None)]


def is_storable(word):
    """Words the import formats can carry and the engine's GBK text can hold."""
    if not word or any(c in "@[_" or c.isspace() for c in word):
        return False
    try:
        word.encode("gbk")
    except UnicodeEncodeError:
        return False
    return True


def gb2312_characters():
    chars = []
    for hi in range(0xA1, 0xF8):
        for lo in range(0xA1, 0xFF):
            try:
                c = bytes((hi, lo)).decode("gb2312")
            except UnicodeDecodeError:
                continue
            # Full-width digits stay out: a lone digit is a number atom, and as
            # a word of its own it would carry no number tag.
            if not c.isspace() and not "０" <= c <= "９":
                chars.append(c)
    return chars


ASCII_PUNCT = [c for c in "!\"#$%&'()*+,-./:;<=>?\\]^`{|}~"]
