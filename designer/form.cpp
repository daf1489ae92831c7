// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/form.h"

#include "design/vocabulary.h"

// The mark by which Qt's lupdate finds a text for the window to translate, in the context
// FormContext; the text itself is kept.
#define QT_TRANSLATE_NOOP(scope, x) x

namespace designer {

namespace {

using design::Setting;
using design::Unit;

std::array<const char*, 2> Both(const char* label)
{
    return {label, label};
}

std::optional<std::array<Hint, 2>> Hints(Hint hint)
{
    return std::array<Hint, 2>{hint, hint};
}

// "None" (-1), then every series by its name.
std::vector<Item> SeriesItems(const char* none)
{
    std::vector<Item> items = {{-1, none, true}};
    for (const design::Series series : design::All<design::Series>)
        items.push_back({int(series), std::string(design::Id(series)), false});
    return items;
}

std::vector<FieldRow> MakeRows()
{
    using design::Circuit, design::ResponseKind, design::Coefficients, design::Objective;
    using design::Distribution;
    const Hint hertz{Unit::Hertz, "Hz"};
    return {
        {Setting::Circuit,
         Group::Filter,
         Both(QT_TRANSLATE_NOOP("Form", "&Circuit")),
         {{int(Circuit::LowPass), QT_TRANSLATE_NOOP("Form", "Low-pass"), true},
          {int(Circuit::HighPass), QT_TRANSLATE_NOOP("Form", "High-pass"), true}},
         nullptr,
         {}},
        {Setting::Response,
         Group::Filter,
         Both(QT_TRANSLATE_NOOP("Form", "&Response")),
         {{int(ResponseKind::Butterworth), QT_TRANSLATE_NOOP("Form", "Butterworth"), true},
          {int(ResponseKind::Bessel), QT_TRANSLATE_NOOP("Form", "Bessel"), true},
          {int(ResponseKind::Chebyshev05), QT_TRANSLATE_NOOP("Form", "Chebyshev 0.5 dB"), true},
          {int(ResponseKind::Chebyshev1), QT_TRANSLATE_NOOP("Form", "Chebyshev 1 dB"), true}},
         nullptr,
         {}},
        {Setting::Coefficients,
         Group::Filter,
         Both(QT_TRANSLATE_NOOP("Form", "Coefficients")),
         {{int(Coefficients::Exact), QT_TRANSLATE_NOOP("Form", "Exact"), true},
          {int(Coefficients::Window), QT_TRANSLATE_NOOP("Form", "The calculator's"), true}},
         nullptr,
         {}},
        {Setting::Frequency,
         Group::Filter,
         Both(QT_TRANSLATE_NOOP("Form", "Fre&quency")),
         {},
         nullptr,
         Hints(hertz)},
        {Setting::FrequencyIs,
         Group::Filter,
         Both(QT_TRANSLATE_NOOP("Form", "Frequenc&y is")),
         {{0, QT_TRANSLATE_NOOP("Form", "The -3 dB point"), true},
          {1, QT_TRANSLATE_NOOP("Form", "The ripple band's edge"), true}},
         nullptr,
         {}},
        {Setting::Value,
         Group::Filter,
         {QT_TRANSLATE_NOOP("Form", "Resis&tance"), QT_TRANSLATE_NOOP("Form", "Capaci&tance")},
         {},
         nullptr,
         std::array<Hint, 2>{Hint{Unit::Ohm, "Ω"}, Hint{Unit::Farad, "F"}}},
        // Frequencies separated by ';': no one unit to read the text as.
        {Setting::AttenuationAt,
         Group::Filter,
         Both(QT_TRANSLATE_NOOP("Form", "Attenuation at, H&z")),
         {},
         nullptr,
         {}},
        {Setting::Series,
         Group::StandardValues,
         Both(QT_TRANSLATE_NOOP("Form", "&Series")),
         SeriesItems(QT_TRANSLATE_NOOP("Form", "None (exact)")),
         nullptr,
         {}},
        {Setting::MoveSeries,
         Group::StandardValues,
         {QT_TRANSLATE_NOOP("Form", "Mo&ving R"), QT_TRANSLATE_NOOP("Form", "Mo&ving C")},
         SeriesItems(QT_TRANSLATE_NOOP("Form", "Fixed")),
         nullptr,
         {}},
        {Setting::MoveSteps,
         Group::StandardValues,
         Both(QT_TRANSLATE_NOOP("Form", "Steps either side")),
         {},
         "2",
         {}},
        {Setting::Objective,
         Group::StandardValues,
         Both(QT_TRANSLATE_NOOP("Form", "Ob&jective")),
         {{int(Objective::Balanced), QT_TRANSLATE_NOOP("Form", "Balanced"), true},
          {int(Objective::Shape), QT_TRANSLATE_NOOP("Form", "Shape"), true}},
         nullptr,
         {}},
        {Setting::Gbw,
         Group::OpAmp,
         Both(QT_TRANSLATE_NOOP("Form", "&GBW")),
         {},
         nullptr,
         Hints(hertz)},
        {Setting::A0,
         Group::OpAmp,
         Both(QT_TRANSLATE_NOOP("Form", "A&0")),
         {},
         "200k",
         Hints({Unit::None, ""})},
        {Setting::Ro,
         Group::OpAmp,
         Both(QT_TRANSLATE_NOOP("Form", "R&O")),
         {},
         "0",
         Hints({Unit::Ohm, "Ω"})},
        {Setting::NoiseVoltage,
         Group::OpAmp,
         Both(QT_TRANSLATE_NOOP("Form", "&Noise EN")),
         {},
         "0",
         Hints({Unit::None, "V/√Hz"})},
        {Setting::NoiseCurrent,
         Group::OpAmp,
         Both(QT_TRANSLATE_NOOP("Form", "Noise &IN")),
         {},
         "0",
         Hints({Unit::None, "A/√Hz"})},
        {Setting::BandFrom,
         Group::OpAmp,
         Both(QT_TRANSLATE_NOOP("Form", "Noise band fro&m")),
         {},
         QT_TRANSLATE_NOOP("Form", "f/100"),
         Hints(hertz)},
        {Setting::BandTo,
         Group::OpAmp,
         Both(QT_TRANSLATE_NOOP("Form", "Noise ban&d to")),
         {},
         QT_TRANSLATE_NOOP("Form", "100 f"),
         Hints(hertz)},
        {Setting::ToleranceR,
         Group::Tolerances,
         Both(QT_TRANSLATE_NOOP("Form", "R toler&ance, %")),
         {},
         nullptr,
         {}},
        {Setting::ToleranceC,
         Group::Tolerances,
         Both(QT_TRANSLATE_NOOP("Form", "C tolerance, %")),
         {},
         nullptr,
         {}},
        {Setting::Distribution,
         Group::Tolerances,
         Both(QT_TRANSLATE_NOOP("Form", "Distribution")),
         {{int(Distribution::Uniform), QT_TRANSLATE_NOOP("Form", "Uniform"), true},
          {int(Distribution::Normal), QT_TRANSLATE_NOOP("Form", "Normal (3 sigma)"), true}},
         nullptr,
         {}},
        {Setting::Samples,
         Group::Tolerances,
         Both(QT_TRANSLATE_NOOP("Form", "Samples")),
         {},
         "100000",
         {}},
        {Setting::Seed,
         Group::Tolerances,
         Both(QT_TRANSLATE_NOOP("Form", "Seed")),
         {},
         "24301",
         {}},
    };
}

}  // namespace

const std::vector<GroupRow>& FormGroups()
{
    static const std::vector<GroupRow> groups = {
        {Group::Filter, QT_TRANSLATE_NOOP("Form", "Filter"), true},
        {Group::StandardValues, QT_TRANSLATE_NOOP("Form", "Standard values"), false},
        {Group::OpAmp, QT_TRANSLATE_NOOP("Form", "Op-amp (empty: ideal)"), true},
        {Group::Tolerances, QT_TRANSLATE_NOOP("Form", "Tolerances (empty: none)"), false},
    };
    return groups;
}

const std::vector<FieldRow>& FormRows()
{
    static const std::vector<FieldRow> rows = MakeRows();
    return rows;
}

}  // namespace designer
