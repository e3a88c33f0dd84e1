#include "support/XTremeChartsHelper.h"

#include "support/Error.h"

#include <cmath>
#include <map>

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWidget>
#include <QXmlStreamReader>

namespace lrv::XTremeChartsHelper {

namespace {
    const QString kRoot = QStringLiteral("ChartStyle");

    /// Reads one section of a style file and reports errors with the file name and line.
    class StyleReader {
    public:
        StyleReader(const QString& path, const QString& section)
            : m_path(path)
            , m_section(section)
            , m_file(path)
        {
        }

        /// Calls handle(element name) for every element directly inside the section.
        template <typename Handler> void read(Handler&& handle)
        {
            if (!m_file.open(QIODevice::ReadOnly))
                throw Error(QStringLiteral("The chart style file %1 cannot be opened: %2. Check that it is in the "
                                           "style folder.")
                                .arg(QDir::toNativeSeparators(m_path), m_file.errorString()));
            m_xml.setDevice(&m_file);
            if (!m_xml.readNextStartElement() || m_xml.name() != kRoot)
                fail(QStringLiteral("the file does not begin with a <%1> element").arg(kRoot));
            bool found = false;
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() != m_section || found) {
                    m_xml.skipCurrentElement();
                    continue;
                }
                found = true;
                while (m_xml.readNextStartElement()) {
                    handle(m_xml.name().toString());
                    m_xml.skipCurrentElement();
                }
            }
            if (m_xml.hasError())
                fail(m_xml.errorString());
            if (!found)
                fail(QStringLiteral("the file has no <%1> section").arg(m_section));
        }

        [[noreturn]] void fail(const QString& what) const
        {
            // The XML reader's own messages end with a full stop; the sentence gets only one.
            QString reason = what;
            if (reason.endsWith(QLatin1Char('.')))
                reason.chop(1);
            throw Error(QStringLiteral("Chart style file %1, line %2: %3.")
                            .arg(QFileInfo(m_path).fileName())
                            .arg(m_xml.lineNumber())
                            .arg(reason));
        }

        bool has(const char* name) const { return m_xml.attributes().hasAttribute(QLatin1String(name)); }
        QString text(const char* name) const { return m_xml.attributes().value(QLatin1String(name)).toString(); }

        double number(const char* name, double fallback) const
        {
            if (!has(name))
                return fallback;
            bool ok = false;
            const double value = text(name).trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(value))
                fail(QStringLiteral("the attribute %1=\"%2\" is not a number").arg(QLatin1String(name), text(name)));
            return value;
        }

        std::optional<double> optionalNumber(const char* name) const
        {
            if (!has(name) || text(name).trimmed().isEmpty())
                return std::nullopt;
            return number(name, 0);
        }

        bool flag(const char* name, bool fallback) const
        {
            if (!has(name))
                return fallback;
            const QString value = text(name).trimmed().toLower();
            if (value == QLatin1String("true") || value == QLatin1String("1"))
                return true;
            if (value == QLatin1String("false") || value == QLatin1String("0"))
                return false;
            fail(QStringLiteral("the attribute %1=\"%2\" is neither true nor false")
                     .arg(QLatin1String(name), text(name)));
        }

        QColor color(const char* name) const
        {
            const QColor value = QColor::fromString(text(name).trimmed());
            if (!value.isValid())
                fail(QStringLiteral("the attribute %1=\"%2\" is not a colour (use #RRGGBB or #AARRGGBB)")
                         .arg(QLatin1String(name), text(name)));
            return value;
        }

        template <typename T> T choice(const char* name, const std::map<QString, T>& choices, T fallback) const
        {
            if (!has(name))
                return fallback;
            const auto found = choices.find(text(name).trimmed().toLower());
            if (found == choices.end()) {
                QStringList names;
                for (const auto& entry : choices)
                    names.append(entry.first);
                fail(QStringLiteral("the attribute %1=\"%2\" is not one of %3")
                         .arg(QLatin1String(name), text(name), names.join(QStringLiteral(", "))));
            }
            return found->second;
        }

    private:
        QString m_path;
        QString m_section;
        QFile m_file;
        QXmlStreamReader m_xml;
    };

    void readAxis(const StyleReader& reader, ChartAxisStyle& axis)
    {
        axis.title = reader.text("title");
        axis.labelsVisible = reader.flag("labels", axis.labelsVisible);
        axis.gridVisible = reader.flag("grid", axis.gridVisible);
        axis.minimum = reader.optionalNumber("min");
        axis.maximum = reader.optionalNumber("max");
        if (axis.minimum && axis.maximum && !(*axis.minimum < *axis.maximum))
            reader.fail(QStringLiteral("the axis minimum must be below its maximum"));
        axis.padding = reader.number("padding", axis.padding);
        if (axis.padding < 0 || axis.padding > 1)
            reader.fail(QStringLiteral("the axis padding must be a fraction from 0 to 1"));
        axis.tickInterval = reader.optionalNumber("tickInterval");
        if (axis.tickInterval && !(*axis.tickInterval > 0))
            reader.fail(QStringLiteral("the tick interval must be above 0"));
    }

    const std::map<QString, ChartSeriesKind> kKinds
        = { { QStringLiteral("line"), ChartSeriesKind::Line }, { QStringLiteral("scatter"), ChartSeriesKind::Scatter },
              { QStringLiteral("spline"), ChartSeriesKind::Spline } };
    const std::map<QString, ChartMarkerShape> kMarkers = { { QStringLiteral("none"), ChartMarkerShape::None },
        { QStringLiteral("circle"), ChartMarkerShape::Circle }, { QStringLiteral("square"), ChartMarkerShape::Square },
        { QStringLiteral("diamond"), ChartMarkerShape::Diamond },
        { QStringLiteral("triangle"), ChartMarkerShape::Triangle }, { QStringLiteral("star"), ChartMarkerShape::Star },
        { QStringLiteral("pentagon"), ChartMarkerShape::Pentagon } };
    const std::map<QString, Qt::PenStyle> kPenStyles
        = { { QStringLiteral("solid"), Qt::SolidLine }, { QStringLiteral("dash"), Qt::DashLine },
              { QStringLiteral("dot"), Qt::DotLine }, { QStringLiteral("dashdot"), Qt::DashDotLine } };
    const std::map<QString, Qt::Alignment> kAlignments
        = { { QStringLiteral("top"), Qt::AlignTop }, { QStringLiteral("bottom"), Qt::AlignBottom },
              { QStringLiteral("left"), Qt::AlignLeft }, { QStringLiteral("right"), Qt::AlignRight } };
}

ChartContentStyle ReadChartContent(const QString& path)
{
    ChartContentStyle content;
    StyleReader reader(path, QStringLiteral("Content"));
    reader.read([&](const QString& element) {
        if (element == QLatin1String("Title")) {
            content.title = reader.text("text");
        } else if (element == QLatin1String("Background")) {
            content.background = reader.color("color");
        } else if (element == QLatin1String("Legend")) {
            content.legendVisible = reader.flag("visible", true);
            content.legendAlignment = reader.choice("alignment", kAlignments, content.legendAlignment);
        } else if (element == QLatin1String("AxisX")) {
            readAxis(reader, content.axisX);
        } else if (element == QLatin1String("AxisY")) {
            readAxis(reader, content.axisY);
        } else if (element == QLatin1String("Series")) {
            ChartSeriesStyle series;
            series.name = reader.text("name");
            series.kind = reader.choice("kind", kKinds, series.kind);
            series.lineWidth = reader.number("width", series.lineWidth);
            series.marker = reader.choice("marker", kMarkers,
                series.kind == ChartSeriesKind::Scatter ? ChartMarkerShape::Circle : ChartMarkerShape::None);
            series.markerSize = reader.number("markerSize", series.markerSize);
            series.visible = reader.flag("visible", series.visible);
            series.inLegend = reader.flag("legend", series.inLegend);
            if (series.lineWidth < 0 || series.markerSize < 0)
                reader.fail(QStringLiteral("widths and marker sizes cannot be negative"));
            content.series.push_back(series);
        } else if (element == QLatin1String("ConstantLine")) {
            ChartConstantLineStyle line;
            line.name = reader.text("name");
            line.width = reader.number("width", line.width);
            line.style = reader.choice("style", kPenStyles, line.style);
            content.constantLines.push_back(line);
        }
        // Elements of later versions are passed over, so an older library still reads newer files.
    });
    return content;
}

ChartPaletteStyle ReadChartPalette(const QString& path)
{
    ChartPaletteStyle palette;
    StyleReader reader(path, QStringLiteral("Palette"));
    reader.read([&](const QString& element) {
        if (element == QLatin1String("Series"))
            palette.seriesColors.push_back(reader.color("color"));
        else if (element == QLatin1String("ConstantLine"))
            palette.constantLineColors.push_back(reader.color("color"));
        else if (element == QLatin1String("Background"))
            palette.background = reader.color("color");
    });
    return palette;
}

bool LoadChartContent(IStyledChart& chart, const QString& path)
{
    return bestEffort([&] { chart.loadContent(ReadChartContent(path)); });
}

bool LoadChartPalette(IStyledChart& chart, const QString& path)
{
    return bestEffort([&] { chart.loadPalette(ReadChartPalette(path)); });
}

QImage ChartImage(IStyledChart& chart)
{
    QWidget* window = chart.chartWindow();
    if (!window)
        return {};
    return window->grab(QRect(0, 0, window->width(), window->height())).toImage();
}

void CopyChartImage(IStyledChart& chart)
{
    const QImage image = ChartImage(chart);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(image);
}

} // namespace lrv::XTremeChartsHelper
