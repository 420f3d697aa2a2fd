"""Person names in the corpus: grouping the name tokens into names, the person
roles of each word, and the automaton that accepts role sequences of names."""

# Person roles (their own id space; 22 is the default role of the tagger).
SUR, G1, G2, GS, GW, PRE, TF, TM, TE, JS, JG, LC, RC, MC, BEG, END = range(16)
OTHER = 22
ROLE_COUNT = 23
ROLE_NAMES = {SUR: "surname", G1: "first of two-character given name",
              G2: "second of two-character given name", GS: "one-character given name",
              GW: "two-character given name that is also a word", PRE: "prefix 老/小/阿",
              TF: "first character of a transliterated name", TM: "inner character of a transliterated name",
              TE: "last character of a transliterated name", JS: "Japanese surname",
              JG: "Japanese given-name character", LC: "word before a name", RC: "word after a name",
              MC: "word between two names", BEG: "sentence start", END: "sentence end",
              OTHER: "other word"}
NAME_ROLES = {SUR, G1, G2, GS, GW, PRE, TF, TM, TE, JS, JG}
CONTEXT_ROLES = {LC, RC, MC}
# A word is a habitual name context when it stands next to names at least this
# often, and in at least this share of its occurrences.
CONTEXT_MIN_COUNT = 3
CONTEXT_MIN_SHARE = 0.1


def is_context_habit(n_context, n_total):
    return n_context >= CONTEXT_MIN_COUNT and n_context >= CONTEXT_MIN_SHARE * n_total

TAG_CHINESE, TAG_FOREIGN, TAG_JAPANESE = 24, 27, 28

COMPOUND_SURNAMES = set("欧阳 司马 诸葛 上官 司徒 东方 皇甫 令狐 南宫 夏侯 慕容 尉迟 公孙 长孙 宇文 "
                        "轩辕 端木 西门 独孤 澹台 单于 闻人 万俟 呼延 太史 申屠 赫连 钟离".split())
JAPANESE_SURNAMES = set("桥本 小渊 村山 田中 中曾根 竹下 宫泽 羽田 细川 海部 池田 山本 铃木 佐藤 渡边 "
                        "高桥 伊藤 中村 小林 加藤 吉田 山田 佐佐木 松本 井上 木村 清水 山口 阿部 石川 "
                        "前田 藤田 小川 冈田 后藤 长谷川 石井 村上 近藤 坂本 远藤 青木 藤井 西村 福田 "
                        "太田 三浦 藤原 松田 冈本 中川 中野 原田 小野 竹内 金子 和田 中山 石田 上田 "
                        "森田 柴田 酒井 工藤 横山 宫崎 宫本 内田 高木 安藤 岛田 谷口 大野 高田 丸山 "
                        "今井 河野 藤本 村田 武田 上野 杉山 增田 平野 久保 松井 小岛 岩崎 樱井 野口 "
                        "松尾 野村 木下 佐野 大西 杉本 新井 浜田 菅原 市川 水野 小山 梶山 野中 久间 "
                        "堀内 大平 福井 三冢 二阶堂 小泽 鸠山 森喜 黑泽 川端 大江 东乡 土井 加藤 "
                        "武村 船田 北川 矢野 江田 冲绳 松下 丰田 盛田 稻盛 本田 大冢 千叶 平山".split())
NAME_PREFIXES = {"老", "小", "阿"}

# Characters common in transliterated names; a name made only of them is foreign.
TRANSLIT_CHARS = set("阿埃艾爱安奥澳巴拜班邦保鲍贝本比彼宾波伯博布查达戴丹道德迪蒂丁杜多厄恩尔法凡"
                     "菲费芬弗福盖甘冈戈格贡古圭哈海汉豪赫亨胡华霍基吉加贾杰金卡凯坎康柯科克肯库夸奎"
                     "拉莱赖兰朗劳勒雷蕾里利莉连林琳卢鲁路伦罗洛马玛迈麦曼梅门蒙米明莫默姆穆纳娜奈"
                     "南内尼涅纽努诺欧帕潘佩彭皮普齐奇乔切萨塞桑瑟森沙尚舍什施斯松苏索塔泰坦汤特滕"
                     "提图托瓦万威韦维温沃乌伍西希谢辛休雅亚扬耶伊因英尤约泽扎詹兹佐茨契夫娃丽黛琼"
                     "罗莎萨雷尤哥格鲍艾蒂纳拉姆·")


def _is_surname(word):
    return len(word) == 1 or word in COMPOUND_SURNAMES


def learn_transliteration(tokens_lists):
    """Adds the characters of long single-token names (Chinese names come as a
    surname token and a given-name token) to the transliteration characters."""
    for tokens in tokens_lists:
        for word, tag, _ in tokens:
            if tag == "nr" and (len(word) >= 3 or "·" in word) and word[:2] not in JAPANESE_SURNAMES:
                TRANSLIT_CHARS.update(word)


def _is_foreign(word):
    return "·" in word or len(word) >= 3 or (len(word) == 2 and all(c in TRANSLIT_CHARS for c in word))


def japanese_surname_of(word):
    """The surname at the start of a Japanese full name written as one token."""
    for n in (3, 2):
        if len(word) > n and word[:n] in JAPANESE_SURNAMES:
            return word[:n]
    return None


def group_names(tokens):
    """Groups runs of corpus person tokens (tag nr) into name units.
    Returns a list of units: ("word", index) for an ordinary token or
    (kind, [indices]) with kind "cn", "jp", "jpsur", "foreign", "sur", "given", "pre"."""
    units = []
    i = 0
    n = len(tokens)
    while i < n:
        if tokens[i][1] != "nr" or any(c in "0123456789０１２３４５６７８９" or c.isascii() or
                                       "ａ" <= c <= "ｚ" or "Ａ" <= c <= "Ｚ" for c in tokens[i][0]):
            units.append(("word", [i]))
            i += 1
            continue
        w = tokens[i][0]
        nxt = tokens[i + 1][0] if i + 1 < n and tokens[i + 1][1] == "nr" else None
        if nxt is not None and w in JAPANESE_SURNAMES and len(nxt) <= 3:
            units.append(("jp", [i, i + 1]))
            i += 2
        elif japanese_surname_of(w):
            units.append(("jp", [i]))
            i += 1
        elif w in JAPANESE_SURNAMES:
            units.append(("jpsur", [i]))
            i += 1
        elif nxt is not None and _is_surname(w) and 1 <= len(nxt) <= 2:
            units.append(("cn", [i, i + 1]))
            i += 2
        elif _is_foreign(w):
            units.append(("foreign", [i]))
            i += 1
        elif _is_surname(w):
            if units and units[-1][0] == "word" and tokens[units[-1][1][0]][0] in NAME_PREFIXES:
                prev = units.pop()
                units.append(("pre", [prev[1][0], i]))
            else:
                units.append(("sur", [i]))
            i += 1
        else:
            units.append(("given", [i]))
            i += 1
    return units


def given_roles(given, common_words):
    """Roles of the words a given name is presented as."""
    if len(given) == 1:
        return [(given, GS)]
    if given in common_words:
        return [(given, GW)]
    return [(given[0], G1), (given[1], G2)]


def foreign_roles(name):
    chars = list(name)
    if len(chars) == 1:
        return [(name, OTHER)]
    roles = [(chars[0], TF)]
    roles += [(c, TM) for c in chars[1:-1]]
    roles.append((chars[-1], TE))
    return roles


def mark_context(roles, spans):
    """Gives the words around each name span their context role; `roles` is a
    list of [word, role] and `spans` the (first, last) index of each name."""
    for first, last in spans:
        if first > 0:
            r = roles[first - 1][1]
            if r == OTHER:
                roles[first - 1][1] = LC
            elif r == RC:
                roles[first - 1][1] = MC
        if last + 1 < len(roles) and roles[last + 1][1] == OTHER:
            roles[last + 1][1] = RC


def automaton():
    """The person-name automaton: (state count, accepting {state: tag id},
    transitions [(from, role, to)]). Only name roles leave the start state."""
    trans = [
        (0, SUR, 1), (1, GS, 2), (1, G1, 3), (3, G2, 4), (1, GW, 4),
        (0, PRE, 5), (5, SUR, 6),
        (0, TF, 7), (7, TM, 8), (8, TM, 8), (7, TE, 9), (8, TE, 9),
        (0, JS, 10), (10, JG, 11), (11, JG, 12), (12, JG, 13),
    ]
    accepting = {2: TAG_CHINESE, 4: TAG_CHINESE, 6: TAG_CHINESE, 9: TAG_FOREIGN,
                 11: TAG_JAPANESE, 12: TAG_JAPANESE, 13: TAG_JAPANESE}
    return 14, accepting, trans


def automaton_text():
    states, accepting, trans = automaton()
    order = sorted(accepting)
    lines = ["state count", str(states), "input count", str(ROLE_COUNT),
             "accepting states", " ".join(str(s) for s in order),
             "tag ids of the accepting states", " ".join(str(accepting[s]) for s in order),
             "transitions: state role next-state"]
    lines += ["%d\t%d\t%d" % t for t in trans]
    return "\n".join(lines) + "\n"
