// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The circuit with each value at its part: the report's own schematic (an SVG drawing on
// white paper), scaled to the widget without changing its shape.
#pragma once

#include <QtSvg/QSvgRenderer>
#include <QtWidgets/QWidget>

namespace designer {

class SchematicView : public QWidget {
public:
    explicit SchematicView(QWidget* parent = nullptr);

    void setDrawing(const QByteArray& svg);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer renderer_;
};

}  // namespace designer
