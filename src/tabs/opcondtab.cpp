#include "tabs/opcondtab.h"

#include "advice/opcond.h"
#include "text/keys.h"
#include "strings/stringtable.h"
#include "widgets/radiogroup.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace unctora;
namespace K = unctora::text::keys;

namespace {

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QLabel* note(const char* name, const QString& text) {
    auto* l = named(new QLabel(text), name);
    l->setWordWrap(true);
    return l;
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Hides the memo while it is filled and shows it again however the filling ends.
class HiddenWhileFilled {
public:
    explicit HiddenWhileFilled(QWidget* w) : m_w(w) { m_w->hide(); }
    ~HiddenWhileFilled() { m_w->show(); }
    HiddenWhileFilled(const HiddenWhileFilled&) = delete;
    HiddenWhileFilled& operator=(const HiddenWhileFilled&) = delete;

private:
    QWidget* m_w;
};

} // namespace

OpCondTab::OpCondTab(Context context, QWidget* parent) : QWidget(parent), m_ctx(std::move(context)) {
    setObjectName("tabOpCond");
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(245, 245, 245));
    setPalette(pal);

    labOpCond = named(new QLabel("Operating conditions"), "labOpCond");
    QFont heading = labOpCond->font();
    heading.setPixelSize(16);
    heading.setBold(true);
    labOpCond->setFont(heading);
    labAmountOfLub1 = note("labAmountOfLub1",
                           "The amount of lubricant required in an application and the operation of "
                           "MERIDOSE will be affected by many factors. Below is a list of factors "
                           "taken into account in the \"Dial Setting\" calculation:");
    labPleaseContact = note("labPleaseContact",
                            "Please contact Talvik in case of special operating conditions such as "
                            "rotating outer rings, heavy vibration applications or low bearing "
                            "speeds (100 rpm and less).");
    labBrgSpeedLow1 = note("labBrgSpeedLow1",
                           "In cases where the bearing speed is low, keeping contamination out may "
                           "become the first priority. Consider changing the MERIDOSE dial setting "
                           "to a lower value.");

    rgCond = named(new TRadioGroup, "rgCond");
    rgCond->setTitle("Condition");
    QStringList conditions;
    for (const core::ConditionEntry& c : core::kConditions)
        conditions << QString::fromUtf8(c.englishCaption.data(), static_cast<int>(c.englishCaption.size()));
    rgCond->setItems(conditions);
    rgCond->setItemIndex(0);
    rgCond->setMinimumWidth(250);

    rgSetting = named(new TRadioGroup, "rgSetting");
    rgSetting->setTitle("Setting");

    labDialComp = named(new QLabel("Dial Compensation"), "labDialComp");
    edDialComp = named(new QLineEdit, "edDialComp");
    edDialComp->setReadOnly(true);
    edDialComp->setFocusPolicy(Qt::NoFocus);
    edDialComp->setFixedWidth(110);

    gbDesc = named(new QGroupBox("Description"), "gbDesc");
    Memo2 = named(new QPlainTextEdit, "Memo2");
    Memo2->setReadOnly(true);
    auto* desc = new QVBoxLayout(gbDesc);
    desc->setContentsMargins(6, 4, 6, 6);
    desc->addWidget(Memo2);

    auto* compensation = new QHBoxLayout;
    compensation->addWidget(labDialComp);
    compensation->addWidget(edDialComp);
    compensation->addStretch(1);

    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(rgSetting);
    right->addLayout(compensation);
    right->addWidget(gbDesc, 1);

    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(rgCond, 0, Qt::AlignTop);
    body->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 10);
    layout->setSpacing(6);
    layout->addWidget(labOpCond);
    layout->addWidget(labAmountOfLub1);
    layout->addWidget(labPleaseContact);
    layout->addWidget(labBrgSpeedLow1);
    layout->addSpacing(4);
    layout->addLayout(body, 1);

    connect(rgCond, &TRadioGroup::clicked, this, [this] { FillConditionSettings(); });
    connect(rgSetting, &TRadioGroup::clicked, this, [this] { ShowConditionDescription(); });
}

TRadioGroup* OpCondTab::inputGroup(int condition) const {
    return condition >= 0 && condition < m_ctx.inputs.size() ? m_ctx.inputs[condition] : nullptr;
}

const strings::StringTable* OpCondTab::table() const { return m_ctx.table ? m_ctx.table() : nullptr; }

QString OpCondTab::text(std::string_view key, int number) const {
    return qs(strings::LangStr(table(), key, number));
}

// All settings in one row; the chosen one is keep, or the last when there are fewer.
void OpCondTab::setSettings(const QStringList& items, int keep) {
    rgSetting->setItems(items);
    if (items.isEmpty())
        return;
    rgSetting->setItemIndex(std::min(keep, static_cast<int>(items.size()) - 1));
    rgSetting->setColumns(static_cast<int>(items.size()));
}

void OpCondTab::FillConditionSettings() {
    const int keep = std::max(0, rgSetting->itemIndex());
    const int condition = rgCond->itemIndex();
    QStringList items;
    if (TRadioGroup* input = inputGroup(condition)) {
        items = input->items();
        // The temperature classes carry their ranges after a colon; the settings
        // list names the class only.
        if (condition == static_cast<int>(advice::Condition::BrgOpTemp))
            for (QString& item : items)
                item = item.section(':', 0, 0).trimmed();
    }
    setSettings(items, keep);
    ShowConditionDescription();
}

void OpCondTab::ShowConditionDescription() {
    Memo2->clear();
    const HiddenWhileFilled hidden(Memo2);
    const advice::DescriptionEntry* entry =
        advice::findDescription(rgCond->itemIndex(), rgSetting->itemIndex());
    if (!entry)
        return;
    const strings::StringTable* texts = table();
    // A shock load's factor is that at the load chosen on the Dial setting tab.
    const TRadioGroup* load = inputGroup(static_cast<int>(advice::Condition::Load));
    edDialComp->setText(qs(advice::compensationText(*entry, texts, load ? load->itemIndex() : -1)));
    static const strings::UnitLabels kEnglishLabels;
    const core::Units units = m_ctx.units ? m_ctx.units() : core::Units::SI;
    const strings::UnitLabels& labels = m_ctx.unitLabels ? m_ctx.unitLabels() : kEnglishLabels;
    QStringList lines;
    for (const std::string& line : advice::descriptionLines(*entry, texts, units, labels))
        lines << qs(line);
    Memo2->setPlainText(lines.join('\n'));
}

void OpCondTab::applyLanguage() {
    const int language = strings::CurrentLanguageNumber(table());
    labOpCond->setText(text(K::strOpCond));
    labAmountOfLub1->setText(text(K::strAmountOfLub1) + " " + text(K::strAmountOfLub2) + " " +
                             text(K::strAmountOfLub3));
    labPleaseContact->setText(text(K::strPleaseContact, language));
    labBrgSpeedLow1->setText(text(K::strBrgSpeedLow1, language));
    labDialComp->setText(text(K::strDialComp));
    gbDesc->setTitle(text(K::strDesc));

    // A condition with a group of its own on the Dial setting tab is named as that
    // group's title stands.
    QStringList conditions;
    for (const core::ConditionEntry& c : core::kConditions) {
        if (c.dialPosition >= 0) {
            conditions << text(c.captionKey);
        } else {
            const TRadioGroup* own = inputGroup(static_cast<int>(c.condition));
            conditions << (own ? own->title() : QString());
        }
    }
    rgCond->setItems(conditions);
    rgCond->setTitle(text(K::strCond));
    rgSetting->setTitle(text(K::strSetting));
    FillConditionSettings();
}

void OpCondTab::showEvent(QShowEvent* event) {
    // The load may have changed on the Dial setting tab since the shock load's
    // factor was shown.
    if (rgCond->itemIndex() == static_cast<int>(advice::Condition::ShockLoad))
        ShowConditionDescription();
    QWidget::showEvent(event);
}

void OpCondTab::unitsChanged() {
    const int condition = rgCond->itemIndex();
    if (condition == static_cast<int>(advice::Condition::AmbTemp)) {
        const int keep = std::max(0, rgSetting->itemIndex());
        const TRadioGroup* ambient = inputGroup(condition);
        setSettings(ambient ? ambient->items() : QStringList(), keep);
        ShowConditionDescription();
    } else if (condition == static_cast<int>(advice::Condition::BrgOpTemp)) {
        ShowConditionDescription();
    }
}
