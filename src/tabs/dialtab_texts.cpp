// DialTab: the texts of the language and the units, the display font, the keyboard
// order and the names assistive tools read.

#include "tabs/dialtab.h"

#include "desktop/fontapply.h"
#include "core/round.h"
#include "text/format.h"
#include "strings/itemlist.h"
#include "text/keys.h"
#include "strings/quantity.h"
#include "widgets/captions.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/numberfield.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using namespace unctora;
namespace K = unctora::text::keys;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A result caption on two lines; a label breaks lines at "\n", not at CR. The CR
// that ends a caption without a break would be an empty second line, which a label
// centres the text with: it is not shown.
QString twoLines(const QString& text) {
    QString lines = QString::fromStdString(strings::BreakAtNewline(text.toStdString()));
    if (lines.endsWith('\r'))
        lines.chop(1);
    return lines.replace('\r', '\n');
}

// "Below -10 °C": the language's text places the bound and its unit ("%d %s"), so
// that each language can put them where it says them. A text without a conversion
// (a language file of an older kind) is put in front of them.
std::string boundText(const std::string& tmpl, int bound, const std::string& unit) {
    if (tmpl.find('%') == std::string::npos)
        return text::format("%s %d %s", {tmpl, bound, unit});
    return text::format(tmpl, {bound, unit});
}

// Every button of a radio group, in item order: the group is one stop, at one of them.
void chainGroup(QList<QWidget*>& chain, const TRadioGroup* group) {
    for (int i = 0; i < group->count(); ++i)
        chain << group->button(i);
}

} // namespace

void DialTab::applyUnits(core::Units units, const strings::UnitLabels& labels) {
    // Rebuilding the items must not run the groups' click handlers.
    const QSignalBlocker b1(rgBrgOpTemp), b2(rgAmbTemp);
    labUnitGp->setText(qs(labels.massUnitLabel(units)));
    labUnitQf->setText(qs(labels.massUnitLabel(units)) + "/ " + text(K::strDay));
    rebuildTemperatureItems(units, labels);
}

void DialTab::rebuildTemperatureItems(core::Units units, const strings::UnitLabels& labels) {
    const bool si = units == core::Units::SI;
    const std::string unit = si ? labels.celsiusLabel() : labels.fahrenheitLabel();
    const QFontMetrics fm(rgBrgOpTemp->font());
    // Class labels padded with blanks in front until the numbers line up.
    QStringList classes;
    for (auto k : {K::strLow, K::strNormal, K::strHigh, K::strVeryHigh})
        classes << text(k) + ":";
    const int widest = fm.horizontalAdvance(classes[3]);
    for (int i = 0; i < 3; ++i)
        while (fm.horizontalAdvance(classes[i]) < widest)
            classes[i].prepend(' ');
    const int bounds[5] = {117, 145, 172, 199, 225};
    auto shown = [si](int f) {
        return si ? static_cast<int>(core::Round(core::fahrenheitToCelsius(f))) : f;
    };
    const int keep = std::max(0, rgBrgOpTemp->itemIndex());
    QStringList items;
    for (int i = 0; i < 4; ++i)
        items << qs(text::format("%s %d %s %d %s",
                                    {classes[i].toStdString(), shown(bounds[i]),
                                     text(K::strTo).toStdString(), shown(bounds[i + 1]), unit}));
    rgBrgOpTemp->setItems(items);
    rgBrgOpTemp->setItemIndex(keep);

    const int low = si ? static_cast<int>(core::roundToTen(core::fahrenheitToCelsius(15))) : 15;
    const int high = si ? static_cast<int>(core::roundToTen(core::fahrenheitToCelsius(105))) : 105;
    const int ambient = rgAmbTemp->itemIndex();
    rgAmbTemp->setItems(
        {qs(boundText(text(K::strBelow).toStdString(), low, unit)), text(K::strAverage),
         qs(boundText(text(K::strAbove).toStdString(), high, unit))});
    rgAmbTemp->setItemIndex(ambient);
    updateConditionCaption(rgAmbTemp);
}

void DialTab::updateConditionCaption(TRadioGroup* group) {
    const QList<TRadioGroup*> groups = conditionGroups();
    const int index = groups.indexOf(group);
    const core::ConditionEntry* row = core::conditionAtDialPosition(index);
    const QString title = row ? text(row->captionKey) : "OpCondStr not found";
    // The chosen item; an index out of range is brought into it without a click.
    QString chosen = "?";
    if (group->count() > 0) {
        const int i = std::clamp(group->itemIndex(), 0, group->count() - 1);
        if (i != group->itemIndex()) {
            const QSignalBlocker block(group);
            group->setItemIndex(i);
        }
        chosen = group->itemText(i);
    }
    if (index >= 0) {
        ocOpCond->setCaption(index, title + ": " + chosen);
        group->setAccessibleName(title);
    }
}

void DialTab::updateConditionCaptions() {
    for (TRadioGroup* g : conditionGroups())
        updateConditionCaption(g);
}

void DialTab::applyLanguage(core::Units units, const strings::UnitLabels& labels) {
    gbBrgBasic->setTitle(text(K::strBrgBasic));
    gbBrgDim->setTitle(text(K::strBrgDim));
    gbBrgType->setTitle(text(K::strBrgType));
    {
        const QSignalBlocker block(cbBrgType);
        const int keep = cbBrgType->currentIndex();
        cbBrgType->clear();
        for (std::string_view t : core::bearingTypeItems())
            cbBrgType->addItem(QString::fromUtf8(t.data(), static_cast<int>(t.size())));
        cbBrgType->setCurrentIndex(keep);
    }
    gbGreaseType->setTitle(text(K::strGrease));
    rgGreaseType->setItemText(0, text(K::strUnspecified));
    gbLubricator->setTitle(text(K::strLubricator));
    rgPowerSource->setTitle(text(K::strPowerSource));
    rgOutlets->setTitle(text(K::strOutlets));
    gbOpCond->setTitle(text(K::strOpCond));
    labSpeed->setText(text(K::strSpeed));
    labOpHrs->setText(text(K::strOpHrs));
    labOpHrsUnit->setText(text(K::strOpHrsUnit));
    rgBrgOpTemp->setTitle(text(K::strBrgOpTemp));
    // The conditions whose items are texts of the language file; the others are
    // made with the units.
    for (const core::ConditionEntry& c : core::kConditions) {
        if (c.itemsKey.empty())
            continue;
        TRadioGroup* group = conditionInput(c.condition);
        QStringList items;
        for (const std::string& item : strings::parseItemList(text(c.itemsKey).toStdString()))
            items << qs(item);
        const QSignalBlocker block(group);
        group->setItems(items);
    }
    fitConditionItems();
    updateConditionCaptions();

    gbResults->setTitle(text(K::strResults));
    labTf->setText(twoLines(text(K::strTf)));
    labTcorr->setText(twoLines(text(K::strTcorr)));
    labGp->setText(twoLines(text(K::strGp)));
    labQf->setText(twoLines(text(K::strQf)));
    labUnitTf->setText(text(K::strUnitTf));
    labUnitTcorr->setText(text(K::strUnitTcorr));
    labUnitGp->setText(qs(labels.massUnitLabel(units)));
    labUnitQf->setText(qs(labels.massUnitLabel(units)) + "/" + text(K::strDay));

    const QString series = text(K::strSRB_Series) + " ";
    const struct {
        const SubVariantBar* bar;
        QStringList captions, descriptions;
    } bars[] = {
        {&rbCRB_Cage,
         {text(K::strCRB_Cage1), text(K::strCRB_Cage2)},
         {text(K::strCRB_TextCage1), text(K::strCRB_TextCage2)}},
        {&rbCRB_Locating,
         {text(K::strCRB_NonLoc), text(K::strCRB_LocI), text(K::strCRB_LocII), text(K::strCRB_NoCage)},
         {text(K::strCRB_NonLoc), text(K::strCRB_TextLocI), text(K::strCRB_TextLocII),
          text(K::strCRB_TextNoCage)}},
        {&rbSRB_LoadRatio,
         {text(K::strSRB_LoadRatio1), text(K::strSRB_LoadRatio2), text(K::strSRB_LoadRatio3)},
         {text(K::strSRB_LoadRatio1), text(K::strSRB_LoadRatio2), text(K::strSRB_LoadRatio3)}},
        {&rbSRB_Series,
         {series + "213, 222, 238, 239", series + "223, 230, 231, 232, 240, 248, 249", series + "241"},
         {series + "213, 222, 238, 239", series + "223, 230, 231, 232, 240, 248, 249", series + "241"}},
        {&rbTORB_Cage,
         {text(K::strTORB_Cage), text(K::strTORB_NoCage)},
         {text(K::strTORB_Cage), text(K::strTORB_TextNoCage)}},
    };
    for (const auto& b : bars)
        for (int i = 0; i < b.bar->bar->count(); ++i) {
            b.bar->bar->setCaption(i, b.captions[i]);
            b.bar->labels[i]->setText(b.descriptions[i]);
            // The spherical roller bearings' descriptions are their captions again.
            b.bar->bar->setContentShown(i, b.descriptions[i] != b.captions[i]);
        }
    setSystemHeading();
}

QList<app::FontTarget> DialTab::fontTargets() const {
    using T = app::FontTarget;
    QList<T> targets = {{gbBrgBasic, T::OwnFont | T::Children}, {gbBrgDim, T::Children},
                        {gbGreaseType, T::OwnFont | T::Children}, {gbLubricator, T::OwnFont},
                        {rgLubricator, T::Items},            {pnVOXA1000, T::Children},
                        {gbOpCond, T::OwnFont | T::Children}, {rgBrgOpTemp, T::OwnFont},
                        {ocOpCond, T::OwnFont}};
    // A condition group's content is its radio group, whose items draw in its font
    // (pinning them as "other controls" would keep the old font on every item).
    for (int i = 0; i < ocOpCond->count(); ++i) {
        targets << T{ocOpCond->captionButton(i), T::OwnFont};
        targets << T{ocOpCond->content(i), T::OwnFont | T::Items};
    }
    targets << T{gbResults, T::OwnFont | T::Children} << T{memoNotes, T::OwnFont};
    return targets;
}

QString DialTab::fontFamily() const { return gbBrgBasic->font().family(); }

void DialTab::setUpKeyboard() {
    // The labels name their fields for assistive tools.
    findChild<QLabel*>("labBore")->setBuddy(spedBore);
    findChild<QLabel*>("labD")->setBuddy(spedD);
    findChild<QLabel*>("labB")->setBuddy(spedB);
    labSpeed->setBuddy(spedSpeed);
    labOpHrs->setBuddy(spedOpHrs);
    labTf->setBuddy(edTf);
    labTcorr->setBuddy(edTfcorr);
    labGp->setBuddy(edGp);
    labQf->setBuddy(edQf);
    // The results can be reached and read (and copied) from the keyboard.
    for (QLineEdit* e : {edTf, edTfcorr, edGp, edQf})
        e->setFocusPolicy(Qt::TabFocus);
    memoNotes->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    for (TClickLabel* l : {labPrevNote, labNextNote})
        l->setFocusPolicy(Qt::StrongFocus);
}

QList<QWidget*> DialTab::focusChain() const {
    // Reading order: the bearing, how it runs, then the lubricator and the grease that
    // suits all of that, then the results. Hidden controls (closed groups, other
    // bearing types) are passed over by the focus itself.
    QList<QWidget*> chain{spedBore, spedD, spedB, cbBrgType};
    for (TGroupBar* bar : subVariantBars())
        for (int i = 0; i < bar->count(); ++i)
            chain << bar->captionButton(i);
    chain << spedSpeed << spedOpHrs;
    chainGroup(chain, rgBrgOpTemp);
    for (int i = 0; i < ocOpCond->count(); ++i) {
        chain << ocOpCond->captionButton(i);
        chainGroup(chain, static_cast<TRadioGroup*>(ocOpCond->content(i)));
    }
    for (TRadioGroup* g : {rgLubricator, rgPowerSource, rgOutlets, rgGreaseType})
        chainGroup(chain, g);
    chain << edTf << edTfcorr << edGp << edQf << memoNotes << labPrevNote << labNextNote;
    return chain;
}

void DialTab::applyAccessibleTexts() {
    auto name = [](QWidget* w, const QString& n, const QString& description = QString()) {
        w->setAccessibleName(plainCaption(n));
        w->setAccessibleDescription(plainCaption(description));
    };
    // A group inside a group would read as the outer one's title.
    name(gbBrgDim, gbBrgDim->title());
    name(gbBrgType, gbBrgType->title());
    const QString dim = gbBrgDim->title();
    const struct {
        const char* label;
        TSpinEdit* spin;
        QLineEdit* inch;
    } dims[] = {{"labBore", spedBore, edBore_in}, {"labD", spedD, edD_in}, {"labB", spedB, edB_in}};
    for (const auto& r : dims) {
        const QString caption = dim + " " + findChild<QLabel*>(r.label)->text();
        name(r.spin, caption, "mm");
        name(r.inch, caption + " (in)", "in");
    }
    name(cbBrgType, gbBrgType->title());
    for (const SubVariantBar* b : {&rbCRB_Cage, &rbCRB_Locating, &rbSRB_LoadRatio, &rbSRB_Series, &rbTORB_Cage})
        for (int i = 0; i < b->bar->count(); ++i)
            name(b->bar->captionButton(i), b->bar->caption(i), b->labels[i]->text());
    name(spedSpeed, labSpeed->text(), labSpeedUnit->text());
    name(spedOpHrs, labOpHrs->text(), labOpHrsUnit->text());
    name(rgBrgOpTemp, rgBrgOpTemp->title());
    name(rgLubricator, gbLubricator->title());
    name(rgGreaseType, gbGreaseType->title());
    name(rgPowerSource, rgPowerSource->title());
    name(rgOutlets, rgOutlets->title());
    // The condition groups are named with their captions (updateConditionCaption).
    const struct {
        QLabel* label;
        QLineEdit* field;
        QLabel* unit;
    } results[] = {{labTf, edTf, labUnitTf}, {labTcorr, edTfcorr, labUnitTcorr},
                   {labGp, edGp, labUnitGp}, {labQf, edQf, labUnitQf}};
    for (const auto& r : results)
        name(r.field, r.label->text(), r.unit->text());
    const QString note = text(K::strNote);
    name(memoNotes, note, gbResults->title());
    name(labPrevNote, note + " <");
    name(labNextNote, note + " >");
    nameLubricatorPicture();
}

void DialTab::nameLubricatorPicture() {
    // The picture opens the About window.
    imgUnit->setAccessibleName(rgLubricator->itemText(rgLubricator->itemIndex()));
    imgUnit->setAccessibleDescription(plainCaption(text(K::strAbout1)));
}
