// The font window, the font check and the application of a font name to controls.
#include "desktop/fontapply.h"
#include "widgets/badge.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"
#include "windows/fontwindow.h"
#include "../app/widget_main.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

using unctora::app::ApplyFont;
using unctora::app::FontApplication;
using unctora::app::FontTarget;
using unctora::app::SetFontOfChildren;

namespace {

const QStringList kFamilies = {"Alpha", "Beta Sans", "Gamma"};

QString family(const QWidget* w) { return w->font().family(); }

// Answers the modal window as soon as it runs.
void answerLater(TfrmSelFont& w, QPushButton* button) {
    QTimer::singleShot(0, &w, [button] { button->click(); });
}

} // namespace

TEST(FontWindow, PreviewFollowsTheSelection) {
    TfrmSelFont w(kFamilies, nullptr);
    EXPECT_EQ(w.windowTitle(), "Select Font");
    EXPECT_EQ(w.size(), QSize(667, 429));
    EXPECT_EQ(w.lbFonts->width(), 289);
    EXPECT_EQ(w.SelectedFontName(), "Alpha");
    const QStringList designed = w.TntMemo1->toPlainText().split('\n');
    ASSERT_EQ(designed.size(), 11);
    EXPECT_EQ(designed[0], "Font: Alpha");
    EXPECT_EQ(designed[2], "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_TRUE(designed[10].startsWith("Russian: "));
    EXPECT_EQ(family(w.TntMemo1), "Alpha");
    EXPECT_EQ(w.TntMemo1->font().pointSize(), 11);
    EXPECT_EQ(family(w.bnCancel), "Alpha");

    // Letter case is ignored when preselecting; the list takes the font too.
    EXPECT_TRUE(w.SelectFont("beta sans"));
    EXPECT_EQ(w.SelectedFontName(), "Beta Sans");
    EXPECT_EQ(family(w.lbFonts), "Beta Sans");
    const QStringList now = w.TntMemo1->toPlainText().split('\n');
    EXPECT_EQ(now[0], "Font: Beta Sans");
    EXPECT_EQ(now.mid(1), designed.mid(1));
    // A name that is not listed keeps the previous selection.
    EXPECT_FALSE(w.SelectFont("Arial Unicode MS"));
    EXPECT_EQ(w.SelectedFontName(), "Beta Sans");
    w.lbFonts->setCurrentRow(2);
    EXPECT_EQ(w.TntMemo1->toPlainText().split('\n')[0], "Font: Gamma");
    EXPECT_EQ(family(w.bnCancel), "Gamma");
}

TEST(FontWindow, OkAppliesCancelAndEscapeChangeNothing) {
    TfrmSelFont w(kFamilies, nullptr);
    QString applied;
    auto apply = [&](const QString& name) { applied = name; };
    answerLater(w, w.bnCancel);
    EXPECT_FALSE(ChooseDisplayFont(w, "Gamma", apply));
    EXPECT_TRUE(applied.isEmpty());
    QTimer::singleShot(0, &w, [&w] { QTest::keyClick(w.lbFonts, Qt::Key_Escape); });
    EXPECT_FALSE(ChooseDisplayFont(w, "Gamma", apply));
    EXPECT_TRUE(applied.isEmpty());
    // The selection stays between showings; a name not in the list keeps it.
    answerLater(w, w.bnOK);
    EXPECT_TRUE(ChooseDisplayFont(w, "No Such Font", apply));
    EXPECT_EQ(applied, "Gamma");
}

TEST(FontWindow, InstalledFamiliesMatchExactly) {
    using unctora::app::FontInstalled;
    QString installed;
    for (const QString& f : QFontDatabase::families())
        if (f.size() <= 31 && f.toLower() != f && !QFontDatabase::families().contains(f.toLower())) {
            installed = f;
            break;
        }
    if (installed.isEmpty())
        GTEST_SKIP() << "no suitable font family installed";
    EXPECT_TRUE(FontInstalled(installed));
    EXPECT_FALSE(FontInstalled(installed.toLower()));
    EXPECT_FALSE(FontInstalled(installed + " "));
    EXPECT_FALSE(FontInstalled(QString(32, 'x')));
    EXPECT_FALSE(FontInstalled(""));
    // The window lists installed text families only: no symbol fonts.
    const QStringList listed = TfrmSelFont::installedTextFamilies();
    for (const QString& f : QFontDatabase::families())
        EXPECT_EQ(listed.contains(f), !QFontDatabase::writingSystems(f).contains(QFontDatabase::Symbol) &&
                                          !QFontDatabase::isPrivateFamily(f))
            << f.toStdString();
}

TEST(FontApplication, OnlyDirectChildrenAndOnlyTheFamily) {
    QWidget container;
    QFont designed("Designed");
    designed.setPixelSize(11);
    container.setFont(designed);
    auto* label = new QLabel("label", &container);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    auto* edit = new QLineEdit(&container);
    auto* spin = new TSpinEdit(&container);
    auto* group = new TRadioGroup(&container);
    group->setItems({"one", "two"});
    auto* combo = new QComboBox(&container);
    auto* panel = new QWidget(&container);
    auto* inner = new QLabel("inside a panel", panel);

    SetFontOfChildren(&container, "Chosen");
    unctora::app::setFontName(&container, "Chosen");
    for (QWidget* w : std::initializer_list<QWidget*>{label, edit, spin, group, group->button(1)})
        EXPECT_EQ(family(w), "Chosen") << w->metaObject()->className();
    // Other kinds, and what is inside them, keep their font though the container changed.
    EXPECT_EQ(family(combo), "Designed");
    EXPECT_EQ(family(panel), "Designed");
    EXPECT_EQ(family(inner), "Designed");
    // Sizes and styles stay as designed.
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pixelSize(), 11);
    EXPECT_EQ(edit->font().pixelSize(), 11);
}

TEST(FontApplication, StepsInOrder) {
    QWidget window;
    auto* gbResults = new QWidget(&window);
    auto* labTf = new QLabel("tf", gbResults);
    auto* pnPanel = new QWidget(gbResults);
    auto* labInPanel = new QLabel("in panel", pnPanel);
    auto* gbLubricator = new QWidget(&window);
    auto* rgLubricator = new TRadioGroup(gbLubricator);
    rgLubricator->setItems({"VOXA 60", "VOXA 125"});
    QFont caption = rgLubricator->font();
    caption.setFamilies({"Caption"});
    rgLubricator->setFont(caption);
    auto* sgRate = new QTableWidget(2, 2, &window);
    auto* fixed = new QTableWidgetItem("fixed");
    QFont boldCell = sgRate->font();
    boldCell.setBold(true);
    fixed->setFont(boldCell);
    sgRate->setItem(0, 0, fixed);
    sgRate->setItem(1, 1, new QTableWidgetItem("plain"));
    auto* labCalc = new QLabel("Calculations", &window);
    auto* labSelChart = new QLabel("Chart", &window);
    auto* labAcc = new QLabel("Accessories", &window);
    TBadge badge;

    QStringList steps;
    QString fontName = "Arial Unicode MS";
    FontApplication targets;
    targets.setFontName = [&](const QString& n) { fontName = n; steps << "FontName"; };
    targets.controls = {{gbResults, FontTarget::OwnFont | FontTarget::Children},
                        {rgLubricator, FontTarget::Items},
                        {sgRate, FontTarget::Grid}};
    targets.badge = &badge;
    targets.pages = {{labCalc, [&](const QString& n) { steps << "calc " + n + " " + family(labCalc); }},
                     {labSelChart, [&](const QString& n) { steps << "chart " + n; }}};
    targets.accessories = {{labAcc, FontTarget::OwnFont}};

    ApplyFont("Noto Sans", targets);
    EXPECT_EQ(steps, (QStringList{"FontName", "calc Noto Sans Noto Sans", "chart Noto Sans"}));
    EXPECT_EQ(fontName, "Noto Sans");
    EXPECT_EQ(family(gbResults), "Noto Sans");
    EXPECT_EQ(family(labTf), "Noto Sans");
    EXPECT_NE(family(labInPanel), "Noto Sans");
    EXPECT_EQ(family(rgLubricator->button(0)), "Noto Sans");
    EXPECT_EQ(family(rgLubricator), "Caption"); // the items only
    EXPECT_EQ(family(sgRate), "Noto Sans");
    EXPECT_EQ(fixed->font().family(), "Noto Sans");
    EXPECT_TRUE(fixed->font().bold());
    EXPECT_EQ(badge.badgeFont().family(), "Noto Sans");
    EXPECT_EQ(family(labAcc), "Noto Sans");
    EXPECT_EQ(QToolTip::font().family(), "Noto Sans");

    // The same font again is applied again: both pages are rebuilt.
    steps.clear();
    ApplyFont("Noto Sans", targets);
    EXPECT_EQ(steps.size(), 3);

    // A page that cannot be written stops the application; what was set stays set.
    targets.pages[1].rebuild = [](const QString&) { throw std::runtime_error("Unable to write to chart.html"); };
    EXPECT_THROW(ApplyFont("Gamma", targets), std::runtime_error);
    EXPECT_EQ(fontName, "Gamma");
    EXPECT_EQ(family(labTf), "Gamma");
    EXPECT_EQ(family(labSelChart), "Gamma");
    EXPECT_EQ(family(labAcc), "Noto Sans");
}

// What a screen reader announces: every control the keyboard reaches has a name.
TEST(FontWindow, EveryFocusableControlHasAnAccessibleName) {
    TfrmSelFont w(kFamilies, nullptr);
    w.show();
    const FocusStops stops = focusStops(w);
    EXPECT_TRUE(stops.unnamed.isEmpty()) << stops.unnamed.join(", ").toStdString();
    EXPECT_EQ(stops.all.size(), 4); // the list, the preview, OK and Cancel
}
