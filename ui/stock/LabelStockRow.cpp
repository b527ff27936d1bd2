#include "ui/stock/LabelStockRow.h"

#include "settings/AtomicFile.h"
#include "settings/PresetFileName.h"
#include "ui/framework/DialogBase.h"
#include "ui/framework/PlainText.h"
#include "ui/language/SettingsMessages.h"
#include "ui/stock/PresetNameDialog.h"

#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <utility>
#include <variant>

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A value the preset gives that the dialog does not show (any more).
bool Differs(const std::optional<std::int32_t>& given, const std::optional<std::int32_t>& shown) {
    return given.has_value() && given != shown;
}

bool DiffersFrom(const Preset& preset, const Preset& shown) {
    return Differs(preset.unit, shown.unit) || Differs(preset.length, shown.length) ||
           Differs(preset.gap, shown.gap) || Differs(preset.tear, shown.tear) ||
           Differs(preset.cut, shown.cut) || Differs(preset.mode, shown.mode);
}

// "FILE line N: REASON", or "FILE: REASON" for what concerns the whole file.
QString Located(const std::string& path, const PresetProblem& problem) {
    if (problem.line == 0) {
        return QStringLiteral("%1: %2").arg(Text(path), PresetProblemMessage(problem));
    }
    return CLabelStockRow::tr("%1 line %2: %3")
        .arg(Text(path))
        .arg(problem.line)
        .arg(PresetProblemMessage(problem));
}

// A preset as the list shows it: an administrator's marked as such.
QString ListedName(const StoredPreset& stored) {
    const QString name = Text(stored.preset.name);
    return stored.origin == PresetOrigin::System
               ? CLabelStockRow::tr("%1 (administrator)").arg(name)
               : name;
}

} // namespace

CLabelStockRow::CLabelStockRow(CDialogBase& dialog, QComboBox* list, QPushButton* menuButton,
                               DialogHooks hooks)
    : QObject(&dialog), m_dialog(dialog), m_pList(list), m_pMenuButton(menuButton),
      m_pMenu(new QMenu(menuButton)), m_hooks(std::move(hooks)),
      m_folders(PresetFoldersFromEnvironment()) {
    m_pMenu->addAction(tr("Save &As\u2026"), this, &CLabelStockRow::OnSaveAs);
    m_pMenu->addAction(tr("&Delete"), this, &CLabelStockRow::OnDelete);
    m_pMenu->addAction(tr("&Import\u2026"), this, &CLabelStockRow::OnImport);
    m_pMenu->addAction(tr("&Export\u2026"), this, &CLabelStockRow::OnExport);
    m_pMenuButton->setAccessibleDescription(tr("Save, delete, import or export label stocks"));
    m_pList->setPlaceholderText(tr("none"));
    // Activated only by the user's pick, never by the list being filled.
    connect(m_pList, &QComboBox::activated, this, &CLabelStockRow::OnPicked);
    Reload();
}

void CLabelStockRow::Reload() {
    m_presets = ListPresets(m_folders);
    Fill(m_picked.value_or(std::string()));
}

// The list in name order; the tooltip names each file that was left out, with its reason.
void CLabelStockRow::Fill(const std::string& pick) {
    m_pList->clear();
    int picked = -1;
    for (const StoredPreset& stored : m_presets.usable) {
        m_pList->addItem(ListedName(stored));
        m_pList->setItemData(m_pList->count() - 1, AsPlainText(Text(stored.preset.description)),
                             Qt::ToolTipRole);
        if (stored.preset.name == pick) {
            picked = m_pList->count() - 1;
        }
    }
    m_pList->setCurrentIndex(picked);
    if (picked < 0) {
        m_picked.reset();
    }
    QStringList skipped;
    for (const UnusablePreset& unusable : m_presets.unusable) {
        skipped << Located(unusable.path, unusable.problem);
    }
    const QString tip = skipped.isEmpty() ? QString()
                                          : tr("%n preset file(s) cannot be used:", "",
                                               static_cast<int>(skipped.size())) +
                                                QLatin1Char('\n') + skipped.join(QLatin1Char('\n'));
    m_pList->setToolTip(AsPlainText(tip));
    m_pList->setAccessibleDescription(tip);
    ControlsChanged();
}

const StoredPreset* CLabelStockRow::Picked() const {
    return m_picked.has_value() ? FindPreset(m_presets, *m_picked) : nullptr;
}

void CLabelStockRow::ControlsChanged() {
    const int index = m_pList->currentIndex();
    const StoredPreset* picked = Picked();
    if (index < 0 || picked == nullptr) {
        return;
    }
    QString shown = ListedName(*picked);
    if (DiffersFrom(picked->preset, m_hooks.shown())) {
        shown = tr("%1 (changed)").arg(shown);
    }
    if (m_pList->itemText(index) != shown) {
        m_pList->setItemText(index, shown);
    }
}

// A pick the dialog could not take (a box that does not read) goes back to the one before.
void CLabelStockRow::OnPicked(int index) {
    const StoredPreset& stored = m_presets.usable[static_cast<std::size_t>(index)];
    if (!m_hooks.apply(stored.preset)) {
        Fill(m_picked.value_or(std::string()));
        return;
    }
    m_picked = stored.preset.name;
    ControlsChanged();
}

void CLabelStockRow::ShowMenu() {
    m_pMenu->popup(m_pMenuButton->mapToGlobal(QPoint(0, m_pMenuButton->height())));
}

// Asks for a name until one can be saved or the user gives up; a refused name stays in the box.
void CLabelStockRow::OnSaveAs() {
    const std::optional<Preset> values = m_hooks.take();
    if (!values.has_value()) {
        return;
    }
    CPresetNameDialog ask(&m_dialog);
    while (m_runDialog(ask) == QDialog::Accepted) {
        Preset preset = *values;
        preset.name = ask.Name().toStdString();
        preset.description = ask.Description().toStdString();
        if (const PresetNameFault fault = CheckPresetName(preset.name);
            fault != PresetNameFault::None) {
            m_dialog.MessageBox(tr("This name cannot be used."), QMessageBox::Warning,
                                PresetNameRuleMessage(fault));
        } else if (!IsValidPresetDescription(preset.description)) {
            m_dialog.MessageBox(tr("This description cannot be used."), QMessageBox::Warning,
                                tr("A description is one line without control characters."));
        } else if (SaveOrSay(preset)) {
            m_picked = preset.name;
            Reload();
            return;
        }
    }
}

// False, with the reason said, when the preset was not saved; a preset of that name the user
// already has is replaced only once the user agrees.
bool CLabelStockRow::SaveOrSay(const Preset& preset) {
    PresetChange change = SavePreset(m_folders, preset, false);
    if (change == PresetChange::Exists) {
        if (!Confirm(tr("You already have a label stock named \"%1\". Replace it?")
                         .arg(Text(preset.name)))) {
            return false;
        }
        change = SavePreset(m_folders, preset, true);
    }
    if (change == PresetChange::Invalid) {
        const std::optional<PresetProblem> problem = CheckPreset(preset);
        m_dialog.MessageBox(tr("This label stock cannot be saved."), QMessageBox::Warning,
                            problem.has_value() ? PresetProblemMessage(*problem) : QString());
    } else if (change != PresetChange::Done) {
        SayChangeFailed(change, Text(preset.name));
    }
    return change == PresetChange::Done;
}

// A question run as the row's other dialogs are, so tests can answer it.
bool CLabelStockRow::Confirm(const QString& question) {
    QMessageBox ask(QMessageBox::Question, ApplicationCaption(), question,
                    QMessageBox::Yes | QMessageBox::No, &m_dialog);
    ask.setTextFormat(Qt::PlainText); // names are shown as they are
    return m_runDialog(ask) == QMessageBox::Yes;
}

void CLabelStockRow::SayChangeFailed(PresetChange change, const QString& name) {
    const QString folder = Text(m_folders.user);
    switch (change) {
    case PresetChange::Done:
    case PresetChange::Exists:
    case PresetChange::Invalid:
        break;
    case PresetChange::NotFound:
        m_dialog.MessageBox(tr("There is no label stock named \"%1\" any more.").arg(name),
                            QMessageBox::Warning);
        break;
    case PresetChange::CannotOpen:
        m_dialog.MessageBox(tr("Cannot open the label stock folder."), QMessageBox::Warning,
                            folder);
        break;
    case PresetChange::CannotWrite:
        m_dialog.MessageBox(tr("Cannot write the label stock folder."), QMessageBox::Warning,
                            folder);
        break;
    case PresetChange::Busy:
        m_dialog.MessageBox(
            tr("Cannot write the label stock folder."), QMessageBox::Warning,
            tr("Another program kept changing label stocks; nothing was changed. Try again."));
        break;
    }
}

// Only the user's own presets, once the user confirms; an administrator's is refused with where
// it lives.
void CLabelStockRow::OnDelete() {
    const StoredPreset* picked = Picked();
    if (picked == nullptr) {
        m_dialog.MessageBox(tr("Pick the label stock to delete first."), QMessageBox::Information);
        return;
    }
    const QString name = Text(picked->preset.name);
    if (picked->origin == PresetOrigin::System) {
        m_dialog.MessageBox(
            tr("\"%1\" is an administrator's label stock and cannot be deleted here.").arg(name),
            QMessageBox::Warning, tr("It is kept in %1.").arg(Text(picked->path)));
        return;
    }
    if (!Confirm(tr("Delete the label stock \"%1\"?").arg(name))) {
        return;
    }
    const PresetChange change = DeletePreset(m_folders, picked->preset.name);
    if (change != PresetChange::Done) {
        SayChangeFailed(change, name);
    }
    m_picked.reset();
    Reload();
}

// The whole file is checked before anything is written; the pick stays as it was.
void CLabelStockRow::OnImport() {
    const QString path = m_chooseFile(&m_dialog, PresetFileChoice::Import, {});
    if (path.isEmpty()) {
        return;
    }
    auto read = ReadPresetFile(path.toStdString());
    if (const auto* problem = std::get_if<PresetProblem>(&read)) {
        m_dialog.MessageBox(tr("This file cannot be imported."), QMessageBox::Warning,
                            Located(path.toStdString(), *problem));
        return;
    }
    if (SaveOrSay(std::get<Preset>(read))) {
        Reload();
    }
}

// Writes the picked preset as it is kept, whatever the dialog shows now.
void CLabelStockRow::OnExport() {
    const StoredPreset* picked = Picked();
    if (picked == nullptr) {
        m_dialog.MessageBox(tr("Pick the label stock to export first."), QMessageBox::Information);
        return;
    }
    const QString path = m_chooseFile(&m_dialog, PresetFileChoice::Export,
                                      Text(PresetFileName(picked->preset.name)));
    if (path.isEmpty()) {
        return;
    }
    const std::string text = PresetText(picked->preset);
    const SaveResult saved =
        ReplaceFile(path.toStdString().c_str(), reinterpret_cast<const unsigned char*>(text.data()),
                    text.size());
    if (saved != SaveResult::Saved) {
        m_dialog.MessageBox(tr("Cannot write %1.").arg(path), QMessageBox::Warning);
    }
}
