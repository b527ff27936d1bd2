#pragma once

#include <QSvgRenderer>
#include <QWidget>

// A picture control that draws a vector image into its own rectangle, keeping the image's
// proportions, so it stays sharp at any scale factor. The image's title and description are
// its accessible name and description. Its words are source texts, shown in the user's language
// (context "CSvgPicture"); the dialog that uses an image marks them for lupdate.
class CSvgPicture : public QWidget {
    Q_OBJECT

public:
    CSvgPicture(const QString& resource, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer m_renderer;
};
