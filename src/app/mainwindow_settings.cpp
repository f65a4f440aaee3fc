// TfrmMain: the settings file and the window placement.

#include "tabs/dialtab.h"
#include "app/mainwindow.h"
#include "app/placement.h"
#include "files/regini.h"
#include "files/settingsdata.h"
#include "core/version.h"
#include "core/round.h"
#include "strings/stringtable.h"
#include "windows/stringwindow.h"
#include "widgets/groupbar.h"
#include "widgets/radiogroup.h"
#include "widgets/spinedit.h"

#include <QComboBox>
#include <QDateTime>
#include <QLocale>

using namespace unctora;

namespace {

std::string settingsPath(const AppEnvironment& env) { return env.settingsFile().toStdString(); }

int whole(double v) { return static_cast<int>(core::Round(v)); }

} // namespace

void TfrmMain::LoadSettings() {
    files::TStRegIni ini(settingsPath(m_env), true);
    ini.Section = "Options";
    setUnitMarks(ini.ReadInteger("Units", 0));
    if (m_strings)
        m_strings->table()->SetLanguageByName(ini.ReadString("Language", "English"));
    m_fontName = QString::fromStdString(ini.ReadString("FontName", m_fontName.toStdString()));
    if (m_fontName.isEmpty())
        m_fontName = "Arial Unicode MS";

    const core::CalcInputs in = files::readDataSection(ini);
    // The controls report their changes as the user's would; nothing is computed
    // before the first activation.
    m_dial->setInputs(in);
}

void TfrmMain::SaveSettings() {
    files::TStRegIni ini(settingsPath(m_env), true);
    ini.setDeferred(true);
    const QLocale locale;
    ini.Section = "Info";
    const QDateTime now = QDateTime::currentDateTime();
    ini.WriteString("DateTime", (locale.toString(now.date(), QLocale::ShortFormat) + " " +
                                 locale.toString(now.time(), QLocale::LongFormat))
                                    .toStdString());
    ini.WriteString("Version", core::VersionText() + "/B" + std::to_string(core::BuildNumber()));
    const QString decimal = locale.decimalPoint();
    ini.WriteString("DecimalSeparator", ("\"" + decimal + "\"").toStdString());
    ini.WriteString("ListSeparator", decimal == "," ? "\";\"" : "\",\"");

    ini.Section = "Options";
    ini.WriteInteger("Units", static_cast<int>(CurrentUnits()));
    ini.WriteString("FontName", m_fontName.toStdString());

    const core::CalcInputs in = readInputs();
    ini.Section = "Data";
    ini.WriteInteger("Bore_mm", whole(in.Bore_mm));
    ini.WriteInteger("D_mm", whole(in.D_mm));
    ini.WriteInteger("B_mm", whole(in.B_mm));
    ini.WriteInteger("Type", in.Type);
    ini.WriteInteger("Grease", in.Grease);
    ini.WriteInteger("PowerSource", in.PowerSource);
    ini.WriteInteger("Outlets", in.Outlets);
    ini.WriteInteger("Speed", whole(in.Speed));
    ini.WriteInteger("OpHours", whole(in.OpHours));
    ini.WriteInteger("BrgOpTemp", in.BrgOpTemp);
    ini.WriteInteger("ContMoist", in.ContMoist);
    ini.WriteInteger("Load", in.Load);
    ini.WriteInteger("ShockLoad", in.ShockLoad);
    ini.WriteInteger("Ambient", in.Ambient);
    ini.WriteInteger("ShaftOrientation", in.ShaftOrientation);
    ini.WriteInteger("Replenishment", in.Replenishment);
    ini.WriteInteger("RotOR", in.RotOR);
    ini.WriteInteger("CRBSub1", in.CRBsub1);
    ini.WriteInteger("CRBSub2", in.CRBsub2);
    ini.WriteInteger("SRBSub1", in.SRBsub1);
    ini.WriteInteger("SRBSub2", in.SRBsub2);
    ini.WriteInteger("TORBSub1", in.TORBsub1);
    ini.UpdateFile();
}

void TfrmMain::SaveLanguageAndUnits() {
    files::TStRegIni ini(settingsPath(m_env), true);
    ini.setDeferred(true);
    ini.Section = "Options";
    ini.WriteInteger("Units", static_cast<int>(CurrentUnits()));
    ini.WriteString("Language", m_strings ? m_strings->table()->CurrentLanguageName() : "English");
    ini.UpdateFile();
}

void TfrmMain::RestoreWindowPlacement() {
    // The main window has a fixed size: no width or height is stored.
    app::RestoreWindowPlacement(*this, settingsPath(m_env), "frmMain", false);
}

void TfrmMain::SaveWindowPlacement() {
    app::SaveWindowPlacement(*this, settingsPath(m_env), "frmMain", false);
}
