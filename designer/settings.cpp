// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/settings.h"

#include <QtCore/QSettings>
#include <QtCore/QStringList>

#include "design/settings_arguments.h"

namespace designer {
namespace {

// The design as its command's arguments, the companion's form of it; the other circuit's
// equal value beside them.
const QString ArgumentsKey = QStringLiteral("design/arguments");
const QString OtherValueKey = QStringLiteral("design/other-value");
const QString GeometryKey = QStringLiteral("window/geometry");
const QString SplitterKey = QStringLiteral("window/splitter");

// What this process last read from or wrote to the settings: saving it again would only
// rewrite the file (and wait for the disk).
struct Kept {
    QStringList args;
    QString other;
};
std::optional<Kept>& LastKept()
{
    static std::optional<Kept> kept;
    return kept;
}

std::size_t Other(design::Circuit circuit)
{
    return circuit == design::Circuit::LowPass ? 1 : 0;
}

}  // namespace

void SaveLastDesign(const design::Settings& inputs)
{
    QStringList args;
    for (const std::string& arg : design::ArgumentsOf(inputs))
        args << QString::fromStdString(arg);
    const QString other = QString::fromStdString(inputs.value[Other(inputs.circuit)]);
    if (LastKept() && LastKept()->args == args && LastKept()->other == other)
        return;
    QSettings settings;
    settings.setValue(ArgumentsKey, args);
    settings.setValue(OtherValueKey, other);
    LastKept() = Kept{args, other};
}

std::optional<design::Settings> LastDesign()
{
    const QSettings settings;
    const QStringList kept = settings.value(ArgumentsKey).toStringList();
    LastKept() = Kept{kept, settings.value(OtherValueKey).toString()};
    if (kept.isEmpty())
        return std::nullopt;
    std::vector<std::string> args;
    for (const QString& arg : kept)
        args.push_back(arg.toStdString());
    const std::vector<std::string_view> views(args.begin(), args.end());
    auto read = design::SettingsFromArguments(views);
    auto* inputs = std::get_if<design::Settings>(&read);
    if (!inputs)
        return std::nullopt;
    const QString other = settings.value(OtherValueKey).toString();
    if (!other.isEmpty())
        inputs->value[Other(inputs->circuit)] = other.toStdString();
    return *inputs;
}

void KeepWindowPlace(const WindowPlace& place)
{
    QSettings settings;
    settings.setValue(GeometryKey, place.geometry);
    settings.setValue(SplitterKey, place.splitter);
}

WindowPlace KeptWindowPlace()
{
    const QSettings settings;
    return {settings.value(GeometryKey).toByteArray(), settings.value(SplitterKey).toByteArray()};
}

}  // namespace designer
