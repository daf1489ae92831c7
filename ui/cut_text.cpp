// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/cut_text.h"

#include <QtCore/QEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStyle>

namespace ui {
namespace {

QString CutToFit(const QLabel& label, const QString& text)
{
    return label.fontMetrics().elidedText(text, Qt::ElideRight, label.contentsRect().width());
}

// Paints in the label's place only when its text does not fit; otherwise the label paints
// itself as always.
class CutTextPainter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto* label = static_cast<QLabel*>(watched);
        const QString cut = CutToFit(*label, label->text());
        if (cut == label->text())
            return false;
        QPainter painter(label);
        label->style()->drawItemText(
            &painter, label->contentsRect(),
            int(QStyle::visualAlignment(label->layoutDirection(), label->alignment())),
            label->palette(), label->isEnabled(), cut, label->foregroundRole());
        return true;
    }
};

}  // namespace

void DrawCutWithEllipsis(QLabel& label)
{
    label.installEventFilter(new CutTextPainter(&label));
}

void SetCutText(QLabel& label, const QString& text)
{
    label.setText(text);
    label.setToolTip(CutToFit(label, text) == text ? QString() : text);
}

}  // namespace ui
