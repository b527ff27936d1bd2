#pragma once

#include "tests/Environment.h"
#include "tests/WorkDirectory.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// The private CUPS scheduler the test run starts (tests/cups-scheduler.sh), made the user's
// print server for one test. Its queues: labels (the default, captured to a file), slow (never
// finishes a job), empty (runs out of paper and stops), stopped, rejecting, secret (asks for a
// password).
class PrintScheduler {
public:
    PrintScheduler() { m_environment.Set("CUPS_SERVER", TROVANEL_CUPS_SERVER); }

    static std::string Server() { return TROVANEL_CUPS_SERVER; }

    // Everything the queue's printer has printed so far.
    static std::string Printed(const std::string& queue) {
        return ReadFile(std::filesystem::path(TROVANEL_CUPS_DIR) / "capture" / queue);
    }

    // The queue's jobs that are not finished, as lpstat lists them; "" when there are none.
    static std::string UnfinishedJobs(const std::string& queue) {
        return Output("lpstat -h " + Server() + " -o " + queue);
    }

    // Runs an administration command (cupsenable, lpadmin) against the scheduler.
    static bool Administer(const std::string& command, const std::string& arguments) {
        return std::system(
                   (command + " -h " + Server() + " " + arguments + " 2>/dev/null").c_str()) == 0;
    }

private:
    static std::string Output(const std::string& command) {
        std::string text;
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return "cannot run " + command;
        }
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) {
            text += chunk;
        }
        pclose(pipe);
        return text;
    }

    ScopedEnvironment m_environment;
};
