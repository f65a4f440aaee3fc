#include "app/mainwindow.h"

#include "advice/notebox.h"
#include "desktop/fontapply.h"
#include "desktop/messages.h"
#include "app/toolkittexts.h"
#include "core/version.h"
#include "reports/assessment.h"
#include "reports/calcpage.h"
#include "reports/htmlpage.h"
#include "reports/selchart.h"
#include "strings/startcheck.h"
#include "tabs/acctab.h"
#include "tabs/dialtab.h"
#include "tabs/opcondtab.h"
#include "tabs/ratetab.h"
#include "widgets/accent.h"
#include "widgets/clicklabel.h"
#include "widgets/htmlview.h"
#include "widgets/tabbar.h"
#include "windows/aboutwindow.h"
#include "windows/accpicwindow.h"
#include "windows/fontwindow.h"
#include "windows/planwindow.h"
#include "windows/stringwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLocale>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor kAccent = accentColour();

// The log lines go straight into the memo of the "Log" tab.
class MemoLog : public unctora::core::LogSink {
public:
    explicit MemoLog(QPlainTextEdit* memo) : m_memo(memo) {}
    void addLogLine(std::string line) override {
        m_memo->appendPlainText(QString::fromStdString(line));
    }

private:
    QPlainTextEdit* m_memo;
};

} // namespace

TfrmMain::TfrmMain(AppEnvironment env, QWidget* parent)
    : QMainWindow(parent), m_env(std::move(env)), m_notes(std::make_unique<unctora::advice::NoteBox>()),
      m_assessment(std::make_unique<unctora::reports::Assessment>()),
      m_toolkitTexts(std::make_unique<ToolkitTexts>(ToolkitTexts::defaultFolders(m_env.programDir))) {
    AppEnvironment::initResources();
    setObjectName("frmMain");
    setWindowTitle(unctora::core::kProgramTitle);
    setWindowIcon(QIcon(":/pictures/unctora.svg"));
    QFont f("Arial Unicode MS");
    f.setPixelSize(11);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(237, 237, 237));
    setPalette(pal);

    // Without the language file there is nothing to show: say so and end.
    if (auto message = unctora::strings::checkLanguageFile(m_env.languageFile().toStdString())) {
        m_env.messages->showError(QString::fromStdString(*message));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return;
    }
    m_logEnabled = m_env.hasSwitch("Log");
    createMenus();
    createTabs();
    createFooter();
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_widgets.pgMain, 1);
    column->addWidget(m_widgets.pnFooter);
    setCentralWidget(central);

    const int n = m_logEnabled ? 7 : 6;
    if (!m_logEnabled)
        m_widgets.pgMain->setTabVisible(7, false);
    m_widgets.pgMain->setTabVisible(6, false); // "Design only" is never shown
    m_widgets.tabBar->setTabWidth((870 - (n + 2)) / n);
    if (m_env.hasSwitch("EditLang")) {
        m_menus.editSeparator->setVisible(true);
        m_menus.editText->setVisible(true);
    }
    // Styled once the tab sits in the window: a style sheet set earlier would resolve
    // the fonts of the groups' controls without the window's font.
    for (QWidget* gb : m_dial->accentedGroups())
        gb->setStyleSheet(QString("QGroupBox#%1::title { color: %2; }").arg(gb->objectName(), accentColourName()));
    connectInputs();
    connect(m_dial, &DialTab::unitPictureClicked, this, [this] { ShowAboutWindow(this, m_env.messages); });
    updateBearingVariantControls();
    setupKeyboard();

    setFixedSize(870, 659 + menuBar()->sizeHint().height());
    RestoreWindowPlacement();
    // Ended without a close (a signal, the session): the settings and the plant plan
    // are dealt with while the windows they take their texts from still exist.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TfrmMain::shutdown);
    m_created = true;
}

TfrmMain::~TfrmMain() { shutdown(); }

void TfrmMain::attachWindows(TfrmAccPic* accPic, TfrmSelFont* selFont, TfrmStrings* strings) {
    m_accPic = accPic;
    m_selFont = selFont;
    m_strings = strings;
    m_texts = strings ? strings->table() : nullptr;
}

const unctora::strings::StringTable* TfrmMain::table() const {
    return m_texts;
}

QString TfrmMain::text(const char* key, int number) const {
    return QString::fromStdString(unctora::strings::LangStr(table(), key, number));
}

void TfrmMain::createMenus() {
    QMenuBar* bar = menuBar();
    m_menus.options = bar->addMenu("&Options");
    m_menus.options->setObjectName("Options1");
    m_menus.unitSI = m_menus.options->addAction("&SI: Celsius/grams");
    m_menus.unitSI->setObjectName("miUnitSI");
    m_menus.unitImp = m_menus.options->addAction("&Imp: Fahrenheit/ounces");
    m_menus.unitImp->setObjectName("miUnitImp");
    m_menus.options->addSeparator()->setObjectName("N1");
    m_menus.selectFont = m_menus.options->addAction("Select font");
    m_menus.selectFont->setObjectName("miSelectFont");
    connect(m_menus.selectFont, &QAction::triggered, this, [this] {
        if (m_selFont)
            ChooseDisplayFont(*m_selFont, m_dial->fontFamily(),
                              [this](const QString& name) { ApplyFont(name); });
    });
    connect(m_menus.unitSI, &QAction::triggered, this, [this] { ApplyUnits(0); });
    connect(m_menus.unitImp, &QAction::triggered, this, [this] { ApplyUnits(1); });

    m_menus.print = bar->addAction("&Print");
    m_menus.print->setObjectName("Print1");
    connect(m_menus.print, &QAction::triggered, this, &TfrmMain::PrintCommand);

    m_menus.language = bar->addMenu("&Language");
    m_menus.language->setObjectName("Language1");
    const struct {
        const char* name;
        const char* caption;
        int number;
    } languages[] = {
        {"miChinese", "Chinese (Chinese)", 7},       {"miGerman", "Deutsch (German)", 2},
        {"miEnglish", "English (English)", 1},       {"miSpanish", "Espanol (Spanish)", 6},
        {"miFrench", "Francais (French)", 3},        {"miItalian", "Italiano (Italian)", 4},
        {"miJapanese", "Japanese (Japanese)", 11},   {"miPortuguese", "Portuguese (Portuguese)", 10},
        {"miRussian", "Russian (Russian)", 9},       {"miSwedish", "Svenska (Swedish)", 5},
        {"miThai", "Thai (Thai)", 8},
    };
    for (const auto& l : languages) {
        QAction* a = m_menus.language->addAction(l.caption);
        a->setObjectName(l.name);
        a->setData(l.number);
        connect(a, &QAction::triggered, this, [this, number = l.number] {
            if (m_texts)
                m_texts->SetLanguageByNumber(number);
            ApplyLanguage();
        });
        m_menus.languages << a;
    }
    m_menus.editSeparator = m_menus.language->addSeparator();
    m_menus.editSeparator->setObjectName("msEditText");
    m_menus.editSeparator->setVisible(false);
    m_menus.editText = m_menus.language->addAction("Edit text");
    m_menus.editText->setObjectName("miEdittext1");
    m_menus.editText->setVisible(false);
    connect(m_menus.editText, &QAction::triggered, this, [this] {
        if (m_strings)
            m_strings->show();
    });

    m_menus.plan = bar->addAction("Plan&t plan");
    m_menus.plan->setObjectName("PlantPlan1");
    m_menus.plan->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_menus.plan->setShortcutContext(Qt::ApplicationShortcut);
    connect(m_menus.plan, &QAction::triggered, this, [this] { ShowPlanWindow(); });
    m_menus.about = bar->addAction("&About");
    m_menus.about->setObjectName("About1");
    connect(m_menus.about, &QAction::triggered, this, [this] { ShowAboutWindow(this, m_env.messages); });
}

void TfrmMain::createTabs() {
    // QTabWidget takes its own tab bar only through a protected setter.
    struct PageControl : QTabWidget {
        explicit PageControl(QTabBar* bar) { setTabBar(bar); }
    };
    m_widgets.tabBar = new TPageTabBar;
    m_widgets.tabBar->setObjectName("pgMainTabs");
    m_widgets.pgMain = new PageControl(m_widgets.tabBar);
    m_widgets.pgMain->setObjectName("pgMain");
    m_widgets.pgMain->setDocumentMode(true);

    m_dial = new DialTab({[this](std::string_view key) { return text(std::string(key).c_str()); }});
    m_widgets.pgMain->addTab(m_dial, "Dial setting");
    m_rateTab = new RateTab({[this] { return table(); }, [this]() -> const unctora::strings::UnitLabels& { return m_unitLabels; },
                             [] { return QLocale().decimalPoint(); }});
    m_widgets.pgMain->addTab(m_rateTab, "Dispense rate");
    connect(m_rateTab, &RateTab::copyRequested, this,
            [](const QString& text) { QGuiApplication::clipboard()->setText(text); });
    OpCondTab::Context opContext;
    opContext.inputs = m_dial->operatingConditionInputs();
    opContext.table = [this] { return table(); };
    opContext.units = [this] { return CurrentUnits(); };
    opContext.unitLabels = [this]() -> const unctora::strings::UnitLabels& { return m_unitLabels; };
    m_opCondTab = new OpCondTab(std::move(opContext));
    m_widgets.pgMain->addTab(m_opCondTab, "Operating conditions");
    m_htmlCalc = addHtmlPage("tabCalc", "labCalc", "Calculations", "htmlCalc");
    m_htmlSelChart = addHtmlPage("tabSelChart", "labSelChart", "Talvik Bearing grease selection chart",
                                 "htmlSelChart");
    m_widgets.pgMain->setTabText(m_widgets.pgMain->indexOf(m_htmlSelChart->parentWidget()), "Selection chart");
    connect(m_htmlCalc, &THtmlView::linkClicked, this, [](const QString& target, bool& handled) {
        handled = unctora::reports::calcLinkHandled(target.toStdString());
    });
    connect(m_htmlCalc, &THtmlView::doubleClicked, this, [this](Qt::KeyboardModifiers m) {
        if (m.testFlag(Qt::ShiftModifier))
            saveHtml(m_htmlCalc, unctora::reports::kCalcPageFile);
    });
    connect(m_htmlSelChart, &THtmlView::doubleClicked, this, [this](Qt::KeyboardModifiers m) {
        if (m.testFlag(Qt::ShiftModifier))
            saveHtml(m_htmlSelChart, unctora::reports::kChartSaveFile);
    });
    m_accTab = new AccTab([this] { return table(); });
    m_widgets.pgMain->addTab(m_accTab, "Accessories");
    connect(m_accTab, &AccTab::pictureWanted, this, [this] { showAccessoryPicture(); });
    connect(m_accTab, &AccTab::shiftDoubleClicked, this, [this] {
        const std::string path = m_env.dataFilePath("acc.html").toStdString();
        unctora::reports::saveHtmlSource(path, m_accTab->htmlExport());
        m_env.messages->showMessage(QString::fromStdString(unctora::reports::htmlSavedMessage(path)));
    });
    connect(m_widgets.pgMain, &QTabWidget::currentChanged, this, [this] { showAccessoryPicture(); });
    // "Design only" is never shown; it keeps the tabs after it at their numbers.
    auto* design = new QWidget;
    design->setObjectName("tabDesign");
    (new QVBoxLayout(design))->addStretch(1);
    m_widgets.pgMain->addTab(design, "Design only");
    auto* logPage = new QWidget;
    logPage->setObjectName("tabLog");
    auto* logLayout = new QVBoxLayout(logPage);
    m_widgets.memoLog = new QPlainTextEdit;
    m_widgets.memoLog->setObjectName("memoLog");
    m_widgets.memoLog->setReadOnly(true);
    m_widgets.memoLog->viewport()->installEventFilter(this);
    logLayout->addWidget(m_widgets.memoLog);
    m_widgets.pgMain->addTab(logPage, "Log");
    m_logSink = std::make_unique<MemoLog>(m_widgets.memoLog);
}

THtmlView* TfrmMain::addHtmlPage(const char* tab, const char* label, const char* heading,
                                  const char* view) {
    auto* page = new QWidget;
    page->setObjectName(tab);
    auto* layout = new QVBoxLayout(page);
    auto* title = new QLabel(heading);
    title->setObjectName(label);
    QFont f = title->font();
    f.setPixelSize(16);
    f.setBold(true);
    title->setFont(f);
    layout->addWidget(title);
    auto* html = new THtmlView;
    html->setObjectName(view);
    layout->addWidget(html, 1);
    m_widgets.pgMain->addTab(page, heading);
    return html;
}

void TfrmMain::showAccessoryPicture() {
    if (!m_accPic || m_shutDown)
        return;
    if (m_widgets.pgMain->currentWidget() != m_accTab) {
        m_accPic->hide();
        return;
    }
    // The picture window follows the main window to its bottom right corner; the
    // focus stays with the main window.
    m_accPic->ShowAccessoryPicture(m_accTab->currentDesignation(), frameGeometry());
    activateWindow();
}

void TfrmMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    showAccessoryPicture();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    // The bottom right corner moves with the size as well.
    QMainWindow::resizeEvent(event);
    showAccessoryPicture();
}

void TfrmMain::createFooter() {
    m_widgets.pnFooter = new QWidget;
    m_widgets.pnFooter->setObjectName("pnFooter");
    m_widgets.pnFooter->setFixedHeight(26);
    m_widgets.pnFooter->setAutoFillBackground(true);
    QPalette p = m_widgets.pnFooter->palette();
    p.setColor(QPalette::Window, kAccent);
    m_widgets.pnFooter->setPalette(p);
    auto* row = new QHBoxLayout(m_widgets.pnFooter);
    row->setContentsMargins(4, 1, 4, 1);
    m_widgets.bnQuit = new QPushButton("&Quit");
    m_widgets.bnQuit->setObjectName("bnQuit");
    m_widgets.bnQuit->setFixedHeight(22);
    connect(m_widgets.bnQuit, &QPushButton::clicked, this, &QWidget::close);
    m_widgets.imgLogo = new TClickLabel;
    m_widgets.imgLogo->setObjectName("imgLogo");
    m_widgets.imgLogo->setCursor(Qt::PointingHandCursor);
    m_widgets.imgLogo->setPixmap(QIcon(":/pictures/logo.svg").pixmap(120, 24));
    connect(m_widgets.imgLogo, &TClickLabel::clicked, this, [this] { ShowAboutWindow(this, m_env.messages); });
    row->addWidget(m_widgets.bnQuit);
    row->addStretch(1);
    row->addWidget(m_widgets.imgLogo);
}

bool TfrmMain::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FirstActivation();
    else if (e->type() == QEvent::Show && !m_activated)
        QTimer::singleShot(0, this, &TfrmMain::FirstActivation);
    return QMainWindow::event(e);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick) {
        if (m_widgets.memoLog && watched == m_widgets.memoLog->viewport()) {
            m_widgets.memoLog->clear();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TfrmMain::FirstActivation() {
    if (!m_created || m_activated || m_shutDown)
        return;
    m_widgets.pgMain->setCurrentIndex(0);
    if (!QDir().mkpath(m_env.dataDir))
        showError(QString("Unable to create the folder %1").arg(m_env.dataDir));
    LoadSettings();
    m_rateTab->buildRateTable();
    m_accTab->FillAccessoryGrid();
    ApplyUnits(m_units);
    m_dial->updateConditionCaptions();
    m_dial->openFirstCondition();
    applyLubricatorChoice();
    m_opCondTab->FillConditionSettings();
    // A stored font that is not installed gives way to "Arial" (and is saved so).
    if (!FontInstalled(m_fontName))
        m_fontName = "Arial";
    // The display font; the pages follow with the language below. A page that cannot
    // be written is reported and the start goes on.
    try {
        ApplyFont(m_fontName);
    } catch (const std::exception& e) {
        showError(QString::fromStdString(e.what()));
    }
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        fitToScreen(screen->availableGeometry());
    m_activated = true;
    ApplyLanguage();
    updateBearingVariantControls();
    applyLubricatorChoice();
    recalculate();
    m_dial->focusFirstInput();
}

bool TfrmMain::FontInstalled(const QString& name) { return unctora::app::FontInstalled(name); }

void TfrmMain::closeEvent(QCloseEvent* e) {
    // Unsaved changes of the plant plan may still keep the program open.
    if (!closePlanWindow(true)) {
        e->ignore();
        return;
    }
    shutdown();
    e->accept();
    QApplication::quit();
}

void TfrmMain::shutdown() {
    if (m_shutDown || !m_created)
        return;
    m_shutDown = true;
    closePlanWindow(false);
    // Writing the settings of a window that never showed its inputs is not needed.
    if (!m_activated)
        return;
    try {
        SaveSettings();
        SaveWindowPlacement();
    } catch (const std::exception& ex) {
        showError(QString::fromStdString(ex.what()));
    }
}

void TfrmMain::showError(const QString& message) {
    if (m_env.messages)
        m_env.messages->showError(message);
}

void TfrmMain::addLogLine(const std::string& line) {
    if (m_logEnabled)
        m_logSink->addLogLine(line);
}
