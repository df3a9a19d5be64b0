#include "install/install_progress.h"

#include <algorithm>

namespace {
constexpr double kInstallStep = 0.15;
constexpr double kInstallCeiling = 0.95;
}  // namespace

int InstallProgress::OnDownloadProgress(double fraction) const {
    return static_cast<int>(fraction * downloadScale_ * 100.0);
}

int InstallProgress::OnInstallProgress(double fraction) {
    const double stepped = std::min(smoothedInstall_ + kInstallStep, kInstallCeiling);
    smoothedInstall_ = std::max(stepped, fraction);
    return static_cast<int>(((1.0 - downloadScale_) * smoothedInstall_ + downloadScale_) * 100.0);
}

int InstallProgress::Clamp(int percent) { return std::clamp(percent, 0, 100); }
