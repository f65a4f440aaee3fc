#include "windows/fontwindow.h"

#include "strings/stringtable.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// The preview as designed; its first line names the selected font.
const char* const kPreview[] = {
    "Font: MS Sans Serif",
    "",
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
    "abcdefghijklmnopqrstuvwxyz",
    "0123456789",
    "",
    "Chinese: \u96FB\u88AB\u99D5\u99DB\u7684\u9632\u5674\u7BA1\u81EA\u52D5",
    "",
    "Thai: \u0E04\u0E37\u0E2D\u0E1C\u0E39\u0E49\u0E23\u0E34\u0E40\u0E23\u0E34\u0E48\u0E21\u0E43\u0E0A\u0E49"
    "\u0E40\u0E17\u0E04\u0E19\u0E34\u0E04\u0E41\u0E1A\u0E1A",
    "",
    "Russian: \u042D\u043B\u0435\u043A\u0442\u0440\u0438\u0447\u0435\u0441\u043A\u0438\u0439",
};

QFont withFamily(QFont font, const QString& family) {
    font.setFamilies({family});
    return font;
}

} // namespace

TfrmSelFont::TfrmSelFont(QWidget* parent) : TfrmSelFont(installedTextFamilies(), parent) {}

TfrmSelFont::TfrmSelFont(const QStringList& families, QWidget* parent) : QDialog(parent) {
    setObjectName("frmSelFont");
    setWindowTitle("Select Font");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(667, 429);

    lbFonts = new QListWidget;
    lbFonts->setObjectName("lbFonts");
    lbFonts->setFixedWidth(289);
    lbFonts->setAccessibleName("Fonts");
    lbFonts->addItems(families);
    TntMemo1 = new QPlainTextEdit;
    TntMemo1->setObjectName("TntMemo1");
    TntMemo1->setReadOnly(true);
    TntMemo1->setAccessibleName("Preview");
    TntMemo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList lines;
    for (const char* line : kPreview)
        lines << QString::fromUtf8(line);
    TntMemo1->setPlainText(lines.join('\n'));

    bnOK = new QPushButton("OK");
    bnOK->setObjectName("bnOK");
    bnOK->setDefault(true);
    bnCancel = new QPushButton("Cancel");
    bnCancel->setObjectName("bnCancel");
    connect(bnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnCancel, &QPushButton::clicked, this, &QDialog::reject); // Escape too

    auto* top = new QHBoxLayout;
    top->addWidget(lbFonts);
    top->addWidget(TntMemo1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(bnOK);
    bottom->addWidget(bnCancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top, 1);
    column->addLayout(bottom);

    connect(lbFonts, &QListWidget::currentRowChanged, this, &TfrmSelFont::selectionChanged);
    if (lbFonts->count() > 0)
        lbFonts->setCurrentRow(0);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

QStringList TfrmSelFont::installedTextFamilies() {
    QStringList result;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        // A symbol font draws pictures in place of letters: no use for texts. Such
        // fonts claim Latin as well, so the symbol mark alone decides.
        const auto systems = QFontDatabase::writingSystems(family);
        if (systems.isEmpty() || systems.contains(QFontDatabase::Symbol))
            continue;
        result << family;
    }
    result.sort(Qt::CaseInsensitive);
    return result;
}

void TfrmSelFont::selectionChanged() {
    const QString name = SelectedFontName();
    if (name.isEmpty())
        return;
    QTextCursor cursor(TntMemo1->document()->firstBlock());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText("Font: " + name);
    QFont preview = withFamily(TntMemo1->font(), name);
    preview.setPointSize(11);
    TntMemo1->setFont(preview);
    // The (translated) caption of Cancel is drawn in the font on trial.
    bnCancel->setFont(withFamily(bnCancel->font(), name));
}

bool TfrmSelFont::SelectFont(const QString& name) {
    for (int i = 0; i < lbFonts->count(); ++i) {
        if (lbFonts->item(i)->text().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (lbFonts->currentRow() == i)
            selectionChanged();
        else
            lbFonts->setCurrentRow(i);
        lbFonts->setFont(withFamily(lbFonts->font(), SelectedFontName()));
        return true;
    }
    return false;
}

QString TfrmSelFont::SelectedFontName() const {
    const QListWidgetItem* item = lbFonts->currentItem();
    return item ? item->text() : QString();
}

void TfrmSelFont::applyLanguage(const unctora::strings::StringTable* table) {
    using unctora::strings::LangStr;
    setWindowTitle(QString::fromStdString(LangStr(table, "strSelFont") + " (" +
                                          LangStr(table, "strSelFont_UK") + ")"));
    bnCancel->setText(QString::fromStdString(LangStr(table, "strCancel")));
}

bool ChooseDisplayFont(TfrmSelFont& window, const QString& current,
                       const std::function<void(const QString&)>& apply) {
    window.SelectFont(current);
    if (window.exec() != QDialog::Accepted)
        return false;
    const QString chosen = window.SelectedFontName();
    if (chosen.isEmpty())
        return false;
    apply(chosen);
    return true;
}
