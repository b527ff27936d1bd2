#pragma once

// The port-output library: fixed-width number fields for command lines and the settings file,
// and one call that writes a block of bytes to the printer on one of four ports.
// Plain C functions so that any caller can bind to them.

#ifdef __cplusplus
extern "C" {
#endif

// Write `value` as decimal text right-aligned in a field of 2, 3 or 4 characters, padded on the
// left with '0'; a negative value starts with '-'. A terminating zero follows the field. At most
// 8 bytes are written. A value too wide for the field is clamped to the field's extremes
// (Change2: -9..99, Change3: -99..999, Change4: -999..9999).
void Change2(int value, char* text);
void Change3(int value, char* text);
void Change4(int value, char* text);

// Send `length` bytes of `data` to port 0..3 (COM1, COM2, LPT1, LPT2). Returns 1 when every byte
// reached the device (for a serial line: left its output queue), 0 on any failure. The whole call
// is bounded by one time-out. Which device a port means is set by OUTPORT_COM1 .. OUTPORT_LPT2 or
// by outport.conf in the user's configuration folder.
int OutPort(int length, int port, unsigned char* data);

// Why the calling thread's last OutPort, OutPortToUri or OutPortProbe call failed, as a sentence
// naming the port and the device; empty after a success. Valid until that thread's next such
// call.
const char* OutPortLastError(void);

#ifdef __cplusplus
}
#endif
