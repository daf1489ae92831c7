// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Shared by the window tests: one fresh window per test with its own calculation state,
// shown and active; a catcher that accepts every message box and records it, so that a
// test never blocks in a modal loop; a watchdog that closes any other modal window and
// records it as a failure instead of hanging; and small helpers that act as a user would.
#pragma once

#include <bit>
#include <cstdint>

#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include "calc/input_checks.h"
#include "tests/ui/modal_guard.h"
#include "ui/tform1.h"

struct CaughtBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

class DialogCatcher : public ModalGuard {
public:
    DialogCatcher() : ModalGuard(1000) { }

    QList<CaughtBox> takeBoxes() { return std::exchange(boxes_, {}); }
    bool anyBoxes() const { return !boxes_.isEmpty(); }

protected:
    void onMessageBox(QMessageBox* box) override
    {
        boxes_.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
        QMetaObject::invokeMethod(
            box, [box] { box->accept(); }, Qt::QueuedConnection);
    }

private:
    QList<CaughtBox> boxes_;
};

struct Window {
    calc::CalcState state;
    ui::TForm1 form{state};

    template <typename W = QWidget>
    W* get(const char* name) const
    {
        W* widget = form.findChild<W*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLineEdit* field(const char* name) const { return get<QLineEdit>(name); }
    QLabel* label(const char* name) const { return get<QLabel>(name); }

    bool show()
    {
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }
};

inline const char* const ValueLabels[] = {"Label7",  "Label8",  "Label12",
                                          "Label15", "Label16", "Label25"};
inline const char* const UnitLabels[] = {"Label9",  "Label10", "Label22",
                                         "Label17", "Label18", "Label26"};
inline const char* const MarkerLabels[] = {"Label27", "Label28", "Label29",
                                           "Label30", "Label31", "Label32"};
inline const char* const Fields[] = {"Edit1", "Edit3", "Edit4"};

inline QStringList Texts(const Window& w, const char* const (&names)[6])
{
    QStringList texts;
    for (const char* name : names)
        texts << w.label(name)->text();
    return texts;
}

// "1" for each shown marker, C1 first: "000100".
inline QString Markers(const Window& w)
{
    QString shown;
    for (const char* name : MarkerLabels)
        shown += w.label(name)->isVisible() ? QLatin1Char('1') : QLatin1Char('0');
    return shown;
}

inline bool Highlighted(const QLineEdit* field)
{
    return field->palette().color(QPalette::Base) == QColor(255, 255, 0);
}

inline std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// Focus the field and select its text as a user would before typing over it.
inline void SelectAllIn(QLineEdit* field)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_End, Qt::ShiftModifier);
}

inline void TypeInto(QLineEdit* field, const QString& keys)
{
    SelectAllIn(field);
    QTest::keyClicks(field, keys);
}

// Shift+Insert: an edit that delivers no character, so the text bypasses the key filter.
inline void PasteInto(QLineEdit* field, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    SelectAllIn(field);
    QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
}

inline void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}
