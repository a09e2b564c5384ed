#pragma once
// The data-bound grid: the rows of a data control, a column for each field
// of its record source captioned with the field's name. Its rows are the
// source's count (the first page until the count comes, then all of them),
// each read by its page as it is drawn, so that a source of a million rows
// opens at once and any place of it, reached by the keys or by dragging the
// scroll bar, is drawn as fast as the first. Its current row is the data
// control's: moving in the grid moves the data control (and runs its
// Reposition), moving the data control moves the grid. The grid shows; it
// does not edit.

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>

namespace forms {

class DataControl;

// The rows of a data control as a table model.
class DataTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit DataTableModel(DataControl* data, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void reopen();
    void rowsCounted();

    QPointer<DataControl> data_;
    int rows_ = 0;
    int columns_ = 0;
    mutable bool failed_ = false;
};

class DataGrid : public QTableView {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);

    // DataSource: the data control whose rows the grid shows.
    void setDataSource(DataControl* data);
    DataControl* dataSource() const { return data_; }

protected:
    // A move towards the end waits for the count, so that Ctrl+End and the
    // page keys reach the true last row.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void followDataControl();
    void currentRowChanged(const QModelIndex& current);
    void fitColumns();

    QPointer<DataControl> data_;
    DataTableModel* model_ = nullptr;
    bool following_ = false;
};

}  // namespace forms
