#pragma once
// The font selection window: the installed font families (symbol fonts left out) and
// a preview of the selected one. Created once at start-up and kept, so that its
// selection stays between uses; shown modally from the "Select font" menu entry.

#include <QDialog>
#include <functional>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
namespace unctora::strings {
class StringTable;
}

class TfrmSelFont : public QDialog {
    Q_OBJECT
public:
    // families: the names to list, in this order; by default the installed families
    // without the symbol fonts (installedTextFamilies).
    explicit TfrmSelFont(QWidget* parent = nullptr);
    TfrmSelFont(const QStringList& families, QWidget* parent);

    // Selects the entry named name (letter case ignored) and draws the list in that
    // font; a name that is not listed changes nothing. False then.
    bool SelectFont(const QString& name);
    // The selected family; empty when the list is empty.
    QString SelectedFontName() const;

    // The caption "strSelFont (strSelFont_UK)" and the Cancel button's caption.
    void applyLanguage(const unctora::strings::StringTable* table);

    // The installed font families, sorted, without the symbol and private ones.
    static QStringList installedTextFamilies();

    QListWidget* lbFonts = nullptr;
    QPlainTextEdit* TntMemo1 = nullptr;
    QPushButton* bnOK = nullptr;
    QPushButton* bnCancel = nullptr;

private:
    void selectionChanged();
};

// The "Select font" menu entry: preselects current, shows the window modally and, on
// OK, passes the chosen name to apply. Cancel or closing the window changes nothing.
// True when a font was applied.
bool ChooseDisplayFont(TfrmSelFont& window, const QString& current,
                       const std::function<void(const QString&)>& apply);
