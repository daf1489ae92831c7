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

#include "calc/number_text.h"
#include "ui/accessibility.h"
#include "ui/cut_text.h"
#include "ui/dispatch.h"
#include "ui/field_edit.h"
#include "ui/form_builder.h"
#include "ui/form_definition.h"
#include "ui/link_label.h"
#include "ui/placement.h"
#include "ui/spoken_results.h"
#include "ui/window_look.h"

namespace ui {
namespace {

constexpr int BackspaceKey = 8;
const QString ResetValue = QStringLiteral("0");

// A normal window that cannot be minimised or maximised, not a dialog.
constexpr Qt::WindowFlags FrameFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

TForm1::TForm1(calc::CalcState& state, QWidget* parent) : QDialog(parent, FrameFlags), state_(state)
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

template <typename Handler>
bool TForm1::Run(Handler handler)
{
    return RunHandler(this, handler);
}

template <typename Sender, typename Signal>
void TForm1::Bind(Sender* sender, Signal signal, void (TForm1::*handler)())
{
    connect(sender, signal, this,
            [this, handler] { Run([this, handler] { (this->*handler)(); }); });
}

// A key-press handler abandoned by an error lets no character into its field.
void TForm1::BindKeyPress(FieldEdit* field, void (TForm1::*handler)(std::optional<char32_t>&))
{
    field->keyPress = [this, handler](std::optional<char32_t>& key) {
        if (!Run([&] { (this->*handler)(key); }))
            key.reset();
    };
}

// A unit button's handler runs when the selection moves to it, not for a click on the
// button that is already selected.
void TForm1::BindSelected(QRadioButton* button, void (TForm1::*handler)())
{
    connect(button, &QRadioButton::toggled, this, [this, handler](bool selected) {
        if (selected)
            Run([this, handler] { (this->*handler)(); });
    });
}

void TForm1::ConnectHandlers()
{
    Edit1->keyDown = [this](int key) { Run([&] { Edit1KeyDown(key); }); };
    Edit3->keyDown = [this](int key) { Run([&] { Edit3KeyDown(key); }); };
    Edit4->keyDown = [this](int key) { Run([&] { Edit4KeyDown(key); }); };
    BindKeyPress(Edit1, &TForm1::Edit1KeyPress);
    BindKeyPress(Edit3, &TForm1::Edit3KeyPress);
    BindKeyPress(Edit4, &TForm1::Edit4KeyPress);
    Bind(Edit1, &FieldEdit::changed, &TForm1::Edit1Change);
    Bind(Edit3, &FieldEdit::changed, &TForm1::Edit3Change);
    Bind(Edit4, &FieldEdit::changed, &TForm1::Edit4Change);
    BindSelected(RadioButton1, &TForm1::RadioButton1Click);
    BindSelected(RadioButton2, &TForm1::RadioButton2Click);
    BindSelected(RadioButton3, &TForm1::RadioButton3Click);
    BindSelected(RadioButton4, &TForm1::RadioButton4Click);
    Bind(Button2, &QPushButton::clicked, &TForm1::Button2Click);
    Bind(Button1, &QPushButton::clicked, &TForm1::Button1Click);
    Bind(Label24, &LinkLabel::clicked, &TForm1::Label24Click);
}

void TForm1::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous() || shown_)
        return;
    shown_ = true;
    PlaceOnScreen();
    WatchForFrame();
    Run([this] { FormShow(); });
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

void TForm1::FormShow()
{
    calc::SetFrequencyUnit(state_, calc::FrequencyUnit::Hz);
    calc::SetCapacitanceUnit(state_, calc::CapacitanceUnit::nF);
}

void TForm1::Edit1KeyDown(int key)
{
    NoteKeyDown(key);
}

void TForm1::Edit3KeyDown(int key)
{
    NoteKeyDown(key);
}

void TForm1::Edit4KeyDown(int key)
{
    NoteKeyDown(key);
}

void TForm1::Edit1KeyPress(std::optional<char32_t>& key)
{
    ResetAllValues();
    Label20->hide();
    ClearRangeWarningAndFilter(*Edit1, key);
}

void TForm1::Edit3KeyPress(std::optional<char32_t>& key)
{
    ClearRangeWarningAndFilter(*Edit3, key);
}

void TForm1::Edit4KeyPress(std::optional<char32_t>& key)
{
    ClearRangeWarningAndFilter(*Edit4, key);
}

void TForm1::Edit1Change()
{
    Label20->hide();
    ApplyGoEnabledRule();
    HideMarkers();
}

void TForm1::Edit3Change()
{
    ResetLowPassValues();
    Label20->hide();
    ApplyGoEnabledRule();
    HideMarkers();
}

void TForm1::Edit4Change()
{
    ResetHighPassValues();
    Label20->hide();
    ApplyGoEnabledRule();
    HideMarkers();
}

void TForm1::RadioButton1Click()
{
    ResetAllValues();
    calc::SetFrequencyUnit(state_, calc::FrequencyUnit::Hz);
    HideMarkers();
}

void TForm1::RadioButton2Click()
{
    ResetAllValues();
    calc::SetFrequencyUnit(state_, calc::FrequencyUnit::kHz);
    HideMarkers();
}

void TForm1::RadioButton3Click()
{
    ResetHighPassValues();
    calc::SetCapacitanceUnit(state_, calc::CapacitanceUnit::nF);
    HideMarkers();
}

void TForm1::RadioButton4Click()
{
    ResetHighPassValues();
    calc::SetCapacitanceUnit(state_, calc::CapacitanceUnit::uF);
    HideMarkers();
}

void TForm1::Button2Click()
{
    const calc::FieldTexts texts{Edit1->text().toStdString(), Edit3->text().toStdString(),
                                 Edit4->text().toStdString()};
    if (calc::AnyFieldEmpty(texts))
        return;
    for (FieldEdit* field : {Edit1, Edit3, Edit4})
        SetHighlight(*field, false);
    Label19->hide();
    Label20->hide();
    // May throw from the number reading; the handler ends here and the error box follows.
    const calc::Calculation calculation = calc::Calculate(state_, texts);
    if (const auto* rejected = std::get_if<calc::Rejected>(&calculation))
        ShowRejection(*rejected);
    else
        ShowResults(std::get<calc::Computed>(calculation));
}

void TForm1::Button1Click()
{
    QCoreApplication::quit();
}

void TForm1::Label24Click()
{
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(Form1Window().linkUrl)));
}

void TForm1::ShowRejection(const calc::Rejected& rejected)
{
    FieldEdit* field = FieldOf(rejected.field);
    if (const auto* outOfRange = std::get_if<calc::OutOfRange>(&rejected.outcome)) {
        Label19->show();
        // Runs the field's change handler before the field is highlighted.
        field->setProgramText(FromUtf8(outOfRange->replacement));
    } else {
        Label20->show();
    }
    SetHighlight(*field, true);
    field->setFocus();
}

void TForm1::ShowResults(const calc::Computed& computed)
{
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const calc::ComponentDisplay& display = computed.components[i];
        const ResultLabels& labels = results_[i];
        if (display.texts) {
            SetCutText(*labels.value, FromUtf8(display.texts->number));
            labels.unit->setText(FromUtf8(display.texts->unit));
            FitToText(*labels.unit);
        } else {
            // Below every display range. Whatever the label held may be the number of an
            // earlier calculation (a paste into the frequency field resets nothing), so it
            // is cleared rather than left standing next to the new results.
            SetCutText(*labels.value, ResetValue);
        }
    }
    for (std::size_t i = 0; i < results_.size(); ++i) {
        if (computed.components[i].marker)
            results_[i].marker->show();
    }
    // A screen reader says the results once, in order, the impractical ones in words; the
    // markers that appear say nothing of their own.
    Announce(*this, FromUtf8(SpokenResults(computed)));
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

void TForm1::ResetLowPassValues()
{
    for (std::size_t i = 0; i < 3; ++i)
        SetCutText(*results_[i].value, ResetValue);
}

void TForm1::ResetHighPassValues()
{
    for (std::size_t i = 3; i < 6; ++i)
        SetCutText(*results_[i].value, ResetValue);
}

void TForm1::ResetAllValues()
{
    ResetLowPassValues();
    ResetHighPassValues();
}

void TForm1::HideMarkers()
{
    for (const ResultLabels& labels : results_)
        labels.marker->hide();
}

void TForm1::ApplyGoEnabledRule()
{
    Button2->setEnabled(!calc::AnyFieldEmpty(Edit1->text(), Edit3->text(), Edit4->text()));
}

void TForm1::NoteKeyDown(int key)
{
    state_.BackspaceFlag = key == BackspaceKey;
}

void TForm1::ClearRangeWarningAndFilter(FieldEdit& field, std::optional<char32_t>& key)
{
    Label19->hide();
    SetHighlight(field, false);
    if (key)
        key = calc::KeyFilter(*key, state_.BackspaceFlag);
}

void TForm1::SetHighlight(FieldEdit& field, bool highlighted)
{
    if (!highlighted) {
        field.setPalette(QPalette());
        return;
    }
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, QColor(Yellow));
    // The scheme's text colour may be light, and unreadable on yellow.
    palette.setColor(QPalette::Text, QColor(Qt::black));
    field.setPalette(palette);
}

}  // namespace ui
