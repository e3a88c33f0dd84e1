#include "charts/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include <QLocale>

namespace lrv {

namespace {
    // Values whose spread is below this fraction of their size show as one value: telling them apart
    // would take labels of more digits than an axis has room for.
    constexpr double kFlatSpread = 1e-9;
    // A fixed-form label longer than this reads better in scientific form, when that is shorter.
    constexpr int kLongestFixed = 10;
    // Tick indices stay far inside the integers a double holds exactly.
    constexpr double kLargestIndex = 1e15;

    // 10^e, exact where a double holds it exactly.
    double powerOfTen(int e)
    {
        static const double exact[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14,
            1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
        return e >= 0 && e <= 22 ? exact[e] : std::pow(10.0, e);
    }

    // m · 10^e; dividing by an exact power of ten rounds once, where multiplying by 10^-e would round twice.
    double scaled(double m, int e) { return e >= 0 ? m * powerOfTen(e) : m / powerOfTen(-e); }

    QString fixedText(double value, int decimals)
    {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(value, 'f', decimals);
    }

    QString scientificText(double value, int decimals)
    {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*E", decimals, value);
        QString text = QString::fromLatin1(buffer);
        const QString separator = QLocale().decimalPoint();
        if (separator != QLatin1String("."))
            text.replace(QLatin1Char('.'), separator);
        return text;
    }

    // The ticks of one step over [low, high]; false when the indices would leave the exact integers.
    bool place(AxisTicks& ticks)
    {
        const double step = ticks.step();
        const double from = std::ceil(ticks.low / step - 1e-12);
        const double to = std::floor(ticks.high / step + 1e-12);
        if (!(std::abs(from) < kLargestIndex && std::abs(to) < kLargestIndex))
            return false;
        ticks.first = std::int64_t(from);
        ticks.count = int(std::max(0.0, std::min(to - from + 1, double(std::numeric_limits<int>::max()))));
        return true;
    }

    void chooseNotation(AxisTicks& ticks, AxisTicks::Notation notation)
    {
        ticks.scientific = false;
        ticks.decimals = std::max(0, -ticks.exponent);
        qsizetype fixedLength = 0;
        double largest = 0;
        for (int i = 0; i < ticks.count; ++i) {
            fixedLength = std::max(fixedLength, ticks.label(i).size());
            largest = std::max(largest, std::abs(ticks.value(i)));
        }
        if (largest == 0)
            return;
        const int fixedDecimals = ticks.decimals;
        ticks.scientific = true;
        ticks.decimals = std::max(1, int(std::floor(std::log10(largest))) - ticks.exponent);
        qsizetype scientificLength = 0;
        for (int i = 0; i < ticks.count; ++i)
            scientificLength = std::max(scientificLength, ticks.label(i).size());
        const bool scientific = notation == AxisTicks::Notation::Scientific
            ? scientificLength <= fixedLength
            : fixedLength > kLongestFixed && scientificLength < fixedLength;
        if (!scientific) {
            ticks.scientific = false;
            ticks.decimals = fixedDecimals;
        }
    }
}

double AxisTicks::step() const { return scaled(mantissa, exponent); }

double AxisTicks::value(int index) const { return scaled(double(first + index) * mantissa, exponent); }

QString AxisTicks::label(int index) const
{
    if (first + index == 0)
        return QStringLiteral("0");
    return scientific ? scientificText(value(index), decimals) : fixedText(value(index), decimals);
}

QStringList AxisTicks::labels() const
{
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts.append(label(i));
    return texts;
}

std::pair<double, double> AxisTicks::ends(double low, double high, double padding)
{
    if (!std::isfinite(low) || !std::isfinite(high))
        return { 0.0, 1.0 };
    if (low > high)
        std::swap(low, high);
    const double size = std::max(std::abs(low), std::abs(high));
    // Halves first, so that the span of the largest doubles does not overflow.
    const double halfSpan = high / 2 - low / 2;
    if (halfSpan <= size * kFlatSpread / 2) {
        const double centre = low / 2 + high / 2;
        const double reach = centre == 0 ? 0.5 : std::abs(centre) * 0.1;
        return { centre - reach, centre + reach };
    }
    const double largest = std::numeric_limits<double>::max();
    const double pad = halfSpan * 2 * padding;
    return { std::max(-largest, low - pad), std::min(largest, high + pad) };
}

AxisTicks AxisTicks::between(double low, double high, int maxTicks, Notation notation)
{
    AxisTicks ticks;
    ticks.low = low;
    ticks.high = high;
    if (!(high > low) || !std::isfinite(low) || !std::isfinite(high))
        return ticks;
    maxTicks = std::clamp(maxTicks, 1, kMostTicks);
    const double raw = high / maxTicks - low / maxTicks;
    ticks.exponent = int(std::floor(std::log10(raw)));
    ticks.mantissa = 1;
    // Steps grow 1, 2, 5, 10, 20, ... until the ticks fit; the first one at least as wide as raw usually does.
    static const int mantissas[] = { 1, 2, 5 };
    for (int attempt = 0; attempt < 12; ++attempt) {
        const int m = mantissas[attempt % 3];
        const int e = ticks.exponent + attempt / 3;
        if (scaled(m, e) < raw * (1 - 1e-12))
            continue;
        AxisTicks candidate = ticks;
        candidate.mantissa = m;
        candidate.exponent = e;
        if (place(candidate) && candidate.count <= maxTicks) {
            chooseNotation(candidate, notation);
            return candidate;
        }
    }
    ticks.count = 0;
    return ticks;
}

std::optional<AxisTicks> AxisTicks::withStep(double low, double high, double step, Notation notation)
{
    if (!(step > 0) || !std::isfinite(step) || !(high > low))
        return std::nullopt;
    AxisTicks ticks;
    ticks.low = low;
    ticks.high = high;
    // The step as a whole number of units of the smallest power of ten that gives one, e.g. 0.25 = 25 · 10^-2.
    const int leading = int(std::floor(std::log10(step)));
    for (int digits = 0; digits <= 3; ++digits) {
        const double units = scaled(step, digits - leading);
        if (std::abs(units - std::round(units)) > 1e-9 * units)
            continue;
        ticks.mantissa = int(std::round(units));
        ticks.exponent = leading - digits;
        if (!place(ticks) || ticks.count > kMostTicks)
            return std::nullopt;
        chooseNotation(ticks, notation);
        return ticks;
    }
    return std::nullopt;
}

AxisTicks AxisTicks::fitted(
    double low, double high, double length, const std::function<double(const QString&)>& extent, Notation notation)
{
    int most = kMostTicks;
    AxisTicks ticks = between(low, high, most, notation);
    while (ticks.count > 1) {
        const double ticksAcross = high / ticks.step() - low / ticks.step();
        const double room = length / ticksAcross;
        double widest = 0;
        for (const QString& label : ticks.labels())
            widest = std::max(widest, extent(label));
        if (widest <= room)
            return ticks;
        most = std::min(most, ticks.count) - 1;
        ticks = between(low, high, most, notation);
    }
    return ticks;
}

} // namespace lrv
