// Accepts every message box once it is on screen and laid out, and records what it showed:
// its text, whether its label renders that text literally, its size and the screen's. Any
// other modal window is closed and recorded as unexpected, so that a run never blocks.
#pragma once

#include <utility>

#include <QtCore/QTimer>
#include <QtGui/QScreen>
#include <QtGui/QTextDocument>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>

namespace abuse {

struct ShownBox {
    QString title;
    QString text;
    bool literal = true;  // the label shows the text as plain text, not as markup
    bool clipped = false; // a word of the text is wider than the label, which cuts it off
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QRect frame;          // the box's frame on the screen
    QRect screen;         // the screen's available area
};

class BoxCatcher : public QObject {
public:
    BoxCatcher()
    {
        qApp->installEventFilter(this);
        watchdog_.setInterval(2000);
        QObject::connect(&watchdog_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal == lastModal_) {
                unexpected << modal->metaObject()->className() + QStringLiteral(" left open");
                modal->close();
            }
            lastModal_ = modal;
        });
        watchdog_.start();
    }
    ~BoxCatcher() override { qApp->removeEventFilter(this); }

    QList<ShownBox> take() { return std::exchange(boxes_, {}); }

    QStringList unexpected;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            // Recorded once the box has been laid out at its final size.
            QMetaObject::invokeMethod(box, [this, box] {
                boxes_.append(Record(*box));
                box->accept();
            }, Qt::QueuedConnection);
        } else if (auto* widget = static_cast<QWidget*>(watched); widget->isModal()) {
            unexpected << QString::fromLatin1(widget->metaObject()->className());
            QMetaObject::invokeMethod(widget, [widget] { widget->close(); }, Qt::QueuedConnection);
        }
        return false;
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
    QTimer watchdog_;
    QWidget* lastModal_ = nullptr;
};

}  // namespace abuse
