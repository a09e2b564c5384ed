#include "report_control.h"

#include <QFileInfo>

#include "form.h"
#include "long_job.h"
#include "program.h"
#include "report_window.h"

namespace report {

ReportControl::ReportControl(forms::Form& owner, db::Database& database)
    : owner_(owner), database_(database) {}

ReportWindow* ReportControl::Action(int action) {
    if (action != 1)
        return nullptr;
    ReportDefinition definition;
    std::vector<Condition> conditions;
    ReportRows rows;
    QString failure;
    {
        // Reading the rows is long work: the windows stay drawn meanwhile.
        forms::LongJob job;
        try {
            definition = readReportFile(ReportFileName.toStdString());
            conditions = parseSelectionFormula(SelectionFormula.toStdString());
            rows = readReportRows(database_, definition, conditions);
        } catch (const std::exception& error) {
            failure = QString::fromStdString(error.what());
        }
    }
    if (!failure.isEmpty()) {
        owner_.msgBox(failure, forms::msg::Critical);
        return nullptr;
    }
    ReportWindow* window = owner_.program().load<ReportWindow>();
    if (!window)
        return nullptr;
    window->showReport(definition, rows, conditions, QFileInfo(ReportFileName).fileName());
    return owner_.program().show(*window) ? window : nullptr;
}

}  // namespace report
