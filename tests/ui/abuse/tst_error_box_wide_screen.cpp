// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The error box on a wide screen (1280 x 1024, set for this test's offscreen platform): Qt's
// own cap on a message box's width does not cut a quote that the screen has room for; a
// quote too long for the screen is still cut, and the box is never larger than the screen
// nor its text clipped.
#include <QtGui/QClipboard>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "box_catcher.h"
#include "calc/input_checks.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

class TestErrorBoxWideScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void quoteFitsScreen_data();
    void quoteFitsScreen();
};

void TestErrorBoxWideScreen::initTestCase()
{
    ui::SetApplicationLook(ui::Form1Window());
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry().width(), 1280);
}

void TestErrorBoxWideScreen::quoteFitsScreen_data()
{
    QTest::addColumn<int>("letters");
    QTest::addColumn<bool>("whole");
    // clang-format off
    QTest::newRow("125 letters: wider than Qt's cap, whole") << 125 << true;
    QTest::newRow("170 letters: whole")                      << 170 << true;
    QTest::newRow("400 letters: wider than the screen, cut") << 400 << false;
    // clang-format on
}

void TestErrorBoxWideScreen::quoteFitsScreen()
{
    QFETCH(int, letters);
    QFETCH(bool, whole);

    abuse::BoxCatcher catcher;
    calc::CalcState state;
    ui::TForm1 form(state);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const QString text(letters, QLatin1Char('x'));
    auto* resistance = form.findChild<QLineEdit*>(QStringLiteral("Edit3"));
    QGuiApplication::clipboard()->setText(text);
    resistance->setFocus();
    resistance->selectAll();
    resistance->paste();
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);

    const QList<abuse::ShownBox> boxes = catcher.take();
    QCOMPARE(boxes.size(), 1);
    const abuse::ShownBox& box = boxes[0];
    QVERIFY(!box.clipped);
    QVERIFY2(box.screen.contains(box.frame),
             qPrintable(QStringLiteral("%1 x %2").arg(box.frame.width()).arg(box.frame.height())));
    QCOMPARE(box.text.contains(text), whole);
    QCOMPARE(box.text.contains(QChar(0x2026)), !whole);
    if (!whole)  // cut as little as the screen needs: most of its width is used
        QVERIFY2(box.frame.width() > box.screen.width() * 3 / 4, qPrintable(box.text));
}

QTEST_MAIN(TestErrorBoxWideScreen)
#include "tst_error_box_wide_screen.moc"
