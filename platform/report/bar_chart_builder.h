#pragma once
// The bar chart layout: one group of bars per category, one bar of each
// series in every group, the values written on the bars, the axes titled
// and the legend naming the series.

#include <QString>

#include "report_data.h"
#include "report_definition.h"

class QChart;

namespace report {

// A new chart (the caller owns it; a chart view takes it over).
QChart* buildBarChart(const ReportDefinition& definition, const ChartData& data);

}  // namespace report
