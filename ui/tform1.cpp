// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "ui/tform1.h"

#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtGui/QIcon>
#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <QtGui/QWindow>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include "ui/accessibility.h"
#include "ui/cut_text.h"
#include "ui/error_box.h"
#include "ui/field_edit.h"
#include "ui/form_builder.h"
#include "ui/form_definition.h"
#include "ui/link_label.h"
#include "ui/placement.h"
#include "ui/window_look.h"

namespace ui {
namespace {

// A normal window that cannot be minimised or maximised, not a dialog.
constexpr Qt::WindowFlags FrameFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

TForm1::TForm1(calc::CalcState& state, QWidget* parent) : QDialog(parent, FrameFlags)
{
    BuildForm(*this, Form1Window(), Form1Controls());
    frameWatch_.setInterval(50);
    connect(&frameWatch_, &QTimer::timeout, this, &TForm1::PlaceAgainWhenFramed);

    Edit1 = Control<FieldEdit>("Edit1");
    Edit3 = Control<FieldEdit>("Edit3");
    Edit4 = Control<FieldEdit>("Edit4");
    RadioButton1 = Control<QRadioButton>("RadioButton1");
    RadioButton2 = Control<QRadioButton>("RadioButton2");
    RadioButton3 = Control<QRadioButton>("RadioButton3");
    RadioButton4 = Control<QRadioButton>("RadioButton4");
    Button1 = Control<QPushButton>("Button1");
    Button2 = Control<QPushButton>("Button2");
    Label24 = Control<LinkLabel>("Label24");
    Label19 = Control<QLabel>("Label19");
    Label20 = Control<QLabel>("Label20");
    results_ = {{
        {Control<QLabel>("Label7"), Control<QLabel>("Label9"), Control<QLabel>("Label27")},
        {Control<QLabel>("Label8"), Control<QLabel>("Label10"), Control<QLabel>("Label28")},
        {Control<QLabel>("Label12"), Control<QLabel>("Label22"), Control<QLabel>("Label29")},
        {Control<QLabel>("Label15"), Control<QLabel>("Label17"), Control<QLabel>("Label30")},
        {Control<QLabel>("Label16"), Control<QLabel>("Label18"), Control<QLabel>("Label31")},
        {Control<QLabel>("Label25"), Control<QLabel>("Label26"), Control<QLabel>("Label32")},
    }};

    for (const ResultLabels& labels : results_)
        DrawCutWithEllipsis(*labels.value);

    behaviour_.emplace(state, static_cast<behaviour::Face&>(*this),
                       calc::FieldTexts{Edit1->text().toStdString(), Edit3->text().toStdString(),
                                        Edit4->text().toStdString()});
    ConnectHandlers();
    Edit1->setFocus();
}

template <typename Widget>
Widget* TForm1::Control(const char* name) const
{
    auto* widget = findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("The window definition has no control %s of the expected kind", name);
    return widget;
}

// A unit button's handler runs when the selection moves to it, not for a click on the
// button that is already selected.
void TForm1::ConnectHandlers()
{
    using behaviour::Form1Behaviour;
    for (const calc::Field field :
         {calc::Field::Frequency, calc::Field::Resistance, calc::Field::Capacitance}) {
        FieldEdit* edit = FieldOf(field);
        edit->keyDown = [this, field](int key) { behaviour_->KeyDown(field, key); };
        edit->keyPress = [this, field](std::optional<char32_t>& key) {
            behaviour_->KeyPress(field, key);
        };
        connect(edit, &FieldEdit::changed, this,
                [this, field, edit] { behaviour_->Change(field, edit->text().toStdString()); });
    }
    const std::pair<QRadioButton*, void (Form1Behaviour::*)() noexcept> units[] = {
        {RadioButton1, &Form1Behaviour::RadioButton1Click},
        {RadioButton2, &Form1Behaviour::RadioButton2Click},
        {RadioButton3, &Form1Behaviour::RadioButton3Click},
        {RadioButton4, &Form1Behaviour::RadioButton4Click},
    };
    for (const auto& [button, handler] : units)
        connect(button, &QRadioButton::toggled, this, [this, handler](bool selected) {
            if (selected)
                ((*behaviour_).*handler)();
        });
    connect(Button2, &QPushButton::clicked, this, [this] { behaviour_->Button2Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { behaviour_->Button1Click(); });
    connect(Label24, &LinkLabel::clicked, this, [this] { behaviour_->Label24Click(); });
}

void TForm1::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || shown_)
        return;
    shown_ = true;
    PlaceOnScreen();
    WatchForFrame();
    behaviour_->FormShow();
}

void TForm1::PlaceOnScreen()
{
    if (const QScreen* where = screen()) {
        placedFrame_ = PlacedFrame(where->availableGeometry(), frameGeometry().size());
        move(*placedFrame_);
    }
}

// Before a window manager has framed the window its frame is unknown and counted as none, so
// the window was placed too high: placed again once the frame is known (its extents come
// with the first move or activation after framing), unless the user has moved it in the
// meantime. A manager keeps either the window or its frame where the window asked to be;
// the window is moved by its own corner, which holds whether or not the widget has seen the
// frame yet. The frame's extents may also arrive after the manager's last move and
// activation, with no event of their own: they are asked for every 50 ms for 5 s.
// Wayland compositors place windows themselves.
void TForm1::WatchForFrame()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    frameChecksLeft_ = 100;
    frameWatch_.start();
}

void TForm1::PlaceAgainWhenFramed()
{
    if (frameChecksLeft_ > 0 && --frameChecksLeft_ == 0)
        frameWatch_.stop();
    // The window system's frame: the widget's own copy of it is refreshed only by a move, and
    // the frame may become known without one.
    const QWindow* window = windowHandle();
    const QMargins frame = window ? window->frameMargins() : QMargins();
    if (!placedFrame_ || frame.isNull())
        return;
    const QPoint placed = *placedFrame_;
    placedFrame_.reset();
    frameWatch_.stop();
    const bool untouched = pos() == placed || geometry().topLeft() == placed;
    const QScreen* where = screen();
    if (untouched && where && QGuiApplication::platformName() == QLatin1String("xcb")) {
        const QPoint corner = PlacedFrame(where->availableGeometry(), size().grownBy(frame));
        setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
    }
}

void TForm1::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    PlaceAgainWhenFramed();
}

// The icon is not part of the first frame, and reading it would delay that frame.
void TForm1::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (painted_)
        return;
    painted_ = true;
    QTimer::singleShot(0, this, &TForm1::TakeIcon);
}

void TForm1::TakeIcon()
{
    const QIcon icon = WindowIcon(Form1Window());
    setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    // A dialog would close on Escape; this window ignores it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The colour scheme changed: the fixed colours drawn on its background take new shades. The
// window became active: a window manager may have framed it.
void TForm1::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        KeepFixedColoursReadable(*this, Form1Controls());
    else if (event->type() == QEvent::ActivationChange)
        PlaceAgainWhenFramed();
}

FieldEdit* TForm1::FieldOf(calc::Field field) const
{
    switch (field) {
    case calc::Field::Frequency: return Edit1;
    case calc::Field::Resistance: return Edit3;
    case calc::Field::Capacitance: return Edit4;
    }
    return Edit1;
}

const TForm1::ResultLabels& TForm1::LabelsOf(calc::Component component) const
{
    return results_[static_cast<std::size_t>(component)];
}

// The field's change comes back to the behaviour, which knows it already.
void TForm1::SetFieldText(calc::Field field, const std::string& text)
{
    FieldOf(field)->setText(FromUtf8(text));
}

void TForm1::PutCaretAtStart(calc::Field field)
{
    FieldOf(field)->setCursorPosition(0);
}

void TForm1::SetHighlight(calc::Field field, bool highlighted)
{
    FieldEdit& edit = *FieldOf(field);
    if (!highlighted) {
        edit.setPalette(QPalette());
        return;
    }
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Base, QColor(Yellow));
    // The scheme's text colour may be light, and unreadable on yellow.
    palette.setColor(QPalette::Text, QColor(Qt::black));
    edit.setPalette(palette);
}

void TForm1::Focus(calc::Field field)
{
    FieldOf(field)->setFocus();
}

void TForm1::ShowBanner(behaviour::Banner banner, bool shown)
{
    (banner == behaviour::Banner::InputError ? Label20 : Label19)->setVisible(shown);
}

void TForm1::SetValue(calc::Component component, const std::string& text)
{
    SetCutText(*LabelsOf(component).value, FromUtf8(text));
}

void TForm1::SetUnit(calc::Component component, const std::string& text)
{
    QLabel& unit = *LabelsOf(component).unit;
    unit.setText(FromUtf8(text));
    FitToText(unit);
}

void TForm1::ShowMarker(calc::Component component, bool shown)
{
    LabelsOf(component).marker->setVisible(shown);
}

void TForm1::EnableGo(bool enabled)
{
    Button2->setEnabled(enabled);
}

void TForm1::Announce(const std::string& text)
{
    ui::Announce(*this, FromUtf8(text));
}

void TForm1::ShowErrorBox(std::string_view message)
{
    ui::ShowErrorBox(this, message);
    behaviour_->ErrorBoxClosed();
}

void TForm1::Quit()
{
    QCoreApplication::quit();
}

void TForm1::OpenLink()
{
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(Form1Window().linkUrl)));
}

}  // namespace ui
