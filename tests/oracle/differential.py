#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""Differential test of the calculation core against reference.py.

Generates cases from a fixed seed, runs them all through calc_driver in one process and
compares every output field exactly (bit patterns of doubles and extended values, texts
byte for byte). Prints the first mismatches in detail and ends with "N passed, M failed".
"""

from __future__ import annotations

import argparse
import math
import os
import random
import struct
import subprocess
import sys
import time
from fractions import Fraction

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import reference as ref  # noqa: E402

FIELD_INDEX = {name: i for i, name in enumerate(ref.FIELDS)}
COMPONENTS = ("C1", "C2", "C3", "R1", "R2", "R3")
UNITS = {  # (frequency is kHz, capacitance is uF) -> multipliers
    (False, False): (ref.FREQ_HZ, ref.CAP_NF), (False, True): (ref.FREQ_HZ, ref.CAP_UF),
    (True, False): (ref.FREQ_KHZ, ref.CAP_NF), (True, True): (ref.FREQ_KHZ, ref.CAP_UF),
}
# Accepted ranges per field and unit, as decimal strings.
RANGES = {
    ("frequency", False): ("1", "99999"), ("frequency", True): ("0.1", "500"),
    ("resistance", None): ("0.1", "1000"),
    ("capacitance", False): ("0.1", "1000"), ("capacitance", True): ("0.01", "10"),
}


# ---------------------------------------------------------------------------------------
# Decimal texts

def plain(n: int, scale: int) -> str:
    """The text of n * 10**scale (n >= 0) in plain notation with a comma."""
    if scale >= 0:
        return str(n) + "0" * scale
    s = str(n).rjust(-scale + 1, "0")
    return s[:scale] + "," + s[scale:]


def significant(x: Fraction, digits: int) -> tuple[int, int]:
    """(n, scale) with n * 10**scale the value x rounded to `digits` significant digits."""
    scale = ref.decimal_exponent(x) - digits + 1
    return ref.round_half_even(x / Fraction(10) ** scale), scale


def exact_decimal(x: Fraction) -> str:
    """The exact decimal of a dyadic rational x >= 0."""
    k = x.denominator.bit_length() - 1
    assert x.denominator == 1 << k
    return plain(x.numerator * 5 ** k, -k)


def styled(rng: random.Random, x: Fraction, digits: int) -> str:
    """x to `digits` significant digits, written in one of the forms the reading accepts."""
    n, scale = significant(x, digits)
    while n % 10 == 0 and n:
        n, scale = n // 10, scale + 1
    style = rng.random()
    if style < 0.55:
        text = plain(n, scale)
    elif style < 0.8:
        shift = rng.randint(-3, 3)  # mantissa n * 10**shift, exponent compensates
        if shift < 0:
            mantissa = plain(n, shift)
        else:
            mantissa = str(n) + "0" * shift
        exponent = scale - shift
        e = rng.choice("eE")
        sign = "+" if exponent >= 0 and rng.random() < 0.3 else ""
        text = f"{mantissa}{e}{sign}{exponent}" if exponent or rng.random() < 0.5 else mantissa + e
    else:
        text = plain(n, scale)
        if "," not in text and rng.random() < 0.5:
            text += ","
        text = "0" * rng.randint(1, 3) + text
    if rng.random() < 0.1:
        text = "+" + text
    if rng.random() < 0.1:
        text = " " * rng.randint(1, 3) + text
    if rng.random() < 0.1:
        text = text + " " * rng.randint(1, 3)
    return text


def log_uniform(rng: random.Random, lo: float, hi: float) -> Fraction:
    return Fraction(math.exp(rng.uniform(math.log(lo), math.log(hi))))


def typical_text(rng: random.Random, field: str, khz: bool, uf: bool) -> str:
    key = (field, None if field == "resistance" else (khz if field == "frequency" else uf))
    lo, hi = (float(v) for v in RANGES[key])
    return styled(rng, log_uniform(rng, lo, hi), rng.randint(1, 7))


def limit_texts(limit: Fraction) -> list[str]:
    """Texts at, just inside and just outside a limit, down to the last bit of a double."""
    texts = []
    for k in range(1, 26):
        step = Fraction(1, 10 ** k)
        for v in (limit - step, limit + step):
            if v <= 0:
                continue
            n, scale = significant(v, ref.decimal_exponent(v) + k + 1)
            texts.append(plain(n, scale))
    d = ref.dbl(limit)
    ulp = Fraction(2) ** (ref.log2_floor(d) - 52)
    for i in range(-2, 3):
        texts.append(exact_decimal(d + i * ulp))
        texts.append(exact_decimal(d + i * ulp + ulp / 2))  # halfway between two doubles
    e = ref.ext(limit)
    eulp = Fraction(2) ** (ref.log2_floor(e) - 63)
    for i in range(-1, 2):
        texts.append(exact_decimal(e + i * eulp))
    return texts


def canonical_limit_texts(limit: str) -> list[str]:
    comma = limit.replace(".", ",")
    out = [comma, comma + "0", "0" + comma, " " + comma + " ", "+" + comma, comma + "e0"]
    v = Fraction(limit)
    for shift in (-2, -1, 1, 2):
        n, scale = significant(v, 6)
        while n % 10 == 0:
            n, scale = n // 10, scale + 1
        out.append(f"{plain(n, shift) if shift < 0 else str(n) + '0' * shift}e{scale - shift}")
    return out


FUZZ_ALPHABET = (list(b"0123456789") * 3 + list(b",,,  ++--eE.") +
                 [9, 0, 13, 10, 8, 127, 128, 0xFF, 0xD0, 0xBA, ord("a"), ord("x"), ord("'")])


def fuzz_text(rng: random.Random) -> bytes:
    return bytes(rng.choice(FUZZ_ALPHABET) for _ in range(rng.randint(1, 12)))


def mutated_text(rng: random.Random, base: str) -> bytes:
    b = bytearray(base.encode())
    insert = rng.choice([b"\t", b" ", b"+", b"-", b"e", b"E", b",", b".", b"\x7f", b"\x00",
                         b"\x80", "д".encode(), b"a", b"1", b"e5", b"--", b"\r\n"])
    op = rng.random()
    pos = rng.randint(0, len(b))
    if op < 0.6:
        b[pos:pos] = insert
    elif op < 0.8 and b:
        b[min(pos, len(b) - 1)] = insert[0]
    else:
        b = bytearray(insert) + b if rng.random() < 0.5 else b + bytearray(insert)
    return bytes(b)


FIXED_TEXTS = [
    "5,5,5", ",5", ",", " ,", " ,5", "+,5", "-,5", "5,", "007", "1e2", "12a", "1 000",
    "1e-5000", "1e-4000", "1e-4999", "1e4999", "1e499", "1e500", "1e5000", "1e5001", "1e0499",
    "1e00000000000000000000499", "1e", "1e+", "1e-", "1E3", "e5", "+", "-", "+-5", "5-",
    "- 5", " 5", "5 ", "  5  ", "\t5", "5\t", "5\x7f", "1,5e,5", "1,5e-1,", "0", "00",
    "-0", "+0", "0e4999", "1,18973149535723176502e4932", "1,18973149535723176508e4932",
    "1,2e4932", "1e4932", "1e-4951", "3,6e-4951", "3,7e-4951", "1e-4952", "1e-4940",
    "1,7976931348623157e308", "1,7976931348623158e308", "1,797693134862315807e308",
    "1,7976931348623159e308", "2e308", "1e308", "4,9e-324", "2,4e-324", "2,5e-324",
    "99999", "100000", "99999,0000000000001", "0,5", "-5", "0,05", "600", "1000,5", "2000",
    "0,005", "0,1", "0,01", "10", "500", "1000", "1", "5,e3", "5,E+3", "0,e1", "1e-0",
    "1e05000", "1e-05000", "1e0500", "1e- ", "1e -5", "1 e5", "+ 5", "++5", "5e5e5",
    "1,5e+-3", "  -  5", "1.5", "1,5.", "0x10", "inf", "nan", "1e+500", "1e-500",
]

LONG_TEXTS = [
    "9" * 400, "9" * 308, "9" * 309, "1" + "0" * 308, "1" + "0" * 307, "0" * 2000 + "5",
    "0," + "0" * 3000 + "1", "1" + "0" * 300 + "e-300", "1," + "0" * 2000, "5" + "0" * 200 + "e-200",
    "1" * 25, "9" * 20, "18446744073709551615", "18446744073709551617", "36893488147419103231",
    "123456789012345678901234567890e-29",
]

# Texts of more than 4900 characters: around the end of the extended range while digits
# are accumulated, and the rule for 5120 or more places after the comma.
HUGE_TEXTS = [
    "9" * 4932, "9" * 4933, "1" + "0" * 4932, "2" + "0" * 4932, "1," + "0" * 5120,
    "1," + "0" * 5119, "0," + "0" * 5119 + "1", "0," + "0" * 5118 + "1", "1" + "0" * 4940 + "e-4940",
]


# ---------------------------------------------------------------------------------------
# Expected outcomes in the driver's format

def hexb(b: bytes) -> str:
    return b.hex()


def display_fields(display) -> list[str]:
    texts, marker = display
    out = [hexb(texts[0]), hexb(texts[1])] if texts else ["-", "-"]
    return out + ["1" if marker else "0"]


def expect_go(texts: tuple[bytes, bytes, bytes], khz: bool, uf: bool) -> str:
    fm, cm = UNITS[(khz, uf)]
    outcome = ref.go(*texts, fm, cm)
    kind = outcome[0]
    if kind == "empty":
        return "EMPTY"
    if kind == "input":
        return f"INPUT\t{FIELD_INDEX[outcome[1]]}"
    if kind == "range":
        return f"RANGE\t{FIELD_INDEX[outcome[1]]}\t{hexb(outcome[2])}"
    if kind == "convert":
        return f"CONVERT\t{hexb(ref.error_box_text(outcome[2]))}"
    if kind == "overflow":
        return f"OVERFLOW\t{hexb(outcome[1])}"
    c = outcome[1]
    fields = ["OK"] + [ref.double_bits(v) for v in (c.f, c.freq_multiplier, c.r, c.c, c.omega)]
    for value, display in zip(c.values, c.displays):
        fields += [ref.double_bits(value)] + display_fields(display)
    return "\t".join(fields)


def expect_read(text: bytes) -> str:
    out = ("1" if ref.field_text_check(text) else "0") + "\t"
    try:
        v = ref.read_extended(text)
    except ref.ConvertError as e:
        return out + "CONVERT\t" + hexb(e.message)
    out += ref.extended_bits(v.magnitude, v.negative) + "\t"
    try:
        return out + ref.double_bits(abs(ref.store_as_double(v)), v.negative)
    except ref.DoubleOverflow as e:
        return out + "OVERFLOW\t" + hexb(e.message)


def expect_display(bits: int) -> str:
    v = ref.double_from_bits(bits)
    return "\t".join(display_fields(ref.display_capacitance(v)) +
                     display_fields(ref.display_resistance(v)))


def expect_key(code: int, flag: bool) -> str:
    passed = ref.key_filter(code, flag)
    return "-" if passed is None else f"{passed:x}"


# ---------------------------------------------------------------------------------------
# Case generation

class Cases:
    def __init__(self):
        self.items: list[tuple[str, str, str, str]] = []  # kind, request, expected, about
        self.read_texts: dict[bytes, None] = {}
        self.reference_problems: list[str] = []

    def go(self, kind: str, texts, khz: bool, uf: bool):
        texts = tuple(t.encode() if isinstance(t, str) else t for t in texts)
        request = "\t".join(["G", "K" if khz else "F", "U" if uf else "N"] + [hexb(t) for t in texts])
        about = f"Go {'kHz' if khz else 'Hz'} {'uF' if uf else 'nF'} texts={[_short(t) for t in texts]}"
        self.items.append((kind, request, expect_go(texts, khz, uf), about))
        for t in texts:
            self.read_texts.setdefault(t)

    def read(self, kind: str, text: bytes):
        self.items.append((kind, "R\t" + hexb(text), expect_read(text), f"Read {_short(text)}"))

    def display(self, kind: str, value: Fraction):
        value = ref.dbl(value)
        bits = int(ref.double_bits(abs(value), value < 0), 16)
        try:
            expected = expect_display(bits)
        except ref.OutsideDomain:
            return
        self.items.append((kind, f"D\t{bits:016x}", expected,
                           f"Display {float(value)!r} (bits {bits:016x})"))


def _short(t: bytes) -> str:
    return repr(t) if len(t) <= 80 else f"{t[:40]!r}...({len(t)} bytes)...{t[-20:]!r}"


def other_fields(rng, field: str, text, khz: bool, uf: bool):
    texts = [typical_text(rng, f, khz, uf) for f in ref.FIELDS]
    texts[FIELD_INDEX[field]] = text
    return texts


def gen_typical(rng, cases: Cases, count: int):
    for _ in range(count):
        khz, uf = rng.random() < 0.5, rng.random() < 0.5
        cases.go("typical", [typical_text(rng, f, khz, uf) for f in ref.FIELDS], khz, uf)


def gen_limits(rng, cases: Cases):
    for (field, unit), (lo, hi) in RANGES.items():
        unit_choices = [(False, False), (True, False), (False, True), (True, True)]
        if field == "frequency":
            unit_choices = [(unit, rng.random() < 0.5)]
        elif field == "capacitance":
            unit_choices = [(rng.random() < 0.5, unit)]
        for limit in (lo, hi):
            for text in canonical_limit_texts(limit) + limit_texts(Fraction(limit)):
                khz, uf = rng.choice(unit_choices)
                cases.go("limit", other_fields(rng, field, text, khz, uf), khz, uf)


def _solve_input(rng, coefficient: Fraction, target: Fraction, low_pass: bool):
    """Units, a frequency text and the resistor (ohms) or capacitor (farads) value that
    put the component with this coefficient exactly on `target`; None if none is found."""
    for _ in range(60):
        khz, uf = rng.random() < 0.5, rng.random() < 0.5
        fm, cm = UNITS[(khz, uf)]
        ftext = typical_text(rng, "frequency", khz, uf)
        try:
            f = ref.store_as_double(ref.read_extended(ftext.encode()))
        except (ref.ConvertError, ref.DoubleOverflow):
            continue
        omega = ref.compute_omega(f, fm)
        # component = coefficient / (1000 * omega * x)  =>  x = coefficient / (1000 * omega * target)
        x = coefficient / (1000 * omega * target)
        if low_pass:
            typed, (lo, hi) = x / 1000, RANGES[("resistance", None)]
        else:
            typed, (lo, hi) = x / cm, RANGES[("capacitance", uf)]
        if Fraction(lo) <= typed <= Fraction(hi):
            return khz, uf, ftext, x
    return None


def gen_targets(rng, cases: Cases, kind: str, targets):
    """Results straddling each target: the input double is stepped ulp by ulp around the
    value that would hit the target exactly."""
    coefficients = (ref.K_C1, ref.K_C2, ref.K_C3, ref.K_R1, ref.K_R2, ref.K_R3)
    for component, target in targets:
        low_pass = component < 3
        solved = _solve_input(rng, coefficients[component], target, low_pass)
        if solved is None:
            continue
        khz, uf, ftext, x = solved
        cm = UNITS[(khz, uf)][1]
        d = ref.dbl(x)
        ulp = Fraction(2) ** (ref.log2_floor(d) - 52)
        for i in range(-3, 4):
            value = d + i * ulp
            typed_value = value / 1000 if low_pass else value / cm
            text = plain(*significant(typed_value, rng.randint(19, 24)))
            texts = [ftext, typical_text(rng, "resistance", khz, uf),
                     typical_text(rng, "capacitance", khz, uf)]
            texts[1 if low_pass else 2] = text
            cases.go(kind, texts, khz, uf)


def boundary_targets():
    out = []
    for component in range(3):
        for b in ("1e-12", "1e-9", "1e-7", "1e-10", "1e-5"):
            out.append((component, ref.ext(Fraction(b))))
    for component in range(3, 6):
        for b in ("1", "1000", "100", "1e6"):
            out.append((component, Fraction(b)))
    return out


def halfway_targets(rng, count: int):
    out = []
    for _ in range(count):
        component = rng.randrange(6)
        if component < 3:
            unit, kmin, kmax = rng.choice([(Fraction(1, 10 ** 12), 1, 999),
                                           (Fraction(1, 10 ** 11), 100, 9999),
                                           (Fraction(1, 10 ** 8), 10, 500000)])
        else:
            unit, kmin, kmax = rng.choice([(Fraction(1), 1, 998), (Fraction(100), 10, 70000000)])
        k = rng.randint(kmin, kmax)
        out.append((component, (k + Fraction(1, 2)) * unit))
    return out


def gen_malformed(rng, cases: Cases, count: int):
    for _ in range(count):
        khz, uf = rng.random() < 0.5, rng.random() < 0.5
        field = rng.choice(ref.FIELDS)
        if rng.random() < 0.5:
            text = fuzz_text(rng)
        else:
            text = mutated_text(rng, typical_text(rng, field, khz, uf))
        cases.go("malformed", other_fields(rng, field, text, khz, uf), khz, uf)


def gen_fixed(rng, cases: Cases, texts, kind: str):
    for text in texts:
        for field in ref.FIELDS:
            khz, uf = rng.random() < 0.5, rng.random() < 0.5
            cases.go(kind, other_fields(rng, field, text, khz, uf), khz, uf)


def gen_mixed(rng, cases: Cases, count: int):
    """Every field drawn independently, so several can fail at once and the order shows."""
    pool = FIXED_TEXTS + ["", ""]
    for _ in range(count):
        khz, uf = rng.random() < 0.5, rng.random() < 0.5
        texts = []
        for field in ref.FIELDS:
            r = rng.random()
            if r < 0.55:
                texts.append(typical_text(rng, field, khz, uf))
            elif r < 0.8:
                texts.append(rng.choice(pool))
            else:
                texts.append(fuzz_text(rng))
        cases.go("mixed", texts, khz, uf)


def gen_reads(rng, cases: Cases, count: int):
    """The number reading alone, over the whole exponent range and long mantissas."""
    for _ in range(count):
        digits = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 45)))
        comma = rng.randint(0, len(digits))
        mantissa = digits[:comma] + ("," if comma < len(digits) or rng.random() < 0.2 else "") + digits[comma:]
        r = rng.random()
        if r < 0.3:
            exponent = rng.randint(-30, 30)
        elif r < 0.5:
            exponent = rng.choice([-1, 1]) * rng.randint(300, 330)
        elif r < 0.8:
            exponent = rng.choice([-1, 1]) * rng.randint(4900, 4999)
        else:
            exponent = rng.randint(-4999, 4999)
        text = mantissa + (f"e{exponent}" if exponent or rng.random() < 0.5 else "")
        if rng.random() < 0.15:
            text = "-" + text
        cases.read("read", text.encode())


def gen_displays(rng, cases: Cases, count: int):
    def around(v: Fraction, span: int):
        d = ref.dbl(v)
        ulp = Fraction(2) ** (ref.log2_floor(d) - 52)
        for i in range(-span, span + 1):
            cases.display("display-edge", d + i * ulp)

    for b in ("1e-12", "1e-9", "1e-7", "1e-10", "1e-5"):
        around(ref.ext(Fraction(b)), 3)
    for b in (1, 100, 1000, 10 ** 6):
        around(Fraction(b), 3)
    for v in (Fraction(0), Fraction(-1), Fraction(-1000), Fraction(1, 2 ** 1074),
              Fraction(1, 10 ** 300), Fraction(999.5), Fraction(999.4999999999999)):
        cases.display("display-edge", v)
    cases.items.append(("display-edge", "D\t8000000000000000", expect_display(1 << 63),
                        "Display -0.0"))
    for _ in range(count):
        r = rng.random()
        if r < 0.15:  # whole ohms: exact ties
            around(Fraction(rng.randint(1, 999)) + Fraction(1, 2), 1)
        elif r < 0.3:  # tenths of kilo-ohms: exact ties of r / 100
            around(Fraction(rng.randint(10, 10 ** 9) * 100 + 50), 1)
        elif r < 0.5:  # picofarads, hundredths of nanofarads and microfarads: near ties
            unit, kmax = rng.choice([(Fraction(1, 10 ** 12), 999), (Fraction(1, 10 ** 11), 9999),
                                     (Fraction(1, 10 ** 8), 10 ** 9)])
            around((rng.randint(1, kmax) + Fraction(1, 2)) * unit, 1)
        elif r < 0.65:  # sixteen significant digits: the fifteenth is rounded
            n = rng.randint(10 ** 15, 10 ** 16 - 1)
            if rng.random() < 0.5:
                n = n - n % 10 + 5
            if rng.random() < 0.5:
                around(Fraction(n, 10 ** 8), 2)     # microfarads: n / 100
            else:
                around(Fraction(n * 100), 2)       # kilo-ohms: n / 10
        else:
            cases.display("display", log_uniform(rng, 1e-14, 1e12))
    for n in (9999999999999995, 9999999999999994, 999999999999999, 99999999999995):
        around(Fraction(n, 10 ** 8), 3)


def gen_error_boxes(rng, cases: Cases):
    ends = list(b" !\"'(),-./0:AZaz~") + [127, 128, 0xBC, 0xFF, 0]
    for end in ends:
        for prefix in (b"", b"msg", "Ошибк".encode()):
            message = prefix + bytes([end])
            cases.items.append(("error-box", "B\t" + hexb(message),
                                hexb(ref.error_box_text(message)), f"ErrorBoxText {message!r}"))
    cases.items.append(("error-box", "B\t", "", "ErrorBoxText b''"))


def gen_keys(cases: Cases):
    for code in list(range(0, 0x80)) + [0x410, 0x2028, 0xFF0C, 0x10FFFF]:
        for flag in (False, True):
            cases.items.append(("key", f"K\t{code:x}\t{int(flag)}", expect_key(code, flag),
                                f"KeyFilter {code:#x} flag={flag}"))


# ---------------------------------------------------------------------------------------
# Known answers: fixed behaviour of the calculator that the reference must reproduce
# before its verdicts on the core mean anything. Units: (frequency is kHz, capacitance is uF).

KNOWN_FIELDS = [  # field, units, text, outcome
    ("frequency", (False, False), "5,5,5", ("input",)),
    ("resistance", (False, False), ",5", ("input",)),
    ("capacitance", (False, False), ",", ("input",)),
    ("resistance", (False, False), "5,", ("accepted", Fraction(5))),
    ("resistance", (False, False), "007", ("accepted", Fraction(7))),
    ("resistance", (False, False), "1e2", ("accepted", Fraction(100))),
    ("resistance", (False, False), "12a", ("convert", b"'12a' is not a valid floating point value")),
    ("resistance", (False, False), "1 000", ("convert", b"'1 000' is not a valid floating point value")),
    ("resistance", (False, False), "1e-5000", ("convert", b"'1e-5000' is not a valid floating point value")),
    ("resistance", (False, False), "1e-4000", ("range", b"0,1")),
    ("frequency", (False, False), "9" * 400, ("overflow",)),
    ("frequency", (True, False), "0,1", ("accepted", ref.dbl(Fraction("0.1")))),
    ("resistance", (False, False), "0,1", ("accepted", ref.dbl(Fraction("0.1")))),
    ("capacitance", (False, True), "0,01", ("accepted", ref.dbl(Fraction("0.01")))),
    ("frequency", (False, False), "99999", ("accepted", Fraction(99999))),
    ("frequency", (False, False), "100000", ("range", b"")),
    ("frequency", (False, False), "0,5", ("range", b"1")),
    ("frequency", (False, False), "-5", ("range", b"1")),
    ("frequency", (True, False), "0,05", ("range", b"0,1")),
    ("frequency", (True, False), "600", ("range", b"500")),
    ("resistance", (False, False), "0,05", ("range", b"0,1")),
    ("resistance", (False, False), "1000,5", ("range", b"1000")),
    ("capacitance", (False, False), "2000", ("range", b"1000")),
    ("capacitance", (False, True), "2000", ("range", b"10")),
    ("capacitance", (False, False), "0,05", ("range", b"0,1")),
    ("capacitance", (False, True), "0,005", ("range", b"0,01")),
    ("capacitance", (False, True), "1e499", ("overflow",)),
    ("resistance", (False, False), "1e4999", ("convert", b"'1e4999' is not a valid floating point value")),
    ("resistance", (False, False), " ,5", ("accepted", Fraction(1, 2))),
    ("resistance", (False, False), "1e", ("accepted", Fraction(1))),
]

_O, _K = "Ohm / Ом", "kOhm / кОм"
KNOWN_RESULTS = [  # texts, units, six (number, unit) or None, markers
    (("100", "33", "10"), (False, False),
     [("68,05", "nF"), ("0,17", "uF"), ("9,86", "nF"), ("109,5", _K), ("43", _K), ("755,8", _K)],
     [False] * 6),
    (("1000", "10", "1"), (False, False),
     [("22,46", "nF"), ("57,15", "nF"), ("3,25", "nF"), ("109,5", _K), ("43", _K), ("755,8", _K)],
     [False] * 6),
    (("1", "0,1", "0,1"), (False, False),
     [("2245,67", "uF"), ("5715,24", "uF"), ("325,47", "uF"), ("1094665,1", _K),
      ("430354", _K), ("7558250,6", _K)], [True] * 6),
    (("500", "1000", "10"), (True, True), [None, ("1", "pF"), None, None, None, None], [True] * 6),
]

KNOWN_DISPLAYS = [  # value, as capacitance or resistance, texts
    (Fraction(1000), False, ("1", _K)),
    (ref.dbl(Fraction("999.6")), False, ("1000", _O)),
    (ref.dbl(Fraction("9.995e-8")), True, ("99,95", "nF")),
    (ref.dbl(Fraction("9.9999e-8")), True, ("100", "nF")),
]


def check_known_answers(cases: Cases) -> list[str]:
    """Checks the reference against the known answers and queues them for the core too."""
    problems = []
    for field, (khz, uf), text, expected in KNOWN_FIELDS:
        fm, cm = UNITS[(khz, uf)]
        try:
            got = ref.check_field(field, text.encode(), fm, cm)
        except ref.ConvertError as e:
            got = ("convert", e.message)
        except ref.DoubleOverflow:
            got = ("overflow",)
        if got != expected:
            problems.append(f"{field} {text[:20]!r}: reference gives {got}, known {expected}")
        texts = ["100", "33", "10"]
        texts[FIELD_INDEX[field]] = text
        cases.go("known", texts, khz, uf)
    for texts, units, shown, markers in KNOWN_RESULTS:
        outcome = ref.go(*(t.encode() for t in texts), *UNITS[units])
        got = ([(d[0][0].decode(), d[0][1].decode()) if d[0] else None for d in outcome[1].displays],
               [d[1] for d in outcome[1].displays]) if outcome[0] == "ok" else outcome
        if got != (shown, markers):
            problems.append(f"{texts}: reference gives {got}, known {(shown, markers)}")
        cases.go("known", texts, *units)
    for value, is_capacitance, shown in KNOWN_DISPLAYS:
        texts = (ref.format_capacitance if is_capacitance else ref.format_resistance)(value)
        got = (texts[0].decode(), texts[1].decode()) if texts else None
        if got != shown:
            problems.append(f"display of {float(value)!r}: reference gives {got}, known {shown}")
        cases.display("known", value)
    return problems


def generate(seed: int, count: int) -> Cases:
    rng = random.Random(seed)
    cases = Cases()
    cases.reference_problems = check_known_answers(cases)
    gen_typical(rng, cases, count // 5)
    gen_limits(rng, cases)
    for _ in range(max(1, count // 400)):
        gen_targets(rng, cases, "display-boundary", boundary_targets())
    gen_targets(rng, cases, "halfway", halfway_targets(rng, count // 25))
    gen_malformed(rng, cases, count // 6)
    gen_fixed(rng, cases, FIXED_TEXTS + LONG_TEXTS, "fixed")
    gen_fixed(rng, cases, HUGE_TEXTS, "huge")
    gen_mixed(rng, cases, count // 6)
    for text in list(cases.read_texts):
        cases.read("read-field", text)
    gen_reads(rng, cases, count // 4)
    gen_displays(rng, cases, count // 4)
    gen_error_boxes(rng, cases)
    gen_keys(cases)
    return cases


# ---------------------------------------------------------------------------------------
# Comparison

def describe_field(value: str) -> str:
    if len(value) == 16 and all(c in "0123456789abcdef" for c in value):
        return f"{value} ({struct.unpack('<d', bytes.fromhex(value)[::-1])[0]!r})"
    try:
        return f"{value} ({bytes.fromhex(value).decode('utf-8', 'replace')!r})"
    except ValueError:
        return value


def field_names(expected: str) -> list[str]:
    if expected.startswith("OK"):
        names = ["kind", "f", "FreqMultiplier", "R", "C", "Omega"]
        for c in COMPONENTS:
            names += [c, c + " number", c + " unit", c + " marker"]
        return names
    return []


def report(kind, request, expected, actual, about):
    print(f"MISMATCH [{kind}] {about}")
    print(f"  request:  {request[:300]}")
    e, a = expected.split("\t"), actual.split("\t")
    names = field_names(expected)
    if len(e) != len(a) or e[0] != a[0]:
        print(f"  expected: {[describe_field(x) for x in e]}"[:2000])
        print(f"  actual:   {[describe_field(x) for x in a]}"[:2000])
        return
    for i, (x, y) in enumerate(zip(e, a)):
        if x != y:
            name = names[i] if i < len(names) else f"field {i}"
            print(f"  {name}: expected {describe_field(x)}, actual {describe_field(y)}")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--driver", required=True, help="path of calc_driver")
    parser.add_argument("--seed", type=int, default=20240611)
    parser.add_argument("--count", type=int, default=5000,
                        help="scale of the generated set (about 2 cases per unit)")
    parser.add_argument("--show", type=int, default=10, help="mismatches printed in detail")
    args = parser.parse_args()

    started = time.monotonic()
    cases = generate(args.seed, args.count)
    generated = time.monotonic()
    requests = "".join(request + "\n" for _, request, _, _ in cases.items).encode()
    run = subprocess.run([args.driver], input=requests, capture_output=True, check=False)
    if run.returncode != 0:
        print(f"driver exited with {run.returncode}: {run.stderr.decode(errors='replace')}")
        return 2
    lines = run.stdout.decode().split("\n")[:-1]
    if len(lines) != len(cases.items):
        print(f"driver answered {len(lines)} lines for {len(cases.items)} requests")
        return 2

    failed_by_kind: dict[str, int] = {}
    failed = len(cases.reference_problems)
    for problem in cases.reference_problems:
        print(f"REFERENCE DISAGREES WITH A KNOWN ANSWER: {problem}")
    for (kind, request, expected, about), actual in zip(cases.items, lines):
        if actual != expected:
            failed += 1
            failed_by_kind[kind] = failed_by_kind.get(kind, 0) + 1
            if failed <= args.show:
                report(kind, request, expected, actual, about)
    kinds: dict[str, int] = {}
    for kind, *_ in cases.items:
        kinds[kind] = kinds.get(kind, 0) + 1
    print("cases by kind: " + ", ".join(f"{k} {n}" for k, n in kinds.items()))
    if failed_by_kind:
        print("failures by kind: " + ", ".join(f"{k} {n}" for k, n in failed_by_kind.items()))
    print(f"seed {args.seed}, generated in {generated - started:.1f} s, "
          f"total {time.monotonic() - started:.1f} s")
    total = len(cases.items) + len(cases.reference_problems)
    print(f"{total - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
