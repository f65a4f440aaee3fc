// Widget tests run on Qt's offscreen platform with the program's own application
// object, so that its one exception handler is the one under test.
#include "app/application.h"
#include "desktop/environment.h"
#include "widget_main.h"

#include <QAccessible>
#include <QPrinter>
#include <QWidget>
#include <gtest/gtest.h>

bool RecordedMessages::choosePrinter(QPrinter& printer) {
    ++printDialogs;
    if (cancelPrint)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
}

FocusStops focusStops(const QWidget& window) {
    FocusStops stops;
    for (QWidget* c : window.findChildren<QWidget*>()) {
        if (!c->isVisible() || !(c->focusPolicy() & Qt::TabFocus))
            continue;
        stops.all << c->objectName();
        const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
        if (!a || a->text(QAccessible::Name).isEmpty())
            stops.unnamed << c->objectName();
    }
    return stops;
}

RecordedMessages& applicationMessages() {
    static RecordedMessages messages;
    return messages;
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    UnctoraApplication app(argc, argv);
    app.setMessages(&applicationMessages());
    QApplication::setStyle("Fusion");
    AppEnvironment::initResources();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
