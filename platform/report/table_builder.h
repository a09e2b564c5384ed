#pragma once
// The table layout: the chosen rows under their column names, read-only,
// numbers to the right.

#include "report_data.h"
#include "report_definition.h"

class QTableWidget;
class QWidget;

namespace report {

QTableWidget* buildTable(const ReportDefinition& definition, const ReportRows& rows,
                         QWidget* parent);

}  // namespace report
