// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window's own colours readable in light, dark and high-contrast schemes: the
// impractical parts, the note that the results are stale and the defaults that empty fields
// show.
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTableWidget>

#include "designer_fixture.h"
#include "tests/ui/colour_schemes.h"
#include "tests/ui/text_contrast.h"
#include "ui/readable_colour.h"

class TestDesignerColours : public QObject {
    Q_OBJECT
private slots:
    void textsAreReadable_data();
    void textsAreReadable();
    void defaultsInEmptyFieldsAreReadable_data();
    void defaultsInEmptyFieldsAreReadable();
    void cleanup() { QApplication::setPalette(QPalette()); }
};

void TestDesignerColours::textsAreReadable_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("the style's own") << QApplication::style()->standardPalette();
    QTest::newRow("Breeze Dark") << BreezeDarkPalette();
    QTest::newRow("high contrast") << HighContrastPalette();
}

void TestDesignerColours::textsAreReadable()
{
    QFETCH(QPalette, palette);
    QApplication::setPalette(palette);
    design::Settings inputs;
    inputs.frequency = "1";  // C2 17.1 uF: impractical
    const auto window = ShownDesigner(inputs);
    QStringList unreadable;

    const auto* parts = window->findChild<QTableWidget*>();
    const QColor ground = parts->palette().color(QPalette::Base);
    int marked = 0;
    for (int row = 0; row < parts->rowCount(); ++row) {
        for (int column = 0; column < parts->columnCount(); ++column) {
            const QTableWidgetItem* item = parts->item(row, column);
            if (!item->data(Qt::ForegroundRole).isValid())
                continue;
            ++marked;
            const double ratio = ui::ContrastRatio(item->foreground().color(), ground);
            if (ratio < ui::ReadableContrast)
                unreadable << QStringLiteral("part \"%1\" %2:1").arg(item->text()).arg(ratio);
        }
    }
    QVERIFY2(marked > 0, "an impractical part is marked in its own colour");

    TypeInto(qobject_cast<QLineEdit*>(window->fieldWidget(design::Setting::Frequency)),
             QStringLiteral("1x"));
    QVERIFY(window->stale());
    for (int row = 0; row < parts->rowCount(); ++row)
        for (int column = 0; column < parts->columnCount(); ++column)
            if (parts->item(row, column)->data(Qt::ForegroundRole).isValid())
                unreadable << QStringLiteral("part \"%1\" keeps its colour in a greyed table")
                                  .arg(parts->item(row, column)->text());
    int shown = 0;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || !label->wordWrap() || label->text().isEmpty())
            continue;  // the stale note wraps; the captions do not
        ++shown;
        const QColor text = label->palette().color(label->foregroundRole());
        const double ratio = ui::ContrastRatio(text, GroundOf(label));
        if (ratio < NeededFor(label->font()))
            unreadable << QStringLiteral("\"%1\" %2:1").arg(label->text()).arg(ratio);
    }
    QCOMPARE(shown, 1);
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("; "))));
}

void TestDesignerColours::defaultsInEmptyFieldsAreReadable_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("the style's own") << QApplication::style()->standardPalette();
    // As KDE's platform theme gives a scheme: no colour for the defaults, Qt's own left.
    QPalette breezeDark = BreezeDarkPalette();
    breezeDark.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    QTest::newRow("Breeze Dark, Qt's defaults' colour") << breezeDark;
}

// The default an empty field shows (200k, f/100, 24301, ...) as readable as any text, in a
// field that is on or off.
void TestDesignerColours::defaultsInEmptyFieldsAreReadable()
{
    QFETCH(QPalette, palette);
    QApplication::setPalette(palette);
    const auto window = ShownDesigner();
    QStringList unreadable;
    int shown = 0, off = 0;
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (!edit->text().isEmpty() || edit->placeholderText().isEmpty())
            continue;
        ++shown;
        off += !edit->isEnabled();
        const auto group = edit->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const QColor base = edit->palette().color(group, QPalette::Base);
        const double ratio = ui::ContrastRatio(
            ui::AsDrawn(edit->palette().color(group, QPalette::PlaceholderText), base), base);
        if (ratio < ui::ReadableContrast)
            unreadable << QStringLiteral("\"%1\" %2:1").arg(edit->placeholderText()).arg(ratio);
    }
    QVERIFY2(shown >= 9, "the op-amp's defaults, the noise band's and the sampling's");
    QVERIFY2(off >= 3, "the steps and the sampling's, off without a series and a tolerance");
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestDesignerColours)
#include "tst_designer_colours.moc"
