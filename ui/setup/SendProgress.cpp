#include "ui/setup/SendProgress.h"

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/address/PortConfig.h"
#include "ui/framework/DialogMessage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

namespace {

constexpr int kPortCount = 4; // COM1, COM2, LPT1, LPT2

// "COM1 (/dev/ttyUSB0)", as the port library names the port in its own messages; only the
// name when the port's setting cannot be read (such a send fails at once anyway).
QString PortAndDevice(int port) {
    if (port < 0 || port >= kPortCount) {
        return CSendProgress::tr("the printer");
    }
    PortSetting setting;
    PortTarget target;
    if (!LookUpPort(port, setting).ok() || !ParseDeviceUri(setting.value, target).ok()) {
        return QString::fromStdString(setting.name);
    }
    return QString::fromStdString(setting.name + " (" + target.Display() + ")");
}

} // namespace

CSendProgress::CSendProgress(int port, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(ApplicationCaption());
    setWindowModality(Qt::WindowModal);

    auto* text = new QLabel(tr("Sending to %1…").arg(PortAndDevice(port)), this);
    text->setTextFormat(Qt::PlainText); // the device's path
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setAccessibleName(text->text());
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &CSendProgress::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(busy);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &QDialog::show);
    m_showTimer.start(kShowAfterMs);
}

void CSendProgress::reject() {
    m_showTimer.stop();
    emit CancelRequested();
    QDialog::reject();
}
