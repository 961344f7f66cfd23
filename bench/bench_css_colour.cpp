// SPDX-License-Identifier: MIT
// Speed of reading and writing each format (Google Benchmark); with --full-cube,
// the round trip of all 16,777,216 colours through every format, also checked
// against conversions written here from the CSS Color 4 formulas, which also
// count the texts with a channel within 1e-6 of a step of a half.
#include "ColourForms.h"
#include "CssColourReader.h"
#include "CssColourWriter.h"

#include <array>
#include <atomic>
#include <benchmark/benchmark.h>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

using namespace Colour;

namespace {

constexpr int FormatCount = 10;
constexpr std::array<const char*, FormatCount> Names{"hex", "rgb",   "hsl",   "hwb",  "lab",
                                                     "lch", "oklab", "oklch", "name", "code"};

std::vector<Rgb8> SampleColours()
{
    std::vector<Rgb8> colours(4096);
    unsigned state = 12345;
    for (Rgb8& c : colours) {
        state = state * 1664525u + 1013904223u;
        c = {int(state >> 24), int((state >> 16) & 0xFF), int((state >> 8) & 0xFF)};
    }
    return colours;
}

void Write(benchmark::State& state, CssFormat format)
{
    const std::vector<Rgb8> colours = SampleColours();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteCssColour(colours[i++ & 4095], format));
    }
}

void Read(benchmark::State& state, CssFormat format)
{
    std::vector<QString> texts;
    for (Rgb8 c : SampleColours()) {
        QString text = WriteCssColour(c, format);
        // Only exact names read back; the nearest one stands in for the others.
        texts.push_back(format == CssFormat::Name ? text.remove(QStringLiteral("≈ ")) : text);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadCssColour(texts[i++ & 4095]));
    }
}

// --- Independent formulas, after the CSS Color 4 sample code -------------

using M = std::array<std::array<double, 3>, 3>;
using V = std::array<double, 3>;

V Mul(const M& m, const V& v)
{
    V r{};
    for (int i = 0; i < 3; ++i) {
        r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    }
    return r;
}

const M ToXyz{{{506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
               {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
               {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270}}};
const M FromXyz{{{12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
                 {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                 {705.0 / 12673, -2585.0 / 12673, 705.0 / 667}}};
const M ToD50{{{1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
               {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
               {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371}}};
const M ToD65{{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
               {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
               {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};
const M XyzLms{{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
const M LmsLab{{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
const M LmsXyz{{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};
const M LabLms{{{1.0, 0.3963377773761749, 0.2158037573099136},
                {1.0, -0.1055613458156586, -0.0638541728258133},
                {1.0, -0.0894841775298119, -1.2914855480194092}}};
const V D50{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

double Lin(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Set when a channel converted on this thread lay within 1e-6 of a step of
// a half, where a reader that rounds halves either way, or in single
// precision, could disagree.
thread_local bool nearHalf = false;

int Round(double encoded)
{
    const double level = std::clamp(encoded, 0.0, 1.0) * 255;
    nearHalf = nearHalf || std::abs(level - std::floor(level) - 0.5) < 1e-6;
    return int(std::floor(level + 0.5));
}

int Level(double linear)
{
    const double a = std::abs(linear);
    return Round(a > 0.0031308 ? std::copysign(1.055 * std::pow(a, 1 / 2.4) - 0.055, linear)
                               : 12.92 * linear);
}

// hsl() and hwb() as CSS Color 4 converts them to sRGB.
Rgb8 FromHsl(const V& hsl)
{
    const double h = std::fmod(std::fmod(hsl[0], 360) + 360, 360), s = hsl[1] / 100,
                 l = hsl[2] / 100;
    V rgb{};
    for (int i = 0; i < 3; ++i) {
        const double k = std::fmod(std::array{0, 8, 4}[i] + h / 30, 12);
        rgb[i] = l - s * std::min(l, 1 - l) * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    }
    return {Round(rgb[0]), Round(rgb[1]), Round(rgb[2])};
}

Rgb8 FromHwb(const V& hwb)
{
    const double w = hwb[1] / 100, b = hwb[2] / 100;
    if (w + b >= 1) {
        const int grey = Round(w / (w + b));
        return {grey, grey, grey};
    }
    const double h = std::fmod(std::fmod(hwb[0], 360) + 360, 360);
    V rgb{};
    for (int i = 0; i < 3; ++i) {
        const double k = std::fmod(std::array{0, 8, 4}[i] + h / 30, 12);
        rgb[i] = (0.5 - 0.5 * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}))) * (1 - w - b) + w;
    }
    return {Round(rgb[0]), Round(rgb[1]), Round(rgb[2])};
}

V Oklab(Rgb8 c)
{
    V lms =
        Mul(XyzLms, Mul(ToXyz, {Lin(c.red / 255.0), Lin(c.green / 255.0), Lin(c.blue / 255.0)}));
    for (double& x : lms) {
        x = std::cbrt(x);
    }
    return Mul(LmsLab, lms);
}

V Lab(Rgb8 c)
{
    const V xyz =
        Mul(ToD50, Mul(ToXyz, {Lin(c.red / 255.0), Lin(c.green / 255.0), Lin(c.blue / 255.0)}));
    V f{};
    for (int i = 0; i < 3; ++i) {
        const double x = xyz[i] / D50[i];
        f[i] = x > 216.0 / 24389 ? std::cbrt(x) : (24389.0 / 27 * x + 16) / 116;
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

V Polar(const V& v)
{
    const double h = std::atan2(v[2], v[1]) * 180 / M_PI;
    return {v[0], std::hypot(v[1], v[2]), h < 0 ? h + 360 : h};
}

V Rect(const V& v)
{
    return {v[0], v[1] * std::cos(v[2] * M_PI / 180), v[1] * std::sin(v[2] * M_PI / 180)};
}

Rgb8 FromLinear(const V& rgb)
{
    return {Level(rgb[0]), Level(rgb[1]), Level(rgb[2])};
}

Rgb8 FromOklab(const V& lab)
{
    if (lab[0] >= 1 || lab[0] <= 0) {
        return lab[0] >= 1 ? Rgb8{255, 255, 255} : Rgb8{0, 0, 0};
    }
    V lms = Mul(LabLms, lab);
    for (double& x : lms) {
        x = x * x * x;
    }
    return FromLinear(Mul(FromXyz, Mul(LmsXyz, lms)));
}

Rgb8 FromLab(const V& lab)
{
    const double f1 = (lab[0] + 16) / 116, f0 = lab[1] / 500 + f1, f2 = f1 - lab[2] / 200;
    const double e = 216.0 / 24389, k = 24389.0 / 27;
    const V xyz{(f0 * f0 * f0 > e ? f0 * f0 * f0 : (116 * f0 - 16) / k) * D50[0],
                lab[0] > k * e ? f1 * f1 * f1 : lab[0] / k,
                (f2 * f2 * f2 > e ? f2 * f2 * f2 : (116 * f2 - 16) / k) * D50[2]};
    return FromLinear(Mul(FromXyz, Mul(ToD65, xyz)));
}

// hsl hwb lab lch oklab oklch (i, 0 to 5) numbers to 8 bits.
Rgb8 ReadBack(int i, const V& v)
{
    switch (i) {
    case 0:
        return FromHsl(v);
    case 1:
        return FromHwb(v);
    case 2:
        return FromLab(v);
    case 3:
        return FromLab(Rect(v));
    case 4:
        return FromOklab(v);
    default:
        return FromOklab(Rect(v));
    }
}

// The three numbers of a written function, read with std::from_chars.
V Numbers(const QString& text)
{
    const QByteArray ascii = text.toLatin1();
    V v{};
    const char* p = std::strchr(ascii.constData(), '(') + 1;
    for (double& x : v) {
        while (*p == ' ' || *p == ',') {
            ++p;
        }
        p = std::from_chars(p, ascii.constData() + ascii.size(), x).ptr;
        p += *p == '%' ? 1 : 0;
    }
    return v;
}

struct Tally
{
    std::array<std::atomic<long long>, FormatCount> changed{};
    // hsl hwb lab lch oklab oklch, read by the formulas here.
    std::array<std::atomic<long long>, 6> independentChanged{};
    std::array<std::atomic<long long>, 6> nearHalf{};
    std::array<std::atomic<double>, 4> maxDifference{};
};

void AtomicMax(std::atomic<double>& target, double value)
{
    double seen = target.load();
    while (value > seen && !target.compare_exchange_weak(seen, value)) {
    }
}

void CheckRange(int firstRed, int endRed, Tally& tally)
{
    for (int r = firstRed; r < endRed; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const Rgb8 c{r, g, b};
                std::array<QString, FormatCount> texts;
                for (int f = 0; f < FormatCount; ++f) {
                    texts[f] = WriteCssColour(c, CssFormat(f));
                    if (f == int(CssFormat::Code)) {
                        const bool same = texts[f].mid(1, 2) == texts[0].mid(5, 2) &&
                                          texts[f].mid(5, 2) == texts[0].mid(1, 2);
                        tally.changed[f] += same ? 0 : 1;
                        continue;
                    }
                    if (f == int(CssFormat::Name) && texts[f].startsWith(u'≈')) {
                        continue;
                    }
                    const Outcome<CssColour> back = ReadCssColour(texts[f]);
                    tally.changed[f] += (back && back->colour == c) ? 0 : 1;
                }
                // lab, lch, oklab, oklch: the engine's exact numbers against the
                // formulas here, and the written texts converted back by them.
                const V lab = Lab(c), oklab = Oklab(c);
                const std::array<V, 4> expected{lab, Polar(lab), oklab, Polar(oklab)};
                for (int i = 0; i < 4; ++i) {
                    const Triple got = ColourForms::FromRgb8(
                        ColourForms::Form(int(ColourForms::Form::Lab) + i), c);
                    const int last =
                        (i % 2 == 1 && expected[i][1] < (i == 1 ? 0.0015 : 0.000004)) ? 2 : 3;
                    for (int k = 0; k < last; ++k) {
                        AtomicMax(tally.maxDifference[i], std::abs(got[k] - expected[i][k]));
                    }
                }
                for (int i = 0; i < 6; ++i) {
                    const V written = Numbers(texts[int(CssFormat::Hsl) + i]);
                    nearHalf = false;
                    const Rgb8 back = ReadBack(i, written);
                    tally.independentChanged[i] += back == c ? 0 : 1;
                    tally.nearHalf[i] += nearHalf ? 1 : 0;
                }
            }
        }
    }
}

int FullCube()
{
    const auto start = std::chrono::steady_clock::now();
    Tally tally;
    std::thread other(CheckRange, 0, 128, std::ref(tally));
    CheckRange(128, 256, tally);
    other.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    long long total = 0;
    std::printf("Colours changed by a round trip, of 16777216 (name: exact names only):\n");
    for (int f = 0; f < FormatCount; ++f) {
        std::printf("  %-6s %lld\n", Names[f], tally.changed[f].load());
        total += tally.changed[f];
    }
    std::printf("Against the formulas written here (halves up), texts read back differently,\n"
                "texts with a channel within 1e-6 of a step of a half, and (lab to oklch)\n"
                "the largest difference from the engine's exact numbers:\n");
    for (int i = 0; i < 6; ++i) {
        std::printf("  %-6s changed %lld, near a half %lld", Names[2 + i],
                    tally.independentChanged[i].load(), tally.nearHalf[i].load());
        if (i >= 2) {
            std::printf(", largest difference %.3g", tally.maxDifference[i - 2].load());
        }
        std::printf("\n");
        total += tally.independentChanged[i] + tally.nearHalf[i];
    }
    std::printf("%s in %.1f s\n", total == 0 ? "All colours came back" : "SOME COLOURS CHANGED",
                seconds);
    return total == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--full-cube") == 0) {
        return FullCube();
    }
    for (int f = 0; f < FormatCount; ++f) {
        const CssFormat format = CssFormat(f);
        benchmark::RegisterBenchmark((std::string("Write/") + Names[f]).c_str(), Write, format)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    for (int f = 0; f < FormatCount; ++f) {
        const CssFormat format = CssFormat(f);
        if (format != CssFormat::Code) {
            benchmark::RegisterBenchmark((std::string("Read/") + Names[f]).c_str(), Read, format)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
