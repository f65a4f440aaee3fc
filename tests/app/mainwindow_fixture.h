#pragma once
// Builds the real main window against a temporary program folder (with the shipped
// language file beside a fake program path) and a temporary data folder, and answers
// its message boxes.

#include "desktop/environment.h"
#include "app/mainwindow.h"
#include "desktop/messages.h"
#include "tabs/dialtab.h"
#include "widget_main.h"
#include "windows/stringwindow.h"

#include "widgets/badge.h"
#include "widgets/clicklabel.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>


class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(programDir.isValid() && dataRoot.isValid());
        ASSERT_TRUE(QFile::copy(UNCTORA_SOURCE_DIR "/resources/unctora.sil",
                                programDir.filePath("unctora.sil")));
        env.programDir = programDir.path();
        env.dataDir = dataRoot.filePath("Talvik/Unctora6");
        env.messages = &messages;
    }

    // Creates the windows in the program's order and runs the first activation.
    TfrmMain& start(const QStringList& args = {}) {
        window.reset();
        strings.reset();
        env.arguments = args;
        window = std::make_unique<TfrmMain>(env);
        if (window->created()) {
            strings = std::make_unique<TfrmStrings>(env, texts);
            window->attachWindows(nullptr, nullptr, strings.get());
            window->FirstActivation();
        }
        return *window;
    }
    // Ends the program as Quit does: settings and placement are written.
    void quit() {
        window.reset();
        strings.reset();
    }
public:
    // The controls of the "Dial setting" tab, found by their object names.
    struct DialControls {
        struct Bar {
            TGroupBar* bar;
        };
        QComboBox* cbBrgType;
        QLineEdit *edBore_in, *edD_in, *edB_in, *edTf, *edTfcorr, *edGp, *edQf;
        QGroupBox *gbBrgBasic, *gbBrgDim, *gbBrgType, *gbGreaseType, *gbLubricator, *gbOpCond,
            *gbResults;
        TClickLabel *imgUnit, *labNextNote, *labPrevNote;
        QLabel *imgDial, *labOpHrs, *labSpeed, *labSystem, *labTf, *labUnitDS, *labUnitGp,
            *labUnitQf, *slDS;
        QPlainTextEdit* memoNotes;
        TGroupBar* ocOpCond;
        TBadge* pbDS;
        QWidget *pnDS, *pnPrevNextNote, *pnVOXA1000;
        Bar rbCRB_Cage, rbCRB_Locating, rbSRB_LoadRatio, rbSRB_Series, rbTORB_Cage;
        TRadioGroup *rgAmbTemp, *rgBrgOpTemp, *rgContMoist, *rgGreaseType, *rgLoad, *rgLubricator,
            *rgReplenish, *rgRotOR, *rgShaftOri, *rgShockLoad;
        TSpinEdit *spedB, *spedBore, *spedD, *spedOpHrs, *spedSpeed;

        // The five sub-variant bars and the seven condition groups, in the tab's order.
        QList<TGroupBar*> subVariantBars() const {
            return {rbCRB_Cage.bar, rbCRB_Locating.bar, rbSRB_LoadRatio.bar, rbSRB_Series.bar,
                    rbTORB_Cage.bar};
        }
        QList<TRadioGroup*> conditionGroups() const {
            return {rgContMoist, rgLoad, rgShockLoad, rgAmbTemp, rgShaftOri, rgReplenish, rgRotOR};
        }
    };

protected:
    DialControls dial() {
        QWidget* tab = window->dialTab();
        auto c = [tab]<class T>(T*& to, const char* name) {
            to = tab->findChild<T*>(name);
            if (!to)
                ADD_FAILURE() << "no control " << name;
        };
        DialControls d{};
        c(d.cbBrgType, "cbBrgType");
        c(d.edBore_in, "edBore_in"), c(d.edD_in, "edD_in"), c(d.edB_in, "edB_in");
        c(d.edTf, "edTf"), c(d.edTfcorr, "edTfcorr"), c(d.edGp, "edGp"), c(d.edQf, "edQf");
        c(d.gbBrgBasic, "gbBrgBasic"), c(d.gbBrgDim, "gbBrgDim"), c(d.gbBrgType, "gbBrgType");
        c(d.gbGreaseType, "gbGreaseType"), c(d.gbLubricator, "gbLubricator");
        c(d.gbOpCond, "gbOpCond"), c(d.gbResults, "gbResults");
        c(d.imgUnit, "imgUnit"), c(d.labNextNote, "labNextNote"), c(d.labPrevNote, "labPrevNote");
        c(d.imgDial, "imgDial"), c(d.labOpHrs, "labOpHrs"), c(d.labSpeed, "labSpeed");
        c(d.labSystem, "labSystem"), c(d.labTf, "labTf"), c(d.labUnitDS, "labUnitDS");
        c(d.labUnitGp, "labUnitGp"), c(d.labUnitQf, "labUnitQf"), c(d.slDS, "slDS");
        c(d.memoNotes, "memoNotes"), c(d.ocOpCond, "ocOpCond"), c(d.pbDS, "pbDS");
        c(d.pnDS, "pnDS"), c(d.pnPrevNextNote, "pnPrevNextNote"), c(d.pnVOXA1000, "pnVOXA1000");
        c(d.rbCRB_Cage.bar, "rbCRB_Cage"), c(d.rbCRB_Locating.bar, "rbCRB_Locating");
        c(d.rbSRB_LoadRatio.bar, "rbSRB_LoadRatio"), c(d.rbSRB_Series.bar, "rbSRB_Series");
        c(d.rbTORB_Cage.bar, "rbTORB_Cage");
        c(d.rgAmbTemp, "rgAmbTemp"), c(d.rgBrgOpTemp, "rgBrgOpTemp"), c(d.rgContMoist, "rgContMoist");
        c(d.rgGreaseType, "rgGreaseType"), c(d.rgLoad, "rgLoad"), c(d.rgLubricator, "rgLubricator");
        c(d.rgReplenish, "rgReplenish"), c(d.rgRotOR, "rgRotOR");
        c(d.rgShaftOri, "rgShaftOri"), c(d.rgShockLoad, "rgShockLoad");
        c(d.spedB, "spedB"), c(d.spedBore, "spedBore"), c(d.spedD, "spedD");
        c(d.spedOpHrs, "spedOpHrs"), c(d.spedSpeed, "spedSpeed");
        return d;
    }
    template <class T> T* child(const char* name) { return window->findChild<T*>(name); }
    // The whole number of a result field: as shown, or in the tooltip of a shorter notation.
    static std::string wholeNumber(const QLineEdit* e) {
        return (e->toolTip().isEmpty() ? e->text() : e->toolTip()).toStdString();
    }
    void writeSettings(const QByteArray& text) {
        QDir().mkpath(env.dataDir);
        QFile f(env.settingsFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray readSettings() {
        QFile f(env.settingsFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir programDir;
    QTemporaryDir dataRoot;
    RecordedMessages messages;
    AppEnvironment env;
    // The program's string table, which outlives both windows as in the program.
    unctora::strings::StringTable texts;
    std::unique_ptr<TfrmMain> window;
    std::unique_ptr<TfrmStrings> strings;

    // The main window goes before the string window it takes its texts from, as
    // quit() does it.
    ~MainWindowTest() override {
        window.reset();
        strings.reset();
    }
};
