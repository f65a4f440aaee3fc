// What the window says in the chosen language: the toolkit's own texts, the order of
// a bound and its word, and the one decimal separator of every number on show.

#include "mainwindow_fixture.h"

#include "desktop/messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>

namespace {

class TextsTest : public MainWindowTest {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void chooseLanguage(int number) {
        for (QAction* a : child<QMenu>("Language1")->actions())
            if (a->data().toInt() == number) {
                a->trigger();
                return;
            }
        FAIL() << "no menu item for language " << number;
    }

    // The buttons of the real question about unsaved changes, as the box shows them.
    QStringList saveQuestionButtons() {
        QStringList texts;
        QTimer::singleShot(0, [&texts] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton* b : box->buttons())
                texts << b->text().remove('&');
            box->reject();
        });
        BoxMessages boxes;
        boxes.askSaveChanges("?");
        texts.sort();
        return texts;
    }

    QString shortcutText(const char* action) {
        QAction* a = child<QAction>(action);
        return a ? a->shortcut().toString(QKeySequence::NativeText) : QString("no action ") + action;
    }
};

// The separators of the decimal numbers in text (a number with one separator between
// digits, not part of a longer dotted or comma-separated run).
QString separatorsIn(const QString& text) {
    static const QRegularExpression number(R"((?<![\d.,])\d+([.,])\d+(?![.,]?\d))");
    QString found;
    for (auto it = number.globalMatch(text); it.hasNext();) {
        const QChar sep = it.next().captured(1).at(0);
        if (!found.contains(sep))
            found += sep;
    }
    return found;
}

} // namespace

TEST_F(TextsTest, TheToolkitsOwnTextsFollowTheLanguage) {
    start();
    const struct {
        int language;
        QStringList buttons; // sorted
        QString shortcut;
    } cases[] = {
        {2, {"Abbrechen", "Speichern", "Verwerfen"}, "Strg+L"},
        {9, {"Отмена", "Сохранить", "Отклонить"}, "Ctrl+L"},
        {1, {"Cancel", "Discard", "Save"}, "Ctrl+L"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        chooseLanguage(c.language);
        QStringList expected = c.buttons;
        expected.sort();
        EXPECT_EQ(saveQuestionButtons(), expected);
        EXPECT_EQ(shortcutText("PlantPlan1"), c.shortcut);
    }
}

TEST_F(TextsTest, EachLanguagePutsTheTemperatureBoundWhereItSaysIt) {
    start();
    const auto d = dial();
    const struct {
        int language;
        const char* units;
        QString below, above;
    } cases[] = {
        {1, "miUnitSI", "Below -10 °C", "Above 40 °C"},
        {1, "miUnitImp", "Below 15 °F", "Above 105 °F"},
        {2, "miUnitSI", "Unter -10 °C", "Über 40 °C"},
        {7, "miUnitSI", "低于 -10 °C", "高于 40 °C"},
        {11, "miUnitSI", "-10 °C 未満", "40 °C 超"},
        {11, "miUnitImp", "15 °F 未満", "105 °F 超"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        chooseLanguage(c.language);
        child<QAction>(c.units)->trigger();
        ASSERT_EQ(d.rgAmbTemp->count(), 3);
        EXPECT_EQ(d.rgAmbTemp->button(0)->text(), c.below);
        EXPECT_EQ(d.rgAmbTemp->button(2)->text(), c.above);
    }
    // The chosen item names the condition group in the same words.
    d.rgAmbTemp->button(0)->click();
    EXPECT_TRUE(d.ocOpCond->caption(3).endsWith(": 15 °F 未満")) << d.ocOpCond->caption(3).toStdString();
}

TEST_F(TextsTest, NumbersInTheTextsTakeTheSeparatorOfTheComputedOnes) {
    // A user whose locale writes "1,5": the texts of the language file and the
    // computed numbers show the same separator, in every language.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    start();
    const auto d = dial();
    auto* acc = child<QTableWidget>("sgAcc");
    ASSERT_TRUE(acc);
    // The calculation page as it is written for the view (and for printing).
    auto calcPage = [this] {
        QFile f(QDir(env.dataDir).filePath("calc.html"));
        QTextDocument page;
        if (f.open(QIODevice::ReadOnly))
            page.setHtml(QString::fromUtf8(f.readAll()));
        return page.toPlainText();
    };
    d.spedBore->setValue(105); // an inch read-out with decimals: 4,13
    for (int language : {1, 2, 7, 9}) {
        SCOPED_TRACE(language);
        chooseLanguage(language);
        QString accessories;
        for (int r = 0; r < acc->rowCount(); ++r)
            for (int c = 0; c < acc->columnCount(); ++c)
                if (acc->item(r, c))
                    accessories += acc->item(r, c)->text() + "\n";
        EXPECT_EQ(separatorsIn(accessories), ",");
        EXPECT_TRUE(accessories.contains("M12 × 1,5")) << accessories.toStdString();
        const QString calc = calcPage();
        EXPECT_TRUE(calc.contains("0,9 ")) << calc.left(200).toStdString();
        EXPECT_EQ(separatorsIn(calc), ",");
        EXPECT_EQ(separatorsIn(d.edBore_in->text() + " " + d.edQf->text()), ",");
    }
}
