// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// What a screen reader gets from the window beyond Qt's own accessibility: labels that are
// announced when they appear (the banners), labels that its review finds while they show (the
// warning markers), the results said once after Go, and input fields whose text a screen
// reader reads whole.
#pragma once

class QAbstractItemView;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

namespace ui {

// Makes the label a notification for assistive technologies: its name stays its text, its
// description says what it means, and showing it is what announces it (Qt reports every
// show; AT-SPI screen readers such as Orca speak a notification whose showing state turns on).
// Cheap: the interface itself is made only when a screen reader asks for the label.
void AnnounceWhenShown(QLabel& label);

// Lets a screen reader's review (Orca's flat review) find the label while it shows, without
// announcing it when it appears.
void ReviewWhenShown(QLabel& label);

// Has a screen reader say `text` once, now: an accessible notification of `window` that is
// no widget, so nothing is drawn and nothing takes the focus, turns showing with `text` as
// its name. Does nothing while no assistive technology listens.
void Announce(QWidget& window, const QString& text);

// Gives the input fields (ui::FieldEdit) a text interface whose attribute run spans their
// whole text: Qt's own reports an empty run, and Orca then drops the last character when it
// reads the field. Installed once; applies to fields made afterwards.
void ReadFieldsWhole();

// The same for one stock line edit.
void ReadWhole(QLineEdit& field);

// Tells a screen reader which cell is current each time the view gets the focus. Qt reports
// that cell before the view itself, so a screen reader hears the table, loses the cell, and
// reads the first arrow key's cell as a new row, whole and without its column's header.
void SayCurrentCellOnFocus(QAbstractItemView& view);

}  // namespace ui
