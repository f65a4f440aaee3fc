// DialTab: the calculation inputs, read from and put on the tab's controls, and the
// reports of the controls the user changes.

#include "tabs/dialtab.h"

#include "core/calcinputs.h"
#include "widgets/accent.h"
#include "widgets/badge.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

QString DialTab::text(std::string_view key) const { return m_ctx.text ? m_ctx.text(key) : QString(); }

QWidget* DialTab::inputControl(std::string_view field) const {
    // Every field but the sub-variants is held by the control of its own name.
    struct Holder {
        std::string_view field;
        QWidget* control;
    };
    const Holder holders[] = {
        {"Bore_mm", spedBore},
        {"D_mm", spedD},
        {"B_mm", spedB},
        {"Type", cbBrgType},
        {"CRBsub1", rbCRB_Cage.bar},
        {"CRBsub2", rbCRB_Locating.bar},
        {"SRBsub1", rbSRB_LoadRatio.bar},
        {"SRBsub2", rbSRB_Series.bar},
        {"TORBsub1", rbTORB_Cage.bar},
        {"Grease", rgGreaseType},
        {"Lubricator", rgLubricator},
        {"PowerSource", rgPowerSource},
        {"Outlets", rgOutlets},
        {"Speed", spedSpeed},
        {"OpHours", spedOpHrs},
    };
    for (const Holder& h : holders)
        if (h.field == field)
            return h.control;
    for (const unctora::core::ConditionEntry& c : unctora::core::kConditions)
        if (c.field == field)
            return conditionInput(c.condition);
    return nullptr;
}

unctora::core::CalcInputs DialTab::inputs() const {
    unctora::core::CalcInputs in;
    for (const unctora::core::InputField& f : unctora::core::inputFields()) {
        QWidget* c = inputControl(f.name);
        if (auto* s = qobject_cast<TSpinEdit*>(c))
            in.*f.number = s->value();
        else if (auto* b = qobject_cast<QComboBox*>(c))
            in.*f.index = b->currentIndex();
        else if (auto* bar = qobject_cast<TGroupBar*>(c))
            in.*f.index = bar->openGroupIndex();
        else if (auto* g = qobject_cast<TRadioGroup*>(c))
            in.*f.index = g->itemIndex();
    }
    return in;
}

void DialTab::setInputs(const unctora::core::CalcInputs& in) {
    // Every control takes its value quietly: a report in between would rate the greases
    // on half-set inputs (the stored speed with the previous load, say) and could take
    // back a grease the complete inputs allow. The caller runs the check once, after.
    for (const unctora::core::InputField& f : unctora::core::inputFields()) {
        QWidget* c = inputControl(f.name);
        const QSignalBlocker block(c);
        if (auto* s = qobject_cast<TSpinEdit*>(c))
            s->setValue(in.*f.number);
        else if (auto* b = qobject_cast<QComboBox*>(c))
            b->setCurrentIndex(std::clamp(in.*f.index, 0, b->count() - 1));
        else if (auto* bar = qobject_cast<TGroupBar*>(c))
            bar->openGroup(in.*f.index);
        else if (auto* g = qobject_cast<TRadioGroup*>(c))
            g->setItemIndex(in.*f.index);
    }
    // What the reports would have redrawn: the sub-variant bars of the type, the
    // replenishment rule, the condition captions.
    updateBearingVariants();
    restyleSubVariantBars();
    updateConditionCaptions();
}

QList<TRadioGroup*> DialTab::operatingConditionInputs() const {
    QList<TRadioGroup*> inputs;
    for (const unctora::core::ConditionEntry& c : unctora::core::kConditions)
        inputs << conditionInput(c.condition);
    return inputs;
}

QList<QWidget*> DialTab::accentedGroups() const {
    return {gbBrgBasic, gbGreaseType, gbLubricator, gbOpCond, gbResults};
}

void DialTab::wire() {
    rgLubricator->setItemIndex(unctora::core::VOXA125);
    imgUnit->setPixmap(QIcon(":/pictures/42.svg").pixmap(112, 164));
    pnVOXA1000->hide();
    slDS->hide();
    pbDS->hide();

    auto report = [this](Input input) { return [this, input] { emit inputChanged(input); }; };
    for (TSpinEdit* s : {spedSpeed, spedOpHrs, spedBore, spedD, spedB})
        connect(s, &TSpinEdit::valueChanged, this, report(Input::Number));
    connect(cbBrgType, &QComboBox::currentIndexChanged, this, [this] {
        updateBearingVariants();
        emit inputChanged(Input::BearingType);
    });
    for (TGroupBar* bar : subVariantBars()) {
        auto changed = [this] {
            restyleSubVariantBars();
            emit inputChanged(Input::SubVariant);
        };
        connect(bar, &TGroupBar::opened, this, changed);
        connect(bar, &TGroupBar::barClicked, this, changed);
    }
    connect(rgBrgOpTemp, &TRadioGroup::clicked, this, report(Input::BearingTemperature));
    for (TRadioGroup* g : conditionGroups())
        connect(g, &TRadioGroup::clicked, this, [this, g] {
            updateConditionCaption(g);
            emit inputChanged(Input::Condition);
        });
    connect(ocOpCond, &TGroupBar::opened, this, [this] { ocOpCond->highlightOpenGroups(accentColour()); });
    connect(rgGreaseType, &TRadioGroup::clicked, this, report(Input::Grease));
    connect(rgLubricator, &TRadioGroup::clicked, this, report(Input::Lubricator));
    connect(rgOutlets, &TRadioGroup::clicked, this, report(Input::Outlets));
    // A change of the power source takes effect at the next recalculation.
    connect(labNextNote, &TClickLabel::clicked, this, [this] { emit notePageRequested(1); });
    connect(labPrevNote, &TClickLabel::clicked, this, [this] { emit notePageRequested(-1); });
    memoNotes->viewport()->installEventFilter(this);
    connect(imgUnit, &TClickLabel::clicked, this, &DialTab::unitPictureClicked);
    setUpKeyboard();
}

bool DialTab::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick && watched == memoNotes->viewport()) {
        emit notePageRequested(1);
        return true;
    }
    return QWidget::eventFilter(watched, e);
}
