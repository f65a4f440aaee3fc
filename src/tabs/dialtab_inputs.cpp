// DialTab: the calculation inputs, read from and put on the tab's controls.

#include "tabs/dialtab.h"

#include "core/calcinputs.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>

#include <algorithm>

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
        {"BrgOpTemp", rgBrgOpTemp},
        {"ContMoist", rgContMoist},
        {"Load", rgLoad},
        {"ShockLoad", rgShockLoad},
        {"Ambient", rgAmbTemp},
        {"ShaftOrientation", rgShaftOri},
        {"Replenishment", rgReplenish},
        {"RotOR", rgRotOR},
    };
    for (const Holder& h : holders)
        if (h.field == field)
            return h.control;
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
    // In field order, each control as the program sets it: the spin edits, the type
    // and the sub-variant bars report their change, the radio groups do not.
    for (const unctora::core::InputField& f : unctora::core::inputFields()) {
        QWidget* c = inputControl(f.name);
        if (auto* s = qobject_cast<TSpinEdit*>(c))
            s->setValue(in.*f.number);
        else if (auto* b = qobject_cast<QComboBox*>(c))
            b->setCurrentIndex(std::clamp(in.*f.index, 0, b->count() - 1));
        else if (auto* bar = qobject_cast<TGroupBar*>(c))
            bar->openGroup(in.*f.index);
        else if (auto* g = qobject_cast<TRadioGroup*>(c))
            g->setItemIndex(in.*f.index);
    }
}
