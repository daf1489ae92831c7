// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The designer window offscreen, from outside: typed fields give the companion's design bit
// for bit, a field that does not read leaves the last design shown, the files are the
// companion's and a failed save loses nothing, and the copied command line gives the same
// parts when run.
#include <algorithm>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QClipboard>
#include <QtTest/QtTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QTreeWidget>
#include <nlohmann/json.hpp>

#include "cli/design_command.h"
#include "design/settings_arguments.h"
#include "designer/designer_window.h"
#include "designer/figures.h"
#include "designer/plots/behaviour_view.h"
#include "designer/plots/bode_view.h"
#include "designer/plots/histogram_view.h"
#include "designer/plots/shown_numbers.h"
#include "designer/settings.h"

using design::Setting;
using designer::DesignerWindow;

Q_DECLARE_METATYPE(design::Setting)

namespace {

// $XDG_RUNTIME_DIR for the life of a test.
class RuntimeFolder {
public:
    explicit RuntimeFolder(const QString& path) : old_(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
    }
    ~RuntimeFolder() { qputenv("XDG_RUNTIME_DIR", old_); }

private:
    QByteArray old_;
};

// What the companion prints for `args` (after "design"), standard output only.
std::string Companion(const std::vector<std::string>& args, int expectedExit = 0)
{
    std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    const int exit = cli::RunDesignCommand(views, out, err);
    if (exit != expectedExit)
        qWarning("design command exit %d: %s", exit, err.str().c_str());
    return out.str();
}

// An edit typed into as a user types: the old text selected and replaced.
void Type(DesignerWindow& window, design::Setting field, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(window.fieldWidget(field));
    QVERIFY2(edit, "a text field");
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

void Choose(DesignerWindow& window, design::Setting field, const QString& item)
{
    auto* box = qobject_cast<QComboBox*>(window.fieldWidget(field));
    QVERIFY2(box, "a choice");
    const int index = box->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    box->setCurrentIndex(index);
}

QTableWidget* PartsTable(DesignerWindow& window)
{
    return window.findChild<QTableWidget*>();
}

}  // namespace

class TestDesignerWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("butterworth3-tests"));
    }

    void typedFieldsGiveTheCompanionsParts_data()
    {
        QTest::addColumn<QStringList>("typed");  // field=text or field:item pairs
        QTest::addColumn<QStringList>("args");
        QTest::newRow("first design") << QStringList{} << QStringList{"lowpass", "100", "33k"};
        QTest::newRow("comma and series")
            << QStringList{"frequency=2,5k", "value=4k7", "series:E24"}
            << QStringList{"lowpass", "2.5k", "4k7", "--series", "E24"};
        QTest::newRow("moving value and op-amp")
            << QStringList{"series:E96", "move:E24", "steps=3", "gbw=1Meg"}
            << QStringList{"lowpass",      "100",   "33k",     "--series", "E96",
                           "--move-value", "E24:3", "--opamp", "1Meg"};
        QTest::newRow("high-pass Chebyshev edge")
            << QStringList{"circuit:High-pass", "response:Chebyshev 1 dB",
                           "frequency is:The ripple band's edge", "frequency=1k", "series:E12"}
            << QStringList{"highpass",     "1k",       "10n", "--response",
                           "chebyshev-1",  "--series", "E12", "--frequency-is",
                           "passband-edge"};
        QTest::newRow("gains at two frequencies")
            << QStringList{"at=50; 24k", "gbw=1Meg"}
            << QStringList{"lowpass", "100", "33k", "--opamp", "1Meg", "--at", "50", "--at", "24k"};
        QTest::newRow("Bessel with an impractical part")
            << QStringList{"response:Bessel", "frequency=1", "value=1k"}
            << QStringList{"lowpass", "1", "1k", "--response", "bessel"};
    }

    void typedFieldsGiveTheCompanionsParts()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, args);
        DesignerWindow window{design::Settings{}};
        window.show();
        const std::map<QString, design::Setting> fields = {
            {"frequency", design::Setting::Frequency},
            {"value", design::Setting::Value},
            {"series", design::Setting::Series},
            {"move", design::Setting::MoveSeries},
            {"steps", design::Setting::MoveSteps},
            {"gbw", design::Setting::Gbw},
            {"circuit", design::Setting::Circuit},
            {"response", design::Setting::Response},
            {"frequency is", design::Setting::FrequencyIs},
            {"at", design::Setting::AttenuationAt},
        };
        for (const QString& entry : typed) {
            const qsizetype equals = entry.indexOf('=');
            if (equals > 0)
                Type(window, fields.at(entry.left(equals)), entry.mid(equals + 1));
            else
                Choose(window, fields.at(entry.section(':', 0, 0)), entry.section(':', 1));
        }
        QVERIFY2(!window.fieldInError(), "every field reads");

        std::vector<std::string> companionArgs;
        for (const QString& arg : args)
            companionArgs.push_back(arg.toStdString());
        const std::vector<std::string> typedArgs = design::ArgumentsOf(window.inputs());
        QCOMPARE(QString::fromStdString(designer::CommandLineOf(window.inputs())),
                 QString::fromStdString(cli::CommandLineOf(
                     std::vector<std::string_view>(companionArgs.begin(), companionArgs.end()))));
        companionArgs.push_back("--json");
        const nlohmann::json json = nlohmann::json::parse(Companion(companionArgs));
        QTableWidget* parts = PartsTable(window);
        QVERIFY(parts);
        QCOMPARE(parts->rowCount(), 4);
        const bool series = json["parts"][0].contains("chosen");
        const bool moved = json.contains("value_chosen");
        // The three equal parts first: as given, and as chosen when the value moved.
        QCOMPARE(
            parts->item(0, 0)->text(),
            QString::fromStdString(json["circuit"] == "lowpass" ? "Ra, Rb, Rc" : "Ca, Cb, Cc"));
        QCOMPARE(parts->item(0, 1)->data(Qt::UserRole).toDouble(), json["value"].get<double>());
        QCOMPARE(parts->item(0, 2)->data(Qt::UserRole).toDouble(),
                 json[moved ? "value_chosen" : "value"].get<double>());
        QCOMPARE(parts->item(0, 3)->data(Qt::UserRole).isValid(), moved);
        for (int row = 1; row < 4; ++row) {
            const nlohmann::json& part = json["parts"][std::size_t(row - 1)];
            QCOMPARE(parts->item(row, 0)->text().startsWith(
                         QString::fromStdString(part["name"].get<std::string>())),
                     true);
            // The same doubles, not only the same digits.
            QCOMPARE(parts->item(row, 1)->data(Qt::UserRole).toDouble(),
                     part["ideal"].get<double>());
            if (series) {
                QCOMPARE(parts->item(row, 2)->data(Qt::UserRole).toDouble(),
                         part["chosen"].get<double>());
                QCOMPARE(parts->item(row, 3)->data(Qt::UserRole).toDouble(),
                         part["error"].get<double>());
            }
            QCOMPARE(parts->item(row, 0)->text().contains(QStringLiteral("impractical")),
                     part["impractical"].get<bool>());
        }
        QCOMPARE(parts->isColumnHidden(2), !series);
        // The gains asked for head the figures, three to a frequency with an op-amp.
        if (json.contains("gain_at")) {
            const QTreeWidgetItem* gains = window.findChild<QTreeWidget*>()->topLevelItem(0);
            QCOMPARE(gains->childCount(), 3 * int(json["gain_at"].size()));
            int row = 0;
            for (const nlohmann::json& gain : json["gain_at"])
                for (const char* key : {"target_db", "circuit_db", "opamp_db"})
                    QCOMPARE(gains->child(row++)->text(1),
                             designer::ShownDecimal(gain[key].get<double>(), 3) + " dB");
        }
    }

    // What a user builds from, wherever it is read: a moved R or C as chosen, beside the
    // value typed, and the same parts everywhere.
    void aMovedValueIsShownWhereverPartsAreRead_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("chosen");  // the moved value, as the window writes it
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a moved R")
            << QStringList{"lowpass", "1k", "10k", "--series", "E192", "--move-value", "E24"}
            << QStringLiteral("8.2 kΩ (E24)")
            << QStringLiteral("Ra, Rb, Rc each 8.2 kΩ, C1 26.7 nF, C2 68.1 nF, C3 3.97 nF");
        QTest::newRow("a moved C")
            << QStringList{"highpass", "50", "100n", "--series", "E12", "--move-value", "E6:2"}
            << QStringLiteral("150 nF (E6)")
            << QStringLiteral("Ca, Cb, Cc each 150 nF, R1 15 kΩ, R2 6.8 kΩ, R3 100 kΩ");
        QTest::newRow("a fixed value")
            << QStringList{"lowpass", "100", "33k", "--series", "E24"} << QString()
            << QStringLiteral("Ra, Rb, Rc each 33 kΩ, C1 68 nF, C2 160 nF, C3 10 nF");
    }

    void aMovedValueIsShownWhereverPartsAreRead()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, chosen);
        QFETCH(QString, sentence);
        std::vector<std::string> strings;
        for (const QString& arg : args)
            strings.push_back(arg.toStdString());
        const std::vector<std::string_view> views(strings.begin(), strings.end());
        auto read = designer::ReadProgramArguments(views);
        QVERIFY(std::holds_alternative<design::Settings>(read));
        DesignerWindow window{std::get<design::Settings>(read)};
        window.show();
        QTableWidget* parts = PartsTable(window);
        QCOMPARE(parts->item(0, 2)->text(), chosen.isEmpty() ? parts->item(0, 1)->text() : chosen);
        QCOMPARE(designer::Figures::PartsSentence(*window.report()), sentence);
        QWidget* schematic = nullptr;
        for (QWidget* widget : window.findChildren<QWidget*>())
            if (widget->accessibleName() == QStringLiteral("Schematic"))
                schematic = widget;
        QVERIFY(schematic);
        QCOMPARE(schematic->accessibleDescription(), sentence);

        // Beside the field, which keeps what was typed.
        QWidget* value = window.fieldWidget(design::Setting::Value);
        QCOMPARE(value->accessibleDescription(),
                 chosen.isEmpty() ? QString() : QStringLiteral("chosen: ") + chosen);

        for (QAction* a : window.findChildren<QAction*>())
            if (a->text().remove('&') == QStringLiteral("Copy parts"))
                a->trigger();
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 6);  // a header, four rows and the end of the last line
        QVERIFY2(lines[1].startsWith(parts->item(0, 0)->text()) &&
                     lines[1].contains(parts->item(0, 2)->text()),
                 qPrintable(lines[1]));
        const auto* tree = window.findChild<QTreeWidget*>();
        QStringList figures;
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
            figures << (*it)->text(0) + QStringLiteral(": ") + (*it)->text(1);
        QCOMPARE(figures.filter(QStringLiteral(" chosen from ")).size(), chosen.isEmpty() ? 0 : 1);
    }

    void aFieldThatDoesNotReadKeepsTheLastDesign()
    {
        DesignerWindow window{design::Settings{}};
        window.show();
        QTableWidget* parts = PartsTable(window);
        const QString before = parts->item(1, 1)->text();
        Type(window, design::Setting::Frequency, QStringLiteral("x1k"));
        QCOMPARE(window.fieldInError(), std::optional<design::Setting>(design::Setting::Frequency));
        QVERIFY(window.stale());
        QCOMPARE(parts->item(1, 1)->text(), before);
        QVERIFY2(window.fieldWidget(design::Setting::Frequency)
                     ->accessibleDescription()
                     .startsWith("expected"),
                 "the field says why");
        Type(window, design::Setting::Frequency, QStringLiteral("1k"));
        QVERIFY(!window.stale());
        QVERIFY(!window.fieldInError());
        QVERIFY(parts->item(1, 1)->text() != before);
        QVERIFY2(window.fieldWidget(design::Setting::Frequency)->accessibleDescription().isEmpty(),
                 "the problem goes with its cause");
    }

    // A field that does not read is marked in place, and why is said over the greyed parts:
    // no other widget moves, so that a click aimed at a field lands on it.
    void aProblemMovesNothing_data()
    {
        QTest::addColumn<design::Setting>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::newRow("frequency") << design::Setting::Frequency << "x1k"
                                   << "Frequency";
        QTest::newRow("value") << design::Setting::Value << "0"
                               << "Resistance";
        QTest::newRow("GBW") << design::Setting::Gbw << "fast"
                             << "GBW";
        QTest::newRow("R tolerance") << design::Setting::ToleranceR << "40"
                                     << "R tolerance, %";
        QTest::newRow("samples") << design::Setting::Samples << "0"
                                 << "Samples";
    }

    void aProblemMovesNothing()
    {
        QFETCH(design::Setting, field);
        QFETCH(QString, text);
        QFETCH(QString, label);
        design::Settings inputs;
        inputs.gbw = "1Meg";
        inputs.toleranceR = "1";
        DesignerWindow window{inputs};
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* typed = window.fieldWidget(field);
        const auto* note = window.findChild<QLabel*>(QStringLiteral("staleNote"));
        const auto places = [&] {
            std::map<const QWidget*, QRect> shown;
            for (const QWidget* widget : window.findChildren<QWidget*>())
                if (widget->isVisible() && widget != note && !typed->isAncestorOf(widget))
                    shown[widget] = QRect(widget->mapTo(&window, QPoint()), widget->size());
            return shown;
        };
        const auto before = places();
        Type(window, field, text);
        QCOMPARE(window.fieldInError(), std::optional<design::Setting>(field));
        QVERIFY2(places() == before, "every other widget where it was");

        const auto actions = typed->actions();
        QVERIFY2(std::any_of(actions.begin(), actions.end(),
                             [&](const QAction* mark) {
                                 return mark->isVisible() &&
                                        mark->toolTip() == typed->accessibleDescription();
                             }),
                 "the field is marked with its problem");
        QVERIFY(note->isVisible());
        QVERIFY2(note->text().startsWith("Not recomputed, " + label + ": expected"),
                 qPrintable(note->text()));
    }

    // The title names the design on show, and keeps it while the fields do not read.
    void theTitleNamesTheDesign()
    {
        DesignerWindow window{design::Settings{}};
        Choose(window, design::Setting::Circuit, QStringLiteral("High-pass"));
        Choose(window, design::Setting::Response, QStringLiteral("Chebyshev 1 dB"));
        const QString title =
            QStringLiteral("Butterworth Filter Designer — High-pass, Chebyshev 1 dB");
        QCOMPARE(window.windowTitle(), title);
        Type(window, design::Setting::Frequency, QStringLiteral("x"));
        Choose(window, design::Setting::Response, QStringLiteral("Chebyshev 0.5 dB"));
        QVERIFY(window.stale());
        QCOMPARE(window.windowTitle(), title);
    }

    // Every figure says what it means, as its tooltip and its What's This; the shape error
    // names the response asked for.
    void everyFigureIsExplained_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("response");
        QTest::newRow("low-pass: series, move, op-amp with RO, tolerances")
            << QStringList{"lowpass",       "100",          "33k", "--series",
                           "E24",           "--move-value", "E12", "--opamp",
                           "1Meg,200k,100", "--tolerance",  "1,5"}
            << "Butterworth";
        QTest::newRow("high-pass Chebyshev with an op-amp")
            << QStringList{"highpass", "1k",   "10n",  "--response", "chebyshev-1",
                           "--opamp",  "1Meg", "--at", "50"}
            << "Chebyshev 1 dB";
    }
    void everyFigureIsExplained()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, response);
        std::vector<std::string> args;
        for (const QString& argument : arguments)
            args.push_back(argument.toStdString());
        const auto settings =
            design::SettingsFromArguments(std::vector<std::string_view>(args.begin(), args.end()));
        QVERIFY(std::holds_alternative<design::Settings>(settings));
        DesignerWindow window{std::get<design::Settings>(settings)};
        QVERIFY(window.report());
        QStringList unexplained;
        int rows = 0;
        for (QTreeWidgetItemIterator it(window.findChild<QTreeWidget*>()); *it; ++it) {
            const QTreeWidgetItem& row = **it;
            if (!row.parent())
                continue;  // a group's title
            ++rows;
            const QString meaning = row.toolTip(0);
            if (meaning.isEmpty() || row.whatsThis(0) != meaning || row.toolTip(1) != meaning ||
                row.whatsThis(1) != meaning)
                unexplained << row.text(0);
            if (row.text(0) == QStringLiteral("Shape error") && !meaning.contains(response))
                unexplained << QStringLiteral("the shape error without ") + response;
        }
        QVERIFY2(rows > 30, qPrintable(QString::number(rows)));
        QVERIFY2(unexplained.isEmpty(), qPrintable(unexplained.join(QStringLiteral("; "))));
    }

    void eachCircuitKeepsItsOwnValue()
    {
        DesignerWindow window{design::Settings{}};
        Type(window, design::Setting::Value, QStringLiteral("47k"));
        Choose(window, design::Setting::Circuit, QStringLiteral("High-pass"));
        QCOMPARE(qobject_cast<QLineEdit*>(window.fieldWidget(design::Setting::Value))->text(),
                 QStringLiteral("10n"));
        Choose(window, design::Setting::Circuit, QStringLiteral("Low-pass"));
        QCOMPARE(qobject_cast<QLineEdit*>(window.fieldWidget(design::Setting::Value))->text(),
                 QStringLiteral("47k"));
        QVERIFY(!window.stale());
    }

    void fieldsThatNeedAnotherWaitForIt()
    {
        DesignerWindow window{design::Settings{}};
        const auto enabled = [&](design::Setting field) {
            return window.fieldWidget(field)->isEnabled();
        };
        QVERIFY(!enabled(design::Setting::Samples) && !enabled(design::Setting::Seed) &&
                !enabled(design::Setting::Distribution));
        Type(window, design::Setting::ToleranceC, QStringLiteral("5"));
        QVERIFY(enabled(design::Setting::Samples) && enabled(design::Setting::Seed) &&
                enabled(design::Setting::Distribution));
        QVERIFY(!enabled(design::Setting::MoveSeries) && !enabled(design::Setting::Objective));
        Choose(window, design::Setting::Series, QStringLiteral("E24"));
        QVERIFY(enabled(design::Setting::MoveSeries) && enabled(design::Setting::Objective) &&
                !enabled(design::Setting::MoveSteps));
        Choose(window, design::Setting::MoveSeries, QStringLiteral("E12"));
        QVERIFY(enabled(design::Setting::MoveSteps));
    }

    // A choice is offered only with a response it applies to; one that was made stays,
    // unused, until that response is back.
    void choicesWaitForAResponseTheyApplyTo_data()
    {
        QTest::addColumn<QString>("response");
        QTest::addColumn<bool>("coefficients");
        QTest::addColumn<bool>("frequencyIs");
        QTest::newRow("Butterworth") << "Butterworth" << true << false;
        QTest::newRow("Bessel") << "Bessel" << false << false;
        QTest::newRow("Chebyshev 0.5 dB") << "Chebyshev 0.5 dB" << false << true;
        QTest::newRow("Chebyshev 1 dB") << "Chebyshev 1 dB" << false << true;
    }

    void choicesWaitForAResponseTheyApplyTo()
    {
        QFETCH(QString, response);
        QFETCH(bool, coefficients);
        QFETCH(bool, frequencyIs);
        DesignerWindow window{design::Settings{}};
        Choose(window, design::Setting::Response, QStringLiteral("Chebyshev 1 dB"));
        Choose(window, design::Setting::FrequencyIs, QStringLiteral("The ripple band's edge"));
        Choose(window, design::Setting::Response, QStringLiteral("Butterworth"));
        Choose(window, design::Setting::Coefficients, QStringLiteral("The calculator's"));
        Choose(window, design::Setting::Response, response);
        QCOMPARE(window.fieldWidget(design::Setting::Coefficients)->isEnabled(), coefficients);
        QCOMPARE(window.fieldWidget(design::Setting::FrequencyIs)->isEnabled(), frequencyIs);
        QVERIFY2(!window.fieldInError() && !window.stale(),
                 "a design of the choices that apply, not a problem");
    }

    void theLastDesignIsKept()
    {
        design::Settings inputs;
        inputs.series = design::Series::E12;
        inputs.frequency = "1,5k";
        inputs.value[1] = "4n7";
        {
            DesignerWindow window{inputs};
        }
        const std::optional<design::Settings> kept = designer::LastDesign();
        QVERIFY(kept);
        QCOMPARE(designer::CommandLineOf(*kept), designer::CommandLineOf(inputs));
        QCOMPARE(QString::fromStdString(kept->value[1]), QStringLiteral("4n7"));
    }

    void savedFilesAreTheCompanionsAndAFailureLosesNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("option");
        QTest::newRow("netlist") << "Save netlist…"
                                 << ""
                                 << "--spice";
        QTest::newRow("LTspice netlist") << "Save netlist…"
                                         << "LTspice netlist (*.net *.cir)"
                                         << "--spice";
        QTest::newRow("plot") << "Save plot…"
                              << ""
                              << "--svg";
        QTest::newRow("report") << "Save report…"
                                << ""
                                << "--html";
    }

    void savedFilesAreTheCompanionsAndAFailureLosesNothing()
    {
        QFETCH(QString, action);
        QFETCH(QString, filter);
        QFETCH(QString, option);
        QTemporaryDir folder;
        design::Settings inputs;
        inputs.series = design::Series::E24;
        inputs.gbw = "1Meg";
        inputs.toleranceR = "1";
        inputs.toleranceC = "5";
        DesignerWindow window{inputs};
        QString answer;
        window.setAskFile([&](const QString&, const QString&, const QString&, QString* chosen) {
            if (chosen && !filter.isEmpty())
                *chosen = filter;
            return answer;
        });
        QAction* save = nullptr;
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text().remove('&') == action)
                save = a;
        QVERIFY2(save, qPrintable(action));

        // A folder that is no folder: nothing written, the reason said.
        answer = folder.filePath(QStringLiteral("plain"));
        QFile plain(answer);
        QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("kept") == 4);
        plain.close();
        answer = folder.filePath(QStringLiteral("plain/out"));
        save->trigger();
        QVERIFY2(!window.lastProblem().isEmpty(), "a failure is said");
        QVERIFY(plain.open(QIODevice::ReadOnly));
        QCOMPARE(plain.readAll(), QByteArray("kept"));
        plain.close();

        // An existing file is replaced by exactly what the companion writes.
        answer = folder.filePath(QStringLiteral("out"));
        QFile old(answer);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        save->trigger();
        QVERIFY2(window.lastProblem().isEmpty(), qPrintable(window.lastProblem()));
        std::vector<std::string> args = design::ArgumentsOf(window.inputs());
        args.push_back(option.toStdString());
        args.push_back("-");
        if (filter.startsWith("LTspice")) {
            args.push_back("--dialect");
            args.push_back("ltspice");
        }
        std::string expected = Companion(args);
        // The report shows the command line of its design, without the option that wrote it.
        const std::string line = designer::CommandLineOf(window.inputs());
        if (const std::size_t at = expected.find(line + " --html -"); at != std::string::npos)
            expected.erase(at + line.size(), std::string(" --html -").size());
        QFile written(answer);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().toStdString(), expected);
    }

    void openReportHandsTheReportToTheOpener()
    {
        QTemporaryDir folder;
        const QString opened = folder.filePath(QStringLiteral("opened.html"));
        const QString opener = folder.filePath(QStringLiteral("opener"));
        QFile script(opener);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf %s \"$1\" >'%1.path'\n"
                                    "cp \"$1\" '%1.part' && mv '%1.part' '%1'\n")
                         .arg(opened)
                         .toUtf8());
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QTemporaryDir runtime;
        const RuntimeFolder session(runtime.path());
        DesignerWindow window{design::Settings{}};
        QAction* open = nullptr;
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text().remove('&') == QStringLiteral("Open report"))
                open = a;
        QVERIFY(open);

        window.setOpener(folder.filePath(QStringLiteral("no-such-opener")));
        open->trigger();
        QVERIFY2(window.lastProblem().contains(QStringLiteral("no-such-opener")),
                 qPrintable(window.lastProblem()));

        window.setOpener(opener);
        open->trigger();
        QVERIFY2(window.lastProblem().isEmpty(), qPrintable(window.lastProblem()));
        QTRY_VERIFY2_WITH_TIMEOUT(QFile::exists(opened), "the opener was given the report", 10000);
        QFile report(opened);
        QVERIFY(report.open(QIODevice::ReadOnly));
        // In the runtime folder, where only this user may look, under a name nobody could
        // guess and prepare.
        QFile given(opened + QStringLiteral(".path"));
        QVERIFY(given.open(QIODevice::ReadOnly));
        const QFileInfo file(QString::fromUtf8(given.readAll()));
        QCOMPARE(file.absolutePath(), runtime.filePath(QStringLiteral("butterworth3-designer")));
        QVERIFY2(QRegularExpression(QStringLiteral("^report-[a-z0-9]{12}\\.html$"))
                     .match(file.fileName())
                     .hasMatch(),
                 qPrintable(file.fileName()));
        QCOMPARE(file.permissions() & 0x0077, QFile::Permissions());  // nothing for others
        QCOMPARE(QFileInfo(file.absolutePath()).permissions() & 0x0077, QFile::Permissions());
        std::string expected = Companion({"lowpass", "100", "33k", "--html", "-"});
        const std::string line = "butterworth3-cli design lowpass 100 33k";
        expected.erase(expected.find(line + " --html -") + line.size(), 9);
        QCOMPARE(report.readAll().toStdString(), expected);

        // An opener that fails is said in the window, not taken for done.
        window.setOpener(QStringLiteral("false"));
        open->trigger();
        QTRY_VERIFY2_WITH_TIMEOUT(window.lastProblem().contains(QStringLiteral("exit status 1")),
                                  "the opener's failure is said", 10000);
    }

    // Another local user prepares the report folder in a shared runtime folder, with links
    // to the victim's file under every name they can think of: nothing is written through
    // them, the browser is not started, and the window says why.
    void aReportIsNeverWrittenWhereAnotherUserReaches()
    {
        if (geteuid() != 0)
            QFAIL("acting as a second user (setpriv) needs root");
        QTemporaryDir shared;
        QVERIFY(QFile::setPermissions(shared.path(), QFile::Permissions(0x7777)));
        QVERIFY(chmod(QFile::encodeName(shared.path()).constData(), 01777) == 0);
        const QString victim = shared.filePath(QStringLiteral("victim"));
        QFile mine(victim);
        QVERIFY(mine.open(QIODevice::WriteOnly) && mine.write("mine") == 4);
        mine.close();
        const QString prepare =
            QStringLiteral("mkdir -m 0777 '%1/butterworth3-designer' && for n in 0 1 2 3 4 5 6 7; "
                           "do ln -s '%2' \"%1/butterworth3-designer/report-$n.html\"; done")
                .arg(shared.path(), victim);
        QProcess other;
        other.start(QStringLiteral("setpriv"),
                    {"--reuid=65534", "--regid=65534", "--clear-groups", "sh", "-c", prepare});
#ifdef BUTTERWORTH3_EMULATED
        // qemu-user refuses the clone with CLONE_VFORK that QProcess starts a child with.
        if (!other.waitForStarted(30000) && other.error() == QProcess::FailedToStart)
            QSKIP("the emulator cannot start a process from inside this test");
#endif
        QVERIFY2(other.waitForFinished(10000) && other.exitCode() == 0,
                 other.readAllStandardError().constData());

        const RuntimeFolder session(shared.path());
        DesignerWindow window{design::Settings{}};
        window.setOpener(QStringLiteral("true"));
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text().remove('&') == QStringLiteral("Open report"))
                a->trigger();
        QVERIFY2(window.lastProblem().contains(QStringLiteral("belongs to another user")),
                 qPrintable(window.lastProblem()));
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("mine"));
        QCOMPARE(QDir(shared.filePath(QStringLiteral("butterworth3-designer")))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                     .size(),
                 8);
    }

    // Sampling that a change makes pointless stops, and says so: no progress left standing.
    void aChangeEndsTheSamplingsProgress()
    {
        design::Settings inputs;
        inputs.toleranceR = "1";
        inputs.samples = "10000000";
        DesignerWindow window{inputs};
        window.show();
        const auto* histogram = window.findChild<designer::HistogramView*>();
        QTRY_VERIFY2_WITH_TIMEOUT(histogram->progress().has_value(), "the sampling's progress",
                                  10000);
        Type(window, design::Setting::Frequency, QStringLiteral("x"));
        QVERIFY(window.fieldInError());
        QVERIFY2(!histogram->progress(), "no progress of a job that was cancelled");
    }

    // The Bode plot is drawn when its tab shows, always for the design on show then.
    void theBodePlotShowsTheDesignWhenItsTabDoes()
    {
        DesignerWindow window{design::Settings{}};
        window.show();
        auto* tabs = window.findChild<QTabWidget*>();
        const auto* bode = window.findChild<designer::BodeView*>();
        QVERIFY2(!bode->reading(), "not drawn behind the figures");
        tabs->setCurrentWidget(const_cast<designer::BodeView*>(bode));
        QVERIFY(bode->reading());
        QCOMPARE(bode->reading()->frequency, 100.0);
        tabs->setCurrentIndex(0);
        Type(window, design::Setting::Frequency, QStringLiteral("250"));
        tabs->setCurrentWidget(const_cast<designer::BodeView*>(bode));
        QCOMPARE(bode->reading()->frequency, 250.0);
    }

    // The step and the delay as the report draws them, read with the keys as the Bode plot is.
    void stepAndDelayAreReadAsTheFiguresTellThem_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("low-pass E24") << QStringList{"lowpass", "100", "33k", "--series", "E24"};
        QTest::newRow("low-pass with an op-amp")
            << QStringList{"lowpass", "1k", "10k", "--opamp", "1Meg,200k,100"};
        QTest::newRow("high-pass Bessel")
            << QStringList{"highpass", "1k", "10n", "--response", "bessel"};
    }
    void stepAndDelayAreReadAsTheFiguresTellThem()
    {
        QFETCH(QStringList, arguments);
        std::vector<std::string> args;
        for (const QString& argument : arguments)
            args.push_back(argument.toStdString());
        const auto settings =
            design::SettingsFromArguments(std::vector<std::string_view>(args.begin(), args.end()));
        DesignerWindow window{std::get<design::Settings>(settings)};
        window.show();
        auto* tabs = window.findChild<QTabWidget*>();
        designer::BehaviourView* step = nullptr;
        designer::BehaviourView* delay = nullptr;
        for (auto* view : window.findChildren<designer::BehaviourView*>())
            (view->accessibleName() == QStringLiteral("Step response") ? step : delay) = view;
        QVERIFY(step && delay);
        QVERIFY2(!step->reading(), "not drawn behind the figures");
        tabs->setCurrentWidget(step->parentWidget());

        const design::Report& report = *window.report();
        const design::Behaviour& b =
            report.opampBehaviour ? report.opampBehaviour->behaviour : report.behaviour;
        const bool lowPass = report.design.request.circuit == design::Circuit::LowPass;
        // At first the overshoot's peak: above 1 V by it, or a high-pass's swing below 0.
        const double peak = lowPass ? 1 + b.step.overshoot : -b.step.overshoot;
        QVERIFY2(std::abs(step->reading()->value - peak) < 1e-3,
                 qPrintable(step->readout() + QStringLiteral(", the figures' peak %1").arg(peak)));
        QCOMPARE(step->reading()->ideal.has_value(), report.opamp.has_value());
        QTest::keyClick(step, Qt::Key_End);
        QCOMPARE(step->reading()->x, 3 * b.step.settling0_1Percent);
        QVERIFY2(std::abs(step->reading()->value - 1) < 1e-3 || !lowPass, "settled at 1 V");
        QCOMPARE(step->accessibleDescription(), step->readout());

        if (!lowPass) {
            QVERIFY2(!delay->isVisible(), "the step alone");
            QVERIFY(!delay->reading());
            QVERIFY(delay->readout().contains(QStringLiteral("high-pass")));
            return;
        }
        // Two decades below f the delay is its DC value, flat to 0.14 f and beyond.
        QTest::keyClick(delay, Qt::Key_Home);
        QCOMPARE(delay->reading()->x, report.design.request.frequency / 100);
        QVERIFY2(std::abs(delay->reading()->value / b.groupDelay->dc - 1) < 1e-3,
                 qPrintable(delay->readout()));
    }

    // What the window says of a save or a copy is of the design it was said for.
    void theStatusLineFollowsTheDesign()
    {
        QTemporaryDir folder;
        DesignerWindow window{design::Settings{}};
        window.show();
        window.setAskFile([&](const QString&, const QString&, const QString&, QString*) {
            return folder.filePath(QStringLiteral("filter.cir"));
        });
        const auto trigger = [&](const QString& text) {
            for (QAction* a : window.findChildren<QAction*>())
                if (a->text().remove('&') == text)
                    a->trigger();
        };
        const auto said = [&] {
            QStringList shown;
            for (const QLabel* label : window.findChildren<QLabel*>())
                if (label->isVisibleTo(&window) &&
                    (label->text().startsWith("Saved ") || label->text().startsWith("Copied ")))
                    shown << label->text();
            return shown;
        };
        trigger(QStringLiteral("Save netlist…"));
        QCOMPARE(said().size(), 1);
        Type(window, design::Setting::Frequency, QStringLiteral("250"));
        QVERIFY2(said().isEmpty(), qPrintable(said().join(' ')));

        Type(window, design::Setting::Frequency, QStringLiteral("x"));
        trigger(QStringLiteral("Copy command line"));
        QVERIFY2(window.lastProblem().startsWith(QStringLiteral("Copied the command line, but it "
                                                                "will not run: expected")),
                 qPrintable(window.lastProblem()));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("butterworth3-cli design lowpass x 33k"));
    }

    void copyPartsGivesATextTable()
    {
        design::Settings inputs;
        inputs.series = design::Series::E24;
        DesignerWindow window{inputs};
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text().remove('&') == QStringLiteral("Copy parts"))
                a->trigger();
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 6);  // a header, four rows and the end of the last line
        QCOMPARE(lines[1].simplified(), QStringLiteral("Ra, Rb, Rc 33 kΩ 33 kΩ"));
        QCOMPARE(lines[2].simplified(), QStringLiteral("C1 67.1656 nF 68 nF +1.242 %"));
        QCOMPARE(lines[4].indexOf(QStringLiteral("10 nF")),
                 lines[0].indexOf(QStringLiteral("chosen")));
    }

    void theCopiedCommandLineGivesTheSameParts()
    {
        design::Settings inputs;
        inputs.frequency = "2,2k";
        inputs.series = design::Series::E48;
        inputs.moveSeries = design::Series::E12;
        inputs.objective = design::Objective::Shape;
        inputs.gbw = "3Meg";
        DesignerWindow window{inputs};
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text().remove('&') == QStringLiteral("Copy command line"))
                a->trigger();
        const QString line = QGuiApplication::clipboard()->text();
        QVERIFY(line.startsWith(QStringLiteral("butterworth3-cli design lowpass 2.2k 33k")));

        // Run by a shell, as a user pastes it, with the companion built beside this test.
        QProcess shell;
        shell.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList path{QStringLiteral(BUTTERWORTH3_CLI_FOLDER)};
        shell.setProcessEnvironment([&] {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("PATH"), path.join(':') + ':' + env.value("PATH"));
            return env;
        }());
        shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), line + QStringLiteral(" --json")});
#ifdef BUTTERWORTH3_EMULATED
        // qemu-user refuses the clone with CLONE_VFORK that QProcess starts a child with.
        if (!shell.waitForStarted(30000) && shell.error() == QProcess::FailedToStart)
            QSKIP("the emulator cannot start a process from inside this test");
#endif
        QVERIFY(shell.waitForFinished(30000));
        QCOMPARE(shell.exitCode(), 0);
        const nlohmann::json json =
            nlohmann::json::parse(shell.readAllStandardOutput().toStdString());
        QTableWidget* parts = PartsTable(window);
        for (int row = 1; row < 4; ++row)
            QCOMPARE(parts->item(row, 2)->data(Qt::UserRole).toDouble(),
                     json["parts"][std::size_t(row - 1)]["chosen"].get<double>());
        QCOMPARE(window.report()->design.value, json["value_chosen"].get<double>());
    }
};

QTEST_MAIN(TestDesignerWindow)
#include "tst_designer_window.moc"
