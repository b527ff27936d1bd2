#pragma once

#include <QObject>

class QWidget;

// While it lives, the user's input to one window and its controls (keys, access keys, mouse
// buttons, the wheel, context menus) is dropped; the window still paints, and other windows,
// such as a modal one over it, take input as usual. Closing the window is not blocked.
class CInputBlock : public QObject {
    Q_OBJECT

public:
    explicit CInputBlock(QWidget* window);
    ~CInputBlock() override;
    CInputBlock(const CInputBlock&) = delete;
    CInputBlock& operator=(const CInputBlock&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_pWindow;
};
