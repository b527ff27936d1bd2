#pragma once

#include <QSvgRenderer>
#include <QWidget>

// A picture control that draws a vector image into its own rectangle, keeping the image's
// proportions, so it stays sharp at any scale factor.
class CSvgPicture : public QWidget {
public:
    CSvgPicture(const QString& resource, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer m_renderer;
};
