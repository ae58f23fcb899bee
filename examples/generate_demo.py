#!/usr/bin/env python3
"""Writes the bundled demo project: invented boreholes of a road project.

Every file of examples/demo-project is written here; nothing there is edited by hand. The
output is deterministic (fixed seeds), so running the script again reproduces the committed
files byte for byte.

The files are what a field crew's older programs would leave behind: DOS code page letters in
comment lines, block dates written year first, blocks and boreholes without GUIDs, an old-style
GUID section, interpretations in the word-only, the full and the commented layer form, a cone penetration
test with its settings and presentation file, samples in an older generation of the sample
file with old test digits. Saving
them with the geoproj tool brings them to the current form.

Usage: generate_demo.py [OUTPUT_DIR]   (default: demo-project beside this script)
"""

import math
import os
import random
import sys
import uuid

# The DOS code page letters the project files use for the Nordic letters.
DOS_LETTERS = {
    "å": 134, "Å": 143, "ä": 132, "Ä": 142, "ö": 148, "Ö": 153,
    "æ": 145, "Æ": 146, "ø": 155, "Ø": 237, "é": 130, "É": 144,
}

# Soil kinds of the invented profiles: sounding code, interpretation word and material index,
# and a resistance range (0 soft .. 1 refusal) that drives the sounding values.
SOILS = {
    "fill":   ("FY", "fyllning", 13, (0.30, 0.70)),
    "crust":  ("TØ", "torrskorpa", 33, (0.25, 0.45)),
    "clay":   ("LE", "lera", 11, (0.02, 0.15)),
    "silt":   ("SI", "silt", 21, (0.15, 0.35)),
    "sand":   ("SA", "sand", 20, (0.35, 0.60)),
    "gravel": ("GR", "grus", 32, (0.50, 0.75)),
    "till":   ("MO", "moraen", 35, (0.65, 0.92)),
    "peat":   ("TO", "torv", 27, (0.01, 0.06)),
    "gyttja": ("GY", "gyttja", 8, (0.01, 0.08)),
    "rock":   ("F", "berg", 1, (0.97, 1.00)),
}

METHOD_TEXT_COLUMN = {21: 22, 22: 22, 23: 15, 24: 22, 25: 29, 26: 22, 35: 30}


def dos(text):
    """Encodes text in the DOS code page of old project files."""
    out = bytearray()
    for ch in text:
        if ch in DOS_LETTERS:
            out.append(DOS_LETTERS[ch])
        else:
            out.extend(ch.encode("ascii"))
    return bytes(out)


def win(text):
    """Encodes text in code page 1252, as current files hold it."""
    return text.encode("cp1252")


class TextFile:
    """Lines of one project text file, written with CR LF line ends."""

    def __init__(self):
        self.lines = []

    def add(self, line):
        self.lines.append(line if isinstance(line, bytes) else dos(line))

    def write(self, path):
        with open(path, "wb") as f:
            for line in self.lines:
                f.write(line + b"\r\n")


def new_guid(rng):
    return str(uuid.UUID(int=rng.getrandbits(128), version=4))


def layer_at(profile, depth):
    top = 0.0
    for soil, bottom in profile:
        if depth < bottom - 1e-6:
            return soil, top
        top = bottom
    return profile[-1][0], top


def depth_steps(start, end, step):
    n = int(round((end - start) / step))
    return [round(start + i * step, 3) for i in range(1, n + 1)]


def resistance(rng, soil, depth, top):
    lo, hi = SOILS[soil][3]
    # Deeper in a layer the soil is a little firmer.
    return min(1.0, lo + (hi - lo) * rng.random() * (0.6 + 0.4 * min(1.0, depth - top)))


def layer_code(soil, text_codes, first):
    """The record text: the soil code at a layer change, plus any extra codes of the depth."""
    words = [SOILS[soil][0]] if first else []
    words += text_codes
    return " ".join(words)


def sounding_records(rng, hole, block, step):
    """(depth, soil, resistance, text) for every depth step of a sounding."""
    method = block["method"]
    records = []
    previous = None
    for depth in depth_steps(hole["start"], block.get("end", hole["end"]), step):
        soil, top = layer_at(hole["profile"], depth)
        r = resistance(rng, soil, depth, top)
        extra = list(hole.get("marks", {}).get((method, depth), []))
        text = layer_code(soil, extra, soil != previous and (soil != "rock" or method in (25, 26)))
        records.append((depth, soil, r, text))
        previous = soil
    return records


def pad(numbers, column, text):
    line = numbers.ljust(column)
    return line + text if text else line


def header_line(flag1, stop, value3, value4, sgf, value6, text7, guid):
    line = "%f %d %d %d %d %d %s" % (flag1, stop, value3, value4, 1 if sgf else 0, value6, text7)
    if guid:
        line += " GUID " + guid
    return line


def code_line(method, date):
    return "%d %s" % (method, date)


def dreie_lines(rng, hole, block):
    lines = []
    for depth, soil, r, text in sounding_records(rng, hole, block, 0.2):
        if soil == "rock" or r > 0.93:
            weight, value = "SL", -int(10 + r * 30)
        elif r < 0.25:
            weight = ["5", "15", "25", "50", "75"][min(4, int(r / 0.05))]
            value = 0
        else:
            weight, value = "100", int(2 + (r - 0.25) * 80)
        lines.append(pad("%7.3f %4d %s" % (depth, value, weight), 22, text))
    return lines


def enkel_lines(rng, hole, block):
    return [pad("%7.3f %4d %s" % (d, int(1 + r * 40), "  "), 22, t)
            for d, _, r, t in sounding_records(rng, hole, block, 0.2)]


def dtrykk_lines(rng, hole, block):
    return [pad("%7.3f %4d %s" % (d, int(2 + r * 28), "  "), 15, t)
            for d, _, r, t in sounding_records(rng, hole, block, 0.2)]


def ram_lines(rng, hole, block):
    return [pad("%7.3f %d %d" % (d, int(1 + r * 60), int(r * 180)), 22, t)
            for d, _, r, t in sounding_records(rng, hole, block, 0.2)]


def total_lines(rng, hole, block):
    lines = []
    for depth, soil, r, text in sounding_records(rng, hole, block, 0.2):
        force = int(150 + r * 1800)
        rotation = int(r * 45)
        if block["format"] < 2:
            mode = "SL" if (soil == "rock" or r > 0.85) else "TR"
            lines.append(pad("%7.3f %5d %5d %s" % (depth, force, rotation, mode), 29, text))
        else:
            flushing = int(r * 90) if r > 0.6 else 0
            lines.append(pad("%7.3f %5d %5d %5d" % (depth, force, rotation, flushing), 29, text))
    return lines


def fjell_lines(rng, hole, block):
    return [pad("%7.3f %4d %s" % (d, int(3 + r * 55), "  "), 22, t)
            for d, _, r, t in sounding_records(rng, hole, block, 0.2)]


def dpt_lines(rng, hole, block):
    return [pad("%9.3f %9.3f %7.3f" % (d, float(int(1 + r * 35)), round(r * 60, 1)), 30, t)
            for d, _, r, t in sounding_records(rng, hole, block, 0.2)]


def cpt_lines(rng, hole, block):
    """Cone resistance, sleeve friction and pore pressure every 0.1 m; the soil code where a
    layer begins, and the further values on some depths."""
    lines = []
    for depth, soil, r, text in sounding_records(rng, hole, block, 0.1):
        cone = int(200 + r * 18000)
        sleeve = int(3 + r * 160)
        pore = int(rng.uniform(-20, 40) + (0 if r > 0.5 else 300 * (1 - r)))
        line = ("%7.3f %6d %6d %6d  " % (depth, cone, sleeve, pore)).ljust(30) + text
        if round(depth * 10) % 25 == 0:
            line = line.ljust(56) + "%d %7.1f %7.3f %7.1f" % (1, r * 10, r / 4, depth * 9.81)
        lines.append(line)
    return lines


BLOCK_WRITERS = {7: cpt_lines, 21: dreie_lines, 22: enkel_lines, 23: dtrykk_lines,
                 24: ram_lines, 25: total_lines, 26: fjell_lines, 35: dpt_lines}


def block_lines(rng, hole, block):
    method = block["method"]
    value4 = block.get("format", block.get("value4", 0))
    guid = "" if block.get("no_guid") else new_guid(rng)
    lines = ["*", code_line(method, block["date"]),
             header_line(block.get("flag1", 1.0), block["stop"], block.get("value3", 0), value4,
                         block.get("sgf", True), block.get("value6", 0), block.get("rig", ""),
                         guid)]
    return lines + BLOCK_WRITERS[method](rng, hole, block)


def snd_file(rng, hole):
    f = TextFile()
    for value in (hole["x"], hole["y"], hole["z"], hole.get("sek", 9999999.9),
                  hole.get("avst", 0.0)):
        f.add("%f" % value)
    f.add("%f %d %f" % (hole.get("start_depth", 0.0), hole.get("direction", 0),
                        hole.get("inclination", 90.0)))
    comments = hole.get("comments", [])
    if any(comments):
        for i in range(4):
            f.add(dos(comments[i]) if i < len(comments) else b"")
    f.add("*")
    f.add("97")
    f.add("40 0")
    f.add("*")
    f.add("99")
    origin = hole.get("origin")
    f.add("%s %s" % (origin or "GUID", new_guid(rng)))
    for block in hole.get("blocks", []):
        for line in block_lines(rng, hole, block):
            f.add(line)
        for key, value in block.get("settings", []):
            if key == "*":
                f.add("*")
                f.add("107 ")
            else:
                f.add(dos("%-25s %s" % (key, value)))
    if hole.get("blocks"):
        f.add("*")
    return f


def interpretation_layers(hole):
    """(word, index, level of the layer top) from the top of the profile."""
    layers = []
    top = 0.0
    for soil, bottom in hole["profile"]:
        if not layers or layers[-1][0] != SOILS[soil][1]:
            layers.append((SOILS[soil][1], SOILS[soil][2], hole["z"] - top))
        top = bottom
    return layers


def tlk_file(hole):
    form = hole["tlk"]
    f = TextFile()
    if hole.get("gvy"):
        f.add("gvy")
        f.add("%9.4f" % hole["gvy"])
        f.add("")
    notes = hole.get("layer_notes", {})
    for word, index, level in interpretation_layers(hole):
        if form == "words":
            # Files of the first versions carry the word and the level alone.
            f.add(word)
            f.add("%.2f" % level)
            f.add("")
            continue
        kod, kalla = (5, 4) if word == "berg" else (2, 2)
        line = dos("%s %d %d %d" % (word, index, kod, kalla))
        if form == "comments" and word in notes:
            line = line.ljust(25) + dos(notes[word])
        f.add(line)
        f.add(dos(("%9.4f %s" % (level, hole.get("level_texts", {}).get(word, ""))).rstrip()
                  if form == "comments" else "%9.4f " % level))
        strength = hole.get("strengths", {}).get(word, 0.0)
        f.add(" ".join("%6.2f" % v for v in (strength, 0, 0, 0, 0, 0)))
    f.add("*")
    return f


def boreholes():
    """The twenty invented boreholes along the road line."""
    base_x, base_y = 6583120.0, 152840.0
    holes = []

    def hole(n, z, sek, avst, profile, end, **extra):
        h = {"id": "BH%d" % n, "x": round(base_x + sek * 0.61 + avst * 0.79, 3),
             "y": round(base_y + sek * 0.79 - avst * 0.61, 3), "z": z, "sek": sek, "avst": avst,
             "profile": profile, "start": 0.0, "end": end}
        h.update(extra)
        holes.append(h)
        return h

    clay_site = [("fill", 0.8), ("crust", 2.0), ("clay", 9.4), ("sand", 11.0), ("till", 13.6),
                 ("rock", 30.0)]
    sand_site = [("fill", 0.6), ("sand", 4.2), ("gravel", 6.0), ("till", 8.8), ("rock", 30.0)]
    peat_site = [("peat", 1.6), ("gyttja", 3.0), ("clay", 7.2), ("silt", 8.4), ("till", 10.2),
                 ("rock", 30.0)]

    hole(1, 18.42, 1210.0, -6.5, clay_site, 12.4, tlk="full",
         comments=["Borrbandvagn GB2, väder: mulet", "Lös lera under torrskorpan"],
         blocks=[{"method": 21, "date": "12.04.2021", "stop": 90, "rig": "GB2"}],
         marks={(21, 2.2): ["MY"]})
    hole(2, 17.95, 1235.0, 5.0, clay_site, 16.6, tlk="words",
         comments=["Stopp mot berg, kontrollerat 3 m"],
         blocks=[{"method": 25, "date": "2021-04-13", "stop": 93, "format": 0, "rig": "GB2"}],
         marks={(25, 11.2): ["S1"], (25, 12.0): ["B1"]})
    hole(3, 17.60, 1260.0, -12.0, clay_site, 16.8, tlk="comments", gvy=16.85,
         layer_notes={"lera": "lös, sulfidfläckig", "moraen": "blockig, stenig"},
         level_texts={"berg": "borrat 3 m"}, strengths={"lera": 12.5, "torrskorpa": 35.0},
         blocks=[{"method": 25, "date": "14.04.2021", "stop": 94, "format": 4, "rig": "GM75"}],
         marks={(25, 10.4): ["R1"], (25, 11.6): ["B2", "S1"]})
    hole(4, 16.90, 1290.0, 8.5, sand_site, 8.2, tlk="full",
         comments=["Ramsondering, hejare 63,5 kg"],
         blocks=[{"method": 24, "date": "15.04.2021", "stop": 91, "rig": "DPSH"}])
    hole(5, 16.35, 1320.0, -3.0, sand_site, 6.4,
         blocks=[{"method": 22, "date": "15.04.2021", "stop": 92, "sgf": False}])
    hole(6, 15.80, 1350.0, 14.0, sand_site, 8.6, tlk="words",
         comments=["Åkermark, sänka vid dike"],
         blocks=[{"method": 23, "date": "2021-04-16", "stop": 90, "rig": "GB2"}],
         marks={(23, 4.4): ["R1"], (23, 6.2): ["P1"]})
    hole(7, 15.10, 1380.0, -9.5, sand_site, 11.8, tlk="full",
         comments=["Bergkontroll med hammarborr", "Vatten i borrhålet 1,2 m"],
         blocks=[{"method": 26, "date": "19.04.2021", "stop": 94, "value4": 2, "rig": "HB1"}],
         )
    hole(8, 14.75, 1405.0, 2.5, sand_site, 7.0,
         blocks=[{"method": 35, "date": "19.04.2021", "stop": 90}])
    hole(9, 14.20, 1430.0, -15.0, peat_site, 13.2, tlk="comments", gvy=13.60,
         inclination=70.0, direction=135,
         comments=["Snedborrat 70 grader mot sydost", "Kulvert i läge rakt ned"],
         layer_notes={"torv": "högförmultnad"}, strengths={"lera": 8.0},
         blocks=[{"method": 21, "date": "20.04.2021", "stop": 90, "rig": "GB2", "end": 9.0},
                 {"method": 25, "date": "20.04.2021", "stop": 93, "format": 4, "rig": "GB2"}],
         marks={(21, 1.8): ["MY"]})
    hole(10, 13.85, 1455.0, 7.0, peat_site, 10.2, tlk="words",
         comments=["Tolkning från äldre undersökning 1987"])
    hole(11, 13.40, 1480.0, -4.5, peat_site, 10.0, tlk="comments", gvy=13.05,
         layer_notes={"gyttja": "skalrester", "silt": "varvig"},
         comments=["Mosse, spång lagd till borrplats"],
         blocks=[{"method": 21, "date": "21.04.2021", "stop": 92, "rig": "GB2"}])
    hole(12, 13.95, 1505.0, 11.0, sand_site, 8.4,
         blocks=[{"method": 24, "date": "22.04.2021", "stop": 91, "rig": "DPSH"},
                 {"method": 35, "date": "22.04.2021", "stop": 90}])
    hole(13, 14.60, 1530.0, -7.0, clay_site, 16.4, tlk="full", gvy=13.90,
         comments=["Stopp mot berg"],
         blocks=[{"method": 25, "date": "2021-04-23", "stop": 93, "format": 2, "rig": "GM75"}],
         marks={(25, 12.4): ["Y1"]})
    hole(14, 15.25, 1555.0, 3.5, clay_site, 10.0, origin="BORR14",
         comments=["Övertagen från äldre projekt"],
         blocks=[{"method": 21, "date": "2019-09-30", "stop": 90, "no_guid": True,
                  "flag1": 0.0}])
    hole(15, 15.90, 1580.0, -10.0, sand_site, 6.8, tlk="full",
         blocks=[{"method": 22, "date": "26.04.2021", "stop": 90},
                 {"method": 23, "date": "26.04.2021", "stop": 91, "rig": "GB2"}])
    hole(16, 16.55, 1605.0, 6.0, clay_site, 13.4, tlk="comments",
         layer_notes={"lera": "kvicklera ej påvisad"},
         comments=["Egen sondering från markyta"],
         blocks=[{"method": 25, "date": "27.04.2021", "stop": 92, "format": 4, "rig": "GM75"}],
         marks={(25, 1.0): ["MY"]})
    hole(17, 17.10, 1630.0, -2.0, sand_site, 12.0, tlk="full",
         blocks=[{"method": 21, "date": "28.04.2021", "stop": 92, "rig": "GB2", "end": 8.0},
                 {"method": 26, "date": "28.04.2021", "stop": 93, "value4": 2, "rig": "HB1"}])
    hole(18, 17.65, 1655.0, 9.0, sand_site, 5.0, tlk="gvy-only", gvy=15.20,
         comments=["Grundvattenobservation i öppet hål"])
    hole(19, 18.30, 1680.0, -5.5, clay_site, 9.6, tlk="full",
         comments=["Fyllning av sprängsten, tjälfarlig", "Ö-läge vid bäcken, jämn mark",
                   "Bjørn Ødegård, Ærø", "Kontroll utförd"],
         blocks=[{"method": 21, "date": "29.04.2021", "stop": 90, "rig": "GB2"}],
         )
    hole(20, 18.85, 1705.0, 4.0, sand_site, 8.6,
         blocks=[{"method": 35, "date": "30.04.2021", "stop": 90},
                 {"method": 24, "date": "30.04.2021", "stop": 91, "rig": "DPSH"}])
    hole(21, 17.20, 1730.0, -8.0, clay_site, 12.0, cpt_presentation=True,
         comments=["CPTu med portrycksmätning"],
         blocks=[{"method": 7, "date": "2021-05-03", "stop": 92, "rig": "CPT15",
                  "settings": [("*", ""), ("MA", "0.845"), ("MB", "1.000"), ("HN", "4711"),
                               ("Nollvärde", "före och efter sondering")]}])
    hole(22, 16.70, 1755.0, 5.5, clay_site, 9.0, prv_date="2021-05-04", prv_header=2.5,
         comments=["Kolvprovtagning i lera"],
         blocks=[{"method": 21, "date": "04.05.2021", "stop": 90, "rig": "GB2"}],
         samples=[("PG", 12, 3.0, (0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0, 0.0, 0.0), " ",
                   "kolvprov, lös lera"),
                  ("PG", 345, 5.0, (65.2, 1.55, 12.5, 42.0, 18.0, 9.5, 3, 1.5, 0.5), "x",
                   "sulfidfläckig"),
                  ("SP", 0, 1.5, (0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0, 0.0, 0.0), " ",
                   "skruvprov torrskorpa"),
                  ("SP", 0, 1.1, (0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0, 0.0, 0.0), " ",
                   "skruvprov fyllning")])
    return holes


def cpt_presentation_file(rng):
    """The presentation settings of a cone penetration test, with two scale rows."""
    f = TextFile()
    f.add("%.4f %.4f GUID %s" % (10, 2, new_guid(rng)))
    for pair in ((0.1, 0.05), (0.8, 0.2), (12, 2), (1, 0.5), (8, 1)):
        f.add("%.4f %.4f" % pair)
    f.add("%.4f %.4f %.4f %.4f" % (1.0, 0.2, 0.08, 0.0))
    f.add("*")
    f.add("%.2f %.1f %.3f" % (0.5, 20.0, 0.125))
    f.add("%.2f %.1f %.3f" % (5.0, 2.0, 1.5))
    f.add("*")
    return f


def prv_file(hole):
    """Samples as an older program wrote them: generation "A42" without a GUID, the tests as
    digits. Depths of methods other than the piston samples were given 0.1 m deeper."""
    f = TextFile()
    f.add("A42 %f %s %d" % (hole.get("prv_header", 0.0), hole["prv_date"], 5))
    f.add("*")
    for metod, analyser, depth, values, tecken, text in hole["samples"]:
        numbers = "%-3s%6d %5.2f %5.2f %5.2f %5.2f %4.1f %4.1f %4.1f %2d %4.1f %3.1f" % (
            (metod, analyser, depth) + values)
        line = numbers.ljust(62) + tecken
        f.add(dos(line.ljust(64) + text))
    f.add("*")
    return f


def gvy_only_file(hole):
    f = TextFile()
    f.add("gvy")
    f.add("%9.4f" % hole["gvy"])
    f.add("")
    f.add("*")
    return f


def gvr_header(hole, kind_line, line9):
    f = TextFile()
    for value in (hole["x"], hole["y"], hole["z"], 9999999.9, 0.0):
        f.add("%f" % value)
    f.add(win(kind_line))
    f.add("%f 0" % hole["top"])
    f.add("%f 90.000000" % hole["bottom"])
    f.add(win(line9))
    return f


def pipe_reading(date, level, flag, status, comment, time):
    line = " %d %d %d %f %s %-25s%-44s" % (date[0], date[1], date[2], level, flag, status, comment)
    if time is not None:
        line += " " + time
    return win(line.rstrip(" "))


def groundwater_files(rng):
    """Pipes of every kind, a settlement point and two measurement points."""
    files = {}
    pipe = {"x": 6543300.0, "y": 1234520.0, "z": 21.4, "top": 22.1, "bottom": 14.9}
    readings = []
    for month in range(24):
        year, mon = 2020 + month // 12, 1 + month % 12
        level = 18.2 + 1.1 * math.sin(month / 12.0 * 2 * math.pi) + rng.uniform(-0.05, 0.05)
        status = {5: "TORR", 13: "SPOLAT", 20: "FRUSET"}.get(month, "")
        comment = "efter spolning" if month == 14 else ""
        readings.append(((year, mon, 15), round(level, 3), "J", status, comment, "08:%02d" % (month % 60)))
    readings.append(((2021, 6, 15), 18.0, "X", "", "ritpunkt", "12:00"))
    readings.sort()
    f = gvr_header(pipe, "GD 1 0 GUID " + new_guid(rng), "21.400000 -999.000000 \u00d6PPEN")
    f.add("Grundvattenr\u00f6r vid bro".encode("cp1252"))
    for line in ("", "", ""):
        f.add(line)
    f.add("*")
    for r in readings:
        f.add(pipe_reading(*r))
    f.add("*")
    f.add("*")
    f.add("99")
    f.add("GUID " + new_guid(rng))
    files["GW1.GVR"] = f

    for name, kind in (("GW2.GVR", "PZ"), ("GW3.GVR", "GV")):
        hole = {"x": 6543310.0 + len(files), "y": 1234530.0, "z": 20.8, "top": 21.0, "bottom": 12.0}
        f = TextFile()
        for value in (hole["x"], hole["y"], hole["z"], 9999999.9, 0.0):
            f.add("%f" % value)
        f.add("%s 0 0 GUID %s" % (kind, new_guid(rng)))
        f.add("%f 0" % hole["top"])
        f.add("%f 90.000000" % hole["bottom"])
        f.add("%f" % 8.8)
        f.add("03.05.2021")
        f.add("*")
        for i in range(12):
            f.add("P%d %d %.3f %d %.3f %s" % (1 + i % 2, i + 1, 35.0 + rng.uniform(-2, 2), 20210503 + i,
                                              rng.uniform(0, 1), "ok"))
        f.add("*")
        f.add("*")
        f.add("99")
        f.add("GUID " + new_guid(rng))
        files[name] = f

    # An older pipe: kind RÖ, no GUIDs, one number on the value lines, its end state's first
    # letter lost.
    f = TextFile()
    for value in ("6543320.0", "1234540.0", "20.1", "9999999.9", "0.0"):
        f.add(value)
    f.add(win("R\u00d6 0 0"))
    f.add("20.9")
    f.add("13.5")
    f.add("0 0 PPEN")
    f.add("*")
    for i, level in enumerate((17.9, 17.6, 17.8)):
        f.add(pipe_reading((2019, 4 + 3 * i, 2), level, "J", "", "", None))
    f.add("*")
    files["GW4.GVR"] = f

    point = {"x": 6543280.0, "y": 1234500.0, "z": 19.7, "top": 19.75, "bottom": 19.7}
    f = gvr_header(point, "MP 0 0 GUID " + new_guid(rng), "0.000000 -999.000000 dubb i brofundament, norra sidan")
    f.add("*")
    level = 19.75
    for month in range(0, 24, 3):
        f.add(pipe_reading((2020 + month // 12, 1 + month % 12, 1), round(level, 4), "J",
                           "OS\u00c4KER" if month == 9 else "", "", None))
        level -= 0.004 + rng.uniform(0, 0.002)
    f.add("*")
    f.add("*")
    f.add("99")
    f.add("GUID " + new_guid(rng))
    files["SP1.GVR"] = f

    files["IN1.MTN"] = measurement_file(rng, "INKL Inklinometer", 3, 20, 0.5, True)
    files["HS1.MTN"] = measurement_file(rng, "SLAN Slang", 4, 10, 2.0, False)
    files["GVRREF.DAT"] = reference_file(rng)
    return files


def measurement_file(rng, method_line, count, rows, step, alignment):
    f = TextFile()
    f.add("6543350.000000 m\u00e4tpunkt".encode("cp1252"))
    f.add("1234560.000000 ")
    f.add("20.500000 0.5")
    f.add("9999999.900000")
    f.add("0.000000")
    f.add("0 0.000000")
    f.add("**")
    f.add(win(method_line))
    f.add("*")
    base = [10.0 + rng.uniform(-0.01, 0.01) for _ in range(rows)]
    for m in range(count):
        f.add(" %d %d %d 10:%02d %s" % (2020, 3 + 2 * m, 10, m, "J"))
        f.add("m\u00e4tning %d" % (m + 1) if m else "nollm\u00e4tning")
        for r in range(rows):
            f.add("%9.2f %10.4f %s" % (r * step, base[r] - 0.0015 * m * (r + 1) / rows, "A" if r % 5 == 0 else ""))
        f.add("*")
    f.add("*")
    if alignment:
        f.add("**")
        f.add("LINJE")
        f.add("*")
        for i in range(3):
            f.add("%f %f %f %f" % (6543300.0 + 50 * i, 1234500.0 + 20 * i, 20.0 + 0.1 * i, 100.0 * i))
        f.add("*")
    return f


def reference_file(rng):
    """The reference series an installation keeps beside its settings."""
    f = TextFile()
    for name, number, x, y in (("NORRA STATIONEN", 101, 6543000.0, 1234000.0),
                               ("S\u00d6DRA STATIONEN", 102, 6542000.0, 1234100.0)):
        f.add("*")
        f.add(win(name))
        f.add("%d" % number)
        f.add("%.1f %.1f" % (x, y))
        for month in range(24):
            value = 17.5 + math.cos(month / 12.0 * 2 * math.pi) + rng.uniform(-0.1, 0.1)
            f.add("%d %d 1 %.2f m" % (2020 + month // 12, 1 + month % 12, value))
    return f


def info_file():
    """The project information: SWEREF 99 18 00 (table index 5) and RH 2000 (index 0)."""
    f = TextFile()
    for line in ["Geoteknik Demo AB", "C:\\Projekt\\V\u00e4g 42\\Rapport.docx",
                 "V\u00e4g 42, etapp 2: markunders\u00f6kning", "Borrningar april 2021", ""]:
        f.add(win(line))
    f.add(b"59.369476 59.372614 18.066305 18.074050 5 0")
    f.add(b"SWEREF 99 18 00")
    f.add(b"RH 2000")
    f.add(b"Inm\xe4tt med GNSS, n\xe4tverks-RTK")
    f.add(b"")
    f.add(b"")
    f.add(b"59.371045 18.070178")
    return f


def core_drilling_block(rng):
    """Core drilling in the old line layout (first coded values one higher from 32 on), written
    by an older program: no GUID, the date year first; the rock level in centimetres."""
    lines = ["*", code_line(13, "2021-05-03"), "1.000000 2 1 -1435 1 0 0"]
    depth = 26.45
    for run in range(6):
        depth = round(depth + 1.5, 2)
        rock = 40 if run % 2 == 0 else 12
        numbers = "%6.2f %2d %2d %3d %3d %1d %1d %2d %2d %1d %4d %3d %1d %1d %8.3f %3d" % (
            depth, rock, 1 + run % 3, rng.randint(0, 359), rng.randint(-80, 80), run % 2,
            1, rng.randint(1, 20), rng.randint(1, 9), run % 5, rng.randint(100, 1500),
            rng.randint(70, 100), 1 + run % 2, 0, round(rng.uniform(20, 95), 3),
            rng.randint(5, 180))
        lines.append(pad(numbers, 60, ["gnejs", "sprucken", "", "kross", "", "gnejs"][run]))
        if run in (1, 3):
            lines.append("%.2f %.1f %.2f %.1f %.1f %.1f %d %d %d %d %d %d" % (
                -depth, rng.uniform(0, 5), rng.uniform(0, 2), rng.uniform(0, 5),
                rng.uniform(0, 9), rng.uniform(0, 9), ord("K"), 32, 32, ord("S"), 32, 32))
    lines.append("% kärnlåda 2 saknas")
    return lines


def water_loss_block(rng):
    lines = ["*", code_line(14, "04.05.2021"),
             "0.000000 1 0 0 1 0 0 GUID " + new_guid(rng)]
    top = 27.0
    for step in range(4):
        bottom = top + 3.0
        numbers = "%7.3f %7.3f %.1f %.1f %.1f %.3f %d" % (
            top, bottom, 0.3 + step * 0.2, rng.uniform(5, 40), rng.uniform(0.5, 9),
            rng.uniform(0.01, 2.5), 5 + step)
        lines.append(pad(numbers, 50, "tät" if step == 0 else ""))
        top = bottom
    return lines


def core_drilling_snd(rng):
    """KB1: a total sounding to rock, then core drilling and water-loss tests in the rock."""
    hole = {"id": "KB1", "x": 6584180.25, "y": 154010.5, "z": 12.10, "start": 0.0, "end": 26.4,
            "profile": [("fill", 1.0), ("clay", 14.0), ("till", 26.45), ("rock", 60.0)],
            "comments": ["Kärnborrning i bergskärning"],
            "blocks": [{"method": 25, "date": "03.05.2021", "stop": 93, "format": 4,
                        "rig": "GM75"}]}
    f = snd_file(rng, hole)
    f.lines.pop()  # the closing "*" follows the blocks below
    for line in core_drilling_block(rng) + water_loss_block(rng):
        f.add(line)
    f.add("*")
    return f


def environmental_files(rng):
    """MIL1: a weight sounding and the environmental samples taken beside it."""
    hole = {"id": "MIL1", "x": 6583990.5, "y": 153120.75, "z": 16.2, "start": 0.0, "end": 4.0,
            "profile": [("fill", 1.4), ("sand", 4.0), ("rock", 30.0)],
            "comments": ["Miljöprovtagning vid gammal bensinstation"],
            "blocks": [{"method": 21, "date": "06.05.2021", "stop": 90, "rig": "GB2"}]}
    snd = snd_file(rng, hole)
    mil = TextFile()
    mil.add("06.05.2021 2 1 0.500000 GUID " + new_guid(rng))
    mil.add("*")
    for name, depth, marks, kind, value, mark, lab, note in [
            ("M1", 0.5, "a b c", "PAH", 12.5, "x", "LAB-0031", "fyllning, lukt av olja"),
            ("M2", 1.5, "", "Pb", 48.0, "", "LAB-0032", ""),
            ("M3", 3.0, "a N k", "BTEX", 0.4, "y", "", "sand, ingen lukt")]:
        mil.add(("%-3s %7.2f %s" % (name, depth, marks)) if marks else name + " %.2f" % depth)
        mil.add("%-4s %6.1f  %s      %s" % (kind, value, mark, lab))
        mil.add(dos(note))
    mil.add("*")
    return snd, mil


def vane_file(rng):
    """VB1: a vane borehole of its own, as the field program writes it."""
    f = TextFile()
    for value in (6584050.0, 153600.0, 14.35, 1588.0, -8.0):
        f.add("%f" % value)
    f.add("%f" % 1.0)
    f.add("SGI-65")
    f.add("2")
    f.add(dos("Vingsond i lös lera") + b" GUID " + new_guid(rng).encode())
    f.add("*")
    for step in range(8):
        depth = 2.0 + step
        reading = 8.0 + step * 2.5 + rng.uniform(0, 2)
        f.add(" %.3f %.1f %.1f %.1f %.1f %d %.2f %d %.2f %s" % (
            depth, reading, reading * 0.8, rng.uniform(0, 1), 1.5 + step * 0.1, 65,
            rng.uniform(0.2, 0.6), step % 2, reading * 0.7, "le" if step < 6 else "si"))
    f.add("*")
    f.add("*")
    f.add("99")
    f.add("GUID " + new_guid(rng))
    return f


def calibration_file():
    """Vingebor.kal: two vanes, the first with two calibrations."""
    f = TextFile()
    for name, number, pairs in [("SGI-65", 1, [(0, 0), (10, 8.2), (20, 16.9), (40, 34.5)]),
                                ("SGI-65", 2, [(0, 0), (10, 8.0), (40, 33.8)]),
                                ("GEONOR-55", 1, [(0, 0), (25, 12.0), (50, 24.5)])]:
        f.add(name)
        f.add("%d" % number)
        f.add("*")
        for x, y in pairs:
            f.add("%g %g" % (x, y))
        f.add("*")
    return f


def write_other_methods(out):
    """The boreholes of core drilling, environmental data and vane tests, and the vane
    calibration file, from a generator of their own so the boreholes above stay as they are."""
    for name in os.listdir(out):
        if name.upper().endswith((".MIL", ".VB", ".KAL")) or name.upper() == "KB1.SND":
            os.remove(os.path.join(out, name))
    rng = random.Random(20210503)
    core_drilling_snd(rng).write(os.path.join(out, "KB1.SND"))
    snd, mil = environmental_files(rng)
    snd.write(os.path.join(out, "MIL1.SND"))
    mil.write(os.path.join(out, "MIL1.MIL"))
    vane_file(rng).write(os.path.join(out, "VB1.VB"))
    calibration_file().write(os.path.join(out, "Vingebor.kal"))


# --- the line and outcrop database and its files ---

def demo_line(name, method, kind, soil, start, count, step, layers):
    """A line of the map and its points, as the line program keeps them: the file's lines and
    the values a reader takes from them."""
    soils = ["f  ", "mu ", "gy ", "t  ", "let", "le ", "si ", "sa ", "gr ", "st ", "fr ", "mn "]
    x0, y0, z0 = start
    f = TextFile()
    f.add(name)
    f.add("%d" % method)
    f.add("%d %d %.3f" % (kind, soil, 2.5))
    f.add("%d %s" % (90, soils[soil] if soil >= 0 else ""))
    f.add("*")
    points = []
    for i in range(count):
        z = z0 - i * 0.35
        line = "%7.2f %12.3f %12.3f %10.3f %s" % (i * step, x0 + i * step * 0.8, y0 + i * step * 0.6,
                                                 z, "P%d" % (i + 1))
        f.add(line)
        values = [float(v) for v in line.split()[1:4]]
        layer_values = ["%10.3f" % (z - 6.0 - (i % 3) * 0.7), "%10.3f" % (z - 1.5 - (i % 2) * 0.4)]
        points.append((values, layer_values))
    f.add("*")
    zs = [p[0][2] for p in points]
    for layer, layer_name in enumerate(layers):
        f.add(layer_name)
        for i, (_, layer_values) in enumerate(points):
            f.add("%s %s" % (layer_values[layer], "fb" if layer == 0 and i == 0 else ""))
            value = float(layer_values[layer])
            if abs(value) > 0.001:
                zs.append(value)
        f.add("*")
    xs = [p[0][0] for p in points]
    ys = [p[0][1] for p in points]
    box = (min(xs), min(ys), min(zs), max(xs) - min(xs), max(ys) - min(ys), max(zs) - min(zs))
    flags = 0x40 if method == 0 else 0x80 if method == 1 else 0
    return f, {"typ": 5, "id": name, "flags": flags, "box": box}


def demo_outcrop():
    """An outcrop: its outline and two marked sub-objects, each with its coordinate list."""
    f = TextFile()
    for line in ["**", "H1", "1.000 0.000 0.000", "0.500 1.500 45.000", "12.000 2 90", "3 1 0 4",
                 "BH9"]:
        f.add(line)
    f.add(win("Hällen"))
    f.add("*")
    outline = [(6583975, 153970, 14.1), (6583990, 153972, 14.6), (6583992, 153988, 0),
               (6583978, 153990, 13.9), (6583975, 153970, 14.1)]
    for x, y, z in outline:
        f.add("%.3f %.3f %.3f " % (x, y, z))
    f.add("**")
    for s, text in enumerate(["Spricka", "Sträckning 40/70"]):
        v = [s * 10 + i for i in range(8)]
        f.add("%d %d" % (s + 1, 2))
        f.add(" ".join("%d" % v[i] for i in (4, 5, 2, 3, 0, 1, 6, 7)))
        f.add(win(text))
        f.add("*")
        for i in range(3):
            f.add("%.3f %.3f %.3f %s" % (6583980.0 + i * 2 + s, 153975.0 + i * 3, 14.0 + 0.1 * i,
                                         "%s%d" % ("SK"[s], i + 1)))
        f.add("**")
    xs = [float(x) for x, _, _ in outline]
    ys = [float(y) for _, y, _ in outline]
    zs = [float("%.3f" % z) for _, _, z in outline if float("%.3f" % z) != 0.0]
    box = (min(xs), min(ys), min(zs), max(xs) - min(xs), max(ys) - min(ys), max(zs) - min(zs))
    return f, {"typ": 2, "id": "H1", "flags": 0, "box": box, "object": 3, "link_type": -1,
               "link_id": "BH9", "values": (0.5, 1.5, 45.0)}


def line_database(records):
    """KVARTOLI.SDBS: the 324-byte header, the unused bytes up to 600, a 124-byte record per
    object, with the bounding box the objects widened one after the other."""
    import struct
    out = bytearray(600)
    box = None
    for r in records:
        x, y, z, dx, dy, dz = r["box"]
        if box is None:
            box = [x, x + dx, y, y + dy, z, z + dz]
        else:
            box = [min(box[0], x), max(box[1], x + dx), min(box[2], y), max(box[3], y + dy),
                   min(box[4], z), max(box[5], z + dz)]
        rec = bytearray(124)
        rec[0] = r["typ"]
        rec[1] = r.get("object", 0)
        rec[2] = r.get("link_type", 0) & 0xFF
        rec[4] = r["flags"]
        struct.pack_into("<9d", rec, 8, x, y, z, *r.get("values", (0.0, 0.0, 0.0)), dx, dy, dz)
        rec[80:80 + len(r["id"])] = r["id"].encode("ascii")
        rec[96:96 + len(r["id"])] = r["id"].encode("ascii")
        link = r.get("link_id", "").encode("ascii")
        rec[105:105 + len(link)] = link
        out += rec
    out[0:3] = b"1.5"
    out[37:41] = b"Demo"
    out[86:96] = b"2021-05-03"
    out[211:214] = b"RAK"
    out[215:219] = b"NORR"
    counts = [sum(1 for r in records if r["typ"] == t) for t in range(1, 10)]
    struct.pack_into("<i9ii", out, 220, len(records), *counts, 0)
    struct.pack_into("<7di", out, 264, *box, 0.5, 600 + 124 * len(records))
    return bytes(out)


def write_line_files(out):
    """The line-file folder with two lines and an outcrop, and the line database that holds a
    record for each."""
    folder = os.path.join(out, "DBF")
    os.makedirs(folder, exist_ok=True)
    records = []
    for name, method, kind, soil, start, count, step, layers in [
            ("L1", 0, 1, 3, (6583840.0, 153780.0, 18.6), 8, 25.0, ["Berg", "Lera"]),
            ("L2", 1, 2, -1, (6583900.0, 153900.0, 15.2), 5, 30.0, ["Berg"])]:
        f, record = demo_line(name, method, kind, soil, start, count, step, layers)
        f.write(os.path.join(folder, name + ".LJE"))
        records.append(record)
    f, record = demo_outcrop()
    f.write(os.path.join(folder, "H1.LAD"))
    records.append(record)
    with open(os.path.join(out, "KVARTOLI.SDBS"), "wb") as db:
        db.write(line_database(records))


def point_list():
    """PUNKTLISTA.TXT: the project's AVP points, one line each as the database writes them
    ("%s %12.3f %12.3f %12.3f %12.3f %12.3f %s": identifier, x, y, z, chainage, offset and code
    text), ended by a "*" line. The third point has no code text of its own."""
    f = TextFile()
    for p in [("AVP1", 6583900.0, 153750.0, 19.125, 9999999.9, 0.0, "AVP"),
              ("AVP2", 6584100.5, 153620.25, 15.8, 1650.0, -12.5, "FIX"),
              ("RP3", 6583990.0, 154010.0, 17.42, 9999999.9, 0.0, "")]:
        f.add("%s %12.3f %12.3f %12.3f %12.3f %12.3f %s" % p)
    f.add("*")
    return f


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "demo-project")
    os.makedirs(out, exist_ok=True)
    for name in os.listdir(out):
        if name.upper().endswith((".SND", ".TLK", ".PRV", ".CPT", ".GVR", ".MTN", "GVRREF.DAT")) or name == "Info.prj":
            os.remove(os.path.join(out, name))
    info_file().write(os.path.join(out, "Info.prj"))
    rng = random.Random(20210412)
    for hole in boreholes():
        snd_file(rng, hole).write(os.path.join(out, hole["id"] + ".SND"))
        form = hole.get("tlk")
        if form == "gvy-only":
            gvy_only_file(hole).write(os.path.join(out, hole["id"] + ".TLK"))
        elif form:
            tlk_file(hole).write(os.path.join(out, hole["id"] + ".TLK"))
        if hole.get("cpt_presentation"):
            cpt_presentation_file(rng).write(os.path.join(out, hole["id"] + ".cpt"))
        if hole.get("samples"):
            prv_file(hole).write(os.path.join(out, hole["id"] + ".PRV"))
    # Groundwater pipes and measurement points draw on a generator of their own, so that the
    # boreholes above stay as they were.
    for name, f in groundwater_files(random.Random(20210503)).items():
        f.write(os.path.join(out, name))
    write_other_methods(out)
    write_line_files(out)
    point_list().write(os.path.join(out, "PUNKTLISTA.TXT"))


if __name__ == "__main__":
    main()
