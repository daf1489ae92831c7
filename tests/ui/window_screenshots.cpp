// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Writes the README's pictures of the window: after Go with the defaults, and with a range
// banner and a corrected, highlighted field; then a value too long for its label, drawn cut
// with "…", and the range banner under a dark colour scheme (Breeze Dark's colours). Driven like a
// user, with QTest key and mouse events, and captured with QWidget::grab. On a dense screen
// (QT_SCALE_FACTOR=2) the files get an "@2x" suffix. Usage: window_screenshots <output folder>
#include <QtCore/QDir>
#include <QtGui/QPixmap>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "calc/input_checks.h"
#include "tests/ui/colour_schemes.h"
#include "ui/application_title.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

namespace {

bool Save(QWidget& window, const QDir& folder, const char* name)
{
    const QString suffix = window.devicePixelRatio() > 1
                               ? QStringLiteral("@%1x.png").arg(window.devicePixelRatio())
                               : QStringLiteral(".png");
    const QString path = folder.filePath(QString::fromLatin1(name) + suffix);
    if (!window.grab().save(path)) {
        qCritical("cannot write %s", qPrintable(path));
        return false;
    }
    qInfo("wrote %s", qPrintable(path));
    return true;
}

bool ShowWindow(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        qCritical("usage: window_screenshots <output folder>");
        return 2;
    }
    QApplication::setApplicationName(ui::ApplicationTitle(QStringLiteral("butterworth3")));
    ui::SetApplicationLook(ui::Form1Window());
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    bool ok = true;
    {
        calc::CalcState state;
        ui::TForm1 form(state);
        if (!ShowWindow(form))
            return 1;
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
        ok = Save(form, folder, "window-results") && ok;
    }
    {
        calc::CalcState state;
        ui::TForm1 form(state);
        if (!ShowWindow(form))
            return 1;
        // 0,5 Hz lies below the lowest frequency: the field is corrected and highlighted.
        auto* frequency = form.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QTest::keyClicks(frequency, QStringLiteral("0.5"));
        QTest::keyClick(frequency, Qt::Key_Return);
        ok = Save(form, folder, "window-banner") && ok;
    }
    {
        calc::CalcState state;
        ui::TForm1 form(state);
        if (!ShowWindow(form))
            return 1;
        // 1 Hz, 0,1 kOhm, 0,1 nF: R1 to R3 are too long for their labels.
        for (const auto& [name, text] :
             {std::pair{"Edit1", "1"}, {"Edit3", "0.1"}, {"Edit4", "0.1"}}) {
            auto* field = form.findChild<QLineEdit*>(QString::fromLatin1(name));
            field->selectAll();
            QTest::keyClicks(field, QString::fromLatin1(text));
        }
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
        ok = Save(form, folder, "window-cut-value") && ok;
    }
    {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(BreezeDarkPalette());
        calc::CalcState state;
        ui::TForm1 form(state);
        if (!ShowWindow(form))
            return 1;
        auto* frequency = form.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QTest::keyClicks(frequency, QStringLiteral("0.5"));
        QTest::keyClick(frequency, Qt::Key_Return);
        ok = Save(form, folder, "window-dark-banner") && ok;
        QApplication::setPalette(light);
    }
    return ok ? 0 : 1;
}
