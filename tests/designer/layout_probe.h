// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What of the designer window a user cannot read at its size: squeezed controls, cut labels,
// cells, figures and tab titles, and which of its areas scroll.
#pragma once

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QTreeWidget>

namespace layout_probe {

// The controls squeezed below the least size their contents need, the labels whose text does
// not fit (as shown: a mnemonic's mark is not drawn), and a table whose rows do not all show.
// Only what shows counts: the hidden labels keep their last text.
inline QStringList Squeezed(const QWidget& window)
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
    // A cell or a figure cut short, and a tab whose title does not show whole.
    for (const QTableWidget* table : window.findChildren<QTableWidget*>())
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < table->columnCount(); ++column) {
                const QTableWidgetItem* item = table->item(row, column);
                if (item && !table->isColumnHidden(column) &&
                    table->fontMetrics().horizontalAdvance(item->text()) + 6 >
                        table->columnWidth(column))
                    squeezed << QStringLiteral("the cell \"%1\" (%2 px)")
                                    .arg(item->text())
                                    .arg(table->columnWidth(column));
            }
    for (const QTreeWidget* tree : window.findChildren<QTreeWidget*>()) {
        if (!tree->isVisible())
            continue;
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
            const QRect shown = tree->visualItemRect(*it);
            if ((*it)->columnCount() > 1 && shown.isValid() &&
                tree->header()->sectionPosition(1) +
                        tree->fontMetrics().horizontalAdvance((*it)->text(1)) + 6 >
                    tree->viewport()->width())
                squeezed << QStringLiteral("the figure \"%1\"").arg((*it)->text(1));
            // A figure's name, below its group's title, whole in the first column.
            if ((*it)->parent() &&
                tree->indentation() + tree->fontMetrics().horizontalAdvance((*it)->text(0)) + 6 >
                    tree->header()->sectionSize(0))
                squeezed << QStringLiteral("the name \"%1\"").arg((*it)->text(0));
        }
    }
    for (const QTabBar* bar : window.findChildren<QTabBar*>())
        for (int tab = 0; tab < bar->count(); ++tab)
            if (!bar->rect().contains(bar->tabRect(tab)))
                squeezed << QStringLiteral("the tab \"%1\"").arg(bar->tabText(tab));
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
inline QStringList Scrolling(const QWidget& window)
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

}  // namespace layout_probe
