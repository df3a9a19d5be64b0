// The whole installation end to end, without a window: the real installer
// program, the test download service, real setup packages and uninstallers.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "records/install_record.h"
#include "support/background_process.h"
#include "support/download_service.h"
#include "support/run_process.h"
#include "support/test_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::BackgroundProcess;
using testsupport::DownloadService;
using testsupport::ReadFile;
using testsupport::WriteFile;

constexpr const char* kPackageName = "__Package_VantyxAudioEditor.exe";

// A setup package as a script: the body, then padding past the 1 MiB the
// download engine wants.
fs::path ScriptPackage(const std::string& name, const std::string& body) {
    const fs::path path = testsupport::NewFolder("packages") / name;
    WriteFile(path, "#!/bin/sh\n" + body + "\nexit 0\n" + std::string(1100 * 1024, '#'));
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    return path;
}

// A package that records its arguments and installs an uninstaller that
// records how it was started, then reports success.
fs::path RecordingPackage(const fs::path& log) {
    return ScriptPackage("recording.exe", R"(
log=")" + log.string() + R"("
printf 'package' >> "$log"; for a in "$@"; do printf '|%s' "$a" >> "$log"; done; echo >> "$log"
dir=""; taking=no
for a in "$@"; do
    if [ $taking = yes ]; then dir="$dir $a"; continue; fi
    case "$a" in /D=*) dir="${a#/D=}"; taking=yes ;; esac
done
mkdir -p "$dir"
cat > "$dir/uninst.ep" <<UNINST
#!/bin/sh
printf 'uninstaller|%s' "\$0" >> "$log"; for a in "\$@"; do printf '|%s' "\$a" >> "$log"; done; echo >> "$log"
echo "State=Success"
UNINST
chmod 755 "$dir/uninst.ep"
echo "Progress=0.5"
echo "InstPath=$dir"
echo "UninstEp=$dir/uninst.ep"
echo "State=Success")");
}

class UnattendedInstallTest : public testing::Test {
protected:
    testsupport::ProcessResult Install(const std::string& url, std::vector<std::string> options,
                                       const testsupport::ProcessOptions& process = {}) {
        options.insert(options.begin(), {VANTYX_INSTALLER, "-silent=true", "-downloadurl=" + url});
        return testsupport::RunProcess(options, process);
    }
    std::vector<std::string> LogLines(const fs::path& log) {
        std::vector<std::string> lines;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    fs::path root_ = testsupport::NewFolder("install");
    fs::path folder_ = root_ / "Program Files" / "Vantyx Audio";
};

TEST_F(UnattendedInstallTest, InstallsTheDemoProduct) {
    DownloadService service(VANTYX_DEMO_PACKAGE);
    const auto result = Install(service.Url(), {"-installdir=" + folder_.string()});
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;

    for (const char* file : {"zoviruzarivodo.exe", "uninst.ep", "samples/vantyx-demo.wav"}) {
        EXPECT_TRUE(fs::exists(folder_ / file)) << file;
    }
    EXPECT_FALSE(fs::exists(folder_ / kPackageName));
    EXPECT_TRUE(result.out.ends_with("progress 100%\ninstalled into " + folder_.string() + "\n")) << result.out;

    const std::string setIni = ReadFile(folder_ / "set.ini");
    const fs::path analytics = fs::path(std::getenv("APPDATA")) / "TarvoData/VantyxAudioEditor/VIRodededIrevazuri.ini";
    EXPECT_NE(setIni.find("APPStore=vantyx-installer\n"), std::string::npos) << setIni;
    EXPECT_NE(setIni.find("AppName=VantyxAudioEditor\n"), std::string::npos) << setIni;
    EXPECT_TRUE(std::regex_search(setIni, std::regex("DeviceID=[0-9A-F]{12}[0-9a-f]{4}[0-9A-F]{16}\n"))) << setIni;
    EXPECT_NE(setIni.find("VIRodededIrevazuriIni=" + analytics.string() + "\n"), std::string::npos) << setIni;
    EXPECT_TRUE(std::regex_search(ReadFile(analytics),
                                  std::regex(R"(\[Init\]\nUpdateTime=\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\n)")));

    InstallRecord record;
    record.ReadInstallRecord();
    EXPECT_EQ(record.m_RecordedInstallDir, folder_.string());
    EXPECT_EQ(record.m_RecordedUninstallerPath, (folder_ / "uninst.ep").string());
}

TEST_F(UnattendedInstallTest, HandsThePackageItsCommandLine) {
    const fs::path log = root_ / "calls.log";
    DownloadService service(RecordingPackage(log));
    const auto result = Install(service.Url(), {"-installdir=" + folder_.string(), R"(-instcmd=/extra "a b")",
                                                "-insnew=true"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = LogLines(log);
    ASSERT_EQ(lines.size(), 1u);
    const std::string admin = "(true|false)";
    const std::regex expected("package\\|/S\\|-console=show\\|-version=1\\.0\\.0\\|-adminact=" + admin +
                              "\\|-authorizationact=" + admin +
                              "\\|-dsc=true\\|-ssc=true\\|/extra\\|a b\\|-instdir=" + folder_.string() +
                              "\\|/D=" + (root_ / "Program").string() + "\\|Files/Vantyx\\|Audio");
    EXPECT_TRUE(std::regex_match(lines[0], expected)) << lines[0];
}

TEST_F(UnattendedInstallTest, ReplacesTheRecordedVersionThroughItsUninstaller) {
    const fs::path log = root_ / "calls.log";
    DownloadService service(RecordingPackage(log));
    ASSERT_EQ(Install(service.Url(), {"-installdir=" + folder_.string()}).exitCode, 0);

    // Without a folder of its own, the second run installs into the recorded one.
    const auto second = Install(service.Url(), {});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    const auto lines = LogLines(log);
    ASSERT_EQ(lines.size(), 3u);
    const std::string copy = std::string(std::getenv("TMPDIR")) +
                             "/~TarvoTemp.92482B06FB471E17/VantyxAudioEditor_un_asa.exe";
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("uninstaller\\|" + copy +
                                                      "\\|/S\\|-adminact=(true|false)\\|-authorizationact=(true|false)"
                                                      "\\|-console=show\\|_\\?=" + (root_ / "Program").string() +
                                                      "\\|Files/Vantyx\\|Audio")))
        << lines[1];
    EXPECT_NE(lines[2].find("|/D=" + (root_ / "Program").string() + "|Files/Vantyx|Audio"), std::string::npos)
        << lines[2];
}

TEST_F(UnattendedInstallTest, KeepsTheOldInstallationWhenItsFolderSaysSo) {
    const fs::path log = root_ / "calls.log";
    DownloadService service(RecordingPackage(log));
    ASSERT_EQ(Install(service.Url(), {"-installdir=" + folder_.string()}).exitCode, 0);
    WriteFile(folder_ / "set.ini", ReadFile(folder_ / "set.ini") + "[Uninstall]\nIsOverride=false\n");

    ASSERT_EQ(Install(service.Url(), {"-installdir=" + folder_.string()}).exitCode, 0);
    const auto lines = LogLines(log);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[1].starts_with("package|")) << lines[1];
}

TEST_F(UnattendedInstallTest, FailuresEndWithTheirExitCodeAndNoPackageFile) {
    struct Case {
        const char* name;
        std::string package;                 // script body; empty for the demo package
        std::vector<std::string> faults;     // for the service
        int exitCode;
        const char* message;
    } cases[] = {
        {"package fails", "echo 'State=Fail'", {}, 1, "安装包安装失败"},
        {"package errors", "echo 'Error=磁盘写入失败'", {}, 1, "磁盘写入失败"},
        {"not found", "", {"--status", "404", "--status-get-only"}, 2, "下载安装包失败"},
        {"digest mismatch twice", "", {"--folder", "0123456789abcdef0123456789abcdef"}, 2, "下载安装包失败"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path package = c.package.empty() ? fs::path(VANTYX_DEMO_PACKAGE)
                                                   : ScriptPackage("failing.exe", c.package);
        DownloadService service(package, c.faults);
        const fs::path folder = root_ / c.name;
        const auto result = Install(service.Url(), {"-installdir=" + folder.string()});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.out << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(folder / kPackageName));
    }
}

TEST_F(UnattendedInstallTest, ChecksRefuseBeforeAnythingIsFetched) {
    DownloadService service(VANTYX_DEMO_PACKAGE);
    WriteFile(root_ / "a file", "in the way");
    auto result = Install(service.Url(), {"-installdir=" + (root_ / "a file" / "Vantyx").string()});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.err.find("无效路径"), std::string::npos) << result.err;

    result = Install(service.Url(), {"-installdir=" + folder_.string(), "-ischecknet=true"},
                     testsupport::WithEnvironment({{"TARVO_CONNECTIVITY", "limited"}}));
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.err.find("当前网络环境较差"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(folder_ / "zoviruzarivodo.exe"));
}

TEST_F(UnattendedInstallTest, ARunningProductIsRefusedUnlessUpdating) {
    DownloadService service(VANTYX_DEMO_PACKAGE);
    const fs::path product = root_ / "bin" / "zoviruzarivodo.exe";
    fs::create_directories(product.parent_path());
    fs::copy_file("/bin/sleep", product);
    BackgroundProcess running({product.string(), "60"});

    auto result = Install(service.Url(), {"-installdir=" + folder_.string()});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_NE(result.err.find("正在运行"), std::string::npos) << result.err;

    result = Install(service.Url(), {"-installdir=" + folder_.string(), "-insnew=true"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::exists(folder_ / "zoviruzarivodo.exe"));
}

TEST_F(UnattendedInstallTest, AFailedRemovalStopsTheInstallation) {
    DownloadService service(VANTYX_DEMO_PACKAGE);
    ASSERT_EQ(Install(service.Url(), {"-installdir=" + folder_.string()}).exitCode, 0);
    WriteFile(folder_ / "uninst.ep", "#!/bin/sh\necho 'Error=文件被占用'\n");

    const fs::path other = root_ / "Other";
    const auto result = Install(service.Url(), {"-installdir=" + other.string()});
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_NE(result.err.find("文件被占用"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(other / "zoviruzarivodo.exe"));
}

TEST_F(UnattendedInstallTest, ASecondCopyLeavesAtOnce) {
    DownloadService slow(VANTYX_DEMO_PACKAGE, {"--rate", "400000"});
    BackgroundProcess first({VANTYX_INSTALLER, "-silent=true", "-downloadurl=" + slow.Url(),
                             "-installdir=" + folder_.string()});
    ASSERT_TRUE(first.WaitForOutput("progress")) << first.Err();

    const auto second = Install(slow.Url(), {"-installdir=" + (root_ / "second").string()});
    EXPECT_EQ(second.exitCode, 255);
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(first.Wait(), 0) << first.Err();
}

}  // namespace
