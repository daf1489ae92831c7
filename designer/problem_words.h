// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What a field that does not read was expected to hold, in the window's language.
#pragma once

#include <QtCore/QCoreApplication>
#include <QtCore/QString>

#include "design/settings.h"

namespace designer {

class ProblemWords {
    Q_DECLARE_TR_FUNCTIONS(ProblemWords)

public:
    // "expected a frequency from 1e-30 to 1e30 Hz, such as 100, 2.5k or 1 kHz"
    static QString Of(const design::SettingProblem& problem);
};

}  // namespace designer
