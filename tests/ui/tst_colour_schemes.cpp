// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Every text of an enabled control stays readable under the colour scheme in use: its WCAG 2
// contrast ratio against what it is drawn on reaches 4.5:1 (3:1 for large text), or the ratio
// it has under the light default scheme where that is lower. Under the light default scheme
// the definition's own colours are kept.
#include <memory>

#include <QtCore/QMap>
#include <QtGui/QFont>
#include <QtWidgets/QGroupBox>

#include "tests/ui/colour_schemes.h"
#include "tests/ui/text_contrast.h"
#include "tests/ui/window_fixture.h"
#include "ui/form_definition.h"
#include "ui/readable_colour.h"
#include "ui/window_look.h"

namespace {

enum class Scheme { Light, BreezeDark, HighContrast };

QPalette LightDefault;

QPalette PaletteOf(Scheme scheme)
{
    switch (scheme) {
    case Scheme::Light: return LightDefault;
    case Scheme::BreezeDark: return BreezeDarkPalette();
    case Scheme::HighContrast: return HighContrastPalette();
    }
    return LightDefault;
}

// The contrast of every shown text after results with markers, and after a range error (a
// corrected, yellow field and the range banner).
QMap<QString, Reading> ShownTexts(Window& w)
{
    QMap<QString, Reading> texts;
    // 1 Hz, 0,1 kOhm, 0,1 nF: all six markers.
    TypeInto(w.field("Edit1"), QStringLiteral("1"));
    TypeInto(w.field("Edit3"), QStringLiteral("0.1"));
    TypeInto(w.field("Edit4"), QStringLiteral("0.1"));
    Click(w.get<QPushButton>("Button2"));
    ReadShownTexts(w.form, QStringLiteral("results "), texts);
    TypeInto(w.field("Edit1"), QStringLiteral("0.5"));
    Click(w.get<QPushButton>("Button2"));
    ReadShownTexts(w.form, QStringLiteral("range error "), texts);
    return texts;
}

}  // namespace

class TestColourSchemes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void contrastRatio_data();
    void contrastRatio();
    void shadeReachesItsMinimumAsDrawn_data();
    void shadeReachesItsMinimumAsDrawn();
    void textsReadable_data();
    void textsReadable();
    void lightSchemeKeepsDefinedColours();

private:
    DialogCatcher catcher_;
};

void TestColourSchemes::initTestCase()
{
    ui::SetApplicationLook(ui::Form1Window());
    LightDefault = QApplication::palette();
}

void TestColourSchemes::cleanup()
{
    QApplication::setPalette(LightDefault);
}

void TestColourSchemes::contrastRatio_data()
{
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<double>("ratio");
    // clang-format off
    QTest::newRow("black on white")  << QColor(Qt::black)        << QColor(Qt::white)        << 21.0;
    QTest::newRow("yellow on red")   << QColor(255, 255, 0)      << QColor(255, 0, 0)        << 3.7235;
    QTest::newRow("maroon on Breeze Dark") << QColor(128, 0, 0)  << QColor(49, 54, 59)       << 1.1141;
    QTest::newRow("blue on white")   << QColor(0, 0, 255)        << QColor(Qt::white)        << 8.5920;
    QTest::newRow("mid grey on white") << QColor(118, 118, 118)  << QColor(Qt::white)        << 4.5415;
    // clang-format on
}

void TestColourSchemes::contrastRatio()
{
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(ui::ContrastRatio(first, second) - ratio) < 0.001,
             qPrintable(QString::number(ui::ContrastRatio(first, second), 'f', 4)));
}

void TestColourSchemes::shadeReachesItsMinimumAsDrawn_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("ground");
    QTest::newRow("maroon on Breeze Dark") << QColor(128, 0, 0) << QColor(49, 54, 59);
    // 16-bit channels reached 4.5:1 here, their 8-bit rounding (#ff2d2d) only 4.497:1.
    QTest::newRow("maroon on #1e1e1e") << QColor(128, 0, 0) << QColor(30, 30, 30);
    QTest::newRow("blue on black") << QColor(0, 0, 255) << QColor(Qt::black);
    QTest::newRow("yellow on white") << QColor(255, 255, 0) << QColor(Qt::white);
}

// The shade as drawn: in 8-bit channels, reaching 4.5:1.
void TestColourSchemes::shadeReachesItsMinimumAsDrawn()
{
    QFETCH(QColor, text);
    QFETCH(QColor, ground);
    const QColor shade = ui::ReadableShade(text, ground);
    const QColor drawn(shade.rgb());
    QCOMPARE(shade, drawn);
    QVERIFY2(
        ui::ContrastRatio(drawn, ground) >= ui::ReadableContrast,
        qPrintable(drawn.name() + QStringLiteral(" %1:1").arg(ui::ContrastRatio(drawn, ground))));
}

void TestColourSchemes::textsReadable_data()
{
    QTest::addColumn<Scheme>("scheme");
    QTest::addColumn<bool>("changedWhileShown");
    QTest::newRow("light default") << Scheme::Light << false;
    QTest::newRow("Breeze Dark") << Scheme::BreezeDark << false;
    QTest::newRow("white on black") << Scheme::HighContrast << false;
    QTest::newRow("Breeze Dark chosen while shown") << Scheme::BreezeDark << true;
    QTest::newRow("white on black chosen while shown") << Scheme::HighContrast << true;
}

void TestColourSchemes::textsReadable()
{
    QFETCH(Scheme, scheme);
    QFETCH(bool, changedWhileShown);

    QMap<QString, Reading> light;
    {
        Window w;
        QVERIFY(w.show());
        light = ShownTexts(w);
    }
    if (!changedWhileShown)
        QApplication::setPalette(PaletteOf(scheme));
    Window w;
    QVERIFY(w.show());
    if (changedWhileShown) {
        QApplication::setPalette(PaletteOf(scheme));
        QCoreApplication::processEvents();
    }
    const QMap<QString, Reading> texts = ShownTexts(w);

    // The states the readings stand for: a yellow field, a banner and markers among them.
    QVERIFY(Highlighted(w.field("Edit1")));
    QCOMPARE(Markers(w), QStringLiteral("000000"));
    for (const char* name : {"range error Label19", "range error Label1", "range error Label24",
                             "range error Edit1", "range error Button2", "results Label7"})
        QVERIFY2(texts.contains(QLatin1String(name)), name);
    const auto markers =
        std::count_if(std::begin(MarkerLabels), std::end(MarkerLabels), [&](const char* name) {
            return texts.contains(QStringLiteral("results ") + QLatin1String(name));
        });
    QCOMPARE(markers, 6);
    QCOMPARE(texts.keys(), light.keys());
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        const double needed = std::min(it->needed, light.value(it.key()).ratio);
        QVERIFY2(it->ratio >= needed - 1e-9, qPrintable(QStringLiteral("%1: %2:1, needs %3:1")
                                                            .arg(it.key())
                                                            .arg(it->ratio, 0, 'f', 2)
                                                            .arg(needed, 0, 'f', 2)));
    }
}

// Under the light default scheme the fixed colours are the definition's, and a yellow field's
// text keeps the scheme's own colour: nothing is drawn differently.
void TestColourSchemes::lightSchemeKeepsDefinedColours()
{
    Window w;
    QVERIFY(w.show());
    QCOMPARE(w.label("Label1")->palette().color(QPalette::WindowText), QColor(ui::Maroon));
    QCOMPARE(w.label("Label24")->palette().color(QPalette::WindowText), QColor(ui::Blue));
    QCOMPARE(w.label("Label19")->palette().color(QPalette::WindowText), QColor(ui::Yellow));
    TypeInto(w.field("Edit1"), QStringLiteral("0.5"));
    Click(w.get<QPushButton>("Button2"));
    QVERIFY(Highlighted(w.field("Edit1")));
    QCOMPARE(w.field("Edit1")->palette().color(QPalette::Text), LightDefault.color(QPalette::Text));
}

QTEST_MAIN(TestColourSchemes)
#include "tst_colour_schemes.moc"
