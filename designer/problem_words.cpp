// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/problem_words.h"

#include <QtCore/QLocale>

#include "design/report.h"
#include "design/validation.h"

namespace designer {

QString ProblemWords::Of(const design::SettingProblem& problem)
{
    using design::Expectation;
    // The examples are written as the fields take them: the units and multipliers are
    // Latin in every language.
    const QString bound = QLocale().toString(problem.bound, 'g', 6);
    switch (problem.expected) {
    case Expectation::Frequency:
        return tr("expected a frequency from 1e-30 to 1e30 Hz, such as 100, 2.5k or 1 kHz");
    case Expectation::Resistance:
        return tr("expected a resistance from 1e-30 to 1e30 Ω, such as 33k, 4k7 or 33 kΩ");
    case Expectation::Capacitance:
        return tr("expected a capacitance from 1e-30 to 1e30 F, such as 10n, 4n7 or 10 nF");
    case Expectation::PartsInRange:
        return tr("expected a value that keeps the computed parts from 1e-30 to 1e30 with this "
                  "frequency");
    case Expectation::MoveSteps:
        return tr("expected a whole number of steps from 0 to %1").arg(design::MaxMoveSteps);
    case Expectation::Gbw:
        return tr("expected a gain-bandwidth from 1e-30 to 1e30 Hz, such as 1 MHz or 1.5Meg");
    case Expectation::GbwWithGain:
        return tr("expected a gain-bandwidth as well: A0 and RO describe an op-amp with one");
    case Expectation::GbwAboveFrequency:
        return tr("expected a gain-bandwidth above the filter's f3 of %1 Hz").arg(bound);
    case Expectation::Gain: return tr("expected an open-loop gain from 1 to 1e30, such as 200k");
    case Expectation::OutputResistance:
        return tr("expected a resistance from 0 to 1e30 Ω, such as 100 or 75");
    case Expectation::NoiseVoltage:
        return tr("expected a noise density from 0 to 1 V/√Hz, such as 10n");
    case Expectation::NoiseCurrent:
        return tr("expected a noise density from 0 to 1 A/√Hz, such as 1p");
    case Expectation::BandFrom:
        return tr("expected a frequency above 0 Hz, up to 1e30 Hz, such as 20");
    case Expectation::BandTo:
        return tr("expected a frequency above the band's start of %1 Hz, up to 1e30 Hz").arg(bound);
    case Expectation::BandToWithOpAmp:
        return tr("expected the band's end as well: a high-pass with an op-amp ends the band at "
                  "its upper edge only when both ends are empty");
    case Expectation::AttenuationAt:
        return tr("expected up to %1 frequencies from 1e-30 to 1e30 Hz separated by ;, such as "
                  "24k; 50")
            .arg(design::MaxGainFrequencies);
    case Expectation::Tolerance:
        return tr("expected a percentage from 0 to %1, such as 1 or 0.5 %")
            .arg(QLocale().toString(design::MaxTolerancePercent));
    case Expectation::Samples:
        return tr("expected a whole number of samples from 1 to %1")
            .arg(QLocale().toString(qlonglong(design::MaxSamples)));
    case Expectation::Seed: return tr("expected a whole number from 0 to 18446744073709551615");
    }
    return {};
}

}  // namespace designer
