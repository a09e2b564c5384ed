#include "data_grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>
#include <climits>

#include "data_control.h"

namespace forms {

namespace {

// A column fits its caption and the rows first shown, within these bounds.
constexpr int kNarrowestColumn = 40;
constexpr int kWidestColumn = 300;

}  // namespace

// The model.

DataTableModel::DataTableModel(DataControl* data, QObject* parent)
    : QAbstractTableModel(parent), data_(data) {
    connect(data, &DataControl::opened, this, &DataTableModel::reopen);
    connect(data, &DataControl::rowsAdded, this, &DataTableModel::rowsRead);
    RecordSource* source = data->source();
    columns_ = source ? source->fieldCount() : 0;
    rows_ = source ? static_cast<int>(std::min<long>(source->rowsRead(), INT_MAX)) : 0;
    if (rows_ < kPageRows)
        fetchMore({});
}

int DataTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DataTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant DataTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || !data_ || !data_->source())
        return {};
    return QString::fromStdString(data_->source()->value(index.row(), index.column()).to_text());
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !data_ || !data_->source())
        return QAbstractTableModel::headerData(section, orientation, role);
    return data_->source()->fieldName(section);
}

bool DataTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !failed_ && data_ && data_->source() &&
           !data_->source()->allRowsRead();
}

void DataTableModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    try {
        data_->readMore(kPageRows);
    } catch (const std::exception& error) {
        // The rows read stay shown; the grid stops reading until the next opening.
        failed_ = true;
        qWarning("%s: %s", qPrintable(data_->objectName()), error.what());
    }
}

void DataTableModel::reopen() {
    beginResetModel();
    RecordSource* source = data_ ? data_->source() : nullptr;
    columns_ = source ? source->fieldCount() : 0;
    rows_ = 0;
    failed_ = false;
    endResetModel();
    rowsRead();
    // The first page is read before the data control's first Reposition,
    // which then counts it.
    if (rows_ < kPageRows)
        fetchMore({});
}

void DataTableModel::rowsRead() {
    RecordSource* source = data_ ? data_->source() : nullptr;
    if (!source)
        return;
    const int read = static_cast<int>(std::min<long>(source->rowsRead(), INT_MAX));
    if (read <= rows_)
        return;
    beginInsertRows({}, rows_, read - 1);
    rows_ = read;
    endInsertRows();
}

// The grid.

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void DataGrid::setDataSource(DataControl* data) {
    if (data_)
        disconnect(data_, nullptr, this, nullptr);
    QAbstractItemModel* before = model();
    data_ = data;
    model_ = data ? new DataTableModel(data, this) : nullptr;
    setModel(model_);
    delete before;
    if (!data)
        return;
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { currentRowChanged(current); });
    // The model hears of an opening first: its columns are there to fit.
    connect(data, &DataControl::opened, this, &DataGrid::fitColumns);
    connect(data, &DataControl::reposition, this, &DataGrid::followDataControl);
    fitColumns();
    followDataControl();
}

void DataGrid::fitColumns() {
    for (int column = 0; column < model_->columnCount(); ++column) {
        resizeColumnToContents(column);
        setColumnWidth(column, std::clamp(columnWidth(column), kNarrowestColumn, kWidestColumn));
    }
}

void DataGrid::followDataControl() {
    if (!data_ || following_)
        return;
    const long position = data_->recordset().absolutePosition();
    following_ = true;
    if (position < 0 || position >= model_->rowCount()) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex index = model_->index(static_cast<int>(position), column);
        selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    following_ = false;
}

void DataGrid::currentRowChanged(const QModelIndex& current) {
    if (following_ || !data_ || !current.isValid())
        return;
    if (data_->recordset().absolutePosition() == current.row())
        return;
    following_ = true;
    try {
        data_->recordset().moveTo(current.row());
    } catch (const std::exception& error) {
        qWarning("%s: %s", qPrintable(objectName()), error.what());
    }
    following_ = false;
}

}  // namespace forms
