#pragma once
// The old image control and its pictures, as the evaluation ratings use
// them: an image shows a picture, and which picture it shows is compared by
// the picture's identity, not by its content.
//
// - A Picture made from a bitmap is a picture of its own; copying it
//   (image->setPicture(bien->picture())) hands on the very same picture. Two
//   pictures made separately from the same bitmap are not equal.
// - An image draws its picture at its top left corner, unchanged when the
//   image is disabled (a disabled image only takes no clicks). It never takes
//   the focus, so clicking it leaves the focused box alone.
// - The rating pictures blanco (not rated), bien (satisfactory) and mal
//   (unsatisfactory), 47 x 23 pixels, are drawn here; each call draws a new
//   picture, as loading it from a file did.

#include <QPixmap>
#include <QWidget>

#include <memory>

namespace forms {

// Pictures.

class Picture {
public:
    // No picture.
    Picture() = default;
    // A new picture of `bitmap`, equal only to its own copies.
    explicit Picture(const QPixmap& bitmap);

    bool isNull() const { return !bitmap_; }
    // The bitmap (a null pixmap for no picture).
    QPixmap bitmap() const;

    // The same picture (the old picture handle), not the same content.
    friend bool operator==(const Picture& a, const Picture& b) { return a.bitmap_ == b.bitmap_; }
    friend bool operator!=(const Picture& a, const Picture& b) { return !(a == b); }

private:
    std::shared_ptr<const QPixmap> bitmap_;
};

// The three rating pictures.
enum class Rating { Blanco, Bien, Mal };

// A new picture of the rating, 47 x 23 pixels.
Picture drawRatingPicture(Rating rating);

// The image control.

class Image : public QWidget {
    Q_OBJECT

public:
    explicit Image(QWidget* parent = nullptr);

    void setPicture(const Picture& picture);
    Picture picture() const { return picture_; }
    // Whether the image shows `picture` itself.
    bool shows(const Picture& picture) const { return picture_ == picture; }

    QSize sizeHint() const override;

signals:
    // A click on the image: the left button pressed and released over it.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Picture picture_;
    bool pressed_ = false;
};

}  // namespace forms
