// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "behaviour/spoken_results.h"

#include <cstddef>
#include <string_view>

namespace behaviour {
namespace {

// "kOhm / кОм" is said as "kOhm": a Cyrillic half would switch an English voice.
std::string_view LatinUnit(std::string_view unit)
{
    const std::size_t slash = unit.find(" / ");
    return slash == std::string_view::npos ? unit : unit.substr(0, slash);
}

void AppendComponent(std::string& sentence, const calc::Computed& computed, std::size_t index)
{
    const calc::ComponentDisplay& display = computed.components[index];
    sentence += calc::ComponentName(calc::AllComponents[index]);
    sentence += ' ';
    if (display.texts) {
        sentence += display.texts->number;
        sentence += ' ';
        sentence += LatinUnit(display.texts->unit);
    } else {
        sentence += '0';
    }
    if (display.marker)
        sentence += ", impractical";
}

void AppendFilter(std::string& sentence, const calc::Computed& computed, const char* filter,
                  std::size_t first)
{
    sentence += filter;
    sentence += ": ";
    for (std::size_t i = first; i < first + 3; ++i) {
        AppendComponent(sentence, computed, i);
        sentence += i + 1 < first + 3 ? ", " : ".";
    }
}

}  // namespace

std::string SpokenResults(const calc::Computed& computed)
{
    std::string sentence;
    AppendFilter(sentence, computed, "Low-pass", 0);
    sentence += ' ';
    AppendFilter(sentence, computed, "High-pass", 3);
    return sentence;
}

}  // namespace behaviour
