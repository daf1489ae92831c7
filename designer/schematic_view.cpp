// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/schematic_view.h"

#include <QtGui/QPainter>

namespace designer {

SchematicView::SchematicView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(270, 150);  // the drawing's own grid, one pixel a unit
}

void SchematicView::setDrawing(const QByteArray& svg)
{
    renderer_.load(svg);
    update();
}

QSize SchematicView::sizeHint() const
{
    return renderer_.isValid() ? renderer_.defaultSize() : minimumSize();
}

void SchematicView::paintEvent(QPaintEvent*)
{
    if (!renderer_.isValid())
        return;
    QPainter painter(this);
    // Drawn as vectors at the screen's own resolution: crisp at any scale factor.
    QSizeF size = renderer_.defaultSize();
    size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                        size);
    renderer_.render(&painter, target);
}

}  // namespace designer
