#pragma once
// The "Dial setting" tab: every calculation input, the results, the setting panel and
// the notes box. It only builds and lays out the controls, each under its given object
// name; TfrmMain reads them, wires their handlers and puts the results on them.

#include "core/calcinputs.h"

#include <QWidget>
#include <string_view>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TBadge;
namespace unctora::reports {
struct SettingDisplay;
}
class TClickLabel;
class TGroupBar;
class TRadioGroup;
class TSpinEdit;

class DialTab : public QWidget {
    Q_OBJECT
public:
    explicit DialTab(QWidget* parent = nullptr);

    struct SubVariantBar {
        TGroupBar* bar = nullptr;
        QList<QLabel*> labels; // the descriptive label inside each group
    };

    // Bearing basics.
    QGroupBox* gbBrgBasic;
    QGroupBox* gbBrgDim;
    QGroupBox* gbBrgType;
    TSpinEdit* spedBore;
    TSpinEdit* spedD;
    TSpinEdit* spedB;
    QLineEdit* edBore_in;
    QLineEdit* edD_in;
    QLineEdit* edB_in;
    QComboBox* cbBrgType;
    SubVariantBar rbCRB_Cage, rbCRB_Locating, rbSRB_LoadRatio, rbSRB_Series, rbTORB_Cage;

    // Lubricator, grease, operating conditions.
    QGroupBox* gbLubricator;
    TRadioGroup* rgLubricator;
    QWidget* pnVOXA1000;
    TRadioGroup* rgPowerSource;
    TRadioGroup* rgOutlets;
    QGroupBox* gbGreaseType;
    TRadioGroup* rgGreaseType;
    QGroupBox* gbOpCond;
    QLabel* labSpeed;
    TSpinEdit* spedSpeed;
    QLabel* labSpeedUnit;
    QLabel* labOpHrs;
    TSpinEdit* spedOpHrs;
    QLabel* labOpHrsUnit;
    TRadioGroup* rgBrgOpTemp;
    TGroupBar* ocOpCond;
    // The seven condition groups of ocOpCond, in bar order.
    TRadioGroup* rgContMoist;
    TRadioGroup* rgLoad;
    TRadioGroup* rgShockLoad;
    TRadioGroup* rgAmbTemp;
    TRadioGroup* rgShaftOri;
    TRadioGroup* rgReplenish;
    TRadioGroup* rgRotOR;
    TClickLabel* imgUnit;

    // Results.
    QGroupBox* gbResults;
    QLabel *labTf, *labTcorr, *labGp, *labQf;
    QLineEdit *edTf, *edTfcorr, *edGp, *edQf;
    QLabel *labUnitTf, *labUnitTcorr, *labUnitGp, *labUnitQf;
    QLabel* labSystem;  // the heading above the setting display
    QWidget* pnDS;      // the setting display: badge, month label, dial picture
    QLabel* slDS;       // holds the badge's text; never shown itself
    TBadge* pbDS;       // draws the badge
    QLabel* labUnitDS;  // "month" or "months" under the badge
    QLabel* imgDial;    // the dial or DIP-switch picture
    QWidget* pnMargin;  // the margin at the right of the display
    QPlainTextEdit* memoNotes;
    QWidget* pnPrevNextNote;
    TClickLabel* labPrevNote;
    TClickLabel* labNextNote;

    // The calculation inputs as the controls hold them.
    unctora::core::CalcInputs inputs() const;
    // Puts every input on its control in field order, as loading the settings does:
    // the spin edits, the bearing type and the sub-variant bars report their change
    // (and so run their handlers), the radio groups do not.
    void setInputs(const unctora::core::CalcInputs& in);
    // The control that holds an input field (spin edit, combo box, group bar or radio
    // group); nullptr for an unknown name.
    QWidget* inputControl(std::string_view field) const;

    // Puts a setting on the display: lays out badge, month label (monthText, empty
    // to hide it) and picture as the setting's layout calls for, then draws.
    void showSetting(const unctora::reports::SettingDisplay& setting, const QString& monthText);
    // The badge of a failed calculation: no text.
    void clearSetting();

    // After the temperature items change: as many columns as the width allows.
    void fitTemperatureItems();
    // After condition items, their language or the font change: each condition's
    // items in one row when the row fits the bar, else in two columns.
    void fitConditionItems();

    // The five sub-variant bars in the order they are restyled.
    QList<TGroupBar*> subVariantBars() const;
    // The condition radio groups in bar order, and the bar index of a group.
    QList<TRadioGroup*> conditionGroups() const;

private:
    struct DialPictureKey {
        int number = -2; // no picture drawn yet
        int height = 0;
        qreal devicePixelRatio = 0;
        bool operator==(const DialPictureKey&) const = default;
    };
    DialPictureKey m_dialPictureKey; // what imgDial shows

    void nameSetting(const QString& monthText);
    QWidget* buildBasics();
    QWidget* buildMiddle();
    QWidget* buildResults();
    SubVariantBar makeBar(const QString& name, const QStringList& groupNames,
                          const QStringList& captions, const QStringList& labelNames,
                          const QStringList& labels);
};
