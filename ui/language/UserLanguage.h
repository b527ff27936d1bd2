#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>

// The catalogues installed on the running application: the program's own and Qt's qtbase
// (standard buttons and dialogs). Either may be missing; destroying them uninstalls them.
struct InstalledTranslators {
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

// Installs the catalogues of the first of `languages` (BCP 47 names in the user's order of
// preference) that the program has a catalogue for in one of `folders`. English ahead of any
// such language keeps the source texts, so nothing is installed then; C and codes Qt does not
// know are passed over.
InstalledTranslators InstallTranslators(const QStringList& languages, const QStringList& folders);

// The same for the user's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), with the catalogues
// looked for beside the program in the build tree, then where the installation puts them.
InstalledTranslators InstallUserTranslators();
