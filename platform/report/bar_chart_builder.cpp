#include "bar_chart_builder.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace report {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The top of the value axis: above the largest bar, on a round figure.
double axisTop(double largest) {
    if (largest <= 0)
        return 1;
    const double step = std::pow(10.0, std::floor(std::log10(largest)));
    return std::ceil(largest * 1.1 / step) * step;
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
    values->setRange(0, axisTop(largest));
    values->setLabelFormat("%.0f");
    values->setTitleText(qt(definition.valueTitle));
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);

    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

}  // namespace report
