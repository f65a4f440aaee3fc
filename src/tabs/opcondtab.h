#pragma once
// The "Operating conditions" tab: pick a condition and one of its settings, read
// the dial compensation it causes and what it means for the lubrication.
//
// The settings are copies of the items of the condition's input group on the
// "Dial setting" tab, so they always read as the user sees them there. The tab
// keeps no texts of its own: the string table, the unit system and the unit labels
// are asked for through the callables of Context each time something is shown.
//
// How the main window drives it:
//   - construct it with the eight input groups and the three callables, and use it
//     as the page of the tab (its object name is "tabOpCond");
//   - at first activation, after the unit system is applied: FillConditionSettings();
//   - ApplyLanguage: applyLanguage() once the unit labels, the caption of rgBrgOpTemp
//     and the item lists of the input groups carry the new language (it ends by
//     filling the settings, which shows the description in the new language);
//   - ApplyUnits: unitsChanged() after the temperature items are rebuilt.
// Clicks on rgCond and rgSetting are handled here.
//
// ShowConditionDescription() (and so every operation above) lets text::FormatError
// through when a description template of the language file does not fit its values;
// the memo is shown again first.

#include "core/units.h"
#include "strings/quantity.h"

#include <QList>
#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TRadioGroup;
namespace unctora::strings {
class StringTable;
}

class OpCondTab : public QWidget {
    Q_OBJECT
public:
    struct Context {
        // The input groups in the order of the condition table (core/conditions.h),
        // as DialTab::operatingConditionInputs() gives them. A missing group (fewer
        // than the table's rows, or null) reads as a condition without settings.
        QList<TRadioGroup*> inputs;
        // The current string table; null (or an empty callable) while there is none.
        std::function<const unctora::strings::StringTable*()> table;
        // The current unit system and unit labels; SI and the English labels when empty.
        std::function<unctora::core::Units()> units;
        std::function<const unctora::strings::UnitLabels&()> unitLabels;
    };

    explicit OpCondTab(Context context, QWidget* parent = nullptr);

    // Fills rgSetting with the settings of the chosen condition, keeping the chosen
    // setting as far as the condition has that many (beyond: its last), and shows
    // the description. The bearing temperature classes are listed by name only.
    void FillConditionSettings();
    // Shows the compensation and the description of the chosen condition and
    // setting. A combination without a description leaves the compensation as it
    // is and the description empty.
    void ShowConditionDescription();
    // Puts the current language on the tab: heading, the three notes at the top,
    // captions, the condition names (item 3 is the caption of rgBrgOpTemp as it
    // stands), then FillConditionSettings(). Selections stay.
    void applyLanguage();
    // After the unit switch rebuilt the temperature items: refreshes the settings
    // (ambient temperature) or the description (bearing temperature) when that
    // condition is shown.
    void unitsChanged();

    QLabel* labOpCond;
    QLabel* labAmountOfLub1;
    QLabel* labPleaseContact;
    QLabel* labBrgSpeedLow1;
    TRadioGroup* rgCond;
    TRadioGroup* rgSetting;
    QLabel* labDialComp;
    QLineEdit* edDialComp;
    QGroupBox* gbDesc;
    QPlainTextEdit* Memo2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TRadioGroup* inputGroup(int condition) const;
    const unctora::strings::StringTable* table() const;
    QString text(std::string_view key, int number = 0) const;
    void setSettings(const QStringList& items, int keep);

    Context m_ctx;
};
