#include "settings/SettingsFile.h"
#include "tests/WorkDirectory.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kSkipped = 77;

CPrinterSettings Loaded() {
    CPrinterSettings settings;
    LoadSettings(settings);
    return settings;
}

// The defaults with the cut offset and the length in mm changed.
const CPrinterSettings kChanged{1, 0, 1, -127, 0, 0, 0, 1143, 3, 0};

std::string Image(const CPrinterSettings& settings) {
    std::array<unsigned char, kSettingsFileSize> image{};
    EncodeSettings(settings, image.data());
    return {image.begin(), image.end()};
}

// A character device like /dev/null, made in the test's own folder so that nothing real is at
// stake if the save goes wrong. Needs root; returns false otherwise.
bool MakeDeviceNode(const fs::path& path) {
    return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

void MakeSocket(const fs::path& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(fd);
}

// The entry as lstat sees it, to show that a refused save left it exactly as it was.
std::string Identity(const fs::path& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return "missing";
    }
    return std::to_string(info.st_mode) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(info.st_rdev);
}

bool NothingElseIn(const fs::path& directory, std::size_t expected) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(directory)) {
        ++count;
    }
    return count == expected;
}

class SettingsSpecialFiles : public testing::Test {
protected:
    WorkDirectory m_dir;
};

// A FIFO with no writer used to block the start for ever; a device or a directory read as ten
// zeros. None of them is a settings file, so the defaults stay.
TEST_F(SettingsSpecialFiles, LoadingAnythingButARegularFileKeepsTheDefaultsWithoutBlocking) {
    const CPrinterSettings defaults;
    ASSERT_EQ(mkfifo(kSettingsFileName, 0600), 0);
    EXPECT_EQ(Loaded(), defaults) << "FIFO";
    fs::remove(kSettingsFileName);

    fs::create_directory(kSettingsFileName);
    EXPECT_EQ(Loaded(), defaults) << "directory";
    fs::remove(kSettingsFileName);

    MakeSocket(kSettingsFileName);
    EXPECT_EQ(Loaded(), defaults) << "socket";
    fs::remove(kSettingsFileName);

    if (MakeDeviceNode("device")) {
        fs::create_symlink("device", kSettingsFileName);
        EXPECT_EQ(Loaded(), defaults) << "link to a device";
        fs::remove(kSettingsFileName);
    }

    std::ofstream("real.ini", std::ios::binary) << Image(kChanged);
    fs::create_symlink("real.ini", kSettingsFileName);
    EXPECT_EQ(Loaded(), kChanged) << "link to a regular file";
}

// Only a regular file, or none, may be replaced: a save over a device node would turn it into
// a file (as root, /dev/null itself), and one over a link loop would put a file in its place.
TEST_F(SettingsSpecialFiles, SaveReplacesNothingButARegularFile) {
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    fs::create_directory("folder");
    std::ofstream("folder/inside") << "keep";
    const bool device = MakeDeviceNode("device");
    std::vector<std::string> targets{"fifo", "folder"};
    if (device) {
        targets.emplace_back("device");
    }
    for (const std::string& target : targets) {
        const std::string before = Identity(target);
        fs::create_symlink(target, kSettingsFileName);
        EXPECT_EQ(SaveSettings(kChanged), SaveResult::CannotOpen) << "link to " << target;
        EXPECT_TRUE(fs::is_symlink(kSettingsFileName)) << target;
        fs::remove(kSettingsFileName);

        fs::rename(target, kSettingsFileName);
        EXPECT_EQ(SaveSettings(kChanged), SaveResult::CannotOpen) << target << " in place";
        fs::rename(kSettingsFileName, target);
        EXPECT_EQ(Identity(target), before) << target;
    }
    EXPECT_EQ(ReadFile("folder/inside"), "keep");

    fs::create_symlink("loop", kSettingsFileName);
    fs::create_symlink(kSettingsFileName, "loop");
    EXPECT_EQ(SaveSettings(kChanged), SaveResult::CannotOpen) << "link loop";
    EXPECT_TRUE(fs::is_symlink(kSettingsFileName));
    EXPECT_TRUE(fs::is_symlink("loop"));
    // The targets and the link loop; the lock that orders saves went with its release.
    EXPECT_TRUE(NothingElseIn(m_dir.path(), targets.size() + 2)) << "a temporary file was left";
}

// Write and search permission are all a save needs; the folder's sync is skipped when the
// folder cannot be read, and the save, which is in place, reports success.
TEST_F(SettingsSpecialFiles, FolderThatCannotBeReadStillSaves) {
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        ASSERT_EQ(chown(".", nobody->pw_uid, nobody->pw_gid), 0);
    }
    ASSERT_EQ(chmod(".", 0300), 0);
    const int result = RunAsOrdinaryUser([] { return static_cast<int>(SaveSettings(kChanged)); });
    EXPECT_EQ(result, static_cast<int>(SaveResult::Saved));
    chmod(".", 0700);
    EXPECT_EQ(ReadFile(kSettingsFileName), Image(kChanged));
}

// Creates files until the file system refuses one; returns whether it refused for lack of room.
bool FillWithEmptyFiles() {
    for (int i = 0; i < 1000; ++i) {
        const std::string name = "filler-" + std::to_string(i);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) {
            return errno == ENOSPC;
        }
        close(fd);
    }
    return false;
}

bool FillWithData() {
    const int fd = open("big.bin", O_WRONLY | O_CREAT | O_EXCL, 0600);
    const std::string block(4096, 'x');
    ssize_t written = 0;
    for (int i = 0; i < 1000 && written >= 0; ++i) {
        written = write(fd, block.data(), block.size());
    }
    const bool full = written < 0 && errno == ENOSPC;
    close(fd);
    return full;
}

// A full disk is "cannot write" whether inodes or blocks ran out, and the old file stays whole.
// The small file system is a tmpfs in a private mount namespace, which needs root.
TEST_F(SettingsSpecialFiles, FullFileSystemIsAFailureToWriteAndKeepsTheOldFile) {
    const std::string folder = m_dir.path().string();
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("trovanel-test", folder.c_str(), "tmpfs", 0, "size=64k,nr_inodes=16") != 0 ||
            chdir(folder.c_str()) != 0) {
            _exit(kSkipped);
        }
        if (SaveSettings(CPrinterSettings()) != SaveResult::Saved || !FillWithEmptyFiles()) {
            _exit(10);
        }
        if (SaveSettings(kChanged) != SaveResult::CannotWrite) {
            _exit(1);
        }
        // One inode for the data file, one for the save's temporary file.
        if (unlink("filler-0") != 0 || unlink("filler-1") != 0 || !FillWithData()) {
            _exit(11);
        }
        if (SaveSettings(kChanged) != SaveResult::CannotWrite) {
            _exit(2);
        }
        _exit(ReadFile(kSettingsFileName) == Image(CPrinterSettings()) ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kSkipped) {
        GTEST_SKIP() << "no private tmpfs can be mounted here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no inodes, 2: no blocks, 3: old file damaged";
}

} // namespace
