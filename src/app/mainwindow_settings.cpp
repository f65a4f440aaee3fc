// TfrmMain: the settings file, the window placement and the fit to a low screen.

#include "app/mainwindow.h"
#include "desktop/placement.h"
#include "files/regini.h"
#include "files/settingsdata.h"
#include "strings/stringtable.h"
#include "tabs/dialtab.h"
#include "windows/stringwindow.h"

#include <QDateTime>
#include <QLocale>
#include <QMenuBar>
#include <QScrollArea>
#include <QStyle>

using namespace unctora;

namespace {

std::string settingsPath(const AppEnvironment& env) { return env.settingsFile().toStdString(); }

} // namespace

void TfrmMain::LoadSettings() {
    files::TStRegIni ini(settingsPath(m_env), true);
    const files::StoredOptions options = files::readOptions(ini, m_fontName.toStdString());
    setUnitMarks(options.units);
    if (m_texts)
        m_texts->SetLanguageByName(options.language);
    m_fontName = QString::fromStdString(options.fontName);
    if (m_fontName.isEmpty())
        m_fontName = "Arial Unicode MS";
    // Quietly: the first activation rates the greases once on the complete inputs,
    // so a stored grease stays wherever they allow it.
    m_dial->setInputs(files::readDataSection(ini));
}

void TfrmMain::SaveSettings() {
    files::TStRegIni ini(settingsPath(m_env), true);
    ini.setDeferred(true);
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    files::writeInfo(ini,
                     (locale.toString(now.date(), QLocale::ShortFormat) + " " +
                      locale.toString(now.time(), QLocale::LongFormat))
                         .toStdString(),
                     QString(locale.decimalPoint()).toStdString());
    files::writeOptions(ini, static_cast<int>(CurrentUnits()), m_fontName.toStdString());
    files::writeDataSection(ini, readInputs());
    ini.UpdateFile();
}

void TfrmMain::SaveLanguageAndUnits() {
    files::TStRegIni ini(settingsPath(m_env), true);
    ini.setDeferred(true);
    files::writeLanguageAndUnits(ini, static_cast<int>(CurrentUnits()),
                                 m_texts ? m_texts->CurrentLanguageName() : "English");
    ini.UpdateFile();
}

void TfrmMain::RestoreWindowPlacement() {
    // The main window has a fixed size: no width or height is stored.
    app::RestoreWindowPlacement(*this, settingsPath(m_env), "frmMain", false);
}

void TfrmMain::SaveWindowPlacement() {
    app::SaveWindowPlacement(*this, settingsPath(m_env), "frmMain", false);
}

void TfrmMain::fitToScreen(const QRect& available) {
    if (available.height() > 520 || qobject_cast<QScrollArea*>(centralWidget()))
        return;
    // The whole client area scrolls (menu bar excepted), so that every input and
    // result stays within reach; the window is as high as the screen lets it be.
    QWidget* client = takeCentralWidget();
    client->setFixedSize(client->size().expandedTo(QSize(870, 659)));
    auto* scroll = new QScrollArea;
    scroll->setObjectName("sbMain");
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes to the inputs; it scrolls to them
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setWidget(client);
    setCentralWidget(scroll);
    const int bar = std::max(10, style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll));
    const int frame = std::max(0, frameGeometry().height() - height());
    const int menu = menuBar()->sizeHint().height();
    const int high = std::min(client->height() + menu, available.height() - frame);
    setFixedSize(client->width() + bar, high);
    const int left = std::clamp(x(), available.left(), std::max(available.left(), available.right() + 1 - frameGeometry().width()));
    move(left, available.top());
}
