// DialTab: what the window decided, put on the controls: the greases, the lubricator,
// the bearing variants, the results, the setting display and the notes.

#include "tabs/dialtab.h"

#include "core/greases.h"
#include "core/suitability.h"
#include "pictures/pictures.h"
#include "reports/assessment.h"
#include "reports/setting.h"
#include "strings/keys.h"
#include "widgets/accent.h"
#include "widgets/badge.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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
    const int lub = rgLubricator->itemIndex();
    imgUnit->setPixmap(QIcon(QString(":/pictures/%1.svg").arg(41 + lub)).pixmap(112, 164));
    pnVOXA1000->setVisible(lub == unctora::core::VOXA1000);
    setSystemHeading();
    nameLubricatorPicture();
}

void DialTab::setSystemHeading() {
    namespace K = unctora::strings::keys;
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
    edBore_in->setText(qs(t.edBore_in));
    edD_in->setText(qs(t.edD_in));
    edB_in->setText(qs(t.edB_in));
    edTf->setText(qs(t.edTf));
    edTfcorr->setText(qs(t.edTfcorr));
    edGp->setText(qs(t.edGp));
    edQf->setText(qs(t.edQf));
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
    memoNotes->moveCursor(QTextCursor::Start);
    memoNotes->ensureCursorVisible();
}

void DialTab::setSpeedRed(bool red) {
    if (red == m_speedRed)
        return;
    m_speedRed = red;
    QPalette p = spedSpeed->palette();
    p.setColor(QPalette::Text, red ? QColor(255, 0, 0) : QColor(Qt::black));
    spedSpeed->setPalette(p);
    spedSpeed->update();
}

void DialTab::openFirstCondition() {
    ocOpCond->openGroup(0);
    ocOpCond->highlightOpenGroups(accentColour());
    // The first condition group's font, which its items inherit, is bold.
    QFont bold = rgContMoist->font();
    bold.setBold(true);
    rgContMoist->setFont(bold);
}

void DialTab::focusFirstInput() {
    spedSpeed->setFocus();
    spedBore->setFocus();
}

void DialTab::fitTemperatureItems() {
    // Two columns of temperature classes when the longest fits beside another, else
    // one: long languages and the Fahrenheit figures would be cut off. Only a window
    // on screen has its widths settled.
    if (!isVisible())
        return;
    rgBrgOpTemp->setColumns(2);
    const int available = gbOpCond->contentsRect().width() - 12; // the grid's margins
    if (rgBrgOpTemp->minimumSizeHint().width() > available)
        rgBrgOpTemp->setColumns(1);
}

QList<TGroupBar*> DialTab::subVariantBars() const {
    return {rbCRB_Cage.bar, rbCRB_Locating.bar, rbSRB_LoadRatio.bar, rbSRB_Series.bar,
            rbTORB_Cage.bar};
}

QList<TRadioGroup*> DialTab::conditionGroups() const {
    return {rgContMoist, rgLoad, rgShockLoad, rgAmbTemp, rgShaftOri, rgReplenish, rgRotOR};
}

void DialTab::showSetting(const unctora::reports::SettingDisplay& setting, const QString& monthText) {
    namespace R = unctora::reports;
    const QString text = QString::fromStdString(setting.text);
    slDS->setText(text);
    pbDS->setText(text);
    pbDS->setTextColour(setting.colour == R::BadgeColour::Red ? QColor(255, 0, 0) : QColor(Qt::white));
    pbDS->setTextSize(setting.textSize);
    const int w = pnDS->width(), h = pnDS->height();
    if (setting.layout == R::SettingLayout::Dial) {
        const int margin = pnMargin->width();
        // The results box is lower than the panel, and scripts with tall lines (Thai)
        // push the panel further down in its column: what the column shows of it is
        // what the picture, the badge and the month have to fit in.
        int shown = h;
        if (QWidget* column = pnDS->parentWidget(); column && isVisible()) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            shown = std::clamp(column->height() - pnDS->y(), 0, h);
        }
        pnMargin->setGeometry(w - margin, 0, margin, h);
        imgDial->setGeometry(w - margin - R::kDialPictureWidth, 0, R::kDialPictureWidth, shown);
        // Drawing and scaling the dial costs more than the whole calculation; most
        // changes keep the same picture at the same size.
        const qreal dpr = devicePixelRatioF();
        const DialPictureKey key{setting.picture ? *setting.picture : -1, shown, dpr};
        if (key != m_dialPictureKey) {
            const QPixmap picture = key.number >= 0 ? unctora::pictures::settingPicture(key.number, dpr) : QPixmap();
            imgDial->setPixmap(picture.isNull()
                                   ? picture
                                   : picture.scaled(QSize(R::kDialPictureWidth, std::max(shown, 1)) * dpr,
                                                    Qt::KeepAspectRatio, Qt::SmoothTransformation));
            m_dialPictureKey = key;
        }
        R::Rect badge = R::dialBadgeRect(w, h, margin);
        badge.top -= 8;
        labUnitDS->setText(monthText);
        const int labelWidth = labUnitDS->fontMetrics().horizontalAdvance(monthText) + 4;
        R::Rect label = R::monthLabelRect(badge, labelWidth, labUnitDS->fontMetrics().height());
        // Badge and month move up together when the month would be cut off, as far
        // as the badge allows.
        const int below = std::min(label.top + label.height - shown, badge.top);
        if (below > 0) {
            badge.top -= below;
            label.top -= below;
        }
        pbDS->setGeometry(badge.left, badge.top, badge.width, badge.height);
        labUnitDS->setGeometry(label.left, label.top, label.width, label.height);
        labUnitDS->setVisible(!monthText.isEmpty());
        imgDial->show();
        pnMargin->show();
    } else {
        imgDial->hide();
        pnMargin->hide();
        labUnitDS->hide();
        R::Rect badge = R::multiPointBadgeRect(w, h);
        const std::string_view line = R::sizingLineText(setting);
        if (!line.empty()) {
            const QFontMetrics fm(pbDS->badgeFont());
            const int lineWidth =
                fm.horizontalAdvance(QString::fromUtf8(line.data(), static_cast<int>(line.size())));
            badge = R::multiPointBadgeRect(w, h, lineWidth, fm.height());
        }
        pbDS->setGeometry(badge.left, badge.top, badge.width, badge.height);
    }
    pbDS->show();
    pbDS->update();
    nameSetting(monthText);
}

void DialTab::clearSetting() {
    slDS->setText(QString());
    pbDS->setText(QString());
    nameSetting(QString());
}

void DialTab::nameSetting(const QString& monthText) {
    // For assistive tools: the badge reads as its heading and its lines; the picture
    // as the heading.
    QString shown = pbDS->text();
    shown.remove('^').replace('|', ' ');
    pnDS->setAccessibleName(labSystem->text());
    pbDS->setAccessibleName((labSystem->text() + ": " + shown.simplified() + " " + monthText).trimmed());
    imgDial->setAccessibleName(labSystem->text());
}
