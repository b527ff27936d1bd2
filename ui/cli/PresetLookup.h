#pragma once

#include "settings/Preset.h"
#include "settings/PresetStore.h"

#include <QString>
#include <optional>

// Finding a preset by the name given on the command line, saying why when it cannot be had.

// "The name 'a/b' is refused: A preset name holds no '/'."
QString NameRefusal(const QString& name, PresetNameFault fault);

// "FILE line 3: reason", or "FILE: reason" when the fault is the whole file's.
QString UnusableText(const UnusablePreset& unusable);

// The usable preset of that name in `list`. When there is none, prints why (a refused name, no
// such preset, or what makes its file unusable) and gives nullptr: exit status 2.
const StoredPreset* PresetByName(const PresetList& list, const QString& name);

// The same from the folders the environment names.
std::optional<Preset> NamedPreset(const QString& name);
