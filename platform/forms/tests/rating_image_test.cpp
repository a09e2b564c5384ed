#include "rating_image.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "controls.h"
#include "form.h"
#include "placement.h"
#include "test_program.h"
#include "text_box.h"

namespace {

TEST(Picture, IsComparedByIdentityNotByContent) {
    const forms::Picture blanco = forms::drawRatingPicture(forms::Rating::Blanco);
    const forms::Picture copy = blanco;
    const forms::Picture drawnAgain = forms::drawRatingPicture(forms::Rating::Blanco);
    EXPECT_EQ(copy, blanco);
    EXPECT_NE(drawnAgain, blanco);
    EXPECT_EQ(drawnAgain.bitmap().toImage(), blanco.bitmap().toImage());
    EXPECT_NE(forms::Picture(), blanco);
    EXPECT_EQ(forms::Picture(), forms::Picture());
}

TEST(Picture, TheThreeRatingsLookDifferentAndHaveTheOldSize) {
    const QImage blanco = forms::drawRatingPicture(forms::Rating::Blanco).bitmap().toImage();
    const QImage bien = forms::drawRatingPicture(forms::Rating::Bien).bitmap().toImage();
    const QImage mal = forms::drawRatingPicture(forms::Rating::Mal).bitmap().toImage();
    EXPECT_EQ(blanco.size(), QSize(47, 23));
    EXPECT_EQ(bien.size(), QSize(47, 23));
    EXPECT_EQ(mal.size(), QSize(47, 23));
    EXPECT_NE(blanco, bien);
    EXPECT_NE(blanco, mal);
    EXPECT_NE(bien, mal);
}

// A week's criterion image with the reference images, and a box that holds
// the focus.
struct Ratings : forms::Form {
    explicit Ratings(forms::Program& p) : Form(p, "Ratings") {
        blanco = forms::control<forms::Image>("blanco", client());
        blanco->setPicture(forms::drawRatingPicture(forms::Rating::Blanco));
        blanco->hide();
        bien = forms::control<forms::Image>("bien", client());
        bien->setPicture(forms::drawRatingPicture(forms::Rating::Bien));
        forms::placeTwips(bien, 120, 600, 735, 375);
        mal = forms::control<forms::Image>("mal", client());
        mal->setPicture(forms::drawRatingPicture(forms::Rating::Mal));
        forms::placeTwips(mal, 1000, 600, 735, 375);
        criterion = forms::control<forms::Image>("Image12", client());
        criterion->setPicture(blanco->picture());
        forms::placeTwips(criterion, 120, 1200, 735, 375);
        box = forms::control<forms::TextBox>("txtboleta1", client());
        forms::placeTwips(box, 120, 120, 1035, 285);
        setClientSizeTwips(2000, 2000);

        // A click moves the rating on: not rated, satisfactory, unsatisfactory.
        connect(criterion, &forms::Image::clicked, this, [this] {
            if (criterion->shows(blanco->picture()))
                criterion->setPicture(bien->picture());
            else if (criterion->shows(bien->picture()))
                criterion->setPicture(mal->picture());
            else if (criterion->shows(mal->picture()))
                criterion->setPicture(blanco->picture());
        });
    }
    // Which reference picture the criterion shows (1, 2, 3), 0 for none.
    int rating() const {
        if (criterion->shows(blanco->picture()))
            return 1;
        if (criterion->shows(bien->picture()))
            return 2;
        return criterion->shows(mal->picture()) ? 3 : 0;
    }

    forms::Image* blanco;
    forms::Image* bien;
    forms::Image* mal;
    forms::Image* criterion;
    forms::TextBox* box;
};

TEST(Image, AClickRunsAndTheRatingIsReadByWhichPictureItShows) {
    forms::TestProgram app;
    auto* window = app.show<Ratings>(forms::Modeless);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->box->setFocus();
    int lostFocus = 0;
    forms::onLostFocus(window->box, [&] { ++lostFocus; });

    std::vector<int> seen{window->rating()};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(window->criterion, Qt::LeftButton);
        seen.push_back(window->rating());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 1}));
    EXPECT_TRUE(window->box->hasFocus());  // an image never takes the focus
    EXPECT_EQ(lostFocus, 0);

    // A picture drawn apart, even of the same bitmap, is none of the ratings.
    window->criterion->setPicture(forms::drawRatingPicture(forms::Rating::Bien));
    EXPECT_EQ(window->rating(), 0);
}

TEST(Image, ADisabledImageTakesNoClickAndLooksTheSame) {
    forms::TestProgram app;
    auto* window = app.show<Ratings>(forms::Modeless);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->criterion->setPicture(window->bien->picture());
    const QImage enabled = window->criterion->grab().toImage();
    window->criterion->setEnabled(false);
    QTest::mouseClick(window->criterion, Qt::LeftButton);
    EXPECT_EQ(window->rating(), 2);
    EXPECT_EQ(window->criterion->grab().toImage(), enabled);
}

TEST(Image, APressReleasedOutsideIsNoClick) {
    forms::Image image;
    image.setPicture(forms::drawRatingPicture(forms::Rating::Blanco));
    image.resize(image.sizeHint());
    int clicks = 0;
    QObject::connect(&image, &forms::Image::clicked, [&] { ++clicks; });
    QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(100, 5));
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

}  // namespace
