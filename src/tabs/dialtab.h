#pragma once
// The "Dial setting" tab: every calculation input, the results, the setting panel and
// the notes box.
//
// The tab owns its controls (each under its given object name, so tests and readers
// find them with findChild) and is driven through this interface only:
//   - inputs() / setInputs(): the calculation inputs as the controls hold them;
//   - inputChanged(): an input the user changed, with what kind of input it was; the
//     main window answers with the suitability check and the recalculation;
//   - showSuitability(), showLubricator(), updateBearingVariants(),
//     showAssessment(), showNotePage(): what the window decided, put on the controls;
//   - applyLanguage(), applyUnits(), fontTargets(): language, units and font;
//   - focusChain(), applyAccessibleTexts(): the keyboard order and the names
//     assistive tools read.
// The tab keeps no texts of its own: it asks Context::text for each one.
//
// Layout of the controls (built in dialtab.cpp), top to bottom: "Bearing basics"
// (dimensions, type and the sub-variant bars), then lubricator, grease and operating
// conditions side by side with the lubricator's picture, then the results with the
// setting display and the notes box.

#include "core/calcinputs.h"
#include "core/conditions.h"
#include "core/units.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <string_view>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TNumberField;
class QPlainTextEdit;
class TBadge;
class TClickLabel;
class TGroupBar;
class TRadioGroup;
class TSpinEdit;
namespace unctora::core {
struct Suitability;
}
namespace unctora::reports {
struct Assessment;
struct SettingDisplay;
}
namespace unctora::strings {
class UnitLabels;
}
namespace unctora::app {
struct FontTarget;
}

class DialTab : public QWidget {
    Q_OBJECT
public:
    struct Context {
        // The text of a language key in the current language.
        std::function<QString(std::string_view key)> text;
    };

    // What kind of input the user changed; each asks for its own handling.
    enum class Input {
        Number,       // a dimension, the speed or the operating hours
        BearingType,  // the bearing variants have been updated already
        SubVariant,   // the bars have been restyled already
        BearingTemperature,
        Condition,    // its caption has been updated already
        Grease,
        Lubricator,
        Outlets,
    };

    explicit DialTab(Context context, QWidget* parent = nullptr);

    // ---- Inputs --------------------------------------------------------------------
    // The calculation inputs as the controls hold them.
    unctora::core::CalcInputs inputs() const;
    // Puts every input on its control without a report (no inputChanged): the caller
    // rates the greases once the whole set is in place.
    void setInputs(const unctora::core::CalcInputs& in);
    // The control that holds an input field (spin edit, combo box, group bar or radio
    // group); nullptr for an unknown name.
    QWidget* inputControl(std::string_view field) const;
    // The input groups in the order of the condition table (core/conditions.h), which
    // is the order of the "Operating conditions" tab.
    QList<TRadioGroup*> operatingConditionInputs() const;

    // ---- What the window decided ---------------------------------------------------
    // Enables the suitable greases and selects the one the check leaves selected.
    void showSuitability(const unctora::core::Suitability& s);
    // The lubricator's picture, its VOXA 1000 options and the heading of the setting.
    void showLubricator();
    // Shows the sub-variant bars of the chosen type and applies the replenishment rule
    // to its group.
    void updateBearingVariants();
    void restyleSubVariantBars();
    // Result and inch fields, greases, the setting display, the speed colour and the
    // page bar. A failed assessment empties the setting display and leaves speed
    // colour and page bar as the last successful one gave them. The notes box is
    // shown separately (showNotePage).
    void showAssessment(const unctora::reports::Assessment& a);
    // The text of the notes box: a page with its header line, or empty.
    void showNotePage(const QString& text);
    // At the first activation: the first condition group open and highlighted, its
    // items in bold.
    void openFirstCondition();
    void focusFirstInput();

    // ---- Language, units, font -----------------------------------------------------
    // Every caption, item list and heading of the tab in the current language. The
    // mass labels come from labels, in the given units.
    void applyLanguage(unctora::core::Units units, const unctora::strings::UnitLabels& labels);
    // The unit labels of the results and the temperature items in the given units.
    void applyUnits(unctora::core::Units units, const unctora::strings::UnitLabels& labels);
    // The captions of the condition groups: title, ": " and the chosen item.
    void updateConditionCaptions();
    // The controls the display font goes to, and the badge.
    QList<unctora::app::FontTarget> fontTargets() const;
    TBadge* badge() const { return pbDS; }
    // The family the display font gave the tab's controls.
    QString fontFamily() const;
    // The group boxes whose titles take the accent colour.
    QList<QWidget*> accentedGroups() const;

    // ---- Keyboard and assistive tools ----------------------------------------------
    // The tab's controls in reading order: the bearing, how it runs, then lubricator
    // and grease, then the results and the notes' paging.
    QList<QWidget*> focusChain() const;
    // Names and descriptions of the controls from their captions.
    void applyAccessibleTexts();

    // After the temperature items change: as many columns as the width allows.
    void fitTemperatureItems();
    // After condition items, their language or the font change: each condition's
    // items in one row when the row fits the bar, else in two columns.
    void fitConditionItems();

signals:
    void inputChanged(DialTab::Input input);
    // "<" (-1), ">" (+1) or a double-click on the notes (+1).
    void notePageRequested(int step);
    // The lubricator picture was clicked.
    void unitPictureClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
    TNumberField* edBore_in;
    TNumberField* edD_in;
    TNumberField* edB_in;
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
    TNumberField *edTf, *edTfcorr, *edGp, *edQf;
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

    struct DialPictureKey {
        int number = -2; // no picture drawn yet
        int height = 0;
        qreal devicePixelRatio = 0;
        bool operator==(const DialPictureKey&) const = default;
    };
    DialPictureKey m_dialPictureKey; // what imgDial shows
    Context m_ctx;
    bool m_speedRed = false;

    QString text(std::string_view key) const;
    // Set-up after the controls are built: first state, keyboard, the reports.
    void wire();
    void setUpKeyboard();
    // Puts a setting on the display: lays out badge, month label (monthText, empty
    // to hide it) and picture as the setting's layout calls for, then draws.
    void showSetting(const unctora::reports::SettingDisplay& setting, const QString& monthText);
    // The badge of a failed calculation: no text.
    void clearSetting();
    void setSpeedRed(bool red);
    void setSystemHeading();
    // The lubricator picture is named after the chosen lubricator.
    void nameLubricatorPicture();
    void nameSetting(const QString& monthText);
    void rebuildTemperatureItems(unctora::core::Units units, const unctora::strings::UnitLabels& labels);
    void updateConditionCaption(TRadioGroup* group);
    // The five sub-variant bars in the order they are restyled.
    QList<TGroupBar*> subVariantBars() const;
    // The condition radio groups in bar order.
    QList<TRadioGroup*> conditionGroups() const;
    // The input group of a condition: its group in the bar, or its own.
    TRadioGroup* conditionInput(unctora::core::Condition c) const;
    QWidget* buildBasics();
    QWidget* buildMiddle();
    QWidget* buildResults();
    SubVariantBar makeBar(const QString& name, const QStringList& groupNames,
                          const QStringList& captions, const QStringList& labelNames,
                          const QStringList& labels);
};
