#include "ui/ports/SerialLineEditor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <array>

namespace {

// The speeds the port library accepts.
constexpr std::array kSpeeds{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400};

void Select(QComboBox* box, int value) {
    box->setCurrentIndex(box->findData(value));
}

int Selected(const QComboBox* box) {
    return box->currentData().toInt();
}

} // namespace

CSerialLineEditor::CSerialLineEditor(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_pSpeed = AddField(tr("Speed"));
    for (const int speed : kSpeeds) {
        m_pSpeed->addItem(QString::number(speed), speed);
    }
    m_pBits = AddField(tr("Data bits"));
    for (int bits = 5; bits <= 8; ++bits) {
        m_pBits->addItem(QString::number(bits), bits);
    }
    m_pParity = AddField(tr("Parity"));
    m_pParity->addItem(tr("none", "parity"), static_cast<int>(SerialOptions::Parity::None));
    m_pParity->addItem(tr("even"), static_cast<int>(SerialOptions::Parity::Even));
    m_pParity->addItem(tr("odd"), static_cast<int>(SerialOptions::Parity::Odd));
    m_pStop = AddField(tr("Stop bits"));
    m_pStop->addItem(QStringLiteral("1"), 1);
    m_pStop->addItem(QStringLiteral("2"), 2);
    m_pFlow = AddField(tr("Flow control"));
    m_pFlow->addItem(tr("none", "flow control"), static_cast<int>(SerialOptions::Flow::None));
    m_pFlow->addItem(tr("XON/XOFF"), static_cast<int>(SerialOptions::Flow::Soft));
    m_pFlow->addItem(tr("RTS/CTS"), static_cast<int>(SerialOptions::Flow::Hard));
    layout->addStretch();

    SetOptions(SerialOptions());
}

QComboBox* CSerialLineEditor::AddField(const QString& label) {
    auto* caption = new QLabel(label, this);
    auto* box = new QComboBox(this);
    caption->setBuddy(box);
    box->setAccessibleName(label);
    layout()->addWidget(caption);
    layout()->addWidget(box);
    connect(box, &QComboBox::activated, this, &CSerialLineEditor::Changed);
    return box;
}

SerialOptions CSerialLineEditor::Options() const {
    SerialOptions options;
    options.baud = Selected(m_pSpeed);
    options.bits = Selected(m_pBits);
    options.parity = static_cast<SerialOptions::Parity>(Selected(m_pParity));
    options.stopBits = Selected(m_pStop);
    options.flow = static_cast<SerialOptions::Flow>(Selected(m_pFlow));
    return options;
}

void CSerialLineEditor::SetOptions(const SerialOptions& options) {
    Select(m_pSpeed, options.baud);
    Select(m_pBits, options.bits);
    Select(m_pParity, static_cast<int>(options.parity));
    Select(m_pStop, options.stopBits);
    Select(m_pFlow, static_cast<int>(options.flow));
}
