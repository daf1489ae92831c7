// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "design/noise.h"

#include <array>
#include <cmath>
#include <complex>
#include <numbers>
#include <utility>

namespace design {

namespace {

using Complex = std::complex<double>;
constexpr double TwoPi = 2 * std::numbers::pi;
constexpr double FourKT = 4 * Boltzmann * NoiseTemperature;

// Unknowns: the voltages of n1, n2, the + input and the output, and the current the op-amp
// drives into the output.
enum Unknown : std::size_t { N1, N2, Plus, Out, Drive, Count };
using Matrix = std::array<std::array<Complex, Count>, Count>;
using Vector = std::array<Complex, Count>;

// x with M^T x = b, by Gaussian elimination with partial pivoting.
Vector SolveTransposed(const Matrix& m, Vector b)
{
    Matrix a;
    for (std::size_t i = 0; i < Count; ++i)
        for (std::size_t j = 0; j < Count; ++j)
            a[i][j] = m[j][i];
    for (std::size_t col = 0; col < Count; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < Count; ++row)
            if (std::abs(a[row][col]) > std::abs(a[pivot][col]))
                pivot = row;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < Count; ++row) {
            const Complex factor = a[row][col] / a[col][col];
            for (std::size_t k = col; k < Count; ++k)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    Vector x{};
    for (std::size_t i = Count; i-- > 0;) {
        Complex sum = b[i];
        for (std::size_t k = i + 1; k < Count; ++k)
            sum -= a[i][k] * x[k];
        x[i] = sum / a[i][i];
    }
    return x;
}

void Stamp(Matrix& m, std::optional<std::size_t> a, std::optional<std::size_t> b, Complex y)
{
    if (a)
        m[*a][*a] += y;
    if (b)
        m[*b][*b] += y;
    if (a && b) {
        m[*a][*b] -= y;
        m[*b][*a] -= y;
    }
}

// The nodes of each series and shunt part; nullopt is ground (or the input, grounded for noise).
constexpr std::array<std::pair<std::optional<std::size_t>, std::optional<std::size_t>>, 3>
    SeriesNodes = {{{std::nullopt, N1}, {N1, N2}, {N2, Plus}}};
constexpr std::array<std::pair<std::optional<std::size_t>, std::optional<std::size_t>>, 3>
    ShuntNodes = {{{N1, std::nullopt}, {N2, Out}, {Plus, std::nullopt}}};

struct Source {
    Vector injected{};  // the unit source's place in the equations
    double power = 0;   // its density squared
};

}  // namespace

std::vector<std::string_view> NoiseSourceNames(Circuit circuit, const std::optional<OpAmp>& opamp,
                                               const std::optional<OpAmpNoise>& opampNoise)
{
    std::vector<std::string_view> names;
    if (circuit == Circuit::LowPass)
        names = {"Ra", "Rb", "Rc"};
    else
        names = {"R1", "R2", "R3"};
    if (opamp && opamp->ro > 0)
        names.push_back("RO");
    if (opampNoise)
        names.insert(names.end(), {"EN", "IN+", "IN-"});
    return names;
}

std::vector<double> NoiseDensities(Circuit circuit, const Parts& parts, double frequency,
                                   const std::optional<OpAmp>& opamp,
                                   const std::optional<OpAmpNoise>& opampNoise)
{
    const double w = TwoPi * frequency;
    const bool lowPass = circuit == Circuit::LowPass;
    const auto admittance = [&](double part, bool resistor) {
        return resistor ? Complex(1 / part) : Complex(0, w * part);
    };
    Matrix m{};
    for (std::size_t i = 0; i < 3; ++i) {
        Stamp(m, SeriesNodes[i].first, SeriesNodes[i].second, admittance(parts.series[i], lowPass));
        Stamp(m, ShuntNodes[i].first, ShuntNodes[i].second, admittance(parts.shunt[i], !lowPass));
    }
    m[Out][Drive] -= 1;  // the op-amp's current enters the output node
    // The follower: Vo = Vp, or the op-amp's source A (Vp - Vo) behind RO.
    Complex gain = 1;
    if (opamp) {
        gain = opamp->a0 / Complex(1, w * opamp->a0 / (TwoPi * opamp->gbw));
        m[Drive][Plus] = gain;
        m[Drive][Out] = -gain - 1.0;
        m[Drive][Drive] = -opamp->ro;
    } else {
        m[Drive][Plus] = 1;
        m[Drive][Out] = -1;
    }
    Vector unitOut{};
    unitOut[Out] = 1;
    const Vector toOutput = SolveTransposed(m, unitOut);

    std::vector<Source> sources;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& [a, b] = lowPass ? SeriesNodes[i] : ShuntNodes[i];
        Source s;
        if (a)
            s.injected[*a] = 1;
        if (b)
            s.injected[*b] = -1;
        s.power = FourKT / (lowPass ? parts.series[i] : parts.shunt[i]);
        sources.push_back(s);
    }
    if (opamp && opamp->ro > 0) {
        Source s;
        s.injected[Drive] = 1;  // a voltage in series with RO
        s.power = FourKT * opamp->ro;
        sources.push_back(s);
    }
    if (opampNoise) {
        Source voltage, plus, minus;
        voltage.injected[Drive] = gain;
        voltage.power = opampNoise->voltage * opampNoise->voltage;
        plus.injected[Plus] = 1;
        minus.injected[Out] = 1;
        plus.power = minus.power = opampNoise->current * opampNoise->current;
        sources.insert(sources.end(), {voltage, plus, minus});
    }
    std::vector<double> densities;
    for (const Source& s : sources) {
        Complex out = 0;
        for (std::size_t i = 0; i < Count; ++i)
            out += toOutput[i] * s.injected[i];
        densities.push_back(std::abs(out) * std::sqrt(s.power));
    }
    return densities;
}

NoiseFigures NoiseOf(Circuit circuit, const Parts& parts, const std::optional<OpAmp>& opamp,
                     const std::optional<OpAmpNoise>& opampNoise, double densityAt, Band band)
{
    NoiseFigures figures;
    figures.densityAt = densityAt;
    figures.band = band;
    double total = 0;
    for (const double d : NoiseDensities(circuit, parts, densityAt, opamp, opampNoise))
        total += d * d;
    figures.density = std::sqrt(total);

    // The mean square is the integral of density^2 f d(ln f).
    const double from = std::log(band.from), to = std::log(band.to);
    int intervals = static_cast<int>(std::ceil((to - from) / std::log(10.0) * 64));
    intervals += intervals % 2;
    intervals = std::max(intervals, 2);
    const double h = (to - from) / intervals;
    const std::vector<std::string_view> names = NoiseSourceNames(circuit, opamp, opampNoise);
    std::vector<double> meanSquares(names.size());
    for (int i = 0; i <= intervals; ++i) {
        const double weight = (i == 0 || i == intervals) ? 1 : (i % 2 == 1 ? 4 : 2);
        const double frequency = std::exp(from + h * i);
        const std::vector<double> d = NoiseDensities(circuit, parts, frequency, opamp, opampNoise);
        for (std::size_t k = 0; k < d.size(); ++k)
            meanSquares[k] += weight * d[k] * d[k] * frequency * h / 3;
    }
    double sum = 0;
    for (const double m : meanSquares)
        sum += m;
    figures.rms = std::sqrt(sum);
    for (std::size_t k = 0; k < names.size(); ++k)
        figures.shares.push_back({names[k], sum > 0 ? meanSquares[k] / sum : 0});
    return figures;
}

}  // namespace design
