#include "ui/framework/HelpRequest.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

HelpRequest HelpRequestForDialog(int templateId) {
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString name = executable.completeBaseName() + QStringLiteral(".HLP");
    return {QDir(executable.absolutePath()).filePath(name),
            kDialogHelpContextBase + static_cast<std::uint32_t>(templateId)};
}

bool LaunchHelpViewer(const HelpRequest& request) {
    const QFileInfo file(request.file);
    if (!file.isFile() || !file.isReadable()) {
        return false;
    }
    // Desktop viewers take no context number; they open the file at its start.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(request.file));
}
