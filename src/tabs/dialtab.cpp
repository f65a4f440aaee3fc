// DialTab: the controls built and laid out, and the lists of them the other parts walk.

#include "tabs/dialtab.h"

#include "core/calcinputs.h"
#include "core/conditions.h"
#include "widgets/badge.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/numberfield.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kBasicsHeight = 170; // the "Bearing Basics" band: room for the sub-variant bars

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

// A field for a computed number: its designed width, and the widest it may grow
// to in its group for a long number.
TNumberField* readOnlyField(const char* name, int width, int widest, bool blue = false) {
    auto* e = named(new TNumberField(width, widest), name);
    e->setFocusPolicy(Qt::NoFocus);
    if (blue) {
        QPalette p = e->palette();
        p.setColor(QPalette::Text, QColor(0, 0, 255));
        e->setPalette(p);
    }
    return e;
}

TSpinEdit* spin(const char* name, int min, int max, bool typing = true) {
    auto* s = named(new TSpinEdit, name);
    s->setRange(min, max);
    s->setTypingAllowed(typing);
    s->setFixedWidth(66);
    return s;
}

TRadioGroup* radio(const char* name, const QString& title, const QStringList& items, int columns) {
    auto* g = named(new TRadioGroup, name);
    g->setTitle(title);
    g->setItems(items);
    g->setColumns(columns);
    return g;
}

QString qsv(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

QStringList itemsOf(std::string_view field) {
    QStringList l;
    for (std::string_view s : unctora::core::findInputField(field)->items)
        l << QString::fromUtf8(s.data(), static_cast<int>(s.size()));
    return l;
}

} // namespace

DialTab::DialTab(Context context, QWidget* parent) : QWidget(parent), m_ctx(std::move(context)) {
    setObjectName("tabDial");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(245, 245, 245));
    setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(buildBasics());
    layout->addWidget(buildMiddle(), 1);
    layout->addWidget(buildResults());
    wire();
}

DialTab::SubVariantBar DialTab::makeBar(const QString& name, const QStringList& groupNames,
                                        const QStringList& captions,
                                        const QStringList& labelNames, const QStringList& labels) {
    SubVariantBar b;
    b.bar = new TGroupBar;
    b.bar->setObjectName(name);
    // The bars of a bearing type share the width of the "Type" group below the list.
    b.bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    for (int i = 0; i < groupNames.size(); ++i) {
        auto* label = new QLabel(labels[i]);
        label->setObjectName(labelNames[i]);
        label->setWordWrap(true);
        label->setContentsMargins(6, 0, 4, 1);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        b.bar->addGroup(groupNames[i], captions[i], label);
        b.labels << label;
    }
    b.bar->openGroup(0);
    return b;
}

QWidget* DialTab::buildBasics() {
    gbBrgBasic = named(new QGroupBox("Bearing Basics"), "gbBrgBasic");
    auto* row = new QHBoxLayout(gbBrgBasic);
    // The band is low for the descriptions of some languages: little margin.
    row->setContentsMargins(6, 2, 6, 2);

    gbBrgDim = named(new QGroupBox("Dimensions"), "gbBrgDim");
    auto* dim = new QGridLayout(gbBrgDim);
    dim->setContentsMargins(4, 4, 4, 4);
    dim->setVerticalSpacing(3);
    dim->setHorizontalSpacing(3);
    spedBore = spin("spedBore", 0, 10000);
    spedD = spin("spedD", 0, 10000);
    spedB = spin("spedB", 0, 10000);
    edBore_in = readOnlyField("edBore_in", 48, 72, true);
    edD_in = readOnlyField("edD_in", 48, 72, true);
    edB_in = readOnlyField("edB_in", 48, 72, true);
    const struct {
        const char* name;
        const char* text;
        TSpinEdit* spin;
        TNumberField* inch;
    } rows[] = {{"labBore", "d", spedBore, edBore_in},
                {"labD", "D", spedD, edD_in},
                {"labB", "B", spedB, edB_in}};
    for (int r = 0; r < 3; ++r) {
        dim->addWidget(named(new QLabel(rows[r].text), rows[r].name), r, 0);
        dim->addWidget(rows[r].spin, r, 1);
        dim->addWidget(new QLabel("mm"), r, 2);
        dim->addWidget(rows[r].inch, r, 3);
        dim->addWidget(new QLabel("in"), r, 4);
    }
    TNumberField::shareWidth({edBore_in, edD_in, edB_in});
    row->addWidget(gbBrgDim);

    gbBrgType = named(new QGroupBox("Type"), "gbBrgType");
    auto* typeColumn = new QVBoxLayout(gbBrgType);
    typeColumn->setContentsMargins(6, 0, 6, 2);
    typeColumn->setSpacing(3);
    cbBrgType = named(new QComboBox, "cbBrgType");
    cbBrgType->addItems(itemsOf("Type"));
    cbBrgType->setFixedWidth(205);
    typeColumn->addWidget(cbBrgType);
    // The sub-variant bars below the list, side by side over the group's whole width:
    // their captions and descriptions are long in every language.
    auto* type = new QHBoxLayout;
    type->setSpacing(6);
    typeColumn->addLayout(type, 1);

    rbCRB_Cage = makeBar("rbCRB_Cage", {"rgCageGlass", "rgCageSteel"},
                         {"Glass fibre cage", "Steel cage"}, {"labCageGlass", "labCageSteel"},
                         {"Injection-moulded cage of glass-fibre reinforced polyamide 66, roller "
                          "centred (suffix P), or two-piece machined brass cage, roller centred "
                          "(suffix M)",
                          "Pressed steel cage, roller centred (suffix J), or machined steel cage "
                          "(suffix MA)"});
    rbCRB_Locating = makeBar(
        "rbCRB_Locating", {"rgNonLoc", "rgLoc1", "rgLoc2", "rgNoCage"},
        {"Non locating", "Locating I", "Locating II", "Without cage"},
        {"labNonLoc", "labLoc1", "labLoc2", "labNoCage"},
        {"Non locating",
         "Locating bearing, without external axial loads or with light but alternating axial load",
         "Locating bearing, with constantly acting light axial load", "Without cage, full complement"});
    rbSRB_LoadRatio = makeBar("rbSRB_LoadRatio", {"rgLoadRatio1", "rgLoadRatio2", "rgLoadRatio3"},
                              {QString::fromUtf8("Load ratio Fa/Fr < e and dm \u2264 800mm"),
                               "Load ratio Fa/Fr < e and dm > 800mm.", "Load ratio Fa/Fr>e"},
                              {"labLoadRatio1", "labLoadRatio2", "labLoadRatio3"},
                              {QString::fromUtf8("Load ratio Fa/Fr < e and dm \u2264 800mm"),
                               "Load ratio Fa/Fr < e and dm > 800mm.", "Load ratio Fa/Fr>e"});
    rbSRB_Series = makeBar("rbSRB_Series", {"rgSeries213", "rgSeries223", "rgSeries241"},
                           {"Series 213, 222, 238, 239", "Series 223, 230, 231, 232, 240, 248, 249",
                            "Series 241"},
                           {"labSeries213", "labSeries223", "labSeries241"},
                           {"Series 213, 222, 238, 239", "Series 223, 230, 231, 232, 240, 248, 249",
                            "Series 241"});
    rbTORB_Cage = makeBar("rbTORB_Cage", {"rgTORB_Cage", "rgTORB_NoCage"},
                          {"With cage", "Without cage"}, {"labTORB_Cage", "labTORB_NoCage"},
                          {"With cage", "Without cage, full complement"});
    // Cage and locating captions are short, their descriptions long: captions in two
    // columns. The spherical roller bearings' captions are the long texts themselves.
    for (TGroupBar* b : {rbCRB_Cage.bar, rbCRB_Locating.bar, rbTORB_Cage.bar})
        b->setCaptionColumns(2);
    for (TGroupBar* b : subVariantBars()) {
        // The load ratios are the longest captions of all.
        type->addWidget(b, b == rbSRB_LoadRatio.bar || b == rbCRB_Cage.bar ? 53 : 47);
        b->hide();
    }
    row->addWidget(gbBrgType, 1);
    gbBrgBasic->setFixedHeight(kBasicsHeight);
    return gbBrgBasic;
}

QWidget* DialTab::buildMiddle() {
    auto* middle = new QWidget;
    auto* row = new QHBoxLayout(middle);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);

    auto* left = new QVBoxLayout;
    gbLubricator = named(new QGroupBox("Lubricator"), "gbLubricator");
    auto* lub = new QVBoxLayout(gbLubricator);
    lub->setContentsMargins(4, 2, 4, 2);
    rgLubricator = radio("rgLubricator", QString(), itemsOf("Lubricator"), 4);
    rgLubricator->setFlat(true);
    // Eight names in four columns: little room between them, so that wider display
    // fonts keep every letter.
    if (auto* grid = qobject_cast<QGridLayout*>(rgLubricator->layout())) {
        grid->setHorizontalSpacing(2);
        grid->setContentsMargins(2, 2, 2, 2);
    }
    lub->addWidget(rgLubricator);
    left->addWidget(gbLubricator);

    gbGreaseType = named(new QGroupBox("Grease"), "gbGreaseType");
    auto* grease = new QVBoxLayout(gbGreaseType);
    grease->setContentsMargins(4, 2, 4, 2);
    rgGreaseType = radio("rgGreaseType", QString(), itemsOf("Grease"), 4);
    // Inside its box the group needs no frame or margins of its own: tall scripts
    // need every pixel of the column.
    rgGreaseType->setFrameless(true);
    grease->addWidget(rgGreaseType);
    left->addWidget(gbGreaseType);
    // The temperature class stands below the grease, where the column has room: in
    // the operating-conditions box it pushed the last condition groups out of sight.
    {
        const auto& temp = unctora::core::conditionEntry(unctora::core::Condition::BrgOpTemp);
        rgBrgOpTemp = radio("rgBrgOpTemp", qsv(temp.englishCaption), itemsOf(temp.field), 2);
    }
    left->addWidget(rgBrgOpTemp);
    left->addStretch(1);
    gbLubricator->setMinimumWidth(392);
    row->addLayout(left, 1);

    gbOpCond = named(new QGroupBox("Operating Conditions"), "gbOpCond");
    auto* op = new QGridLayout(gbOpCond);
    op->setContentsMargins(6, 0, 6, 2);
    op->setVerticalSpacing(3);
    labSpeed = named(new QLabel("n - Speed"), "labSpeed");
    spedSpeed = spin("spedSpeed", 0, 10000);
    labSpeedUnit = named(new QLabel("rpm"), "labSpeedUnit");
    labOpHrs = named(new QLabel("Op hrs/day"), "labOpHrs");
    spedOpHrs = spin("spedOpHrs", 1, 24, false);
    labOpHrsUnit = named(new QLabel("hrs"), "labOpHrsUnit");
    // Long captions (Russian, Thai) take a second line rather than being cut off.
    labSpeed->setWordWrap(true);
    labOpHrs->setWordWrap(true);
    op->addWidget(labSpeed, 0, 0);
    op->addWidget(spedSpeed, 0, 1);
    op->addWidget(labSpeedUnit, 0, 2);
    op->addWidget(labOpHrs, 0, 4);
    op->addWidget(spedOpHrs, 0, 5);
    op->addWidget(labOpHrsUnit, 0, 6);
    op->setColumnStretch(3, 1);
    op->setColumnStretch(7, 1);

    ocOpCond = named(new TGroupBar, "ocOpCond");
    // The conditions of the bar, in bar order, each named after its row.
    for (int p = 0; p < unctora::core::kDialBarConditionCount; ++p) {
        const unctora::core::ConditionEntry& c = *unctora::core::conditionAtDialPosition(p);
        const QStringList items = itemsOf(c.field);
        const QByteArray radioName = "rg" + QByteArray(c.name.data(), static_cast<int>(c.name.size()));
        TRadioGroup* g = radio(radioName.constData(), QString(), items, items.size() > 2 ? 2 : items.size());
        // Inside a condition group the radio group needs no frame of its own.
        g->setFrameless(true);
        ocOpCond->addGroup("op" + qsv(c.name), qsv(c.englishCaption), g);
    }
    using C = unctora::core::Condition;
    rgContMoist = conditionInput(C::ContMoist);
    rgLoad = conditionInput(C::Load);
    rgShockLoad = conditionInput(C::ShockLoad);
    rgAmbTemp = conditionInput(C::AmbTemp);
    rgShaftOri = conditionInput(C::ShaftOri);
    rgReplenish = conditionInput(C::Replenish);
    rgRotOR = conditionInput(C::RotOR);
    op->addWidget(ocOpCond, 1, 0, 1, 8);
    op->setRowStretch(1, 1);
    row->addWidget(gbOpCond, 1);

    // The picture of the lubricator, and below it what only the VOXA 1000 asks for.
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    imgUnit = named(new TClickLabel, "imgUnit");
    imgUnit->setCursor(Qt::PointingHandCursor);
    imgUnit->setFixedSize(112, 170);
    imgUnit->setAlignment(Qt::AlignCenter);
    right->addWidget(imgUnit);
    pnVOXA1000 = named(new QWidget, "pnVOXA1000");
    pnVOXA1000->setFixedWidth(112);
    auto* pn = new QVBoxLayout(pnVOXA1000);
    pn->setContentsMargins(0, 0, 0, 0);
    pn->setSpacing(2);
    rgPowerSource = radio("rgPowerSource", "Type", itemsOf("PowerSource"), 2);
    rgOutlets = radio("rgOutlets", "Outlets", itemsOf("Outlets"), 2);
    pn->addWidget(rgPowerSource);
    pn->addWidget(rgOutlets);
    pnVOXA1000->hide();
    right->addWidget(pnVOXA1000);
    right->addStretch(1);
    row->addLayout(right);
    return middle;
}

QWidget* DialTab::buildResults() {
    gbResults = named(new QGroupBox("Results"), "gbResults");
    auto* row = new QHBoxLayout(gbResults);
    row->setContentsMargins(6, 4, 6, 4);

    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(2);
    const struct {
        QLabel** label;
        const char* labelName;
        const char* caption;
        TNumberField** field;
        const char* fieldName;
        QLabel** unit;
        const char* unitName;
        const char* unitText;
    } rows[] = {
        {&labTf, "labTf", "t-relub - Relub Interval", &edTf, "edTf", &labUnitTf, "labUnitTf", "hrs"},
        {&labTcorr, "labTcorr", "t-relub - Corrected Interval", &edTfcorr, "edTfcorr", &labUnitTcorr,
         "labUnitTcorr", "hrs"},
        {&labGp, "labGp", "Gp -Grease Quantity", &edGp, "edGp", &labUnitGp, "labUnitGp", "g"},
        {&labQf, "labQf", "Qf - Feed rate", &edQf, "edQf", &labUnitQf, "labUnitQf", "oz/ day"},
    };
    for (int r = 0; r < 4; ++r) {
        *rows[r].label = named(new QLabel(rows[r].caption), rows[r].labelName);
        *rows[r].field = readOnlyField(rows[r].fieldName, 70, 170);
        *rows[r].unit = named(new QLabel(rows[r].unitText), rows[r].unitName);
        fields->addWidget(*rows[r].label, r, 0);
        fields->addWidget(*rows[r].field, r, 1);
        fields->addWidget(*rows[r].unit, r, 2);
    }
    TNumberField::shareWidth({edTf, edTfcorr, edGp, edQf});
    row->addLayout(fields);

    auto* setting = new QWidget;
    auto* settingColumn = new QVBoxLayout(setting);
    settingColumn->setContentsMargins(0, 0, 0, 0);
    settingColumn->setSpacing(2);
    labSystem = named(new QLabel("Dial setting VOXA 125"), "labSystem");
    labSystem->setAlignment(Qt::AlignHCenter);
    settingColumn->addWidget(labSystem);
    // The display places its parts itself, by the sizes the setting calls for.
    pnDS = named(new QWidget, "pnDS");
    pnDS->setFixedSize(214, 96);
    slDS = named(new QLabel(pnDS), "slDS");
    slDS->hide();
    pbDS = named(new TBadge(pnDS), "pbDS");
    labUnitDS = named(new QLabel(pnDS), "labUnitDS");
    labUnitDS->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    imgDial = named(new QLabel(pnDS), "imgDial");
    imgDial->setAlignment(Qt::AlignCenter);
    pnMargin = named(new QWidget(pnDS), "pnMargin");
    pnMargin->setFixedWidth(4);
    settingColumn->addWidget(pnDS);
    settingColumn->addStretch(1);
    row->addWidget(setting);

    auto* notes = new QVBoxLayout;
    notes->setSpacing(0);
    memoNotes = named(new QPlainTextEdit, "memoNotes");
    memoNotes->setReadOnly(true);
    memoNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    notes->addWidget(memoNotes, 1);
    pnPrevNextNote = named(new QWidget, "pnPrevNextNote");
    auto* paging = new QHBoxLayout(pnPrevNextNote);
    paging->setContentsMargins(0, 0, 0, 0);
    labPrevNote = named(new TClickLabel("<"), "labPrevNote");
    labNextNote = named(new TClickLabel(">"), "labNextNote");
    for (TClickLabel* l : {labPrevNote, labNextNote}) {
        l->setCursor(Qt::PointingHandCursor);
        QFont f = l->font();
        f.setBold(true);
        f.setPixelSize(14);
        l->setFont(f);
        l->setFixedWidth(24);
        l->setAlignment(Qt::AlignCenter);
    }
    paging->addStretch(1);
    paging->addWidget(labPrevNote);
    paging->addWidget(labNextNote);
    pnPrevNextNote->hide();
    notes->addWidget(pnPrevNextNote);
    row->addLayout(notes, 1);
    gbResults->setFixedHeight(134);
    return gbResults;
}

void DialTab::fitTemperatureItems() {
    // Two columns of temperature classes when the longest fits beside another, else
    // one: long languages and the Fahrenheit figures would be cut off. Only a window
    // on screen has its widths settled.
    if (!isVisible())
        return;
    rgBrgOpTemp->setColumns(2);
    const int available = gbLubricator->width();
    if (rgBrgOpTemp->minimumSizeHint().width() > available)
        rgBrgOpTemp->setColumns(1);
}

void DialTab::fitConditionItems() {
    // One row leaves the bar room for every caption, which tall scripts need.
    if (!isVisible())
        return;
    const int available = ocOpCond->width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ocOpCond);
    for (TRadioGroup* g : conditionGroups()) {
        g->setColumns(g->count());
        if (g->minimumSizeHint().width() > available)
            g->setColumns(std::min(2, g->count()));
    }
}

QList<TGroupBar*> DialTab::subVariantBars() const {
    return {rbCRB_Cage.bar, rbCRB_Locating.bar, rbSRB_LoadRatio.bar, rbSRB_Series.bar,
            rbTORB_Cage.bar};
}

QList<TRadioGroup*> DialTab::conditionGroups() const {
    QList<TRadioGroup*> groups;
    for (int i = 0; i < ocOpCond->count(); ++i)
        groups << static_cast<TRadioGroup*>(ocOpCond->content(i));
    return groups;
}

TRadioGroup* DialTab::conditionInput(unctora::core::Condition c) const {
    const int place = unctora::core::conditionEntry(c).dialPosition;
    return place < 0 ? rgBrgOpTemp : static_cast<TRadioGroup*>(ocOpCond->content(place));
}
