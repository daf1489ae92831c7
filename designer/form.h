// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer's form as a table: one row a field, in reading order (which is the order of
// the keyboard's Tab), with the words a face shows and translates. The window builds, binds,
// enables and names its fields from it by loops. No Qt: the texts are English, marked for
// the window's translation in the context FormContext.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/quantity.h"
#include "design/settings.h"

namespace designer {

inline constexpr const char* FormContext = "Form";

// The boxes the fields stand in; the form's columns begin at the first and the third.
enum class Group { Filter, StandardValues, OpAmp, Tolerances };

struct GroupRow {
    Group group;
    const char* title;
    bool startsColumn;
};

// An item of a choice: the setting's number for it (design::ChoiceOf) and its words.
struct Item {
    int choice;
    std::string text;
    bool translated;  // words of the form; else a name, such as a series' "E24"
};

// What a number field's text is read as, written beside it.
struct Hint {
    design::Unit unit;
    std::string_view symbol;
};

struct FieldRow {
    design::Setting setting;
    Group group;
    // Its label with the mnemonic after '&', for the low-pass and the high-pass (whose equal
    // parts are capacitors).
    std::array<const char*, 2> label;
    std::vector<Item> items;  // a choice's; empty for a number field
    const char* shown;        // the default an empty number field shows, or nullptr
    // What its text is read as, per circuit as the label; nothing for a number whose text
    // is its value (a percentage, a count, a seed).
    std::optional<std::array<Hint, 2>> hint;
};

const std::vector<GroupRow>& FormGroups();
// Every setting once, in the order of design::Setting.
const std::vector<FieldRow>& FormRows();

}  // namespace designer
