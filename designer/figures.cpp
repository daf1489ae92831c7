// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "designer/figures.h"

#include <algorithm>
#include <string>

#include <QtCore/QStringList>
#include <QtWidgets/QTreeWidget>

#include "design/outputs/definitions.h"
#include "design/outputs/markup.h"
#include "designer/form.h"
#include "designer/plots/shown_numbers.h"

namespace designer {
namespace {

using design::outputs::Fixed;
using design::outputs::SignedPercent;
using design::outputs::Term;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Db(double value)
{
    return ShownDecimal(value, 3) + QStringLiteral(" dB");
}

QString Percent(double fraction)
{
    return ShownDecimal(fraction * 100, 3) + QStringLiteral(" %");
}

QString F3(const std::optional<double>& f3, double f)
{
    if (!f3)
        return Figures::tr("none (no −3 dB crossing)");
    return ShownQuantity(*f3, "Hz") + QStringLiteral(" (") + Text(SignedPercent(*f3 / f - 1)) +
           QLatin1Char(')');
}

// The GBW an op-amp needs, and how many times the frequency that is.
QString Gbw(const std::optional<double>& gbw, double f)
{
    if (!gbw)
        return Figures::tr("more than %1").arg(ShownQuantity(1e5 * f, "Hz"));
    return ShownQuantity(*gbw, "Hz", 4) + QStringLiteral(" (") + ShownNumber(*gbw / f, 3) +
           QStringLiteral(" f)");
}

class FigureGroup {
public:
    FigureGroup(QTreeWidget& tree, const QString& title)
        : item_(new QTreeWidgetItem(&tree, {title}))
    {
        item_->setFirstColumnSpanned(true);
        item_->setExpanded(true);
    }
    // A figure, its value and what it means: the tooltip and What's This of its row.
    void Add(const QString& figure, const QString& value, const QString& meaning)
    {
        auto* row = new QTreeWidgetItem(item_, {figure, value});
        for (int column = 0; column < 2; ++column) {
            row->setToolTip(column, meaning);
            row->setWhatsThis(column, meaning);
        }
    }

private:
    QTreeWidgetItem* item_;
};

// What `term` means, in the window's language; `response` names the target where it does.
QString Meaning(Term term, const QString& response = {})
{
    const QString text = QCoreApplication::translate(
        "Definitions", std::string(design::outputs::Definition(term)).c_str());
    return term == Term::ShapeError ? text.arg(response) : text;
}

// Each pair by f0 and Q, then each real pole, as a filter table lists them.
void AddPoles(FigureGroup& group, const design::Poles& poles, bool target)
{
    for (const design::PolePair& pair : poles.pairs)
        group.Add(target ? Figures::tr("Target pole pair, f0 and Q")
                         : Figures::tr("Pole pair, f0 and Q"),
                  Figures::tr("%1, Q %2").arg(ShownQuantity(pair.f0, "Hz"), Text(Fixed(pair.q, 3))),
                  Meaning(Term::Poles));
    for (const double f : poles.real)
        group.Add(target ? Figures::tr("Target real pole") : Figures::tr("Real pole"),
                  ShownQuantity(f, "Hz"), Meaning(Term::Poles));
}

}  // namespace

void Figures::Show(QTreeWidget& tree, const design::Report& report)
{
    const design::Design& d = report.design;
    const design::Request& request = d.request;
    const bool lowPass = request.circuit == design::Circuit::LowPass;
    const double f = request.frequency;
    const design::PartNames names = design::NamesOf(request.circuit);
    tree.clear();

    const auto behaviour = [&](FigureGroup& group, const design::Behaviour& b) {
        if (b.alignedShapeErrorDb)
            group.Add(tr("Aligned shape error"), Db(*b.alignedShapeErrorDb),
                      Meaning(Term::AlignedShapeError));
        if (b.groupDelay) {
            const QString delay = Meaning(Term::GroupDelay);
            group.Add(tr("Group delay at DC"), ShownQuantity(b.groupDelay->dc, "s"), delay);
            group.Add(tr("Delay within 1 % up to"),
                      b.groupDelay->flatTo ? ShownQuantity(*b.groupDelay->flatTo, "Hz")
                                           : tr("100 f and beyond"),
                      delay);
        }
        const QString step = Meaning(Term::Step);
        group.Add(lowPass ? tr("Step overshoot") : tr("Step undershoot"), Percent(b.step.overshoot),
                  step);
        if (b.step.riseTime)
            group.Add(tr("Rise time, 10–90 %"), ShownQuantity(*b.step.riseTime, "s"), step);
        group.Add(tr("Settling to 1 %"), ShownQuantity(b.step.settling1Percent, "s"), step);
        group.Add(tr("Settling to 0.1 %"), ShownQuantity(b.step.settling0_1Percent, "s"), step);
        const QString noise = Meaning(Term::Noise);
        group.Add(tr("Noise density at %1").arg(ShownQuantity(b.noise.densityAt, "Hz")),
                  ShownQuantity(b.noise.density, "V/√Hz"), noise);
        group.Add(
            tr("Noise from %1 to %2")
                .arg(ShownQuantity(b.noise.band.from, "Hz"), ShownQuantity(b.noise.band.to, "Hz")),
            ShownQuantity(b.noise.rms, "V") + tr(" rms"), noise);
        QStringList shares;
        for (const design::NoiseShare& share : b.noise.shares)
            shares << QString::fromLatin1(share.source) + QLatin1Char(' ') +
                          Text(Fixed(share.share * 100, 1)) + QStringLiteral(" %");
        group.Add(tr("Noise shares"), shares.join(QStringLiteral(", ")), noise);
        AddPoles(group, b.poles, false);
    };

    const FieldRow& responses = FormRows()[std::size_t(design::Setting::Response)];
    const auto named =
        std::find_if(responses.items.begin(), responses.items.end(),
                     [&](const Item& item) { return item.choice == int(request.response); });
    const QString shape =
        Meaning(Term::ShapeError, QCoreApplication::translate(FormContext, named->text.c_str()));
    // What the user asked for by name comes first.
    if (!report.gainsAt.empty()) {
        FigureGroup gains(tree, tr("Gain at the frequencies asked for"));
        const QString gain = Meaning(Term::GainAt);
        for (const design::GainAt& g : report.gainsAt) {
            const QString at = ShownQuantity(g.frequency, "Hz");
            gains.Add(tr("%1, the target").arg(at), Db(g.targetDb), gain);
            gains.Add(tr("%1, the circuit").arg(at), Db(g.circuitDb), gain);
            if (g.opampDb)
                gains.Add(tr("%1, with the op-amp").arg(at), Db(*g.opampDb), gain);
        }
    }

    FigureGroup ideal(tree, tr("With an ideal op-amp"));
    ideal.Add(tr("f3"), F3(d.f3, f), Meaning(Term::F3));
    ideal.Add(tr("Shape error"), Db(d.shapeErrorDb), shape);
    AddPoles(ideal, report.targetPoles, true);
    if (request.moveSeries) {
        const PartRow equal = PartRows(report).front();
        ideal.Add(tr("%1 chosen from %2").arg(equal.name, equal.chosenFrom),
                  tr("%1 for %2 given")
                      .arg(ShownQuantity(equal.chosen, equal.unit),
                           ShownQuantity(equal.ideal, equal.unit)),
                  Meaning(Term::MovedValue));
    }
    if (request.series)
        ideal.Add(tr("Combinations weighed"), QString::number(d.combinations),
                  Meaning(Term::CombinationsWeighed));
    if (report.windowF3)
        ideal.Add(tr("The calculator's f3"), F3(report.windowF3, f), Meaning(Term::CalculatorF3));
    if (report.rippleEdge)
        ideal.Add(tr("Ripple band's edge"), ShownQuantity(*report.rippleEdge, "Hz"),
                  Meaning(Term::RippleEdge));
    if (report.sensitivity) {
        const auto sensitivity = [&](std::string_view part, double value) {
            ideal.Add(tr("Sensitivity of f3 to %1").arg(QString::fromLatin1(part)),
                      Text((value < 0 ? "" : "+") + Fixed(value, 3)), Meaning(Term::Sensitivity));
        };
        for (std::size_t i = 0; i < 3; ++i)
            sensitivity(names.series[i], report.sensitivity->series[i]);
        for (std::size_t i = 0; i < 3; ++i)
            sensitivity(names.shunt[i], report.sensitivity->shunt[i]);
    }
    behaviour(ideal, report.behaviour);

    if (report.opamp) {
        const design::OpAmpFigures& o = *report.opamp;
        FigureGroup opamp(tree, tr("With the op-amp: GBW %1, A0 %2, RO %3")
                                    .arg(ShownQuantity(o.opamp.gbw, "Hz"),
                                         Text(design::outputs::General(o.opamp.a0, 6)),
                                         ShownQuantity(o.opamp.ro, "Ω")));
        opamp.Add(tr("f3"), F3(o.f3, f), Meaning(Term::F3));
        opamp.Add(tr("Shape error"), Db(o.shapeErrorDb), shape);
        if (!lowPass)
            opamp.Add(tr("Upper edge"),
                      o.upperEdge ? ShownQuantity(*o.upperEdge, "Hz") : tr("none"),
                      Meaning(Term::UpperEdge));
        const QString gbwForF3 = Meaning(Term::GbwForF3);
        opamp.Add(tr("GBW for f3 within 1 %"), Gbw(o.gbwNeeded.f3Within1Percent, f), gbwForF3);
        opamp.Add(tr("GBW for f3 within 0.1 %"), Gbw(o.gbwNeeded.f3Within0_1Percent, f), gbwForF3);
        opamp.Add(tr("GBW for 0.1 dB more shape error"), Gbw(o.gbwNeeded.shapeWithin0_1Db, f),
                  Meaning(Term::GbwForShape));
        if (report.opampBehaviour) {
            behaviour(opamp, report.opampBehaviour->behaviour);
            if (const auto& stop = report.opampBehaviour->stopBand) {
                const QString leak = Meaning(Term::StopBand);
                opamp.Add(tr("Stop-band at 100 f"), Db(stop->at100fDb), leak);
                opamp.Add(tr("Stop-band at 1000 f"), Db(stop->at1000fDb), leak);
                opamp.Add(tr("Stop-band at 10000 f"), Db(stop->at10000fDb), leak);
            }
        }
    }

    if (report.toleranceRequest) {
        const design::ToleranceRequest& t = *report.toleranceRequest;
        FigureGroup tolerance(tree,
                              tr("Tolerances: R %1 %, C %2 %")
                                  .arg(Text(design::outputs::General(t.resistors * 100, 6)),
                                       Text(design::outputs::General(t.capacitors * 100, 6))));
        const QString spread = Meaning(Term::ToleranceSpread);
        if (report.tolerance) {
            tolerance.Add(tr("f3 error, sigma"), Percent(report.tolerance->sigma), spread);
            tolerance.Add(tr("f3 error, 99 % between"),
                          Text(SignedPercent(report.tolerance->p0_5)) + tr(" and ") +
                              Text(SignedPercent(report.tolerance->p99_5)),
                          spread);
        } else {
            tolerance.Add(tr("f3 error"), tr("drawing %1 samples…").arg(t.samples), spread);
        }
        if (report.worstCase)
            tolerance.Add(tr("Worst case, 64 corners"),
                          Text(SignedPercent(report.worstCase->low)) + tr(" and ") +
                              Text(SignedPercent(report.worstCase->high)),
                          Meaning(Term::WorstCase));
    }
}

std::vector<PartRow> Figures::PartRows(const design::Report& report)
{
    const design::Design& d = report.design;
    const design::Request& request = d.request;
    const bool lowPass = request.circuit == design::Circuit::LowPass;
    const design::PartNames names = design::NamesOf(request.circuit);
    std::vector<PartRow> rows;
    PartRow equal;
    equal.name =
        QStringLiteral("%1, %2, %3")
            .arg(QString::fromLatin1(names.series[0]), QString::fromLatin1(names.series[1]),
                 QString::fromLatin1(names.series[2]));
    equal.unit = lowPass ? "Ω" : "F";
    equal.ideal = request.value;
    equal.chosen = d.value;
    if (request.moveSeries) {
        equal.chosenFrom = QString::fromLatin1(design::Id(*request.moveSeries));
        equal.error = d.value / request.value - 1;
    }
    rows.push_back(equal);
    for (std::size_t i = 0; i < 3; ++i) {
        PartRow part;
        part.name = QString::fromLatin1(names.shunt[i]);
        part.unit = lowPass ? "F" : "Ω";
        part.ideal = d.ideal[i];
        part.chosen = d.chosen[i];
        if (request.series)
            part.error = d.chosen[i] / d.ideal[i] - 1;
        part.impractical = design::Impractical(request.circuit, d.chosen[i]);
        rows.push_back(part);
    }
    return rows;
}

QString Figures::ChosenText(const PartRow& row)
{
    const QString value = ShownQuantity(row.chosen, row.unit);
    return row.chosenFrom.isEmpty() ? value : tr("%1 (%2)").arg(value, row.chosenFrom);
}

QString Figures::PartsSentence(const design::Report& report)
{
    QStringList parts;
    for (const PartRow& row : PartRows(report))
        parts << (row.name.contains(QLatin1Char(','))
                      ? tr("%1 each %2").arg(row.name, ShownQuantity(row.chosen, row.unit))
                      : row.name + QLatin1Char(' ') + ShownQuantity(row.chosen, row.unit));
    return parts.join(QStringLiteral(", "));
}

QString Figures::PartsTable(const design::Report& report)
{
    const design::Request& request = report.design.request;
    std::vector<QStringList> rows;
    rows.push_back({tr("part"), tr("ideal")});
    if (request.series)
        rows.back() << tr("chosen %1").arg(QString::fromLatin1(design::Id(*request.series)))
                    << tr("error");
    for (const PartRow& part : PartRows(report)) {
        rows.push_back({part.name, ShownQuantity(part.ideal, part.unit)});
        if (request.series)
            rows.back() << ChosenText(part)
                        << (part.error ? Text(SignedPercent(*part.error)) : QString());
        if (part.impractical)
            rows.back() << tr("impractical");
    }
    std::vector<qsizetype> widths;
    for (const QStringList& row : rows)
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (std::size_t(c) >= widths.size())
                widths.push_back(0);
            widths[std::size_t(c)] = std::max(widths[std::size_t(c)], row[c].size());
        }
    QString table;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? row[c].leftJustified(widths[std::size_t(c)] + 2) : row[c];
        while (line.endsWith(QLatin1Char(' ')))  // an empty last cell
            line.chop(1);
        table += line + QLatin1Char('\n');
    }
    return table;
}

}  // namespace designer
