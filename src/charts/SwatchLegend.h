#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;

namespace lrv {

/// The legend panel of a bar chart: one colour swatch with its caption per series, one above the other.
class SwatchLegend : public QWidget {
    Q_OBJECT

public:
    struct Entry {
        QString swatchName; ///< objectName of the swatch, e.g. "shPositives"
        QString caption;
    };

    SwatchLegend(const QList<Entry>& entries, QWidget* parent = nullptr);

    void setSwatchColors(int entry, const QColor& fill, const QColor& border);
    void setBackColor(const QColor& color);
    void setForeColor(const QColor& color);

private:
    void paintSwatch(int entry);

    struct Swatch {
        QFrame* frame;
        QLabel* caption;
        QColor fill;
        QColor border;
    };
    QList<Swatch> m_swatches;
};

} // namespace lrv
