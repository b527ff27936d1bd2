#pragma once

// The application: runs the setup dialog once, modally, and ends when it closes.
class CSetupApp {
public:
    // Runs the dialog. Returns false: there is no message loop to enter afterwards.
    bool InitInstance();
    // 0, or 128 + the number of the signal that closed the dialog, as a shell reports it.
    int ExitCode() const { return m_nExitCode; }

private:
    int m_nExitCode = 0;
};
