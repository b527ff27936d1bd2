#include "ui/framework/template/SvgPicture.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

QString Translated(const QString& text) {
    return text.isEmpty() ? text
                          : QCoreApplication::translate("CSvgPicture", text.toUtf8().constData());
}

// The image as it is, except that the words of its <title>, <desc> and <text> elements are in
// the user's language; the title and description, simplified, are handed out as well.
QByteArray TranslatedImage(const QString& resource, QString& title, QString& description) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QXmlStreamReader xml(&file);
    QByteArray image;
    QXmlStreamWriter writer(&image);
    QString element; // the innermost element whose words are translated, else empty
    while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::Invalid) {
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            const bool words = name == QLatin1String("title") || name == QLatin1String("desc") ||
                               name == QLatin1String("text");
            element = words ? name : QString();
        } else if (xml.isEndElement()) {
            element.clear();
        } else if (xml.isCharacters() && !element.isEmpty()) {
            const QString text = Translated(xml.text().toString().simplified());
            if (element == QLatin1String("title")) {
                title = text;
            } else if (element == QLatin1String("desc")) {
                description = text;
            }
            writer.writeCharacters(text);
            continue;
        }
        writer.writeCurrentToken(xml);
    }
    return image;
}

} // namespace

CSvgPicture::CSvgPicture(const QString& resource, QWidget* parent) : QWidget(parent) {
    m_renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QString title;
    QString description;
    m_renderer.load(TranslatedImage(resource, title, description));
    setAccessibleName(title);
    setAccessibleDescription(description);
}

void CSvgPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_renderer.render(&painter, rect());
}
