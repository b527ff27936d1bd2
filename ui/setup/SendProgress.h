#pragma once

#include <QDialog>
#include <QTimer>

// The small modal window over the setup dialog while a send takes long: which port and device
// it is sending to, a busy bar and Cancel. It shows itself only when the send is still running
// after kShowAfterMs, so a quick send shows nothing at all.
class CSendProgress : public QDialog {
    Q_OBJECT

public:
    static constexpr int kShowAfterMs = 400;

    // `port` 0..3 names the port and the device it maps to now.
    CSendProgress(int port, QWidget* parent);

signals:
    // Cancel, Escape, or closing the window.
    void CancelRequested();

protected:
    void reject() override;

private:
    QTimer m_showTimer;
};
