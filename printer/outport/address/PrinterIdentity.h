#pragma once

#include <string>
#include <string_view>

// Who a printer says it is: the make, model and serial number a USB printer reports.
struct PrinterIdentity {
    std::string make;
    std::string model;
    std::string serial; // empty when the printer reports none

    // "Acme LP-2824", without repeating the make when the model already starts with it.
    std::string Description() const;
};

// Whether a found printer is the one asked for: make and model compared without regard to
// case, the serial number exactly and only when one is asked for.
bool IsWantedPrinter(const PrinterIdentity& wanted, const PrinterIdentity& found);

// Reads an IEEE 1284 device ID ("MFG:Acme;MDL:LP-2824;SN:12345;"), whose keys come long or
// short. Fields the ID leaves out stay empty.
PrinterIdentity ParseIeee1284Id(std::string_view id);
