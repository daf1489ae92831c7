// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/outputs/definitions.h"

// The designer's translations are made from this table: the marker lets Qt's lupdate find it.
#define QT_TRANSLATE_NOOP(scope, x) x

namespace design::outputs {

std::string_view Definition(Term term)
{
    switch (term) {
    case Term::F3:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "f3 is the first frequency, coming from the passband, where the gain falls to 1/√2 "
            "(−3.01 dB). Its error is f3 / f − 1.");
    case Term::ShapeError:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "Shape error is the largest difference, in dB, between the circuit's gain and the %1 "
            "response with its −3 dB point at f, over f/100 … 100 f wherever that response is at "
            "or above −20 dB.");
    case Term::AlignedShapeError:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "Aligned shape error is the same comparison against the response moved to the "
            "realised f3 (the shape without the f3 error), up to 100 f3 (a high-pass with an "
            "op-amp: up to a tenth of its upper edge).");
    case Term::Step:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "Step: a 1 V step at the input; overshoot past the final value (a high-pass: how far "
            "it swings below 0), settling once it stays within 1 % or 0.1 % of the step.");
    case Term::MovedValue:
        return QT_TRANSLATE_NOOP("Definitions",
                                 "The equal parts' value as the design chose it from the series "
                                 "named, near the value given: the one to build.");
    case Term::CombinationsWeighed:
        return QT_TRANSLATE_NOOP("Definitions",
                                 "Combinations weighed: how many candidate sets of standard "
                                 "values the search compared to choose the parts shown.");
    case Term::CalculatorF3:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "The calculator's f3 is the f3 of the parts that the calculator window gives for the "
            "same frequency and value, with its own rounded coefficients (a Butterworth "
            "response only).");
    case Term::RippleEdge:
        return QT_TRANSLATE_NOOP("Definitions",
                                 "Where the Chebyshev response's ripple band ends: up to there "
                                 "(a high-pass: from there) its gain stays within the ripple.");
    case Term::GbwForF3:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "The smallest gain-bandwidth product from which on the op-amp moves f3 by at most "
            "this share of the f3 that the same parts have with an ideal op-amp (not of f).");
    case Term::GbwForShape:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "The smallest gain-bandwidth product from which on the op-amp adds at most 0.1 dB to "
            "the shape error that the same parts have with an ideal op-amp.");
    case Term::UpperEdge:
        return QT_TRANSLATE_NOOP("Definitions",
                                 "With a real op-amp a high-pass is a band-pass: the frequency "
                                 "above its passband where the gain falls to −3 dB again.");
    case Term::StopBand:
        return QT_TRANSLATE_NOOP("Definitions",
                                 "The gain far above f: the op-amp's output resistance lets the "
                                 "signal leak through C2, and the gain stops falling.");
    case Term::Sensitivity:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "Sensitivity of f3 to a part: the relative change of f3 for a small relative change "
            "of that part (d ln f3 / d ln x, with an ideal op-amp); −0.5 means that 1 % more "
            "lowers f3 by 0.5 %.");
    case Term::Poles:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "A pole pair by its natural frequency f0 and its quality factor Q, a real pole by its "
            "frequency, as filter tables list them; the target's are those of the response asked "
            "for.");
    case Term::GroupDelay:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "Group delay is the delay of a signal's envelope, −dφ/dω: at DC, and the frequency up "
            "to which it stays within 1 % of that.");
    case Term::Noise:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "Noise at 27 °C of the resistors and, when given, of the op-amp: its density at one "
            "frequency, its rms over the band, and each source's share of the mean square.");
    case Term::ToleranceSpread:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "The f3 error of circuits whose parts are drawn at random within their tolerances: "
            "its standard deviation (sigma), and the errors between which the middle 99 % of "
            "the samples lie.");
    case Term::WorstCase:
        return QT_TRANSLATE_NOOP("Definitions",
                                 "The lowest and the highest f3 error over the 64 corners where "
                                 "every part is at one end of its tolerance.");
    case Term::GainAt:
        return QT_TRANSLATE_NOOP(
            "Definitions",
            "The gain at a frequency asked for, in dB (its attenuation with the sign turned): of "
            "the response asked for with its -3 dB point at f, of the circuit with its parts "
            "and an ideal op-amp, and with the op-amp given.");
    }
    return {};
}

std::string Definition(Term term, std::string_view response)
{
    std::string text(Definition(term));
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, response);
    return text;
}

}  // namespace design::outputs
