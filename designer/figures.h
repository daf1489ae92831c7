// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The design's figures as the window lists them, in the words of its language and with the
// numbers as the companion's report writes them; the parts as one sentence (for a screen
// reader) and as a plain-text table (for the clipboard).
#pragma once

#include <optional>
#include <vector>

#include <QtCore/QCoreApplication>
#include <QtCore/QString>

#include "design/report.h"

class QTreeWidget;

namespace designer {

// One line of the parts to build: the three equal parts first, then the three computed ones.
struct PartRow {
    QString name;  // "Ra, Rb, Rc" or "C1"
    std::string_view unit;
    double ideal = 0;             // the equal value as given, or the exact computed part
    double chosen = 0;            // the value to build
    QString chosenFrom;           // the series a moved value was chosen from, or empty
    std::optional<double> error;  // chosen / ideal - 1: a standard value, or a moved one
    bool impractical = false;
};

class Figures {
    Q_DECLARE_TR_FUNCTIONS(Figures)

public:
    static std::vector<PartRow> PartRows(const design::Report& report);
    // "8.2 kΩ (E24)": the value to build, and where a moved one came from.
    static QString ChosenText(const PartRow& row);

    // Every figure of `report`, grouped: the ideal follower, the op-amp model, the tolerances.
    static void Show(QTreeWidget& tree, const design::Report& report);

    // "Ra, Rb, Rc each 33 kΩ, C1 67.1656 nF, C2 171.059 nF, C3 9.76397 nF": the parts as
    // built.
    static QString PartsSentence(const design::Report& report);

    // The parts with their ideal and chosen values and errors, in aligned columns.
    static QString PartsTable(const design::Report& report);
};

}  // namespace designer
