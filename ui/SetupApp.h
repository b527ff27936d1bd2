#pragma once

// The application: runs the setup dialog once, modally, and ends when it closes.
class CSetupApp {
public:
    // Runs the dialog. Returns false: there is no message loop to enter afterwards.
    bool InitInstance();
};
