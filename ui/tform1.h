// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The main window: the behaviour (behaviour/form1_behaviour.h) on Qt. Its controls come from
// the window definition (form_definition.h); their events are handed to the behaviour's
// handler of the same control and event, and what the behaviour changes is shown on them.
// What is Qt's own stays here: the window's place on the screen, its icon, its colours under
// a changed scheme, Escape.
#pragma once

#include <array>
#include <optional>

#include <QtCore/QTimer>
#include <QtWidgets/QDialog>

#include "behaviour/form1_behaviour.h"
#include "calc/calculation.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {

class FieldEdit;
class LinkLabel;

class TForm1 : public QDialog, private behaviour::Face {
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
    // The labels that show one component's result.
    struct ResultLabels {
        QLabel* value;
        QLabel* unit;
        QLabel* marker;
    };

    template <typename Widget>
    Widget* Control(const char* name) const;
    void ConnectHandlers();
    FieldEdit* FieldOf(calc::Field field) const;
    const ResultLabels& LabelsOf(calc::Component component) const;

    // behaviour::Face
    void SetFieldText(calc::Field field, const std::string& text) override;
    void PutCaretAtStart(calc::Field field) override;
    void SetHighlight(calc::Field field, bool highlighted) override;
    void Focus(calc::Field field) override;
    void ShowBanner(behaviour::Banner banner, bool shown) override;
    void SetValue(calc::Component component, const std::string& text) override;
    void SetUnit(calc::Component component, const std::string& text) override;
    void ShowMarker(calc::Component component, bool shown) override;
    void EnableGo(bool enabled) override;
    void Announce(const std::string& text) override;
    void ShowErrorBox(std::string_view message) override;
    void Quit() override;
    void OpenLink() override;

    void TakeIcon();
    void PlaceOnScreen();
    void WatchForFrame();
    void PlaceAgainWhenFramed();

    std::optional<behaviour::Form1Behaviour> behaviour_;
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
