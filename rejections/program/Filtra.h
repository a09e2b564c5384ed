#pragma once
// The filter window of riruzoz, "Filtros": one filter text per column of the
// stored samples, a range of sample dates and the switch "Excluir filtros".
// Each box copies its text, as the user types, into a hidden label of the
// same name without the trailing "1"; the record grid and its report read
// those labels, never the boxes.
//
// Filtra: the boxes rd1 ... am1, fm1 and fmh1 with their hidden labels, the
// combo DBCombo1 over Data1 ("Centrales"), the check box `opcion`, the hidden
// label `Resto` (the date-range clause), the buttons `Datos` "Ver &datos",
// `Command1` "L&impia Filtros", `Cierra` "C&errar", `Timer1` and `Label19`.

#include <QString>

#include <map>
#include <string>

#include "form.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace forms {
class DataCombo;
class DataControl;
class TextBox;
}  // namespace forms

namespace rejections {

class Filtra : public forms::Form {
public:
    explicit Filtra(forms::Program& program);

    // The caption of a hidden label ("rd", "fm", "Resto", ...).
    QString etiqueta(const QString& name) const;
    // Whether "Excluir filtros" is ticked (the old value 1).
    bool excluye() const;

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void Timer1_Timer();
    void Command1_Click();
    void Cierra_Click();
    void Datos_Click();
    void DBCombo1_Change();
    void DBCombo1_Click();

private:
    void box_Change(const QString& box, const QString& text);

    std::map<QString, forms::TextBox*> boxes_;
    std::map<QString, QLabel*> labels_;
    forms::DataControl* Data1;
    forms::DataCombo* DBCombo1;
    QCheckBox* opcion;
    QLabel* Resto;
    QPushButton* Datos;
    QPushButton* Command1;
    QPushButton* Cierra;
    QTimer* Timer1;
    QLabel* Label19;
};

}  // namespace rejections
