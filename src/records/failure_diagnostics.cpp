#include "records/failure_diagnostics.h"

#include <cstdarg>
#include <cstdio>

#include "app/check_network.h"
#include "app/debug_log.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "records/hard_disk_manager.h"

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return text;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// An event's value as the whole number the texts show; 0 when it has none.
long WholeNumber(double value) {
    if (!(value > -2147483648.0 && value < 2147483648.0)) return 0;
    return static_cast<long>(value);
}

}  // namespace

bool FailureDiagnostics::ProbeWritePermission(const std::string& path) {
    if (platform::PathExists(path)) {
        if (platform::IsReadOnlyFile(path) || !platform::RemoveFile(path)) return false;
    }
    if (!platform::CreateEmptyFile(path)) return false;
    platform::RemoveFile(path);
    return true;
}

FailureDiagnostics::Probes FailureDiagnostics::RunProbes(const std::string& packagePath) {
    Probes probes;
    probes.connectivity = static_cast<int32_t>(Utils::CheckNetwork());
    probes.writable = ProbeWritePermission(packagePath);
    Utils::HardDiskManager disk;
    probes.freeGiB = disk.CheckFreeSpace(FolderOf(packagePath)) ? disk.FreeGiB() : 0.0;
    return probes;
}

std::string FailureDiagnostics::FormatFailureDiagnostics(double value, std::string_view text,
                                                         const Probes& probes) {
    return Format(
        "1.code=%ld；2.msg=%s；3.缓存磁盘容量=%.2fG；4.缓存读写权限=%s；5.服务器连接状态code=%d",
        WholeNumber(value), std::string(text).c_str(), probes.freeGiB,
        probes.writable ? "可读" : "无权限", probes.connectivity);
}

std::string FailureDiagnostics::BuildFailureDiagnostics(double value, std::string_view text,
                                                        const std::string& packagePath) {
    const std::string diagnostics = FormatFailureDiagnostics(value, text, RunProbes(packagePath));
    DEBUG_LOG("%s", diagnostics.c_str());
    return diagnostics;
}

std::string FailureDiagnostics::BuildErrorSummary(double value, std::string_view text) {
    const std::string summary =
        Format(":1.code=%ld；2.msg=%s", WholeNumber(value), std::string(text).c_str());
    DEBUG_LOG("%s", summary.c_str());
    return summary;
}
