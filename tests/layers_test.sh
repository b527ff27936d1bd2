#!/usr/bin/env bash
# Fails when an include runs against the project's layering: each folder below may include only
# what lies beneath it. Run from anywhere; takes the repository's root as its argument.
set -euo pipefail
cd "$1"
failed=0
# folder | include prefixes it must never use
rules=(
    "base/|settings/ printer/ ui/"
    "settings/|printer/ ui/"
    "printer/outport/status/|printer/outport/address/ printer/outport/transport/ printer/outport/discovery/ printer/outport/cups/ printer/outport/dnssd/ printer/outport/OutPort settings/ ui/"
    "printer/outport/address/|printer/outport/transport/ printer/outport/discovery/ printer/outport/cups/ printer/outport/dnssd/ printer/outport/OutPort settings/ ui/"
    "printer/outport/transport/|printer/outport/discovery/ printer/outport/cups/ printer/outport/dnssd/ printer/outport/OutPort settings/ ui/"
    "printer/outport/discovery/|printer/outport/transport/ printer/outport/cups/ printer/outport/dnssd/ printer/outport/OutPort settings/ ui/"
    "printer/outport/cups/|printer/outport/discovery/ printer/outport/dnssd/ printer/outport/OutPort printer/outport/PrintQueueCalls printer/outport/NetworkServiceCalls settings/ ui/"
    "printer/outport/dnssd/|printer/outport/discovery/ printer/outport/cups/ printer/outport/OutPort printer/outport/PrintQueueCalls printer/outport/NetworkServiceCalls settings/ ui/"
    "printer/outport/module/|printer/outport/status/ printer/outport/address/ printer/outport/transport/ printer/outport/discovery/ printer/outport/cups/ printer/outport/dnssd/ printer/outport/OutPort printer/outport/PrintQueueCalls printer/outport/NetworkServiceCalls settings/ ui/"
    "printer/outport/|printer/CommandBlock settings/ ui/"
    "printer/|ui/"
    "ui/framework/|ui/setup/ ui/ports/ ui/cli/ ui/language/ ui/stock/ printer/ settings/"
    "ui/framework/template/|ui/framework/DataExchange ui/framework/DialogBase ui/framework/DialogMessage ui/framework/FocusLossCheck ui/framework/HelpRequest ui/framework/InputBlock ui/framework/KeyboardNavigation ui/framework/PlainText ui/framework/TerminationWatch"
    "ui/ports/|ui/setup/ ui/cli/ ui/stock/"
    "ui/stock/|ui/setup/ ui/cli/ ui/ports/ printer/"
    "ui/setup/|ui/cli/"
    "ui/cli/terminal/|ui/setup/ ui/ports/ ui/stock/ ui/cli/CommandLine ui/cli/NetworkPrinterOutput ui/cli/Ports ui/cli/Preset ui/cli/Send ui/cli/Set ui/cli/Show"
)
for rule in "${rules[@]}"; do
    folder=${rule%%|*}
    for forbidden in ${rule#*|}; do
        if hits=$(grep -rn --include='*.cpp' --include='*.h' "#include \"$forbidden" "$folder"); then
            echo "$folder must not include $forbidden:"
            echo "$hits"
            failed=1
        fi
    done
done
# The core stays plain C++.
if hits=$(grep -rn --include='*.cpp' --include='*.h' '#include <Q' base settings printer); then
    echo "base/, settings/ and printer/ must not use Qt:"
    echo "$hits"
    failed=1
fi
exit $failed
