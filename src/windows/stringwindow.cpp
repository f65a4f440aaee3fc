#include "windows/stringwindow.h"

#include "desktop/placement.h"

#include "desktop/messages.h"
#include "files/fileio.h"
#include "files/regini.h"
#include "strings/stringedit.h"

#include <QAbstractListModel>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

using namespace unctora;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

} // namespace

// lbText shows the table's lines themselves: rows are read from the table when they
// are drawn, so there is no second copy to keep in step.
class TfrmStrings::LineModel : public QAbstractListModel {
public:
    LineModel(const strings::StringTable& table, QObject* parent)
        : QAbstractListModel(parent), m_table(table) {}
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_table.lineCount());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
            return {};
        return qs(m_table.lines()[static_cast<std::size_t>(index.row())]);
    }
    void reset() {
        beginResetModel();
        endResetModel();
    }
    void lineChanged(int row) { emit dataChanged(index(row), index(row)); }

private:
    const strings::StringTable& m_table;
};

TfrmStrings::TfrmStrings(const AppEnvironment& env, strings::StringTable& table, QWidget* parent)
    : QWidget(parent, Qt::Window), m_file(env.languageFile()), m_programDir(env.programDir),
      m_settingsFile(env.settingsFile()), m_messages(env.messages), m_table(table) {
    setObjectName("frmStrings");
    setWindowTitle("Strings");
    resize(772, 501);
    m_model = new LineModel(m_table, this);
    // Numbers written in the texts take the separator the computed ones take.
    m_table.setDecimalSeparator(QString(QLocale().decimalPoint()).toStdString());
    createControls();
    // The set operations of the table select their language here too; the text on
    // show follows, so that an accepted edit always goes to the language on show.
    m_table.setLanguageSelectedHandler([this](int n) {
        lbLang->setCurrentRow(n - 1);
        ShowSelected();
    });
    LoadLanguageFile();
    lbLang->setCurrentRow(0);
    selectLine(0);
    ShowSelected();
    RestoreWindowPlacement();
}

void TfrmStrings::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (lbText->currentIndex().isValid())
        lbText->scrollTo(lbText->currentIndex());
}

TfrmStrings::~TfrmStrings() {
    m_table.setLanguageSelectedHandler({});
    try {
        SaveWindowPlacement();
    } catch (const std::exception& e) {
        showError(qs(e.what()));
    }
}

void TfrmStrings::createControls() {
    auto* toolbar = new QWidget;
    toolbar->setObjectName("pnToolbar");
    auto* buttons = new QHBoxLayout(toolbar);
    buttons->setContentsMargins(4, 2, 4, 2);
    buttons->setSpacing(2);
    auto button = [&](const char* name, const QString& caption, const QString& hint,
                      QStyle::StandardPixmap icon) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setText(caption);
        b->setToolTip(hint);
        b->setAccessibleName(caption.isEmpty() ? hint : caption); // icon-only buttons read their hint
        if (caption.isEmpty())
            b->setIcon(style()->standardIcon(icon));
        buttons->addWidget(b);
        return b;
    };
    bnReload = button("bnReload", {}, "Reload from file", QStyle::SP_BrowserReload);
    bnSave = button("bnSave", {}, "Save strings back to file", QStyle::SP_DialogSaveButton);
    bnSearch = button("bnSearch", "!", "Search", QStyle::SP_CustomBase);
    bnClose = button("bnClose", "Close", {}, QStyle::SP_CustomBase);
    buttons->addStretch(1);
    // Search and Close were never finished; they stay in place but out of sight.
    bnSearch->hide();
    bnClose->hide();

    lbLang = new QListWidget;
    lbLang->setObjectName("lbLang");
    lbLang->setAccessibleName("Languages");
    for (std::string_view name : strings::kLanguageNames)
        lbLang->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    lbText = new QListView;
    lbText->setObjectName("lbText");
    lbText->setAccessibleName("Strings");
    lbText->setModel(m_model);
    lbText->setUniformItemSizes(true); // a thousand lines and more
    lbText->setSelectionMode(QAbstractItemView::SingleSelection);
    lbText->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* lists = new QSplitter;
    lists->setObjectName("splLists");
    lists->addWidget(lbLang);
    lists->addWidget(lbText);
    lists->setStretchFactor(1, 1);
    lists->setSizes({120, 640});

    auto* pnEdit = new QWidget;
    pnEdit->setObjectName("pnEdit");
    auto* grid = new QGridLayout(pnEdit);
    auto* labStrName = new QLabel("String name (read only)");
    labStrName->setObjectName("labStrName");
    edStrName = new QLineEdit;
    edStrName->setObjectName("edStrName");
    edStrName->setReadOnly(true);
    auto* labStrValue = new QLabel("String value");
    labStrValue->setObjectName("labStrValue");
    edStrValue = new QLineEdit;
    edStrValue->setObjectName("edStrValue");
    bnAcceptValue = edStrValue->addAction(style()->standardIcon(QStyle::SP_DialogApplyButton),
                                          QLineEdit::TrailingPosition);
    bnAcceptValue->setObjectName("bnAcceptValue");
    bnAcceptValue->setToolTip("Accept");
    labStrName->setBuddy(edStrName);
    labStrValue->setBuddy(edStrValue);
    // The fields take the panel's width, less a margin at the right.
    grid->setContentsMargins(8, 4, 16, 4);
    grid->addWidget(labStrName, 0, 0);
    grid->addWidget(edStrName, 1, 0);
    grid->addWidget(labStrValue, 2, 0);
    grid->addWidget(edStrValue, 3, 0);

    sbStatus = new QStatusBar;
    sbStatus->setObjectName("sbStatus");
    sbStatus->setSizeGripEnabled(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbar);
    column->addWidget(lists, 1);
    column->addWidget(pnEdit);
    column->addWidget(sbStatus);

    // A click shows the line afresh even when it was selected already, dropping
    // what was typed and not accepted.
    connect(lbLang, &QListWidget::currentRowChanged, this, [this] { ShowSelected(); });
    connect(lbLang, &QListWidget::itemClicked, this, [this] { ShowSelected(); });
    connect(lbText, &QListView::clicked, this, [this] { ShowSelected(); });
    connect(lbText->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!m_showing)
            ShowSelected();
    });
    connect(bnAcceptValue, &QAction::triggered, this, &TfrmStrings::AcceptEdit);
    connect(edStrValue, &QLineEdit::returnPressed, this, &TfrmStrings::AcceptEdit);
    connect(bnReload, &QToolButton::clicked, this, [this] { LoadLanguageFile(); });
    connect(bnSave, &QToolButton::clicked, this, &TfrmStrings::onSave);
    connect(bnSearch, &QToolButton::clicked, this, [this] {
        if (m_messages)
            m_messages->showMessage("Not ready yet ...");
    });
    connect(bnClose, &QToolButton::clicked, this, &QWidget::close);
}

bool TfrmStrings::LoadLanguageFile() {
    // The busy cursor stays until the load ends, whatever happens.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const int row = selectedLine();
    const bool ok = m_table.LoadLanguageFile(m_file.toStdString());
    if (ok) {
        m_model->reset();
        // Stay on the line that was on show, as far as the new file reaches.
        if (row >= 0) {
            selectLine(std::min(row, static_cast<int>(m_table.lineCount()) - 1));
            ShowSelected();
        }
    }
    sbStatus->showMessage(qs(strings::loadStatusText(m_table)));
    QGuiApplication::restoreOverrideCursor();
    return ok;
}

int TfrmStrings::selectedLine() const {
    const QModelIndexList rows = lbText->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TfrmStrings::selectLine(int row) {
    const bool wasShowing = m_showing;
    m_showing = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row);
        lbText->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        // Scrolling lays out the list, every script's fonts included; a window that is
        // not on screen does that when it is shown.
        if (isVisible())
            lbText->scrollTo(index);
    } else {
        lbText->selectionModel()->clearSelection();
        lbText->selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    }
    m_showing = wasShowing;
    bnAcceptValue->setEnabled(selectedLine() >= 0);
}

void TfrmStrings::ShowSelected() {
    if (m_showing)
        return;
    const int row = selectedLine();
    if (row < 0 && edStrName->text().isEmpty()) {
        edStrValue->clear();
        bnAcceptValue->setEnabled(false);
        return; // nothing selected and nothing on show: an empty table
    }
    const int language = std::max(lbLang->currentRow(), 0) + 1;
    const std::string languageName(strings::kLanguageNames[language - 1]);
    std::string key = edStrName->text().toStdString();
    if (row >= 0) {
        const std::string& line = m_table.lines()[static_cast<std::size_t>(row)];
        key = line.substr(0, line.find('='));
    }
    const int suffix = strings::LanguageSuffix(key);
    if (suffix > 0) {
        // A language-numbered family: show the entry of the selected language.
        key = strings::languageEntryKey(key, suffix, language);
        const auto& keys = m_table.keys();
        const auto it = std::find(keys.begin(), keys.end(), strings::lineKey(key));
        selectLine(it == keys.end() ? -1 : static_cast<int>(it - keys.begin()));
    }
    edStrName->setText(qs(key));
    const int shown = selectedLine();
    if (suffix > 0 && shown >= 0) {
        // The whole value is the text of a numbered entry, "~" and all; show it as
        // stored so that accepting it unchanged changes nothing.
        const std::string& line = m_table.lines()[static_cast<std::size_t>(shown)];
        const auto eq = line.find('=');
        edStrValue->setText(eq == std::string::npos ? QString() : qs(line.substr(eq + 1)));
    } else {
        edStrValue->setText(qs(m_table.ResolveText(key, languageName, 0)));
    }
    bnAcceptValue->setEnabled(shown >= 0);
}

void TfrmStrings::AcceptEdit() {
    const int row = selectedLine();
    if (row < 0)
        return; // the language's entry of a numbered family is not in the file
    const std::string key = edStrName->text().toStdString();
    const std::string text = edStrValue->text().toStdString();
    const bool numbered = strings::LanguageSuffix(key) > 0;
    if (const std::string problem = strings::editedTextProblem(text, numbered); !problem.empty()) {
        showError(qs(problem));
        return;
    }
    const int language = std::max(lbLang->currentRow(), 0) + 1;
    m_table.replaceLine(static_cast<std::size_t>(row), strings::editedLine(m_table, key, language, text, numbered));
    m_model->lineChanged(row);
}

QString TfrmStrings::stringFilePath() const { return QDir(m_programDir).filePath("unctora.six"); }

void TfrmStrings::SaveStringFile() { strings::SaveStringFile(m_table, stringFilePath().toStdString()); }

void TfrmStrings::onSave() {
    try {
        SaveStringFile();
    } catch (const std::exception& e) {
        showError(qs(e.what()));
    }
}

void TfrmStrings::showError(const QString& text) {
    if (m_messages)
        m_messages->showError(text);
}

void TfrmStrings::RestoreWindowPlacement() {
    unctora::app::RestoreWindowPlacement(*this, m_settingsFile.toStdString(), "frmStrings", true);
}

void TfrmStrings::SaveWindowPlacement() {
    // The main window makes the data folder at its first activation; before that
    // nothing has been set up and there is nothing to keep.
    if (!QFileInfo(m_settingsFile).absoluteDir().exists())
        return;
    unctora::app::SaveWindowPlacement(*this, m_settingsFile.toStdString(), "frmStrings", true);
}
