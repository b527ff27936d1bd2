#include "ui/language/UserLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

namespace {

std::unique_ptr<QTranslator> Load(const QLocale& locale, const QString& name,
                                  const QStringList& folders) {
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
        if (translator->load(locale, name, QStringLiteral("_"), folder)) {
            return translator;
        }
    }
    return nullptr;
}

} // namespace

InstalledTranslators InstallTranslators(const QStringList& languages, const QStringList& folders) {
    for (const QString& language : languages) {
        const QLocale locale(language);
        if (locale.language() == QLocale::English) {
            break; // the source texts are English
        }
        // A code Qt does not know reads as C (and Qt lists "C" after it): the user's next
        // language is still to come.
        if (locale.language() == QLocale::C) {
            continue;
        }
        InstalledTranslators installed{Load(locale, QStringLiteral("trovanel"), folders), nullptr};
        if (!installed.program) {
            continue;
        }
        installed.qt = Load(locale, QStringLiteral("qtbase"),
                            {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
        QCoreApplication::installTranslator(installed.program.get());
        if (installed.qt) {
            QCoreApplication::installTranslator(installed.qt.get());
        }
        return installed;
    }
    return {};
}

InstalledTranslators InstallUserTranslators() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return InstallTranslators(
        QLocale::system().uiLanguages(),
        {programFolder.filePath(QStringLiteral("translations")),
         programFolder.filePath(QStringLiteral(TROVANEL_INSTALLED_TRANSLATIONS))});
}
