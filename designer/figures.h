// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The design's figures as the window lists them, in the words of its language and with the
// numbers as the companion's report writes them; the parts as one sentence (for a screen
// reader) and as a plain-text table (for the clipboard).
#pragma once

#include <QtCore/QCoreApplication>
#include <QtCore/QString>

#include "design/report.h"

class QTreeWidget;

namespace designer {

class Figures {
    Q_DECLARE_TR_FUNCTIONS(Figures)

public:
    // Every figure of `report`, grouped: the ideal follower, the op-amp model, the tolerances.
    static void Show(QTreeWidget& tree, const design::Report& report);

    // "C1 67.1656 nF, C2 171.059 nF, C3 9.76397 nF": the parts as built.
    static QString PartsSentence(const design::Report& report);

    // The parts with their ideal and chosen values and errors, in aligned columns.
    static QString PartsTable(const design::Report& report);
};

}  // namespace designer
