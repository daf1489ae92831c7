// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/error_box.h"

#include <QtCore/QPointer>
#include <QtGui/QFont>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLayout>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QWidget>

#include "calc/errors.h"
#include "ui/form_definition.h"
#include "ui/window_look.h"

namespace ui {
namespace {

constexpr QChar Ellipsis(0x2026);

// The error box. It quotes the whole text when the box then fits on its screen; otherwise,
// once laid out for that screen, it cuts the quoted text as little as it must. Qt caps a
// message box's width well below a wide screen's; the box grows past that cap as far as the
// screen allows before it cuts anything.
class ErrorBox : public QMessageBox {
public:
    ErrorBox(QWidget* window, const QString& message)
        : QMessageBox(QMessageBox::Critical, QApplication::applicationName(), QString(),
                      QMessageBox::Ok, window),
          message_(message)
    {
        // The message may quote pasted text in any script, and never as markup.
        setTextFormat(Qt::PlainText);
        setFont(WindowFont(Form1Window().font, true));
        setText(QuoteCut(message_, LongestQuoteEdge));
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);  // sizes the box for its text and places it
        if (Fits())
            return;
        if (WidenForLabel() && Fits()) {
            adjustPosition(parentWidget());
            return;
        }
        // Wrapped lines that run below the screen, or a word too long for it that the
        // label would clip: the longest cut that fits, then placed anew.
        qsizetype fitting = 0;
        qsizetype failing = LongestQuoteEdge;
        while (failing - fitting > 1) {
            const qsizetype kept = (fitting + failing) / 2;
            setText(QuoteCut(message_, kept));
            (WidenForLabel() && Fits() ? fitting : failing) = kept;
        }
        setText(QuoteCut(message_, fitting));
        WidenForLabel();
        adjustPosition(parentWidget());
    }

private:
    // Widens the box by what its label lacks for its longest unbreakable line, when the
    // screen's available area has room for that; false when it has not.
    bool WidenForLabel()
    {
        const auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (!label)
            return true;
        const int missing = label->minimumSizeHint().width() - label->width();
        if (missing <= 0)
            return true;
        const int room = screen()->availableGeometry().width() - frameGeometry().width();
        if (missing > room)
            return false;
        setFixedSize(width() + missing, height());
        if (layout())
            layout()->activate();
        return true;
    }

    bool Fits() const
    {
        const QSize area = screen()->availableGeometry().size();
        const QSize size = frameGeometry().size();
        if (size.width() > area.width() || size.height() > area.height())
            return false;
        const auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        return !label || label->minimumSizeHint().width() <= label->width();
    }

    QString message_;
};

}  // namespace

QString QuoteCut(const QString& text, qsizetype kept)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    if (text.startsWith(QLatin1Char('\''))) {
        if (const qsizetype closing = text.lastIndexOf(QLatin1Char('\'')); closing > 0) {
            begin = 1;
            end = closing;
        }
    }
    if (end - begin <= 2 * kept + 1)
        return text;
    qsizetype head = kept;
    qsizetype tail = kept;
    if (head > 0 && text[begin + head - 1].isHighSurrogate())
        --head;
    if (tail > 0 && text[end - tail].isLowSurrogate())
        --tail;
    return text.left(begin + head) + Ellipsis + text.mid(end - tail);
}

void ShowErrorBox(QWidget* window, std::string_view message)
{
    const std::string text = calc::ErrorBoxText(message);
    QPointer<QWidget> owner = window;
    {
        ErrorBox box(window, QString::fromUtf8(text.data(), qsizetype(text.size())));
        box.exec();
    }
    // Without a window manager that does it, the owner would stay inactive after the box,
    // and with it the keyboard focus.
    if (owner && owner->isVisible())
        owner->activateWindow();
}

}  // namespace ui
