// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window as the program shows it, on a real display, answering questions of
// tools/desktop_check.sh on standard input, one a line, so that the script can drive it with
// real keys and clicks (xdotool) and then read what happened:
//   state  prints the window's state, one "key value" a line, then "end"
//   grab <file>  saves the whole screen, the window manager's frame included, as PNG
//   quit   ends the program
// It prints "ready <window id>" once the window is shown.
#include <cstdio>

#include <QtCore/QSocketNotifier>
#include <QtCore/QTextStream>
#include <QtGui/QInputMethodEvent>
#include <QtGui/QScreen>
#include <QtGui/QWindow>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>

#include "calc/input_checks.h"
#include "tests/ui/text_contrast.h"
#include "ui/application_title.h"
#include "ui/form_definition.h"
#include "ui/readable_colour.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

namespace {

// Counts the characters committed by input methods (dead keys, the compose key), so that the
// script knows that its keys took that path.
class CommitCounter : public QObject {
public:
    using QObject::QObject;
    int committed = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::InputMethod)
            committed += int(static_cast<QInputMethodEvent*>(event)->commitString().size());
        return QObject::eventFilter(watched, event);
    }
};

QString Rect(const QRect& r)
{
    return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

void PrintState(const QWidget& form, const CommitCounter& commits)
{
    QTextStream out(stdout);
    for (const QLineEdit* field : form.findChildren<QLineEdit*>()) {
        out << "text " << field->objectName() << ' ' << field->text() << '\n';
        out << "highlighted " << field->objectName() << ' '
            << int(field->palette().color(QPalette::Base) == QColor(255, 255, 0)) << '\n';
    }
    for (const char* name : {"Label7", "Label8", "Label12", "Label15", "Label16", "Label25"})
        out << "text " << name << ' ' << form.findChild<QLabel*>(QString::fromLatin1(name))->text()
            << '\n';
    for (const QRadioButton* radio : form.findChildren<QRadioButton*>())
        out << "checked " << radio->objectName() << ' ' << int(radio->isChecked()) << '\n';
    out << "active " << int(form.isActiveWindow()) << '\n';
    out << "client " << Rect(form.geometry()) << '\n';
    // The frame where the window system has it: the widget's own copy of it may lag behind.
    out << "frame " << Rect(form.windowHandle()->frameGeometry()) << '\n';
    out << "area " << Rect(form.screen()->availableGeometry()) << '\n';
    out << "window-luminance " << ui::RelativeLuminance(form.palette().color(QPalette::Window))
        << '\n';
    QMap<QString, Reading> texts;
    ReadShownTexts(form, QString(), texts);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        out << "contrast " << it.key() << ' ' << it->ratio << ' ' << it->needed << '\n';
    out << "committed " << commits.committed << '\n';
    out << "end" << Qt::endl;
}

}  // namespace

int main(int argc, char* argv[])
{
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    Q_UNUSED(argc);
    QApplication::setApplicationName(ui::ApplicationTitle(QStringLiteral("butterworth3")));
    ui::SetApplicationLook(ui::Form1Window());

    calc::CalcState state;
    ui::TForm1 form(state);
    CommitCounter commits;
    for (QLineEdit* field : form.findChildren<QLineEdit*>())
        field->installEventFilter(&commits);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form, 30000)) {
        std::fprintf(stderr, "desktop_probe: waited 30 s for the window to be exposed\n");
        return 1;
    }
    std::printf("ready %llu\n", static_cast<unsigned long long>(form.winId()));
    std::fflush(stdout);

    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &form, [&] {
        char line[4096];
        if (!std::fgets(line, sizeof line, stdin)) {
            QCoreApplication::quit();
            return;
        }
        const QByteArray command = QByteArray(line).trimmed();
        if (command == "state")
            PrintState(form, commits);
        else if (command.startsWith("grab "))
            form.screen()->grabWindow(0).save(QString::fromLocal8Bit(command.mid(5)));
        else if (command == "quit")
            QCoreApplication::quit();
    });
    return QApplication::exec();
}
