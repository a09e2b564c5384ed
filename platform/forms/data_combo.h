#pragma once
// The data-bound combo: its list is one field (ListField) of every row of a
// data control (RowSource); each entry carries another field of its row
// (BoundColumn), the BoundText of the entry chosen. Bound itself to a data
// control (setDataSource), it shows the entry whose bound value is the
// current row's field.
//
// Its events are those of every combo: Click when the user picks an entry
// (QComboBox::activated), Change on every change of its text, typed, picked
// or set by code (QComboBox::editTextChanged).

#include <QComboBox>
#include <QPointer>
#include <QString>

namespace forms {

class DataControl;

class DataCombo : public QComboBox {
    Q_OBJECT

public:
    explicit DataCombo(QWidget* parent = nullptr);

    // The data control whose rows the list shows; the list follows each of
    // its openings.
    void setRowSource(DataControl* rows);
    void setListField(const QString& field);
    QString listField() const { return listField_; }
    void setBoundColumn(const QString& field);
    QString boundColumn() const { return boundColumn_; }

    // The text of the box (typed or of the entry chosen).
    QString text() const { return currentText(); }
    void setText(const QString& text);
    // The bound value of the entry whose text the box holds (blind to case);
    // "" when the text is no entry's.
    QString boundText() const;
    // Chooses the entry whose bound value is `value`; none such empties the text.
    void setBoundText(const QString& value);
    // Whether the text is an entry's (MatchedWithList).
    bool matchedWithList() const;

    // Reads the list again from the row source (ReFill).
    void refill();

private:
    int matchingEntry() const;

    QPointer<DataControl> rows_;
    QString listField_, boundColumn_;
};

}  // namespace forms
