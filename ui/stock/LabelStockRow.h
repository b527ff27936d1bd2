#pragma once

#include "settings/PresetStore.h"
#include "ui/framework/DialogRunner.h"
#include "ui/stock/PresetFileChooser.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class CDialogBase;
class QComboBox;
class QMenu;
class QPushButton;

// The label stock row of the setup dialog: the presets in a drop-down list, an administrator's
// marked as such, the picked one marked "(changed)" once the dialog's values differ from it, and
// a menu that saves the dialog's values as a preset, deletes the user's own, imports and exports.
// Picking fills the dialog; only the menu changes preset files. Files that cannot be used are
// not offered; the list's tooltip says which and why.
class CLabelStockRow : public QObject {
    Q_OBJECT

public:
    // What the row asks of its dialog.
    struct DialogHooks {
        // Fills the controls with the preset's values as a person would; false when the
        // dialog's own values did not read first, and nothing was filled.
        std::function<bool(const Preset&)> apply;
        // The dialog's stock values once its checks pass; nothing when they did not.
        std::function<std::optional<Preset>()> take;
        // What the controls show now; a box that does not read is left out.
        std::function<Preset()> shown;
    };

    CLabelStockRow(CDialogBase& dialog, QComboBox* list, QPushButton* menuButton,
                   DialogHooks hooks);

    void SetDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    void SetFileChooser(PresetFileChooser chooser) { m_chooseFile = std::move(chooser); }

    // Reads the presets again, keeping the pick when that preset is still there.
    void Reload();
    // The dialog's values changed: the picked preset is marked changed or not.
    void ControlsChanged();
    // Opens the menu under its button, without waiting for a choice.
    void ShowMenu();

private:
    void Fill(const std::string& pick);
    void OnPicked(int index);
    void OnSaveAs();
    void OnDelete();
    void OnImport();
    void OnExport();
    const StoredPreset* Picked() const;
    bool SaveOrSay(const Preset& preset);
    bool Confirm(const QString& question);
    void SayChangeFailed(PresetChange change, const QString& name);

    CDialogBase& m_dialog;
    QComboBox* m_pList;
    QPushButton* m_pMenuButton;
    QMenu* m_pMenu;
    DialogHooks m_hooks;
    DialogRunner m_runDialog = ExecDialog;
    PresetFileChooser m_chooseFile = ChoosePresetFile;
    PresetFolders m_folders;
    PresetList m_presets;
    std::optional<std::string> m_picked; // the name of the preset last picked
};
