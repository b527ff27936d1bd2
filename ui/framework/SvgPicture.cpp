#include "ui/framework/SvgPicture.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QXmlStreamReader>

namespace {

// The <title> and <desc> of the image itself, with their white space simplified.
void ReadTitleAndDescription(const QString& resource, QString& title, QString& description) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    QXmlStreamReader xml(&file);
    while (xml.readNextStartElement() && xml.name() == QLatin1String("svg")) {
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("title")) {
                title = xml.readElementText().simplified();
            } else if (xml.name() == QLatin1String("desc")) {
                description = xml.readElementText().simplified();
            } else {
                return;
            }
        }
    }
}

QString Translated(const QString& text) {
    return text.isEmpty() ? text
                          : QCoreApplication::translate("CSvgPicture", text.toUtf8().constData());
}

} // namespace

CSvgPicture::CSvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), m_renderer(resource) {
    m_renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QString title;
    QString description;
    ReadTitleAndDescription(resource, title, description);
    // The image's own words are the source texts; the dialog using it marks them for lupdate.
    setAccessibleName(Translated(title));
    setAccessibleDescription(Translated(description));
}

void CSvgPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_renderer.render(&painter, rect());
}
