#pragma once

#include <QString>
#include <string_view>

// A rejection text of the printer settings (the English text the settings record gives) in the
// user's language; a text it does not know stays as it is.
QString SettingsMessageText(std::string_view message);
