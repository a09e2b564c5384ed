#pragma once
// The report control of a window: it is given a report file and a selection
// formula, and running it shows the report in the program's report window.
//
//     Reports.ReportFileName = folder + "/mensual.rpt";
//     Reports.SelectionFormula = "{GRAFICAS.mes} = 'MARZO' AND ...";
//     Reports.Action(1);

#include <QString>

#include "database/database.h"

namespace forms {
class Form;
}

namespace report {

class ReportWindow;

class ReportControl {
public:
    // The report reads `database`; its messages show over `owner`.
    ReportControl(forms::Form& owner, db::Database& database);

    QString ReportFileName;
    QString SelectionFormula;

    // Action 1 runs the report: reads the file, the formula and the rows,
    // and shows them. A missing, unreadable or invalid report file, a
    // formula that cannot be read and a failing database each show a
    // critical message saying what failed (the file named) and show no
    // report. Returns the report window, or null after such a message.
    ReportWindow* Action(int action = 1);

private:
    forms::Form& owner_;
    db::Database& database_;
};

}  // namespace report
