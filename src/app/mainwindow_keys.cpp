// TfrmMain: the Tab order, the tab-switching keys, unique menu mnemonics and the
// accessible names of the controls.

#include "app/mainwindow.h"
#include "text/keys.h"
#include "tabs/acctab.h"
#include "tabs/dialtab.h"
#include "tabs/opcondtab.h"
#include "tabs/ratetab.h"
#include "widgets/captions.h"
#include "widgets/clicklabel.h"
#include "widgets/htmlview.h"
#include "widgets/radiogroup.h"
#include "widgets/tabbar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <functional>

namespace K = unctora::text::keys;

namespace {

QString plain(const QString& text) { return plainCaption(text); }

// Position of the mnemonic letter in text, -1 without one.
int mnemonicAt(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return i + 1;
        ++i; // "&&" is a literal ampersand
    }
    return -1;
}

// A letter that can be typed with Alt on the keyboards of the languages.
bool mnemonicLetter(QChar c) {
    const auto script = c.script();
    return c.isLetterOrNumber() &&
           (script == QChar::Script_Latin || script == QChar::Script_Cyrillic ||
            script == QChar::Script_Greek || script == QChar::Script_Common);
}

// Keeps the mnemonic when its letter is free; else moves it to the first free letter
// of the caption (a translation may give two captions the same letter).
QString freeMnemonic(const QString& text, QSet<QChar>& used) {
    const int at = mnemonicAt(text);
    if (at < 0)
        return text;
    if (!used.contains(text[at].toLower())) {
        used.insert(text[at].toLower());
        return text;
    }
    QString bare = text;
    bare.remove(at - 1, 1);
    for (int i = 0; i < bare.size(); ++i) {
        if (bare[i] == '&') {
            ++i;
            continue;
        }
        if (mnemonicLetter(bare[i]) && !used.contains(bare[i].toLower())) {
            used.insert(bare[i].toLower());
            return bare.insert(i, '&');
        }
    }
    return text;
}

// Takes the page control's own Ctrl+Tab and Ctrl+Shift+Tab, which know nothing of
// hidden pages, and switches as the shortcuts do.
class TabSwitchKeys : public QObject {
public:
    TabSwitchKeys(QObject* parent, std::function<void(int)> switchTab)
        : QObject(parent), m_switchTab(std::move(switchTab)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (!key->modifiers().testFlag(Qt::ControlModifier) ||
            (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab))
            return QObject::eventFilter(watched, event);
        const bool back = key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
        m_switchTab(back ? -1 : 1);
        return true;
    }

private:
    std::function<void(int)> m_switchTab;
};

// Every button of a radio group, in item order: the group is one stop, at one of them.
void chainGroup(QList<QWidget*>& chain, const TRadioGroup* group) {
    for (int i = 0; i < group->count(); ++i)
        chain << group->button(i);
}

} // namespace

void TfrmMain::setupKeyboard() {
    // The "Dial setting" tab sets up its own labels and fields.
    m_opCondTab->labDialComp->setBuddy(m_opCondTab->edDialComp);
    // The strip of tabs has its own place in the order. The page control would hand
    // the focus on to it as its proxy, and Tab from Quit would land on the strip
    // instead of the first input; the page control takes no focus at all instead.
    m_widgets.pgMain->setFocusProxy(nullptr);
    m_widgets.pgMain->setFocusPolicy(Qt::NoFocus);
    m_widgets.tabBar->setFocusPolicy(Qt::TabFocus);
    // In the grids the arrows move; Tab leaves them.
    m_rateTab->sgRate->setTabKeyNavigation(false);
    m_accTab->sgAcc->setTabKeyNavigation(false);

    // Ctrl+Tab and Ctrl+PgDn switch to the next shown tab wherever the focus is.
    // Ctrl+Shift+Tab comes as Backtab with Ctrl and Shift; under X it then matches
    // Ctrl+Backtab only (and Ctrl+Shift+Tab as well, so that one must not be taken:
    // two matches would make the key ambiguous and do nothing).
    const struct {
        QKeySequence keys;
        int step;
    } switches[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                    {QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1},
                    {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                    {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& s : switches) {
        auto* shortcut = new QShortcut(s.keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = s.step] { switchTab(step); });
    }
    // The page control switches on Ctrl+Tab of its own (with Alt or Meta held too, say)
    // and would show the hidden pages; it leaves every such key to switchTab.
    m_widgets.pgMain->installEventFilter(new TabSwitchKeys(m_widgets.pgMain, [this](int step) { switchTab(step); }));
    connect(m_rateTab->rgRateSelLub, &TRadioGroup::clicked, this, &TfrmMain::namePictures);
    buildTabOrder();
    applyAccessibleTexts();
}

void TfrmMain::switchTab(int step) {
    QTabWidget* pg = m_widgets.pgMain;
    const int n = pg->count();
    for (int i = 1; i < n; ++i) {
        const int index = ((pg->currentIndex() + step * i) % n + n) % n;
        if (pg->isTabVisible(index) && pg->isTabEnabled(index)) {
            pg->setCurrentIndex(index);
            return;
        }
    }
}

void TfrmMain::buildTabOrder() {
    // Reading order of the "Dial setting" tab (DialTab::focusChain), the strip of tabs,
    // then the other tabs' controls (hidden ones are skipped), and Quit.
    QList<QWidget*> chain = m_dial->focusChain();
    chain << m_widgets.tabBar;
    chainGroup(chain, m_rateTab->rgRateSelLub);
    chain << m_rateTab->sgRate << m_rateTab->bnCopyRate;
    chainGroup(chain, m_opCondTab->rgCond);
    chainGroup(chain, m_opCondTab->rgSetting);
    chain << m_opCondTab->Memo2 << m_htmlCalc << m_htmlSelChart << m_accTab->sgAcc
          << m_widgets.memoLog << m_widgets.bnQuit;
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TfrmMain::uniqueMenuMnemonics() {
    // Alt+letter must reach one thing only: the menu bar in its order, then Quit.
    QSet<QChar> used;
    for (QAction* a : {m_menus.options->menuAction(), m_menus.print, m_menus.language->menuAction(),
                       m_menus.plan, m_menus.about})
        a->setText(freeMnemonic(a->text(), used));
    m_widgets.bnQuit->setText(freeMnemonic(m_widgets.bnQuit->text(), used));
}

void TfrmMain::applyAccessibleTexts() {
    m_dial->applyAccessibleTexts();
    auto name = [](QWidget* w, const QString& n, const QString& description = QString()) {
        w->setAccessibleName(plain(n));
        w->setAccessibleDescription(plain(description));
    };
    name(m_rateTab->rgRateSelLub, m_rateTab->labDisprate->text());
    name(m_rateTab->sgRate, m_rateTab->labDisprate->text());
    name(m_opCondTab->edDialComp, m_opCondTab->labDialComp->text());
    name(m_opCondTab->Memo2, m_opCondTab->gbDesc->title(), m_opCondTab->rgCond->title());
    if (auto* l = findChild<QLabel*>("labCalc"))
        name(m_htmlCalc, l->text());
    if (auto* l = findChild<QLabel*>("labSelChart"))
        name(m_htmlSelChart, l->text());
    name(m_accTab->sgAcc, m_accTab->labAcc->text());
    name(m_widgets.memoLog, m_widgets.pgMain->tabText(m_widgets.pgMain->indexOf(m_widgets.memoLog->parentWidget())));
    namePictures();
}

void TfrmMain::namePictures() {
    // Pictures: what they show; the ones that open the About window say so.
    const QString about = plain(text(K::strAbout1.data()));
    m_widgets.imgLogo->setAccessibleName("Talvik");
    m_widgets.imgLogo->setAccessibleDescription(about);
    m_rateTab->imgRate->setAccessibleName(
        m_rateTab->rgRateSelLub->itemText(m_rateTab->rgRateSelLub->itemIndex()));
}
