"""Checks of the trainer's normalisation, tag mapping and name grouping.
Run: python3 -m unittest discover -s tools/trainer"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import corpus as C  # noqa: E402
import persons as P  # noqa: E402


class NormaliseTest(unittest.TestCase):
    def test_words_become_what_the_segmenter_presents(self):
        cases = [
            ("１９９８", "m", ["未##数"]), ("３．５", "m", ["未##数"]), ("２０％", "m", ["未##数"]),
            ("３万", "m", ["未##数"]), ("－５", "m", ["未##数"]), ("１／３", "m", ["未##数"]),
            ("第３", "m", ["未##数"]), ("二十一", "m", ["未##数"]),
            ("一个", "m", ["一个"]), ("第一", "m", ["第一"]), ("许多", "m", ["许多"]),
            ("十分", "d", ["十分"]), ("三", "m", ["三"]), ("十几", "m", ["十几"]),
            ("１９９７年", "t", ["未##时"]), ("１２月", "t", ["未##时"]), ("三十一日", "t", ["未##时"]),
            ("今年", "t", ["今年"]), ("五年", "m", ["五年"]),
            ("ＣＤＭＡ", "nx", ["未##串"]), ("ＣＤ—ＲＯＭ", "nx", ["未##串"]),
            ("１０多", "m", ["未##数", "多"]), ("Ｂ超", "n", ["未##串", "超"]),
            ("——", "w", ["———"]), ("……", "w", ["———"]), ("±％", "w", ["±", "％"]),
            ("，", "w", ["，"]),
        ]
        for word, tag, want in cases:
            with self.subTest(word=word):
                self.assertEqual([w for w, _ in C.normalise(word, tag)], want)

    def test_gold_tokens_without_tags(self):
        self.assertEqual(C.normalise("2001年", None), [("未##时", "t")])
        self.assertEqual(C.normalise("二十", None), [("未##数", "m")])
        self.assertEqual(C.normalise("21", None), [("未##数", "m")])

    def test_storable_words(self):
        for word, ok in (("中国", True), ("a@b", False), ("x_y", False), ("[a", False),
                         ("中 国", False), ("", False), ("\U0002000b", False)):
            with self.subTest(word=word):
                self.assertEqual(C.is_storable(word), ok)


class TagTest(unittest.TestCase):
    def test_fine_tags(self):
        cases = [("是", "v", None, "vshi"), ("有", "v", None, "vyou"), ("的", "u", None, "ude1"),
                 ("了", "u", None, "ule"), ("把", "p", None, "pba"), ("被", "p", None, "pbei"),
                 ("来", "v", "v", "vf"), ("来", "v", "n", "v"), ("（", "w", None, "wkz"),
                 ("》", "w", None, "wky"), ("。", "w", None, "wj"), ("…", "w", None, "ws"),
                 ("、", "w", None, "wn"), ("『", "w", None, "wyz"), ("”", "w", None, "wyy"),
                 ("Ng", "Ng", None, "ng"), ("城", "Ng", None, "ng"), ("ＸＹ", "nx", None, "x")]
        for word, ctag, prev, want in cases:
            with self.subTest(word=word, ctag=ctag):
                self.assertEqual(C.fine_tag(word, ctag, prev), want)

    def test_compound_brackets(self):
        pid, toks = C.parse_paragraph("19980101-01-001-002/m  [中央/n  人民/n  广播/vn  电台/n]nt  说/v")
        self.assertEqual(pid, "19980101-01-001-002")
        self.assertEqual([t[0] for t in toks], ["中央", "人民", "广播", "电台", "说"])
        self.assertEqual({t[2] for t in toks[:4]}, {(1, "nt")})
        self.assertIsNone(toks[4][2])


class NameTest(unittest.TestCase):
    def kinds(self, text):
        _, toks = C.parse_paragraph("1/m  " + text)
        return [k for k, _ in P.group_names(toks) if k != "word"]

    def test_grouping(self):
        cases = [("江/nr  泽民/nr  说/v", ["cn"]), ("欧阳/nr  修/nr", ["cn"]),
                 ("江/nr  主席/n", ["sur"]), ("克林顿/nr  访华/v", ["foreign"]),
                 ("桥本龙太郎/nr", ["jp"]), ("桥本/nr  首相/n", ["jpsur"]),
                 ("李/nr  鹏/nr  乔/nr  石/nr", ["cn", "cn"]),
                 ("ＡＢ/nr", []), ("老/a  王/nr  来/v", ["pre"])]
        for text, want in cases:
            with self.subTest(text=text):
                self.assertEqual(self.kinds(text), want)

    def test_context_roles(self):
        roles = [["说", P.OTHER], ["江", P.SUR], ["泽", P.G1], ["民", P.G2], ["、", P.OTHER],
                 ["李", P.SUR], ["鹏", P.GS], ["。", P.OTHER]]
        P.mark_context(roles, [(1, 3), (5, 6)])
        self.assertEqual([r for _, r in roles],
                         [P.LC, P.SUR, P.G1, P.G2, P.MC, P.SUR, P.GS, P.RC])

    def test_automaton_leaves_start_only_on_name_roles(self):
        states, accepting, trans = P.automaton()
        for src, role, dst in trans:
            self.assertLess(role, P.ROLE_COUNT)
            self.assertLess(dst, states)
            if src == 0:
                self.assertIn(role, P.NAME_ROLES)
            self.assertNotIn(0, accepting)
        self.assertEqual(set(accepting.values()), {24, 27, 28})
        lines = P.automaton_text().splitlines()
        self.assertEqual(int(lines[1]), states)
        self.assertEqual(len(lines[5].split()), len(lines[7].split()))


if __name__ == "__main__":
    unittest.main()
