// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// One window driven by user actions, with the model beside it: each action is performed on
// both, and the window is then checked against the model and against the rules that hold
// whatever the model says (Go enabled exactly when no field is empty, at most one yellow
// field and one banner, no marker after a change until the next Go, error boxes of the two
// known forms that fit on the screen). Also the seeded generator of random actions.
#pragma once

#include <cstdint>

#include <QtCore/QStringList>

#include "box_catcher.h"
#include "calc/input_checks.h"
#include "ui/tform1.h"
#include "window_model.h"

namespace abuse {

// A small generator of fixed definition (splitmix64), so that a seed replays the same actions
// with any compiler and standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) { }
    std::uint64_t next();
    int below(int n);  // 0 .. n-1
    bool percent(int p) { return below(100) < p; }

private:
    std::uint64_t state_;
};

QString RandomPasteText(Random& random);

// Random actions that make sense where the focus is: caret keys only while a field has the
// focus, never a key that would press Exit. Now and then a short phrase instead of a single
// action: a field's whole text replaced by an ordinary number, as a user retypes a value,
// so that many Go presses reach the results.
class RandomActions {
public:
    explicit RandomActions(std::uint64_t seed) : random_(seed) { }
    Action next(const WindowModel& model);

private:
    Action single(const WindowModel& model);
    QList<Action> pending_;
    Random random_;
};

// How many of the actions led where.
struct Tally {
    int actions = 0;
    int goPresses = 0;
    int results = 0;
    int inputErrors = 0;
    int rangeErrors = 0;
    int boxes = 0;
    int markers = 0;
    qsizetype longestField = 0;
};

// Whether `shown` stands for `expected` in an error box: the same text, or, for a long or
// many-line field text, the same message with the text cut in the middle at an ellipsis.
bool ShownAs(const QString& expected, const QString& shown);

class Session {
public:
    bool show();
    // Performs the action on the window and on the model; the problems found, or none.
    QStringList step(const Action& action);
    const WindowModel& model() const { return model_; }
    const Tally& tally() const { return tally_; }
    // The window as it was before the last action.
    const View& before() const { return before_; }
    QStringList unexpectedWindows() const { return catcher_.unexpected; }

private:
    void perform(const Action& action);
    View read() const;
    QStringList rules(const View& view, const QList<ShownBox>& boxes) const;

    BoxCatcher catcher_;
    calc::CalcState state_;
    ui::TForm1 form_{state_};
    WindowModel model_;
    View last_;
    View before_;
    bool changedSinceGo_ = false;
    int goClicks_ = 0;
    Tally tally_;
};

}  // namespace abuse

namespace abuse {

// The action as it can be performed where the model has the focus: a caret key outside a
// field, or Enter or Space on Exit, becomes Tab.
Action Fitted(const Action& action, const WindowModel& model);

// Performs the actions on a fresh window; the problems of the first action that shows any.
QStringList Replay(const QList<Action>& actions);

// A shorter sequence that still ends in the same kind of problem, found by leaving out ever
// smaller runs of actions for at most `seconds`.
QList<Action> Shrink(QList<Action> actions, int seconds);

}  // namespace abuse
