// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The error box with texts that no one types: NUL characters, markup, and pasted texts far
// too long for the screen, which the box quotes cut in the middle.
#include <QtGui/QClipboard>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "box_catcher.h"
#include "calc/input_checks.h"
#include "random_session.h"
#include "ui/application_title.h"
#include "ui/error_box.h"
#include "ui/form_definition.h"
#include "ui/tform1.h"
#include "ui/window_look.h"

class TestErrorBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void quoteCut_data();
    void quoteCut();
    void boxAfterGo_data();
    void boxAfterGo();
};

namespace {

const QString Suffix = QStringLiteral("' is not a valid floating point value.");
const QChar Ellipsis(0x2026);

QString Repeated(const QString& unit, qsizetype length)
{
    QString text = unit.repeated(length / unit.size() + 1);
    text.truncate(length);
    return text;
}

}  // namespace

void TestErrorBox::initTestCase()
{
    QApplication::setApplicationName(ui::ApplicationTitle(QStringLiteral("/usr/bin/butterworth3")));
    ui::SetApplicationLook(ui::Form1Window());
}

void TestErrorBox::quoteCut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("cut");

    const QString pair = QString::fromUtf16(u"\U0001F600");  // one character, two UTF-16 units
    // clang-format off
    QTest::newRow("short quote stays whole") << "'abc" + Suffix << 1 << "'abc" + Suffix;
    QTest::newRow("one over the kept length stays whole") << "'abcde" + Suffix << 2 << "'abcde" + Suffix;
    QTest::newRow("long quote cut in the middle") << "'abcdef" + Suffix << 2 << "'ab…ef" + Suffix;
    QTest::newRow("nothing kept") << "'abcdef" + Suffix << 0 << "'…" + Suffix;
    QTest::newRow("apostrophes inside the quote") << "'a'b'c'd" + Suffix << 2 << "'a'…'d" + Suffix;
    QTest::newRow("NUL characters kept") << QString::fromUtf16(u"'\0x\0y\0z", 7) + Suffix << 2
                                          << QString::fromUtf16(u"'\0x…\0z", 6) + Suffix;
    QTest::newRow("surrogate pair at the head's end")
        << "'a" + pair + "bcdefg" + Suffix << 2 << "'a…fg" + Suffix;
    QTest::newRow("surrogate pair at the tail's start")
        << "'abcdef" + pair + "g" + Suffix << 2 << "'ab…g" + Suffix;
    QTest::newRow("a message that quotes nothing is cut as a whole")
        << QStringLiteral("Floating point overflow.") << 3 << "Flo…ow.";
    // clang-format on
}

void TestErrorBox::quoteCut()
{
    QFETCH(QString, text);
    QFETCH(int, kept);
    QFETCH(QString, cut);
    QCOMPARE(ui::QuoteCut(text, kept), cut);
}

// Go with the text in the resistance field: the box quotes it whole when that fits, and
// otherwise cut in the middle, as long as still fits; never as markup, never larger than
// the screen, never clipped.
void TestErrorBox::boxAfterGo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");

    const qsizetype big = 200000;
    // clang-format off
    QTest::newRow("letters") << QStringLiteral("abc") << true;
    QTest::newRow("NUL characters") << QString::fromUtf16(u"1\0002\0003", 5) << true;
    QTest::newRow("markup") << QStringLiteral("<b>1</b>&amp;<br>") << true;
    QTest::newRow("a hundred digits and a letter") << QString(100, QLatin1Char('7')) + "a" << true;
    QTest::newRow("long word") << Repeated(QStringLiteral("x"), big) << false;
    QTest::newRow("wide letters") << Repeated(QStringLiteral("WЖ@"), 3000) << false;
    QTest::newRow("short words") << Repeated(QStringLiteral("12 "), big) << false;
    QTest::newRow("short lines") << Repeated(QStringLiteral("1\n"), 400) << false;
    QTest::newRow("ideographs, which wrap anywhere") << Repeated(QString(QChar(0x56FD)), 4000) << false;
    // clang-format on
}

void TestErrorBox::boxAfterGo()
{
    QFETCH(QString, text);
    QFETCH(bool, whole);

    abuse::BoxCatcher catcher;
    calc::CalcState state;
    ui::TForm1 form(state);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* resistance = form.findChild<QLineEdit*>(QStringLiteral("Edit3"));
    QGuiApplication::clipboard()->setText(text);
    resistance->setFocus();
    resistance->selectAll();
    resistance->paste();
    QCOMPARE(resistance->text(), text);

    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);

    const QList<abuse::ShownBox> boxes = catcher.take();
    QCOMPARE(boxes.size(), 1);
    const abuse::ShownBox& box = boxes[0];
    const QString message = QLatin1Char('\'') + text + Suffix;
    QVERIFY(box.literal);
    QVERIFY2(!box.clipped, qPrintable(abuse::Printable(box.text)));
    QVERIFY2(box.frame.width() <= box.screen.width() && box.frame.height() <= box.screen.height(),
             qPrintable(QStringLiteral("%1x%2").arg(box.frame.width()).arg(box.frame.height())));
    if (whole) {
        QCOMPARE(box.text, message);
        return;
    }
    QVERIFY2(abuse::ShownAs(message, box.text), qPrintable(abuse::Printable(box.text)));
    // Cut as little as the screen needs: the quote keeps a good part of the text.
    const qsizetype quoted = box.text.size() - 1 - Suffix.size();
    QVERIFY2(quoted >= 21, qPrintable(abuse::Printable(box.text)));
    QCOMPARE(box.text.count(Ellipsis), 1);
}

QTEST_MAIN(TestErrorBox)
#include "tst_error_box.moc"
