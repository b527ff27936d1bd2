#include "base/NumberField.h"
#include "printer/outport/OutPort.h"

extern "C" void Change2(int value, char* text) {
    WriteNumberField(value, 2, text);
}
extern "C" void Change3(int value, char* text) {
    WriteNumberField(value, 3, text);
}
extern "C" void Change4(int value, char* text) {
    WriteNumberField(value, 4, text);
}
