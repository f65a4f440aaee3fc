// TfrmMain: the input handlers of the "Dial setting" tab and the recalculation.

#include "advice/notebox.h"
#include "tabs/dialtab.h"
#include "app/mainwindow.h"
#include "core/greases.h"
#include "core/suitability.h"
#include "reports/assessment.h"
#include "strings/format.h"
#include "strings/keys.h"
#include "strings/stringtable.h"
#include "widgets/accent.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextCursor>

using namespace unctora;

namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }
} // namespace

void TfrmMain::connectInputs() {
    DialTab* d = m_dial;
    // Dimensions, speed, hours: suitability check, then recalculation.
    for (TSpinEdit* s : {d->spedSpeed, d->spedOpHrs, d->spedBore, d->spedD, d->spedB})
        connect(s, &TSpinEdit::valueChanged, this, [this] {
            checkApplicationSuitability();
            recalculate();
        });
    connect(d->cbBrgType, &QComboBox::currentIndexChanged, this, [this] {
        updateBearingVariantControls();
        checkApplicationSuitability();
        recalculate();
    });
    for (TGroupBar* bar : d->subVariantBars()) {
        connect(bar, &TGroupBar::opened, this, &TfrmMain::onSubVariantChanged);
        connect(bar, &TGroupBar::barClicked, this, &TfrmMain::onSubVariantChanged);
    }
    connect(d->rgBrgOpTemp, &TRadioGroup::clicked, this, [this] {
        checkApplicationSuitability();
        recalculate();
    });
    for (TRadioGroup* g : d->conditionGroups())
        connect(g, &TRadioGroup::clicked, this, [this, g] { onConditionClicked(g); });
    connect(d->ocOpCond, &TGroupBar::opened, this,
            [this] { m_dial->ocOpCond->highlightOpenGroups(accentColour()); });
    connect(d->rgGreaseType, &TRadioGroup::clicked, this, &TfrmMain::recalculate);
    connect(d->rgLubricator, &TRadioGroup::clicked, this, &TfrmMain::applyLubricatorChoice);
    connect(d->rgOutlets, &TRadioGroup::clicked, this, &TfrmMain::recalculate);
    // A change of the power source takes effect at the next recalculation.
    connect(d->labNextNote, &TClickLabel::clicked, this,
            [this] { ShowNotePage(m_notes->currentPage() + 1); });
    connect(d->labPrevNote, &TClickLabel::clicked, this,
            [this] { ShowNotePage(m_notes->currentPage() - 1); });
    d->memoNotes->viewport()->installEventFilter(this);
}

unctora::core::CalcInputs TfrmMain::readInputs() const { return m_dial->inputs(); }

void TfrmMain::setInputs(const Inputs& in) {
    m_dial->setInputs(in);
    // The handlers of the controls set after it may have taken the grease back; it is
    // chosen last, as a user would after setting the rest.
    m_dial->rgGreaseType->setItemIndex(in.Grease);
    updateBearingVariantControls();
    applyLubricatorChoice();
}

strings::QuantityContext TfrmMain::quantityContext() const {
    strings::QuantityContext q;
    q.units = CurrentUnits();
    q.labels = &m_unitLabels;
    q.decimalSeparator = QLocale().decimalPoint().toStdString();
    return q;
}

void TfrmMain::checkApplicationSuitability() {
    const core::CalcInputs in = readInputs();
    core::CalcContext ctx;
    ctx.log = m_logEnabled ? m_logSink.get() : nullptr;
    ctx.decimalSeparator = QLocale().decimalPoint().toStdString();
    const core::Suitability s = core::checkApplicationSuitability(in, ctx);
    TRadioGroup* g = m_dial->rgGreaseType;
    const QSignalBlocker block(g);
    for (int i = 0; i < core::kGreaseCount; ++i)
        g->setItemEnabled(i, s.enabled[i]);
    g->setItemIndex(s.grease);
}

void TfrmMain::applyLubricatorChoice() {
    const int lub = m_dial->rgLubricator->itemIndex();
    m_dial->imgUnit->setPixmap(QIcon(QString(":/pictures/%1.svg").arg(41 + lub)).pixmap(112, 164));
    m_dial->pnVOXA1000->setVisible(lub == core::VOXA1000);
    const char* key = core::isZolt(lub) ? strings::keys::strDipSwitchSetting.data()
                                        : strings::keys::strMeridoseDS.data();
    m_dial->labSystem->setText(text(key) + " " + qs(core::lubricatorName(lub)));
    checkApplicationSuitability();
    recalculate();
}

void TfrmMain::updateBearingVariantControls() {
    DialTab* d = m_dial;
    const int type = d->cbBrgType->currentIndex();
    d->rbSRB_Series.bar->setVisible(type == core::SphericalRoller);
    d->rbSRB_LoadRatio.bar->setVisible(type == core::SphericalRoller);
    d->rbCRB_Locating.bar->setVisible(type == core::CylindricalRoller);
    d->rbCRB_Cage.bar->setVisible(type == core::CylindricalRoller);
    d->rbTORB_Cage.bar->setVisible(type == core::ToroidalRoller);
    for (TGroupBar* bar : d->subVariantBars())
        if (bar->isVisibleTo(d))
            bar->highlightOpenGroups(accentColour());
    // Ball bearings take fresh grease from the side only.
    core::CalcInputs in = readInputs();
    const bool open = core::applyReplenishmentRule(in);
    if (!open) {
        const QSignalBlocker block(d->rgReplenish);
        d->rgReplenish->setItemIndex(0);
        updateConditionCaption(d->rgReplenish);
    }
    d->rgReplenish->setEnabled(open);
}

void TfrmMain::restyleSubVariantBars() {
    for (TGroupBar* bar : m_dial->subVariantBars())
        bar->highlightOpenGroups(accentColour());
}

void TfrmMain::onSubVariantChanged() {
    restyleSubVariantBars();
    checkApplicationSuitability();
    recalculate();
}

void TfrmMain::onConditionClicked(TRadioGroup* group) {
    updateConditionCaption(group);
    checkApplicationSuitability();
    recalculate();
}

void TfrmMain::recalculate() {
    if (!m_activated)
        return;
    // The notes box keeps its text until the new first page is known (see ShowNotePage).
    m_notes->clear();
    reports::AssessOptions options;
    options.units = CurrentUnits();
    options.log = m_logEnabled ? m_logSink.get() : nullptr;
    // The handlers that run the suitability check have logged it already.
    options.logSuitability = false;
    options.decimalSeparator = QLocale().decimalPoint().toStdString();
    reports::Assessment& a = *m_assessment;
    reports::assess(readInputs(), options, a);
    try {
        m_notes->addPages(a.pages, table(), quantityContext());
    } catch (const std::exception& e) {
        // A text of the language file that does not fit its values fails this
        // calculation like any other error; the pages shown before it stay.
        reports::failAssessment(a, e.what(), static_cast<std::size_t>(m_notes->pageCount()));
        const advice::Pages failure(a.pages.begin() + m_notes->pageCount(), a.pages.end());
        try {
            m_notes->addPages(failure, table(), quantityContext());
        } catch (const std::exception&) {
            m_notes->AddNote(a.error);
        }
    }
    showAssessment(a);
}

void TfrmMain::showAssessment(const reports::Assessment& a) {
    DialTab* d = m_dial;
    {
        // The grease the check leaves selected; the handlers have normally set it already.
        TRadioGroup* g = d->rgGreaseType;
        const QSignalBlocker block(g);
        for (int i = 0; i < core::kGreaseCount; ++i)
            g->setItemEnabled(i, a.suitability.enabled[i]);
        g->setItemIndex(a.inputs.Grease);
    }
    const core::CalcDisplay& t = a.display;
    d->edBore_in->setText(qs(t.edBore_in));
    d->edD_in->setText(qs(t.edD_in));
    d->edB_in->setText(qs(t.edB_in));
    d->edTf->setText(qs(t.edTf));
    d->edTfcorr->setText(qs(t.edTfcorr));
    d->edGp->setText(qs(t.edGp));
    d->edQf->setText(qs(t.edQf));
    if (!a.ok) {
        // Speed colour and page bar keep what the last successful calculation gave them.
        d->clearSetting();
        ShowNotePage(0);
        return;
    }
    const reports::SettingDisplay& setting = a.setting;
    d->showSetting(setting, setting.monthKey.empty() ? QString() : text(setting.monthKey.data()));
    setSpeedRed(a.speedRed);
    d->pnPrevNextNote->setVisible(a.pageBarVisible);
    if (m_notes->pageCount() > 0)
        ShowNotePage(0);
    else
        d->memoNotes->clear();
}

void TfrmMain::ShowNotePage(int n) {
    const std::string shown = m_notes->ShowNotePage(n, table());
    QPlainTextEdit* memo = m_dial->memoNotes;
    // Most input changes leave the page as it was: laying the same text out again
    // would be half the cost of the change.
    const QString text = QString::fromStdString(shown);
    if (memo->toPlainText() != text)
        memo->setPlainText(text);
    memo->moveCursor(QTextCursor::Start);
    memo->ensureCursorVisible();
}

void TfrmMain::setSpeedRed(bool red) {
    if (red == m_speedRed)
        return;
    m_speedRed = red;
    QPalette p = m_dial->spedSpeed->palette();
    p.setColor(QPalette::Text, red ? QColor(255, 0, 0) : QColor(Qt::black));
    m_dial->spedSpeed->setPalette(p);
    m_dial->spedSpeed->update();
}
