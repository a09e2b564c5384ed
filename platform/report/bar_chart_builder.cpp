#include "bar_chart_builder.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QColor>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace report {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The value axis: from 0 to a round figure above the largest bar, in four
// to ten steps of 1, 2 or 5 times a power of ten (whole numbers at least).
struct ValueScale {
    double top;
    int ticks;
};

ValueScale valueScale(double largest) {
    const double wanted = std::max(largest * 1.1, 1.0) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    double step = power;
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= wanted) {
            step = factor * power;
            break;
        }
    step = std::max(step, 1.0);
    const double top = std::ceil(std::max(largest * 1.1, 1.0) / step) * step;
    return {top, static_cast<int>(std::lround(top / step)) + 1};
}

}  // namespace

QChart* buildBarChart(const ReportDefinition& definition, const ChartData& data) {
    auto* chart = new QChart;
    chart->setTitle(qt(definition.title));
    chart->setAnimationOptions(QChart::NoAnimation);

    auto* series = new QBarSeries;
    double largest = 0;
    for (const ChartSeries& s : data.series) {
        auto* set = new QBarSet(qt(s.name));
        set->setLabelColor(QColor(40, 40, 40));  // the value above its bar, on the white plot
        for (double value : s.values) {
            *set << value;
            largest = std::max(largest, value);
        }
        series->append(set);
    }
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series);

    auto* categories = new QBarCategoryAxis;
    for (const std::string& c : data.categories)
        categories->append(qt(c));
    categories->setTitleText(qt(definition.categoryTitle));
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);

    auto* values = new QValueAxis;
    const ValueScale scale = valueScale(largest);
    values->setRange(0, scale.top);
    values->setTickCount(scale.ticks);
    values->setLabelFormat("%.0f");
    values->setTitleText(qt(definition.valueTitle));
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);

    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

}  // namespace report
