#include "ui/framework/PlainText.h"

#include <QTextDocument>

QString AsPlainText(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text;
}
