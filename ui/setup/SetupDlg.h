#pragma once

#include "settings/Preset.h"
#include "settings/PrinterSettings.h"
#include "ui/framework/DialogBase.h"
#include "ui/framework/DialogRunner.h"
#include "ui/stock/PresetFileChooser.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class CBackgroundCall;
class CLabelStockRow;

// The setup dialog: edits the printer settings, checks each measurement as its box loses the
// focus, switches the unit shown, sends the settings to the printer and saves them on OK. Its
// label stock row fills the controls from a preset and keeps presets.
class CSetupDlg : public CDialogBase {
    Q_OBJECT

public:
    explicit CSetupDlg(QWidget* parent = nullptr);
    ~CSetupDlg() override;

    const CPrinterSettings& Settings() const { return m_settings; }
    // Runs the Ports dialog and the label stock row's name dialog.
    void SetDialogRunner(DialogRunner runner);
    void SetPresetFileChooser(PresetFileChooser chooser);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnClicked(int id) override;
    void OnKillFocus(int id) override;
    void OnOK() override;
    void OnCancel() override;
    void showEvent(QShowEvent* event) override;

private:
    struct SendInProgress;

    static QString UnitLabel(bool inch);
    void ShowUnit(bool inch);
    void OnSend();
    void OnSendFinished(bool sent, const QString& reason);
    void OnPorts();
    Q_INVOKABLE void WatchPorts(); // queued from showEvent
    void RefreshPortTips();
    bool FillFromPreset(const Preset& preset);
    std::optional<Preset> StockValues();
    Preset ShownStock() const;

    CPrinterSettings m_settings;
    std::int32_t m_nEditLength = 0;
    std::int32_t m_nEditGap = 0;
    std::int32_t m_nEditTear = 0;
    QString m_strUnitLabel;
    bool m_bInchShown = false; // the unit the three boxes are taken to show
    std::unique_ptr<unsigned char[]> m_pCommand;
    std::unique_ptr<SendInProgress> m_pSending; // while a Send runs
    DialogRunner m_runDialog = ExecDialog;      // runs the Ports dialog
    CBackgroundCall* m_pPortTips;               // finds what each port button stands for
    bool m_bWatchingPorts = false;
    CLabelStockRow* m_pStockRow;
};
