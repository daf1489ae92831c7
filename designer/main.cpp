// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer program: the design command's arguments on its command line open that design;
// without them, the last design, or at first the calculator's own defaults.
#include <cstdio>
#include <string>
#include <vector>

#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QTranslator>
#include <QtWidgets/QApplication>

#include "designer/designer_window.h"
#include "designer/settings.h"
#include "ui/display_opening.h"
#include "ui/first_frame.h"

int main(int argc, char* argv[])
{
    // The arguments are read before Qt starts, so that bad ones say so without a display.
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::optional<design::Settings> given;
    if (!args.empty()) {
        auto read = designer::ReadProgramArguments(args);
        if (const auto* message = std::get_if<std::string>(&read)) {
            std::fprintf(stderr, "butterworth3-designer: %s\n", message->c_str());
            return 2;
        }
        if (std::holds_alternative<designer::HelpRequest>(read) ||
            std::holds_alternative<designer::VersionRequest>(read)) {
            const std::string text = std::holds_alternative<designer::HelpRequest>(read)
                                         ? designer::ProgramHelpText()
                                         : designer::ProgramVersionText();
            return std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 3;
        }
        given = std::get<design::Settings>(read);
    }

    // Qt reads its own options from the command line: it gets the program's name only.
    int qtArgc = argc > 0 ? 1 : 0;
    QGuiApplication::setDesktopFileName(QStringLiteral(BUTTERWORTH3_DESIGNER_ID));
    QCoreApplication::setOrganizationName(QStringLiteral("butterworth3"));
    QCoreApplication::setApplicationName(QStringLiteral("butterworth3-designer"));
    ui::DisplayOpening opening("butterworth3-designer");
    QApplication app(qtArgc, argv);
    opening.Opened();

    QTranslator translation;
    if (translation.load(QLocale(), QStringLiteral("butterworth3-designer"), QStringLiteral("_"),
                         QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&translation);

    if (!given)
        given = designer::LastDesign();
    designer::DesignerWindow window(given.value_or(design::Settings{}));
    ui::WatchFirstFrame(window);
    window.show();
    return QApplication::exec();
}
