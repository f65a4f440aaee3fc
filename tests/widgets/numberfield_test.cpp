// The result fields: a column of numbers shown whole, widened together, in a shorter
// notation when even the widest width is too narrow, and measured again only when a
// number, the font or the style changes.
#include "widgets/numberfield.h"

#include <QProxyStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Counts how often a field asks for its frame, which it does each time it measures
// itself.
class CountingStyle : public QProxyStyle {
public:
    int frameQuestions = 0;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_DefaultFrameWidth && dynamic_cast<const TNumberField*>(widget))
            ++const_cast<CountingStyle*>(this)->frameQuestions;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

struct Column {
    QWidget box;
    TNumberField* a = new TNumberField(70, 160);
    TNumberField* b = new TNumberField(70, 160);
    TNumberField* c = new TNumberField(70, 160);
    Column() {
        auto* layout = new QVBoxLayout(&box);
        for (TNumberField* f : {a, b, c})
            layout->addWidget(f);
        TNumberField::shareWidth({a, b, c});
        box.show();
    }
    QList<int> widths() const { return {a->width(), b->width(), c->width()}; }
};

} // namespace

TEST(NumberField, AColumnWidensTogetherShortensWhatNeverFitsAndFollowsTheFont) {
    Column col;
    col.a->setNumber("12.5");
    col.b->setNumber("3");
    col.c->setNumber("0.25");
    EXPECT_EQ(col.widths(), QList<int>({70, 70, 70}));
    EXPECT_EQ(col.a->text(), "12.5");

    // A long number in one field widens the whole column; the others keep their text.
    const QString longNumber = "205364371354015.00";
    col.b->setNumber(longNumber);
    EXPECT_EQ(col.b->text(), longNumber);
    EXPECT_TRUE(col.b->toolTip().isEmpty());
    EXPECT_GT(col.b->width(), 70);
    EXPECT_EQ(col.widths(), QList<int>(3, col.b->width()));
    // Setting the other fields to what they show keeps the column as wide.
    col.a->setNumber("12.5");
    col.c->setNumber("0.25");
    EXPECT_EQ(col.widths(), QList<int>(3, col.b->width()));
    EXPECT_EQ(col.a->text(), "12.5");

    // Too long for the widest width: a shorter notation, the whole number in the tip.
    const QString huge = "2053643713540151360000000000000000000000.00";
    col.c->setNumber(huge);
    EXPECT_EQ(col.widths(), QList<int>(3, 160));
    EXPECT_TRUE(col.c->text().contains("E+")) << col.c->text().toStdString();
    EXPECT_EQ(col.c->toolTip(), huge);
    EXPECT_NEAR(col.c->text().toDouble() / huge.toDouble(), 1.0, 1e-4);
    EXPECT_EQ(col.b->text(), longNumber);

    // Back to short numbers: the designed width, no tooltip.
    col.b->setNumber("3");
    col.c->setNumber("0.25");
    EXPECT_EQ(col.widths(), QList<int>({70, 70, 70}));
    EXPECT_EQ(col.c->text(), "0.25");
    EXPECT_TRUE(col.c->toolTip().isEmpty());

    // A larger font: the same number needs more room, and the column follows without
    // a new number.
    col.b->setNumber("123456789.00");
    const int before = col.b->width();
    QFont big = col.box.font();
    big.setPixelSize(36);
    col.box.setFont(big);
    EXPECT_GT(col.b->width(), before);
    EXPECT_EQ(col.widths(), QList<int>(3, col.b->width()));
    // And the same numbers again in the larger font keep that width.
    const int widened = col.b->width();
    col.b->setNumber("123456789.00");
    EXPECT_EQ(col.widths(), QList<int>(3, widened));
}

TEST(NumberField, NumbersThatStayAsTheyAreAreNotMeasuredAgain) {
    // Every input change sets every result field; most keep their number. Measuring
    // the whole column again for each field made a keystroke cost several times the
    // calculation.
    Column col;
    auto style = std::make_unique<CountingStyle>();
    for (TNumberField* f : {col.a, col.b, col.c})
        f->setStyle(style.get());
    col.a->setNumber("12.5");
    col.b->setNumber("3");
    col.c->setNumber("0.25");
    style->frameQuestions = 0;
    for (int i = 0; i < 10; ++i) {
        col.a->setNumber("12.5");
        col.b->setNumber("3");
        col.c->setNumber(QString::number(i));
    }
    EXPECT_EQ(style->frameQuestions, 0);
    // The fields go back to the application's style before this one ends.
    for (TNumberField* f : {col.a, col.b, col.c})
        f->setStyle(nullptr);
}
