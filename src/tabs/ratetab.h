#pragma once
// The "Dispense rate" tab: how much grease each setting of a single-point lubricator
// delivers, per week and per month, in ounces and grams, beside a picture of it.

#include "strings/quantity.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;
class TRadioGroup;
namespace unctora::strings {
class StringTable;
}

class RateTab : public QWidget {
    Q_OBJECT
public:
    struct Context {
        std::function<const unctora::strings::StringTable*()> table;
        std::function<const unctora::strings::UnitLabels&()> unitLabels;
        std::function<QString()> decimalSeparator;
    };
    explicit RateTab(Context context, QWidget* parent = nullptr);

    // Fills the grid for the chosen lubricator (at the first showing, when the
    // language is applied and on every choice).
    void buildRateTable();
    // The whole grid as text: cells separated by tabs, rows by CR LF.
    QString copyText() const;
    // The texts of the tab in the current language.
    void applyLanguage();

    QLabel* labDisprate;
    TRadioGroup* rgRateSelLub;
    QTableWidget* sgRate;
    QLabel* imgRate;
    QPushButton* bnCopyRate;

signals:
    // Copy was pressed: the text to put on the clipboard.
    void copyRequested(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void shadeCells();
    // Sizes the setting column, the header row and the grid to their texts.
    void fitGrid();
    void placePicture();
    void drawPicture();
    QString text(const char* key) const;

    Context m_context;
    int m_picture = -1;          // the picture number the table calls for
    bool m_pictureDrawn = false; // drawn only once the tab is on screen: it takes a while
};
