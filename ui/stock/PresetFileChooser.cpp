#include "ui/stock/PresetFileChooser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>

QString ChoosePresetFile(QWidget* parent, PresetFileChoice choice, const QString& suggested) {
    const QString filter = QCoreApplication::translate("PresetFile", "Label stocks (*.preset)");
    if (choice == PresetFileChoice::Import) {
        return QFileDialog::getOpenFileName(
            parent, QCoreApplication::translate("PresetFile", "Import Label Stock"),
            QDir::currentPath(), filter);
    }
    return QFileDialog::getSaveFileName(
        parent, QCoreApplication::translate("PresetFile", "Export Label Stock"),
        QDir::current().filePath(suggested), filter);
}
