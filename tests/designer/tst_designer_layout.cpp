// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window on small screens: at 1024 x 600 it scrolls and cuts nothing off; at
// 1366 x 768 it shows everything without scrolling.
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTableWidget>

#include "designer_fixture.h"

namespace {

// The controls squeezed below the least size their contents need, the labels whose text does
// not fit (as shown: a mnemonic's mark is not drawn), and a table whose rows do not all show.
// Only what shows counts: the hidden labels keep their last text.
QStringList Squeezed(const QWidget& window)
{
    QStringList squeezed;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        const bool control = qobject_cast<const QLineEdit*>(widget) ||
                             qobject_cast<const QComboBox*>(widget) ||
                             qobject_cast<const QAbstractButton*>(widget);
        const QSize least = widget->minimumSizeHint();
        if (control && (widget->width() < least.width() || widget->height() < least.height()))
            squeezed << QStringLiteral("%1 \"%2\" %3x%4 < %5x%6")
                            .arg(QString::fromLatin1(widget->metaObject()->className()),
                                 widget->accessibleName())
                            .arg(widget->width())
                            .arg(widget->height())
                            .arg(least.width())
                            .arg(least.height());
    }
    for (const QTableWidget* table : window.findChildren<QTableWidget*>()) {
        if (table->verticalHeader()->length() > table->viewport()->height())
            squeezed << QStringLiteral("the rows of %1 (%2 px in %3)")
                            .arg(table->accessibleName())
                            .arg(table->verticalHeader()->length())
                            .arg(table->viewport()->height());
    }
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QString shown = QString(label->text()).remove(u'&');
        const QFontMetrics metrics = label->fontMetrics();
        if (label->isVisible() && !label->wordWrap() &&
            (metrics.horizontalAdvance(shown) > label->width() ||
             metrics.height() > label->height()))
            squeezed << QStringLiteral("the label \"%1\" (%2 px)").arg(shown).arg(label->width());
    }

    return squeezed;
}

// Which of the window's scroll areas scroll, and which way.
QStringList Scrolling(const QWidget& window)
{
    QStringList scrolling;
    for (const QScrollArea* area : window.findChildren<QScrollArea*>()) {
        const QString which = area == static_cast<const QMainWindow&>(window).centralWidget()
                                  ? QStringLiteral("window")
                                  : QStringLiteral("inputs");
        if (area->horizontalScrollBar()->isVisible())
            scrolling << which + QStringLiteral(" across");
        if (area->verticalScrollBar()->isVisible())
            scrolling << which + QStringLiteral(" down");
    }
    return scrolling;
}

}  // namespace

class TestDesignerLayout : public QObject {
    Q_OBJECT
private slots:
    void fitsTheScreen_data();
    void fitsTheScreen();
};

void TestDesignerLayout::fitsTheScreen_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("1024 x 600") << QSize(1024, 600) << true;
    QTest::newRow("1366 x 768") << QSize(1366, 768) << false;
}

void TestDesignerLayout::fitsTheScreen()
{
    QFETCH(QSize, size);
    QFETCH(bool, scrolls);
    designer::Inputs inputs;
    inputs.series = design::Series::E24;  // every column of the parts shows
    const auto window = ShownDesigner(inputs, size);
    QTRY_COMPARE_WITH_TIMEOUT(window->size(), size, 2000);
    const QStringList scrolling = Scrolling(*window);
    qInfo("scrolling: %s", qPrintable(scrolling.join(QStringLiteral(", "))));
    QVERIFY2(scrolling.isEmpty() != scrolls, qPrintable(scrolling.join(QStringLiteral(", "))));
    const QStringList squeezed = Squeezed(*window);
    QVERIFY2(squeezed.isEmpty(), qPrintable(squeezed.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestDesignerLayout)
#include "tst_designer_layout.moc"
