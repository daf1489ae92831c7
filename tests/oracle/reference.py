# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
"""Exact-arithmetic model of the filter calculation, for differential testing of the core.

Every value is an exact rational (Fraction); each arithmetic step of the calculation is
followed by an explicit rounding to the format the core computes in: the x87 80-bit
extended format (64-bit significand) or IEEE binary64.  Nothing here uses Python floats,
so the model cannot inherit any rounding from the host.

Texts are bytes: the fields may hold any byte, and messages quote them unchanged.
"""

from __future__ import annotations

from dataclasses import dataclass
from fractions import Fraction

# (significand bits, smallest normal exponent, largest exponent)
EXTENDED = (64, -16382, 16383)
DOUBLE = (53, -1022, 1023)


class Overflow(Exception):
    """A rounding whose result does not fit the target format (it would be infinite)."""


def round_to(x: Fraction, fmt) -> Fraction:
    """x rounded to nearest, ties to even, in format fmt, with gradual underflow.

    Raises Overflow when the rounded magnitude reaches 2**(emax+1). A magnitude too small
    for the smallest subnormal becomes 0 (the sign of zero is the caller's business)."""
    prec, emin, emax = fmt
    if x == 0:
        return Fraction(0)
    negative = x < 0
    num, den = abs(x.numerator), x.denominator
    e = num.bit_length() - den.bit_length()  # 2**(e-1) < |x| < 2**(e+1)
    if (num < (den << e)) if e >= 0 else ((num << -e) < den):
        e -= 1
    quantum = max(e, emin) - (prec - 1)
    if quantum >= 0:
        n, r = divmod(num, den << quantum)
        twice_r, d = 2 * r, den << quantum
    else:
        n, r = divmod(num << -quantum, den)
        twice_r, d = 2 * r, den
    if twice_r > d or (twice_r == d and n & 1):
        n += 1
    result = Fraction(n << quantum) if quantum >= 0 else Fraction(n, 1 << -quantum)
    if result >= Fraction(1 << (emax + 1)):
        raise Overflow
    return -result if negative else result


def ext(x) -> Fraction:
    return round_to(Fraction(x), EXTENDED)


def dbl(x) -> Fraction:
    return round_to(Fraction(x), DOUBLE)


def ext_decimal(text: str) -> Fraction:
    """The extended value nearest to a decimal constant."""
    return ext(Fraction(text))


def dbl_decimal(text: str) -> Fraction:
    return dbl(Fraction(text))


def log2_floor(v: Fraction) -> int:
    e = v.numerator.bit_length() - v.denominator.bit_length()
    if v < Fraction(2) ** e:
        e -= 1
    return e


def extended_bits(value: Fraction | None, negative: bool = False) -> str:
    """The 80-bit pattern as 20 hex digits: sign/exponent word, then the 64-bit significand.
    None stands for infinity."""
    if value is None:
        exponent, significand = 0x7FFF, 1 << 63
    elif value == 0:
        exponent, significand = 0, 0
    else:
        e = log2_floor(abs(value))
        if e >= -16382:
            exponent, scale = e + 16383, e - 63
        else:
            exponent, scale = 0, -16382 - 63
        significand = abs(value) / Fraction(2) ** scale
        assert significand.denominator == 1 and significand.numerator < (1 << 64)
        significand = significand.numerator
    sign = 0x8000 if (negative or (value is not None and value < 0)) else 0
    return f"{sign | exponent:04x}{significand:016x}"


def double_bits(value: Fraction, negative: bool = False) -> str:
    if value == 0:
        return f"{(1 << 63) if negative else 0:016x}"
    e = log2_floor(abs(value))
    if e >= -1022:
        exponent, scale = e + 1023, e - 52
    else:
        exponent, scale = 0, -1022 - 52
    significand = abs(value) / Fraction(2) ** scale
    assert significand.denominator == 1
    fraction = significand.numerator & ((1 << 52) - 1)
    sign = 1 if (negative or value < 0) else 0
    return f"{(sign << 63) | (exponent << 52) | fraction:016x}"


def double_from_bits(bits: int) -> Fraction:
    sign = -1 if bits >> 63 else 1
    exponent = (bits >> 52) & 0x7FF
    fraction = bits & ((1 << 52) - 1)
    assert exponent != 0x7FF, "no infinities or NaNs here"
    if exponent == 0:
        return sign * Fraction(fraction) / Fraction(2) ** 1074
    return sign * Fraction(fraction | (1 << 52)) * Fraction(2) ** (exponent - 1075)


# ---------------------------------------------------------------------------------------
# Number reading

class ConvertError(Exception):
    def __init__(self, text: bytes):
        super().__init__(b"'" + text + b"' is not a valid floating point value")
        self.message = self.args[0]


class DoubleOverflow(Exception):
    message = b"Floating point overflow"


# The scaling tables: the extended values nearest to the exact powers of ten.
POW10_UNITS = [ext(Fraction(10) ** k) for k in range(32)]
POW10_THIRTYTWOS = [ext(Fraction(10) ** (32 * k)) for k in range(16)]
POW10_FIVEHUNDREDS = [ext(Fraction(10) ** (512 * k)) for k in range(10)]

_DIGITS = b"0123456789"


@dataclass(frozen=True)
class ExtendedValue:
    magnitude: Fraction | None  # None: infinity
    negative: bool

    def signed(self) -> Fraction:
        assert self.magnitude is not None
        return -self.magnitude if self.negative else self.magnitude


def _scan(text: bytes):
    """Splits a text of the accepted form into (negative, mantissa digits, digits after
    the comma, exponent); None when the text has another form."""
    i, n = 0, len(text)
    while i < n and text[i] == 0x20:
        i += 1
    negative = False
    if i < n and text[i] in b"+-":
        negative = text[i] == ord("-")
        i += 1
    start = i
    while i < n and text[i] in _DIGITS:
        i += 1
    whole = text[start:i]
    fraction = b""
    comma = False
    if i < n and text[i] == ord(","):
        comma = True
        i += 1
        start = i
        while i < n and text[i] in _DIGITS:
            i += 1
        fraction = text[start:i]
    if not whole and not fraction and not comma:
        return None
    exponent = 0
    if i < n and text[i] in b"Ee":
        i += 1
        exponent_negative = False
        if i < n and text[i] in b"+-":
            exponent_negative = text[i] == ord("-")
            i += 1
        # Digits are taken only while the exponent is still below 500; a digit left over
        # is not a space, so the text is rejected below.
        while i < n and text[i] in _DIGITS and exponent < 500:
            exponent = exponent * 10 + (text[i] - 48)
            i += 1
        if exponent_negative:
            exponent = -exponent
    while i < n and text[i] == 0x20:
        i += 1
    if i != n:
        return None
    return negative, whole + fraction, len(fraction), exponent


def read_extended(text: bytes) -> ExtendedValue:
    """The number reading: the extended value of a field text, or ConvertError."""
    scanned = _scan(text)
    if scanned is None:
        raise ConvertError(text)
    negative, digits, fraction_digits, exponent = scanned
    value: Fraction | None = Fraction(0)
    for d in digits:
        if value is not None:
            try:
                value = ext(ext(value * 10) + (d - 48))
            except Overflow:
                value = None
    p = exponent - fraction_digits
    if p >= 5120:
        value = None
    elif p <= -5120:
        value = Fraction(0)
    elif value is not None and value != 0:
        a = abs(p)
        for factor in (POW10_UNITS[a % 32], POW10_THIRTYTWOS[(a // 32) % 16],
                       POW10_FIVEHUNDREDS[a // 512]):
            if factor == 1:
                continue
            try:
                value = ext(value * factor) if p > 0 else ext(value / factor)
            except Overflow:
                value = None
                break
    if value is None:
        raise ConvertError(text)
    return ExtendedValue(value, negative)


def store_as_double(value: ExtendedValue) -> Fraction:
    """Signed double value; a zero keeps its sign only through `negative` of the input."""
    try:
        return dbl(value.signed())
    except Overflow:
        raise DoubleOverflow from None


def field_text_check(text: bytes) -> bool:
    return not text.startswith(b",") and text.count(b",") <= 1


def key_filter(typed: int, backspace_flag: bool) -> int | None:
    if backspace_flag:
        return typed
    if ord("0") <= typed <= ord("9") or typed == ord(","):
        return typed
    if typed == ord("."):
        return ord(",")
    return None


# ---------------------------------------------------------------------------------------
# Field checks and the inputs of a calculation

EXT_0_1 = ext_decimal("0.1")
EXT_0_01 = ext_decimal("0.01")
EXT_1E_8 = ext_decimal("1e-8")

FREQ_HZ, FREQ_KHZ = Fraction(1), Fraction(1000)
CAP_NF, CAP_UF = dbl_decimal("1e-9"), dbl_decimal("1e-6")

FIELDS = ("frequency", "resistance", "capacitance")


def _limits(field: str, freq_multiplier: Fraction, cap_multiplier: Fraction):
    """(lower, lower replacement, upper, upper replacement) of a field."""
    if field == "frequency":
        if freq_multiplier == 1:
            return Fraction(1), b"1", Fraction(99999), b""
        assert freq_multiplier == 1000
        return EXT_0_1, b"0,1", Fraction(500), b"500"
    if field == "resistance":
        return EXT_0_1, b"0,1", Fraction(1000), b"1000"
    if cap_multiplier < EXT_1E_8:
        return EXT_0_1, b"0,1", Fraction(1000), b"1000"
    assert cap_multiplier > EXT_1E_8
    return EXT_0_01, b"0,01", Fraction(10), b"10"


def check_field(field: str, text: bytes, freq_multiplier: Fraction, cap_multiplier: Fraction):
    """('input',) | ('range', replacement) | ('accepted', double value); may raise
    ConvertError or DoubleOverflow."""
    if not field_text_check(text):
        return ("input",)
    v = store_as_double(read_extended(text))
    lower, lower_text, upper, upper_text = _limits(field, freq_multiplier, cap_multiplier)
    if v < lower:
        return ("range", lower_text)
    if v > upper:
        return ("range", upper_text)
    return ("accepted", v)


# ---------------------------------------------------------------------------------------
# Formulas

K_OMEGA = ext_decimal("6.2832")
K_C1, K_C2, K_C3 = Fraction(1411), Fraction(3591), Fraction(409, 2)
K_R1, K_R2, K_R3 = ext_decimal("687.8"), ext_decimal("270.4"), Fraction(4749)


def compute_omega(f: Fraction, freq_multiplier: Fraction) -> Fraction:
    return dbl(ext(ext(K_OMEGA * freq_multiplier) * f))


def _quotients(omega: Fraction, x: Fraction, coefficients):
    results = []
    for k in coefficients:
        d = ext(ext(1000 * omega) * x)  # formed anew for each quotient
        results.append(dbl(ext(k / d)))
    return results


def compute_low_pass(omega: Fraction, r: Fraction):
    return _quotients(omega, r, (K_C1, K_C2, K_C3))


def compute_high_pass(omega: Fraction, c: Fraction):
    return _quotients(omega, c, (K_R1, K_R2, K_R3))


# ---------------------------------------------------------------------------------------
# Result display

EXT_1E_12 = ext_decimal("1e-12")
EXT_1E_9 = ext_decimal("1e-9")
EXT_1E_7 = ext_decimal("1e-7")
EXT_1E_10 = ext_decimal("1e-10")
EXT_1E_5 = ext_decimal("1e-5")

UNIT_PF, UNIT_NF, UNIT_UF = b"pF", b"nF", b"uF"
UNIT_OHM = "Ohm / Ом".encode()
UNIT_KOHM = "kOhm / кОм".encode()


class OutsideDomain(Exception):
    """A value the display rules leave undefined (exponent notation, int64 overflow)."""


def round_half_even(x: Fraction) -> int:
    n, r = divmod(x.numerator, x.denominator)
    if 2 * r > x.denominator or (2 * r == x.denominator and n & 1):
        n += 1
    return n


def round_int64(x: Fraction) -> int:
    n = round_half_even(x)
    if not -(1 << 63) <= n < (1 << 63):
        raise OutsideDomain("integer out of range")
    return n


def decimal_exponent(x: Fraction) -> int:
    """floor(log10(x)) for x > 0."""
    e = len(str(x.numerator)) - len(str(x.denominator))
    while x < Fraction(10) ** e:
        e -= 1
    while x >= Fraction(10) ** (e + 1):
        e += 1
    return e


def number_text(x: Fraction) -> bytes:
    """General 15-significant-digit text of a positive value, comma separator."""
    assert x > 0
    e = decimal_exponent(x)
    n18 = round_half_even(x * Fraction(10) ** (17 - e))
    if n18 == 10 ** 18:
        n18, e = 10 ** 17, e + 1
    digits = str(n18)
    n15 = int(digits[:15]) + (1 if digits[15] >= "5" else 0)
    if n15 == 10 ** 15:
        n15, e = 10 ** 14, e + 1
    if e >= 15 or e < -4:
        raise OutsideDomain("exponent notation")
    s = str(n15).rstrip("0")
    if e >= 0:
        whole = s[: e + 1].ljust(e + 1, "0")
        rest = s[e + 1:]
    else:
        whole, rest = "0", "0" * (-e - 1) + s
    return (whole + ("," + rest if rest else "")).encode()


def format_capacitance(c: Fraction):
    if EXT_1E_12 <= c < EXT_1E_9:
        return str(round_int64(ext(c * 10 ** 12))).encode(), UNIT_PF
    if EXT_1E_9 <= c < EXT_1E_7:
        n = round_int64(ext(ext(c * 10 ** 9) * 100))
        return number_text(ext(Fraction(n) / 100)), UNIT_NF
    if c >= EXT_1E_7:
        n = round_int64(ext(ext(c * 10 ** 6) * 100))
        return number_text(ext(Fraction(n) / 100)), UNIT_UF
    return None


def format_resistance(r: Fraction):
    if 1 <= r < 1000:
        return str(round_int64(r)).encode(), UNIT_OHM
    if r >= 1000:
        n = round_int64(ext(r / 100))
        return number_text(ext(Fraction(n) / 10)), UNIT_KOHM
    return None


def capacitance_marker(c: Fraction) -> bool:
    return c < EXT_1E_10 or c > EXT_1E_5


def resistance_marker(r: Fraction) -> bool:
    return r < 100 or r > 10 ** 6


def display_capacitance(c: Fraction):
    return format_capacitance(c), capacitance_marker(c)


def display_resistance(r: Fraction):
    return format_resistance(r), resistance_marker(r)


def error_box_text(message: bytes) -> bytes:
    if message and message[-1] > ord("."):
        return message + b"."
    return message


# ---------------------------------------------------------------------------------------
# One press of Go

@dataclass
class Computed:
    f: Fraction
    freq_multiplier: Fraction
    r: Fraction
    c: Fraction
    omega: Fraction
    values: list          # C1, C2, C3, R1, R2, R3
    displays: list        # (texts or None, marker) for each


def go(frequency: bytes, resistance: bytes, capacitance: bytes,
       freq_multiplier: Fraction, cap_multiplier: Fraction):
    """('empty',) | ('input', field) | ('range', field, replacement) |
    ('convert', box text, message) | ('overflow', box text, message) | ('ok', Computed)."""
    texts = (frequency, resistance, capacitance)
    if any(not t for t in texts):
        return ("empty",)
    accepted = []
    try:
        for field, text in zip(FIELDS, texts):
            outcome = check_field(field, text, freq_multiplier, cap_multiplier)
            if outcome[0] == "input":
                return ("input", field)
            if outcome[0] == "range":
                return ("range", field, outcome[1])
            accepted.append(outcome[1])
    except ConvertError as e:
        return ("convert", error_box_text(e.message), e.message)
    except DoubleOverflow as e:
        return ("overflow", error_box_text(e.message), e.message)
    f = accepted[0]
    # R and C come from the texts read again at full precision, rounded once to double.
    r = dbl(ext(read_extended(resistance).signed() * 1000))
    c = dbl(ext(read_extended(capacitance).signed() * cap_multiplier))
    omega = compute_omega(f, freq_multiplier)
    values = compute_low_pass(omega, r) + compute_high_pass(omega, c)
    displays = ([display_capacitance(v) for v in values[:3]]
                + [display_resistance(v) for v in values[3:]])
    return ("ok", Computed(f, freq_multiplier, r, c, omega, values, displays))
