// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Keeps a window test out of modal loops: every message box that is shown is handed to
// onMessageBox (which must close it), any other modal window is closed and recorded as
// unexpected, and a watchdog closes a modal window still open two ticks later, so that a
// test fails instead of hanging.
#pragma once

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

class ModalGuard : public QObject {
public:
    explicit ModalGuard(int watchdogMilliseconds)
    {
        qApp->installEventFilter(this);
        watchdog_.setInterval(watchdogMilliseconds);
        QObject::connect(&watchdog_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal == lastModal_) {
                unexpected.append(modal->metaObject()->className() + QStringLiteral(" left open"));
                modal->close();
            }
            lastModal_ = modal;
        });
        watchdog_.start();
    }
    ~ModalGuard() override { qApp->removeEventFilter(this); }

    QStringList unexpected;

protected:
    virtual void onMessageBox(QMessageBox* box) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            onMessageBox(box);
        } else if (auto* widget = static_cast<QWidget*>(watched); widget->isModal()) {
            unexpected.append(QString::fromLatin1(widget->metaObject()->className()));
            QMetaObject::invokeMethod(
                widget, [widget] { widget->close(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QTimer watchdog_;
    QWidget* lastModal_ = nullptr;
};
