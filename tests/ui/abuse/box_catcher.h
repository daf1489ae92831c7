// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Accepts every message box once it is on screen and laid out, and records what it showed:
// its text, whether its label renders that text literally, its size and the screen's. Any
// other modal window is closed and recorded as unexpected, so that a run never blocks.
#pragma once

#include <utility>

#include <QtGui/QScreen>
#include <QtGui/QTextDocument>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>

#include "tests/ui/modal_guard.h"

namespace abuse {

struct ShownBox {
    QString title;
    QString text;
    bool literal = true;   // the label shows the text as plain text, not as markup
    bool clipped = false;  // a word of the text is wider than the label, which cuts it off
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QRect frame;   // the box's frame on the screen
    QRect screen;  // the screen's available area
};

class BoxCatcher : public ModalGuard {
public:
    BoxCatcher() : ModalGuard(2000) { }

    QList<ShownBox> take() { return std::exchange(boxes_, {}); }

protected:
    void onMessageBox(QMessageBox* box) override
    {
        // Recorded once the box has been laid out at its final size.
        QMetaObject::invokeMethod(
            box,
            [this, box] {
                boxes_.append(Record(*box));
                box->accept();
            },
            Qt::QueuedConnection);
    }

private:
    static ShownBox Record(const QMessageBox& box)
    {
        ShownBox shown;
        shown.title = box.windowTitle();
        shown.text = box.text();
        shown.icon = box.icon();
        shown.buttons = box.standardButtons();
        shown.frame = box.frameGeometry();
        shown.screen = box.screen()->availableGeometry();
        if (const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            const Qt::TextFormat format = label->textFormat();
            shown.literal = format == Qt::PlainText ||
                            (format == Qt::AutoText && !Qt::mightBeRichText(label->text()));
            shown.clipped = label->minimumSizeHint().width() > label->width();
        }
        return shown;
    }

    QList<ShownBox> boxes_;
};

}  // namespace abuse
