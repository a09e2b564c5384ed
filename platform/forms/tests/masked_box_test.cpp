#include "masked_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "qt_printers.h"

namespace {

const QString kDate = "##/##/##";
const QString kTime = "##:##";

std::unique_ptr<forms::MaskedBox> box(const QString& mask) {
    auto made = std::make_unique<forms::MaskedBox>();
    made->setMask(mask);
    return made;
}

TEST(MaskedBox, AnEmptyBoxReadsItsMaskWithPrompts) {
    EXPECT_EQ(box(kDate)->text(), "__/__/__");
    EXPECT_EQ(box(kTime)->text(), "__:__");
    EXPECT_EQ(box(kDate)->emptyText(), "__/__/__");
    EXPECT_FALSE(box(kDate)->isFilled());
}

TEST(MaskedBox, TypingFillsTheDigitPositionsAndStepsOverTheLiterals) {
    struct Case {
        QString mask, typed, text;
    };
    const Case cases[] = {
        {kDate, "150397", "15/03/97"},
        {kDate, "15/03/97", "15/03/97"},  // the literals typed as well
        {kDate, "1", "1_/__/__"},
        {kDate, "1/03", "1_/03/__"},       // a literal moves on to the next part
        {kDate, "1a5-", "15/__/__"},       // letters and foreign literals are refused
        {kDate, "150397123", "15/03/97"},  // nothing past the last position
        {kTime, "0930", "09:30"},
        {kTime, "23:5", "23:5_"},
        {kTime, "_12", "12:__"},  // the prompt is no digit
    };
    for (const Case& c : cases) {
        auto typed = box(c.mask);
        QTest::keyClicks(typed.get(), c.typed);
        EXPECT_EQ(typed->text(), c.text) << (c.mask + " typed " + c.typed).toStdString();
        EXPECT_TRUE(typed->isFilled());
    }
}

TEST(MaskedBox, BackspaceAndDeletePutThePromptBack) {
    auto date = box(kDate);
    QTest::keyClicks(date.get(), "1503");
    QTest::keyClick(date.get(), Qt::Key_Backspace);
    EXPECT_EQ(date->text(), "15/0_/__");
    QTest::keyClick(date.get(), Qt::Key_Backspace);
    QTest::keyClick(date.get(), Qt::Key_Backspace);  // over the "/" to the 5
    EXPECT_EQ(date->text(), "1_/__/__");
    QTest::keyClicks(date.get(), "6");  // typing goes on where the prompt came back
    EXPECT_EQ(date->text(), "16/__/__");
    QTest::keyClick(date.get(), Qt::Key_Backspace);
    QTest::keyClick(date.get(), Qt::Key_Backspace);
    QTest::keyClick(date.get(), Qt::Key_Backspace);  // nothing left to take
    EXPECT_EQ(date->text(), "__/__/__");
    EXPECT_FALSE(date->isFilled());

    date->setText("15/03/97");
    date->setCursorPosition(0);
    QTest::keyClick(date.get(), Qt::Key_Delete);
    EXPECT_EQ(date->text(), "_5/03/97");

    date->selectAll();
    QTest::keyClick(date.get(), Qt::Key_Backspace);
    EXPECT_EQ(date->text(), "__/__/__");
    date->setText("15/03/97");
    date->selectAll();
    QTest::keyClicks(date.get(), "2");  // typing over a selection
    EXPECT_EQ(date->text(), "2_/__/__");
}

TEST(MaskedBox, CodeSetsAValueThatFitsTheMaskElseTheEmptyMask) {
    struct Case {
        QString mask, set, text;
        bool filled;
    };
    const Case cases[] = {
        {kDate, "15/03/97", "15/03/97", true},     {kDate, "__/__/__", "__/__/__", false},
        {kDate, "1_/__/__", "1_/__/__", true},     {kDate, "", "__/__/__", false},
        {kDate, "15/03/1997", "__/__/__", false},  {kDate, "15-03-97", "__/__/__", false},
        {kDate, "ab/cd/ef", "__/__/__", false},    {kTime, "10:05", "10:05", true},
        {kTime, "__:__", "__:__", false},          {kTime, "10:5", "__:__", false},
        {kTime, "15/03/97 10:05", "__:__", false},
    };
    for (const Case& c : cases) {
        auto set = box(c.mask);
        set->setText("");
        set->setText(c.set);
        EXPECT_EQ(set->text(), c.text) << (c.mask + " set to " + c.set).toStdString();
        EXPECT_EQ(set->isFilled(), c.filled) << c.set.toStdString();
        // What code set can be typed over.
        set->setCursorPosition(0);
        QTest::keyClicks(set.get(), "2");
        EXPECT_EQ(set->text()[0], '2') << c.set.toStdString();
    }
}

TEST(MaskedBox, ChangeRunsForTypedTextAndForTextSetByCode) {
    auto date = box(kDate);
    QStringList changes;
    QObject::connect(date.get(), &forms::MaskedBox::changed,
                     [&](const QString& t) { changes << t; });
    date->setText("15/03/97");
    date->setText("15/03/97");  // the same text is no change
    date->setCursorPosition(0);
    QTest::keyClicks(date.get(), "2x");  // the refused x changes nothing
    date->setText("__/__/__");
    EXPECT_EQ(changes, QStringList({"15/03/97", "25/03/97", "__/__/__"}));
}

TEST(MaskedBox, TextSetPastTheMaskIsMendedToTheEmptyMask) {
    auto date = box(kDate);
    date->setText("15/03/97");
    QStringList changes;
    QObject::connect(date.get(), &forms::MaskedBox::changed,
                     [&](const QString& t) { changes << t; });
    static_cast<QLineEdit*>(date.get())->setText("garbage");
    EXPECT_EQ(date->text(), "__/__/__");
    EXPECT_EQ(changes, QStringList({"__/__/__"}));  // the foreign text is never reported
}

TEST(MaskedBox, PastingTypesTheClipboardThroughTheMask) {
    auto date = box(kDate);
    QApplication::clipboard()->setText("1503a97");
    QTest::keyClick(date.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(date->text(), "15/03/97");

    date->setSelection(0, 2);
    QTest::keyClick(date.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(date->text(), "__/03/97");
    EXPECT_EQ(QApplication::clipboard()->text(), "15");
    QTest::keyClick(date.get(), Qt::Key_Z, Qt::ControlModifier);  // no undo past the mask
    EXPECT_EQ(date->text(), "__/03/97");
}

}  // namespace
