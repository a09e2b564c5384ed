#pragma once
// The data-bound grid: the rows of a data control, a column for each field
// of its record source captioned with the field's name, read as they are
// shown (a source of a million rows opens at once and reads on as the user
// scrolls). Its current row is the data control's: moving in the grid moves
// the data control (and runs its Reposition), moving the data control moves
// the grid. The grid shows; it does not edit.

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>

namespace forms {

class DataControl;

// The rows of a data control as a table model, fetched page by page.
class DataTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // How many rows one fetch reads (the first page at each opening too).
    static constexpr long kPageRows = 100;

    explicit DataTableModel(DataControl* data, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    void reopen();
    void rowsRead();

    QPointer<DataControl> data_;
    int rows_ = 0;
    int columns_ = 0;
    bool failed_ = false;
};

class DataGrid : public QTableView {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);

    // DataSource: the data control whose rows the grid shows.
    void setDataSource(DataControl* data);
    DataControl* dataSource() const { return data_; }

private:
    void followDataControl();
    void currentRowChanged(const QModelIndex& current);
    void fitColumns();

    QPointer<DataControl> data_;
    DataTableModel* model_ = nullptr;
    bool following_ = false;
};

}  // namespace forms
