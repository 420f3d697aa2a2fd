#!/usr/bin/env python3
"""Builds the gazetteer's text sources from the country and division tables.

    gazetteer.py [GEO_DIR]      (default ../shared/corpora/geo)

Writes into data/location/:
  location.txt         "name<TAB>level", one location per line: the word list
                       of the location dictionary and word list, and the
                       level table (1 country, 2 province, 3 prefecture,
                       4 county, 5 short form of a name above)
  location_parent.txt  "name<TAB>parent": the parent map

Rules:
- Countries come from the Chinese country names; Hong Kong, Macao and Taiwan
  are provincial-level regions under 中国, as in the division tables.
- Placeholder divisions (市辖区, 县, 省直辖县级行政区划, ...) are skipped;
  their counties hang directly under the province.
- A name is one dictionary word, so it can have only one parent: a county
  name used in two provinces is dropped, one used twice in the same
  province hangs under the province.
- Short forms (河北 for 河北省, 延边 for 延边朝鲜族自治州, 昌平 for 昌平区) are
  added with level 5 and the full name as parent when they are at least two
  characters and not already a name; a short form shared by several names
  goes to the one of the highest level, or to none on a tie.
"""
import collections
import csv
import json
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "data", "location")
CHINA = "中国"
SKIPPED_COUNTRIES = {"CN", "HK", "MO", "TW"}
PLACEHOLDERS = {"市辖区", "县", "省直辖县级行政区划", "自治区直辖县级行政区划"}
SUFFIX = re.compile(r"(特别行政区|自治区|自治州|自治县|自治旗|地区|省|市|县|区|旗|盟)$")
ETHNIC = ("朝鲜族 土家族 苗族 藏族 羌族 彝族 布依族 侗族 哈尼族 壮族 傣族 白族 景颇族 傈僳族 回族 "
          "蒙古族 蒙古 柯尔克孜 哈萨克 维吾尔 满族 瑶族 畲族 黎族 仡佬族 水族 毛南族 仫佬族 各族 "
          "达斡尔族 鄂温克族 鄂伦春族 裕固族 保安族 东乡族 撒拉族 土族 纳西族 普米族 独龙族 怒族 "
          "拉祜族 佤族 布朗族 基诺族 阿昌族 德昂族 锡伯族 塔吉克 哈尼").split()


def short_form(name):
    base = SUFFIX.sub("", name)
    stripped = True
    while stripped:
        stripped = False
        for people in ETHNIC:
            if base.endswith(people) and len(base) - len(people) >= 2:
                base = base[: -len(people)]
                stripped = True
    return base if len(base) >= 2 and base != name else None


def gbk_ok(name):
    try:
        name.encode("gbk")
        return True
    except UnicodeEncodeError:
        return False


def load_china(geo):
    """Returns [(name, level, parent)] for provinces, prefectures and counties."""
    rows = []
    with open(os.path.join(geo, "china-division_provinces.csv"), encoding="utf-8") as src:
        provinces = {r["code"]: r["name"] for r in csv.DictReader(src)}
    with open(os.path.join(geo, "china-division_cities.csv"), encoding="utf-8") as src:
        cities = {r["code"]: (r["name"], r["provinceCode"]) for r in csv.DictReader(src)}
    for name in provinces.values():
        rows.append((name, 2, CHINA))
    for name, province in cities.values():
        if name not in PLACEHOLDERS:
            rows.append((name, 3, provinces[province]))
    with open(os.path.join(geo, "china-division_areas.csv"), encoding="utf-8") as src:
        for r in csv.DictReader(src):
            city, province = cities[r["cityCode"]][0], provinces[r["provinceCode"]]
            rows.append((r["name"], 4, province if city in PLACEHOLDERS else city, province))
    with open(os.path.join(geo, "china-division_HK-MO-TW.json"), encoding="utf-8") as src:
        for region, parts in json.load(src).items():
            rows.append((region, 2, CHINA))
            for part, districts in parts.items():
                rows.append((part, 3, region))
                for district in districts:
                    rows.append((district, 4, part, region))
    return rows


def main(argv):
    geo = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(ROOT), "shared", "corpora", "geo")
    with open(os.path.join(geo, "i18n-iso-countries_zh.json"), encoding="utf-8") as src:
        countries = json.load(src)["countries"]

    entries = collections.OrderedDict()  # name -> [level, parent]
    for code in sorted(countries):
        if code not in SKIPPED_COUNTRIES and gbk_ok(countries[code]):
            entries[countries[code]] = [1, None]
    entries[CHINA] = [1, None]

    # Group repeated names: same province -> under the province, else dropped.
    by_name = collections.defaultdict(list)
    for row in load_china(geo):
        by_name[row[0]].append(row)
    for name, rows in by_name.items():
        if name in entries or not gbk_ok(name):
            continue
        if len(rows) == 1:
            entries[name] = [rows[0][1], rows[0][2]]
            continue
        provinces = {r[3] if len(r) > 3 else r[2] for r in rows}
        if len(provinces) == 1 and min(r[1] for r in rows) > 2:
            entries[name] = [min(r[1] for r in rows), provinces.pop()]

    # Short forms: unambiguous and new.
    # When several names share a short form, the one of the highest level
    # takes it if it is the only one at that level (吉林 is 吉林省, not 吉林市).
    shorts = collections.defaultdict(list)
    for name, (level, _) in entries.items():
        if level > 1:
            short = short_form(name)
            if short:
                shorts[short].append((level, name))
    for short, names in sorted(shorts.items()):
        names.sort()
        if len(names) > 1 and names[0][0] == names[1][0]:
            continue
        if short not in entries and short not in by_name:
            entries[short] = [5, names[0][1]]

    # Every parent is a name, and following parents always ends.
    for name in entries:
        seen = set()
        while name is not None:
            if name in seen or name not in entries:
                raise ValueError("broken parent chain at %s" % name)
            seen.add(name)
            name = entries[name][1]

    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "location.txt"), "w", encoding="utf-8") as out:
        out.writelines("%s\t%d\n" % (n, e[0]) for n, e in entries.items())
    with open(os.path.join(OUT, "location_parent.txt"), "w", encoding="utf-8") as out:
        out.writelines("%s\t%s\n" % (n, e[1]) for n, e in entries.items() if e[1])
    levels = collections.Counter(e[0] for e in entries.values())
    print("locations %d: %s" % (len(entries), ", ".join("level %d %d" % kv for kv in sorted(levels.items()))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
