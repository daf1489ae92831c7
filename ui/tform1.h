// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The main window. Its controls come from the window definition (form_definition.h); this
// class is their behaviour: one handler per control and event, named after both, connected
// in the constructor. The handlers keep no state of their own: they read and write the
// controls and the program's calc::CalcState (unit multipliers, Backspace flag), and run the
// calculation (calc/calculation.h) when Go is pressed. Every handler runs through
// RunHandler (dispatch.h), which turns an error of the number reading into the error box.
#pragma once

#include <array>
#include <optional>

#include <QtCore/QTimer>
#include <QtWidgets/QDialog>

#include "calc/calculation.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {

class FieldEdit;
class LinkLabel;

class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(calc::CalcState& state, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void FormShow();
    void Edit1KeyDown(int key);
    void Edit3KeyDown(int key);
    void Edit4KeyDown(int key);
    void Edit1KeyPress(std::optional<char32_t>& key);
    void Edit3KeyPress(std::optional<char32_t>& key);
    void Edit4KeyPress(std::optional<char32_t>& key);
    void Edit1Change();
    void Edit3Change();
    void Edit4Change();
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void Button2Click();
    void Button1Click();
    void Label24Click();

    // The labels that show one component's result.
    struct ResultLabels {
        QLabel* value;
        QLabel* unit;
        QLabel* marker;
    };

    template <typename Widget>
    Widget* Control(const char* name) const;
    template <typename Handler>
    bool Run(Handler handler);
    template <typename Sender, typename Signal>
    void Bind(Sender* sender, Signal signal, void (TForm1::*handler)());
    void BindSelected(QRadioButton* button, void (TForm1::*handler)());
    void BindKeyPress(FieldEdit* field, void (TForm1::*handler)(std::optional<char32_t>&));
    void ConnectHandlers();

    void ResetLowPassValues();
    void ResetHighPassValues();
    void ResetAllValues();
    void HideMarkers();
    void ApplyGoEnabledRule();
    void NoteKeyDown(int key);
    void ClearRangeWarningAndFilter(FieldEdit& field, std::optional<char32_t>& key);
    static void SetHighlight(FieldEdit& field, bool highlighted);
    void ShowRejection(const calc::Rejected& rejected);
    void ShowResults(const calc::Computed& computed);
    FieldEdit* FieldOf(calc::Field field) const;

    void TakeIcon();
    void PlaceOnScreen();
    void WatchForFrame();
    void PlaceAgainWhenFramed();

    calc::CalcState& state_;
    bool shown_ = false;
    bool painted_ = false;
    // Where the window put its frame, until it knows the frame's real size.
    std::optional<QPoint> placedFrame_;
    // Asks for the frame for a while after the window is shown on X11.
    QTimer frameWatch_;
    int frameChecksLeft_ = 0;

    FieldEdit* Edit1;
    FieldEdit* Edit3;
    FieldEdit* Edit4;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    QPushButton* Button1;
    QPushButton* Button2;
    LinkLabel* Label24;
    QLabel* Label19;
    QLabel* Label20;
    std::array<ResultLabels, 6> results_;  // C1, C2, C3, R1, R2, R3
};

}  // namespace ui
