// What a screen reader gets from the window beyond Qt's own accessibility: labels that are
// announced when they appear (the banners and the warning markers).
#pragma once

class QLabel;

namespace ui {

// Makes the label a notification for assistive technologies: its name stays its text, its
// description says what it means, and showing it is what announces it (Qt reports every
// show; AT-SPI screen readers such as Orca speak a notification whose showing state turns on).
// Cheap: the interface itself is made only when a screen reader asks for the label.
void AnnounceWhenShown(QLabel& label);

}  // namespace ui
