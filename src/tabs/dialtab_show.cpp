// DialTab: what the window decided, put on the controls: the greases, the lubricator,
// the bearing variants, the results, the setting display and the notes.

#include "tabs/dialtab.h"

#include "core/greases.h"
#include "core/suitability.h"
#include "reports/assessment.h"
#include "text/keys.h"
#include "widgets/accent.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/numberfield.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }
} // namespace

void DialTab::showSuitability(const unctora::core::Suitability& s) {
    const QSignalBlocker block(rgGreaseType);
    for (int i = 0; i < unctora::core::kGreaseCount; ++i)
        rgGreaseType->setItemEnabled(i, s.enabled[i]);
    rgGreaseType->setItemIndex(s.grease);
}

void DialTab::showLubricator() {
    const auto* m = unctora::core::lubricatorModel(rgLubricator->itemIndex());
    imgUnit->setPixmap(QIcon(QString(":/pictures/%1.svg").arg(m ? m->artwork : 0)).pixmap(112, 164));
    // The power source and outlets are a pump's.
    pnVOXA1000->setVisible(m && m->pump);
    setSystemHeading();
    nameLubricatorPicture();
}

void DialTab::setSystemHeading() {
    namespace K = unctora::text::keys;
    const int lub = rgLubricator->itemIndex();
    const auto key = unctora::core::isZolt(lub) ? K::strDipSwitchSetting : K::strMeridoseDS;
    labSystem->setText(text(key) + " " + qs(unctora::core::lubricatorName(lub)));
}

void DialTab::updateBearingVariants() {
    namespace core = unctora::core;
    const int type = cbBrgType->currentIndex();
    rbSRB_Series.bar->setVisible(type == core::SphericalRoller);
    rbSRB_LoadRatio.bar->setVisible(type == core::SphericalRoller);
    rbCRB_Locating.bar->setVisible(type == core::CylindricalRoller);
    rbCRB_Cage.bar->setVisible(type == core::CylindricalRoller);
    rbTORB_Cage.bar->setVisible(type == core::ToroidalRoller);
    for (TGroupBar* bar : subVariantBars())
        if (bar->isVisibleTo(this))
            bar->highlightOpenGroups(accentColour());
    // Ball bearings take fresh grease from the side only.
    core::CalcInputs in = inputs();
    const bool open = core::applyReplenishmentRule(in);
    if (!open) {
        const QSignalBlocker block(rgReplenish);
        rgReplenish->setItemIndex(0);
        updateConditionCaption(rgReplenish);
    }
    rgReplenish->setEnabled(open);
}

void DialTab::restyleSubVariantBars() {
    for (TGroupBar* bar : subVariantBars())
        bar->highlightOpenGroups(accentColour());
}

void DialTab::showAssessment(const unctora::reports::Assessment& a) {
    showSuitability(a.suitability);
    const unctora::core::CalcDisplay& t = a.display;
    edBore_in->setNumber(qs(t.edBore_in));
    edD_in->setNumber(qs(t.edD_in));
    edB_in->setNumber(qs(t.edB_in));
    edTf->setNumber(qs(t.edTf));
    edTfcorr->setNumber(qs(t.edTfcorr));
    edGp->setNumber(qs(t.edGp));
    edQf->setNumber(qs(t.edQf));
    if (!a.ok) {
        clearSetting();
        return;
    }
    const unctora::reports::SettingDisplay& setting = a.setting;
    showSetting(setting, setting.monthKey.empty() ? QString() : text(setting.monthKey));
    setSpeedRed(a.speedRed);
    pnPrevNextNote->setVisible(a.pageBarVisible);
}

void DialTab::showNotePage(const QString& text) {
    // Most input changes leave the page as it was: laying the same text out again
    // would be half the cost of the change.
    if (memoNotes->toPlainText() != text)
        memoNotes->setPlainText(text);
    // The page is shown from its start. Moving a cursor that is there already
    // would draw the box again for nothing.
    const QScrollBar* bar = memoNotes->verticalScrollBar();
    if (memoNotes->textCursor().position() != 0 || memoNotes->textCursor().hasSelection() ||
        bar->value() != bar->minimum()) {
        memoNotes->moveCursor(QTextCursor::Start);
        memoNotes->ensureCursorVisible();
    }
}

void DialTab::setSpeedRed(bool red) {
    if (red == m_speedRed)
        return;
    m_speedRed = red;
    spedSpeed->setTextColour(red ? QColor(255, 0, 0) : QColor(Qt::black));
}

void DialTab::openFirstCondition() {
    ocOpCond->openGroup(0);
    ocOpCond->highlightOpenGroups(accentColour());
    // The first condition group's font is bold, and so are its items: the style
    // sheet of the box around them (its title colour) fixes their fonts when they
    // are polished, so they would not follow the group's font by themselves.
    QFont bold = rgContMoist->font();
    bold.setBold(true);
    rgContMoist->setFont(bold);
    for (int i = 0; i < rgContMoist->count(); ++i) {
        QFont item = rgContMoist->button(i)->font();
        item.setBold(true);
        rgContMoist->button(i)->setFont(item);
    }
}

void DialTab::focusFirstInput() {
    spedSpeed->setFocus();
    spedBore->setFocus();
}
