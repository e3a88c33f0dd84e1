#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include <QString>
#include <QStringList>

namespace lrv {

/// The ticks of a value axis: round values (1, 2 or 5 times a power of ten apart) between two ends, with
/// labels that tell every tick apart. Tick i stands at (first + i) · step, computed afresh for each tick, so
/// that a tick at zero is exactly 0 and no tick drifts by adding steps up.
struct AxisTicks {
    enum class Notation { Automatic, Scientific };

    double low = 0;
    double high = 1;
    /// The step is mantissa · 10^exponent: 1, 2 or 5 for the steps chosen here.
    int mantissa = 1;
    int exponent = -1;
    std::int64_t first = 0;
    int count = 0;
    bool scientific = false;
    /// Decimals of the fixed form, or of the mantissa in the scientific form (at least one).
    int decimals = 1;

    double step() const;
    double value(int index) const;
    QString label(int index) const;
    QStringList labels() const;

    /// The ends of an axis over values from low to high, widened by `padding` (a fraction of their span) on
    /// each side. Values that lie closer together than doubles tell apart at their size count as one value,
    /// whose axis reaches 10 % of it (0.5 around 0) to either side.
    static std::pair<double, double> ends(double low, double high, double padding);
    /// At most maxTicks ticks (at least one) inside [low, high]; the labels in the fixed form unless that is
    /// longer than ten characters and the scientific form is shorter (or the notation asks for scientific
    /// and it is not longer).
    static AxisTicks between(double low, double high, int maxTicks, Notation notation = Notation::Automatic);
    /// Ticks a fixed distance apart, as a style asks; nothing when that gives more than kMostTicks ticks or
    /// the distance is not a whole number of units of some power of ten.
    static std::optional<AxisTicks> withStep(
        double low, double high, double step, Notation notation = Notation::Automatic);
    /// The most ticks, up to 20, whose labels fit beside each other on an axis `length` pixels long, where
    /// `extent` gives the room one label takes.
    static AxisTicks fitted(double low, double high, double length, const std::function<double(const QString&)>& extent,
        Notation notation = Notation::Automatic);

    static constexpr int kMostTicks = 20;
};

} // namespace lrv
