#pragma once
// The fixed texts of the splash and about windows, one set per program: the
// product's name, its version and the credits of the people it was made for.

#include <QString>

namespace shell {

struct ProductTexts {
    QString product;      // "Dovrane": splash caption, lblProductName, about caption and title
    QString version;      // "Versión 2.0.0": the about window's Label1
    QString company;      // the user's company
    QString directorate;  // its directorate
    QString department;   // its department
    QString copyright;    // the copyright line
};

// The texts of riruzoz (Dovrane) and of Zovavidevir (Salvient).
ProductTexts dovraneTexts();
ProductTexts salvientTexts();

}  // namespace shell
