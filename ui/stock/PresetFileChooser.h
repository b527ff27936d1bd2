#pragma once

#include <QString>
#include <functional>

class QWidget;

// Which file a label stock is read from or written to.
enum class PresetFileChoice { Import, Export };

// Asks for that file and returns its path, empty when the user cancelled. Dialogs hold one, so
// tests can answer with a path instead of hunting for a modal file dialog. `suggested` is the
// file name offered for an export.
using PresetFileChooser =
    std::function<QString(QWidget* parent, PresetFileChoice choice, const QString& suggested)>;

// The desktop's file dialog, showing preset files.
QString ChoosePresetFile(QWidget* parent, PresetFileChoice choice, const QString& suggested);
