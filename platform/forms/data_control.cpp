#include "data_control.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QToolButton>

#include "data_combo.h"
#include "form.h"
#include "text_box.h"

namespace forms {

namespace {

constexpr const char* kDataSourceProperty = "forms_dataSource";

enum class MoveMark { First, Previous, Next, Last };

// The marks of the four buttons, as the old control drew them: a triangle
// pointing the way, with a bar at the end for the first and the last row.
QIcon moveIcon(MoveMark mark, const QColor& color) {
    constexpr int kSize = 12;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const bool back = mark == MoveMark::First || mark == MoveMark::Previous;
    const bool bar = mark == MoveMark::First || mark == MoveMark::Last;
    const qreal tip = back ? (bar ? 3.0 : 2.5) : (bar ? 9.0 : 9.5);
    const qreal base = back ? (bar ? 9.5 : 9.0) : (bar ? 2.5 : 3.0);
    painter.drawPolygon(QPolygonF({QPointF(base, 1.5), QPointF(tip, 6.0), QPointF(base, 10.5)}));
    if (bar)
        painter.drawRect(QRectF(back ? 1.0 : 9.5, 1.5, 1.5, 9.0));
    return QIcon(pixmap);
}

[[noreturn]] void noCurrentRow() {
    throw DataError(3000, "No hay registro activo.");
}

[[noreturn]] void closed() {
    throw DataError(3000, "El control de datos no tiene un conjunto de registros abierto.");
}

DataControl* dataSourceOf(const QWidget* control) {
    return qobject_cast<DataControl*>(control->property(kDataSourceProperty).value<QObject*>());
}

// The text a bound box holds for its field, when it is one that writes back.
bool editedText(const QWidget* control, QString& text) {
    if (auto* box = qobject_cast<const TextBox*>(control)) {
        text = box->text();
        return true;
    }
    if (auto* box = qobject_cast<const MultiLineTextBox*>(control)) {
        text = box->text();
        return true;
    }
    return false;
}

}  // namespace

// The recordset.

bool DataRecordset::isOpen() const {
    return control_.source_ != nullptr;
}

bool DataRecordset::bof() const {
    return !isOpen() || !control_.rowExists(0) || control_.position_ < 0;
}

bool DataRecordset::eof() const {
    return !isOpen() || !control_.rowExists(0) ||
           (control_.position_ >= 0 && !control_.rowExists(control_.position_));
}

void DataRecordset::moveFirst() {
    if (!isOpen())
        closed();
    if (!control_.rowExists(0))
        noCurrentRow();
    control_.moved(0);
}

void DataRecordset::moveNext() {
    if (eof())
        noCurrentRow();
    const long next = control_.position_ + 1;
    control_.moved(control_.rowExists(next) ? next : control_.rowCount());
}

void DataRecordset::movePrevious() {
    if (bof())
        noCurrentRow();
    control_.moved(control_.position_ - 1);
}

void DataRecordset::moveLast() {
    if (!isOpen())
        closed();
    const long rows = control_.rowCount();
    if (rows == 0)
        noCurrentRow();
    control_.moved(rows - 1);
}

void DataRecordset::moveTo(long position) {
    if (!isOpen())
        closed();
    if (position < 0 || !control_.rowExists(position))
        noCurrentRow();
    control_.moved(position);
}

long DataRecordset::absolutePosition() const {
    return bof() || eof() ? -1 : control_.position_;
}

long DataRecordset::recordCount() const {
    return isOpen() ? control_.source_->rowsKnown() : 0;
}

bool DataRecordset::findFirst(const QString& criteria) {
    if (!isOpen())
        closed();
    const long found = control_.source_->findFirst(criteria);
    control_.countArrived(false);
    if (found < 0)
        return false;
    control_.moved(found);
    return true;
}

int DataRecordset::fieldCount() const {
    return isOpen() ? control_.source_->fieldCount() : 0;
}

QString DataRecordset::fieldName(int field) const {
    return control_.source_->fieldName(checkedField(field));
}

int DataRecordset::checkedField(int field) const {
    if (!isOpen())
        closed();
    if (field < 0 || field >= control_.source_->fieldCount())
        throw DataError(3000, "No hay un campo en la posición " + std::to_string(field) + ".");
    return field;
}

int DataRecordset::checkedField(const QString& name) const {
    if (!isOpen())
        closed();
    const int field = control_.source_->fieldPosition(name);
    if (field < 0)
        throw DataError(
            3000, "No se encontró el elemento en esta colección: " + name.toStdString() + ".");
    return field;
}

long DataRecordset::checkedCurrent() const {
    if (!isOpen())
        closed();
    if (bof() || eof())
        noCurrentRow();
    return control_.position_;
}

runtime::Value DataRecordset::field(int field) const {
    const int at = checkedField(field);
    const long row = checkedCurrent();
    if (control_.editing_)
        for (const auto& [pendingField, value] : control_.pending_)
            if (pendingField == at)
                return value;
    return control_.source_->value(row, at);
}

runtime::Value DataRecordset::field(const QString& name) const {
    return field(checkedField(name));
}

bool DataRecordset::updatable() const {
    return isOpen() && control_.source_->updatable();
}

void DataRecordset::edit() {
    checkedCurrent();
    control_.editing_ = true;
    control_.pending_.clear();
}

void DataRecordset::set(int field, runtime::Value value) {
    const int at = checkedField(field);
    checkedCurrent();
    control_.editing_ = true;
    for (auto& [pendingField, pendingValue] : control_.pending_)
        if (pendingField == at) {
            pendingValue = std::move(value);
            return;
        }
    control_.pending_.emplace_back(at, std::move(value));
}

void DataRecordset::set(const QString& name, runtime::Value value) {
    set(checkedField(name), std::move(value));
}

void DataRecordset::update() {
    const long row = checkedCurrent();
    RecordSource& source = *control_.source_;
    std::vector<std::pair<int, runtime::Value>> fields = control_.pending_;
    // The bound boxes' edits, unless code set the same field.
    for (const auto& bound : control_.bound_) {
        QString text;
        if (!bound.control || bound.field.isEmpty() || !editedText(bound.control, text))
            continue;
        const int at = source.fieldPosition(bound.field);
        if (at < 0 || text == QString::fromStdString(source.value(row, at).to_text()))
            continue;
        bool setByCode = false;
        for (const auto& [pendingField, value] : fields)
            setByCode = setByCode || pendingField == at;
        if (!setByCode)
            fields.emplace_back(
                at, text.isEmpty() ? runtime::Value() : runtime::Value(text.toStdString()));
    }
    control_.editing_ = false;
    control_.pending_.clear();
    if (fields.empty())
        return;
    source.update(row, fields);
    control_.showBound();
}

void DataRecordset::cancelUpdate() {
    control_.editing_ = false;
    control_.pending_.clear();
}

// The control.

DataControl::DataControl(QWidget* parent) : QWidget(parent), recordset_(*this) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto button = [this, layout](const char* name, MoveMark mark, void (DataRecordset::*move)()) {
        auto* made = new QToolButton(this);
        made->setObjectName(name);
        made->setIcon(moveIcon(mark, palette().color(QPalette::ButtonText)));
        made->setFocusPolicy(Qt::NoFocus);
        connect(made, &QToolButton::clicked, this, [this, move] { userMove(move); });
        layout->addWidget(made);
        return made;
    };
    button("moveFirst", MoveMark::First, &DataRecordset::moveFirst);
    button("movePrevious", MoveMark::Previous, &DataRecordset::movePrevious);
    caption_ = new QLabel(this);
    caption_->setObjectName("caption");
    caption_->setFrameShape(QFrame::Panel);
    caption_->setFrameShadow(QFrame::Sunken);
    layout->addWidget(caption_, 1);
    button("moveNext", MoveMark::Next, &DataRecordset::moveNext);
    button("moveLast", MoveMark::Last, &DataRecordset::moveLast);
}

DataControl::~DataControl() {
    for (const auto& b : bound_)
        if (b.control && dataSourceOf(b.control) == this)
            b.control->setProperty(kDataSourceProperty, QVariant());
}

void DataControl::setConnector(std::shared_ptr<DataConnector> connector) {
    connector_ = std::move(connector);
}

void DataControl::setCaption(const QString& caption) {
    caption_->setText(caption);
}

QString DataControl::caption() const {
    return caption_->text();
}

void DataControl::refresh() {
    refreshed_ = true;
    source_.reset();
    ++opening_;
    countShown_ = false;
    position_ = -1;
    editing_ = false;
    pending_.clear();
    if (!connector_) {
        emit opened();
        throw DataError(3000, "El control de datos no tiene con qué abrir su base de datos.");
    }
    try {
        source_ = connector_->open(databaseName_, recordSource_);
    } catch (...) {
        emit opened();
        showBound();
        throw;
    }
    position_ = source_->rowsKnown() > 0 ? 0 : -1;
    countShown_ = source_->counted();
    emit opened();
    moved(position_);
    if (!countShown_) {
        // The count comes on another thread; it is shown here, in this one.
        const int opening = opening_;
        source_->whenCounted([this, opening] {
            QMetaObject::invokeMethod(
                this,
                [this, opening] {
                    if (opening != opening_)
                        return;
                    if (!countShown_) {
                        countArrived(true);
                    } else if (captionOwed_) {
                        captionOwed_ = false;
                        emit reposition();
                    }
                },
                Qt::QueuedConnection);
        });
    }
}

void DataControl::openAfterLoad() {
    if (refreshed_ || recordSource_.isEmpty())
        return;
    try {
        refresh();
    } catch (const std::exception& error) {
        showError(error);
    }
}

long DataControl::rowCount() {
    if (!source_)
        return 0;
    const long rows = source_->rowCount();
    countArrived(false);
    return rows;
}

bool DataControl::rowExists(long row) {
    if (!source_ || row < 0)
        return false;
    return row < source_->rowsKnown() || (!source_->counted() && row < rowCount());
}

// The grid grows to the count; the caption follows with a Reposition on the
// same row, unless a move that waited for the count runs its own.
void DataControl::countArrived(bool reposition) {
    if (countShown_ || !source_ || !source_->counted())
        return;
    countShown_ = true;
    captionOwed_ = !reposition;
    emit rowsCounted();
    if (reposition)
        emit this->reposition();
}

void DataControl::moved(long position) {
    position_ = position;
    captionOwed_ = false;
    editing_ = false;
    pending_.clear();
    showBound();
    emit reposition();
}

void DataControl::showBound() {
    // A bound control's change handler may bind or unbind others.
    const std::vector<Bound> bound = bound_;
    for (const auto& b : bound)
        showBound(b);
}

void DataControl::showBound(const Bound& bound) {
    if (!bound.control || bound.field.isEmpty())
        return;
    QString text;
    if (!bound.field.isEmpty() && !recordset_.eof() && !recordset_.bof()) {
        const int at = source_->fieldPosition(bound.field);
        if (at >= 0)
            text = QString::fromStdString(source_->value(position_, at).to_text());
    }
    if (auto* box = qobject_cast<TextBox*>(bound.control))
        box->setText(text);
    else if (auto* box = qobject_cast<MultiLineTextBox*>(bound.control))
        box->setText(text);
    else if (auto* combo = qobject_cast<DataCombo*>(bound.control))
        combo->setBoundText(text);
    else if (auto* label = qobject_cast<QLabel*>(bound.control))
        label->setText(text);
}

void DataControl::bind(QWidget* control, const QString& field) {
    std::erase_if(bound_, [control](const Bound& b) { return !b.control || b.control == control; });
    bound_.push_back({control, field});
    if (source_)
        showBound(bound_.back());
}

void DataControl::setBoundField(QWidget* control, const QString& field) {
    for (auto& b : bound_)
        if (b.control == control) {
            b.field = field;
            if (source_)
                showBound(Bound(b));
            return;
        }
    bind(control, field);
}

QString DataControl::boundField(const QWidget* control) const {
    for (const auto& b : bound_)
        if (b.control == control)
            return b.field;
    return {};
}

void DataControl::userMove(void (DataRecordset::*move)()) {
    try {
        if (!rowExists(0))
            return;
        // The buttons stay on the first and the last row.
        if (move == &DataRecordset::moveNext && !rowExists(position_ + 1))
            return;
        if (move == &DataRecordset::movePrevious && position_ <= 0)
            return;
        (recordset_.*move)();
    } catch (const std::exception& error) {
        showError(error);
    }
}

void DataControl::showError(const std::exception& error) {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* form = qobject_cast<Form*>(w)) {
            form->msgBox(QString::fromStdString(error.what()), msg::Exclamation);
            return;
        }
    qWarning("%s: %s", qPrintable(objectName()), error.what());
}

// Binding.

void setDataSource(QWidget* control, DataControl* data, const QString& field) {
    if (DataControl* before = dataSourceOf(control); before && before != data)
        before->setBoundField(control, {});
    control->setProperty(kDataSourceProperty, QVariant::fromValue<QObject*>(data));
    if (data)
        data->bind(control, field);
}

void setDataField(QWidget* control, const QString& field) {
    if (DataControl* data = dataSourceOf(control))
        data->setBoundField(control, field);
}

QString dataField(const QWidget* control) {
    DataControl* data = dataSourceOf(control);
    return data ? data->boundField(control) : QString();
}

}  // namespace forms
