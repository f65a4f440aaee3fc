// TfrmMain: the input handlers of the "Dial setting" tab and the recalculation.

#include "advice/notebox.h"
#include "advice/warnings.h"
#include "app/dialtab.h"
#include "app/mainwindow.h"
#include "core/greases.h"
#include "core/pipeline.h"
#include "core/suitability.h"
#include "reports/setting.h"
#include "strings/format.h"
#include "strings/keys.h"
#include "strings/stringtable.h"
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
const QColor kAccent(0, 102, 204);

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
            [this] { m_dial->ocOpCond->highlightOpenGroups(kAccent); });
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

unctora::core::CalcInputs TfrmMain::readInputs() const {
    const DialTab* d = m_dial;
    core::CalcInputs in;
    in.Bore_mm = d->spedBore->value();
    in.D_mm = d->spedD->value();
    in.B_mm = d->spedB->value();
    in.Type = d->cbBrgType->currentIndex();
    in.CRBsub1 = d->rbCRB_Cage.bar->openGroupIndex();
    in.CRBsub2 = d->rbCRB_Locating.bar->openGroupIndex();
    in.SRBsub1 = d->rbSRB_LoadRatio.bar->openGroupIndex();
    in.SRBsub2 = d->rbSRB_Series.bar->openGroupIndex();
    in.TORBsub1 = d->rbTORB_Cage.bar->openGroupIndex();
    in.Grease = d->rgGreaseType->itemIndex();
    in.Lubricator = d->rgLubricator->itemIndex();
    in.PowerSource = d->rgPowerSource->itemIndex();
    in.Outlets = d->rgOutlets->itemIndex();
    in.Speed = d->spedSpeed->value();
    in.OpHours = d->spedOpHrs->value();
    in.BrgOpTemp = d->rgBrgOpTemp->itemIndex();
    in.ContMoist = d->rgContMoist->itemIndex();
    in.Load = d->rgLoad->itemIndex();
    in.ShockLoad = d->rgShockLoad->itemIndex();
    in.Ambient = d->rgAmbTemp->itemIndex();
    in.ShaftOrientation = d->rgShaftOri->itemIndex();
    in.Replenishment = d->rgReplenish->itemIndex();
    in.RotOR = d->rgRotOR->itemIndex();
    return in;
}

app::QuantityContext TfrmMain::quantityContext() const {
    app::QuantityContext q;
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
    d->rbSRB_Series.bar->setVisible(type == 4);
    d->rbSRB_LoadRatio.bar->setVisible(type == 4);
    d->rbCRB_Locating.bar->setVisible(type == 3);
    d->rbCRB_Cage.bar->setVisible(type == 3);
    d->rbTORB_Cage.bar->setVisible(type == 7);
    for (TGroupBar* bar : d->subVariantBars())
        if (bar->isVisibleTo(d))
            bar->highlightOpenGroups(kAccent);
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
        bar->highlightOpenGroups(kAccent);
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
    DialTab* d = m_dial;
    // The notes box keeps its text until the new first page is known (see ShowNotePage).
    m_notes->clear();
    const core::CalcInputs in = readInputs();
    core::CalcContext ctx;
    ctx.log = m_logEnabled ? m_logSink.get() : nullptr;
    ctx.decimalSeparator = QLocale().decimalPoint().toStdString();
    const core::CalcOutcome out = core::calculate(in, CurrentUnits(), ctx);
    const core::CalcDisplay& t = out.run.display;
    d->edBore_in->setText(qs(t.edBore_in));
    d->edD_in->setText(qs(t.edD_in));
    d->edB_in->setText(qs(t.edB_in));
    d->edTf->setText(qs(t.edTf));
    d->edTfcorr->setText(qs(t.edTfcorr));
    d->edGp->setText(qs(t.edGp));
    d->edQf->setText(qs(t.edQf));
    if (!out.ok) {
        showCalculationFailure(qs(out.error));
        return;
    }
    try {
        m_advice->pages.clear();
        // The setting display comes first; the notes it adds stand before the warnings.
        const reports::SettingDisplay setting =
            reports::settingDisplay(in, out.run.results, CurrentUnits(), ctx.decimalSeparator);
        d->showSetting(setting, setting.monthKey.empty() ? QString() : text(setting.monthKey.data()));
        if (setting.note)
            m_advice->pages.push_back(*setting.note);
        advice::addWarnings(in, out.run.results, *m_advice);
        m_notes->addPages(m_advice->pages, table(), quantityContext());
        setSpeedRed(m_advice->speedRed);
        d->pnPrevNextNote->setVisible(m_advice->pageBarVisible);
    } catch (const std::exception& e) {
        // A text of the language file that does not fit its values, or a minimum
        // speed beyond range, fails this calculation like any other error.
        showCalculationFailure(qs(e.what()));
        return;
    }
    if (m_notes->pageCount() > 0)
        ShowNotePage(0);
    else
        d->memoNotes->clear();
}

void TfrmMain::showCalculationFailure(const QString& message) {
    DialTab* d = m_dial;
    for (QLineEdit* e : {d->edTf, d->edTfcorr, d->edGp, d->edQf})
        e->setText("0");
    d->clearSetting();
    // The failure pages follow any pages this calculation added before it failed.
    advice::Pages pages;
    advice::appendFailurePages(pages, readInputs().Lubricator, message.toStdString());
    try {
        m_notes->addPages(pages, table(), quantityContext());
    } catch (const std::exception&) {
        m_notes->AddNote(message.toStdString());
    }
    ShowNotePage(0);
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
