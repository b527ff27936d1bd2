#pragma once

#include "settings/Preset.h"
#include "settings/PresetText.h"
#include "settings/SettingWords.h"

#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

// A rejection text of the printer settings (the English text the settings record gives) in the
// user's language; a text it does not know stays as it is.
QString SettingsMessageText(std::string_view message);

// Why a NAME=VALUE word was refused, as `trovanel set` says it, in the user's language.
QString SettingRejectionMessage(const SettingRejection& rejection);
QStringList SettingRejectionMessages(const std::vector<SettingRejection>& rejections);

// The rule a preset's name breaks, and what makes a preset file unusable (without the file and
// line), in the user's language.
QString PresetNameRuleMessage(PresetNameFault fault);
QString PresetProblemMessage(const PresetProblem& problem);
