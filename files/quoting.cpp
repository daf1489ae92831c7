// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "files/quoting.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace files {

namespace {

bool ShellPlain(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           std::string_view("_-+.,:=%/@").find(ch) != std::string_view::npos ||
           static_cast<unsigned char>(ch) >= 0x80;
}

struct CodePoint {
    char32_t value;
    std::size_t length;  // bytes
};

// The code point at the start of `text` if it is well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
std::optional<CodePoint> Decode(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return CodePoint{lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2, value = lead & 0x1f, smallest = 0x80;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3, value = lead & 0x0f, smallest = 0x800;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80)
            return std::nullopt;
        value = value << 6 | (byte(i) & 0x3f);
    }
    if (value < smallest || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
        return std::nullopt;
    return CodePoint{value, length};
}

// Characters that end a line, move the cursor or change the order in which text is shown,
// and the noncharacters, which a page may not hold.
bool Unsafe(char32_t c)
{
    const bool noncharacter = (c >= 0xfdd0 && c <= 0xfdef) || (c & 0xfffe) == 0xfffe;
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x061c || c == 0x200e || c == 0x200f ||
           c == 0x2028 || c == 0x2029 || (c >= 0x202a && c <= 0x202e) ||
           (c >= 0x2066 && c <= 0x2069) || noncharacter;
}

void AppendHex(std::string& out, std::uint32_t value, int digits)
{
    constexpr char Digits[] = "0123456789abcdef";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += Digits[(value >> shift) & 0xf];
}

void AppendEscape(std::string& out, char32_t c)
{
    switch (c) {
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    if (c < 0x80) {
        out += "\\x";
        AppendHex(out, c, 2);
    } else if (c <= 0xffff) {
        out += "\\u";
        AppendHex(out, c, 4);
    } else {
        out += "\\U";
        AppendHex(out, c, 8);
    }
}

enum class Invalid { AsHex, AsReplacement };

// `text` with every unsafe character escaped and every byte outside valid UTF-8 shown as
// `invalid` says; `plain` decides what a safe ASCII character becomes.
template <typename Plain>
std::string Visible(std::string_view text, Invalid invalid, Plain plain)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::optional<CodePoint> c = Decode(text);
        if (!c) {
            if (invalid == Invalid::AsHex) {
                out += "\\x";
                AppendHex(out, static_cast<unsigned char>(text[0]), 2);
            } else {
                out += "\uFFFD";
            }
            text.remove_prefix(1);
            continue;
        }
        if (Unsafe(c->value))
            AppendEscape(out, c->value);
        else if (c->length == 1)
            plain(out, text[0]);
        else
            out += text.substr(0, c->length);
        text.remove_prefix(c->length);
    }
    return out;
}

}  // namespace

std::string ShellQuoted(std::string_view argument)
{
    if (!argument.empty() && std::all_of(argument.begin(), argument.end(), ShellPlain))
        return std::string(argument);
    std::string quoted = "'";
    for (const char ch : argument)
        quoted += ch == '\'' ? std::string_view("'\\''") : std::string_view(&ch, 1);
    return quoted + "'";
}

std::string ForMessage(std::string_view argument)
{
    return "'" +
           Visible(argument, Invalid::AsHex,
                   [](std::string& out, char ch) {
                       if (ch == '\\' || ch == '\'')
                           out += '\\';
                       out += ch;
                   }) +
           "'";
}

std::string ForDisplay(std::string_view text)
{
    return Visible(text, Invalid::AsReplacement, [](std::string& out, char ch) { out += ch; });
}

std::string ForJson(std::string_view json)
{
    std::string out;
    out.reserve(json.size());
    while (!json.empty()) {
        const std::optional<CodePoint> c = Decode(json);
        const std::size_t length = c ? c->length : 1;
        // A control below U+0020 stands in a JSON text only escaped already; the rest is
        // written as a \u escape, a pair of them above U+FFFF.
        if (c && c->value >= 0x20 && Unsafe(c->value)) {
            const char32_t value = c->value;
            const auto unit = [&out](std::uint32_t u) {
                out += "\\u";
                AppendHex(out, u, 4);
            };
            if (value <= 0xffff) {
                unit(value);
            } else {
                unit(0xd800 + ((value - 0x10000) >> 10));
                unit(0xdc00 + ((value - 0x10000) & 0x3ff));
            }
        } else {
            out += json.substr(0, length);
        }
        json.remove_prefix(length);
    }
    return out;
}

}  // namespace files
