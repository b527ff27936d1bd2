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

// A cancel token: lets another thread (or a signal handler) stop an OutPortCancellable call in
// flight. Once requested it stays requested, so use a fresh token for each call.
typedef struct OutPortCancel OutPortCancel;

// A new token, not yet requested; NULL only when the process is out of file descriptors.
OutPortCancel* OutPortCancelCreate(void);
// Asks the call using `cancel` to stop. Safe from any thread and from a signal handler.
void OutPortCancelRequest(OutPortCancel* cancel);
// Frees the token; no call may still be using it. NULL is ignored.
void OutPortCancelDestroy(OutPortCancel* cancel);

// OutPort that can be cancelled through `cancel` (NULL: cannot be, exactly as OutPort). A request
// wakes whatever the call is waiting for (opening, connecting, writing, draining) at once; a
// serial line's unsent output is dropped and the port released before the call returns 0, and
// OutPortLastError then says "cancelled after N of <length> bytes", N being the bytes the device
// took as far as known. A request made before the call starts fails it without sending anything.
int OutPortCancellable(int length, int port, unsigned char* data, OutPortCancel* cancel);

// Why the calling thread's last OutPort, OutPortCancellable, OutPortToUri or OutPortProbe call
// failed, as a sentence naming the port and the device; empty after a success. Valid until that
// thread's next such call.
const char* OutPortLastError(void);

#ifdef __cplusplus
}
#endif
