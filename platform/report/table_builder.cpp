#include "table_builder.h"

#include <QHeaderView>
#include <QTableWidget>

#include "runtime/strings.h"

namespace report {

QTableWidget* buildTable(const ReportDefinition& definition, const ReportRows& rows,
                         QWidget* parent) {
    std::vector<int> shown;
    if (definition.columns.empty()) {
        for (std::size_t i = 0; i < rows.columns.size(); ++i)
            shown.push_back(static_cast<int>(i));
    } else {
        for (const std::string& name : definition.columns)
            for (std::size_t i = 0; i < rows.columns.size(); ++i)
                if (runtime::equal_case_blind(rows.columns[i], name))
                    shown.push_back(static_cast<int>(i));
    }

    auto* table = new QTableWidget(static_cast<int>(rows.rows.size()),
                                   static_cast<int>(shown.size()), parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    for (std::size_t c = 0; c < shown.size(); ++c)
        table->setHorizontalHeaderItem(
            static_cast<int>(c),
            new QTableWidgetItem(QString::fromStdString(rows.columns[shown[c]])));
    for (std::size_t r = 0; r < rows.rows.size(); ++r) {
        for (std::size_t c = 0; c < shown.size(); ++c) {
            const runtime::Value& value = rows.rows[r][shown[c]];
            auto* item = new QTableWidgetItem(QString::fromStdString(value.to_text()));
            if (value.is_number())
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

}  // namespace report
