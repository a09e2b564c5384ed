#pragma once
// The data control: a record source opened on a database (DatabaseName and
// RecordSource, then Refresh), its current row moved by code through
// recordset() or by the user with its four buttons (first, previous, next,
// last), its caption between them, and the controls bound to it, which show
// the current row's fields.
//
// - Refresh opens the record source anew (a changed RecordSource runs the new
//   one) on the first row; a data control whose window loads without a
//   Refresh opens itself right after Form_Load, as the old one did.
// - Reposition (the signal reposition()) runs after every change of the
//   current row, the opening included, an empty one too; the bound controls
//   show the new row first.
// - RecordCount is the number of rows of the source. A large one opens on
//   its first page and is counted without reading its rows; until the count
//   comes RecordCount is the rows known (the first page), and Reposition runs
//   once more when it comes, so that a caption that shows it follows. A move
//   past the rows known waits for the count. Any row costs the same to reach.
// - Bound boxes show a field's value as text ("" for Null, and when there is
//   no current row); Update writes back the bound text boxes whose text
//   differs from their field, with the fields set by code.
// - Failures raise DataError in code; a failure of the user's own action (an
//   arrow, the opening after Load) is shown in a message box instead.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

#include "record_source.h"

class QLabel;
class QToolButton;

namespace forms {

class DataControl;

// The data control's Recordset: the moves, EOF and BOF, the position, the
// count, FindFirst, the fields of the current row, Edit and Update. A
// recordset without rows is at BOF and EOF at once; moving where no row is
// raises DataError ("No hay registro activo.").
class DataRecordset {
public:
    bool isOpen() const;
    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    // Moves to the 0-based position (a grid's row).
    void moveTo(long position);
    // The current row's 0-based position (AbsolutePosition); -1 at BOF or EOF.
    long absolutePosition() const;
    long recordCount() const;
    // FindFirst: true when a row was found and made current; false (NoMatch)
    // leaves the current row where it was.
    bool findFirst(const QString& criteria);

    int fieldCount() const;
    QString fieldName(int field) const;
    // The current row's value (while editing, the value set); an unknown
    // field or no current row raises DataError.
    runtime::Value field(int field) const;
    runtime::Value field(const QString& name) const;

    bool updatable() const;
    // Edit: starts changing the current row; set() starts it too.
    void edit();
    void set(int field, runtime::Value value);
    void set(const QString& name, runtime::Value value);
    // Update: stores the fields set and the bound boxes' edits into the
    // current row, which stays current (no reposition).
    void update();
    void cancelUpdate();

private:
    friend class DataControl;
    explicit DataRecordset(DataControl& control) : control_(control) {}
    int checkedField(int field) const;
    int checkedField(const QString& name) const;
    long checkedCurrent() const;

    DataControl& control_;
};

class DataControl : public QWidget {
    Q_OBJECT

public:
    explicit DataControl(QWidget* parent = nullptr);
    ~DataControl() override;

    // How the control reaches its database (see platform/forms/bound).
    void setConnector(std::shared_ptr<DataConnector> connector);

    void setDatabaseName(const QString& name) { databaseName_ = name; }
    QString databaseName() const { return databaseName_; }
    void setRecordSource(const QString& source) { recordSource_ = source; }
    QString recordSource() const { return recordSource_; }
    void setCaption(const QString& caption);
    QString caption() const;

    // Refresh: opens the record source anew; raises DataError when it cannot
    // (the control is then closed: no rows).
    void refresh();
    // The opening right after the window's Load: when no Refresh came and a
    // record source is set, opens it, a failure shown in a message box.
    void openAfterLoad();

    DataRecordset& recordset() { return recordset_; }
    const DataRecordset& recordset() const { return recordset_; }
    // The open source, null when closed (for the bound grid and combos).
    RecordSource* source() const { return source_.get(); }

    // The number of rows, waiting for the count (for the bound grid and
    // combos); 0 when closed.
    long rowCount();

    // Bound controls (setDataSource below).
    void bind(QWidget* control, const QString& field);
    void setBoundField(QWidget* control, const QString& field);
    QString boundField(const QWidget* control) const;

signals:
    // The current row changed (the old Reposition).
    void reposition();
    // The source was opened anew or closed: the bound lists read it again.
    void opened();
    // The rows were counted: rowCount() is known (the grid grows to it).
    void rowsCounted();

private:
    friend class DataRecordset;
    struct Bound {
        QPointer<QWidget> control;
        QString field;
    };

    void moved(long position);
    void showBound();
    void showBound(const Bound& bound);
    bool rowExists(long row);
    void countArrived(bool reposition);
    void userMove(void (DataRecordset::*move)());
    void showError(const std::exception& error);

    std::shared_ptr<DataConnector> connector_;
    QString databaseName_, recordSource_;
    std::unique_ptr<RecordSource> source_;
    long position_ = -1;
    bool refreshed_ = false;
    int opening_ = 0;           // which opening a late count belongs to
    bool countShown_ = false;   // rowsCounted() was told for this opening
    bool captionOwed_ = false;  // the count came with no Reposition after it yet
    std::vector<std::pair<int, runtime::Value>> pending_;
    bool editing_ = false;
    std::vector<Bound> bound_;
    DataRecordset recordset_;
    QLabel* caption_;
};

// DataSource and DataField of a box (forms::TextBox, MultiLineTextBox), a
// label (QLabel) or a data combo: the control shows the field of the data
// control's current row. The field may be set later (setDataField) or
// changed; an empty field shows nothing.
void setDataSource(QWidget* control, DataControl* data, const QString& field = {});
void setDataField(QWidget* control, const QString& field);
QString dataField(const QWidget* control);

}  // namespace forms
