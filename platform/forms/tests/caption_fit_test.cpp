#include "caption_fit.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "qt_printers.h"

namespace {

struct Case {
    std::unique_ptr<QWidget> control;
    int width, height;
    bool fits;
};

template <class T>
std::unique_ptr<QWidget> made(const QString& caption, bool wraps = false) {
    auto control = std::make_unique<T>();
    control->setText(caption);
    if constexpr (std::is_same_v<T, QLabel>)
        control->setWordWrap(wraps);
    return control;
}

TEST(CaptionRoom, TellsWhetherEachKindOfCaptionShowsWhole) {
    const QString longCaption = "Ubicación del Técnico:";
    Case cases[] = {
        {made<QLabel>(longCaption), 60, 20, false},
        {made<QLabel>(longCaption), 300, 20, true},
        {made<QLabel>(longCaption), 300, 6, false},        // too low
        {made<QLabel>(longCaption, true), 80, 60, true},   // on two lines
        {made<QLabel>(longCaption, true), 80, 18, false},  // two lines, room for one
        {made<QPushButton>("Seleccionar &Boleta"), 60, 28, false},
        {made<QPushButton>("Seleccionar &Boleta"), 300, 28, true},
        {made<QRadioButton>("Ver &totales por técnico"), 80, 20, false},
        {made<QRadioButton>("Ver &totales por técnico"), 300, 20, true},
        {made<QCheckBox>("Excluir filtros"), 40, 20, false},
        {made<QCheckBox>("Excluir filtros"), 300, 20, true},
        {made<QLabel>(""), 1, 1, true},  // nothing to show
    };
    for (Case& c : cases) {
        c.control->resize(c.width, c.height);
        EXPECT_EQ(forms::captionRoom(*c.control).fits(), c.fits)
            << c.control->metaObject()->className() << " " << c.width << " x " << c.height;
    }
}

TEST(CaptionRoom, ShrinkToFitMakesTheFontSmallerOnlyAsFarAsNeeded) {
    QLabel label("Cantidad de Boletas Resueltas:");
    const QSize whole = label.sizeHint();
    const double pointSize = label.font().pointSizeF();
    label.resize(whole.width() * 9 / 10, whole.height() + 2);
    EXPECT_TRUE(forms::shrinkToFit(&label));
    EXPECT_TRUE(forms::captionRoom(label).fits());
    EXPECT_LT(label.font().pointSizeF(), pointSize);
    EXPECT_GE(label.font().pointSizeF(), pointSize * 0.8);

    // Far too narrow: the caption keeps its font and the window must do more.
    QLabel narrow("Cantidad de Boletas Resueltas:");
    narrow.resize(whole.width() / 3, whole.height());
    EXPECT_FALSE(forms::shrinkToFit(&narrow));
    EXPECT_EQ(narrow.font().pointSizeF(), pointSize);
}

TEST(CaptionRoom, CaptionsCutNamesEveryControlThatDoesNotFit) {
    QWidget window;
    window.setObjectName("FrmTecnico");
    auto* cut = new QLabel("Ubicación del Técnico:", &window);
    cut->setObjectName("Label1");
    cut->setGeometry(0, 0, 40, 20);
    auto* whole = new QLabel("Iniciales:", &window);
    whole->setObjectName("Label5");
    whole->setGeometry(0, 30, 200, 20);
    const QStringList found = forms::captionsCut(window);
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found[0].startsWith("FrmTecnico.Label1 \"Ubicación del Técnico:\" needs "))
        << found[0].toStdString();
}

}  // namespace
