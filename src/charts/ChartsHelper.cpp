#include "charts/ChartsHelper.h"

#include "host/HostConfiguration.h"
#include "support/LocalizationLib.h"
#include "support/NumberText.h"

#include <cmath>

#include <QLocale>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace lrv::ChartsHelper {

namespace {
    QString fixedText(double value, int decimals)
    {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(value, 'f', decimals);
    }
}

QString FormatTickLabel(double value)
{
    const QString text = fixedText(value, 1);
    return text.size() > 8 ? scientificText(value) : text;
}

QString FormatNumberText(double value, int digits)
{
    if (value == 1)
        return QStringLiteral("1");
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    QString text = fixedText(value, digits);
    const QString separator = LocalizationLib::GetDecimalSeparator();
    qsizetype separatorPosition = 0;
    if (!separator.isEmpty() && defaultNumberText(value).contains(separator))
        separatorPosition = text.indexOf(separator) + 1;
    if (text == QStringLiteral("0") + separator + QStringLiteral("00000000") || separatorPosition > 10)
        return scientificText(value);
    if (separator.isEmpty() || !text.contains(separator))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(separator))
        text.chop(separator.size());
    return text;
}

QString FormatValue8(double value) { return FormatNumberText(value, 8); }

QString FormatValue15(double value) { return FormatNumberText(value, 15); }

QString GetEquationText(double a, double b, double rs)
{
    if (!Variant(a).isNumeric() || !Variant(b).isNumeric())
        return {};
    QString text;
    if (a == kUndefinedFit && b == kUndefinedFit)
        text = QStringLiteral("y = UNDEFINED + (UNDEFINED)");
    else if (b < 0)
        text = QStringLiteral("y = ") + FormatValue8(a) + QStringLiteral("x + (") + FormatValue8(b) + QLatin1Char(')');
    else
        text = QStringLiteral("y = ") + FormatValue8(a) + QStringLiteral("x + ") + FormatValue8(b);
    text += QStringLiteral("\r\n");
    text += rs == kUndefinedFit ? QStringLiteral("RS = UNDEFINED") : QStringLiteral("RS = ") + FormatValue8(rs);
    return text;
}

OleColor GetConfigColor(const QString& key)
{
    const auto configuration = HostConfiguration::get();
    if (!configuration)
        return 0;
    // A missing or unreadable component counts as 0.
    const auto component = [&](const char* suffix) {
        const std::optional<Variant> value = configuration->setting(key + QLatin1String(suffix));
        if (!value || !value->isNumeric())
            return 0;
        return int(std::clamp(std::round(value->toDouble()), 0.0, 255.0));
    };
    return rgb(component(".R"), component(".G"), component(".B"));
}

void ApplyChartColors(QWidget* control)
{
    if (!control)
        return;
    const bool configured = HostConfiguration::get() != nullptr;
    const OleColor back
        = configured ? GetConfigColor(QStringLiteral("LogisticRegression.Charts.Background")) : rgb(255, 255, 255);
    const OleColor fore = configured ? GetConfigColor(QStringLiteral("LogisticRegression.Charts.Frame")) : 0;
    const bool hasBack = control->metaObject()->indexOfProperty("BackColor") >= 0;
    const bool hasFore = control->metaObject()->indexOfProperty("ForeColor") >= 0;
    if (hasBack)
        control->setProperty("BackColor", QVariant::fromValue<uint>(back));
    if (hasFore)
        control->setProperty("ForeColor", QVariant::fromValue<uint>(fore));
    if (hasBack && hasFore)
        return;
    QPalette palette = control->palette();
    if (!hasBack) {
        palette.setColor(QPalette::Window, toQColor(back));
        palette.setColor(QPalette::Base, toQColor(back));
    }
    if (!hasFore) {
        palette.setColor(QPalette::WindowText, toQColor(fore));
        palette.setColor(QPalette::Text, toQColor(fore));
    }
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

namespace {
    template <typename T, typename ToDouble>
    bool columnRange(const Table<T>& data, int xColumn, int yColumn, ColumnRange& range, ToDouble toDouble)
    {
        try {
            if (data.rowCount() == 0 || !data.contains(data.rowLow(), xColumn)
                || !data.contains(data.rowLow(), yColumn))
                throw std::out_of_range("column range");
            ColumnRange found;
            found.MinX = found.MaxX = toDouble(data.at(data.rowLow(), xColumn));
            found.MinY = found.MaxY = toDouble(data.at(data.rowLow(), yColumn));
            for (int row = data.rowLow() + 1; row <= data.rowHigh(); ++row) {
                const double x = toDouble(data.at(row, xColumn));
                const double y = toDouble(data.at(row, yColumn));
                found.MinX = std::min(found.MinX, x);
                found.MaxX = std::max(found.MaxX, x);
                found.MinY = std::min(found.MinY, y);
                found.MaxY = std::max(found.MaxY, y);
            }
            range = found;
            return true;
        } catch (const std::exception&) {
            range = ColumnRange();
            return false;
        }
    }
}

bool GetColumnRange(const Table<double>& data, int xColumn, int yColumn, ColumnRange& range)
{
    return columnRange(data, xColumn, yColumn, range, [](double value) { return value; });
}

bool GetVariantColumnRange(const Table<Variant>& data, int xColumn, int yColumn, ColumnRange& range)
{
    return columnRange(data, xColumn, yColumn, range, [](const Variant& value) { return value.toDouble(); });
}

double RelativeDifference(double a, double b)
{
    const double d = b - a;
    if (d == 0)
        return 1.0;
    const double mean = (a + b) / 2;
    if (mean == 0)
        return d;
    return d / std::abs(mean);
}

void NormalizeColumn(const Table<Variant>& source, Table<Variant>& target, double& offset, int column)
{
    target = source;
    if (source.rowCount() == 0)
        return;
    double max = source.at(source.rowLow(), column).toDouble();
    double min = max;
    for (int row = source.rowLow() + 1; row <= source.rowHigh(); ++row) {
        const double value = source.at(row, column).toDouble();
        max = std::max(max, value);
        min = std::min(min, value);
    }
    double span;
    if (min >= 0)
        span = max - min;
    else if (max >= 0)
        span = std::abs(min) + max;
    else
        span = std::abs(std::abs(max) - std::abs(min));
    if (span == 0)
        return;
    TableBuilder<Variant> scaled(source);
    for (int row = source.rowLow(); row <= source.rowHigh(); ++row)
        scaled.set(row, column, std::abs(source.at(row, column).toDouble() - min) / span);
    target = scaled.build();
    offset = std::abs(min) / span;
}

} // namespace lrv::ChartsHelper

#include "charts/ChartComponent.h"

namespace lrv::ChartsHelper {

int AxisLabelFormatFor(double low, double high)
{
    if (low > high)
        std::swap(low, high);
    if (std::abs(high) > 999999 || std::abs(low) > 999999)
        return 20;
    if ((std::abs(high) < 1e-8 || std::abs(low) < 1e-8) && low != 0)
        return 20;
    return 0;
}

void SetAxisLabelFormat(ChartComponent& chart, Qt::Orientation axis, double low, double high)
{
    chart.setAxisLabelFormat(axis, AxisLabelFormatFor(low, high));
}

} // namespace lrv::ChartsHelper
