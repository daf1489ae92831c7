// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window: the design command's inputs as fields, and its design, figures, plot,
// schematic and tolerance spread, recomputed on every change. A view over design::Report:
// the fields are read by the companion's parser, and the files are the companion's.
#pragma once

#include <array>
#include <functional>
#include <future>
#include <map>
#include <optional>
#include <set>

#include <QtCore/QTimer>
#include <QtWidgets/QMainWindow>

#include "design/report.h"
#include "designer/command_line.h"
#include "designer/exports.h"

class QAction;
class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QToolBar;
class QTreeWidget;
class QWidget;

namespace designer {

class BehaviourView;
class BodeView;
class HistogramView;
class SchematicView;
class ToleranceJob;

class DesignerWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit DesignerWindow(const design::Settings& inputs, QWidget* parent = nullptr);
    ~DesignerWindow() override;

    const design::Settings& inputs() const { return inputs_; }
    // The last design that read; nullopt before the first.
    const std::optional<design::Report>& report() const { return report_; }
    bool stale() const { return stale_; }
    std::optional<design::Setting> fieldInError() const { return fieldInError_; }
    QWidget* fieldWidget(design::Setting field) const;

    // Where a save action asks for the file: a file dialog, or a test's answer.
    void setAskFile(Exports::AskFile ask) { exports_->setAskFile(std::move(ask)); }
    // The program that opens the report in the browser (see Exports::setOpener).
    void setOpener(const QString& program) { exports_->setOpener(program); }
    // What the last save or open said (empty after a success), as the window shows it.
    QString lastProblem() const { return lastProblem_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

signals:
    // A design was shown (or the inputs stopped reading and the last one went stale).
    void recomputed();
    // The tolerance samples of the shown design are in.
    void toleranceShown();
    // The parts were announced to a screen reader (after 500 ms without a change).
    void partsAnnounced(const QString& text);

private:
    void buildInputs(QWidget* panel);
    void buildResults(QWidget* panel);
    void buildActions();
    void placeWindow();
    int resultsWidth() const;
    void showInputs();
    void takeInputs();
    void recompute();
    void showReport();
    void showFieldProblem(design::Setting setting, const QString& why);
    QString choiceText(design::Setting setting, int choice) const;
    void showHints();
    void enableDependentFields();
    void makeDefaultsReadable();
    void announceParts();
    void drawShownPlot();
    void startTolerance();
    // The report with its tolerance figures, drawn now if the job has not finished yet.
    design::Report completeReport() const;
    void sayProblem(const QString& problem);

    // The fields read, and their design (or why MakeReport refused it).
    struct Computed {
        std::variant<design::DesignInputs, design::SettingProblem> read;
        std::optional<design::Report> report;
        std::string failure;
    };
    static Computed Compute(const design::Settings& inputs);

    design::Settings inputs_;
    std::future<Computed> firstDesign_;
    std::optional<design::DesignInputs> options_;
    std::optional<design::Report> report_;
    bool stale_ = false;
    std::optional<design::Setting> fieldInError_;
    // The fields are being made or set from inputs_: no change to take.
    bool showing_ = true;

    // The fields, by setting (design::Setting), as the form's table makes them.
    std::array<QWidget*, design::SettingCount> fields_{};
    QLabel* chosenNote_ = nullptr;               // below the equal value: the value a move chose
    std::map<design::Setting, QLabel*> hints_;   // what a number field was read as
    std::map<design::Setting, QLabel*> labels_;  // each field's, that names it
    std::map<design::Setting, QAction*> marks_;  // in a number field that does not read

    QSplitter* splitter_ = nullptr;
    QScrollArea* inputsScroll_ = nullptr;
    QBoxLayout* inputColumns_ = nullptr;
    int twoColumnsWidth_ = 0;     // the inputs' width in two columns
    bool splitterMoved_ = false;  // by the user, now or when the window last closed
    QWidget* resultsPanel_ = nullptr;
    QToolBar* actions_ = nullptr;

    // The results.
    QLabel* staleNote_ = nullptr;
    QTableWidget* parts_ = nullptr;
    QTreeWidget* figures_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    BodeView* bode_ = nullptr;
    QWidget* behaviour_ = nullptr;  // the step and the delay
    BehaviourView* step_ = nullptr;
    BehaviourView* delay_ = nullptr;
    SchematicView* schematic_ = nullptr;
    HistogramView* histogram_ = nullptr;
    QLabel* message_ = nullptr;
    std::set<QWidget*> plotsBehind_;  // plots not yet drawn for the design shown
    QString lastProblem_;

    ToleranceJob* tolerance_ = nullptr;
    std::optional<design::ToleranceFigures> toleranceFigures_;
    QTimer announcement_;
    Exports* exports_ = nullptr;
};

}  // namespace designer
