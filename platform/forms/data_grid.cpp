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

int rowsOf(DataControl* data) {
    RecordSource* source = data ? data->source() : nullptr;
    return source ? static_cast<int>(std::min<long>(source->rowsKnown(), INT_MAX)) : 0;
}

}  // namespace

// The model.

DataTableModel::DataTableModel(DataControl* data, QObject* parent)
    : QAbstractTableModel(parent), data_(data) {
    connect(data, &DataControl::opened, this, &DataTableModel::reopen);
    connect(data, &DataControl::rowsCounted, this, &DataTableModel::rowsCounted);
    RecordSource* source = data->source();
    columns_ = source ? source->fieldCount() : 0;
    rows_ = rowsOf(data);
}

int DataTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DataTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant DataTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || failed_ || !data_ || !data_->source())
        return {};
    try {
        return QString::fromStdString(
            data_->source()->value(index.row(), index.column()).to_text());
    } catch (const std::exception& error) {
        // The rows shown stay; the grid reads no more until the next opening.
        failed_ = true;
        qWarning("%s: %s", qPrintable(data_->objectName()), error.what());
        return {};
    }
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !data_ || !data_->source())
        return QAbstractTableModel::headerData(section, orientation, role);
    return data_->source()->fieldName(section);
}

void DataTableModel::reopen() {
    beginResetModel();
    RecordSource* source = data_ ? data_->source() : nullptr;
    columns_ = source ? source->fieldCount() : 0;
    rows_ = rowsOf(data_);
    failed_ = false;
    endResetModel();
}

// The grid grows (or shrinks) from the first page to the count; the rows
// already shown are read again, from the counted rows.
void DataTableModel::rowsCounted() {
    const int rows = rowsOf(data_);
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (rows_ > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
}

// The grid.

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Rows of one height: a million of them cost no more than a page.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
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

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    RecordSource* source = data_ ? data_->source() : nullptr;
    if (source) {
        // Past the rows known only the count tells where the end is.
        const long row = std::max(currentIndex().row(), 0);
        const long page = std::max(1, viewport()->height() / std::max(1, rowHeight(0)));
        const bool beyond =
            action == MoveEnd ||
            ((action == MoveDown || action == MoveNext) && row + 1 >= source->rowsKnown()) ||
            (action == MovePageDown && row + page >= source->rowsKnown());
        if (beyond || source->counted()) {
            try {
                data_->rowCount();
            } catch (const std::exception& error) {
                qWarning("%s: %s", qPrintable(objectName()), error.what());
            }
        }
    }
    return QTableView::moveCursor(action, modifiers);
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
    RecordSource* source = data_->source();
    if (position >= model_->rowCount() && source && source->counted()) {
        // The count came on its own thread and its news is still on the way
        // to this one: the grid grows to it before it shows the row.
        try {
            data_->rowCount();
        } catch (const std::exception& error) {
            qWarning("%s: %s", qPrintable(objectName()), error.what());
        }
    }
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
