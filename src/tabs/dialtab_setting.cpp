// DialTab: the setting display: the dial picture with the badge and its month, or
// the multi-point badge alone, placed in what the column shows of the panel.

#include "tabs/dialtab.h"

#include "pictures/pictures.h"
#include "reports/setting.h"
#include "widgets/badge.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

void DialTab::showSetting(const unctora::reports::SettingDisplay& setting, const QString& monthText) {
    namespace R = unctora::reports;
    const QString text = QString::fromStdString(setting.text);
    slDS->setText(text);
    pbDS->setText(text);
    pbDS->setTextColour(setting.colour == R::BadgeColour::Red ? QColor(255, 0, 0) : QColor(Qt::white));
    pbDS->setTextSize(setting.textSize);
    const int w = pnDS->width(), h = pnDS->height();
    // The results box is lower than the panel, and scripts with tall lines (Thai)
    // push the panel further down in its column: what the column shows of it is
    // what the picture, the badge and the month have to fit in.
    int shown = h;
    if (QWidget* column = pnDS->parentWidget(); column && isVisible()) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        shown = std::clamp(column->height() - pnDS->y(), 0, h);
    }
    if (setting.layout == R::SettingLayout::Dial) {
        const int margin = pnMargin->width();
        pnMargin->setGeometry(w - margin, 0, margin, h);
        imgDial->setGeometry(w - margin - R::kDialPictureWidth, 0, R::kDialPictureWidth, shown);
        // Drawing and scaling the dial costs more than the whole calculation; most
        // changes keep the same picture at the same size.
        const qreal dpr = devicePixelRatioF();
        const DialPictureKey key{setting.picture ? *setting.picture : -1, shown, dpr};
        if (key != m_dialPictureKey) {
            const QPixmap picture = key.number >= 0 ? unctora::pictures::settingPicture(key.number, dpr) : QPixmap();
            imgDial->setPixmap(picture.isNull()
                                   ? picture
                                   : picture.scaled(QSize(R::kDialPictureWidth, std::max(shown, 1)) * dpr,
                                                    Qt::KeepAspectRatio, Qt::SmoothTransformation));
            m_dialPictureKey = key;
        }
        R::Rect badge = R::dialBadgeRect(w, h, margin);
        badge.top -= 8;
        labUnitDS->setText(monthText);
        // Measured as drawn: a month in Chinese or Thai takes a taller fall-back font.
        const QRect drawn = labUnitDS->fontMetrics().boundingRect(QRect(), Qt::TextSingleLine, monthText);
        const int labelWidth = drawn.width() + 4;
        R::Rect label = R::monthLabelRect(badge, labelWidth, std::max(drawn.height(), labUnitDS->fontMetrics().height()));
        // Badge and month move up together when the month would be cut off, as far
        // as the badge allows.
        const int below = std::min(label.top + label.height - shown, badge.top);
        if (below > 0) {
            badge.top -= below;
            label.top -= below;
        }
        pbDS->setGeometry(badge.left, badge.top, badge.width, badge.height);
        labUnitDS->setGeometry(label.left, label.top, label.width, label.height);
        labUnitDS->setVisible(!monthText.isEmpty());
        imgDial->show();
        pnMargin->show();
    } else {
        imgDial->hide();
        pnMargin->hide();
        labUnitDS->hide();
        // Centred in what the column shows of the panel, so that no edge is cut.
        R::Rect badge = R::multiPointBadgeRect(w, shown);
        const std::string_view line = R::sizingLineText(setting);
        if (!line.empty()) {
            const QFontMetrics fm(pbDS->badgeFont());
            const int lineWidth =
                fm.horizontalAdvance(QString::fromUtf8(line.data(), static_cast<int>(line.size())));
            badge = R::multiPointBadgeRect(w, shown, lineWidth, fm.height());
            // Tall month or heading fonts leave the column less than the badge's
            // padding: the badge gives up padding, never its lower edge or a line.
            const int least = 2 * fm.height() + 8;
            if (badge.height > shown && shown >= least) {
                badge.top += (badge.height - shown) / 2;
                badge.height = shown;
            }
        }
        badge.top = std::max(0, std::min(badge.top, shown - badge.height));
        pbDS->setGeometry(badge.left, badge.top, badge.width, badge.height);
    }
    // The badge draws itself again when its text, colour, size or place changes.
    pbDS->show();
    nameSetting(monthText);
}

void DialTab::clearSetting() {
    slDS->setText(QString());
    pbDS->setText(QString());
    nameSetting(QString());
}

void DialTab::nameSetting(const QString& monthText) {
    // For assistive tools: the badge reads as its heading and its lines; the picture
    // as the heading.
    QString shown = pbDS->text();
    shown.remove('^').replace('|', ' ');
    pnDS->setAccessibleName(labSystem->text());
    pbDS->setAccessibleName((labSystem->text() + ": " + shown.simplified() + " " + monthText).trimmed());
    imgDial->setAccessibleName(labSystem->text());
}
