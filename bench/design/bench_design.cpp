// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// Cost of the design assistant's steps: one candidate, the standard-value searches, the
// op-amp analysis and the tolerance samples.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "design/analysis.h"
#include "design/design.h"
#include "design/outputs/html_report.h"
#include "design/outputs/netlist.h"
#include "design/outputs/plot.h"
#include "design/report.h"
#include "files/safe_write.h"

namespace {

using namespace design;

Parts ExactLowPass()
{
    return EqualSeries(33e3, IdealParts(Circuit::LowPass, ResponseKind::Butterworth,
                                        Coefficients::Exact, 100, 33e3));
}

// f3 and shape error of one set of parts (Butterworth low-pass, ideal op-amp).
void BM_OneCandidate(benchmark::State& state)
{
    const CandidateEvaluator evaluator(Circuit::LowPass, ResponseKind::Butterworth, 100);
    Parts parts = EqualSeries(33e3, {68e-9, 160e-9, 10e-9});
    for (auto _ : state) {
        benchmark::DoNotOptimize(parts);
        benchmark::DoNotOptimize(evaluator.Evaluate(parts));
    }
}
BENCHMARK(BM_OneCandidate);

// The whole search: 64 combinations (one R), or 320 (R moving two E24 steps either side).
void BM_Search(benchmark::State& state)
{
    Request request;
    request.series = Series::E96;
    if (state.range(0) == 320)
        request.moveSeries = Series::E24;
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeDesign(request));
}
BENCHMARK(BM_Search)->Arg(64)->Arg(320)->Unit(benchmark::kMicrosecond);

void BM_OpAmpAnalysis(benchmark::State& state)
{
    const Parts parts = ExactLowPass();
    const OpAmp opamp{1e6, 200e3, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            AnalyseOpAmp(Circuit::LowPass, ResponseKind::Butterworth, 100, parts, opamp));
}
BENCHMARK(BM_OpAmpAnalysis)->Unit(benchmark::kMillisecond);

void BM_Tolerance(benchmark::State& state)
{
    const Parts parts = ExactLowPass();
    ToleranceRequest request;
    request.samples = state.range(0);
    request.distribution = state.range(1) == 0 ? Distribution::Uniform : Distribution::Normal;
    for (auto _ : state)
        benchmark::DoNotOptimize(MonteCarlo(Circuit::LowPass, 100, parts, request));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Tolerance)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

void BM_Sensitivities(benchmark::State& state)
{
    const Parts parts = ExactLowPass();
    for (auto _ : state)
        benchmark::DoNotOptimize(F3Sensitivities(Circuit::LowPass, parts));
}
BENCHMARK(BM_Sensitivities);

// Every figure beyond f3 of one design, Monte Carlo aside: the aligned shape error, group
// delay, step, noise (with the op-amp's own) and stop-band for the ideal follower and the
// op-amp model, and the 64 tolerance corners.
void BM_NewAnalyses(benchmark::State& state)
{
    const Circuit circuit = state.range(0) == 0 ? Circuit::LowPass : Circuit::HighPass;
    const double value = circuit == Circuit::LowPass ? 10e3 : 10e-9;
    const Parts parts = EqualSeries(
        value, IdealParts(circuit, ResponseKind::Butterworth, Coefficients::Exact, 1000, value));
    const OpAmp opamp{1e6, 200e3, 100};
    NoiseRequest noise;
    noise.opamp = OpAmpNoise{10e-9, 1e-12};
    const ToleranceRequest tolerance;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            BehaviourOf(circuit, ResponseKind::Butterworth, 1000, parts, std::nullopt, noise));
        benchmark::DoNotOptimize(
            BehaviourOf(circuit, ResponseKind::Butterworth, 1000, parts, opamp, noise));
        benchmark::DoNotOptimize(StopBandOf(circuit, parts, 1000, opamp));
        benchmark::DoNotOptimize(WorstCaseOf(circuit, 1000, parts, tolerance));
    }
}
BENCHMARK(BM_NewAnalyses)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The files a design can be written to, of the design the README shows: the netlist, the
// plot, the report, and all three written to files as the command writes them (replacing
// the files of the run before).
Report OutputsReport()
{
    Request request;
    request.series = Series::E24;
    ToleranceRequest tolerance;
    return MakeReport(request, OpAmp{1e6, 200e3, 0}, tolerance);
}

void BM_Netlist(benchmark::State& state)
{
    const Report report = OutputsReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(outputs::Netlist(report, outputs::Dialect::Ngspice));
}
BENCHMARK(BM_Netlist)->Unit(benchmark::kMicrosecond);

void BM_BodePlot(benchmark::State& state)
{
    const Report report = OutputsReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(outputs::BodePlot(report, true));
}
BENCHMARK(BM_BodePlot)->Unit(benchmark::kMicrosecond);

void BM_HtmlReport(benchmark::State& state)
{
    const Report report = OutputsReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            outputs::HtmlReport(report, "butterworth3-cli design lowpass 100 33k --html r.html",
                                outputs::Dialect::Ngspice));
}
BENCHMARK(BM_HtmlReport)->Unit(benchmark::kMicrosecond);

void BM_AllThreeWritten(benchmark::State& state)
{
    const Report report = OutputsReport();
    std::string folder = (std::filesystem::temp_directory_path() / "bench_outputs.XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("cannot make a temporary folder");
        return;
    }
    for (auto _ : state) {
        const std::string netlist = outputs::Netlist(report, outputs::Dialect::Ngspice);
        const std::string plot = outputs::BodePlot(report, true);
        const std::string html =
            outputs::HtmlReport(report, "butterworth3-cli design", outputs::Dialect::Ngspice);
        const files::Output written[] = {
            {folder + "/f.cir", netlist}, {folder + "/f.svg", plot}, {folder + "/f.html", html}};
        if (!std::holds_alternative<files::Written>(files::WriteFiles(written)))
            state.SkipWithError("cannot write");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AllThreeWritten)->Unit(benchmark::kMicrosecond);

}  // namespace
