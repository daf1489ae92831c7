// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/plots/shown_numbers.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "design/outputs/markup.h"

namespace designer {
namespace {

QString WithMinusSign(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    if (shown.startsWith(QLatin1Char('-')))
        shown[0] = QChar(0x2212);
    return shown;
}

}  // namespace

QString ShownQuantity(double value, std::string_view unit, int digits)
{
    if (unit == "Hz" && std::isfinite(value) && std::abs(value) < 1 && value != 0)
        return WithMinusSign(design::outputs::General(value, digits)) + QStringLiteral(" Hz");
    return WithMinusSign(
        design::outputs::WithUnit(value, unit, digits, design::outputs::Medium::Document));
}

QString ShownDecimal(double value, int decimals)
{
    const double shown = std::abs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
    return WithMinusSign(design::outputs::Fixed(shown, decimals));
}

QString ShownNumber(double value, int digits)
{
    if (!std::isfinite(value) || value == 0)
        return WithMinusSign(design::outputs::General(value, digits));
    const int magnitude = int(std::floor(std::log10(std::abs(value))));
    return WithMinusSign(design::outputs::Num(value, std::max(0, digits - 1 - magnitude)));
}

}  // namespace designer
