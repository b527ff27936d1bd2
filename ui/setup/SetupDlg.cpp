#include "ui/setup/SetupDlg.h"

#include "base/EditInteger.h"
#include "printer/CommandBlock.h"
#include "printer/outport/OutPort.h"
#include "settings/SettingsFile.h"
#include "ui/framework/DataExchange.h"
#include "ui/framework/InputBlock.h"
#include "ui/framework/PlainText.h"
#include "ui/language/SettingsMessages.h"
#include "ui/ports/BackgroundCall.h"
#include "ui/ports/DeviceQueries.h"
#include "ui/ports/DeviceWatch.h"
#include "ui/ports/PortsDialog.h"
#include "ui/setup/PortSummary.h"
#include "ui/setup/SendJob.h"
#include "ui/setup/SendProgress.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/stock/LabelStockRow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <array>
#include <utility>

namespace {

// Shows the wait cursor while the printer is being sent to.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

// A Send under way: the dialog takes no input and shows the wait cursor, the call runs on its
// own thread, and a progress window offers Cancel if it takes long. Members end in reverse
// order, so the call is cancelled and waited for before anything else goes.
struct CSetupDlg::SendInProgress {
    SendInProgress(QWidget* dialog, int port, const unsigned char* block, int length)
        : inputBlock(dialog), progress(port, dialog), job(port, block, length) {}

    BusyCursor busy;
    CInputBlock inputBlock;
    CSendProgress progress;
    CSendJob job;
};

CSetupDlg::CSetupDlg(QWidget* parent)
    : CDialogBase(kSetupDialogTemplate, parent), m_pPortTips(new CBackgroundCall(this)) {
    LoadSettings(m_settings);
    const ShownValues shown = m_settings.Shown();
    m_nEditLength = shown.length;
    m_nEditGap = shown.gap;
    m_nEditTear = shown.tear;
    // At start the labels say "mm" only for the exact millimetre code, while the boxes show
    // millimetres for any code but 0.
    m_bInchShown = m_settings.m_nUnit != 1;
    m_strUnitLabel = UnitLabel(m_bInchShown);
    m_pCommand = std::make_unique<unsigned char[]>(kCommandBufferSize);
    m_pStockRow =
        new CLabelStockRow(*this, qobject_cast<QComboBox*>(GetDlgItem(IDC_PRESET)),
                           qobject_cast<QPushButton*>(GetDlgItem(IDC_PRESET_MENU)),
                           {[this](const Preset& preset) { return FillFromPreset(preset); },
                            [this] { return StockValues(); }, [this] { return ShownStock(); }});
    // Every change of a value the preset row compares, typed or picked.
    for (const int box : {IDC_LENGTH, IDC_GAP, IDC_CUT_OFFSET, IDC_TEAR}) {
        connect(qobject_cast<QLineEdit*>(GetDlgItem(box)), &QLineEdit::textChanged, m_pStockRow,
                &CLabelStockRow::ControlsChanged);
    }
    for (const int button :
         {IDC_UNIT_INCH, IDC_UNIT_MM, IDC_THERMAL_TRANSFER, IDC_DIRECT_THERMAL}) {
        connect(qobject_cast<QAbstractButton*>(GetDlgItem(button)), &QAbstractButton::toggled,
                m_pStockRow, &CLabelStockRow::ControlsChanged);
    }
}

// A Send still running is cancelled and waited for before the dialog goes.
CSetupDlg::~CSetupDlg() = default;

void CSetupDlg::SetDialogRunner(DialogRunner runner) {
    m_runDialog = runner;
    m_pStockRow->SetDialogRunner(std::move(runner));
}

void CSetupDlg::SetPresetFileChooser(PresetFileChooser chooser) {
    m_pStockRow->SetFileChooser(std::move(chooser));
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Radio(pDX, IDC_UNIT_INCH, m_settings.m_nUnit);
    DDX_Radio(pDX, IDC_COM1, m_settings.m_nPort);
    DDX_Radio(pDX, IDC_THERMAL_TRANSFER, m_settings.m_nPrintMode);
    DDX_Text(pDX, IDC_LENGTH, m_nEditLength);
    DDX_Text(pDX, IDC_GAP, m_nEditGap);
    DDX_Text(pDX, IDC_CUT_OFFSET, m_settings.m_nCutOffset);
    DDX_Text(pDX, IDC_TEAR, m_nEditTear);
    DDX_Text(pDX, IDC_LENGTH_UNIT, m_strUnitLabel);
    DDX_Text(pDX, IDC_GAP_UNIT, m_strUnitLabel);
    DDX_Text(pDX, IDC_TEAR_UNIT, m_strUnitLabel);
}

void CSetupDlg::OnClicked(int id) {
    switch (id) {
    case IDC_UNIT_INCH:
        ShowUnit(true);
        break;
    case IDC_UNIT_MM:
        ShowUnit(false);
        break;
    case IDC_SEND:
        OnSend();
        break;
    case IDC_PORTS:
        OnPorts();
        break;
    case IDC_PRESET_MENU:
        m_pStockRow->ShowMenu();
        break;
    default:
        CDialogBase::OnClicked(id);
        break;
    }
}

// Every focus loss applies the box's value again, in the unit just read from the controls.
// A failed read leaves the member as it was, and that value is checked.
void CSetupDlg::OnKillFocus(int id) {
    UpdateData(true);
    SetResult result;
    switch (id) {
    case IDC_LENGTH:
        result = m_settings.SetLength(m_nEditLength);
        break;
    case IDC_GAP:
        result = m_settings.SetGap(m_nEditGap);
        break;
    case IDC_TEAR:
        result = m_settings.SetTearOffset(m_nEditTear);
        break;
    case IDC_CUT_OFFSET:
        result = m_settings.SetCutOffset(m_settings.m_nCutOffset);
        break;
    default:
        return;
    }
    if (!result.accepted) {
        SetDlgItemText(id, QStringLiteral("0"));
        MessageBox(SettingsMessageText(result.message), QMessageBox::Warning);
    }
}

// The unit beside the three boxes, as the settings record names it, in the user's language.
QString CSetupDlg::UnitLabel(bool inch) {
    return inch ? tr("0.1inch") : tr("mm");
}

// Shows the stored values of the other unit; nothing is converted.
void CSetupDlg::ShowUnit(bool inch) {
    if (m_bInchShown == inch) {
        return;
    }
    UpdateData(true);
    const QString label = UnitLabel(m_settings.InchUnit());
    SetDlgItemText(IDC_LENGTH_UNIT, label);
    SetDlgItemText(IDC_GAP_UNIT, label);
    SetDlgItemText(IDC_TEAR_UNIT, label);
    m_nEditLength = inch ? m_settings.m_nLengthInch : m_settings.m_nLengthMm;
    m_nEditGap = inch ? m_settings.m_nGapInch : m_settings.m_nGapMm;
    m_nEditTear = inch ? m_settings.m_nTearInch : m_settings.m_nTearMm;
    SetDlgItemText(IDC_LENGTH, QString::number(m_nEditLength));
    SetDlgItemText(IDC_GAP, QString::number(m_nEditGap));
    SetDlgItemText(IDC_TEAR, QString::number(m_nEditTear));
    m_bInchShown = inch;
}

void CSetupDlg::OnSend() {
    if (m_pSending != nullptr) {
        return;
    }
    UpdateData(true);
    const int length = BuildCommand(m_settings, m_pCommand.get());
    m_pSending =
        std::make_unique<SendInProgress>(this, m_settings.m_nPort, m_pCommand.get(), length);
    connect(&m_pSending->progress, &CSendProgress::CancelRequested, &m_pSending->job,
            &CSendJob::Cancel);
    // Emitted on the worker thread; queued, the result is handled here on the dialog's.
    connect(&m_pSending->job, &CSendJob::Finished, this, &CSetupDlg::OnSendFinished,
            Qt::QueuedConnection);
    m_pSending->job.Start();
}

void CSetupDlg::OnSendFinished(bool sent, const QString& reason) {
    if (m_pSending == nullptr) {
        return; // the dialog was closed in between and has cancelled the call
    }
    m_pSending.reset();
    if (sent) {
        MessageBox(tr("Send To Printer OK!"), QMessageBox::NoIcon);
    } else {
        MessageBox(tr("Send To Printer Error!"), QMessageBox::Warning, reason);
    }
}

void CSetupDlg::OnPorts() {
    CPortsDialog ports(ListDevices, this);
    m_runDialog(ports);
    RefreshPortTips();
}

// The port buttons' descriptions and the device watch wait until the window is up: a port on
// a print queue asks the network, and none of it is needed to show the dialog.
void CSetupDlg::showEvent(QShowEvent* event) {
    CDialogBase::showEvent(event);
    if (!m_bWatchingPorts) {
        m_bWatchingPorts = true;
        QMetaObject::invokeMethod(this, "WatchPorts", Qt::QueuedConnection);
    }
}

void CSetupDlg::WatchPorts() {
    connect(new CDeviceWatch(this), &CDeviceWatch::DevicesChanged, this,
            &CSetupDlg::RefreshPortTips);
    RefreshPortTips();
}

// Each port button says which device it stands for now and whether it is there, once the
// worker has found out.
void CSetupDlg::RefreshPortTips() {
    m_pPortTips->Start([this](OutPortCancel* cancel) {
        QStringList summaries;
        for (int port = 0; port < 4; ++port) {
            summaries.append(SummarizePort(port, cancel));
        }
        return [this, summaries] {
            const std::array buttons{IDC_COM1, IDC_COM2, IDC_LPT1, IDC_LPT2};
            for (std::size_t port = 0; port < buttons.size(); ++port) {
                QWidget* button = GetDlgItem(buttons[port]);
                button->setToolTip(AsPlainText(summaries[static_cast<qsizetype>(port)]));
                button->setAccessibleDescription(summaries[static_cast<qsizetype>(port)]);
            }
        };
    });
}

// As a person would: the unit first, then each value the preset gives typed into its box and
// checked as on leaving it, then the print mode. Nothing is filled while a box does not read.
bool CSetupDlg::FillFromPreset(const Preset& preset) {
    if (!UpdateData(true)) {
        return false;
    }
    if (preset.unit.has_value()) {
        const bool inch = *preset.unit == 0;
        SetRadioIndex(IDC_UNIT_INCH, inch ? 0 : 1);
        ShowUnit(inch);
    }
    for (const auto& [id, value] : {std::pair{IDC_LENGTH, preset.length},
                                    {IDC_GAP, preset.gap},
                                    {IDC_CUT_OFFSET, preset.cut},
                                    {IDC_TEAR, preset.tear}}) {
        if (value.has_value()) {
            SetDlgItemText(id, QString::number(*value));
            OnKillFocus(id);
        }
    }
    if (preset.mode.has_value()) {
        SetRadioIndex(IDC_THERMAL_TRANSFER, *preset.mode);
    }
    return UpdateData(true);
}

// The values as the checks left them, in the unit selected.
std::optional<Preset> CSetupDlg::StockValues() {
    if (!UpdateData(true)) {
        return std::nullopt;
    }
    return PresetFromSettings(m_settings, {}, {});
}

// The unit and print mode buttons' indexes are the preset's codes.
Preset CSetupDlg::ShownStock() const {
    const auto read = [this](int id) { return ReadEditInteger(GetDlgItemText(id).toStdString()); };
    const auto checked = [this](int firstId) -> std::optional<std::int32_t> {
        const int index = CheckedRadioIndex(firstId);
        return index < 0 ? std::nullopt : std::optional<std::int32_t>(index);
    };
    Preset shown;
    shown.unit = checked(IDC_UNIT_INCH);
    shown.length = read(IDC_LENGTH);
    shown.gap = read(IDC_GAP);
    shown.tear = read(IDC_TEAR);
    shown.cut = read(IDC_CUT_OFFSET);
    shown.mode = checked(IDC_THERMAL_TRANSFER);
    return shown;
}

// Nothing is saved from controls that did not read, and a failed save keeps the dialog open
// so that what the user typed is not lost.
void CSetupDlg::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    switch (SaveSettings(m_settings)) {
    case SaveResult::Saved:
        CDialogBase::OnOK();
        break;
    case SaveResult::CannotOpen:
        MessageBox(tr("Cannot open Trovanel.ini file."), QMessageBox::Warning);
        break;
    case SaveResult::CannotWrite:
        MessageBox(tr("Cannot write Trovanel.ini file."), QMessageBox::Warning);
        break;
    case SaveResult::Busy:
        MessageBox(tr("Cannot write Trovanel.ini file."), QMessageBox::Warning,
                   tr("Another program kept saving it; nothing was changed. Try again."));
        break;
    }
}

// Closing the window during a Send cancels the call and waits for it first.
void CSetupDlg::OnCancel() {
    m_pSending.reset();
    CDialogBase::OnCancel();
}
