// libcups and the print-queue module are mapped only once a queue is used: in the real program,
// caught while it writes its result into a full pipe, and in the setup dialog once shown and its
// ports described. Without a usable module, a queue fails with why.
#include "tests/Environment.h"
#include "tests/MappedLibraries.h"
#include "tests/WorkDirectory.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"

#include <QProcess>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <utility>

namespace {

bool MapsCups(const std::set<std::string>& libraries) {
    return MapsLibrary(libraries, "libcups") || MapsLibrary(libraries, "trovanel-cups");
}

// Runs the program with its output into a full pipe and reads its maps while it waits to write
// the result, which it does once its work is done.
std::set<std::string> LibrariesWhenWriting(std::vector<const char*> arguments) {
    int out[2];
    EXPECT_EQ(pipe2(out, O_NONBLOCK), 0);
    while (write(out[1], "x", 1) == 1) {
    }
    fcntl(out[1], F_SETFL, 0);
    arguments.insert(arguments.begin(), TROVANEL_PROGRAM);
    arguments.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        execv(TROVANEL_PROGRAM, const_cast<char**>(arguments.data()));
        _exit(127);
    }
    close(out[1]);
    const std::string pid = std::to_string(child);
    for (int i = 0; i < 1000 && ReadFile("/proc/" + pid + "/syscall").rfind("1 0x1 ", 0) != 0;
         ++i) {
        usleep(10'000); // not yet blocked in write(1, …)
    }
    std::set<std::string> libraries = MappedLibraries(pid);
    char buffer[4096];
    while (read(out[0], buffer, sizeof buffer) > 0) {
    }
    close(out[0]);
    waitpid(child, nullptr, 0);
    return libraries;
}

} // namespace

TEST(OnDemandModuleTest, TheProgramMapsCupsOnlyOnceAQueueIsUsed) {
    const WorkDirectory work;
    ScopedEnvironment environment;
    environment.Set("CUPS_SERVER", "127.0.0.1:1"); // refuses at once
    environment.Set("OUTPORT_COM1", "cups:labels");
    const std::pair<std::vector<const char*>, bool> rows[] = {
        {{"show"}, false},
        {{"send", "--dry-run"}, false},
        {{"ports", "--json"}, true}, // lists the server's queues
    };
    for (const auto& [arguments, mapped] : rows) {
        const std::set<std::string> libraries = LibrariesWhenWriting(arguments);
        EXPECT_FALSE(libraries.empty()) << arguments[0]; // still running
        EXPECT_EQ(MapsCups(libraries), mapped) << arguments[0];
        // Only ports looks for printers on the network.
        EXPECT_EQ(MapsLibrary(libraries, "trovanel-dnssd"), mapped) << arguments[0];
    }
}

TEST(OnDemandModuleTest, TheDialogMapsCupsOnlyWhenAPortIsAQueue) {
    for (const bool queue : {false, true}) {
        const WorkDirectory work;
        ScopedEnvironment environment;
        environment.UnsetPorts();
        environment.Set("CUPS_SERVER", "127.0.0.1:1");
        if (queue) {
            environment.Set("OUTPORT_COM1", "cups:labels");
        }
        CSetupDlg setup;
        setup.Create();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&setup));
        QWidget* com1 = setup.GetDlgItem(IDC_COM1); // the four described at once by a worker
        EXPECT_TRUE(QTest::qWaitFor([com1] { return !com1->toolTip().isEmpty(); }));
        EXPECT_EQ(MapsCups(MappedLibraries()), queue);
        // The dialog never looks for network printers; only libcups brings Avahi's library.
        EXPECT_FALSE(MapsLibrary(MappedLibraries(), "trovanel-dnssd"));
        EXPECT_EQ(MapsLibrary(MappedLibraries(), "libavahi-client"), queue);
    }
}

TEST(OnDemandModuleTest, AQueueSaysWhyWithoutAUsableModule) {
    const WorkDirectory work;
    ScopedEnvironment environment;
    environment.Set("CUPS_SERVER", "127.0.0.1:1");
    const std::filesystem::path folder = work.path() / "bin" / TROVANEL_MODULE_FOLDER_FROM_PROGRAM;
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(TROVANEL_PROGRAM, work.path() / "bin" / "trovanel");
    const std::pair<const char*, std::string> rows[] = {
        // what is copied in as the module
        {"", "print queue support is not installed (no trovanel-cups.so in " +
                 folder.lexically_normal().string() + ")"},
        {"/proc/self/cmdline", "print queue support cannot be loaded ("},
        {TROVANEL_UDEV_LIBRARY, " is not a module of this program)"},
        {TROVANEL_CUPS_MODULE, "cups:labels: no print server answers at 127.0.0.1:1"},
    };
    for (const auto& [module, message] : rows) {
        if (*module != '\0') {
            WriteFile(folder / "trovanel-cups.so", ReadFile(module));
        }
        QProcess program;
        program.start(QString::fromStdString((work.path() / "bin" / "trovanel").string()),
                      {"send", "--to", "cups:labels"});
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_TRUE(program.readAllStandardError().contains(message.c_str())) << module;
    }
}
