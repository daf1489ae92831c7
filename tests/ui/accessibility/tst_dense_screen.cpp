// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The window on a screen of twice the usual pixel density (as QT_SCALE_FACTOR=2 gives): the
// same layout in device-independent pixels, drawn with twice the pixels, and the schematics
// from their double-size drawings rather than stretched.
#include <utility>

#include <QtGui/QPixmap>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>

#include "calc/input_checks.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"
#include "ui/xpm_image.h"

class TestDenseScreen : public QObject {
    Q_OBJECT
private slots:
    void schematicsUseTheDoubleSizeDrawings();
    void windowKeepsItsLayoutWithTwiceThePixels();
};

void TestDenseScreen::schematicsUseTheDoubleSizeDrawings()
{
    calc::CalcState state;
    ui::TForm1 form(state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.devicePixelRatio(), 2.0);
    for (const auto& [name, path] :
         {std::pair{"Image1", ":/lowpass@2x.xpm"}, std::pair{"Image2", ":/highpass@2x.xpm"}}) {
        const QPixmap shown = form.findChild<QLabel*>(QString::fromLatin1(name))->pixmap();
        QImage drawing = ui::ReadXpm(QString::fromLatin1(path));
        drawing.setDevicePixelRatio(2);
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_RGB32),
                 drawing.convertToFormat(QImage::Format_RGB32));
    }
}

void TestDenseScreen::windowKeepsItsLayoutWithTwiceThePixels()
{
    calc::CalcState state;
    ui::TForm1 form(state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), ui::Form1Window().clientSize);
    QCOMPARE(form.grab().size(), ui::Form1Window().clientSize * 2);
}

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::SetApplicationLook(ui::Form1Window());
    TestDenseScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dense_screen.moc"
