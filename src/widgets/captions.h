#pragma once
// Captions as assistive tools read them.

#include <QString>

// A caption as a name: no mnemonic marks, one line.
inline QString plainCaption(QString text) {
    text.replace("&&", QChar(0x1)).remove('&').replace(QChar(0x1), '&');
    return text.replace('\n', ' ').replace('\r', ' ').simplified();
}
