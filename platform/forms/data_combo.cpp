#include "data_combo.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "data_control.h"

namespace forms {

DataCombo::DataCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void DataCombo::setRowSource(DataControl* rows) {
    if (rows_)
        disconnect(rows_, nullptr, this, nullptr);
    rows_ = rows;
    if (rows_)
        connect(rows_, &DataControl::opened, this, &DataCombo::refill);
    refill();
}

void DataCombo::setListField(const QString& field) {
    listField_ = field;
    refill();
}

void DataCombo::setBoundColumn(const QString& field) {
    boundColumn_ = field;
    refill();
}

void DataCombo::refill() {
    const QString kept = currentText();
    {
        // Filling the list changes no text: no Change runs.
        const QSignalBlocker blocker(this);
        const QSignalBlocker editBlocker(lineEdit());
        clear();
        RecordSource* source = rows_ ? rows_->source() : nullptr;
        const int listAt = source ? source->fieldPosition(listField_) : -1;
        if (listAt >= 0) {
            const long rows = rows_->rowCount();
            const int boundAt = source->fieldPosition(boundColumn_);
            for (long row = 0; row < rows; ++row) {
                const auto text = QString::fromStdString(source->value(row, listAt).to_text());
                const auto bound =
                    boundAt >= 0 ? QString::fromStdString(source->value(row, boundAt).to_text())
                                 : text;
                addItem(text, bound);
            }
        }
        setCurrentIndex(-1);
        setEditText(kept);
    }
}

void DataCombo::setText(const QString& text) {
    setEditText(text);
}

int DataCombo::matchingEntry() const {
    const QString text = currentText();
    if (currentIndex() >= 0 && itemText(currentIndex()) == text)
        return currentIndex();
    return findText(text, Qt::MatchFixedString);
}

bool DataCombo::matchedWithList() const {
    return matchingEntry() >= 0;
}

QString DataCombo::boundText() const {
    const int entry = matchingEntry();
    return entry >= 0 ? itemData(entry).toString() : QString();
}

void DataCombo::setBoundText(const QString& value) {
    const int entry = value.isEmpty() ? -1 : findData(value);
    if (entry >= 0) {
        setCurrentIndex(entry);
        setEditText(itemText(entry));
    } else {
        setCurrentIndex(-1);
        setEditText("");
    }
}

}  // namespace forms
