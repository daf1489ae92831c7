// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/designer_window.h"

#include <QtCore/QSettings>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QKeySequence>
#include <QtGui/QScreen>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

#include "design/outputs/markup.h"
#include "design/outputs/schematic_svg.h"
#include "design/quantity.h"
#include "design/validation.h"
#include "designer/figures.h"
#include "designer/form.h"
#include "designer/plots/behaviour_view.h"
#include "designer/plots/bode_view.h"
#include "designer/plots/histogram_view.h"
#include "designer/plots/shown_numbers.h"
#include "designer/plots/tolerance_job.h"
#include "designer/problem_words.h"
#include "designer/schematic_view.h"
#include "designer/settings.h"
#include "ui/accessibility.h"
#include "ui/readable_colour.h"

namespace designer {
namespace {

// The three equal parts, then the three computed ones.
constexpr int PartRows = 4;

QString FromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// A text of the form's table, in the window's language.
QString FormWords(const char* text)
{
    return QCoreApplication::translate(FormContext, text);
}

std::size_t CircuitIndex(design::Circuit circuit)
{
    return static_cast<std::size_t>(circuit);
}

// A screen reader is told of every description set: only a change is made.
void Describe(QWidget& widget, const QString& description)
{
    if (widget.accessibleDescription() != description)
        widget.setAccessibleDescription(description);
}

// Qt's screen reader bridge holds each key until the screen reader has seen it, then posts it
// again. A posted Alt press arms the menu bar's Alt key a second time: after Alt+letter has
// moved the focus, the Alt release that follows opens the menu bar and the field just reached
// loses the focus; after Alt alone opened the menu bar, it closes it. The press as it happened
// armed the menu bar, so its replay is dropped.
class ReplayedAltPress : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return event->type() == QEvent::KeyPress && !event->spontaneous() &&
               watched->isWindowType() && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt;
    }
};

}  // namespace

DesignerWindow::Computed DesignerWindow::Compute(const design::Settings& inputs)
{
    Computed computed{design::Read(inputs), std::nullopt, {}};
    if (const auto* o = std::get_if<design::DesignInputs>(&computed.read)) {
        try {
            computed.report = design::MakeReport(o->request, o->opamp, o->tolerance, o->noise,
                                                 design::Sampling::Later, o->attenuationAt);
        } catch (const std::exception& error) {
            computed.failure = error.what();
        }
    }
    return computed;
}

DesignerWindow::DesignerWindow(const design::Settings& inputs, QWidget* parent)
    : QMainWindow(parent), inputs_(inputs),
      // The first design is computed while the window is built: each takes some milliseconds.
      firstDesign_(std::async(std::launch::async, &DesignerWindow::Compute, inputs))
{
    setWindowTitle(tr("Butterworth Filter Designer"));
    QCoreApplication::instance()->installEventFilter(new ReplayedAltPress(this));
    auto* splitter = splitter_ = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("splitter"));
    auto* inputsPanel = new QWidget;
    auto* resultsPanel = resultsPanel_ = new QWidget;
    buildInputs(inputsPanel);
    buildResults(resultsPanel);
    auto* inputsScroll = inputsScroll_ = new QScrollArea;
    inputsScroll->setWidget(inputsPanel);
    inputsScroll->setWidgetResizable(true);
    inputsScroll->setFrameShape(QFrame::NoFrame);
    inputsScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The focus goes to the fields, which the area scrolls into view; the area itself is no
    // stop on the way.
    inputsScroll->setFocusPolicy(Qt::NoFocus);
    // Two columns of groups where there is room, else one that scrolls: the results keep the
    // width they need on a small screen.
    const int scrollBar = inputsScroll->verticalScrollBar()->sizeHint().width();
    twoColumnsWidth_ = inputsPanel->sizeHint().width() + scrollBar;
    inputColumns_->setDirection(QBoxLayout::TopToBottom);
    inputsScroll->setMinimumWidth(inputsPanel->minimumSizeHint().width() + scrollBar);
    inputsScroll->viewport()->installEventFilter(this);
    splitter->installEventFilter(this);
    connect(splitter, &QSplitter::splitterMoved, this, [this] { splitterMoved_ = true; });
    splitter->addWidget(inputsScroll);
    splitter->addWidget(resultsPanel);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    // A small screen scrolls the whole window rather than cutting anything off.
    auto* outer = new QScrollArea;
    outer->setWidget(splitter);
    outer->setWidgetResizable(true);
    outer->setFrameShape(QFrame::NoFrame);
    outer->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(outer);
    buildActions();

    tolerance_ = new ToleranceJob(this);
    connect(tolerance_, &ToleranceJob::progress, histogram_, &HistogramView::setProgress);
    connect(tolerance_, &ToleranceJob::finished, this,
            [this](const std::vector<double>& errors, const design::ToleranceFigures& figures) {
                toleranceFigures_ = figures;
                if (report_)
                    report_->tolerance = figures;
                histogram_->setSamples(errors, figures);
                Figures::Show(*figures_, *report_);
                emit toleranceShown();
            });
    connect(tolerance_, &ToleranceJob::failed, this, &DesignerWindow::sayProblem);

    // After the first frame: reports left by earlier runs, a day old.
    QTimer::singleShot(0, this, &Exports::removeOldReports);

    announcement_.setSingleShot(true);
    announcement_.setInterval(500);
    connect(&announcement_, &QTimer::timeout, this, &DesignerWindow::announceParts);

    makeDefaultsReadable();
    showInputs();
    recompute();
    placeWindow();  // for the figures as they are
}

DesignerWindow::~DesignerWindow() = default;

bool DesignerWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parts_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        staleNote_->setGeometry(parts_->geometry());
    if (event->type() == QEvent::Resize && watched == inputsScroll_->viewport()) {
        const int width = static_cast<QResizeEvent*>(event)->size().width() +
                          inputsScroll_->verticalScrollBar()->sizeHint().width();
        const auto direction =
            width >= twoColumnsWidth_ ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
        if (inputColumns_->direction() != direction)
            inputColumns_->setDirection(direction);
    }
    if (event->type() == QEvent::Resize && watched == splitter_ && !splitterMoved_) {
        // Until the user moves the splitter: the inputs in two columns where the results keep
        // the width they ask for.
        const int total =
            static_cast<QResizeEvent*>(event)->size().width() - splitter_->handleWidth();
        const int inputs = total - twoColumnsWidth_ >= resultsWidth()
                               ? twoColumnsWidth_
                               : inputsScroll_->minimumWidth();
        splitter_->setSizes({inputs, total - inputs});
    }
    return QMainWindow::eventFilter(watched, event);
}

// The width the results read well in: every column of the parts, the figures and their
// values, every tab's title.
int DesignerWindow::resultsWidth() const
{
    return std::max(resultsPanel_->minimumSizeHint().width(),
                    80 * resultsPanel_->fontMetrics().averageCharWidth());
}

// The window as it last closed, within the screen it opens on; at first, the inputs beside the
// results at the size they ask for, or the whole screen where that does not fit.
void DesignerWindow::placeWindow()
{
    const WindowPlace kept = KeptWindowPlace();
    if (!kept.splitter.isEmpty())
        splitterMoved_ = splitter_->restoreState(kept.splitter);
    if (!kept.geometry.isEmpty() && restoreGeometry(kept.geometry))
        return;
    const QRect available = screen()->availableGeometry();
    // Room for a window manager's frame: a title bar and thin borders.
    const QSize room = available.size() - QSize(16, 48);
    const int chrome = menuBar()->sizeHint().height() + actions_->sizeHint().height();
    // The figures' longest value whole, where the screen has room for it, beside the scroll
    // bar that the list has once its rows outgrow the window's height.
    const int beside = figures_->header()->sectionSize(0) +
                       4 * figures_->fontMetrics().averageCharWidth() +
                       figures_->verticalScrollBar()->sizeHint().width();
    int longest = 0;
    for (QTreeWidgetItemIterator it(figures_); *it; ++it)
        longest = std::max(longest, figures_->fontMetrics().horizontalAdvance((*it)->text(1)));
    const int figures = beside + longest;
    const QSize results(std::max(resultsWidth(), figures), resultsPanel_->sizeHint().height());
    const int inputsHeight = inputsScroll_->widget()->sizeHint().height();
    const int inputsWidth = room.width() - twoColumnsWidth_ >= results.width()
                                ? twoColumnsWidth_
                                : inputsScroll_->minimumWidth();
    const QSize wanted(inputsWidth + splitter_->handleWidth() + results.width(),
                       std::max(inputsHeight, results.height()) + chrome);
    if (wanted.width() > room.width() || wanted.height() > room.height()) {
        resize(room);
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    resize(wanted);
    move(available.center() - QPoint(wanted.width() / 2, (wanted.height() + 32) / 2));
}

void DesignerWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        makeDefaultsReadable();
}

// The defaults that empty fields show, readable on the field's ground of any scheme. A scheme
// without a colour of its own for them leaves Qt's half-transparent black: 3.9:1 on white,
// 1.15:1 on a dark ground.
void DesignerWindow::makeDefaultsReadable()
{
    const QColor shown = palette().color(QPalette::PlaceholderText);
    // The fields share their grounds: each shade is found once, not once a field.
    std::map<QRgb, QColor> shades;
    const auto shadeOn = [&](const QColor& base) {
        auto [shade, fresh] = shades.try_emplace(base.rgba());
        if (fresh)
            shade->second = ui::ReadableShade(ui::AsDrawn(shown, base), base);
        return shade->second;
    };
    for (QWidget* field : fields_) {
        auto* edit = qobject_cast<QLineEdit*>(field);
        if (!edit)
            continue;
        QPalette colours = edit->palette();
        // A field that is off still says what it would take (Steps either side: 2).
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            colours.setColor(group, QPalette::PlaceholderText,
                             shadeOn(colours.color(group, QPalette::Base)));
        edit->setPalette(colours);
    }
}

void DesignerWindow::closeEvent(QCloseEvent* event)
{
    KeepWindowPlace({saveGeometry(), splitterMoved_ ? splitter_->saveState() : QByteArray()});
    QMainWindow::closeEvent(event);
}

void DesignerWindow::buildInputs(QWidget* panel)
{
    // Two columns of groups, read top to bottom, then left to right: all the fields fit a
    // laptop's screen without scrolling. The fields are made in the table's order, which
    // is the order of Tab.
    auto* columns = inputColumns_ = new QBoxLayout(QBoxLayout::LeftToRight, panel);
    QVBoxLayout* column = nullptr;
    std::map<Group, QFormLayout*> forms;
    for (const GroupRow& group : FormGroups()) {
        if (group.startsColumn) {
            if (column)
                column->addStretch(1);
            column = new QVBoxLayout;
            columns->addLayout(column);
        }
        auto* box = new QGroupBox(FormWords(group.title));
        auto* form = forms[group.group] = new QFormLayout(box);
        form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        column->addWidget(box);
    }
    column->addStretch(1);

    for (const FieldRow& row : FormRows()) {
        QWidget* field = nullptr;
        if (row.items.empty()) {
            auto* edit = new QLineEdit;
            ui::ReadWhole(*edit);
            if (row.shown)
                edit->setPlaceholderText(FormWords(row.shown));
            connect(edit, &QLineEdit::textChanged, this, &DesignerWindow::takeInputs);
            field = edit;
        } else {
            auto* box = new QComboBox;
            for (const Item& item : row.items)
                box->addItem(item.translated ? FormWords(item.text.c_str())
                                             : QString::fromStdString(item.text),
                             item.choice);
            connect(box, &QComboBox::currentIndexChanged, this, &DesignerWindow::takeInputs);
            field = box;
        }
        fields_[std::size_t(row.setting)] = field;
        auto* label = labels_[row.setting] = new QLabel(FormWords(row.label[0]));
        label->setBuddy(field);
        // A layout, not a widget: the field stays the label's sibling, where Qt looks for the
        // label that names it to a screen reader.
        auto* lines = new QVBoxLayout;
        auto* top = new QHBoxLayout;
        top->addWidget(field, 1);
        if (row.items.empty()) {
            // Beside every number field, so that their columns align; empty without a hint.
            auto* hint = hints_[row.setting] = new QLabel;
            hint->setMinimumWidth(
                hint->fontMetrics().horizontalAdvance(QStringLiteral("999.999 kHz")));
            top->addWidget(hint);
        }
        lines->addLayout(top);
        if (row.setting == design::Setting::Value) {
            // The value a moved R or C was chosen as: the one to build, not the one typed.
            chosenNote_ = new QLabel;
            chosenNote_->setVisible(false);
            lines->addWidget(chosenNote_);
        }
        forms.at(row.group)->addRow(label, lines);
    }
}

void DesignerWindow::buildResults(QWidget* panel)
{
    auto* column = new QVBoxLayout(panel);
    parts_ = new QTableWidget(PartRows, 4);
    parts_->setAccessibleName(tr("Parts"));
    parts_->setHorizontalHeaderLabels({tr("Part"), tr("Ideal"), tr("Chosen"), tr("Error")});
    parts_->verticalHeader()->setVisible(false);
    parts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    parts_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    parts_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Its rows, no more room: the plots below get the rest.
    parts_->setFixedHeight(parts_->horizontalHeader()->sizeHint().height() +
                           PartRows * parts_->verticalHeader()->defaultSectionSize() +
                           2 * parts_->frameWidth());
    parts_->setTabKeyNavigation(false);
    ui::SayCurrentCellOnFocus(*parts_);
    auto* partsLabel = new QLabel(tr("&Parts"));
    partsLabel->setBuddy(parts_);
    column->addWidget(partsLabel);
    column->addWidget(parts_);
    // Why the results are not recomputed, over the parts it leaves greyed: shown and gone
    // again, it moves nothing.
    staleNote_ = new QLabel(panel);
    staleNote_->setObjectName(QStringLiteral("staleNote"));
    staleNote_->setWordWrap(true);
    staleNote_->setAlignment(Qt::AlignCenter);
    staleNote_->setMargin(staleNote_->fontMetrics().averageCharWidth());
    staleNote_->setAutoFillBackground(true);
    staleNote_->setBackgroundRole(QPalette::ToolTipBase);
    staleNote_->setForegroundRole(QPalette::ToolTipText);
    staleNote_->setVisible(false);
    parts_->installEventFilter(this);

    tabs_ = new QTabWidget;
    tabs_->setUsesScrollButtons(false);  // every tab's title whole, and no buttons to tab through
    figures_ = new QTreeWidget;
    figures_->setAccessibleName(tr("Figures"));
    figures_->setHeaderLabels({tr("Figure"), tr("Value")});
    figures_->setRootIsDecorated(false);
    figures_->setUniformRowHeights(true);  // no row measured on its own
    // A fixed first column: measuring every row's text again on each key would cost more
    // than the design itself.
    figures_->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    // The longest name, below its group's title: indented.
    figures_->header()->resizeSection(
        0, figures_->indentation() +
               figures_->fontMetrics().horizontalAdvance(tr("GBW for 0.1 dB more shape error")) +
               4 * figures_->fontMetrics().averageCharWidth());
    tabs_->addTab(figures_, tr("Fig&ures"));
    bode_ = new BodeView;
    tabs_->addTab(bode_, tr("&Bode plot"));
    // The step above the delay, as the report has them side by side: one tab, so that every
    // tab's title stays in view beside the inputs.
    behaviour_ = new QWidget;
    auto* behaviourColumn = new QVBoxLayout(behaviour_);
    behaviourColumn->setContentsMargins(0, 0, 0, 0);
    step_ = new BehaviourView(BehaviourView::Kind::Step);
    delay_ = new BehaviourView(BehaviourView::Kind::GroupDelay);
    behaviourColumn->addWidget(step_, 1);
    behaviourColumn->addWidget(delay_, 1);
    tabs_->addTab(behaviour_, tr("Step and delay"));
    schematic_ = new SchematicView;
    schematic_->setAccessibleName(tr("Schematic"));
    tabs_->addTab(schematic_, tr("Sc&hematic"));
    connect(tabs_, &QTabWidget::currentChanged, this, &DesignerWindow::drawShownPlot);
    histogram_ = new HistogramView;
    tabs_->addTab(histogram_, tr("To&lerance spread"));
    column->addWidget(tabs_, 1);

    message_ = new QLabel;
    message_->setWordWrap(true);
    message_->setVisible(false);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui::ReviewWhenShown(*message_);
    column->addWidget(message_);
}

void DesignerWindow::buildActions()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QToolBar* bar = actions_ = addToolBar(tr("Actions"));
    bar->setObjectName(QStringLiteral("actions"));
    bar->setMovable(false);
    exports_ = new Exports(this, [this] {
        return Exports::Shown{report_ ? &*report_ : nullptr, [this] { return completeReport(); },
                              &inputs_};
    });
    connect(exports_, &Exports::done, this, [this](const QString& text) {
        lastProblem_.clear();
        message_->setText(text);
        message_->setVisible(true);
    });
    connect(exports_, &Exports::failed, this, &DesignerWindow::sayProblem);
    const auto action = [this, bar](QMenu* menu, const QString& text, const QKeySequence& keys,
                                    void (Exports::*slot)()) {
        QAction* a = menu->addAction(text, exports_, slot);
        a->setShortcut(keys);
        bar->addAction(a);
        return a;
    };
    action(file, tr("Save &netlist…"), QKeySequence(tr("Ctrl+Shift+N")), &Exports::saveNetlist);
    action(file, tr("Save p&lot…"), QKeySequence(tr("Ctrl+Shift+P")), &Exports::savePlot);
    action(file, tr("&Save report…"), QKeySequence::Save, &Exports::saveReport);
    action(file, tr("&Open report"), QKeySequence(tr("Ctrl+R")), &Exports::openReport);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    action(edit, tr("Copy &parts"), QKeySequence(tr("Ctrl+Shift+C")), &Exports::copyParts);
    action(edit, tr("Copy &command line"), QKeySequence(tr("Ctrl+L")), &Exports::copyCommandLine);
}

QWidget* DesignerWindow::fieldWidget(design::Setting field) const
{
    return fields_[std::size_t(field)];
}

// The fields from inputs_, without taking them back as a change.
void DesignerWindow::showInputs()
{
    showing_ = true;
    const std::size_t circuit = CircuitIndex(inputs_.circuit);
    for (const FieldRow& row : FormRows()) {
        QWidget* field = fieldWidget(row.setting);
        if (const std::string* text = design::TextOf(inputs_, row.setting)) {
            static_cast<QLineEdit*>(field)->setText(QString::fromStdString(*text));
        } else {
            auto* box = static_cast<QComboBox*>(field);
            box->setCurrentIndex(box->findData(design::ChoiceOf(inputs_, row.setting)));
        }
        labels_.at(row.setting)->setText(FormWords(row.label[circuit]));
    }
    showing_ = false;
}

// The fields into inputs_; the circuit's change brings that circuit's own value.
void DesignerWindow::takeInputs()
{
    if (showing_)
        return;
    const auto choice = [this](design::Setting setting) {
        return static_cast<QComboBox*>(fieldWidget(setting))->currentData().toInt();
    };
    if (const int circuit = choice(design::Setting::Circuit);
        circuit != design::ChoiceOf(inputs_, design::Setting::Circuit)) {
        design::SetChoice(inputs_, design::Setting::Circuit, circuit);
        showInputs();
    }
    for (const FieldRow& row : FormRows()) {
        if (std::string* text = design::TextOf(inputs_, row.setting))
            *text = static_cast<QLineEdit*>(fieldWidget(row.setting))->text().toStdString();
        else
            design::SetChoice(inputs_, row.setting, choice(row.setting));
    }
    recompute();
}

void DesignerWindow::showHints()
{
    const std::size_t circuit = CircuitIndex(inputs_.circuit);
    for (const FieldRow& row : FormRows()) {
        if (!row.hint)
            continue;
        const Hint& hint = (*row.hint)[circuit];
        const std::string& text = *design::TextOf(inputs_, row.setting);
        // Every field takes a decimal comma, as the settings are read.
        const std::optional<double> value =
            text.empty() ? std::nullopt : design::ReadQuantity(text, hint.unit, true);
        hints_.at(row.setting)->setText(value ? ShownQuantity(*value, hint.symbol) : QString());
    }
}

// Fields that mean something only with another: a response, a standard series, a
// tolerance. A field that is off is not applied.
void DesignerWindow::enableDependentFields()
{
    for (int setting = 0; setting < design::SettingCount; ++setting)
        fieldWidget(design::Setting(setting))
            ->setEnabled(design::Applies(design::Setting(setting), inputs_));
    // An empty end of the band is the one it shows.
    const bool upperEdge = inputs_.circuit == design::Circuit::HighPass && inputs_.HasOpAmp();
    static_cast<QLineEdit*>(fieldWidget(design::Setting::BandTo))
        ->setPlaceholderText(upperEdge ? tr("upper edge")
                                       : FormWords(FormRows()[int(design::Setting::BandTo)].shown));
}

void DesignerWindow::recompute()
{
    announcement_.stop();
    // The samples being drawn are of a design no longer shown: their progress goes too.
    if (tolerance_->isBusy())
        histogram_->clear();
    tolerance_->cancel();
    // What the last save said was of another design.
    message_->setVisible(false);
    lastProblem_.clear();
    showHints();
    enableDependentFields();
    for (auto& [field, mark] : marks_)
        mark->setVisible(false);
    for (QWidget* field : fields_)
        Describe(*field, {});
    Computed computed = firstDesign_.valid() ? firstDesign_.get() : Compute(inputs_);
    if (const auto* problem = std::get_if<design::SettingProblem>(&computed.read)) {
        showFieldProblem(problem->setting, ProblemWords::Of(*problem));
        emit recomputed();
        return;
    }
    if (!computed.report) {
        // Read() refuses what MakeReport would: this is a fault of the program, said in place.
        showFieldProblem(design::Setting::Frequency, QString::fromStdString(computed.failure));
        emit recomputed();
        return;
    }
    fieldInError_.reset();
    options_ = std::get<design::DesignInputs>(computed.read);
    const design::DesignInputs& o = *options_;
    report_ = std::move(computed.report);
    stale_ = false;
    toleranceFigures_.reset();
    SaveLastDesign(inputs_);
    showReport();
    if (o.tolerance)
        startTolerance();
    else
        histogram_->clear();
    announcement_.start();
    emit recomputed();
}

void DesignerWindow::showFieldProblem(design::Setting setting, const QString& why)
{
    fieldInError_ = setting;
    QWidget* field = fieldWidget(setting);
    Describe(*field, why);
    // The field is marked; the note over the parts says which and why.
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        QAction*& mark = marks_[setting];
        if (!mark)  // made when first needed: an icon costs start-up time
            mark = edit->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                   QLineEdit::TrailingPosition);
        mark->setToolTip(why);
        mark->setVisible(true);
    }
    const QString name = labels_.at(setting)->text().remove(u'&');
    stale_ = report_.has_value();
    staleNote_->setText(
        stale_ ? tr("Not recomputed, %1: %2. The results are the last design that read.")
                     .arg(name, why)
               : tr("%1: %2.").arg(name, why));
    staleNote_->setGeometry(parts_->geometry());
    staleNote_->raise();
    staleNote_->setVisible(true);
    for (BehaviourView* view : {step_, delay_})
        view->setStale(stale_);
    bode_->setStale(stale_);
    histogram_->setStale(stale_);
    parts_->setEnabled(!stale_);
    figures_->setEnabled(!stale_);
    chosenNote_->setEnabled(!stale_);  // of the design on show, greyed with it
    // An impractical part's own colour would stay bright in a greyed table: the next design
    // shown colours its parts anew.
    if (stale_)
        for (int row = 0; row < parts_->rowCount(); ++row)
            for (int column = 0; column < parts_->columnCount(); ++column)
                if (QTableWidgetItem* item = parts_->item(row, column))
                    item->setData(Qt::ForegroundRole, QVariant());
}

QString DesignerWindow::choiceText(design::Setting setting, int choice) const
{
    const auto* box = static_cast<const QComboBox*>(fieldWidget(setting));
    return box->itemText(box->findData(choice));
}

void DesignerWindow::showReport()
{
    const design::Report& report = *report_;
    const design::Request& request = report.design.request;
    // The title names the design on show: a Chebyshev filter is no Butterworth one.
    setWindowTitle(tr("%1 — %2, %3", "the program, the circuit, the response")
                       .arg(tr("Butterworth Filter Designer"),
                            choiceText(design::Setting::Circuit, int(request.circuit)),
                            choiceText(design::Setting::Response, int(request.response))));
    staleNote_->setVisible(false);
    parts_->setEnabled(true);
    figures_->setEnabled(true);
    chosenNote_->setEnabled(true);

    parts_->setHorizontalHeaderItem(
        2,
        new QTableWidgetItem(
            request.series ? tr("Chosen %1").arg(QString::fromLatin1(design::Id(*request.series)))
                           : tr("Chosen")));
    parts_->setColumnHidden(2, !request.series);
    parts_->setColumnHidden(3, !request.series);
    // The scheme's link colour, in a shade readable on the table's own ground: Qt's default
    // link blue is unreadable on a dark one.
    const QColor warning = ui::ReadableShade(parts_->palette().color(QPalette::Link),
                                             parts_->palette().color(QPalette::Base));
    const std::vector<PartRow> rows = Figures::PartRows(report);
    parts_->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const PartRow& part = rows[std::size_t(i)];
        const auto cell = [&](int column, const QString& text, const QVariant& value) {
            auto* item = new QTableWidgetItem(text);
            item->setData(Qt::UserRole, value);
            if (part.impractical) {
                item->setForeground(warning);
                item->setToolTip(tr("Impractical: hard to build with this value"));
            }
            parts_->setItem(i, column, item);
        };
        cell(0, part.name + (part.impractical ? tr(" (impractical)") : ""), {});
        cell(1, ShownQuantity(part.ideal, part.unit), part.ideal);
        cell(2, Figures::ChosenText(part), part.chosen);
        cell(3, part.error ? FromUtf8(design::outputs::SignedPercent(*part.error)) : QString(),
             part.error ? QVariant(*part.error) : QVariant());
    }
    const PartRow& equal = rows.front();
    const bool moved = !equal.chosenFrom.isEmpty();
    chosenNote_->setText(tr("chosen: %1").arg(Figures::ChosenText(equal)));
    chosenNote_->setVisible(moved);
    Describe(*fieldWidget(design::Setting::Value), moved ? chosenNote_->text() : QString());
    Figures::Show(*figures_, report);
    for (BehaviourView* view : {step_, delay_})
        view->setStale(false);
    bode_->setStale(false);
    histogram_->setStale(false);
    Describe(*schematic_, Figures::PartsSentence(report));
    plotsBehind_ = {bode_, behaviour_, schematic_};
    drawShownPlot();
}

// The plots and the schematic are drawn for the design when their tab is on show: a
// key typed with the figures in view, and the first frame, wait for neither.
void DesignerWindow::drawShownPlot()
{
    QWidget* shown = tabs_->currentWidget();
    if (!report_ || !plotsBehind_.erase(shown))
        return;
    if (shown == bode_)
        bode_->setReport(*report_);
    else if (shown == behaviour_) {
        step_->setReport(*report_);
        delay_->setReport(*report_);
        // A high-pass passes no band from DC: the step alone.
        delay_->setVisible(delay_->panel() != nullptr);
    } else if (shown == schematic_)
        schematic_->setDrawing(QByteArray::fromStdString(design::outputs::SchematicSvg(*report_)));
}

void DesignerWindow::startTolerance()
{
    const design::Report& report = *report_;
    histogram_->clear();
    tolerance_->start(report.design.request.circuit, report.design.request.frequency,
                      report.design.parts, *report.toleranceRequest);
}

void DesignerWindow::announceParts()
{
    if (!report_ || stale_)
        return;
    const QString text = Figures::PartsSentence(*report_);
    ui::Announce(*this, text);
    emit partsAnnounced(text);
}

design::Report DesignerWindow::completeReport() const
{
    design::Report report = *report_;
    if (report.toleranceRequest && !report.tolerance) {
        const design::Design& d = report.design;
        report.tolerance = design::MonteCarlo(d.request.circuit, d.request.frequency, d.parts,
                                              *report.toleranceRequest);
    }
    return report;
}

void DesignerWindow::sayProblem(const QString& problem)
{
    lastProblem_ = problem;
    message_->setText(problem);
    message_->setVisible(true);
    ui::Announce(*this, problem);
}

}  // namespace designer
