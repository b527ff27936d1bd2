#include "SvgPicture.h"

#include <QPainter>

CSvgPicture::CSvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), m_renderer(resource) {
    m_renderer.setAspectRatioMode(Qt::KeepAspectRatio);
}

void CSvgPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_renderer.render(&painter, rect());
}
