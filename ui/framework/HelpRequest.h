#pragma once

#include <QString>
#include <cstdint>
#include <functional>

// What F1 asks the desktop for: the help file named like the executable with ".HLP", beside it,
// opened at a context number.
struct HelpRequest {
    QString file;
    std::uint32_t context = 0;
};

// Help contexts of dialogs are numbered from here by template number.
inline constexpr std::uint32_t kDialogHelpContextBase = 0x20000;

HelpRequest HelpRequestForDialog(int templateId);

// Asks the desktop to open the help file; false when it is missing or cannot be opened.
using HelpLauncher = std::function<bool(const HelpRequest& request)>;
bool LaunchHelpViewer(const HelpRequest& request);
